#!/bin/bash
# lumaro-cli day: the halakha list (tests/data/golden/day) and the readings
# list (tests/data/golden/readings) of every reviewed file, each file named
# DATE.israel|diaspora[.sSTYLE][.luach].txt (.luach: --yom-haatsmaut luach)
# and described in its folder's INDEX.
source "$(dirname "$0")/lib/common.sh"
for kind in day readings; do
  GOLDEN="$LUMARO_TEST_DATADIR/golden/$kind"
  [ "$kind" = day ] && heading='Halakha for date ' || heading='Readings for '
  count=0
  for file in "$GOLDEN"/*.txt; do
    IFS=. read -r date mode style extra <<< "$(basename "$file")"
    [ "$style" = txt ] && style=s2
    [ "$extra" = luach.txt ] && luach=luach || luach=weekday
    actual=$("$LUMARO_CLI" "--$mode" --style "${style#s}" --yom-haatsmaut "$luach" day "$date" | awk -v h="^$heading" '$0 ~ h {p=1} p && /^$/ {exit} p')
    [ "$actual" = "$(cat "$file")" ] || { fail "golden $kind $(basename "$file")"; diff <(printf '%s\n' "$actual") "$file" | head -20 >&2; }
    count=$((count + 1))
  done
  [ "$count" -ge 10 ] || fail "only $count golden files in $GOLDEN"
  expect_eq "$kind index" "$(cd "$GOLDEN" && ls ./*.txt | sed 's|^\./||' | sort)" "$(grep -v '^#' "$GOLDEN/INDEX" | cut -f1 | sort)"
done
finish
