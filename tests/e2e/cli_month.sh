#!/bin/bash
# lumaro-cli month: a month printed as PostScript and rendered by
# ghostscript on every paper, orientation and colour mode; its text read
# back with ghostscript's text device; Yiddish and Hebrew through the
# embedded Hebrew font, and English pages with Hebrew numerals; and the
# argument errors. PNG files are kept for people to look at
# (LUMARO_SCREENSHOT_DIR, default ./screenshots).
source "$(dirname "$0")/lib/common.sh"
export LC_ALL=C.UTF-8

command -v gs > /dev/null || { fail "ghostscript (gs) is missing (scripts/install-deps.sh installs it)"; finish; }
CULMUS_FONT=/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa
[ -r "$CULMUS_FONT" ] || { fail "$CULMUS_FONT is missing (package culmus)"; finish; }
OUT_DIR=${LUMARO_SCREENSHOT_DIR:-$(pwd)/screenshots}
mkdir -p "$OUT_DIR"
W="$E2E_HOME/work"
mkdir -p "$W"

# png PS NAME: a picture of the page for people to look at.
png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
  -sOutputFile="$OUT_DIR/$2.png" "$1" || fail "PNG $2"; }
# expect_text NAME TEXT_FILE NEEDLE: the extracted text holds NEEDLE.
expect_text() {
  grep -qF -- "$3" "$2" || fail "$1: '$3' not in the printed text"
}

# ---------------------------------------------------------------- English
"$LUMARO_CLI" month 2024-10 > "$W/oct.ps" 2> "$W/oct.err"
expect_eq "month exit status" 0 $?
gs_render "October 2024" "$W/oct.ps"
expect_text "caption" "$W/oct.ps.txt" "October 2024"
# 1 October 2024 is 28 Elul 5784, 31 October 29 Tishri 5785.
expect_text "Hebrew caption" "$W/oct.ps.txt" "28 Elul 5784 - 29 Tishri 5785"
for holiday in "Erev Rosh HaShana" "Rosh HaShana I" "Tsom Gedalya" "Yom Kippur" "Sukkot I" "Hoshana Rabba" \
  "Simkhat Tora" "Haazinu" "Shabbat Shuva" "Bava Basra 98" "Sunday" "Shabbat"; do
  expect_text "holiday" "$W/oct.ps.txt" "$holiday"
done
# The candle-lighting time of Friday 4 October and the havdalah of the 5th,
# as the calendar dump has them for the same city.
for day in 2024-10-04 2024-10-05; do
  time=$("$LUMARO_CLI" dump "$day" "$day" | tail -1 | cut -f12 | cut -c3-)
  [ -n "$time" ] || fail "no Shabbat time for $day in the dump"
  expect_text "Shabbat time of $day" "$W/oct.ps.txt" "$time"
done
# Writing to a file gives the same page.
"$LUMARO_CLI" month 2024-10 --out "$W/oct-file.ps"
expect_eq "--out exit status" 0 $?
cmp -s "$W/oct.ps" "$W/oct-file.ps" || fail "--out differs from standard output"
png "$W/oct.ps" print-2024-10

# By Hebrew months: --hebrew-month DATE prints the Hebrew month holding DATE.
# Nisan 5784 ran from 9 April to 8 May 2024 (Pesakh I on 23 April).
"$LUMARO_CLI" month --hebrew-month 2024-04-15 > "$W/nisan.ps"
expect_eq "--hebrew-month exit status" 0 $?
gs_render "Nisan 5784" "$W/nisan.ps"
for text in "Nisan 5784" "9 April - 8 May 2024" "Pesakh I" "Pesakh VIII" "Yom HaShoa" "Shabbat HaGadol"; do
  expect_text "Hebrew month" "$W/nisan.ps.txt" "$text"
done
grep -q "(April 2024) show" "$W/nisan.ps" && fail "--hebrew-month printed the Gregorian caption"
# The candle lighting of Friday 12 April and of 3 May, as the times command has them.
for day in 2024-04-12 2024-05-03; do
  time=$("$LUMARO_CLI" times "$day" "$day" | awk -F'\t' '$2 == "candles" {print $3}')
  [ -n "$time" ] || fail "no candle lighting for $day in the times"
  expect_text "candle lighting of $day by Hebrew months" "$W/nisan.ps.txt" "$time"
