#!/bin/bash
# The program itself under a private Xvfb at 1280x1024 on a fixed day (Sunday
# 13 April 2025, the first day of Pesakh), started by a new user in English
# and by one whose settings ask for Yiddish. The screenshots are kept for
# people to look at, and their colours are checked.
source "$(dirname "$0")/lib/common.sh"

if [ -z "${LUMARO_GUI:-}" ]; then
  echo "the GUI is not built; nothing to check"
  exit 0
fi
for tool in xvfb-run faketime convert import xdotool fc-list; do
  command -v "$tool" > /dev/null || { fail "$tool is missing (scripts/install-deps.sh installs it)"; finish; }
done
mkdir -p "$OUT_DIR"

# shoot FILE: runs the program and saves the screen once the month is painted
# (the selected day's shade is drawn late in the paint), waiting at most 30 s.
# A display that another test run took first is tried again.
shoot() {
  SHOT="$OUT_DIR/$1"
  rm -f "$SHOT"
  cat > "$E2E_HOME/run.sh" <<SCRIPT
#!/bin/bash
# libfaketime is preloaded into the program itself, so SIGTERM reaches it.
LD_PRELOAD=\$(dpkg -L libfaketime | grep '/libfaketime.so.1\$') FAKETIME='@2025-04-13 12:00:00' \\
  FAKETIME_DONT_RESET=1 "$LUMARO_GUI" & pid=\$!
for i in \$(seq 300); do
  xdotool search --onlyvisible --name '^Lumaro\$' > /dev/null 2>&1 && touch "$E2E_HOME/shown" && break
  kill -0 \$pid 2> /dev/null || exit 0
  sleep 0.1
done
for i in \$(seq 30); do
  sleep 1
  import -window root "$SHOT"
  convert "$SHOT" -format %c histogram:info:- | grep -qi '#B0B0D9' && break
done
sleep 1
import -window root "$SHOT"
kill \$pid
wait \$pid
SCRIPT
  chmod +x "$E2E_HOME/run.sh"
  for try in 1 2 3; do
    rm -f "$E2E_HOME/shown"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$E2E_HOME/run.sh"
    [ -f "$E2E_HOME/shown" ] && break
    echo "the window did not show (try $try)"
  done
  [ -s "$SHOT" ] || { fail "no screenshot written"; finish; }
  colours=$(convert "$SHOT" -format %c histogram:info:-)
}
count_of() { printf '%s\n' "$colours" | grep -i "$1" | awk -F: '{s += $1} END {print s + 0}'; }
SETTINGS="$HOME/.lumaro/kivrasettings"

# English: the selected day (13 April, Pesakh I) is a darker shade of the
# festival blue in a navy frame; Pesakh I, VII and VIII are light blue; the
# Khol HaMoed days light green; candle-lighting times red.
shoot month-2025-04.png
[ "$(count_of '#B0B0D9')" -gt 5000 ] || fail "the selected day is not a darker festival blue"
[ "$(count_of '#000080')" -gt 500 ] || fail "no frame around the selected day"
[ "$(count_of '#D0D0FF')" -gt 15000 ] || fail "too little festival blue"
[ "$(count_of '#D0FFD0')" -gt 15000 ] || fail "too little Khol HaMoed green"
[ "$(count_of '#FF0000')" -gt 50 ] || fail "no red times"
[ -s "$SETTINGS" ] || fail "settings not written on close"

# Yiddish: the first run installs the translations and picks a screen font
# that shows Hebrew when "Times New Roman" is missing.
rm -rf "$HOME/.lumaro"
mkdir -p "$HOME/.lumaro"
printf 'Language: "2"\n' > "$SETTINGS"
shoot yiddish-month-2025-04.png
for f in "$LUMARO_SOURCE_DIR"/data/translations/yiddish.*; do
  cmp -s "$f" "$HOME/.lumaro/translations/$(basename "$f")" || fail "$(basename "$f") not installed"
done
font=$(sed -n 's/^FontName: "\(.*\)"$/\1/p' "$SETTINGS")
[ -n "$(fc-list "$font" family)" ] || fail "the screen font '$font' is not installed"
# Letters and points of Yiddish, so that no fallback font is needed.
[ -n "$(fc-list ':charset=05d0 05e9 05f0 05f2 05b7 05bc 05bf' family | grep -F "$font")" ] ||
  fail "the screen font '$font' lacks Hebrew letters or points"
finish
