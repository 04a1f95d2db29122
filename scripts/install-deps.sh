#!/usr/bin/env bash
# Installs the cross toolchain, Wine, Xvfb, NSIS and the test tools when any is
# missing, and fetches Inno Setup's compiler into a cache of its own.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
command -v wine >/dev/null || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
# The 32-bit loader installs even where the kernel cannot run it; the test
# command probes before it uses it. It is installed on its own, after the
# rest, so that a mirror whose i386 index is out of step costs only that leg.
need32=()
# A kernel with 32-bit emulation off runs no 32-bit program: the smallest
# i386 one (exit through int 0x80) tells, and there 32-bit Wine is not fetched.
kernel_runs_32bit() {
  local probe
  probe=$(mktemp) || return 0
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0'\
'\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10'\
'\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\61\333\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  local status=$?
  rm -f "$probe"
  [ $status -eq 0 ]
}
if ! dpkg -s wine32:i386 >/dev/null 2>&1; then
  if kernel_runs_32bit; then
    need32+=(wine32:i386)
  else
    echo "install-deps: this kernel runs no 32-bit programs; 32-bit Wine is left out"
  fi
fi
command -v Xvfb >/dev/null || need+=(xvfb xauth)
command -v import >/dev/null || need+=(imagemagick)
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v python3 >/dev/null || need+=(python3)
# googletest's sources for the MinGW builds; libgtest-dev's CMake package
# for the native tests.
[ -d /usr/src/googletest ] || need+=(googletest)
[ -f /usr/lib/$(uname -m)-linux-gnu/cmake/GTest/GTestConfig.cmake ] || need+=(libgtest-dev)
# The stalled-drive test's file system.
command -v fusermount3 >/dev/null || need+=(fuse3)
[ -f /usr/lib/python3/dist-packages/fusepy.py ] || need+=(python3-fusepy)
# scripts/make-images.py draws with Pillow in the DejaVu faces.
[ -d /usr/lib/python3/dist-packages/PIL ] || need+=(python3-pil)
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ] || need+=(fonts-dejavu-core)
# The NSIS example installer and its test: makensis with its x86 and amd64 stubs.
command -v makensis >/dev/null || need+=(nsis)
# The Inno Setup example's compiler comes from the npm registry (below).
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
# The double-byte tests run under a Japanese locale: Wine then takes code page 932.
[ -f /usr/share/i18n/locales/ja_JP ] || need+=(locales)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

make_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# Inno Setup's compiler, ISCC.exe, with its setup stubs and languages: the
# pinned npm package, unpacked into a cache outside the source tree where
# examples/inno/CMakeLists.txt looks for it. npm's own cache goes with it.
inno_version=6.4.1
inno_dir=${XDG_CACHE_HOME:-$HOME/.cache}/kelvra/innosetup-$inno_version
fetch_inno_setup() {
  [ -f "$inno_dir/bin/ISCC.exe" ] && return 0
  if ! command -v npm >/dev/null; then
    echo "install-deps: npm is missing; the Inno Setup example will not be built" >&2
    return 0
  fi
  local work; work=$(mktemp -d)
  if (cd "$work" && npm pack --silent --cache "$work/npm" "innosetup@$inno_version" >/dev/null 2>&1) &&
    mkdir "$work/package" &&
    tar xzf "$work/innosetup-$inno_version.tgz" -C "$work/package" --strip-components=1 &&
    [ -f "$work/package/bin/ISCC.exe" ]; then
    mkdir -p "$(dirname "$inno_dir")"
    rm -rf "$inno_dir"
    mv "$work/package" "$inno_dir"
    echo "install-deps: Inno Setup $inno_version fetched into $inno_dir"
  else
    echo "install-deps: innosetup@$inno_version could not be fetched from npm; the Inno Setup example will not be built" >&2
  fi
  rm -rf "$work"
}

