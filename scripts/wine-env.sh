# Sourced by the run scripts: a private Wine prefix of one architecture, an X
# display (Xvfb when there is none) and a persistent wineserver.
# wine_env_stop ends exactly what wine_env_start started.
#   wine_env_can_run_32bit                  true where 32-bit programs run
#   wine_env_start <prefix folder> <win32|win64> [--fresh] [--xvfb] [--dpi=N]
# After wine_env_start, "$WINE" runs a Windows program of that architecture.

readonly WINE_ENV_LOADER32=/usr/lib/wine/wine
readonly WINE_ENV_LOADER64=/usr/lib/wine/wine64

# Some kernels have 32-bit emulation turned off: there Wine's 32-bit loader,
# like every i386 program, fails with "Exec format error". Ask the loader.
wine_env_can_run_32bit() {
  "$WINE_ENV_LOADER32" --version >/dev/null 2>&1
}

# The legs to run, as "arch:winearch" words: the 64-bit one always, the
# 32-bit one first where the host runs it and KELVRA_SKIP_32BIT is not set.
wine_env_legs() {
  if [ -z "${KELVRA_SKIP_32BIT:-}" ] && wine_env_can_run_32bit; then
    echo "i686:win32 x86_64:win64"
  else
    echo "x86_64:win64"
  fi
}

wine_env_start() {
  local prefix; prefix=$(realpath -m "$1")
  local arch=$2; shift 2
  local fresh=0 want_xvfb=0 dpi=""
  for arg in "$@"; do
    case $arg in
      --fresh) fresh=1 ;;
      --xvfb) want_xvfb=1 ;;
      --dpi=*) dpi=${arg#--dpi=} ;;
    esac
  done
  case $arch in
    # The wine wrapper picks the 32-bit loader whenever it is installed, so
    # the 64-bit leg names its own loader, for Wine's helpers too.
    win64) export WINELOADER=$WINE_ENV_LOADER64 ;;
    win32) export WINELOADER=$WINE_ENV_LOADER32 ;;
    *) echo "wine_env_start: unknown architecture '$arch'" >&2; return 1 ;;
  esac
  WINE=$WINELOADER
  export WINEARCH=$arch WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_XVFB_PID=""
  WINE_ENV_SERVER_STARTED=0

  if [ -z "${DISPLAY:-}" ] || [ $want_xvfb -eq 1 ]; then
    # Xvfb takes a free display itself and writes its number once it accepts
    # clients.
    local taken n=""; taken=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$taken" >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    for _ in $(seq 50); do
      n=$(tr -dc 0-9 <"$taken")
      [ -n "$n" ] && break
      sleep 0.1
    done
    rm -f "$taken"
    [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$n
  fi

  if [ $fresh -eq 1 ]; then rm -rf "$prefix"; fi
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    # A 64-bit prefix complains about syswow64's rundll32; that is harmless.
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    [ -f "$prefix/system.reg" ] || { echo "wineboot made no $arch prefix in $prefix" >&2; return 1; }
    # Without a window manager every top-level window waits ~2 s to map.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    if [ -n "${KELVRA_TEST_BUILD:-}" ]; then wine_env_add_test_drives "$prefix" "$KELVRA_TEST_BUILD"; fi
  fi
  # The screen's pixels per inch, read by every Wine process as it starts.
  if [ -n "$dpi" ]; then
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 </dev/null &
  WINE_ENV_SERVER_STARTED=1
  # Start Wine's background services now, with no terminal or pipe of ours:
  # started later by a test program, they would hold ctest's output pipe open.
  "$WINE" wineboot >/dev/null 2>&1 </dev/null
}

# Drives the tests look for: a CD drive D: and network drives N: and Y:,
# each on a folder of the prefix, and the build folder as K:, from which the
# test programs run. Y:'s folder is where the stalled-drive test mounts a
# file system that stops answering. Z: (all of /) goes: the folder picker's walk over it made it
# drop its first selection now and then. Wine's mount manager reads the
# drive types when it starts, so they are set while no wineserver runs and
# the next start picks them up.
wine_env_add_test_drives() {
  local prefix=$1 build=$2
  rm -f "$prefix/dosdevices/z:"
  ln -sfn "$(realpath "$build")" "$prefix/dosdevices/k:"
  mkdir -p "$prefix/test-drives/cdrom" "$prefix/test-drives/network" "$prefix/test-drives/stalled"
  ln -sfn "$prefix/test-drives/cdrom" "$prefix/dosdevices/d:"
  ln -sfn "$prefix/test-drives/network" "$prefix/dosdevices/n:"
  ln -sfn "$prefix/test-drives/stalled" "$prefix/dosdevices/y:"
  "$WINE" reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
  "$WINE" reg add 'HKLM\Software\Wine\Drives' /v n: /d network /f >/dev/null 2>&1
  "$WINE" reg add 'HKLM\Software\Wine\Drives' /v y: /d network /f >/dev/null 2>&1
  wineserver -w
}

wine_env_stop() {
  if [ "${WINE_ENV_SERVER_STARTED:-0}" -eq 1 ]; then
    wineserver -k >/dev/null 2>&1 || true
    WINE_ENV_SERVER_STARTED=0
  fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=""
  fi
}
