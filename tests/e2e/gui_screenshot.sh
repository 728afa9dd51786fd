#!/bin/bash
# The program itself under a private Xvfb at 1280x1024 on a fixed day (Sunday 13 April 2025, Pesakh I),
# started by a new user in English (who is asked for the place first) and by one whose settings ask for
# Yiddish. The screenshots are kept
# for people to look at, and their colours are checked.
source "$(dirname "$0")/lib/common.sh"
[ -n "${LUMARO_GUI:-}" ] || { echo "the GUI is not built; nothing to check"; exit 0; }
for tool in xvfb-run faketime convert import xdotool fc-list; do command -v "$tool" > /dev/null || fail "$tool is missing"; done
[ "$E2E_FAILURES" = 0 ] || finish
mkdir -p "$OUT_DIR"
SETTINGS="$HOME/.lumaro/kivrasettings"
# shoot FILE: runs the program (libfaketime preloaded into it, so that SIGTERM reaches it) and saves
# the screen once the month is painted (the selected day's shade comes late), waiting at most 30 s.
# A display that another test run took first is tried again.
shoot() {
  SHOT="$OUT_DIR/$1"
  rm -f "$SHOT"
  cat > "$E2E_HOME/run.sh" <<SCRIPT
#!/bin/bash
LD_PRELOAD=\$(dpkg -L libfaketime | grep '/libfaketime.so.1\$') FAKETIME='@2025-04-13 12:00:00' \\
  FAKETIME_DONT_RESET=1 "$LUMARO_GUI" & pid=\$!
for i in \$(seq 300); do
  # A new user is asked for the place first: the dialog is kept as a picture and answered with Return.
  place=\$(xdotool search --onlyvisible --name '^Your place\$' 2> /dev/null | head -1)
  if [ -n "\$place" ] && [ ! -f "$E2E_HOME/asked" ]; then
    sleep 1 && import -window root "$OUT_DIR/your-place.png" && touch "$E2E_HOME/asked"
    xdotool key --window "\$place" Return
  fi
  xdotool search --onlyvisible --name '^Lumaro\$' > /dev/null 2>&1 && touch "$E2E_HOME/shown" && break
  kill -0 \$pid 2> /dev/null || exit 0
  sleep 0.1
done
for i in \$(seq 30); do
  sleep 1
  import -window root "$SHOT"
  convert "$SHOT" -format %c histogram:info:- | grep -qi '#C6C6E6' && break
done
sleep 1 && import -window root "$SHOT"
kill \$pid && wait \$pid
SCRIPT
  chmod +x "$E2E_HOME/run.sh"
  for try in 1 2 3; do
    rm -f "$E2E_HOME/shown"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$E2E_HOME/run.sh"
    [ -f "$E2E_HOME/shown" ] && break
    echo "the window did not show (try $try)"
  done
  [ -s "$SHOT" ] || { fail "no screenshot written"; finish; }
}

# English: the selected day (Pesakh I) a darker festival blue in a navy frame; Pesakh I, VII and VIII
# light blue; Khol HaMoed light green; candle-lighting times red.
shoot month-2025-04.png
colours=$(convert "$SHOT" -format %c histogram:info:-)
count_of() { grep -i "$1" <<< "$colours" | awk -F: '{s += $1} END {print s + 0}'; }
[ "$(count_of '#C6C6E6')" -gt 5000 ] || fail "the selected day is not a darker festival blue"
[ "$(count_of '#000080')" -gt 500 ] || fail "no frame around the selected day"
[ "$(count_of '#DCDCFF')" -gt 15000 ] || fail "too little festival blue"
[ "$(count_of '#D4FFD4')" -gt 15000 ] || fail "too little Khol HaMoed green"
[ "$(count_of '#A00000')" -gt 50 ] || fail "no red times"
[ -s "$SETTINGS" ] || fail "settings not written on close"
[ -s "$OUT_DIR/your-place.png" ] || fail "a new user was not asked for the place"

# Yiddish: the first run installs the translations and picks a screen font that shows Hebrew
# (letters and the points of Yiddish, so no fallback font is needed) when "Times New Roman" is missing.
rm -rf "$HOME/.lumaro" && mkdir -p "$HOME/.lumaro"
printf 'Language: "2"\n' > "$SETTINGS"
shoot yiddish-month-2025-04.png
for f in "$LUMARO_SOURCE_DIR"/data/translations/yiddish.*; do
  cmp -s "$f" "$HOME/.lumaro/translations/$(basename "$f")" || fail "$(basename "$f") not installed"
done
font=$(sed -n 's/^FontName: "\(.*\)"$/\1/p' "$SETTINGS")
fc-list ':charset=05d0 05e9 05f0 05f2 05b7 05bc 05bf' family | grep -qF "$font" && [ -n "$font" ] ||
  fail "the screen font '$font' is not installed or lacks Hebrew letters or points"
finish
