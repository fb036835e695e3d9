#!/usr/bin/env bash
# Sets up this machine, builds Hearvex with its tests and runs every test.
# HEARVEX_SANITIZE=ON runs the suite under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
sanitize=${HEARVEX_SANITIZE:-OFF}
dir=build
[ "$sanitize" = ON ] && dir=build-sanitize
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEARVEX_SANITIZE="$sanitize"
cmake --build "$dir" -j"$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
