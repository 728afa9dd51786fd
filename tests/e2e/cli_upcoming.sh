#!/bin/bash
# lumaro-cli upcoming: the anniversaries, birthdays and yortsayt dates of the
# coming days in date order with their Gregorian and Hebrew dates and years;
# --notify through a private session bus to a recording stand-in of the
# notification service, to a bus without one, and without any bus.
source "$(dirname "$0")/lib/common.sh"
RECORDER="$(dirname "$0")/lib/notify_recorder.py"
# Debian's python3-dbus and python3-gi belong to the system's Python.
PY=/usr/bin/python3

# Hebrew dates (months Nisan = 1): 15 Nisan 5786 is Thursday 2 April 2026,
# so 16 Nisan is 3 April, 20 Nisan 7 April and 1 Iyar (after a 30-day
# Nisan) Shabbat 18 April. The Gregorian birthday of 3 April 2016 after
# sunset is the Hebrew date of 4 April 2016, 25 Adar II 5776, which falls on
# 25 Adar 5786 (Adar of a common year), 14 March 2026.
printf '%s\n' '"Rivka Levi" A H 16.1.5776 0' '"Moshe Cohen" Y H 20.1.5780 0' '"Dov" B H 1.2.5770 0' \
  '"Zev & <Co>" B 3.4.2016 1' '"Ester" Y H 16.1.5785 0' > "$HOME/.lumaro/kivraanni"

WEEK="Friday, 3 April 2026 (16 Nisan 5786): yortsayt: Ester, 1 year
Friday, 3 April 2026 (16 Nisan 5786): Anniversary: Rivka Levi, 10 years
Tuesday, 7 April 2026 (20 Nisan 5786): yortsayt: Moshe Cohen, 6 years"
out=$("$LUMARO_CLI" upcoming --from 2026-04-02 2> "$E2E_HOME/err")
expect_eq "upcoming exit status" 0 $?
expect_eq "a week from 2 April (default 7 days)" "$WEEK" "$out"
expect_eq "nothing on stderr" "" "$(cat "$E2E_HOME/err")"
# The seventh day is the last: 8 April .. nothing, 9 April not included.
expect_eq "--days 6 ends on 7 April" "$WEEK" "$("$LUMARO_CLI" upcoming --from 2026-04-02 --days 6)"
expect_eq "--days 5 ends on 6 April" "$(printf '%s\n' "$WEEK" | head -2)" "$("$LUMARO_CLI" upcoming --from 2026-04-02 --days 5)"
expect_eq "--days 30 adds 1 Iyar" "$WEEK
Shabbat, 18 April 2026 (1 Iyar 5786): Birthday: Dov, 16 years" "$("$LUMARO_CLI" upcoming --days 30 --from 2026-04-02)"
expect_eq "the Gregorian birthday" "Shabbat, 14 March 2026 (25 Adar 5786): Birthday: Zev & <Co>, 10 years" \
  "$("$LUMARO_CLI" upcoming --from 2026-03-14 --days 1)"
expect_eq "a day without any" "" "$("$LUMARO_CLI" upcoming --from 2026-04-08 --days 1)"
# Yiddish: labels, month and weekday names and the years translated; the
# Hebrew date in Hebrew numerals (the default in Yiddish) or in digits.
expect_eq "Yiddish" "דינסטיק, 7 אַפּריל 2026 (כ׳ ניסן תשפ״ו): יאָרצײַט: Moshe Cohen, 6 יאָר" \
  "$("$LUMARO_CLI" --language yiddish upcoming --from 2026-04-07 --days 1)"
expect_eq "Yiddish in digits" "דינסטיק, 7 אַפּריל 2026 (20 ניסן 5786): יאָרצײַט: Moshe Cohen, 6 יאָר" \
  "$("$LUMARO_CLI" --language yiddish --hebrew-numerals off upcoming --from 2026-04-07 --days 1)"
