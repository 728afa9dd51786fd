#!/bin/bash
# lumaro-cli month --pdf: PDF made from the printout's PostScript with every font embedded (pdffonts),
# whose text can be found again (pdftotext): the month's caption and a holiday, in English, Yiddish
# and Hebrew (the errors: cli_cases.tsv).
source "$(dirname "$0")/lib/common.sh"
command -v pdffonts > /dev/null && command -v pdftotext > /dev/null || { fail "poppler-utils is missing"; finish; }
# pdftotext gives the Hebrew letters as the font has them (presentation forms such as U+FB44 for a
# pe with its dagesh): compare in NFKC.
nfkc() { /usr/bin/python3 -c 'import sys, unicodedata; sys.stdout.write(unicodedata.normalize("NFKC", sys.stdin.read()))'; }
# pdf NAME ARGS...: exit status 0, and the PDF W/NAME.pdf (standard output without --out) has all its
# fonts embedded (emb: the 5th column from the end).
pdf() {
  local name=$1 fonts
  shift
  "$LUMARO_CLI" "$@" > "$W/stdout.pdf" 2> "$W/err" || fail "$name: exit status ($(cat "$W/err"))"
  fonts=$(pdffonts "$W/$name.pdf" 2> /dev/null | tail -n +3)
  [ -n "$fonts" ] && awk '{ if ($(NF-4) != "yes") bad = 1 } END { exit bad }' <<< "$fonts" || fail "$name: fonts not embedded: $fonts"
}

# April 2026: Pesakh begins on Thursday 2 April.
pdf april month 2026-04 --pdf --out "$W/april.pdf"
text=$(pdftotext "$W/april.pdf" - 2> /dev/null)
# The Letter page's cells are too narrow for "Candles 07:38PM": the times of `times` with their marks.
marked=$("$LUMARO_CLI" times 2026-04-01 2026-04-04 | awk -F'\t' '$2 == "candles" { print "✡ " $3 }
  $2 == "havdalah" { print "★ " $3 }')
[ "$(wc -l <<< "$marked")" = 3 ] || fail "times of 1-4 April 2026: $marked"
while read -r line; do
  grep -qx "$line" <<< "$text" || fail "English PDF: no line '$line'"
done <<< "$marked"
for line in "April 2026" "Pesakh I" "14 Nisan - 13 Iyar 5786"; do
  grep -qx "$line" <<< "$text" || fail "English PDF: no line '$line'"
done
# The heading names the city, its zone and the sun calculation; the legend the tints of the month's
# cells and the marks of the times.
pdf heading --city "New York City" --dst-automatic on --sun precise month 2026-04 --pdf --out "$W/heading.pdf"
text=$(pdftotext "$W/heading.pdf" - 2> /dev/null | tr -s ' \n' '  ')
for words in "New York City, time zone America/New_York; sun calculation: precise" "Festival" "Candle lighting" \
  "Havdalah, end of Shabbat or festival" "End of the fast"; do
  grep -qF "$words" <<< "$text" || fail "heading or legend: no '$words'"
done
# February 2026 begins on a Sunday and takes four weeks: four rows of cells (rectangles of one height
# in the PostScript), the last ending near the foot of the Letter page above the legend.
"$LUMARO_CLI" month 2026-02 2> /dev/null | awk '$NF == "rectstroke" { print $2, $4 }' | sort -k2,2n | tail -n 28 > "$W/cells"
expect_eq "February 2026 rows" 4 "$(cut -d' ' -f1 "$W/cells" | sort -u | wc -l)"
[ "$(cut -d' ' -f1 "$W/cells" | sort -n | head -1)" -lt 100 ] || fail "February 2026 leaves the foot of the page empty"

# The same month on standard output, A4 landscape (841 x 595 points), black and white.
pdf stdout month 2026-04 --pdf --paper A4 --landscape --bw
expect_eq "PDF on stdout" "%PDF-" "$(head -c 5 "$W/stdout.pdf")"
pdfinfo "$W/stdout.pdf" 2> /dev/null | grep -q "^Page size: *841 x 595 pts" || fail "landscape A4 page size"
expect_eq "PostScript without --pdf" "%!PS" "$("$LUMARO_CLI" month 2026-04 | head -c 4)"

# Yiddish and Hebrew: the embedded Hebrew font, and its text selectable (Hebrew with its numerals:
# April 2026 is 14 Nisan .. 14 Iyar 5786).
for words in "yiddish אַפּריל ניסן אייר פּסח חשבון הבֿדלה" "hebrew אפריל ניסן אייר פסח תשפ״ו הדלקת חישוב"; do
  set -- $words
  pdf "$1" --language "$1" month 2026-04 --pdf --out "$W/$1.pdf"
  pdffonts "$W/$1.pdf" | grep -q "AharoniCLM" || fail "$1 PDF: the culmus font is not there"
  text=$(pdftotext "$W/$1.pdf" - 2> /dev/null | nfkc)
  for word in "${@:2}" 2026; do
    grep -qF "$(printf '%s' "$word" | nfkc)" <<< "$text" || fail "$1 PDF: '$word' not found"
  done
done
finish
