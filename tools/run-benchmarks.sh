#!/usr/bin/env bash
# Builds Kelvra and runs the benchmark program under Wine, once per leg the
# host can run: every page against a bare dialog of its template, the Disk
# Cost dialog, the feature page's growth.
#   tools/run-benchmarks.sh [runs per figure [part]]
# where part is DiskCost, pages, one export's name or features (all if none).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}
runs=${1:-15}
part=${2:-}
source "$top/scripts/wine-env.sh"

"$top/scripts/install-deps.sh"
read -ra legs <<< "$(wine_env_legs)"

for leg in "${legs[@]}"; do
  arch=${leg%%:*}
  cmake -S "$top" -B "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$build/$arch" -j2 --target page_bench Setup >/dev/null
  trap wine_env_stop EXIT
  wine_env_start "$build/$arch/bench-prefix" "${leg#*:}" --fresh --xvfb
  echo "== $arch under ${leg#*:} Wine, $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
  (cd "$build/$arch/bin" && "$WINE" page_bench.exe "$runs" $part)
  wine_env_stop
done
