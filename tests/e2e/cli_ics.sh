#!/bin/bash
# lumaro-cli ics: a year read back by an independent iCalendar parser (python3-icalendar,
# lib/ics_check.py), its times those of the dump, names with every character iCalendar escapes, stable
# UIDs in every language, the kinds, and the messages that must not spoil the calendar (the argument
# errors: cli_cases.tsv).
source "$(dirname "$0")/lib/common.sh"
PYTHON=/usr/bin/python3  # Debian's, which has the icalendar module
[ -x "$PYTHON" ] || PYTHON=python3
"$PYTHON" -c 'import icalendar, zoneinfo' 2>/dev/null || { fail "python3-icalendar is missing"; finish; }
ics() { "$LUMARO_CLI" ics 2024-01-01 2024-12-31 "$@"; }
events() { "$PYTHON" "$(dirname "$0")/lib/ics_check.py" "$@" || fail "iCalendar $1 (its problems above)"; }
count() { grep -c '^BEGIN:VEVENT' "$1"; }

# Pforzheim (the default city), Diaspora, 24-hour clock; names with ; , " \ and a Yiddish name longer
# than a line, one entry twice.
printf 'TimeFormat: "1"\n' > "$HOME/.lumaro/kivrasettings"
LONG_NAME=$(printf 'שרה בת אברהם %.0s' 1 2 3 4 5 6)
cat > "$HOME/.lumaro/kivraanni" <<EOF2
"Moshe, son of Avraham; \\"the elder\\" \\\\ C:\\\\x" B H 15.1.5700 0
"Rivka" Y H 10.7.5700 0
"Rivka" Y H 10.7.5700 0
"$LONG_NAME" A H 15.1.5700 0
EOF2
expect_eq "stderr and exit status" "|0" "$(ics 2>&1 > "$W/en.ics")|$?"
events "$W/en.ics" Europe/Berlin > "$W/en.txt"
expect_eq "anniversaries" "$(printf '%s\n' \
  $'2024-04-23\tanniversary\tBirthday: Moshe, son of Avraham; "the elder" \\ C:\\x' \
  $'2024-04-23\tanniversary\tAnniversary: '"$LONG_NAME" $'2024-10-12\tanniversary\tyortsayt: Rivka' \
  $'2024-10-12\tanniversary\tyortsayt: Rivka' | sort)" "$(grep $'\tanniversary\t' "$W/en.txt" | sort)"
expect_eq "candle and havdalah times are the dump's" \
  "$("$LUMARO_CLI" dump 2024-01-01 2024-12-31 | awk -F'\t' 'NR > 1 && $12 != "" {print $1, substr($12, 3)}')" \
  "$(awk -F'\t' '$2 ~ /^(candle-lighting|havdalah)$/ {print $1, $4}' "$W/en.txt" | sort)"
grep -q $'2024-10-11\tcandle-lighting\tCandle Lighting\t' "$W/en.txt" &&
  grep -q $'2024-10-03\tcandle-lighting\tCandle lighting after nightfall\t' "$W/en.txt" ||
  fail "candle lighting before sunset on Erev Yom Kippur, after nightfall on Rosh HaShana II"

# Yiddish: the names of the interface language, the same UIDs.
"$LUMARO_CLI" --language yiddish ics 2024-01-01 2024-12-31 > "$W/yi.ics"
events "$W/yi.ics" > /dev/null
[ "$(grep '^UID:' "$W/en.ics" | sort)" = "$(grep '^UID:' "$W/yi.ics" | sort)" ] || fail "the UIDs depend on the language"
grep -q 'SUMMARY:פּסח א' "$W/yi.ics" || fail "no Yiddish holiday name"

# The kinds add up to all; the Hebrew date of every day only when asked for.
total=0
for kind in holidays parasha times anniversaries daf-yomi omer minor-days; do
  ics "--$kind" > "$W/$kind.ics"
  total=$((total + $(count "$W/$kind.ics")))
done
expect_eq "the kinds add up to all" "$(count "$W/en.ics")" "$total"
expect_eq "omer alone" 49 "$(count "$W/omer.ics")"
expect_eq "a Hebrew date a day" 366 "$(ics --hebrew-dates | grep -c '^BEGIN:VEVENT')"
grep -q "hebrew-date" "$W/en.ics" && fail "Hebrew dates without being asked for"
"$LUMARO_CLI" ics --omer 2024-01-01 --omer 2024-12-31 | cmp -s "$W/omer.ics" - || fail "options before the dates"

# The chosen learning cycles: "<cycle>: <portion>" as `learning` gives the portion.
printf '%s\n' 'LearningMishnaYomit: "1"' 'LearningTehillim: "1"' 'LearningPirkeiAvot: "1"' > "$HOME/.lumaro/kivrasettings"
ics --learning > "$W/learning.ics"
expect_eq "--learning: the chosen portions" \
  "$("$LUMARO_CLI" learning 2024-01-01 2024-12-31 --chosen | grep -v $'\tdaf-yomi\t' | sed -e 's/\tmishna-yomit\t/\tmishna-yomit\tMishna Yomit: /' \
    -e 's/\ttehillim\t/\ttehillim\tTehillim: /' -e 's/\tpirkei-avot\t/\tpirkei-avot\tPirkei Avot: /')" "$(events "$W/learning.ics")"

# A broken city line and a candle-lighting value without an expression: messages on stderr, the calendar clean.
sed -i '1i "Broken", 99' "$HOME/.lumaro/cities"
printf 'TimeFormat: "1"\nCandleLightingMin: "-5"\n' > "$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" ics 2024-01-05 2024-01-06 --times > "$W/msg.ics" 2> "$W/msg.err" || fail "messages: exit status"
grep -q 'line 1' "$W/msg.err" && grep -q 'Parsing error' "$W/msg.err" || fail "messages: not on stderr"
expect_eq "messages: the calendar" $'2024-01-06\thavdalah\tHavdalah' "$(events "$W/msg.ics" | cut -f1-3)"
finish
