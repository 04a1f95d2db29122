#!/usr/bin/env bash
# Counts the instructions of one page's opening and Next under 64-bit Wine
# with callgrind, against its bare dialog under the same common controls and
# under the driver's own: counts repeat whatever else the machine does.
#   tools/profile-page.sh <export> [openings]
# Prints the instructions per opening of each; the dumps stay in
# build/x86_64/profile/ for callgrind_annotate. Wine's own PE modules load at
# their preferred bases and carry debug information, so
# `x86_64-w64-mingw32-addr2line -f -e <module> <address>` names an address
# the annotation leaves bare.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}/x86_64
page=${1:?export name, for example PartModificationDlg}
openings=${2:-5}
source "$top/scripts/wine-env.sh"

command -v valgrind >/dev/null || $([ "$(id -u)" -eq 0 ] || echo sudo) apt-get install -y valgrind >/dev/null
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target page_bench Setup >/dev/null
trap wine_env_stop EXIT
wine_env_start "$build/profile-prefix" win64 --xvfb
mkdir -p "$build/profile"
cd "$build/bin"
declare -A per
for mode in profile profile-bare profile-plain; do
  out="$build/profile/$mode-$page"
  rm -f "$out".*
  # Wine's loader starts again in a child, which is the one to follow; the
  # desktop process started beside it is not.
  valgrind --tool=callgrind --trace-children=yes --trace-children-skip-by-arg='*explorer*' \
    --callgrind-out-file="$out.%p" "$WINE" page_bench.exe "$openings" "$mode:$page" \
    >"$out.log" 2>&1
  # The openings alone are the process's first dump (".1").
  dump=$(ls "$out".*.1)
  total=$(awk '/^(summary|totals):/ {print $2; exit}' "$dump")
  per[$mode]=$((total / openings))
  echo "$mode:$page: ${per[$mode]} instructions per opening ($dump)"
done
awk -v p="${per[profile]}" -v b="${per[profile-bare]}" -v o="${per[profile-plain]}" 'BEGIN {
  printf "page against its bare dialog: %.2fx; bare dialog under common controls 6 against the driver'"'"'s: %.2fx\n", p / b, b / o }'
