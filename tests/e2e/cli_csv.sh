#!/bin/bash
# lumaro-cli csv: read back with Python's csv module row by row against the iCalendar file of the same days
# and kinds (lib/csv_check.py: the same events, dates and times on the city's clock through the zone
# database), a name that needs quoting, in English and Hebrew, the byte-order mark only when asked for, and
# --out.
source "$(dirname "$0")/lib/common.sh"
PYTHON=/usr/bin/python3  # Debian's, which has the icalendar module
[ -x "$PYTHON" ] || PYTHON=python3
"$PYTHON" -c 'import icalendar, zoneinfo' 2>/dev/null || { fail "python3-icalendar is missing"; finish; }
check() { "$PYTHON" "$(dirname "$0")/lib/csv_check.py" "$@" || fail "CSV $1 against $2 (its problems above)"; }

# Pforzheim (the default city, Europe/Berlin), every kind and two study cycles; a name with a comma and quotes.
printf '%s\n' 'LearningMishnaYomit: "1"' 'LearningTehillim: "1"' > "$HOME/.lumaro/kivrasettings"
printf '%s\n' '"Moshe, son of Avraham \"the elder\"" B H 15.1.5700 0' > "$HOME/.lumaro/kivraanni"
KINDS=(--holidays --parasha --times --anniversaries --daf-yomi --omer --learning --hebrew-dates --minor-days)
for language in english hebrew; do
  "$LUMARO_CLI" --language $language csv 2020-01-01 2025-12-31 "${KINDS[@]}" > "$W/$language.csv" || fail "csv exit status"
  "$LUMARO_CLI" --language $language ics 2020-01-01 2025-12-31 "${KINDS[@]}" > "$W/$language.ics"
  check "$W/$language.csv" "$W/$language.ics" Europe/Berlin > "$W/$language.txt"
done
# Both halves of the clock, and 12 o'clock, among the times checked.
grep -qE '^[0-9]+ rows, [1-9][0-9]* AM [1-9][0-9]* PM$' "$W/english.txt" || fail "times: $(cat "$W/english.txt")"
grep -qE ',12:[0-5][0-9] (AM|PM),' "$W/english.csv" || fail "no time of the twelfth hour"
expect_eq "a name with a comma and quotes" \
  $'"Birthday: Moshe, son of Avraham ""the elder""",04/23/2024,,04/23/2024,,True,,\r' \
  "$(grep '^"Birthday' "$W/english.csv" | sed -n 5p)"

# The byte-order mark only with --bom; --out writes what standard output gets.
"$LUMARO_CLI" csv 2024-01-01 2024-12-31 --omer --bom --out "$W/bom.csv" || fail "--out exit status"
expect_eq "--bom" "efbbbf$(head -c 9 "$W/english.csv" | od -An -tx1 | tr -d ' \n')" "$(head -c 12 "$W/bom.csv" | od -An -tx1 | tr -d ' \n')"
"$LUMARO_CLI" csv 2024-01-01 2024-12-31 --omer | cat <(printf '\xef\xbb\xbf') - | cmp -s - "$W/bom.csv" ||
  fail "--out and standard output differ"
"$LUMARO_CLI" csv 2024-01-01 2024-12-31 --omer --out "$W/missing/x.csv" 2> "$W/err" && fail "--out into no folder"
grep -q 'could not be written' "$W/err" || fail "--out into no folder: $(cat "$W/err")"
finish
