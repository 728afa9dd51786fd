#!/bin/bash
# lumaro-cli month: PostScript rendered by ghostscript and its text read back, on the papers and
# orientations in colour and black and white; Yiddish and Hebrew through the embedded Hebrew font,
# Hebrew numerals (the errors: cli_cases.tsv).
source "$(dirname "$0")/lib/common.sh"
need_print_tools
S="$HOME/.lumaro/kivrasettings"
# page NAME GS_FORBIDDEN "ARGS" TEXT...: prints ARGS to W/NAME.ps, renders it and finds each TEXT.
page() {
  local name=$1 forbidden=$2 args=$3 text
  shift 3
  "$LUMARO_CLI" $args > "$W/$name.ps" 2> /dev/null || fail "$name: exit status"
  gs_render "$name" "$W/$name.ps" "$forbidden"
  for text in "$@"; do grep -qF -- "$text" "$W/$name.ps.txt" || fail "$name: '$text' not in the printed text"; done
}

# 1 October 2024 is 28 Elul 5784; the Shabbat times of the 4th and 5th are the dump's.
page oct "" "month 2024-10" "October 2024" "28 Elul 5784 - 29 Tishri 5785" "Yom Kippur" "Simkhat Tora" "Haazinu" \
  "Bava Basra 98" $("$LUMARO_CLI" dump 2024-10-04 2024-10-05 | tail -2 | cut -f12 | cut -c3-)
"$LUMARO_CLI" month 2024-10 --out "$W/oct-file.ps" && cmp -s "$W/oct.ps" "$W/oct-file.ps" || fail "--out differs from standard output"
png "$W/oct.ps" print-2024-10
# --hebrew-month DATE: the Hebrew month holding DATE, Nisan 5784 from 9 April to 8 May 2024.
page nisan "" "month --hebrew-month 2024-04-15" "Nisan 5784" "9 April - 8 May 2024" "Pesakh VIII"
"$LUMARO_CLI" month --hebrew-month 2024-05-08 | cmp -s "$W/nisan.ps" - || fail "30 Nisan printed another page than 7 Nisan"

# Papers and orientations (sizes in points), colour and black and white.
for c in "Legal 1008 612 --landscape --bw" "A4 595 841"; do
  read -r paper w h options <<< "$c"
  page "$paper" "" "month 2024-10 --paper $paper --margins 10,12.5,10,15 $options" "October 2024" "Yom Kippur"
  grep -qx "%%BoundingBox: 0 0 $w $h" "$W/$paper.ps" && grep -q "/PageSize \[$w $h\]" "$W/$paper.ps" || fail "$c: the page is not $w x $h"
  colours=$(grep -o '^[0-9.]* [0-9.]* [0-9.]* setrgbcolor' "$W/$paper.ps" | sort -u)
  if [[ $options == *--bw ]]; then
    [ -z "$(grep -v -e '^0.000 0.000 0.000' -e '^1.000 1.000 1.000' <<< "$colours")" ] || fail "$c: colours: $colours"
  else
    grep -q '^0.000 0.000 0.753' <<< "$colours" || fail "$c: no blue"
  fi
done

# Yiddish and Hebrew: every text in the embedded font, renamed so that ghostscript cannot find it on
# the system (only the time marks come from the dingbats font, D050000L); nothing Latin but the heading
# line's city and zone from the city file, and in Hebrew nothing outside the print encoding but the
# marks. Captions in visual order.
sed 's|AharoniCLM-Book|TestHebrewYi|g' "$CULMUS_FONT" > "$W/TestHebrewYi.pfa"
cp "$LUMARO_SOURCE_DIR"/data/translations/* "$HOME/.lumaro/translations/"
for language in 2:yiddish 3:hebrew; do
  name=${language#*:}
  printf 'Language: "%s"\nPrintYiddishFontFile: "%s"\n' "${language%:*}" "$W/TestHebrewYi.pfa" > "$S"
  page "$name" "Loading ([^D]|D[^0])[^ ]* font from" "month 2025-04" "ה״פשת רייא ׳ב - ןסינ ׳ג" "13 ו״ט"
  grep -qx "/TestHebrewYi /RTLFontB UnicodeEncoding ReEncode" "$W/$name.ps" || fail "$name: the font is not re-encoded"
  # The candle-lighting and havdalah times (red) at one size, also in cells too narrow for their
  # names, and the other times (black: Kiddush Levana, the tekufa) at one size, however long each line.
  for options in "--margins 10,10,10,10" "--margins 45,10,45,10" --landscape; do
    sizes=$("$LUMARO_CLI" month 2025-04 $options 2> /dev/null | awk '/setrgbcolor/ { c = $1 " " $2 " " $3 }
      /selectfont/ { f = $2 } /show/ && /[0-9]:[0-9][0-9]/ && (c ~ /^0.627 0.000 0.000/ || c ~ /^0.000 0.000 0.000/) {
      print c, f }' | sort -u | cut -d' ' -f1 | uniq -d)
    [ -z "$sizes" ] || fail "$name, $options: times of one colour in several sizes"
  done
  grep -q "^/Helvetica" "$W/$name.ps" && fail "$name: a standard font is used"
  odd=$(grep -vF "UTC+1" "$W/$name.ps.txt" | grep -nP "[A-Za-z]$([ "$name" = hebrew ] &&
    printf '%s' '|[^\x{20}-\x{7E}\x{5D0}-\x{5EA}\x{5F3}\x{5F4}\x{FB1D}-\x{FB4F}\x{2605}\x{2721}\x{2729}]')")
  [ -z "$odd" ] || fail "$name: Latin letters or characters outside the print encoding: $odd"
done
png "$W/hebrew.ps" print-hebrew-2025-04
rm -f "$HOME/.lumaro/translations/"{yiddish,hebrew}.*
# Without a configured font the culmus font is embedded.
printf 'Language: "2"\n' > "$S"
"$LUMARO_CLI" month 2024-10 --bw --paper A4 2> /dev/null | grep -q "^%!PS-AdobeFont-1.0: AharoniCLM-Book" || fail "Yiddish default font: not embedded"

# English with Hebrew numerals: the Hebrew dates in the Hebrew font.
printf 'HebrewNumerals: "1"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$S"
page en-numerals "Loading (TestHebrewYi|AharoniCLM)" "month 2024-10" "October 2024" "ה״פשת ירשת ט״כ - ד״פשת לולא ח״כ" " 1 ח״כ "
"$LUMARO_CLI" --hebrew-numerals on month 2024-10 | cmp -s "$W/en-numerals.ps" - || fail "--hebrew-numerals on differs from the setting"
# (The heading line names the zone, by the database without a settings file, else by its rule.)
"$LUMARO_CLI" --hebrew-numerals off month 2024-10 | grep -v "sun calculation" |
  cmp -s <(grep -v "sun calculation" "$W/oct.ps") - || fail "--hebrew-numerals off differs from the default"
finish