done
# Any date of the month gives the same page; one of the next month another.
"$LUMARO_CLI" month --hebrew-month 2024-05-08 --out "$W/nisan-last.ps"
cmp -s "$W/nisan.ps" "$W/nisan-last.ps" || fail "30 Nisan printed another page than 7 Nisan"
"$LUMARO_CLI" month --hebrew-month 2024-05-09 --out "$W/iyar.ps"
gs_render "Iyar 5784" "$W/iyar.ps"
expect_text "Hebrew month" "$W/iyar.ps.txt" "Iyar 5784"
expect_text "Hebrew month" "$W/iyar.ps.txt" "9 May - 6 June 2024"
png "$W/nisan.ps" print-nisan-5784
"$LUMARO_CLI" month --hebrew-month 2024-04-15 --pdf --out "$W/nisan.pdf"
[ "$(head -c 5 "$W/nisan.pdf")" = "%PDF-" ] || fail "--hebrew-month --pdf wrote no PDF"

# Every paper, orientation and colour mode; page sizes in points.
declare -A SIZE=([Letter]="612 792" [Legal]="612 1008" [A4]="595 841")
for paper in Letter Legal A4; do
  for orientation in portrait landscape; do
    for colour in colour bw; do
      name="$paper $orientation $colour"
      args=(month 2024-10 --paper "$paper" --margins 10,12.5,10,15)
      [ "$orientation" = landscape ] && args+=(--landscape)
      [ "$colour" = bw ] && args+=(--bw)
      file="$W/$paper-$orientation-$colour.ps"
      "$LUMARO_CLI" "${args[@]}" > "$file" 2> /dev/null
      expect_eq "$name: exit status" 0 $?
      read -r w h <<< "${SIZE[$paper]}"
      [ "$orientation" = landscape ] && { t=$w; w=$h; h=$t; }
      grep -qx "%%BoundingBox: 0 0 $w $h" "$file" || fail "$name: bounding box is not $w x $h"
      grep -q "/PageSize \[$w $h\]" "$file" || fail "$name: page size is not $w x $h"
      gs_render "$name" "$file"
      expect_text "$name" "$file.txt" "October 2024"
      expect_text "$name" "$file.txt" "Yom Kippur"
      colours=$(grep -o '^[0-9.]* [0-9.]* [0-9.]* setrgbcolor' "$file" | sort -u)
      if [ "$colour" = bw ]; then
        [ "$(printf '%s\n' "$colours" | grep -cv -e '^0.000 0.000 0.000' -e '^1.000 1.000 1.000')" -eq 0 ] ||
          fail "$name: colours other than black and white: $colours"
      else
        printf '%s\n' "$colours" | grep -q '^0.000 0.000 1.000' || fail "$name: no blue"
      fi
    done
  done
done

# Parentheses and backslashes in texts (here from a translation file) print as they are.
mkdir -p "$HOME/.lumaro/translations"
printf '"Yom Kippur" = "Yom Kippur :-) \\ (fast"\n' > "$HOME/.lumaro/translations/english.calendar"
"$LUMARO_CLI" month 2024-10 > "$W/paren.ps"
gs_render "unbalanced parentheses" "$W/paren.ps"
expect_text "unbalanced parentheses" "$W/paren.ps.txt" 'Yom Kippur :-) \ (fast'
rm "$HOME/.lumaro/translations/english.calendar"

# Messages about the city file are printed while the page is painted; they
# go to standard error, never into the PostScript on standard output.
printf 'CurrentCityFileName: "%s"\n' "$W/no-such-cities" > "$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" month 2024-10 > "$W/nocity.ps" 2> "$W/nocity.err"
expect_eq "no city file: exit status" 0 $?
expect_eq "no city file: first line" "%!PS-Adobe-3.0" "$(head -1 "$W/nocity.ps")"
grep -q "could not be opened" "$W/nocity.err" || fail "no city file: the message is not on standard error"
gs_render "no city file" "$W/nocity.ps"
rm "$HOME/.lumaro/kivrasettings"

