#!/bin/bash
# `cmake --install` into a private prefix: the programs, the shipped data, the desktop entry and the
# icon land in their places, and the installed lumaro-cli, run by a new user, installs the city file
# and the translations from the installed data (not from the source tree), speaks Yiddish, and still
# works once the installed tree is moved elsewhere.
source "$(dirname "$0")/lib/common.sh"
BUILD_DIR=$(dirname "$LUMARO_CLI")
PREFIX="$E2E_HOME/prefix"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" > "$W/install.log" 2>&1 || { fail "cmake --install: $(cat "$W/install.log")"; finish; }
[ -x "$PREFIX/bin/lumaro-cli" ] || fail "bin/lumaro-cli not installed"
for f in "$LUMARO_SOURCE_DIR"/data/cities "$LUMARO_SOURCE_DIR"/data/translations/*; do
  cmp -s "$f" "$PREFIX/share/lumaro/${f#"$LUMARO_SOURCE_DIR"/data/}" || fail "${f##*/} not installed"
done
if [ -n "${LUMARO_GUI:-}" ]; then
  [ -x "$PREFIX/bin/lumaro" ] || fail "bin/lumaro not installed"
  expect_eq "desktop entry" "Exec=lumaro Icon=lumaro" "$(grep -E '^(Exec|Icon)=' "$PREFIX/share/applications/lumaro.desktop" | paste -sd' ')"
  grep -q '<svg' "$PREFIX/share/icons/hicolor/scalable/apps/lumaro.svg" || fail "the icon is not an SVG"
fi

# The installed data marked, so that the copies show where they came from; a new user (no ~/.lumaro) runs it.
printf '%s\n' '# installed copy' >> "$PREFIX/share/lumaro/translations/yiddish.gui"
sed -i '1i # installed city file' "$PREFIX/share/lumaro/cities"
export HOME="$E2E_HOME/newuser"
out=$(mkdir "$HOME" && env -u LUMARO_DATADIR "$PREFIX/bin/lumaro-cli" zmanim 2025-06-20)
expect_eq "zmanim" "0 Zmanim for date 20.6.2025" "$? $(head -1 <<< "$out")"
expect_eq "the user's files from the installation" "# installed city file|# installed copy" \
  "$(head -1 "$HOME/.lumaro/cities")|$(tail -1 "$HOME/.lumaro/translations/yiddish.gui")"
expect_eq "every translation file" "$(ls "$LUMARO_SOURCE_DIR/data/translations")" "$(ls "$HOME/.lumaro/translations")"
# In Yiddish the report's halakha list (its third paragraph) has no Latin letter.
printf 'Language: "2"\n' > "$HOME/.lumaro/kivrasettings"
out=$(env -u LUMARO_DATADIR "$PREFIX/bin/lumaro-cli" --diaspora day 2024-10-17) || fail "Yiddish report exit status"
halakha=$(awk 'BEGIN{n=1} /^$/{n++; next} n==3' <<< "$out")
[ "$(wc -l <<< "$halakha")" -gt 10 ] || fail "no halakha list: $out"
grep -n '[A-Za-z]' <<< "$halakha" >&2 && fail "Latin letters in the Yiddish halakha list"
mv "$PREFIX" "$E2E_HOME/moved" && rm -rf "$HOME/.lumaro"
env -u LUMARO_DATADIR "$E2E_HOME/moved/bin/lumaro-cli" zmanim 2025-06-20 > /dev/null
expect_eq "moved installation" "# installed city file" "$(head -1 "$HOME/.lumaro/cities")"
finish
