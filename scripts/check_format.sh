#!/usr/bin/env bash
# Fails on any C or C++ file of the project that .clang-format would change.
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/hearvex-format.log; then
  grep -E '^[^ ]+:[0-9]+:[0-9]+: error' /tmp/hearvex-format.log | cut -d: -f1 | sort -u |
    sed "s/^/not formatted: /"
  echo "Run scripts/check_format.sh --fix to format them." >&2
  exit 1
fi
echo "${#files[@]} files formatted as .clang-format asks"
