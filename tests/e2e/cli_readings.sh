#!/bin/bash
# lumaro-cli day: the readings list of a day in the report, checked against a
# printed luach (the unit tests check many more dates).
source "$(dirname "$0")/lib/common.sh"

# readings_of ARGS...: the readings list of a day report (from its heading up
# to the empty line that ends it).
readings_of() {
  "$LUMARO_CLI" "$@" | awk '/^Readings for /{p=1} p&&/^$/{exit} p'
}

# Shabbat Rosh Khodesh Adar I 5784 (10 February 2024): Mishpatim.
expect_eq "Shabbat Rosh Khodesh" "Readings for 10.2.2024:
Mishpatim, Exodus 21:1 - 24:18
Rosh Khodesh, Numbers 28:9-15
Isaiah 66:1-24" "$(readings_of day 2024-02-10)"

# The reviewed readings lists in tests/data/golden/readings, each described
# in its INDEX.
GOLDEN="$LUMARO_TEST_DATADIR/golden/readings"
count=0
for file in "$GOLDEN"/*.txt; do
  name=$(basename "$file" .txt)  # 2024-03-16.israel
  actual=$(readings_of "--${name#*.}" day "${name%%.*}")
  if [ "$actual" != "$(cat "$file")" ]; then
    fail "golden readings $name"
    diff <(printf '%s\n' "$actual") "$file" | head -20 >&2
  fi
  count=$((count + 1))
done
[ "$count" -ge 10 ] || fail "only $count golden readings files found in $GOLDEN"
expect_eq "readings index" "$(cd "$GOLDEN" && ls ./*.txt | sed 's|^\./||' | sort)" \
  "$(grep -v '^#' "$GOLDEN/INDEX" | cut -f1 | sort)"

# Simkhat Tora is 22 Tishri in Israel; 23 Tishri has no reading there.
out=$(readings_of --israel day 2024-10-24)
expect_eq "Israel 22 Tishri" "Readings for 24.10.2024:
Shemini Atseret/Simkhat Tora
Deuteronomy 33:1 - 34:12
Genesis 1:1 - 2:3; Numbers 29:35 - 30:1
Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)" "$out"
expect_eq "no Simkhat Tora on 23 Tishri in Israel" "" "$(readings_of --israel day 2024-10-25)"

# A weekday without readings has no readings list and succeeds.
out=$("$LUMARO_CLI" day 2024-11-04)
expect_eq "plain Monday exit" 0 $?
expect_eq "plain Monday" "" "$(printf '%s\n' "$out" | grep '^Readings for ')"

# The style setting does not change the texts.
expect_eq "style" "$(readings_of --style 1 day 2024-10-26)" "$(readings_of --style 2 day 2024-10-26)"

# The Diaspora setting from the settings file applies when no option is given.
printf 'Diaspora: "0"\n' > "$HOME/.lumaro/kivrasettings"
expect_eq "settings file" "$("$LUMARO_CLI" --israel day 2025-04-14)" "$("$LUMARO_CLI" day 2025-04-14)"
rm -f "$HOME/.lumaro/kivrasettings"

expect_usage_error "day without date" day
expect_usage_error "day with two dates" day 2024-10-05 2024-10-06
expect_usage_error "day out of range" day 3001-01-01

finish
