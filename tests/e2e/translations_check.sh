#!/bin/bash
# scripts/check-translations.py: every English text of the program has an
# entry in every language (Yiddish, Hebrew). It passes on the sources as they
# are, and on a copy with a fault put in it fails naming that fault.
source "$(dirname "$0")/lib/common.sh"

CHECK="$LUMARO_SOURCE_DIR/scripts/check-translations.py"
command -v python3 > /dev/null || { fail "python3 is missing (scripts/install-deps.sh installs it)"; finish; }

out=$(python3 "$CHECK" --root "$LUMARO_SOURCE_DIR" 2>/dev/null)
status=$?
expect_eq "the sources pass" 0 "$status"
[ "$status" -eq 0 ] || printf '%s\n' "$out" | head -30 >&2
for language in hebrew yiddish; do
  printf '%s\n' "$out" | grep -q "^$language: .* 0 problem(s)\$" || fail "no summary line for $language: $out"
done

# A copy of the sources and translations to put faults into.
COPY="$E2E_HOME/tree"
mkdir -p "$COPY/data" "$COPY/tests/data"
cp "$LUMARO_TEST_DATADIR/translation_sources.tsv" "$COPY/tests/data/"
cp -r "$LUMARO_SOURCE_DIR/src" "$COPY/src"
cp -r "$LUMARO_SOURCE_DIR/data/translations" "$COPY/data/translations"
T="$COPY/data/translations"
pristine() { rm -rf "$COPY/src" "$T"; cp -r "$LUMARO_SOURCE_DIR/src" "$COPY/src"; cp -r "$LUMARO_SOURCE_DIR/data/translations" "$T"; }

# expect_fault NAME PATTERN: the check fails and reports a line matching PATTERN.
expect_fault() {
  local out status
  out=$(python3 "$CHECK" --root "$COPY" 2>/dev/null)
  status=$?
  [ "$status" -eq 1 ] || fail "$1: exit status $status, expected 1"
  printf '%s\n' "$out" | grep -q -- "$2" || { fail "$1: no line matching '$2'"; printf '%s\n' "$out" | head -5 >&2; }
  pristine
}

# A menu label without its entry.
sed -i '/^"Exit" = /d' "$T/yiddish.gui"
expect_fault "missing entry" 'main_window.cpp:[0-9]*: no translation of "Exit"'

# A new message in a dialog.
sed -i 's|translate_perform("Year must be a number")|translate_perform("Year must be a whole number")|' \
  "$COPY/src/dialogs/year_dialog.cpp"
expect_fault "new literal" 'year_dialog.cpp:16: no translation of "Year must be a whole number"'

# A new row in a table that feeds translate_perform.
sed -i 's|"Shabbat Shuva"},|"Shabbat Shuva"},\n    {67, "Shabbat Test"},|' "$COPY/src/calendar/names.cpp"
expect_fault "new table row" 'no translation of "Shabbat Test"'

# A call whose texts come from somewhere the check was not told about.
printf '%s\n' '#include "base/translate.h"' 'std::string Hint(const std::string& k) { return translate_perform(k + "!"); }' \
  > "$COPY/src/render/new_hint.cpp"
expect_fault "unknown source" 'new_hint.cpp:2: translate_perform(k + "!"): where do these texts come from'

# A format whose conversions are swapped, and a translation in Latin letters.
sed -i 's|^"Year must be in range %d-%d" = .*|"Year must be in range %d-%d" = "%s - %d"|' "$T/yiddish.gui2"
expect_fault "format" 'the translation must have the conversions'
sed -i 's|^"Exit" = .*|"Exit" = "Exit"|' "$T/yiddish.gui"
expect_fault "Latin letters" '"Exit": the translation holds Latin letters'

# A point the printout cannot compose (segol under alef), and a syntax error.
sed -i 's|^"Exit" = .*|"Exit" = "\xd7\x90\xd6\xb6"|' "$T/yiddish.gui"
expect_fault "point" 'point U+05B6'
sed -i 's|{0x05D0, 0x05B7, 0xFB2E}|{0x05D0, 0x05B7, 0xFB2F}|' "$COPY/src/base/hebrew_points.h"
expect_fault "composition table" 'U+FB2F is not U+05D0 with U+05B7'
printf '%s\n' 'Exit = "x"' >> "$T/yiddish.molad"
expect_fault "syntax" 'yiddish.molad:[0-9]*: " (key start) expected'

