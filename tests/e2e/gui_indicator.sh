#!/bin/bash
# lumaro --indicator under a private Xvfb and session bus: shown by a real StatusNotifierItem host
# (its label and title read over D-Bus, the menu kept as a screenshot), in the XEmbed tray of trayer
# where no host runs, one per session; the steps of tests/data/e2e/indicator_steps.tsv (the date
# turning at sunset and not at midnight, a settings change followed, the candle reminder sent to a
# stand-in notification service, and not after a clock jump past it).
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib/common.sh"
[ -n "${LUMARO_GUI:-}" ] || { echo "the GUI is not built; nothing to check"; exit 0; }
FAKETIME_LIB=$(dpkg -L libfaketime 2> /dev/null | grep '/libfaketime.so.1$')
for tool in xvfb-run dbus-run-session status-notifier-watcher gtk-sni-tray-standalone trayer xwininfo xprop \
  gdbus xdotool import; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is missing (scripts/install-deps.sh installs it)"; exit 0; }
done
[ -n "$FAKETIME_LIB" ] && /usr/bin/python3 -c 'import dbus, gi' 2> /dev/null ||
  { echo "SKIP: libfaketime or python3-dbus/python3-gi is missing"; exit 0; }
STEPS="$LUMARO_TEST_DATADIR/e2e/indicator_steps.tsv"
ITEM_PATH=/org/ayatana/NotificationItem/lumaro
export TZ=America/New_York FAKETIME_FILE="$E2E_HOME/faketime" RECORD="$E2E_HOME/record.jsonl" LC_ALL=C.UTF-8
cp "$LUMARO_SOURCE_DIR/data/cities" "$HOME/.lumaro/"
settings() { printf '%b\n' "$1" > "$HOME/.lumaro/kivrasettings"; }
prop() { gdbus call --session -d "$ITEM" -o $ITEM_PATH -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$1"; }
stop() { [ -n "${PID:-}" ] && kill "$PID" && wait "$PID"; PID=; }
# start NOW [faketime]: a new indicator, once the host has it; ITEM its unique name on the bus.
start() {
  stop
  settings 'CurrentCity: "New York City"\nDSTAutomatic: "1"'
  echo +0 > "$FAKETIME_FILE"
  if [ -n "${2:-}" ]; then
    LUMARO_NOW=$1 LD_PRELOAD=$FAKETIME_LIB FAKETIME_TIMESTAMP_FILE=$FAKETIME_FILE FAKETIME_NO_CACHE=1 \
      DONT_FAKE_MONOTONIC=1 "$LUMARO_GUI" --indicator & PID=$!
  else
    LUMARO_NOW=$1 "$LUMARO_GUI" --indicator & PID=$!
  fi
  STARTED=$(date +%s.%N)
  for i in $(seq 100); do
    ITEM=$(gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus -m org.freedesktop.DBus.GetNameOwner \
      org.example.Lumaro.Indicator 2> /dev/null | grep -oE ':[0-9.]+')
    [ -n "$ITEM" ] && gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher -m \
      org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems |
      grep -q "'$ITEM" && return
    sleep 0.1
  done
  fail "the indicator at $1 did not reach the host"
}
at() { sleep "$(awk -v s="$STARTED" -v w="$1" -v n="$(date +%s.%N)" 'BEGIN { d = s + w - n; print (d > 0 ? d : 0) }')"; }
notifications() { [ -f "$RECORD" ] && wc -l < "$RECORD" || echo 0; }

sni() {
  cd "$W" || return  # the host takes a file named like the icon in its folder for the icon
  /usr/bin/python3 "$HERE/lib/notify_recorder.py" "$RECORD" "$E2E_HOME/ready" & local recorder=$!
  status-notifier-watcher > /dev/null 2>&1 & local watcher=$!
  for i in $(seq 50); do gdbus introspect --session -d org.kde.StatusNotifierWatcher -o / > /dev/null 2>&1 && break; sleep 0.1; done
  gtk-sni-tray-standalone --top > /dev/null 2>&1 & local host=$!
  for i in $(seq 50); do
    gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher -m org.freedesktop.DBus.Properties.Get \
      org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered 2> /dev/null | grep -q true && break
    sleep 0.1
  done
  # The menu as the host shows it, kept for people to look at; a second start leaves the first alone.
  start 2026-12-04T16:00
  sleep 1 && xdotool mousemove 12 12 click 3 && sleep 1.5 && import -window root "$OUT_DIR/indicator-menu.png"
  out=$(LUMARO_NOW=2026-12-04T16:00 "$LUMARO_GUI" --indicator 2>&1)
  expect_eq "a second indicator: exit status, message, the first still there" \
    "0|lumaro: the panel indicator is already running in this session|(<'24 Kislev'>,)" "$?|$out|$(prop XAyatanaLabel)"
  while IFS=$'\t' read -r step a b c; do
    case $step in
      '#'*) ;;
      start) start "$a" ;;
      asleep) start "$a" faketime ;;
      settings) settings "$a" ;;
      label) at "$a"
        expect_eq "$step $a s: label, title" "(<'$b'>,)|(<'$c'>,)" "$(prop XAyatanaLabel)|$(prop Title)" ;;
      jump) echo "+$a" > "$FAKETIME_FILE" ;;
      notified) local seen=0
        for i in $(seq $((a * 10))); do seen=$(notifications); [ "$seen" -gt 0 ] && break; sleep 0.1; done
        expect_eq "notified: count, summary, body" "1|$b|$c" "$seen|$(python3 -c 'import json,sys
r = json.loads(open(sys.argv[1]).readline()); print(r["summary"] + "|" + r["body"])' "$RECORD" 2> /dev/null)"
        rm -f "$RECORD" ;;
      silent) sleep "$a"; expect_eq "no reminder after the jump" 0 "$(notifications)" ;;
    esac
  done < "$STEPS"
  stop
  kill $host $watcher $recorder
}

# No host on the bus: the icon is embedded in trayer's tray (a window of the indicator with
# _XEMBED_INFO among the tray's children).
xembed() {
  trayer --edge bottom --widthtype request --height 24 > /dev/null 2>&1 & local tray=$!
  sleep 1
  settings 'CurrentCity: "New York City"\nDSTAutomatic: "1"'
  LUMARO_NOW=2026-12-04T16:00 "$LUMARO_GUI" --indicator 2> /dev/null & PID=$!
  local panel embedded=
  for i in $(seq 50); do
    sleep 0.1
    panel=$(xwininfo -root -tree | awk '/\("panel" "trayer"\)/ { print $1; exit }')
    [ -n "$panel" ] || continue
    for w in $(xwininfo -id "$panel" -tree | awk '/\("lumaro" "lumaro"\)/ { print $1 }'); do
      xprop -id "$w" _XEMBED_INFO | grep -q '= 0x' && embedded=$w
    done
    [ -n "$embedded" ] && break
  done
  [ -n "$embedded" ] || fail "no icon of the indicator embedded in the tray"
  stop
  kill $tray
}

case ${1:-} in
  sni | xembed) mkdir -p "$OUT_DIR"; "$1"; finish ;;
  display) dbus-run-session -- bash "$HERE/gui_indicator.sh" sni || E2E_FAILURES=1
    dbus-run-session -- bash "$HERE/gui_indicator.sh" xembed || E2E_FAILURES=1
    finish ;;
  *) xvfb-run -a -s "-screen 0 800x600x24" bash "$HERE/gui_indicator.sh" display ;;
esac
