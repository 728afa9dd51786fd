#!/bin/bash
# lumaro-cli upcoming --notify through a private session bus to a recording stand-in of the
# notification service, to a bus without one, and without any bus (the list: cli_cases.tsv).
source "$(dirname "$0")/lib/common.sh"
cp "$LUMARO_TEST_DATADIR/e2e/anniversaries" "$HOME/.lumaro/kivraanni"
WEEK="Friday, 3 April 2026 (16 Nisan 5786): yortsayt: Ester, 1 year
Friday, 3 April 2026 (16 Nisan 5786): Anniversary: Rivka Levi, 10 years
Tuesday, 7 April 2026 (20 Nisan 5786): yortsayt: Moshe Cohen, 6 years"
export PY=/usr/bin/python3 RECORD="$E2E_HOME/record.jsonl" READY="$E2E_HOME/ready" E2E_HOME  # Debian's dbus and gi
command -v dbus-run-session > /dev/null && "$PY" -c 'import dbus, gi' 2> /dev/null ||
  { fail "dbus-run-session or python3-dbus/python3-gi is missing (scripts/install-deps.sh installs them)"; finish; }

# recorded ARGS...: lumaro-cli ARGS on a private bus with the stand-in service.
recorded() {
  rm -f "$RECORD" "$READY"
  dbus-run-session -- bash -c '"$PY" "$1" "$RECORD" "$READY" & pid=$!
    for i in $(seq 100); do [ -e "$READY" ] && break; sleep 0.1; done
    shift; "$@" 2> "$E2E_HOME/err"; status=$?
    kill $pid; wait $pid
    exit $status' _ "$(dirname "$0")/lib/notify_recorder.py" "$LUMARO_CLI" "$@"
}
field() { python3 -c 'import json,sys; print(json.loads(open(sys.argv[1]).readline())[sys.argv[2]])' "$RECORD" "$1"; }
out=$(recorded upcoming --from 2026-04-02 --notify)
expect_eq "--notify: exit status, the list printed too, stderr" "0|$WEEK|" "$?|$out|$(cat "$E2E_HOME/err")"
expect_eq "one notification: summary, body, app name and icon, the server's timeout" \
  "1|Lumaro: anniversaries of the next 7 days|$WEEK|Lumaro lumaro -1" \
  "$(wc -l < "$RECORD" 2> /dev/null)|$(field summary)|$(field body)|$(field app_name) $(field app_icon) $(field expire_timeout)"
recorded upcoming --from 2026-03-14 --days 1 --notify > /dev/null
expect_eq "markup escaped" "Shabbat, 14 March 2026 (25 Adar 5786): Birthday: Zev &amp; &lt;Co&gt;, 10 years" "$(field body)"
recorded upcoming --from 2026-04-08 --days 1 --notify > /dev/null
[ -s "$RECORD" ] && fail "a notification was sent for an empty list"

# A bus without the service, and no bus at all (nor a socket of the user): said on stderr (the
# private bus daemon may add a line about its file limit), the list printed, exit 0.
out=$(dbus-run-session -- "$LUMARO_CLI" upcoming --from 2026-04-02 --notify 2> "$E2E_HOME/err")
expect_eq "no service: exit status, the list" "0|$WEEK" "$?|$out"
err=$(grep -v '^dbus-daemon\[' "$E2E_HOME/err")
[[ $err == *"no notification service is running"* && $err != *$'\n'* ]] || fail "no service: stderr: $err"
out=$(env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$E2E_HOME/none" "$LUMARO_CLI" upcoming --from 2026-04-02 --notify 2> "$E2E_HOME/err")
expect_eq "no bus: exit status, the list" "0|$WEEK" "$?|$out"
grep -q "no session bus" "$E2E_HOME/err" || fail "no bus: $(cat "$E2E_HOME/err")"
finish