# A halakha line whose phrase is missing, and a short key that would eat a
# piece of a word once the longer phrase is gone.
sed -i '/^"Lulav and etrog" = /d' "$T/yiddish.halakha"
expect_fault "halakha phrase" 'English left in "Lulav and etrog"'
sed -i '/^"Ato Khonantanu" = /d' "$T/yiddish.halakha"
printf '%s\n' '"Khonantanu" = "x"' >> "$T/yiddish.halakha"
expect_fault "key inside a word" 'the key "to" matches inside a word of "Ato Khonantanu"'

# A book of the readings.
sed -i '/^"Habakkuk" = /d' "$T/yiddish.readings"
expect_fault "reading" 'English left in "Habakkuk 3:1-19'

# Hebrew is checked as Yiddish is, and its problems name the language.
sed -i '/^"Exit" = /d' "$T/hebrew.gui"
expect_fault "missing Hebrew entry" '^hebrew: src/app/main_window.cpp:[0-9]*: no translation of "Exit"'
sed -i '/^"Lulav and etrog" = /d' "$T/hebrew.halakha"
expect_fault "Hebrew halakha phrase" '^hebrew: .*English left in "Lulav and etrog"'
rm "$T/hebrew.molad"
expect_fault "missing Hebrew file" '^hebrew: data/translations/hebrew.molad: missing'
# Hebrew writes two yuds, not the Yiddish digraph, and a hyphen, not a maqaf.
sed -i 's|^"Exit" = .*|"Exit" = "\xd7\xb2"|' "$T/hebrew.gui"
expect_fault "digraph in Hebrew" '"Exit": the translation Yiddish digraph U+05F2'
sed -i 's|^"Exit" = .*|"Exit" = "\xd7\x90\xd6\xbe\xd7\x91"|' "$T/hebrew.gui"
expect_fault "maqaf" '"Exit": the translation maqaf U+05BE'

# The print font: a character outside the print encoding, a character the
# Hebrew numerals write (gershayim) that has lost its row, and a glyph name
# the installed default print font does not have.
sed -i 's|^"Exit" = .*|"Exit" = "\xe2\x82\xac"|' "$T/hebrew.gui"
expect_fault "character outside the encoding" '"Exit": the translation character U+20AC cannot be printed'
sed -i '/{214, 0x05F4, "uni05F4"},/d' "$COPY/src/render/ps_text_encoding.cpp"
expect_fault "numerals without their mark" 'hebrew_numerals.cpp: the Hebrew numerals write U+05F4, which the print encoding'
if [ -r /usr/share/fonts/X11/Type1/AharoniCLM-Book.afm ]; then
  sed -i 's|{213, 0x05F3, "uni05F3"}|{213, 0x05F3, "geresh"}|' "$COPY/src/render/ps_text_encoding.cpp"
  expect_fault "glyph missing from the font" 'AharoniCLM-Book.afm: the print font has no glyph "geresh" for U+05F3'
else
  fail "the culmus fonts are not installed (scripts/install-deps.sh installs them)"
fi

# --language checks the named language only, without the prefix.
sed -i '/^"Exit" = /d' "$T/hebrew.gui"
python3 "$CHECK" --root "$COPY" --language yiddish > "$E2E_HOME/one.txt" 2>/dev/null
expect_eq "Yiddish alone passes while Hebrew is broken" 0 "$?"
grep -q '^[0-9]* texts looked up, .* 0 problem(s)$' "$E2E_HOME/one.txt" || fail "no plain summary: $(cat "$E2E_HOME/one.txt")"
python3 "$CHECK" --root "$COPY" --language hebrew > "$E2E_HOME/one.txt" 2>/dev/null
expect_eq "Hebrew alone fails" 1 "$?"
grep -q '^src/app/main_window.cpp:[0-9]*: no translation of "Exit"' "$E2E_HOME/one.txt" || fail "no plain problem line: $(head -3 "$E2E_HOME/one.txt")"
python3 "$CHECK" --root "$COPY" --language klingon > "$E2E_HOME/one.txt" 2>/dev/null
expect_eq "a language without files fails" 1 "$?"
grep -q 'klingon.calendar: missing' "$E2E_HOME/one.txt" || fail "no missing-file line for an unknown language"
pristine

finish
