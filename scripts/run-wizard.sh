#!/usr/bin/env bash
# Builds Kelvra and starts the sample setup wizard.
#   scripts/run-wizard.sh          a person clicks through the pages
#   scripts/run-wizard.sh --auto   the driver presses Next on every page and
#                                  saves a picture of each into out/screens
#   --arch i686|x86_64             which build to run; by default the shipped
#                                  32-bit one where the host can run it
#   --language de                  the pages in German (de/Kelvrares.dll)
#   --dpi 144                      a screen of 144 pixels per inch (96 unless
#                                  told), in a Wine prefix of its own
# With no display it starts one of its own (Xvfb) and walks by itself.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}
shots=$top/out/screens
source "$top/scripts/wine-env.sh"

auto=0
arch=""
language=()
dpi=96
while [ $# -gt 0 ]; do
  case $1 in
    --auto) auto=1 ;;
    --arch) arch=${2:-}; shift ;;
    --language) language=(--language "${2:-}"); shift ;;
    --dpi) dpi=${2:-}; shift ;;
    *) echo "usage: $0 [--auto] [--arch i686|x86_64] [--language de] [--dpi N]" >&2; exit 2 ;;
  esac
  shift
done
[ -z "${DISPLAY:-}" ] && auto=1

"$top/scripts/install-deps.sh"
if [ -z "$arch" ]; then
  if wine_env_can_run_32bit; then arch=i686; else arch=x86_64; fi
fi
case $arch in
  i686) winearch=win32 ;;
  x86_64) winearch=win64 ;;
  *) echo "run-wizard: unknown architecture '$arch' (i686 or x86_64)" >&2; exit 2 ;;
esac
if [ $arch = i686 ] && ! wine_env_can_run_32bit; then
  echo "run-wizard: this host cannot run 32-bit programs; try --arch x86_64" >&2
  exit 1
fi
echo "Running the $arch sample wizard under $winearch Wine."

cmake -S "$top" -B "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" >/dev/null
cmake --build "$build/$arch" -j2 --target Setup

trap wine_env_stop EXIT
prefix=$build/$arch/wizard-prefix
[ "$dpi" = 96 ] || prefix=$prefix-dpi$dpi
if [ $auto -eq 1 ]; then
  wine_env_start "$prefix" $winearch --xvfb --dpi=$dpi
else
  wine_env_start "$prefix" $winearch --dpi=$dpi
fi

cd "$build/$arch/bin"
if [ $auto -eq 0 ]; then
  "$WINE" Setup.exe "${language[@]}" </dev/null
  exit
fi

rm -rf "$shots" && mkdir -p "$shots"
windows_shots=$("$WINE" winepath -w "$shots")
status=0
"$WINE" Setup.exe /auto "$windows_shots" "${language[@]}" </dev/null || status=$?
for picture in "$shots"/*.bmp; do
  [ -e "$picture" ] || continue
  convert "$picture" "${picture%.bmp}.png" && rm "$picture"
done
echo "Pictures of the pages: $shots"
exit $status
