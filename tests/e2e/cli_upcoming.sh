#!/bin/bash
# lumaro-cli upcoming --notify through a private session bus to a recording
# stand-in of the notification service, to a bus without one, and without
# any bus (the list itself: tests/data/e2e/cli_cases.tsv).
source "$(dirname "$0")/lib/common.sh"
RECORDER="$(dirname "$0")/lib/notify_recorder.py"
# Debian's python3-dbus and python3-gi belong to the system's Python.
PY=/usr/bin/python3
cp "$LUMARO_TEST_DATADIR/e2e/anniversaries" "$HOME/.lumaro/kivraanni"
WEEK="Friday, 3 April 2026 (16 Nisan 5786): yortsayt: Ester, 1 year
Friday, 3 April 2026 (16 Nisan 5786): Anniversary: Rivka Levi, 10 years
Tuesday, 7 April 2026 (20 Nisan 5786): yortsayt: Moshe Cohen, 6 years"
# ------------------------------------------------------------ --notify
if ! command -v dbus-run-session > /dev/null || ! "$PY" -c 'import dbus, gi' 2> /dev/null; then
  fail "dbus-run-session or python3-dbus/python3-gi is missing (scripts/install-deps.sh installs them)"
  finish
fi
export RECORD="$E2E_HOME/record.jsonl" READY="$E2E_HOME/ready" PY

# recorded ARGS...: lumaro-cli ARGS on a private bus with the stand-in service.
recorded() {
  rm -f "$RECORD" "$READY"
  dbus-run-session -- bash -c '
    "$PY" "$1" "$RECORD" "$READY" & pid=$!
    for i in $(seq 100); do [ -e "$READY" ] && break; sleep 0.1; done
    shift; "$@" 2> "$E2E_HOME/err"; status=$?
    kill $pid; wait $pid
    exit $status' _ "$RECORDER" "$LUMARO_CLI" "$@"
}
export E2E_HOME
field() { python3 -c 'import json,sys; print(json.loads(open(sys.argv[1]).readline())[sys.argv[2]])' "$RECORD" "$1"; }
out=$(recorded upcoming --from 2026-04-02 --notify)
expect_eq "--notify exit status" 0 $?
expect_eq "--notify prints the list too" "$WEEK" "$out"
expect_eq "--notify stderr" "" "$(cat "$E2E_HOME/err")"
expect_eq "one notification" 1 "$(wc -l < "$RECORD" 2> /dev/null || echo 0)"
expect_eq "summary" "Lumaro: anniversaries of the next 7 days" "$(field summary)"
expect_eq "body" "$WEEK" "$(field body)"
expect_eq "app name and icon, server's timeout" "Lumaro lumaro -1" "$(field app_name) $(field app_icon) $(field expire_timeout)"
# Markup characters of a name reach the service escaped.
recorded upcoming --from 2026-03-14 --days 1 --notify > /dev/null
expect_eq "escaped body" "Shabbat, 14 March 2026 (25 Adar 5786): Birthday: Zev &amp; &lt;Co&gt;, 10 years" "$(field body)"
# Nothing coming: no notification at all.
recorded upcoming --from 2026-04-08 --days 1 --notify > /dev/null
[ -s "$RECORD" ] && fail "a notification was sent for an empty list"

# A session bus without a notification service: said on stderr, exit 0.
out=$(dbus-run-session -- "$LUMARO_CLI" upcoming --from 2026-04-02 --notify 2> "$E2E_HOME/err")
expect_eq "no service: exit status" 0 $?
expect_eq "no service: the list still printed" "$WEEK" "$out"
# (The private bus daemon may add a line of its own about its file limit.)
expect_eq "no service: one line on stderr" 1 "$(grep -vc '^dbus-daemon\[' "$E2E_HOME/err")"
grep -q "no notification service is running" "$E2E_HOME/err" || fail "no service: $(cat "$E2E_HOME/err")"

# No session bus at all (and no bus socket of the user): the same.
out=$(env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$E2E_HOME/none" "$LUMARO_CLI" upcoming --from 2026-04-02 --notify 2> "$E2E_HOME/err")
expect_eq "no bus: exit status" 0 $?
expect_eq "no bus: the list still printed" "$WEEK" "$out"
grep -q "no session bus" "$E2E_HOME/err" || fail "no bus: $(cat "$E2E_HOME/err")"

finish
