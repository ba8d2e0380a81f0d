#!/usr/bin/env bash
# Every C++ source is formatted by the repository's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/../.."
files=$(git ls-files '*.h' '*.cpp')
if ! out=$(echo "$files" | xargs -r clang-format --dry-run -Werror 2>&1); then
  echo "FAIL format: run clang-format -i on:"
  echo "$out" | grep -o '^[^:]*\.\(h\|cpp\)' | sort -u | sed 's/^/  /'
  exit 1
fi
echo "PASS format"
