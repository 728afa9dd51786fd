#!/bin/bash
# lumaro-cli ics: a whole year in English and in Yiddish read back by an
# independent iCalendar parser (python3-icalendar) and compared with
# independent data (lib/ics_check.py); stable output; kinds; the messages
# that must not spoil the calendar; the error exits.
source "$(dirname "$0")/lib/common.sh"

# Debian's python, which has the icalendar module (a python of another
# installation may lack it).
PYTHON=/usr/bin/python3
[ -x "$PYTHON" ] || PYTHON=python3
if ! "$PYTHON" -c 'import icalendar, zoneinfo' 2>/dev/null; then
  echo "python3 with the icalendar module is needed (Debian package python3-icalendar)" >&2
  exit 1
fi
CHECK="$(dirname "$0")/lib/ics_check.py"
DATA="$LUMARO_TEST_DATADIR"

# Pforzheim (the default city, shipped city file), Diaspora, 24-hour clock.
printf 'TimeFormat: "1"\n' >"$HOME/.lumaro/kivrasettings"
# Hebrew dates that come back on Pesakh I 5784 (23 April 2024) and Yom Kippur
# 5785 (12 October 2024), names with every character iCalendar escapes, a
# Yiddish name longer than a line, and one entry twice.
LONG_NAME=$(printf 'שרה בת אברהם %.0s' 1 2 3 4 5 6)
cat >"$HOME/.lumaro/kivraanni" <<EOF
"Moshe, son of Avraham; \\"the elder\\" \\\\ C:\\\\x" B H 15.1.5700 0
"Rivka" Y H 10.7.5700 0
"Rivka" Y H 10.7.5700 0
"$LONG_NAME" A H 15.1.5700 0
EOF
ANNI=(--anniversary 2024-04-23 'Birthday: Moshe, son of Avraham; "the elder" \ C:\x'
  --anniversary 2024-04-23 "Anniversary: $LONG_NAME"
  --anniversary 2024-10-12 'yortsayt: Rivka' --anniversary 2024-10-12 'yortsayt: Rivka')

W="$E2E_HOME/work"
mkdir -p "$W"

# ---------------------------------------------------------------- English
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 >"$W/en.ics" 2>"$W/en.err"
expect_eq "English: exit status" 0 $?
expect_eq "English: nothing on stderr" "" "$(cat "$W/en.err")"
"$LUMARO_CLI" dump 2024-01-01 2024-12-31 >"$W/en.tsv"
out=$("$PYTHON" "$CHECK" "$W/en.ics" "$W/en.tsv" "$DATA" 2024 "${ANNI[@]}" 2>&1) || fail "English year: $out"
en_events=$out

# The same run again gives the same bytes, so the UIDs are stable.
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 >"$W/en2.ics"
cmp -s "$W/en.ics" "$W/en2.ics" || fail "two runs differ"

