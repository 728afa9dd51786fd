#!/bin/bash
# Times by each city's own time zone (the DSTAutomatic setting) through
# lumaro-cli dump and zmanim: off, everything is as it was; on, the shown
# times carry the offset the system's time-zone database gives (checked with
# the C library's own reading of it through date(1)).
source "$(dirname "$0")/lib/common.sh"

cp "$LUMARO_SOURCE_DIR/data/cities" "$HOME/.lumaro/cities"
SETTINGS="$HOME/.lumaro/kivrasettings"

# --- Off (the default): the outputs of 2024 for five settings, each city
# line now carrying its zone name, are those of the program before zone
# names existed. tests/data/shown_times_by_rule_2024.txt was written by
# lumaro-cli built from commit 83526ff with the city file of that commit,
# running the loop below: a regression guard, not independent values. It
# was updated once for the evenings of every festival: havdalah at the end
# of Pesakh's first and last days and of Shavuot (24 and 30 April, 13 June)
# and candles on the second evening of Rosh HaShana (3 October), the only
# differences, checked line by line.
configs=(
  'pforzheim|'
  'new-york|CurrentCity: "New York City"\nDSTStartWeekNo: "2"\nDSTEndWeekNo: "1"\nDSTEndMonth: "11"\n'
  'jerusalem|CurrentCity: "Jerusalem"\nDSTStartMethod: "1"\nDSTStartWeekday: "5"\nDSTStartDay: "26"\nDSTEndMethod: "0"\nTimeFormat: "1"\n'
  'sydney-no-dst|CurrentCity: "Sydney"\nIsDST: "0"\n'
  'buenos-aires|CurrentCity: "Buenos Aires"\nTimeFormat: "1"\nCandleLightingMin: "20"\nHavdalahIsMin: "0"\nHavdalahValue: "8.5"\n'
)
shown_times() {
  local c
  for c in "${configs[@]}"; do
    printf "${c#*|}$1" > "$SETTINGS"
    echo "== ${c%%|*}"
    "$LUMARO_CLI" dump 2024-01-01 2024-12-31 | cut -f1,12
    for d in 2024-01-05 2024-03-29 2024-06-21 2024-10-27; do "$LUMARO_CLI" zmanim $d; done
  done
}
shown_times '' > "$E2E_HOME/off.txt"
cmp -s "$E2E_HOME/off.txt" "$LUMARO_TEST_DATADIR/shown_times_by_rule_2024.txt" ||
  fail "option absent: shown times differ from before: $(diff "$E2E_HOME/off.txt" "$LUMARO_TEST_DATADIR/shown_times_by_rule_2024.txt" | head -5)"
shown_times 'DSTAutomatic: "0"\n' > "$E2E_HOME/off.txt"
cmp -s "$E2E_HOME/off.txt" "$LUMARO_TEST_DATADIR/shown_times_by_rule_2024.txt" || fail "option 0: shown times differ from before"

# The whole calendar range with the default settings: the SHA-256 of the
# dump made by the same earlier program (regression guard), updated for the
# corrected Daf Yomi tractate name Temurah and for the evenings of every
# festival (only shabbat_time changed, and only on festival days and the
# days before them, compared column by column).
printf '' > "$SETTINGS"
expect_eq "dump 1583..3000 unchanged" 4d4b4088e9a0628e81b3319cff563548199ad24fbbf4023002def0430720968f \
  "$("$LUMARO_CLI" dump 1583-01-01 3000-12-31 | sha256sum | cut -d' ' -f1)"

