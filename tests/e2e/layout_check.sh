#!/bin/bash
# scripts/check-layout.py passes on the sources, and on a copy with each
# fault of tests/data/e2e/layout_faults.tsv fails naming file, line and include.
source "$(dirname "$0")/lib/common.sh"
CHECK="$LUMARO_SOURCE_DIR/scripts/check-layout.py"
out=$(python3 "$CHECK" --root "$LUMARO_SOURCE_DIR")
expect_eq "the sources pass" "0|0 layout problem(s)" "$?|$(tail -1 <<< "$out")"
COPY="$E2E_HOME/tree"
while IFS=$'\t' read -r file line report; do
  rm -rf "$COPY" && mkdir -p "$COPY" && cp -r "$LUMARO_SOURCE_DIR/src" "$COPY/src"
  sed -i "1a $line" "$COPY/$file"
  out=$(python3 "$CHECK" --root "$COPY")
  status=$?
  if [ "$report" = - ]; then expect_eq "$file $line: passes" 0 "$status"; continue; fi
  expect_eq "$file $line: exit status" 1 "$status"
  printf '%s\n' "$out" | grep -q -- "$report" || fail "$file $line: no line matching '$report': $(head -3 <<< "$out")"
done < <(grep -v '^#' "$LUMARO_TEST_DATADIR/e2e/layout_faults.tsv")
finish
