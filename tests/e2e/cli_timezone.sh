#!/bin/bash
# Times by each city's own time zone (the DSTAutomatic setting) through lumaro-cli dump and zmanim:
# off, everything is as it was; on, the shown times carry the offset the system's time-zone database
# gives (checked with the C library's own reading of it through date(1)).
source "$(dirname "$0")/lib/common.sh"
SETTINGS="$HOME/.lumaro/kivrasettings"

# Off (the default): the outputs of 2024 for five settings are those of the program before zone names
# existed: shown_times_by_rule_2024.txt, made by this loop with lumaro-cli of commit 83526ff, a
# regression record, updated once for the festival evenings, once for the end of Kiddush Levana in
# the zmanim lists of 21 June and once for the Fridays' candle lighting in the zmanim lists (each the
# dump's time of that Friday; checked line by line).
configs=(
  'pforzheim|'
  'new-york|CurrentCity: "New York City"\nDSTStartWeekNo: "2"\nDSTEndWeekNo: "1"\nDSTEndMonth: "11"\n'
  'jerusalem|CurrentCity: "Jerusalem"\nDSTStartMethod: "1"\nDSTStartWeekday: "5"\nDSTStartDay: "26"\nDSTEndMethod: "0"\nTimeFormat: "1"\n'
  'sydney-no-dst|CurrentCity: "Sydney"\nIsDST: "0"\n'
  'buenos-aires|CurrentCity: "Buenos Aires"\nTimeFormat: "1"\nCandleLightingMin: "20"\nHavdalahIsMin: "0"\nHavdalahValue: "8.5"\n'
)
for c in "${configs[@]}"; do
  printf "${c#*|}" > "$SETTINGS"
  echo "== ${c%%|*}"
  "$LUMARO_CLI" dump 2024-01-01 2024-12-31 | cut -f1,12
  for d in 2024-01-05 2024-03-29 2024-06-21 2024-10-27; do "$LUMARO_CLI" zmanim $d; done
done > "$W/off.txt"
diff "$W/off.txt" "$LUMARO_TEST_DATADIR/shown_times_by_rule_2024.txt" > "$W/diff" || fail "shown times differ: $(head -5 "$W/diff")"
# The whole calendar range with the default settings: the SHA-256 of the dump of the same earlier
# program (regression record; updated for the Daf Yomi name Temurah and the festival evenings,
# compared column by column).
: > "$SETTINGS"
expect_eq "dump 1583..3000 unchanged" 4d4b4088e9a0628e81b3319cff563548199ad24fbbf4023002def0430720968f \
  "$("$LUMARO_CLI" dump 1583-01-01 3000-12-31 | sha256sum | cut -d' ' -f1)"

# On: Friday candle lighting (sunset - 18): the standard-time value of eval in the city file's zone
# hours, taken to UTC and then to the offset date(1) reports for the zone at that instant.
while IFS=$'\t' read -r city lat lon zone tz day; do
  printf 'CurrentCity: "%s"\nTimeFormat: "1"\nDSTAutomatic: "1"\n' "$city" > "$SETTINGS"
  t=$("$LUMARO_CLI" eval "$day" "$lat" "$lon" "$zone" 'sunset - 18')
  offset=$(TZ="$tz" date -d "@$(($(date -u -d "$day" +%s) + t * 60 - zone * 3600))" +%z)  # +0530
  t=$((t - zone * 60 ${offset:0:1} (10#${offset:1:2} * 60 + 10#${offset:3:2})))
  expect_eq "$city $day" "$(printf 'C %02d:%02d' $((t / 60)) $((t % 60)))" "$("$LUMARO_CLI" dump "$day" "$day" | tail -1 | cut -f12)"
done < <(grep -v '^#' "$LUMARO_TEST_DATADIR/e2e/timezone_candles.tsv")

# A city line with a zone the database does not know: one message on stderr, the times of the rule.
printf '"Mine", 48,53 N, 8,42 E, GMT+1, Europe/Atlantis\n"Rule", 48,53 N, 8,42 E, GMT+1\n' > "$HOME/.lumaro/cities"
printf 'CurrentCity: "Rule"\n' > "$SETTINGS"
by_rule=$("$LUMARO_CLI" dump 2024-06-01 2024-06-30 | cut -f12)
printf 'CurrentCity: "Mine"\nDSTAutomatic: "1"\n' > "$SETTINGS"
expect_eq "unknown zone: times by the rule, one message" \
  "$by_rule|Time zone Europe/Atlantis is not in the system's time-zone database; the daylight-saving rule applies" \
  "$("$LUMARO_CLI" dump 2024-06-01 2024-06-30 2> "$W/err" | cut -f12)|$(cat "$W/err")"
finish
