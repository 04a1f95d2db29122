#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests of the pure
# logic (with sanitizers), then the Win32 tests under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}

"$top/scripts/install-deps.sh"

cmake -S "$top/tests/native" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j2
cmake -S "$top" -B "$build/win" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win" -j2

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
# One fresh prefix per run, so no test sees what an earlier run left behind.
# With the drives the tests look for (wine_env_add_test_drives).
export KELVRA_TEST_BUILD=$build
wine_env_start "$build/wineprefix" --fresh --xvfb

status=0
ctest --test-dir "$build/native" --output-on-failure || status=1
ctest --test-dir "$build/win" --output-on-failure || status=1
exit $status
