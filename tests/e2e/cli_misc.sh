#!/bin/bash
# lumaro-cli: what needs more than one run or a file of the user's: the first run's installation,
# eval --batch, the times against the dump, the clock of a new user, translations from files, and
# today by the local clock.
source "$(dirname "$0")/lib/common.sh"
S="$HOME/.lumaro/kivrasettings"

# First run: ~/.lumaro (mode 700) with the shipped city file; a user's own file is kept.
rm -rf "$HOME/.lumaro"
"$LUMARO_CLI" zmanim 2010-06-21 > /dev/null || fail "first run"
expect_eq "~/.lumaro mode" 700 "$(stat -c %a "$HOME/.lumaro")"
cmp -s "$HOME/.lumaro/cities" "$LUMARO_SOURCE_DIR/data/cities" && [ -n "$(ls "$HOME/.lumaro/translations")" ] ||
  fail "the shipped city file or translations were not installed"
printf '"Mine", 1,0 N, 1,0 E, GMT+1\n' > "$HOME/.lumaro/cities"
expect_eq "the user's city file kept" '"Mine", 1,0 N, 1,0 E, GMT+1' "$("$LUMARO_CLI" eval 2010-06-21 0 0 0 1 > /dev/null; cat "$HOME/.lumaro/cities")"
cp "$LUMARO_SOURCE_DIR/data/cities" "$HOME/.lumaro/cities"

# eval --batch: one value a line, messages on stderr, bad lines "error".
batch=$(printf '2010-06-21\t4853\t842\t1\tsunrise\ngarbage\n2010-06-21\t4853\t842\n2010-13-01\t4853\t842\t1\tsunrise\n2010-06-21\t4853\t842\t1\tsunset\t- 18\r\n\n' |
  "$LUMARO_CLI" eval --batch 2> "$W/err")
expect_eq "batch values" "$(printf '261\nerror\nerror\nerror\n1214\nerror')" "$batch"
combined=$(printf '2010-06-21\t4853\t842\t1\t(sunset\n' | "$LUMARO_CLI" eval --batch 2>&1)
expect_eq "batch: a line's messages before its value" "$(printf 'Parsing error ) expected\n  Original expression: (sunset\n-1')" "$combined"

# times: the evening times are the dump's; the labels translated, the times not.
printf 'CurrentCity: "Jerusalem"\nDSTAutomatic: "1"\nTimeFormat: "1"\n' > "$S"
out=$("$LUMARO_CLI" --israel times 2025-09-01 2026-08-31 2> "$W/err")
expect_eq "times: the kinds, nothing on stderr" "candles candles-after-nightfall fast-begins fast-ends havdalah khamets-burn khamets-eat khanukka kiddush-levana-begins kiddush-levana-ends tekufa|" \
  "$(cut -f2 <<< "$out" | sort -u | paste -sd' ')|$(cat "$W/err")"
expect_eq "times: the dump's times" \
  "$("$LUMARO_CLI" --israel dump 2025-09-01 2026-08-31 | awk -F'\t' 'NR > 1 && $12 != "" {print $1, substr($12, 3)}')" \
  "$(awk -F'\t' '$2 ~ /^(candles|candles-after-nightfall|havdalah)$/ {print $1, $3}' <<< "$out")"

to_minutes() { local h=$((10#${1:0:2} % 12)) m=$((10#${1:3:2})); [ "${1:5}" = PM ] && h=$((h + 12)); echo $((h * 60 + m)); }
# A new user (no settings file) follows the default city's zone: no summer time in Germany in 1978.
rm -f "$S"
new_user=$("$LUMARO_CLI" times 1978-07-07 1978-07-07 | cut -f3)
[ -e "$S" ] && fail "a new user's run wrote the settings"
: > "$S"
old_user=$("$LUMARO_CLI" times 1978-07-07 1978-07-07 | cut -f3)
expect_eq "a settings file without the key keeps the rule" 60 $(($(to_minutes "$old_user") - $(to_minutes "$new_user")))

# A translated name with a tab does not break the dump's columns.
rm -f "$HOME/.lumaro/translations/"*
printf '"Purim" = "Pu\trim"\n' > "$HOME/.lumaro/translations/english.calendar"
expect_eq "a tab in a translation" "Pu rim" "$("$LUMARO_CLI" dump 2025-03-14 2025-03-14 | tail -1 | cut -f6)"

# A new user: the place (and with it the festivals) by the system's zone, said on standard error.
for zone in "Asia/Jerusalem|Jerusalem|Isru Khag" "America/New_York|New York City|Pesakh VIII"; do
  IFS='|' read -r tz city holiday <<< "$zone"
  rm -f "$S"
  out=$(TZ=$tz LC_ALL=C "$LUMARO_CLI" today --date 2026-04-09 2> "$W/err")
  expect_eq "new user in $tz" "Place: $city|Holiday: $holiday" "$(grep -E '^(Place|Holiday):' <<< "$out" | paste -sd'|')"
  grep -qF "the place is $city (by the time zone $tz)" "$W/err" || fail "new user in $tz: $(cat "$W/err")"
  [ -e "$S" ] && fail "the proposal wrote the settings"
done

# today without --date: the local clock's day.
expect_eq "today's date" "Date: $(LC_ALL=C TZ=UTC date +'%A, %-d %B %Y' | sed 's/^Saturday/Shabbat/')" \
  "$(TZ=UTC "$LUMARO_CLI" today | head -1)"
finish
