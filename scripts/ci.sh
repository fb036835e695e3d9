#!/usr/bin/env bash
# The continuous-integration run: every test on the normal build, every test
# under the address and undefined-behaviour sanitizers, and the engine's
# tests under the thread sanitizer. Stops at the first failing run.
set -euo pipefail
cd "$(dirname "$0")/.."
for run in normal asan tsan; do
  echo "== $run: $(date -u +%H:%M:%S)"
  start=$SECONDS
  case $run in
    normal) bash scripts/test.sh ;;
    asan) HEARVEX_SANITIZE=ON bash scripts/test.sh ;;
    tsan) HEARVEX_TSAN=ON bash scripts/test.sh ;;
  esac
  echo "== $run passed in $((SECONDS - start)) s"
done