# Without --from: from today on (a run that finds the file and succeeds).
"$LUMARO_CLI" upcoming --days 400 > /dev/null || fail "upcoming from today"
[ "$("$LUMARO_CLI" upcoming --days 400 | wc -l)" -ge 5 ] || fail "a year from today has every entry"

expect_usage_error "--days 0" upcoming --days 0
expect_usage_error "--days -1" upcoming --days -1
expect_usage_error "--days x" upcoming --days x
expect_usage_error "--days too many" upcoming --days 3661
expect_usage_error "--days without a value" upcoming --days
expect_usage_error "--days twice" upcoming --days 2 --days 3
expect_usage_error "--from bad" upcoming --from 2026-13-01
expect_usage_error "--from without a value" upcoming --from
expect_usage_error "extra argument" upcoming 7
expect_usage_error "unknown option" upcoming --notfy

# ------------------------------------------------------------ --notify
if ! command -v dbus-run-session > /dev/null || ! "$PY" -c 'import dbus, gi' 2> /dev/null; then
  fail "dbus-run-session or python3-dbus/python3-gi is missing (scripts/install-deps.sh installs them)"
  finish
fi
export RECORD="$E2E_HOME/record.jsonl" READY="$E2E_HOME/ready" PY

# With the stand-in service: one notification with the same lines.
out=$(dbus-run-session -- bash -c '
  "$PY" "$1" "$RECORD" "$READY" & pid=$!
  for i in $(seq 100); do [ -e "$READY" ] && break; sleep 0.1; done
  "$2" upcoming --from 2026-04-02 --notify 2> "$3"; status=$?
  kill $pid; wait $pid
  exit $status' _ "$RECORDER" "$LUMARO_CLI" "$E2E_HOME/err")
expect_eq "--notify exit status" 0 $?
expect_eq "--notify prints the list too" "$WEEK" "$out"
expect_eq "--notify stderr" "" "$(cat "$E2E_HOME/err")"
expect_eq "one notification" 1 "$(wc -l < "$RECORD" 2> /dev/null || echo 0)"
field() { python3 -c 'import json,sys; print(json.loads(open(sys.argv[1]).readline())[sys.argv[2]])' "$RECORD" "$1"; }
expect_eq "summary" "Lumaro: anniversaries of the next 7 days" "$(field summary)"
expect_eq "body" "$WEEK" "$(field body)"
expect_eq "app name" "Lumaro" "$(field app_name)"
expect_eq "icon" "lumaro" "$(field app_icon)"
expect_eq "server's timeout" "-1" "$(field expire_timeout)"

# Markup characters of a name reach the service escaped.
rm -f "$RECORD" "$READY"
dbus-run-session -- bash -c '
  "$PY" "$1" "$RECORD" "$READY" & pid=$!
  for i in $(seq 100); do [ -e "$READY" ] && break; sleep 0.1; done
  "$2" upcoming --from 2026-03-14 --days 1 --notify > /dev/null; kill $pid; wait $pid' _ "$RECORDER" "$LUMARO_CLI"
expect_eq "escaped body" "Shabbat, 14 March 2026 (25 Adar 5786): Birthday: Zev &amp; &lt;Co&gt;, 10 years" "$(field body)"
expect_eq "one day's summary" "Lumaro: anniversaries of the day" "$(field summary)"

# Nothing coming: no notification at all.
rm -f "$RECORD" "$READY"
dbus-run-session -- bash -c '
  "$PY" "$1" "$RECORD" "$READY" & pid=$!
  for i in $(seq 100); do [ -e "$READY" ] && break; sleep 0.1; done
  "$2" upcoming --from 2026-04-08 --days 1 --notify; kill $pid; wait $pid' _ "$RECORDER" "$LUMARO_CLI"
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
# A bus address that leads nowhere.
env DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_HOME/no-socket" "$LUMARO_CLI" upcoming --from 2026-04-02 --notify > /dev/null 2> "$E2E_HOME/err"
expect_eq "dead bus: exit status" 0 $?
grep -q "cannot reach the session bus" "$E2E_HOME/err" || fail "dead bus: $(cat "$E2E_HOME/err")"

finish