# ---------------------------------------------------------------- Yiddish
mkdir -p "$HOME/.lumaro/translations"
# Only these names: the shipped files the first run installed are removed.
rm -f "$HOME/.lumaro/translations"/*
cat >"$HOME/.lumaro/translations/yiddish.calendar" <<'EOF'
# A few names, enough to see the export use the interface language.
"Pesakh I" = "פּסח א"
"Yom Kippur" = "יום-כּיפּור"
"Khol HaMoed" = "חול-המועד"
"Shabbat Shekalim" = "שבת שקלים"
"Bereshith" = "בראשית"
"Noah" = "נח"
"Candle Lighting" = "ליכט-צינדן"
"Havdalah" = "הבֿדלה"
"Rosh Khodesh" = "ראש-חודש"
"1st day of Rosh Khodesh" = "ערשטער טאָג ראש-חודש"
"2nd day of Rosh Khodesh" = "צווייטער טאָג ראש-חודש"
"%d L'Omer" = "%d טעג פֿון עומר"
"Yizkor" = "יזכּור"
"Birthday" = "געבוירן-טאָג"
"yortsayt" = "יאָרצייט"
EOF
printf 'TimeFormat: "1"\nLanguage: "2"\n' >"$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 >"$W/yi.ics" 2>"$W/yi.err"
expect_eq "Yiddish: exit status" 0 $?
"$LUMARO_CLI" dump 2024-01-01 2024-12-31 >"$W/yi.tsv"
ANNI_YI=(--anniversary 2024-04-23 'געבוירן-טאָג: Moshe, son of Avraham; "the elder" \ C:\x'
  --anniversary 2024-04-23 "Anniversary: $LONG_NAME"
  --anniversary 2024-10-12 'יאָרצייט: Rivka' --anniversary 2024-10-12 'יאָרצייט: Rivka')
out=$("$PYTHON" "$CHECK" "$W/yi.ics" "$W/yi.tsv" "$DATA" 2024 \
  --translations "$HOME/.lumaro/translations/yiddish.calendar" "${ANNI_YI[@]}" 2>&1) || fail "Yiddish year: $out"
expect_eq "Yiddish: as many events as in English" "$en_events" "$out"
# The same UIDs in both languages: re-importing replaces the events.
uids() { tr -d '\r' <"$1" | grep '^UID:' | sort; }
[ "$(uids "$W/en.ics")" = "$(uids "$W/yi.ics")" ] || fail "the UIDs depend on the language"
grep -q 'SUMMARY:פּסח א' "$W/yi.ics" || fail "no Yiddish holiday name"
printf 'TimeFormat: "1"\n' >"$HOME/.lumaro/kivrasettings"

# ---------------------------------------------------------------- kinds
count() { grep -c '^BEGIN:VEVENT' "$1"; }
total=0
for kind in holidays parasha times anniversaries daf-yomi omer; do
  "$LUMARO_CLI" ics 2024-01-01 2024-12-31 "--$kind" >"$W/$kind.ics"
  total=$((total + $(count "$W/$kind.ics")))
done
expect_eq "the kinds add up to all" "$(count "$W/en.ics")" "$total"
expect_eq "omer alone" 49 "$(count "$W/omer.ics")"
# The Hebrew date of every day only when asked for, in digits or numerals.
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 --hebrew-dates >"$W/hebrew-dates.ics"
expect_eq "a Hebrew date a day" 366 "$(count "$W/hebrew-dates.ics")"
grep -q "hebrew-date" "$W/en.ics" && fail "the Hebrew dates are in the export without being asked for"
hebrew_summary() { "$LUMARO_CLI" "$@" ics 2024-03-24 2024-03-24 --hebrew-dates | tr -d '\r' | sed -n 's/^SUMMARY://p'; }
expect_eq "Purim 5784 in digits" "14 Adar II 5784" "$(hebrew_summary)"
expect_eq "Purim 5784 in numerals" "י״ד אדר ב׳ תשפ״ד" "$(hebrew_summary --hebrew-numerals on)"
expect_eq "Purim 5784 in Hebrew" "י״ד אדר ב׳ תשפ״ד" "$(hebrew_summary --language hebrew)"
# Options may come anywhere and twice.
"$LUMARO_CLI" ics --omer 2024-01-01 --omer 2024-12-31 >"$W/omer2.ics"
cmp -s "$W/omer.ics" "$W/omer2.ics" || fail "options before the dates"
# One day, a range across the end of February of a leap year.
"$LUMARO_CLI" ics 2024-02-28 2024-03-01 --daf-yomi >"$W/feb.ics"
expect_eq "leap day" "20240228 20240229 20240301" \
  "$(tr -d '\r' <"$W/feb.ics" | sed -n 's/^DTSTART;VALUE=DATE://p' | tr '\n' ' ' | sed 's/ $//')"
# The whole range of years is accepted (only its ends are written here).
"$LUMARO_CLI" ics 1583-01-01 1583-01-01 --holidays >/dev/null || fail "first year"
"$LUMARO_CLI" ics 3000-12-31 3000-12-31 --holidays >/dev/null || fail "last year"

# ---------------------------------------------------------------- daily learning
# The chosen cycles besides Daf Yomi, read back by the parser: one event a
# cycle and day, summary "<cycle>: <portion>" as lumaro-cli learning prints
# the portion, UID "<date>-<cycle>@...".
expect_usage_error "--learning without a chosen cycle" ics 2024-01-01 2024-12-31 --learning
printf '%s\n' 'TimeFormat: "1"' 'LearningMishnaYomit: "1"' 'LearningTehillim: "1"' 'LearningPirkeiAvot: "1"' \
  >"$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 --learning >"$W/learning.ics"
expect_eq "--learning: exit status" 0 $?
"$LUMARO_CLI" learning 2024-01-01 2024-12-31 --chosen | grep -v $'\tdaf-yomi\t' >"$W/learning.tsv"
"$PYTHON" - "$W/learning.ics" "$W/learning.tsv" <<'PY' || fail "--learning: the events are not the chosen portions"
import icalendar, sys
titles = {"mishna-yomit": "Mishna Yomit", "tehillim": "Tehillim", "pirkei-avot": "Pirkei Avot"}
expected = []
for line in open(sys.argv[2], encoding="utf-8"):
    date, cycle, text = line.rstrip("\n").split("\t")
    expected.append((date.replace("-", ""), f"{titles[cycle]}: {text}", f"{date.replace('-', '')}-{cycle}@lumaro.example.org"))
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
actual = []
for e in calendar.walk("VEVENT"):
    start, end = e.decoded("DTSTART"), e.decoded("DTEND")
    assert (end - start).days == 1, e
    actual.append((start.strftime("%Y%m%d"), str(e["SUMMARY"]), str(e["UID"])))
assert len(expected) == 366 + 366 + 22, len(expected)  # two cycles every day, the 22 Shabbatot of 5784
assert actual == expected, [x for x in zip(actual, expected) if x[0] != x[1]][:3]
assert len({uid for _, _, uid in actual}) == len(actual)
PY
# The default kinds now have the learning; they still add up.
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 >"$W/all-learning.ics"
expect_eq "with learning: all kinds" "$(($(count "$W/en.ics") + $(count "$W/learning.ics")))" "$(count "$W/all-learning.ics")"
# Daf Yomi switched off: not among the default kinds, still there when named.
printf '%s\n' 'TimeFormat: "1"' 'LearningDafYomi: "0"' >"$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 >"$W/no-daf.ics"
expect_eq "Daf Yomi off: the default kinds" "$(($(count "$W/en.ics") - $(count "$W/daf-yomi.ics")))" "$(count "$W/no-daf.ics")"
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 --daf-yomi >"$W/daf-named.ics"
cmp -s "$W/daf-yomi.ics" "$W/daf-named.ics" || fail "Daf Yomi off: --daf-yomi"
printf 'TimeFormat: "1"\n' >"$HOME/.lumaro/kivrasettings"

# ---------------------------------------------------------------- messages
# A broken city line and a candle-lighting value that gives no expression:
# their messages go to stderr, the calendar on stdout stays clean.
cp "$HOME/.lumaro/cities" "$W/cities.saved"
{ echo '"Broken", 99'; cat "$W/cities.saved"; } >"$HOME/.lumaro/cities"
printf 'TimeFormat: "1"\nCandleLightingMin: "-5"\n' >"$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" ics 2024-01-05 2024-01-06 --times >"$W/msg.ics" 2>"$W/msg.err"
expect_eq "messages: exit status" 0 $?
grep -q 'line 1' "$W/msg.err" || fail "the city file message is not on stderr"
grep -q 'Parsing error' "$W/msg.err" || fail "the expression message is not on stderr"
"$PYTHON" -c 'import icalendar, sys; c = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read()); sys.exit(0 if [str(e["SUMMARY"]) for e in c.walk("VEVENT")] == ["Havdalah"] else 1)' "$W/msg.ics" \
  || fail "messages: the calendar is not just the havdalah: $(cat "$W/msg.ics")"
cp "$W/cities.saved" "$HOME/.lumaro/cities"

# ---------------------------------------------------------------- errors
printf 'CurrentCity: "Atlantis"\n' >"$HOME/.lumaro/kivrasettings"
expect_usage_error "unknown city with times" ics 2024-01-01 2024-12-31
expect_usage_error "unknown city with --times" ics 2024-01-01 2024-12-31 --times
"$LUMARO_CLI" ics 2024-01-01 2024-12-31 --holidays >/dev/null || fail "unknown city without times"
printf 'DSTStartMonth: "13"\n' >"$HOME/.lumaro/kivrasettings"
expect_usage_error "invalid daylight saving rule" ics 2024-01-01 2024-12-31 --times
printf 'TimeFormat: "1"\n' >"$HOME/.lumaro/kivrasettings"
expect_usage_error "no arguments" ics
expect_usage_error "three dates" ics 2024-01-01 2024-01-02 2024-01-03
expect_usage_error "year too early" ics 1582-12-31 2024-01-01
expect_usage_error "FROM after TO" ics 2024-01-02 2024-01-01
expect_usage_error "unknown kind" ics 2024-01-01 2024-01-02 --zmanim
expect_usage_error "kind with a value" ics 2024-01-01 2024-01-02 --omer=1
expect_usage_error "learning with a value" ics 2024-01-01 2024-01-02 --learning=tehillim

finish
