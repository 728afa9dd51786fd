#!/bin/bash
# Printing to a real print queue: a private CUPS server (its own
# configuration, spool and socket; the system's print service is not
# touched) with a queue whose device is a file. The in-process GUI test
# PrintFromMainWindowTest.PrintsThroughCups opens the print dialog from the
# Program menu, chooses the queue and confirms; the PostScript must arrive
# in the queue's file (the GUI test checks that the temporary file is gone).
source "$(dirname "$0")/lib/common.sh"

skip() {
  echo "SKIP: $*"
  exit 0
}

[ -n "${LUMARO_GUI_TESTS:-}" ] || skip "the GUI is not built"
for tool in cupsd lpadmin lpstat xvfb-run gs; do
  command -v "$tool" > /dev/null 2>&1 || PATH="$PATH:/usr/sbin" command -v "$tool" > /dev/null 2>&1 ||
    skip "$tool is missing (package cups / xvfb / ghostscript)"
done
export PATH="$PATH:/usr/sbin"

# Filters run as the user lp: the directory must be readable by others.
D=$(mktemp -d /tmp/lumaro-cups.XXXXXX)
chmod 755 "$D"
CUPSD_PID=""
cleanup() {
  if [ -n "$CUPSD_PID" ]; then
    kill "$CUPSD_PID" 2> /dev/null
    wait "$CUPSD_PID" 2> /dev/null
  fi
  rm -rf "$D" "$E2E_HOME"
}
trap cleanup EXIT

mkdir -p "$D/conf/ppd" "$D/spool/tmp" "$D/cache" "$D/state" "$D/log"
chmod 1777 "$D/spool/tmp"
cat > "$D/conf/cups-files.conf" << EOF
ServerRoot $D/conf
RequestRoot $D/spool
TempDir $D/spool/tmp
CacheDir $D/cache
StateDir $D/state
AccessLog $D/log/access_log
ErrorLog $D/log/error_log
PageLog $D/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice Yes
Sandboxing Relaxed
SystemGroup root
EOF
cat > "$D/conf/cupsd.conf" << EOF
LogLevel warn
Listen $D/cups.sock
Browsing Off
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

cupsd -f -c "$D/conf/cupsd.conf" -s "$D/conf/cups-files.conf" > "$D/log/cupsd.out" 2>&1 &
CUPSD_PID=$!
export CUPS_SERVER=$D/cups.sock
for _ in $(seq 100); do
  [ -S "$CUPS_SERVER" ] && break
  kill -0 "$CUPSD_PID" 2> /dev/null || break
  sleep 0.1
done
if [ ! -S "$CUPS_SERVER" ]; then
  CUPSD_PID=""
  skip "cupsd cannot run here: $(cat "$D/log/cupsd.out" "$D/log/error_log" 2> /dev/null | head -3)"
fi

OUT="$D/out.ps"
# A queue needs a driver, or its file device writes nothing.
lpadmin -p lumaroq -E -v "file://$OUT" -m drv:///sample.drv/generic.ppd > "$D/log/lpadmin.out" 2>&1 ||
  fail "lpadmin: $(cat "$D/log/lpadmin.out")"
lpstat -p lumaroq > /dev/null 2>&1 || { fail "the queue was not made"; finish; }

LUMARO_CUPS_QUEUE=lumaroq xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$LUMARO_GUI_TESTS" --gtest_filter='PrintFromMainWindowTest.PrintsThroughCups' > "$D/log/gui.out" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the GUI test failed: $(grep -E 'Failure|failed|Expected|Which is' "$D/log/gui.out" | head -8)"
grep -q "^\[  PASSED  \] 1 test" "$D/log/gui.out" || fail "the GUI test did not run: $(tail -3 "$D/log/gui.out")"

for _ in $(seq 150); do
  [ -z "$(lpstat -o 2> /dev/null)" ] && [ -s "$OUT" ] && break
  sleep 0.1
done
[ -s "$OUT" ] || { fail "nothing arrived in the queue's file: $(tail -5 "$D/log/error_log" 2> /dev/null)"; finish; }

# The spooler wraps the page in its own setup; the month is inside.
grep -q "^%!PS-Adobe-3.0" "$OUT" || fail "the queue's file is not PostScript"
text=$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- "$OUT" 2>&1 | tr -d '\r' | tr -s ' ')
for needle in "October 2024" "28 Elul 5784 - 29 Tishri 5785" "Yom Kippur" "Simkhat Tora"; do
  printf '%s\n' "$text" | grep -qF "$needle" || fail "'$needle' is not in the printed page"
done
printf '%s\n' "$text" | grep -q "Error" && fail "ghostscript: $(printf '%s\n' "$text" | grep Error | head -2)"

# The year sheet from its own dialog, to the same queue.
rm -f "$OUT"
LUMARO_CUPS_QUEUE=lumaroq xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$LUMARO_GUI_TESTS" --gtest_filter='YearSheetDialogTest.PrintsThroughCups' > "$D/log/gui2.out" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the year-sheet GUI test failed: $(grep -E 'Failure|failed|Expected|Which is' "$D/log/gui2.out" | head -8)"
grep -q "^\[  PASSED  \] 1 test" "$D/log/gui2.out" || fail "the year-sheet GUI test did not run: $(tail -3 "$D/log/gui2.out")"
for _ in $(seq 150); do
  [ -z "$(lpstat -o 2> /dev/null)" ] && [ -s "$OUT" ] && break
  sleep 0.1
done
[ -s "$OUT" ] || { fail "no year sheet arrived in the queue's file: $(tail -5 "$D/log/error_log" 2> /dev/null)"; finish; }
text=$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- "$OUT" 2>&1 | tr -d '\r' | tr -s ' ')
for needle in "Shabbat and festival times 2026" "Yom Kippur" "Candles" "Havdalah"; do
  printf '%s\n' "$text" | grep -qF "$needle" || fail "'$needle' is not in the printed year sheet"
done

finish