# --- On: Friday candle lighting (sunset - 18) in cities of the shipped file.
# expected_candles CITY LAT LON ZONE DATE: the standard-time value of eval in
# the file's zone hours, taken to UTC and then to the offset date(1) reports
# for the zone at that instant.
expected_candles() {
  local t utc offset sign minutes
  t=$("$LUMARO_CLI" eval "$5" "$2" "$3" "$4" 'sunset - 18')
  utc=$(($(date -u -d "$5" +%s) + t * 60 - $4 * 3600))
  offset=$(TZ="$1" date -d "@$utc" +%z)  # +0530
  sign=${offset:0:1}
  minutes=$((10#${offset:1:2} * 60 + 10#${offset:3:2}))
  [ "$sign" = "-" ] && minutes=$((-minutes))
  t=$((t - $4 * 60 + minutes))
  printf 'C %02d:%02d' $((t / 60)) $((t % 60))
}
# name | latitude | longitude | file zone hours | time zone | Friday
cases=(
  'Kolkata|2234|8822|5|Asia/Kolkata|2024-01-05'
  'Adelaide|-3456|13836|9|Australia/Adelaide|2024-01-05'
  'Kathmandu|2742|8519|5|Asia/Kathmandu|2024-06-21'
  "St. John's|4734|-5243|-3|America/St_Johns|2024-06-21"
  'New York City|4043|-7400|-5|America/New_York|2006-11-03'
  'New York City|4043|-7400|-5|America/New_York|2007-11-02'
  'Jerusalem|3146|3513|2|Asia/Jerusalem|2012-10-05'
  'Jerusalem|3146|3513|2|Asia/Jerusalem|2014-10-03'
  'Sydney|-3352|15112|10|Australia/Sydney|2099-01-02'
)
for c in "${cases[@]}"; do
  IFS='|' read -r city lat lon zone tz day <<< "$c"
  printf 'CurrentCity: "%s"\nTimeFormat: "1"\nDSTAutomatic: "1"\n' "$city" > "$SETTINGS"
  expect_eq "$city $day" "$(expected_candles "$tz" "$lat" "$lon" "$zone" "$day")" \
    "$(tsv_field "$("$LUMARO_CLI" dump "$day" "$day" | tail -1)" 12)"
done
# The US rule changed in 2007: the first Friday of November 2006 had winter
# time, that of 2007 still summer time (candles at 16:31 and 17:32).
printf 'CurrentCity: "New York City"\nDSTAutomatic: "1"\nTimeFormat: "1"\n' > "$SETTINGS"
expect_eq "New York 2006, winter time" "C 16" "$("$LUMARO_CLI" dump 2006-11-03 2006-11-03 | tail -1 | cut -f12 | cut -c1-4)"
expect_eq "New York 2007, summer time" "C 17" "$("$LUMARO_CLI" dump 2007-11-02 2007-11-02 | tail -1 | cut -f12 | cut -c1-4)"

# The zmanim of a day follow the zone too: sunset in Kolkata.
printf 'CurrentCity: "Kolkata"\nTimeFormat: "1"\nDSTAutomatic: "1"\n' > "$SETTINGS"
expected=$(expected_candles Asia/Kolkata 2234 8822 5 2024-01-05)
t=$((10#${expected:2:2} * 60 + 10#${expected:5:2} + 18))
expect_eq "Kolkata sunset" "$(printf 'shkiat haKhama: %02d:%02d' $((t / 60)) $((t % 60)))" \
  "$("$LUMARO_CLI" zmanim 2024-01-05 | sed -n 12p)"

# A city line with a zone the database does not know: one message on
# stderr, and the times of the rule.
printf '"Mine", 48,53 N, 8,42 E, GMT+1, Europe/Atlantis\n"Rule", 48,53 N, 8,42 E, GMT+1\n' > "$HOME/.lumaro/cities"
printf 'CurrentCity: "Rule"\n' > "$SETTINGS"
by_rule=$("$LUMARO_CLI" dump 2024-06-01 2024-06-30 | cut -f12)
printf 'CurrentCity: "Mine"\nDSTAutomatic: "1"\n' > "$SETTINGS"
out=$("$LUMARO_CLI" dump 2024-06-01 2024-06-30 2> "$E2E_HOME/err" | cut -f12)
expect_eq "unknown zone: times by the rule" "$by_rule" "$out"
expect_eq "unknown zone: one message" \
  "Time zone Europe/Atlantis is not in the system's time-zone database; the daylight-saving rule applies" \
  "$(cat "$E2E_HOME/err")"

finish
