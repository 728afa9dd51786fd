#!/bin/bash
# The program under a private Xvfb at 1280x1024 on a fixed day (Sunday
# 13 April 2025, the first day of Pesakh): the screenshot is kept for
# people to look at, and its colours are checked.
source "$(dirname "$0")/lib/common.sh"

if [ -z "${LUMARO_GUI:-}" ]; then
  echo "the GUI is not built; nothing to check"
  exit 0
fi
for tool in xvfb-run faketime convert import; do
  command -v "$tool" > /dev/null || { fail "$tool is missing (scripts/install-deps.sh installs it)"; finish; }
done

OUT_DIR=${LUMARO_SCREENSHOT_DIR:-$(pwd)/screenshots}
mkdir -p "$OUT_DIR"
SHOT="$OUT_DIR/month-2025-04.png"
rm -f "$SHOT"

cat > "$E2E_HOME/run.sh" <<SCRIPT
#!/bin/bash
# The clock is fixed with libfaketime preloaded into the program itself, so
# the pid is the program's and SIGTERM reaches it.
LD_PRELOAD=\$(dpkg -L libfaketime | grep '/libfaketime.so.1\$') FAKETIME='@2025-04-13 12:00:00' \\
  FAKETIME_DONT_RESET=1 "$LUMARO_GUI" & pid=\$!
for i in \$(seq 100); do
  xdotool search --onlyvisible --name '^Lumaro\$' > /dev/null 2>&1 && break
  sleep 0.1
done
# Under load the first paint can take a while: shoot until the month is on
# the screen (the selected day's grey is drawn late in the paint), at most 30 s.
for i in \$(seq 30); do
  sleep 1
  import -window root "$SHOT"
  convert "$SHOT" -format %c histogram:info:- | grep -qi '#A0A0A0' && break
done
sleep 1
import -window root "$SHOT"
kill \$pid
wait \$pid
SCRIPT
chmod +x "$E2E_HOME/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$E2E_HOME/run.sh"

[ -s "$SHOT" ] || { fail "no screenshot written"; finish; }
expect_eq "screenshot size" "1280x1024" "$(identify -format '%wx%h' "$SHOT")"
colours=$(convert "$SHOT" -format %c histogram:info:-)
count_of() { printf '%s\n' "$colours" | grep -i "$1" | awk -F: '{s += $1} END {print s + 0}'; }
# The selected day (13 April) is shaded grey; Pesakh I, VII and VIII are light
# blue; the Khol HaMoed days light green; candle-lighting times red.
[ "$(count_of '#A0A0A0')" -gt 5000 ] || fail "no selected-day grey"
[ "$(count_of '#D0D0FF')" -gt 15000 ] || fail "too little festival blue"
[ "$(count_of '#D0FFD0')" -gt 15000 ] || fail "too little Khol HaMoed green"
[ "$(count_of '#FF0000')" -gt 50 ] || fail "no red times"
# Closing the window wrote the settings of the new user.
[ -s "$HOME/.lumaro/kivrasettings" ] || fail "settings not written on close"
echo "screenshot: $SHOT"
finish
