#!/bin/bash
# scripts/check-layout.py passes on the sources, and on a copy with each fault of
# tests/data/e2e/layout_faults.tsv fails naming file, line and include ("-": the copy passes).
source "$(dirname "$0")/lib/common.sh"
CHECK="$LUMARO_SOURCE_DIR/scripts/check-layout.py"
expect_eq "the sources pass" "0 layout problem(s)|0" "$(python3 "$CHECK" --root "$LUMARO_SOURCE_DIR")|$?"
while IFS=$'\t' read -r file line report; do
  rm -rf "$W/src" && cp -r "$LUMARO_SOURCE_DIR/src" "$W/src" && sed -i "1a $line" "$W/$file"
  out=$(python3 "$CHECK" --root "$W")
  status=$?
  expect_eq "$file $line: exit status" "$([ "$report" = - ] && echo 0 || echo 1)" "$status"
  [ "$report" = - ] || grep -q -- "$report" <<< "$out" || fail "$file $line: no line matching '$report': $(head -3 <<< "$out")"
done < <(grep -v '^#' "$LUMARO_TEST_DATADIR/e2e/layout_faults.tsv")
finish
