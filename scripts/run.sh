#!/usr/bin/env bash
# Sets up this machine, builds Hearvex and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
generator=""
[ -f build/CMakeCache.txt ] || generator="-GNinja"
cmake -S . -B build $generator -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target hearvex hearvex_data
exec ./build/bin/hearvex "$@"
