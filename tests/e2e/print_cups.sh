#!/bin/bash
# Printing to a real print queue: a private CUPS server (its own configuration, spool and socket; the
# system's print service is not touched) with a queue whose device is a file. The in-process GUI tests
# print the month (from the Program menu) and the year sheet (from its dialog) to that queue; the
# PostScript must arrive in the queue's file with the page's texts.
source "$(dirname "$0")/lib/common.sh"
skip() { echo "SKIP: $*"; exit 0; }
export PATH="$PATH:/usr/sbin"
[ -n "${LUMARO_GUI_TESTS:-}" ] || skip "the GUI is not built"
for tool in cupsd lpadmin lpstat xvfb-run gs; do command -v "$tool" > /dev/null || skip "$tool is missing (cups, xvfb, ghostscript)"; done

# Filters run as the user lp: the directory must be readable by others.
D=$(mktemp -d /tmp/lumaro-cups.XXXXXX) && chmod 755 "$D"
trap '[ -n "${CUPSD_PID:-}" ] && kill "$CUPSD_PID" 2> /dev/null && wait "$CUPSD_PID" 2> /dev/null; rm -rf "$D" "$E2E_HOME"' EXIT
mkdir -p "$D/conf/ppd" "$D/spool/tmp" "$D/cache" "$D/state" "$D/log" && chmod 1777 "$D/spool/tmp"
sed "s|@DIR@|$D|g; /^#/d" "$LUMARO_TEST_DATADIR/e2e/cupsd.conf" |
  awk -v d="$D/conf" '/^== /{ f = 1; next } { print > (f ? d "/cups-files.conf" : d "/cupsd.conf") }'
cupsd -f -c "$D/conf/cupsd.conf" -s "$D/conf/cups-files.conf" > "$D/log/cupsd.out" 2>&1 &
CUPSD_PID=$!
export CUPS_SERVER=$D/cups.sock
for _ in $(seq 100); do [ ! -S "$CUPS_SERVER" ] && kill -0 "$CUPSD_PID" 2> /dev/null && sleep 0.1 || break; done
[ -S "$CUPS_SERVER" ] || { CUPSD_PID=""; skip "cupsd cannot run here: $(cat "$D/log/cupsd.out" "$D/log/error_log" 2> /dev/null | head -3)"; }

OUT="$D/out.ps"
# A queue needs a driver, or its file device writes nothing.
lpadmin -p lumaroq -E -v "file://$OUT" -m drv:///sample.drv/generic.ppd > "$D/log/lpadmin.out" 2>&1 &&
  lpstat -p lumaroq > /dev/null 2>&1 || { fail "lpadmin: $(cat "$D/log/lpadmin.out")"; finish; }

# GUI test | texts of the printed page
while IFS='|' read -r test needles; do
  rm -f "$OUT"
  LUMARO_CUPS_QUEUE=lumaroq xvfb-run -a -s "-screen 0 1280x1024x24" "$LUMARO_GUI_TESTS" --gtest_filter="$test" > "$D/log/gui.out" 2>&1 ||
    fail "$test failed: $(grep -E 'Failure|failed|Expected|Which is' "$D/log/gui.out" | head -8)"
  grep -q "^\[  PASSED  \] 1 test" "$D/log/gui.out" || fail "$test did not run: $(tail -3 "$D/log/gui.out")"
  for _ in $(seq 150); do
    [ -z "$(lpstat -o 2> /dev/null)" ] && [ -s "$OUT" ] && break
    sleep 0.1
  done
  [ -s "$OUT" ] || { fail "$test: nothing arrived in the queue's file: $(tail -5 "$D/log/error_log" 2> /dev/null)"; continue; }
  # The spooler wraps the page in its own setup; the page is inside.
  grep -q "^%!PS-Adobe-3.0" "$OUT" || fail "$test: the queue's file is not PostScript"
  gs_render "$test" "$OUT"
  IFS=';' read -ra texts <<< "$needles"
  for needle in "${texts[@]}"; do grep -qF "$needle" "$OUT.txt" || fail "$test: '$needle' is not in the printed page"; done
done << 'CASES'
PrintFromMainWindowTest.PrintsThroughCups|October 2024;28 Elul 5784 - 29 Tishri 5785;Yom Kippur;Simkhat Tora
YearSheetDialogTest.PrintsThroughCups|Shabbat and festival times 2026;Yom Kippur;Candles;Havdalah
CASES
finish
