#!/usr/bin/env bash
# Builds Kelvra and runs the soak program under Wine, once per leg the host
# can run: every page called the given number of times through Next, Back
# and a confirmed Cancel, checked for windows, fonts, menus, memory and
# handles left behind. Its last line is "soak: passed" or what grew.
#   tools/run-soak.sh [calls per page]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}
calls=${1:-1000}
source "$top/scripts/wine-env.sh"

"$top/scripts/install-deps.sh"
read -ra legs <<< "$(wine_env_legs)"

status=0
for leg in "${legs[@]}"; do
  arch=${leg%%:*}
  cmake -S "$top" -B "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$build/$arch" -j2 --target page_soak Setup >/dev/null
  trap wine_env_stop EXIT
  wine_env_start "$build/$arch/soak-prefix" "${leg#*:}" --fresh --xvfb
  echo "== $arch under ${leg#*:} Wine"
  started=$SECONDS
  (cd "$build/$arch/bin" && "$WINE" page_soak.exe "$calls") || status=1
  echo "== $arch took $((SECONDS - started)) s"
  wine_env_stop
done
exit $status
