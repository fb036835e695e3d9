#!/usr/bin/env bash
# Sets up this machine, builds Hearvex with its tests and runs every test.
# HEARVEX_SANITIZE=ON runs the suite under the address and undefined-behaviour
# sanitizers (in build-sanitize). HEARVEX_TSAN=ON builds only the engine and
# its tests under the thread sanitizer (in build-tsan) and runs those.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
sanitize=${HEARVEX_SANITIZE:-OFF}
tsan=${HEARVEX_TSAN:-OFF}
jobs=$(nproc)
# Ninja for a new build folder; one made earlier keeps the generator it has.
generator() { [ -f "$1/CMakeCache.txt" ] || echo "-GNinja"; }
if [ "$tsan" = ON ]; then
  cmake -S . -B build-tsan $(generator build-tsan) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEARVEX_TSAN=ON -DHEARVEX_BUILD_BENCH=OFF
  cmake --build build-tsan -j"$jobs" --target engine_tests
  ctest --test-dir build-tsan --output-on-failure -j"$jobs" -L engine
  exit
fi
dir=build
[ "$sanitize" = ON ] && dir=build-sanitize
bench=ON
[ "$sanitize" = ON ] && bench=OFF # the benchmarks are run by hand, never under the sanitizers
cmake -S . -B "$dir" $(generator "$dir") -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEARVEX_SANITIZE="$sanitize" -DHEARVEX_BUILD_BENCH="$bench"
cmake --build "$dir" -j"$jobs"
ctest --test-dir "$dir" --output-on-failure -j"$jobs"
