#!/bin/bash
# lumaro-cli: every command and one-run option with the settings file, the output lines and the usage
# errors of tests/data/e2e/cli_cases.tsv; and day's halakha list (tests/data/golden/day) and readings
# list (golden/readings) of every reviewed file, each named DATE.israel|diaspora[.sSTYLE][.luach].txt
# (.luach: --yom-haatsmaut luach) and described in its folder's INDEX.
source "$(dirname "$0")/lib/common.sh"
for kind in "day|Halakha for date " "readings|Readings for "; do
  GOLDEN="$LUMARO_TEST_DATADIR/golden/${kind%|*}"
  for file in "$GOLDEN"/*.txt; do
    IFS=. read -r date mode style extra <<< "$(basename "$file")"
    [ "$style" = txt ] && style=s2
    [ "$extra" = luach.txt ] && luach=luach || luach=weekday
    actual=$("$LUMARO_CLI" "--$mode" --style "${style#s}" --yom-haatsmaut "$luach" day "$date" | awk -v h="^${kind#*|}" '$0 ~ h {p=1} p && /^$/ {exit} p')
    [ "$actual" = "$(cat "$file")" ] || fail "golden $kind $(basename "$file"): $(diff <(printf '%s\n' "$actual") "$file" | head -20)"
  done
  expect_eq "${kind%|*} index" "$(cd "$GOLDEN" && ls ./*.txt | sed 's|^\./||' | sort)" "$(grep -v '^#' "$GOLDEN/INDEX" | cut -f1 | sort)"
  [ "$(ls "$GOLDEN"/*.txt | wc -l)" -ge 10 ] || fail "fewer than 10 golden files in $GOLDEN"
done
cp "$LUMARO_TEST_DATADIR/e2e/anniversaries" "$HOME/.lumaro/kivraanni"
printf 'CurrentCity: "Jerusalem"\n' > "$HOME/.lumaro/kivrasettings"
before=$(sha256sum < "$HOME/.lumaro/kivrasettings")
"$LUMARO_CLI" --city Haifa --12h --language yiddish --sun precise today > /dev/null
expect_eq "one-run options never write the settings" "$before" "$(sha256sum < "$HOME/.lumaro/kivrasettings")"
run_cases "$LUMARO_TEST_DATADIR/e2e/cli_cases.tsv"
finish
