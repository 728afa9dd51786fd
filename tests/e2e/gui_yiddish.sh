#!/bin/bash
# The program itself, started by a new user whose settings ask for Yiddish,
# under a private Xvfb on a fixed day (the first day of Pesakh 5785): on its
# first run it installs the translation files, picks a screen font that
# shows Hebrew when "Times New Roman" is missing, and paints the month. The
# screenshot is kept for people to look at.
source "$(dirname "$0")/lib/common.sh"

if [ -z "${LUMARO_GUI:-}" ]; then
  echo "the GUI is not built; nothing to check"
  exit 0
fi
for tool in xvfb-run faketime convert import xdotool fc-list; do
  command -v "$tool" > /dev/null || { fail "$tool is missing (scripts/install-deps.sh installs it)"; finish; }
done

OUT_DIR=${LUMARO_SCREENSHOT_DIR:-$(pwd)/screenshots}
mkdir -p "$OUT_DIR"
SHOT="$OUT_DIR/yiddish-month-2025-04.png"
rm -f "$SHOT"
printf 'Language: "2"\n' > "$HOME/.lumaro/kivrasettings"

cat > "$E2E_HOME/run.sh" <<SCRIPT
#!/bin/bash
LD_PRELOAD=\$(dpkg -L libfaketime | grep '/libfaketime.so.1\$') FAKETIME='@2025-04-13 12:00:00' \\
  FAKETIME_DONT_RESET=1 "$LUMARO_GUI" & pid=\$!
for i in \$(seq 100); do
  xdotool search --onlyvisible --name '^Lumaro\$' > /dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
import -window root "$SHOT"
kill \$pid
wait \$pid
SCRIPT
chmod +x "$E2E_HOME/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$E2E_HOME/run.sh"

[ -s "$SHOT" ] || { fail "no screenshot written"; finish; }
# The first run installed the translations.
for f in "$LUMARO_SOURCE_DIR"/data/translations/yiddish.*; do
  cmp -s "$f" "$HOME/.lumaro/translations/$(basename "$f")" || fail "$(basename "$f") not installed"
done
# The month is painted with its festival colours, as in English.
colours=$(convert "$SHOT" -format %c histogram:info:-)
count_of() { printf '%s\n' "$colours" | grep -i "$1" | awk -F: '{s += $1} END {print s + 0}'; }
[ "$(count_of '#D0D0FF')" -gt 15000 ] || fail "too little festival blue"
[ "$(count_of '#D0FFD0')" -gt 15000 ] || fail "too little Khol HaMoed green"
# Closing wrote the settings: still Yiddish, and a screen font that exists.
expect_eq "language kept" 'Language: "2"' "$(grep '^Language:' "$HOME/.lumaro/kivrasettings")"
font=$(sed -n 's/^FontName: "\(.*\)"$/\1/p' "$HOME/.lumaro/kivrasettings")
[ -n "$(fc-list "$font" family)" ] || fail "the screen font '$font' is not installed"
[ -n "$(fc-list ':charset=05d0 05f2' family | grep -F "$font")" ] || fail "the screen font '$font' has no Hebrew"
echo "screenshot: $SHOT"
finish
