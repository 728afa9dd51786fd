#!/bin/bash
# A long random run of the real program: under a private Xvfb, random key
# presses, clicks in the month view, menu openings and dialog closings for
# SECONDS. The program must never crash (it is restarted when it exits
# normally, e.g. through "Exit"), and afterwards the settings and
# anniversaries files must still parse.
#
#   scripts/gui-monkey.sh SECONDS [LUMARO_BINARY]
set -u
cd "$(dirname "$0")/.."
DURATION=${1:?usage: scripts/gui-monkey.sh SECONDS [LUMARO_BINARY]}
LUMARO=${2:-build/lumaro}
LUMARO=$(readlink -f "$LUMARO")
CLI=$(dirname "$LUMARO")/lumaro-cli
[ -x "$LUMARO" ] || { echo "no program at $LUMARO (build first)" >&2; exit 2; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-monkey.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export HOME="$WORK/home"
mkdir -p "$HOME/.lumaro"
cat > "$HOME/.lumaro/kivraanni" <<'ANNI'
"Moshe ben Avraham" Y H 30.8.5780 0
"Rivka" B 12.3.1990 1
"Wedding" A H 1.13.5784 0
ANNI
cd "$WORK"

cat > "$WORK/monkey.sh" <<'MONKEY'
#!/bin/bash
set -u
LUMARO=$1; DURATION=$2; LOG=$3
end=$((SECONDS + DURATION))
starts=0 crashes=0 actions=0
keys=(Left Right Up Down Page_Up Page_Down Return Escape Tab space Return Escape Escape ctrl+p Home End)
start() {
  "$LUMARO" > /dev/null 2>> "$LOG" & pid=$!
  starts=$((starts + 1))
  for i in $(seq 50); do xdotool search --onlyvisible --pid $pid > /dev/null 2>&1 && break; sleep 0.1; done
}
start
while [ $SECONDS -lt $end ]; do
  if ! kill -0 $pid 2>/dev/null; then
    wait $pid; status=$?
    if [ $status -ne 0 ]; then crashes=$((crashes + 1)); echo "exit status $status" >> "$LOG"; fi
    start
  fi
  r=$((RANDOM % 100))
  if [ $r -lt 45 ]; then
    xdotool key --clearmodifiers "${keys[$((RANDOM % ${#keys[@]}))]}" 2>/dev/null
  elif [ $r -lt 85 ]; then
    # anywhere on the screen: month view, popups, dialogs
    xdotool mousemove $((RANDOM % 1280)) $((RANDOM % 1024)) click 1 2>/dev/null
  elif [ $r -lt 92 ]; then
    # a menu title, then an item below it
    xdotool mousemove $((10 + (RANDOM % 3) * 70)) 12 click 1 2>/dev/null
    sleep 0.2
    xdotool mousemove $((30 + RANDOM % 200)) $((30 + RANDOM % 260)) click 1 2>/dev/null
  elif [ $r -lt 96 ]; then
    xdotool mousemove $((RANDOM % 1280)) $((RANDOM % 1024)) click --repeat 2 1 2>/dev/null
  else
    # close whatever dialog is on top the hard way: Escape a few times
    xdotool key Escape Escape 2>/dev/null
  fi
  actions=$((actions + 1))
  sleep 0.0$((RANDOM % 5))
done
kill -TERM $pid 2>/dev/null
wait $pid; status=$?
[ $status -ne 0 ] && [ $status -ne 143 ] && crashes=$((crashes + 1)) && echo "final exit status $status" >> "$LOG"
echo "actions=$actions starts=$starts crashes=$crashes"
MONKEY
chmod +x "$WORK/monkey.sh"

result=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$WORK/monkey.sh" "$LUMARO" "$DURATION" "$WORK/stderr.log")
echo "$result"
status=0
case "$result" in *crashes=0*) ;; *) status=1; echo "the program crashed:"; grep -E 'exit status|Fatal|ERROR|Segmentation|Abort' "$WORK/stderr.log" | head -20 ;; esac

# The files the program wrote must still read back.
settings="$HOME/.lumaro/kivrasettings"
if [ -s "$settings" ]; then
  bad=$(grep -cvE '^[A-Za-z0-9]+: "[^"]*"$' "$settings")
  [ "$bad" -eq 0 ] || { echo "settings file has $bad malformed lines"; status=1; }
else
  echo "no settings file written"; status=1
fi
if [ -x "$CLI" ]; then
  "$CLI" dump 2025-01-01 2025-01-02 > /dev/null || { echo "lumaro-cli cannot read the files"; status=1; }
fi
annis=$(grep -c . "$HOME/.lumaro/kivraanni" 2>/dev/null || echo 0)
echo "anniversaries in the file: $annis"
exit $status
