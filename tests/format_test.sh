#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from the layout of .clang-format.
#   tests/format_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build')
if ! out=$(clang-format --dry-run --Werror $files 2>&1); then
  echo "$out" | grep 'warning:' | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
  echo "Mend with: clang-format -i FILE"
  exit 1
fi
