#!/bin/bash
# `cmake --install` into a private prefix: the programs, the shipped data, the
# desktop entry and the icon land in their places, and the installed
# lumaro-cli, run by a new user, installs the city file and the translations
# from the installed data (not from the source tree) and speaks Yiddish.
source "$(dirname "$0")/lib/common.sh"

BUILD_DIR=$(dirname "$LUMARO_CLI")
[ -f "$BUILD_DIR/CMakeCache.txt" ] || { fail "no build tree at $BUILD_DIR"; finish; }
PREFIX="$E2E_HOME/prefix"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" > "$E2E_HOME/install.log" 2>&1 \
  || { fail "cmake --install failed"; cat "$E2E_HOME/install.log" >&2; finish; }

[ -x "$PREFIX/bin/lumaro-cli" ] || fail "bin/lumaro-cli not installed"
expect_eq "city file" "" "$(cmp "$PREFIX/share/lumaro/cities" "$LUMARO_SOURCE_DIR/data/cities" 2>&1)"
for f in "$LUMARO_SOURCE_DIR"/data/translations/yiddish.*; do
  expect_eq "installed $(basename "$f")" "" "$(cmp "$PREFIX/share/lumaro/translations/$(basename "$f")" "$f" 2>&1)"
done
if [ -n "${LUMARO_GUI:-}" ]; then
  [ -x "$PREFIX/bin/lumaro" ] || fail "bin/lumaro not installed"
  DESKTOP="$PREFIX/share/applications/lumaro.desktop"
  expect_eq "desktop Exec" "Exec=lumaro" "$(grep '^Exec=' "$DESKTOP")"
  expect_eq "desktop Icon" "Icon=lumaro" "$(grep '^Icon=' "$DESKTOP")"
  ICON="$PREFIX/share/icons/hicolor/scalable/apps/lumaro.svg"
  grep -q '<svg' "$ICON" || fail "the icon is not an SVG"
fi

# Mark the installed data, so the copies show where they came from.
printf '%s\n' '# installed copy' >> "$PREFIX/share/lumaro/translations/yiddish.gui"
sed -i '1i # installed city file' "$PREFIX/share/lumaro/cities"

# A new user (no ~/.lumaro at all) runs the installed program.
export HOME="$E2E_HOME/newuser"
mkdir -p "$HOME"
out=$(env -u LUMARO_DATADIR "$PREFIX/bin/lumaro-cli" zmanim 2025-06-20)
expect_eq "zmanim exit status" 0 $?
expect_eq "zmanim first line" "Zmanim for date 20.6.2025" "$(printf '%s\n' "$out" | head -1)"
expect_eq "city file from the installation" "# installed city file" "$(head -1 "$HOME/.lumaro/cities")"
expect_eq "translations from the installation" "# installed copy" "$(tail -1 "$HOME/.lumaro/translations/yiddish.gui")"
expect_eq "every translation file" "$(cd "$LUMARO_SOURCE_DIR/data/translations" && ls | paste -sd' ')" \
  "$(cd "$HOME/.lumaro/translations" && ls | paste -sd' ')"

# The same user in Yiddish: the report's halakha list has no Latin letter.
printf 'Language: "2"\n' > "$HOME/.lumaro/kivrasettings"
out=$(env -u LUMARO_DATADIR "$PREFIX/bin/lumaro-cli" --diaspora day 2024-10-17)
expect_eq "Yiddish report exit status" 0 $?
halakha=$(printf '%s\n' "$out" | awk 'BEGIN{n=1} /^$/{n++; next} n==3')
[ "$(printf '%s\n' "$halakha" | wc -l)" -gt 10 ] || fail "no halakha list: $out"
printf '%s\n' "$halakha" | grep -n '[A-Za-z]' >&2 && fail "Latin letters in the Yiddish halakha list"

# The installed tree still works after it is moved elsewhere.
mv "$PREFIX" "$E2E_HOME/moved"
rm -rf "$HOME/.lumaro"
env -u LUMARO_DATADIR "$E2E_HOME/moved/bin/lumaro-cli" zmanim 2025-06-20 > /dev/null
expect_eq "moved installation" "# installed city file" "$(head -1 "$HOME/.lumaro/cities")"

finish