# Multi-Arch "same" packages must have one version on both architectures.
# When the mirror's i386 index of a suite (the security one, mid-sync) is out
# of step with its amd64 index, an installed amd64 package may have no i386
# twin of its version, and apt gives up on wine32:i386. Then both
# architectures take the main suite's version of every such package that
# wine32 needs, and what the simulation would remove is named to stay.
wine32_from_main_suite() {
  local suite; suite=$(sed -n 's/^VERSION_CODENAME="\?\([^"]*\)"\?$/\1/p' /etc/os-release)
  [ -n "$suite" ] || return 1
  local native; native=$(dpkg --print-architecture)
  # The i386 packages wine32 needs, by apt's own walk of its dependencies;
  # those installed for the native architecture as Multi-Arch "same", with
  # their installed versions; and every version the i386 index offers.
  local names installed offered pkg main removed args=(wine32:i386) pinned=()
  names=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances wine32:i386 2>/dev/null |
          sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
  [ -n "$names" ] || return 1
  # shellcheck disable=SC2016,SC2086 # dpkg-query's own fields; one name a word
  installed=$(dpkg-query -W -f='${Package} ${Architecture} ${Version} ${Multi-Arch} ${db:Status-Abbrev}\n' \
                $names 2>/dev/null | awk -v a="$native" '$2 == a && $4 == "same" && $5 ~ /^ii/ {print $1, $3}')
  # shellcheck disable=SC2046,SC2086 # one name a word
  offered=$(apt-cache madison $(printf "%s:i386\n" $names) 2>/dev/null)
  # In the way: no i386 twin of the installed version. Both take the main
  # suite's version.
  while read -r pkg main; do
    args+=("$pkg=$main" "$pkg:i386=$main")
    pinned+=("$pkg")
  done < <(awk -F' *[|] *' -v s=" $suite/" '
             NR == FNR { split($0, w, " "); installed[w[1]] = w[2]; next }
             { sub(/:i386$/, "", $1); sub(/^ +/, "", $1); offered[$1, $2] = 1
               if (index($3, s) && !($1 in main)) main[$1] = $2 }
             END { for (p in installed)
                     if (!((p, installed[p]) in offered) && (p in main)) print p, main[p] }' \
             <(echo "$installed") <(echo "$offered") | sort)
  local opts=(-y --no-install-recommends --allow-downgrades -t "$suite")
  for _ in 1 2 3; do
    removed=$(apt-get install -s "${opts[@]}" "${args[@]}" 2>/dev/null | awk '/^Remv / {print $2}' | xargs)
    [ -n "$removed" ] || break
    # shellcheck disable=SC2206 # package names have no blanks
    args+=($removed)
  done
  if [ -n "$removed" ]; then
    echo "install-deps: 32-bit Wine could not be installed: from $suite it would remove" \
         "$removed; the 32-bit leg will not run" >&2
    return 1
  fi
  if ! $sudo apt-get install -qq "${opts[@]}" "${args[@]}" >/dev/null 2>&1; then
    echo "install-deps: 32-bit Wine could not be installed, not even from $suite" \
         "(apt-get install -s ${opts[*]} ${args[*]} shows why); the 32-bit leg will not run" >&2
    return 1
  fi
  echo "install-deps: 32-bit Wine installed from $suite, ${#pinned[@]} Multi-Arch packages" \
       "set to its versions on both architectures: ${pinned[*]:-none}"
}

install_wine32() {
  if $sudo apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null 2>&1; then
    echo "install-deps: 32-bit Wine installed"
  else
    wine32_from_main_suite || true
  fi
}

if [ ${#need[@]} -eq 0 ] && [ ${#need32[@]} -eq 0 ]; then
  make_japanese_locale
  fetch_inno_setup
  exit 0
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync fails an index now and then: try again,
# then go on with what was fetched; the install says if a package is missing.
for try in 1 2 3; do
  $sudo apt-get update -qq && break
  echo "install-deps: apt-get update failed (try $try of 3)" >&2
  sleep 10
done
[ ${#need[@]} -eq 0 ] || $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
[ ${#need32[@]} -eq 0 ] || install_wine32
make_japanese_locale
fetch_inno_setup