# ---------------------------------------------------------------- Yiddish
# A copy of the culmus font under a name ghostscript cannot find on the
# system, so the page renders only if the embedded font is used.
sed 's|/FontName /AharoniCLM-Book def|/FontName /TestHebrewYi def|; s|FontDirectory/AharoniCLM-Book known{/AharoniCLM-Book findfont|FontDirectory/TestHebrewYi known{/TestHebrewYi findfont|' \
  "$CULMUS_FONT" > "$W/TestHebrewYi.pfa"
grep -q "AharoniCLM-Book def\|/AharoniCLM-Book findfont" "$W/TestHebrewYi.pfa" && fail "the test font still has its own name"
printf 'Language: "2"\nHebrewNumerals: "0"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$HOME/.lumaro/kivrasettings"
cat > "$HOME/.lumaro/translations/yiddish.calendar" <<'EOF'
# Yiddish names with points: alef with qamats, pe with rafe, kaf and pe with dagesh.
"Sunday" = "זונטיק"
"Monday" = "מאָנטיק"
"Friday" = "פֿרײַטיק"
"Shabbat" = "שבת"
"October" = "אָקטאָבער"
"Yom Kippur" = "יום כּיפּור"
"Yizkor" = "יזכּור"
EOF
"$LUMARO_CLI" month 2024-10 > "$W/yi.ps" 2> /dev/null
expect_eq "Yiddish: exit status" 0 $?
grep -qx "/TestHebrewYi /RTLFontB UnicodeEncoding ReEncode" "$W/yi.ps" || fail "Yiddish: the font is not re-encoded"
grep -q "^/Helvetica" "$W/yi.ps" && fail "Yiddish: a standard font is used"
gs_render "Yiddish" "$W/yi.ps" "Loading .* font from"
# Visual order, left to right as printed; pointed letters are single characters.
expect_text "Yiddish caption" "$W/yi.ps.txt" "2024 $(printf '\u05E8\u05E2\u05D1\uFB2F\u05D8\u05E7\uFB2F')"
expect_text "Yiddish Shabbat" "$W/yi.ps.txt" "$(printf '\u05EA\u05D1\u05E9')"
expect_text "Yiddish Sunday" "$W/yi.ps.txt" "$(printf '\u05E7\u05D9\u05D8\u05E0\u05D5\u05D6')"
expect_text "Yiddish Yom Kippur" "$W/yi.ps.txt" "$(printf '\u05E8\u05D5\uFB44\u05D9\uFB3B \u05DD\u05D5\u05D9')"
expect_text "Yiddish Friday" "$W/yi.ps.txt" "$(printf '\u05E7\u05D9\u05D8\uFB1F\u05E8\uFB4E')"
# Texts without a translation still print, in the same font (the Hebrew
# dates here in digits: Hebrew numerals are off).
expect_text "untranslated text" "$W/yi.ps.txt" "Tishri 5785"

# Without a configured font the culmus Hebrew font is embedded.
printf 'Language: "2"\n' > "$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" month 2024-10 --bw --paper A4 > "$W/yi-default.ps" 2> /dev/null
expect_eq "Yiddish default font: exit status" 0 $?
grep -qx "/AharoniCLM-Book /RTLFontB UnicodeEncoding ReEncode" "$W/yi-default.ps" ||
  fail "Yiddish default font: not re-encoded"
grep -q "^%!PS-AdobeFont-1.0: AharoniCLM-Book" "$W/yi-default.ps" || fail "Yiddish default font: not embedded"
gs_render "Yiddish default font" "$W/yi-default.ps"

