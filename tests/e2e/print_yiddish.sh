#!/bin/bash
# A month printed in Yiddish by a new user with the shipped translations:
# ghostscript renders it with the embedded font alone, and every text on the
# page is Yiddish (no Latin letter is left). The page is kept as a PNG for
# people to look at.
source "$(dirname "$0")/lib/common.sh"

CULMUS_FONT=/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa
for tool in gs; do
  command -v "$tool" > /dev/null || { fail "$tool is missing (scripts/install-deps.sh installs it)"; finish; }
done
[ -f "$CULMUS_FONT" ] || { fail "$CULMUS_FONT is missing (package culmus)"; finish; }
W="$E2E_HOME/work"
mkdir -p "$W"

# The culmus font under a name ghostscript cannot find on the system.
sed 's|/FontName /AharoniCLM-Book def|/FontName /TestHebrewYi def|; s|FontDirectory/AharoniCLM-Book known{/AharoniCLM-Book findfont|FontDirectory/TestHebrewYi known{/TestHebrewYi findfont|' \
  "$CULMUS_FONT" > "$W/TestHebrewYi.pfa"
rm -rf "$HOME/.lumaro"
"$LUMARO_CLI" zmanim 2025-04-13 > /dev/null  # the first run installs the translations
[ -f "$HOME/.lumaro/translations/yiddish.calendar" ] || fail "translations not installed"
printf 'Language: "2"\nPrintYiddishFontFile: "%s"\n' "$W/TestHebrewYi.pfa" > "$HOME/.lumaro/kivrasettings"

for month in 2025-04 2024-10 2024-12; do
  "$LUMARO_CLI" month "$month" > "$W/$month.ps" 2> /dev/null
  expect_eq "$month: exit status" 0 $?
  log=$(gs -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile="$W/$month.txt" "$W/$month.ps" 2>&1)
  expect_eq "$month: gs exit status" 0 $?
  bad=$(printf '%s\n' "$log" | grep -E "Error|Substituting font|Can't find|Unrecoverable|Loading .* font from")
  [ -z "$bad" ] || fail "$month: gs says: $bad"
  [ "$(grep -c '[0-9]' "$W/$month.txt")" -gt 10 ] || fail "$month: no page text"
  latin=$(grep '[A-Za-z]' "$W/$month.txt")
  [ -z "$latin" ] || fail "$month: Latin letters on the page: $latin"
done

OUT_DIR=${LUMARO_SCREENSHOT_DIR:-$(pwd)/screenshots}
mkdir -p "$OUT_DIR"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
  -sOutputFile="$OUT_DIR/print-yiddish-2025-04.png" "$W/2025-04.ps" || fail "PNG of the printout"
finish
