#!/usr/bin/env bash
# Builds Kelvra and starts the sample setup wizard.
#   scripts/run-wizard.sh          a person clicks through the pages
#   scripts/run-wizard.sh --auto   the driver presses Next on every page and
#                                  saves a picture of each into out/screens
# With no display it starts one of its own (Xvfb) and walks by itself.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}
shots=$top/out/screens

auto=0
[ "${1:-}" = "--auto" ] && auto=1
[ -z "${DISPLAY:-}" ] && auto=1

"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$build/win" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" -j2 --target Setup

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
if [ $auto -eq 1 ]; then
  wine_env_start "$build/wizard-prefix" --xvfb
else
  wine_env_start "$build/wizard-prefix"
fi

cd "$build/win/bin"
if [ $auto -eq 0 ]; then
  wine Setup.exe </dev/null
  exit
fi

rm -rf "$shots" && mkdir -p "$shots"
windows_shots=$(winepath -w "$shots")
status=0
wine Setup.exe /auto "$windows_shots" </dev/null || status=$?
for picture in "$shots"/*.bmp; do
  [ -e "$picture" ] || continue
  convert "$picture" "${picture%.bmp}.png" && rm "$picture"
done
echo "Pictures of the pages: $shots"
exit $status
