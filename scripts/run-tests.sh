#!/usr/bin/env bash
# Builds everything and runs every test: the Win32 tests under Wine, once
# per architecture the host can run, and beside them the native unit tests
# of the pure logic (with sanitizers).
#   KELVRA_SKIP_32BIT=1   behave as on a host that cannot run 32-bit programs
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVRA_BUILD:-$top/build}
source "$top/scripts/wine-env.sh"

# Runs one step and says how long it took; a failure says which step and
# how it ended.
step() {
  local name=$1; shift
  echo "== $name"
  local began=$SECONDS
  "$@"
  local status=$?
  [ $status -eq 0 ] || { echo "run-tests: '$name' failed (exit status $status)" >&2; exit $status; }
  echo "== $name: $((SECONDS - began)) s"
}

# An architecture whose leg does not run here builds its shipped binaries
# alone (tests OFF): its tests would prove nothing the other leg's does not.
configure_and_build() {
  local arch=$1 tests=$2
  cmake -S "$top" -B "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" \
    -DKELVRA_TESTS="$tests" >/dev/null &&
    cmake --build "$build/$arch" -j2
}

# This shell and what it starts run only when nothing else wants the processor.
yield_processor() {
  chrt --idle -p 0 $BASHPID 2>/dev/null || renice -n 19 -p $BASHPID >/dev/null
}

# A leg's private prefix, made afresh with its own Xvfb and wineserver,
# which are stopped again.
make_prefix() {
  local arch=$1 winearch=$2
  mkdir -p "$build/$arch"
  export KELVRA_TEST_BUILD=$build/$arch
  wine_env_start "$build/$arch/wineprefix" "$winearch" --fresh --xvfb
  local status=$?
  wine_env_stop
  return $status
}

# One leg: a private prefix (fresh unless made for this run already) with
# its own Xvfb and wineserver, the Win32 test programs, then everything
# stopped again.
run_leg() {
  local arch=$1 winearch=$2 fresh=${3:-}
  export KELVRA_TEST_BUILD=$build/$arch
  wine_env_start "$build/$arch/wineprefix" "$winearch" $fresh --xvfb || {
    echo "run-tests: the $winearch Wine prefix could not be made" >&2; wine_env_stop; return 1; }
  ctest --test-dir "$build/$arch" --output-on-failure
  local status=$?
  wine_env_stop
  return $status
}

started=$SECONDS
step "install what is missing" "$top/scripts/install-deps.sh"

legs=(x86_64:win64)
if [ -n "${KELVRA_SKIP_32BIT:-}" ]; then
  echo "== 32-bit leg skipped: KELVRA_SKIP_32BIT is set"
elif wine_env_can_run_32bit; then
  legs=(i686:win32 x86_64:win64)
elif [ ! -e "$WINE_ENV_LOADER32" ]; then
  echo "== 32-bit leg skipped: 32-bit Wine is not installed ($WINE_ENV_LOADER32 is missing)"
else
  echo "== 32-bit leg skipped: this host cannot run 32-bit programs" \
       "($WINE_ENV_LOADER32 --version fails; is the kernel's 32-bit emulation off?)"
fi

native_tests() {
  step "configure the native tests" cmake -S "$top" -B "$build/native" -DKELVRA_HOST_BUILD=native \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
  step "build the native tests" cmake --build "$build/native" -j2
  step "native tests" ctest --test-dir "$build/native" --output-on-failure
}

first=${legs[0]%%:*}
if [ "$first" = i686 ]; then
  second=x86_64 second_tests=ON
else
  second=i686 second_tests=OFF
fi
logs=$(mktemp -d)
trap 'wine_env_stop; rm -rf "$logs"' EXIT

# The first leg's prefix is made while its tree builds, in what time the
# build leaves.
(yield_processor; make_prefix "$first" "${legs[0]#*:}") >"$logs/prefix" 2>&1 &
prefix_pid=$!
step "build for $first" configure_and_build "$first" ON

# A leg mostly waits on Wine and leaves a core idle, so the other tree, the
# native tests, then the benchmark and soak programs (to know they still
# build) are built beside the legs, one after the other and yielding the
# processor to them; their output shows at the end. The shipped 32-bit pair
# is built on every host, with its tests where its leg runs.
beside() {
  step "build for $second (tests $second_tests)" configure_and_build "$second" "$second_tests"
  touch "$logs/second-built"
  native_tests
  step "build the benchmark and soak programs" cmake --build "$build/x86_64" -j2 --target page_bench page_soak
}
(yield_processor; beside) >"$logs/beside" 2>&1 &
beside_pid=$!
second_built() {
  while [ ! -e "$logs/second-built" ]; do
    kill -0 $beside_pid 2>/dev/null || return 1
    sleep 1
  done
}

status=0
fresh=--fresh
if wait $prefix_pid; then fresh=""; else cat "$logs/prefix"; fi
for leg in "${legs[@]}"; do
  arch=${leg%%:*}
  if [ "$arch" = "$second" ] && ! second_built; then
    echo "run-tests: no Win32 tests on $arch: its build failed (below)" >&2; status=1; break
  fi
  echo "== Win32 tests, $arch under ${leg#*:} Wine"
  began=$SECONDS
  run_leg "$arch" "${leg#*:}" $fresh || { echo "run-tests: Win32 tests on $arch failed" >&2; status=1; }
  echo "== Win32 tests, $arch: $((SECONDS - began)) s"
  fresh=--fresh
done
wait $beside_pid || status=1
cat "$logs/beside"
echo "== done in $((SECONDS - started)) s: $([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
