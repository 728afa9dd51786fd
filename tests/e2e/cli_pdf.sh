#!/bin/bash
# lumaro-cli month --pdf: PDF made from the printout's PostScript with every
# font embedded (pdffonts), whose text can be found again (pdftotext): the
# month's caption and a holiday, in English, Yiddish and Hebrew.
source "$(dirname "$0")/lib/common.sh"
for tool in pdffonts pdftotext; do
  command -v $tool > /dev/null || { fail "$tool is missing (Debian poppler-utils)"; finish; }
done
# pdftotext gives the Hebrew letters as the font has them (presentation
# forms such as U+FB44 for a pe with its dagesh): compare in NFKC.
nfkc() { /usr/bin/python3 -c 'import sys, unicodedata; sys.stdout.write(unicodedata.normalize("NFKC", sys.stdin.read()))'; }

# all_embedded FILE: every font of the PDF is embedded.
all_embedded() {
  local fonts
  fonts=$(pdffonts "$1" 2> /dev/null | tail -n +3)
  [ -n "$fonts" ] || { fail "$1: no fonts"; return; }
  # Columns: name type [type] encoding emb sub uni object ID; emb is the 5th from the end.
  printf '%s\n' "$fonts" | awk '{ if ($(NF-4) != "yes") { print; bad = 1 } } END { exit bad }' \
    || fail "$1: a font is not embedded: $fonts"
}

cd "$E2E_HOME"
# April 2026: Pesakh begins on Thursday 2 April.
"$LUMARO_CLI" month 2026-04 --pdf --out april.pdf 2> err.txt
expect_eq "English PDF exit status" 0 $?
all_embedded april.pdf
text=$(pdftotext april.pdf - 2> /dev/null)
printf '%s\n' "$text" | grep -qx "April 2026" || fail "English PDF: no caption 'April 2026'"
printf '%s\n' "$text" | grep -qx "Pesakh I" || fail "English PDF: no 'Pesakh I'"
printf '%s\n' "$text" | grep -qx "14 Nisan - 13 Iyar 5786" || fail "English PDF: no Hebrew months line"

# The same month on standard output, A4, landscape, black and white.
"$LUMARO_CLI" month 2026-04 --pdf --paper A4 --landscape --bw > stdout.pdf
expect_eq "PDF on stdout" "%PDF-" "$(head -c 5 stdout.pdf)"
all_embedded stdout.pdf
# A4 landscape is 841 x 595 points.
pdfinfo stdout.pdf 2> /dev/null | grep -q "^Page size: *841 x 595 pts" || fail "landscape A4 page size: $(pdfinfo stdout.pdf | grep 'Page size')"

# Without --pdf the output stays PostScript.
expect_eq "PostScript without --pdf" "%!PS" "$("$LUMARO_CLI" month 2026-04 | head -c 4)"

# Yiddish and Hebrew: the embedded Hebrew font, and its text selectable
# (Hebrew with its numerals: April 2026 is 14 Nisan .. 14 Iyar 5786).
for words in "yiddish אַפּריל ניסן אייר פּסח" "hebrew אפריל ניסן אייר פסח תשפ״ו"; do
  set -- $words
  "$LUMARO_CLI" --language "$1" month 2026-04 --pdf --out "$1.pdf" 2> err.txt
  expect_eq "$1 PDF exit status" 0 $?
  all_embedded "$1.pdf"
  pdffonts "$1.pdf" | grep -q "AharoniCLM" || fail "$1 PDF: the culmus font is not there"
  text=$(pdftotext "$1.pdf" - 2> /dev/null | nfkc)
  for word in "${@:2}" 2026; do
    printf '%s\n' "$text" | grep -qF "$(printf '%s' "$word" | nfkc)" || fail "$1 PDF: '$word' not found"
  done
done

# A file that cannot be written: a usage error, nothing left behind.
expect_usage_error "unwritable PDF" month 2026-04 --pdf --out "$E2E_HOME/no/such/dir/x.pdf"
# A Yiddish printout without its font fails before any PDF is made.
printf '%s\n' 'Language: "2"' 'PrintYiddishFontFile: "/nonexistent/font.pfa"' > "$HOME/.lumaro/kivrasettings"
expect_usage_error "Yiddish PDF without the font" month 2026-04 --pdf --out nofont.pdf
[ -e nofont.pdf ] && fail "a PDF was left behind without the font"
rm -f "$HOME/.lumaro/kivrasettings"
cd - > /dev/null

finish
