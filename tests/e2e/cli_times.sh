#!/bin/bash
# lumaro-cli times: the line format, every kind of time, the clock of the
# settings (12/24 hours, the city's zone or the daylight-saving rule), a new
# user without a settings file, translated labels, and the usage errors.
source "$(dirname "$0")/lib/common.sh"

SETTINGS="$HOME/.lumaro/kivrasettings"
cp "$LUMARO_SOURCE_DIR/data/cities" "$HOME/.lumaro/cities"

# Jerusalem, Israel, 24-hour clock, the city's own zone: the High Holidays
# of 5786, Khanukka and the two Erev Pesakh kinds (on a weekday and on
# Shabbat). Kinds and dates are the rules' (the times themselves are checked
# against independent data in cli_times_reference.sh).
printf 'CurrentCity: "Jerusalem"\nDSTAutomatic: "1"\nTimeFormat: "1"\n' >"$SETTINGS"
kinds() { "$LUMARO_CLI" --israel times "$1" "$2" | cut -f1,2 | tr '\t' ' '; }
expect_eq "Tishri 5786" "$(printf '%s\n' \
  '2025-09-22 candles' '2025-09-23 candles-after-nightfall' '2025-09-24 havdalah' \
  '2025-09-25 fast-begins' '2025-09-25 fast-ends' '2025-09-26 candles' '2025-09-27 havdalah' \
  '2025-10-01 candles' '2025-10-01 fast-begins' '2025-10-02 havdalah' '2025-10-02 fast-ends')" \
  "$(kinds 2025-09-22 2025-10-02)"
expect_eq "Khanukka 5786" "$(printf '%s\n' \
  '2025-12-14 khanukka' '2025-12-15 khanukka' '2025-12-16 khanukka' '2025-12-17 khanukka' \
  '2025-12-18 khanukka' '2025-12-19 khanukka' '2025-12-19 candles' '2025-12-20 havdalah' \
  '2025-12-20 khanukka' '2025-12-21 khanukka')" "$(kinds 2025-12-14 2025-12-22)"
expect_eq "Erev Pesakh on Wednesday" "2026-04-01 khamets-eat|2026-04-01 khamets-burn|2026-04-01 candles" \
  "$(kinds 2026-04-01 2026-04-01 | paste -sd'|')"
expect_eq "Erev Pesakh on Shabbat: burnt on Friday" \
  "2025-04-11 khamets-burn|2025-04-11 candles|2025-04-12 khamets-eat|2025-04-12 candles-after-nightfall" \
  "$(kinds 2025-04-11 2025-04-12 | paste -sd'|')"
# 9 Av 5785 was Shabbat: the fast began at Saturday's sunset, before havdalah.
expect_eq "Tisha BeAv deferred" "2025-08-02 fast-begins|2025-08-02 havdalah|2025-08-03 fast-ends" \
  "$(kinds 2025-08-02 2025-08-03 | paste -sd'|')"

out=$("$LUMARO_CLI" --israel times 2025-09-01 2026-08-31 2>"$HOME/err")
expect_eq "a year: exit status" 0 $?
expect_eq "a year: nothing on stderr" "" "$(cat "$HOME/err")"
expect_eq "four fields a line" 4 "$(printf '%s\n' "$out" | awk -F'\t' '{print NF}' | sort -u)"
expect_eq "the kinds" "candles candles-after-nightfall fast-begins fast-ends havdalah khamets-burn khamets-eat khanukka" \
  "$(printf '%s\n' "$out" | cut -f2 | sort -u | tr '\n' ' ' | sed 's/ $//')"
expect_eq "24-hour times" "" "$(printf '%s\n' "$out" | cut -f3 | grep -v '^[0-2][0-9]:[0-5][0-9]$')"
expect_eq "dates in order" "$(printf '%s\n' "$out" | cut -f1 | sort)" "$(printf '%s\n' "$out" | cut -f1)"
expect_eq "the labels" "$(printf '%s\n' 'Burn khamets' 'Candle Lighting' 'Candle lighting after nightfall' \
  'Fast begins' 'Fast ends' 'Havdalah' 'Khanukka: 1 candle' 'Khanukka: 2 candles' 'Khanukka: 3 candles' \
  'Khanukka: 4 candles' 'Khanukka: 5 candles' 'Khanukka: 6 candles' 'Khanukka: 7 candles' 'Khanukka: 8 candles' \
  'Last time to eat khamets')" "$(printf '%s\n' "$out" | cut -f4 | LC_ALL=C sort -u)"
