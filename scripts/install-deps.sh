#!/usr/bin/env bash
# Installs the cross toolchain, Wine, Xvfb, NSIS and the test tools when any is missing.
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
[ -d /usr/src/googletest ] || need+=(googletest)
# The stalled-drive test's file system.
command -v fusermount3 >/dev/null || need+=(fuse3)
[ -f /usr/lib/python3/dist-packages/fusepy.py ] || need+=(python3-fusepy)
# scripts/make-images.py draws with Pillow in the DejaVu faces.
[ -d /usr/lib/python3/dist-packages/PIL ] || need+=(python3-pil)
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ] || need+=(fonts-dejavu-core)
# The NSIS example installer and its test: makensis with its x86 and amd64 stubs.
command -v makensis >/dev/null || need+=(nsis)
# The double-byte tests run under a Japanese locale: Wine then takes code page 932.
[ -f /usr/share/i18n/locales/ja_JP ] || need+=(locales)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

make_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

if [ ${#need[@]} -eq 0 ] && [ ${#need32[@]} -eq 0 ]; then
  make_japanese_locale
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
if [ ${#need32[@]} -gt 0 ] &&
  ! $sudo apt-get install -y -qq --no-install-recommends "${need32[@]}" >/dev/null; then
  echo "install-deps: 32-bit Wine could not be installed; the 32-bit leg will not run" >&2
fi
make_japanese_locale
