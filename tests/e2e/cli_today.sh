#!/bin/bash
# lumaro-cli today --date DATE: the labelled lines of a day, checked against
# the calendar: the Hebrew dates, holidays and Daf Yomi pages are those of
# tests/data (holiday_dates.csv, daf_yomi_pages.csv, shabbat_sections.csv,
# made from an independent calendar), the weekly section is the coming
# Shabbat's, and the evening times agree with the dump and eval commands.
# (After-sunset lines, which need the clock, are tested in
# tests/unit/cli_today_test.cpp.)
source "$(dirname "$0")/lib/common.sh"

printf '%s\n' 'CurrentCity: "Jerusalem"' 'TimeFormat: "1"' 'DSTAutomatic: "1"' > "$HOME/.lumaro/kivrasettings"
# An anniversary on 16 Nisan (its 10th in 5786), a yortsayt on 20 Nisan.
printf '%s\n' '"Rivka Levi" A H 16.1.5776 0' '"Moshe Cohen" Y H 20.1.5780 0' > "$HOME/.lumaro/kivraanni"

# check_today NAME EXPECTED ARGS...
check_today() {
  local name=$1 expected=$2
  shift 2
  local out
  out=$("$LUMARO_CLI" "$@" 2> "$E2E_HOME/err")
  expect_eq "$name: exit status" 0 $?
  expect_eq "$name: stderr" "" "$(cat "$E2E_HOME/err")"
  # Line by line, so a failure names the line.
  local i=1 line
  while IFS= read -r line; do
    expect_eq "$name: line $i" "$line" "$(printf '%s\n' "$out" | sed -n "${i}p")"
    i=$((i + 1))
  done <<< "$expected"
  expect_eq "$name: number of lines" "$((i - 1))" "$(printf '%s\n' "$out" | wc -l)"
}

# Friday 3 April 2026 = 16 Nisan 5786: Pesakh II in the Diaspora, Khol
# HaMoed in Israel; the first day of the Omer; Daf Yomi Menachot 82; the
# coming Shabbat (4 April) is a festival Shabbat without a weekly section;
# candle lighting 18 minutes before sunset; the anniversary of 16 Nisan.
check_today "Pesakh, Israel" "Date: Friday, 3 April 2026
Hebrew date: 16 Nisan 5786
Holiday: Khol HaMoed
Omer: 1 L'Omer
Daf Yomi: Menachos 82
Candle Lighting: 18:42
Anniversary: Rivka Levi
Sunset: 19:00" --israel today --date 2026-04-03
check_today "Pesakh, Diaspora" "Date: Friday, 3 April 2026
Hebrew date: 16 Nisan 5786
Holiday: Pesakh II
Omer: 1 L'Omer
Daf Yomi: Menachos 82
Candle Lighting: 18:42
Anniversary: Rivka Levi
Sunset: 19:00" --diaspora today --date 2026-04-03

# Thursday 19 March 2026 = 1 Nisan 5786, Rosh Khodesh; the coming Shabbat
# (21 March) reads Vayikra; Daf Yomi Menachot 67; standard time (Israel's
# summer time begins on 27 March).
check_today "Rosh Khodesh" "Date: Thursday, 19 March 2026
Hebrew date: 1 Nisan 5786
Rosh Khodesh: Rosh Khodesh
Torah section: Vayikra
Daf Yomi: Menachos 67
Sunset: 17:50" --israel today --date 2026-03-19

# Wednesday 17 December 2025 = 27 Kislev 5786, the third day of Khanukka;
# Shabbat 20 December reads Mikkets.
check_today "Khanukka" "Date: Wednesday, 17 December 2025
Hebrew date: 27 Kislev 5786
Holiday: Khanukka III
Torah section: Mikkets
Daf Yomi: Zevachim 94
Sunset: 16:37" today --date 2025-12-17

# Wednesday 14 October 2026 = 3 Heshvan 5787: Shabbat 17 October reads
# Noah; Daf Yomi Bechorot 26 (24 on the 12th).
check_today "a weekday" "Date: Wednesday, 14 October 2026
Hebrew date: 3 Heshvan 5787
Torah section: Noah
Daf Yomi: Bechoros 26
Sunset: 18:07" today --date 2026-10-14

# Tuesday 7 April 2026 = 20 Nisan: the yortsayt.
"$LUMARO_CLI" today --date 2026-04-07 | grep -qx "yortsayt: Moshe Cohen" || fail "the yortsayt of 20 Nisan is missing"

# The evening times are those of the other commands: the dump's Shabbat
# time, and sunset by eval (Jerusalem 31°46' N 35°13' E, zone +2, one hour
# of summer time in April).
expect_eq "candle lighting as in dump" "C 18:42" "$("$LUMARO_CLI" dump 2026-04-03 2026-04-03 | tail -1 | cut -f12)"
m=$("$LUMARO_CLI" eval 2026-04-03 3146 3513 2 sunset)
expect_eq "sunset as by eval" "19:00" "$(printf '%02d:%02d' $(((m + 60) / 60)) $(((m + 60) % 60)))"

# In Yiddish every label is translated.
out=$("$LUMARO_CLI" --language yiddish today --date 2026-04-03)
expect_eq "Yiddish first line" "דאַטע: פֿרײַטיק, 3 אַפּריל 2026" "$(printf '%s\n' "$out" | head -1)"
# The Hebrew date in Hebrew numerals, the default in Yiddish and Hebrew; in
# digits with them off (the month then in its Yiddish spelling).
expect_eq "Yiddish Hebrew date" "ייִדישע דאַטע: ט״ז ניסן תשפ״ו" "$(printf '%s\n' "$out" | sed -n 2p)"
printf '%s\n' "$out" | cut -d: -f1 | grep -q '[A-Za-z]' && fail "Yiddish labels left in English: $out"
expect_eq "Yiddish Hebrew date in digits" "ייִדישע דאַטע: 16 ניסן 5786" \
  "$("$LUMARO_CLI" --language yiddish --hebrew-numerals off today --date 2026-04-03 | sed -n 2p)"
out=$("$LUMARO_CLI" --language hebrew today --date 2026-04-03)
expect_eq "Hebrew first line" "תאריך: יום שישי, 3 אפריל 2026" "$(printf '%s\n' "$out" | head -1)"
expect_eq "Hebrew Hebrew date" "תאריך עברי: ט״ז ניסן תשפ״ו" "$(printf '%s\n' "$out" | sed -n 2p)"
printf '%s\n' "$out" | grep -v 'Rivka Levi' | grep -q '[A-Za-z]' && fail "Hebrew: English left (but the name): $out"
expect_eq "English Hebrew date in numerals" "Hebrew date: ט״ז ניסן תשפ״ו" \
  "$("$LUMARO_CLI" --hebrew-numerals on today --date 2026-04-03 | sed -n 2p)"

# Without --date: today by the local clock (a date the calendar knows).
out=$(TZ=UTC "$LUMARO_CLI" today)
expect_eq "today exit status" 0 $?
expect_eq "today's date" "Date: $(LC_ALL=C TZ=UTC date +'%A, %-d %B %Y' | sed 's/^Saturday/Shabbat/')" "$(printf '%s\n' "$out" | head -1)"

# Usage errors.
expect_usage_error "today extra argument" today 2026-04-03
expect_usage_error "today --date without a value" today --date
expect_usage_error "today --date twice" today --date 2026-04-03 --date 2026-04-04
expect_usage_error "today bad date" today --date 2026-02-30
expect_usage_error "today date out of range" today --date 3001-01-01
expect_usage_error "today unknown option" today --tomorrow

finish