# With the shipped translations every text on the page is Yiddish.
cp "$LUMARO_SOURCE_DIR"/data/translations/yiddish.* "$HOME/.lumaro/translations/"
printf 'Language: "2"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$HOME/.lumaro/kivrasettings"
for month in 2025-04 2024-10 2024-12; do
  "$LUMARO_CLI" month "$month" > "$W/yi-$month.ps" 2> /dev/null || fail "Yiddish $month: exit status"
  gs_render "Yiddish $month" "$W/yi-$month.ps" "Loading .* font from"
  [ "$(grep -c '[0-9]' "$W/yi-$month.ps.txt")" -gt 10 ] || fail "Yiddish $month: no page text"
  latin=$(grep '[A-Za-z]' "$W/yi-$month.ps.txt")
  [ -z "$latin" ] || fail "Yiddish $month: Latin letters on the page: $latin"
done
png "$W/yi-2025-04.ps" print-yiddish-2025-04
# Hebrew numerals are on by default in Yiddish: April 2025 is 3 Nisan ..
# 2 Iyar 5785, printed left to right: "2 Iyar 5785 - 3 Nisan" reversed.
expect_text "Yiddish caption in numerals" "$W/yi-2025-04.ps.txt" "ה״פשת רייא ׳ב - ןסינ ׳ג"

# ---------------------------------------------------------------- Hebrew
# only_printable NAME TEXT_FILE: the page holds nothing but what the print
# encoding has: ASCII, the Hebrew letters, geresh and gershayim, and the
# pointed letters. A character without a row would print as a wrong glyph.
only_printable() {
  local odd
  odd=$(grep -nP '[^\x{20}-\x{7E}\x{5D0}-\x{5EA}\x{5F3}\x{5F4}\x{FB1D}-\x{FB4F}]' "$2")
  [ -z "$odd" ] || fail "$1: characters outside the print encoding: $odd"
}
cp "$LUMARO_SOURCE_DIR"/data/translations/hebrew.* "$HOME/.lumaro/translations/"
printf 'Language: "3"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$HOME/.lumaro/kivrasettings"
for month in 2025-04 2024-10 2024-03; do
  "$LUMARO_CLI" month "$month" > "$W/he-$month.ps" 2> /dev/null || fail "Hebrew $month: exit status"
  grep -qx "/TestHebrewYi /RTLFontB UnicodeEncoding ReEncode" "$W/he-$month.ps" || fail "Hebrew $month: the font is not re-encoded"
  grep -q "^/Helvetica" "$W/he-$month.ps" && fail "Hebrew $month: a standard font is used"
  gs_render "Hebrew $month" "$W/he-$month.ps" "Loading .* font from"
  [ "$(grep -c '[0-9]' "$W/he-$month.ps.txt")" -gt 10 ] || fail "Hebrew $month: no page text"
  latin=$(grep '[A-Za-z]' "$W/he-$month.ps.txt")
  [ -z "$latin" ] || fail "Hebrew $month: Latin letters on the page: $latin"
  only_printable "Hebrew $month" "$W/he-$month.ps.txt"
done
# The caption and the day numbers in Hebrew numerals, with geresh and
# gershayim (visual order): April 2025 is ג׳ ניסן - ב׳ אייר תשפ״ה, October
# 2024 כ״ח אלול תשפ״ד - כ״ט תשרי תשפ״ה, March 2024 כ״א אדר א׳ - כ״א אדר ב׳
# תשפ״ד; 13 April 2025 is ט״ו ניסן, the first day of Pesakh.
expect_text "Hebrew caption" "$W/he-2025-04.ps.txt" "ה״פשת רייא ׳ב - ןסינ ׳ג"
expect_text "Hebrew caption, two years" "$W/he-2024-10.ps.txt" "ה״פשת ירשת ט״כ - ד״פשת לולא ח״כ"
expect_text "Hebrew caption, two Adars" "$W/he-2024-03.ps.txt" "ד״פשת ׳ב רדא א״כ - ׳א רדא א״כ"
expect_text "Hebrew April" "$W/he-2025-04.ps.txt" "2025 לירפא"
expect_text "Hebrew 15 Nisan" "$W/he-2025-04.ps.txt" "13 ו״ט"
expect_text "Hebrew Pesakh" "$W/he-2025-04.ps.txt" "׳א חספ"
png "$W/he-2025-04.ps" print-hebrew-2025-04
# With numerals off the Hebrew dates are digits with the Hebrew month names.
printf 'Language: "3"\nHebrewNumerals: "0"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" month 2025-04 > "$W/he-digits.ps" 2> /dev/null || fail "Hebrew in digits: exit status"
gs_render "Hebrew in digits" "$W/he-digits.ps" "Loading .* font from"
expect_text "Hebrew caption in digits" "$W/he-digits.ps.txt" "5785 רייא 2 - ןסינ 3"
rm -f "$HOME/.lumaro/translations/hebrew."*

