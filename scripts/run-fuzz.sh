#!/usr/bin/env bash
# Builds the libFuzzer targets natively (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for the given number of
# executions, starting from its seed corpus.
#   scripts/run-fuzz.sh [runs per target]      (default 1000000)
# The last line is "fuzz: N targets, 0 findings" or names the findings; a
# finding's input is kept in build/fuzz/findings/.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}/fuzz
runs=${1:-1000000}

if ! command -v clang++-14 >/dev/null || [ ! -d /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang-14 libclang-rt-14-dev >/dev/null
fi
cmake -S "$top" -B "$build" -DKELVRA_HOST_BUILD=fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
  cmake --build "$build" -j2 >/dev/null || { echo "run-fuzz: the fuzz targets did not build" >&2; exit 1; }

mkdir -p "$build/findings"
targets=0
findings=()
for seeds in "$top"/tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  targets=$((targets + 1))
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  started=$SECONDS
  "$build/$target" -runs="$runs" -max_len=4096 -artifact_prefix="$build/findings/$target-" \
    "$corpus" "$seeds" >"$build/$target.log" 2>&1
  status=$?
  executed=$(grep -o 'Done [0-9]* runs' "$build/$target.log" | grep -o '[0-9]*' | tail -1)
  echo "$target: ${executed:-?} executions in $((SECONDS - started)) s, exit status $status"
  [ $status -eq 0 ] || findings+=("$target (see $build/$target.log)")
done
if [ ${#findings[@]} -eq 0 ]; then
  echo "fuzz: $targets targets, 0 findings"
else
  echo "fuzz: $targets targets, ${#findings[@]} findings: ${findings[*]}"
  exit 1
fi
