#!/usr/bin/env bash
# Counts the requests one page's openings make to Wine's server, against its
# bare dialog, and names for each the call of Kelvra's (or of the benchmark
# program's) that led to it: under Wine, wall-clock follows these round
# trips more than the instructions.
#   tools/count-requests.sh <export>
# The server's request trace (wineserver -d1) and the relay trace of the
# program go into one file, in the order they happened; the logs stay in
# build/x86_64/profile/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}/x86_64
page=${1:?export name, for example PartModificationDlg}
source "$top/scripts/wine-env.sh"

cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target page_bench Setup >/dev/null
trap wine_env_stop EXIT
wine_env_start "$build/profile-prefix" win64 --xvfb
mkdir -p "$build/profile"
modules=()
for module in Kelvra.dll page_bench.exe; do
  modules+=("$module=$(x86_64-w64-mingw32-objdump -p "$build/bin/$module" |
    awk '/^ImageBase/ {base=$2} /^SizeOfImage/ {size=$2} END {print base ":" size}')")
done
# Two runs of each, with 3 and 6 counted openings: their difference is what
# the openings alone ask, without the program's start.
logs=()
for mode in profile profile-bare; do
  for openings in 3 6; do
    log="$build/profile/requests-$mode-$page-$openings.log"
    logs+=("$log")
    # A server of our own that writes its trace where the program's goes.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    : >"$log"
    wineserver -f -d1 2>>"$log" &
    server=$!
    "$WINE" wineboot >/dev/null 2>&1 </dev/null
    : >"$log"
    (cd "$build/bin" && WINEDEBUG=+relay "$WINE" page_bench.exe $openings "$mode:$page" >/dev/null 2>>"$log")
    wineserver -k >/dev/null 2>&1 || true
    wait "$server" || true
  done
done
/usr/bin/env python3 "$top/tools/request_attribution.py" "${modules[@]}" -- "${logs[@]}"
