#!/bin/bash
# Prints the size of the test code against the size of the program and
# fails when the tests outgrow their budget (more than 0.36 of the source).
# Counted are the non-blank lines of the code files under tests/ (data and
# the fuzz corpus are not code), of scripts/check-* and of
# scripts/mutation-check.py, against the non-blank lines of src/.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
count() { cat "$@" /dev/null | grep -cv '^[[:space:]]*$' || true; }
mapfile -t tests < <(find tests -path tests/data -prune -o -path tests/fuzz/corpus -prune -o -type f \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name '*.mjs' -o -name '*.js' \) -print)
mapfile -t source < <(find src -type f)
test_lines=$(count "${tests[@]}" scripts/check-* scripts/mutation-check.py)
source_lines=$(count "${source[@]}")
ratio=$(awk -v t="$test_lines" -v s="$source_lines" 'BEGIN { printf "%.3f", t / s }')
echo "test code $test_lines lines, source $source_lines lines, ratio $ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 0.36) }' || { echo "the tests exceed 0.36 of the source" >&2; exit 1; }
