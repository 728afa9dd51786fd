#!/bin/bash
# lumaro-cli year-sheet: the Shabbat and festival times of 2026 for New York
# and Jerusalem rendered by ghostscript without complaint, their text read
# back and compared with `lumaro-cli times` for the same year (every
# candle-lighting, havdalah and fast time there, none else); a Hebrew year;
# Yiddish and Hebrew through the embedded Hebrew font; PDF.
source "$(dirname "$0")/lib/common.sh"
need_print_tools
cp "$LUMARO_SOURCE_DIR/data/cities" "$HOME/.lumaro/cities"
cp "$LUMARO_SOURCE_DIR"/data/translations/* "$HOME/.lumaro/translations/"
printf 'DSTAutomatic: "1"\nTimeFormat: "1"\n' > "$HOME/.lumaro/kivrasettings"

pages() { grep -c '^showpage$' "$1"; }

# ------------------------------------------------- 2026 against the times
for place in "new-york|New York City|--diaspora" "jerusalem|Jerusalem|--israel"; do
  IFS='|' read -r tag city rules <<< "$place"
  "$LUMARO_CLI" --city "$city" "$rules" year-sheet 2026 --out "$W/$tag.ps" 2> "$W/$tag.err"
  expect_eq "$city: exit status" 0 $?
  [ -s "$W/$tag.err" ] && fail "$city: messages: $(cat "$W/$tag.err")"
  gs_render "$city 2026" "$W/$tag.ps"
  expect_eq "$city: pages" 1 "$(pages "$W/$tag.ps")"
  grep -qF "$city, time zone" "$W/$tag.ps.txt" || fail "$city: the heading does not name the city and zone"
  # Every candle-lighting, havdalah and fast time of the times list, as often, and no other.
  expect_eq "$city: the times of the times list" \
    "$("$LUMARO_CLI" --city "$city" "$rules" times 2026-01-01 2026-12-31 |
      awk -F'\t' '$2 ~ /^(candles|candles-after-nightfall|havdalah|fast-begins|fast-ends)$/ {print $3}' | sort | tr '\n' ' ')" \
    "$(grep -oE '\b[0-9]{1,2}:[0-9]{2}\b' "$W/$tag.ps.txt" | sort | tr '\n' ' ')"
done

# ------------------------------------------------- a Hebrew year
"$LUMARO_CLI" year-sheet 5787 --hebrew --paper A4 --out "$W/5787.ps"
expect_eq "5787: exit status" 0 $?
gs_render "5787" "$W/5787.ps"
first=$(grep -m1 -E '[0-9]{2}:[0-9]{2}' "$W/5787.ps.txt")
printf '%s\n' "$first" | grep -qF "11 September 2026" && printf '%s\n' "$first" | grep -qF "Rosh HaShana I" ||
  fail "5787 does not begin with Erev Rosh HaShana: $first"
grep -qF "1 October 2027" "$W/5787.ps.txt" && fail "5787 holds Erev Rosh HaShana 5788"

# ------------------------------------------------- Yiddish and Hebrew
for language in yiddish hebrew; do
  "$LUMARO_CLI" --language "$language" --city Jerusalem --israel year-sheet 2026 --out "$W/$language.ps" 2> "$W/$language.err"
  expect_eq "$language: exit status" 0 $?
  grep -q "^/Helvetica" "$W/$language.ps" && fail "$language: a standard font is used"
  gs_render "$language 2026" "$W/$language.ps"
  # Only the heading's city and zone are Latin, as the city file and the
  # time-zone database name them.
  latin=$(grep '[A-Za-z]' "$W/$language.ps.txt" | grep -vF "Jerusalem")
  [ -z "$latin" ] || fail "$language: Latin letters on the page: $latin"
  # The same times as the English sheet of Jerusalem.
  expect_eq "$language: the times" "$(grep -oE '[0-9]{1,2}:[0-9]{2}' "$W/jerusalem.ps.txt" | sort | tr '\n' ' ')" \
    "$(grep -oE '[0-9]{1,2}:[0-9]{2}' "$W/$language.ps.txt" | sort | tr '\n' ' ')"
done

# ------------------------------------------------- PDF
"$LUMARO_CLI" --city Jerusalem --israel year-sheet 2026 --pdf --out "$W/sheet.pdf"
expect_eq "PDF: exit status" 0 $?
gs_render "PDF" "$W/sheet.pdf"
expect_eq "PDF: the times of the PostScript" \
  "$(grep -oE '[0-9]{1,2}:[0-9]{2}' "$W/jerusalem.ps.txt" | sort | tr '\n' ' ')" \
  "$(grep -oE '[0-9]{1,2}:[0-9]{2}' "$W/sheet.pdf.txt" | sort | tr '\n' ' ')"

finish