# The time column is the month view's: the same as dump's shabbat_time.
expect_eq "the dump's times" \
  "$("$LUMARO_CLI" --israel dump 2025-09-01 2026-08-31 | awk -F'\t' 'NR > 1 && $12 != "" {print $1, substr($12, 3)}')" \
  "$(printf '%s\n' "$out" | awk -F'\t' '$2 ~ /^(candles|candles-after-nightfall|havdalah)$/ {print $1, $3}')"

# New York: with the city's zone Friday 13 March 2026 is in summer time,
# while the default rule (last Sunday of March) still shows standard time,
# an hour earlier; 12-hour clock.
printf 'CurrentCity: "New York City"\nDSTAutomatic: "1"\n' >"$SETTINGS"
zone=$("$LUMARO_CLI" times 2026-03-13 2026-03-13 | cut -f3)
printf 'CurrentCity: "New York City"\n' >"$SETTINGS"
rule=$("$LUMARO_CLI" times 2026-03-13 2026-03-13 | cut -f3)
to_minutes() { local t=$1 h=$((10#${1:0:2} % 12)) m=$((10#${1:3:2})); [ "${t:5}" = PM ] && h=$((h + 12)); echo $((h * 60 + m)); }
expect_eq "the zone's summer time" 60 $(($(to_minutes "$zone") - $(to_minutes "$rule")))
case "$zone" in 0[5-7]:[0-5][0-9]PM) ;; *) fail "New York candles at $zone" ;; esac

# Without a settings file (a new user) the default city follows its zone:
# Germany had no summer time in 1978, which the default rule does not know.
rm -f "$SETTINGS"
new_user=$("$LUMARO_CLI" times 1978-07-07 1978-07-07 | cut -f3)
expect_eq "a new user's run writes no settings" "" "$(ls "$SETTINGS" 2>/dev/null)"
: >"$SETTINGS"
old_user=$("$LUMARO_CLI" times 1978-07-07 1978-07-07 | cut -f3)
expect_eq "a settings file without the key keeps the rule" 60 $(($(to_minutes "$old_user") - $(to_minutes "$new_user")))

# Yiddish labels from the shipped translations, the times unchanged.
mkdir -p "$HOME/.lumaro/translations"
cp "$LUMARO_SOURCE_DIR"/data/translations/yiddish.* "$HOME/.lumaro/translations/"
printf 'CurrentCity: "Jerusalem"\nDSTAutomatic: "1"\nTimeFormat: "1"\nLanguage: "2"\n' >"$SETTINGS"
yi=$("$LUMARO_CLI" --israel times 2025-09-01 2026-08-31)
expect_eq "Yiddish: the same dates, kinds and times" "$(printf '%s\n' "$out" | cut -f1-3)" "$(printf '%s\n' "$yi" | cut -f1-3)"
translation() { sed -n "s/^\"$1\" = \"\(.*\)\"\$/\1/p" "$LUMARO_SOURCE_DIR"/data/translations/yiddish.*; }
expect_eq "Yiddish: fast ends" "$(translation 'Fast ends')" "$(printf '%s\n' "$yi" | awk -F'\t' '$2 == "fast-ends" {print $4}' | sort -u)"
expect_eq "Yiddish: 3 candles" "$(translation 'Khanukka: %d candles' | sed 's/%d/3/')" \
  "$(printf '%s\n' "$yi" | awk -F'\t' '$1 == "2025-12-16" {print $4}')"
for key in 'Fast ends' 'Khanukka: %d candles' 'Candle lighting after nightfall'; do
  [ -n "$(translation "$key")" ] || fail "no Yiddish for $key"
done
expect_eq "Yiddish: after nightfall" "$(translation 'Candle lighting after nightfall')" \
  "$(printf '%s\n' "$yi" | awk -F'\t' '$1 == "2025-09-23" {print $4}')"

# A city the file does not have, and the usage errors.
printf 'CurrentCity: "Atlantis"\n' >"$SETTINGS"
expect_usage_error "unknown city" times 2025-01-01 2025-01-02
printf '' >"$SETTINGS"
expect_usage_error "no dates" times
expect_usage_error "one date" times 2025-01-01
expect_usage_error "three dates" times 2025-01-01 2025-01-02 2025-01-03
expect_usage_error "not a date" times 2025-13-01 2025-12-31
expect_usage_error "reversed range" times 2025-12-31 2025-01-01
expect_usage_error "before the range of years" times 1582-12-31 1583-01-01
"$LUMARO_CLI" times 3000-12-31 3000-12-31 >/dev/null || fail "the last day"

finish
