#!/bin/bash
# lumaro-cli zmanim-sheet: New York City in December 2026 and Jerusalem in Nisan 5787 as PDF, rendered by
# ghostscript without complaint on one page with every font embedded; each row of three sample days holds every
# zman and candle-lighting, havdalah and fast time `lumaro-cli zmanim` gives for that day; Hebrew
# through the embedded Hebrew font; the CSV has a row per day of the month.
source "$(dirname "$0")/lib/common.sh"
need_print_tools
command -v pdffonts > /dev/null && command -v pdftotext > /dev/null || { fail "poppler-utils is missing"; finish; }
cp "$LUMARO_SOURCE_DIR"/data/translations/* "$HOME/.lumaro/translations/"
printf 'DSTAutomatic: "1"\nTimeFormat: "1"\n' > "$HOME/.lumaro/kivrasettings"

# sheet NAME ARGS...: zmanim-sheet ARGS as a PDF in W/NAME (exit status 0, nothing on stderr), rendered by gs,
# every font embedded, its text in W/NAME.layout.
sheet() {
  local name=$1
  shift
  "$LUMARO_CLI" "$@" --pdf --out "$W/$name" 2> "$W/err" && [ ! -s "$W/err" ] || fail "$name: $(cat "$W/err")"
  gs_render "$name" "$W/$name"
  pdffonts "$W/$name" | awk 'NR > 2 && $(NF-4) != "yes" {bad = 1} END {exit bad}' || fail "$name: a font is not embedded"
  pdftotext -layout "$W/$name" "$W/$name.layout"
  expect_eq "$name: pages" "Pages: 1" "$(pdfinfo "$W/$name" | grep -oE '^Pages: +[0-9]+' | tr -s ' ')"
}

# Every case: city|rules|month arguments|a sample day (date in the zmanim command|the start of its row).
while IFS='|' read -r city rules month date row; do
  [[ $city == '#'* ]] && continue
  name="${city// /_}.pdf"
  [ -f "$W/$name" ] || sheet "$name" --city "$city" "$rules" zmanim-sheet $month
  line=$(grep -m1 -E "(^| )$row( |$)" "$W/$name.layout")
  [ -n "$line" ] || { fail "$name: no row $row"; continue; }
  # The day's times but those of the minor days and the khamets, Khanukka and moon lines the sheet leaves out.
  want=$("$LUMARO_CLI" --city "$city" "$rules" zmanim "$date" |
    grep -viE 'khamets|khanukka|kiddush|tekufa|birkat' | grep -oE '[0-9]{2}:[0-9]{2}' | sort | tr '\n' ' ')
  got=$(printf '%s\n' "$line" | grep -oE '[0-9]{2}:[0-9]{2}' | sort | tr '\n' ' ')
  expect_eq "$city $date: the zmanim row" "$want" "$got"
done <<'CASES'
# Friday with Khanukka's first lights; the fast of 10 Tevet; a Shabbat's havdalah.
New York City|--diaspora|2026-12|2026-12-04|Friday 4 December
New York City|--diaspora|2026-12|2026-12-20|Sunday 20 December
New York City|--diaspora|2026-12|2026-12-26|Shabbat 26 December
# Shabbat HaGadol; Pesakh I; the eve of the seventh day.
Jerusalem|--israel|5787-01 --hebrew-month|2027-04-10|Shabbat 10 April
Jerusalem|--israel|5787-01 --hebrew-month|2027-04-22|Thursday 22 April
Jerusalem|--israel|5787-01 --hebrew-month|2027-04-27|Tuesday 27 April
CASES
grep -qF "New York City, time zone America/New_York" "$W/New_York_City.pdf.txt" || fail "the heading lacks the city and zone"
grep -qF "Zmanim of Nisan 5787" "$W/Jerusalem.pdf.txt" || fail "the Hebrew month is not Nisan 5787"

# Hebrew: only the heading's city and zone are Latin; the same times as in English (ghostscript's text
# can run two times of neighbouring columns together).
times() { grep -oE '[0-9]{2}:[0-9]{2}' "$1" | sort | tr '\n' ' '; }
sheet hebrew.pdf --language hebrew --city Jerusalem --israel zmanim-sheet 5787-01 --hebrew-month
latin=$(grep '[A-Za-z]' "$W/hebrew.pdf.txt" | grep -vF "Jerusalem")
[ -z "$latin" ] || fail "hebrew: Latin letters on the page: $latin"
expect_eq "hebrew: the times" "$(times "$W/Jerusalem.pdf.txt")" "$(times "$W/hebrew.pdf.txt")"

# CSV: a title row and a row per day (30 in Nisan, 31 in December), each of as many fields, lines ended by CR LF.
for args in "2026-12|31" "5787-01 --hebrew-month|30"; do
  "$LUMARO_CLI" --city Jerusalem zmanim-sheet ${args%|*} --csv > "$W/sheet.csv" || fail "csv ${args%|*}"
  expect_eq "csv ${args%|*}" "${args#*|} rows of 18 fields, CR LF" "$(python3 -c '
import csv, sys
data = open(sys.argv[1], "rb").read()
rows = list(csv.reader(data.decode("utf-8").splitlines()))
fields = {len(r) for r in rows}
crlf = data.count(b"\r\n") == data.count(b"\n") == len(rows)
print(len(rows) - 1, "rows of", *fields, "fields,", "CR LF" if crlf else "not CR LF")' "$W/sheet.csv")"
done
finish
