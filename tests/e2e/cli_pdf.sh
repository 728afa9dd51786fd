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
expect_eq "English PDF header" "%PDF-" "$(head -c 5 april.pdf)"
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
expect_eq "one page" "1" "$(pdfinfo stdout.pdf 2> /dev/null | sed -n 's/^Pages: *//p')"

# Without --pdf the output stays PostScript.
expect_eq "PostScript without --pdf" "%!PS" "$("$LUMARO_CLI" month 2026-04 | head -c 4)"

# Yiddish: the embedded Hebrew font, and its text selectable.
"$LUMARO_CLI" --language yiddish month 2026-04 --pdf --out yiddish.pdf 2> err.txt
expect_eq "Yiddish PDF exit status" 0 $?
all_embedded yiddish.pdf
pdffonts yiddish.pdf | grep -q "AharoniCLM" || fail "Yiddish PDF: the culmus font is not there"
ytext=$(pdftotext yiddish.pdf - 2> /dev/null | nfkc)
for word in "אַפּריל" "2026" "ניסן" "אייר" "פּסח"; do
  printf '%s\n' "$ytext" | grep -qF "$(printf '%s' "$word" | nfkc)" || fail "Yiddish PDF: '$word' not found"
done

# Hebrew: the same font; the Hebrew dates in Hebrew numerals (April 2026 is
# 14 Nisan .. 14 Iyar 5786) with their gershayim.
"$LUMARO_CLI" --language hebrew month 2026-04 --pdf --out hebrew.pdf 2> err.txt
expect_eq "Hebrew PDF exit status" 0 $?
all_embedded hebrew.pdf
pdffonts hebrew.pdf | grep -q "AharoniCLM" || fail "Hebrew PDF: the culmus font is not there"
htext=$(pdftotext hebrew.pdf - 2> /dev/null | nfkc)
for word in "אפריל" "2026" "ניסן" "אייר" "פסח" "תשפ״ו"; do
  printf '%s\n' "$htext" | grep -qF "$(printf '%s' "$word" | nfkc)" || fail "Hebrew PDF: '$word' not found"
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
