#!/bin/bash
# lumaro-cli anniversary --adar: a sample of tests/data/adar_anniversaries.tsv (every row is checked
# by the unit tests) end to end, each choice and type among them.
source "$(dirname "$0")/lib/common.sh"
n=0
while IFS=$'\t' read -r type event year choice days; do
  [[ $type == '#'* ]] && continue
  n=$((n + 1))
  [ $((n % 23)) = 0 ] || continue
  args=(anniversary "$type" "$event" "$year")
  [ "$choice" != usual ] && args+=(--adar "$choice")
  expect_eq "${args[*]}" "$days" "$("$LUMARO_CLI" "${args[@]}" | tr '\n' ' ' | sed 's/ $//')"
done < "$LUMARO_TEST_DATADIR/adar_anniversaries.tsv"
[ "$n" -gt 2000 ] || fail "the table has only $n rows"
finish