# ---------------------------------------------------------------- English, Hebrew numerals
# The English page keeps its standard fonts and shows the Hebrew dates in
# the embedded Hebrew font.
printf 'HebrewNumerals: "1"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$HOME/.lumaro/kivrasettings"
"$LUMARO_CLI" month 2024-10 > "$W/en-numerals.ps" 2> /dev/null || fail "English with numerals: exit status"
grep -qx "/TestHebrewYi /RTLFontB UnicodeEncoding ReEncode" "$W/en-numerals.ps" || fail "English with numerals: no Hebrew font"
grep -q "^/Helvetica-Bold 16 selectfont" "$W/en-numerals.ps" || fail "English with numerals: the caption is not in Helvetica"
gs_render "English with numerals" "$W/en-numerals.ps" "Loading (TestHebrewYi|AharoniCLM)"
only_printable "English with numerals" "$W/en-numerals.ps.txt"
expect_text "English caption" "$W/en-numerals.ps.txt" "October 2024"
expect_text "English page, Hebrew caption" "$W/en-numerals.ps.txt" "ה״פשת ירשת ט״כ - ד״פשת לולא ח״כ"
expect_text "English page, Yom Kippur" "$W/en-numerals.ps.txt" "Yom Kippur"
# 1 October 2024 is כ״ח אלול; 17 October ט״ו תשרי, on the line of the
# day numbers between 17 and 18.
expect_text "English page, 28 Elul" "$W/en-numerals.ps.txt" " 1 ח״כ "
grep -qE " 17 +ו״ט +18 " "$W/en-numerals.ps.txt" || fail "English page, 15 Tishri: not between 17 and 18"
# --hebrew-numerals off for one run: the page of the English default.
"$LUMARO_CLI" --hebrew-numerals off month 2024-10 > "$W/en-off.ps" 2> /dev/null
"$LUMARO_CLI" --hebrew-numerals on month 2024-10 > "$W/en-on.ps" 2> /dev/null
cmp -s "$W/en-on.ps" "$W/en-numerals.ps" || fail "--hebrew-numerals on differs from the setting"
rm "$HOME/.lumaro/kivrasettings"
cmp -s "$W/en-off.ps" "$W/oct.ps" || fail "--hebrew-numerals off differs from the English default page"
png "$W/en-numerals.ps" print-english-numerals-2024-10
# Without a usable Hebrew font the English page with numerals is refused.
printf 'HebrewNumerals: "1"\nPrintYiddishFontFile: "%s"\n' "$W/missing.pfa" > "$HOME/.lumaro/kivrasettings"
expect_usage_error "English with numerals, font missing" month 2024-10
grep -q "missing.pfa" "$E2E_HOME/stderr" || fail "English with numerals, font missing: the message does not name the file"
rm "$HOME/.lumaro/kivrasettings"

# A configured font that cannot be read is an error, not a page of wrong letters.
printf 'Language: "2"\nPrintYiddishFontFile: "%s"\n' "$W/missing.pfa" > "$HOME/.lumaro/kivrasettings"
expect_usage_error "Yiddish font missing" month 2024-10
grep -q "missing.pfa" "$E2E_HOME/stderr" || fail "Yiddish font missing: the message does not name the file"
rm -f "$HOME/.lumaro/kivrasettings"

expect_usage_error "unwritable out" month 2024-10 --out "$W/no-such-dir/x.ps"
[ -e "$W/no-such-dir" ] && fail "unwritable out: something was created"

finish
