#!/bin/bash
# lumaro-cli year-sheet: the Shabbat and festival times of 2026 for New York and Jerusalem rendered by
# ghostscript without complaint, their text read back and compared with `lumaro-cli times` for the
# same year (every candle-lighting, havdalah and fast time there, none else); a Hebrew year; Yiddish
# and Hebrew through the embedded Hebrew font; PDF.
source "$(dirname "$0")/lib/common.sh"
need_print_tools
cp "$LUMARO_SOURCE_DIR"/data/translations/* "$HOME/.lumaro/translations/"
printf 'DSTAutomatic: "1"\nTimeFormat: "1"\n' > "$HOME/.lumaro/kivrasettings"
# sheet NAME ARGS...: year-sheet ARGS to W/NAME (exit status 0, nothing on stderr), rendered by gs.
sheet() {
  local name=$1
  shift
  "$LUMARO_CLI" "$@" --out "$W/$name" 2> "$W/err" && [ ! -s "$W/err" ] || fail "$name: $(cat "$W/err")"
  gs_render "$name" "$W/$name"
}

# The fast of the firstborn is a minor day: the sheet leaves it out.
firstborn=$("$LUMARO_CLI" minor-days 2026-01-01 2026-12-31 | awk '$2 == "taanit-bekhorot" {print $1}')
for place in "new-york|New York City|--diaspora" "jerusalem|Jerusalem|--israel"; do
  IFS='|' read -r tag city rules <<< "$place"
  sheet "$tag.ps" --city "$city" "$rules" year-sheet 2026
  expect_eq "$city: pages" 1 "$(grep -c '^showpage$' "$W/$tag.ps")"
  grep -qF "$city, time zone" "$W/$tag.ps.txt" || fail "$city: the heading does not name the city and zone"
  expect_eq "$city: the times of the times list" \
    "$("$LUMARO_CLI" --city "$city" "$rules" times 2026-01-01 2026-12-31 |
      awk -F'\t' -v firstborn="$firstborn" '$2 ~ /^(candles|candles-after-nightfall|havdalah|fast-begins|fast-ends)$/ &&
        !($1 == firstborn && $2 ~ /^fast/) {print $3}' | sort | tr '\n' ' ')" \
    "$(sorted_times "$W/$tag.ps.txt")"
done

sheet 5787.ps year-sheet 5787 --hebrew --paper A4
first=$(grep -m1 -E '[0-9]{2}:[0-9]{2}' "$W/5787.ps.txt")
[[ $first == *"11 September 2026"* && $first == *"Rosh HaShana I"* ]] || fail "5787 does not begin with Erev Rosh HaShana: $first"
grep -qF "1 October 2027" "$W/5787.ps.txt" && fail "5787 holds Erev Rosh HaShana 5788"

# Only the heading's city and zone are Latin, as the city file and the zone database name them.
for language in yiddish hebrew; do
  sheet "$language.ps" --language "$language" --city Jerusalem --israel year-sheet 2026
  grep -q "^/Helvetica" "$W/$language.ps" && fail "$language: a standard font is used"
  latin=$(grep '[A-Za-z]' "$W/$language.ps.txt" | grep -vF "Jerusalem")
  [ -z "$latin" ] || fail "$language: Latin letters on the page: $latin"
  expect_eq "$language: the times" "$(sorted_times "$W/jerusalem.ps.txt")" "$(sorted_times "$W/$language.ps.txt")"
done
sheet sheet.pdf --city Jerusalem --israel year-sheet 2026 --pdf
expect_eq "PDF: the times of the PostScript" "$(sorted_times "$W/jerusalem.ps.txt")" "$(sorted_times "$W/sheet.pdf.txt")"
finish
