#!/bin/bash
# lumaro-cli --preset: a month of each community preset's zmanim sheet (every zman, candle lighting on Fridays,
# havdalah on Shabbat, the end of a fast) within a minute of the npm package kosher-zmanim's times
# (tests/data/preset_reference.tsv); the printouts' headings name the preset, and "Custom (from ...)" once an
# option after it changes a choice; an unknown name is refused with the names listed.
source "$(dirname "$0")/lib/common.sh"
need_print_tools
REF="$LUMARO_TEST_DATADIR/preset_reference.tsv"

# preset|city|month|options after the preset (the defaults' own calculation is the classic one)
while IFS='|' read -r preset city month extra; do
  "$LUMARO_CLI" --24h --dst-automatic on --preset "$preset" $extra --city "$city" zmanim-sheet "$month" --csv \
    > "$W/sheet.csv" 2> "$W/err" || fail "$preset $city: $(cat "$W/err")"
  python3 - "$REF" "$preset" "$city" "$month" "$W/sheet.csv" "$LUMARO_SOURCE_DIR/data/cities" <<'PY' ||
import csv, datetime, re, sys, zoneinfo
ref, preset, city, month, sheet, cities = sys.argv[1:]
zone = next(re.search(r'GMT[^,]*,\s*([\w/+-]+)', l).group(1) for l in open(cities, encoding='latin1')
            if l.startswith(f'"{city}"'))
columns, days, block = [], [], None
for line in open(ref, encoding='utf-8'):
    f = line.rstrip('\n').split('\t')
    if f[0] == 'columns': columns = f[1].split()
    elif f[0] == 'preset': block = f[1:] == [preset, city]
    elif block and f[0][0] not in '#cm': days.append(f[0].split())
year, mon = map(int, month.split('-'))
first = datetime.date(year, mon, 1)
index = (first - datetime.date(2025, 1, 1)).days
# The sheet's column of each reference column, and on which rows it is compared.
sheet_columns = {'alot': 3, 'tallit': 4, 'sunrise': 5, 'shema': 6, 'tefila': 7, 'chatzot': 8, 'mincha-gedola': 9,
                 'mincha-ktana': 10, 'plag': 11, 'sunset': 12, 'tzait': 13, 'candles': 14, 'havdalah': 15,
                 'fast-ends': 17}
bad = compared = 0
rows = list(csv.reader(open(sheet, encoding='utf-8-sig')))[1:]
for n, row in enumerate(rows):
    date = first + datetime.timedelta(days=n)
    want = days[index + n]
    midnight = datetime.datetime(date.year, date.month, date.day, tzinfo=datetime.timezone.utc)
    for name, c in sheet_columns.items():
        got = row[c]
        if name in ('candles', 'havdalah') and not row[0].startswith('Friday' if name == 'candles' else 'Shabbat'):
            continue
        if not got or want[columns.index(name)] == '-':
            continue
        t = (midnight + datetime.timedelta(minutes=int(want[columns.index(name)].lstrip('~')))).astimezone(
            zoneinfo.ZoneInfo(zone))
        h, m = map(int, got.split(':'))
        off = abs((h * 60 + m) - (t.hour * 60 + t.minute))
        compared += 1
        if min(off, 1440 - off) > 1:
            bad += 1
            print(f'{preset} {city} {date} {name}: {got}, reference {t:%H:%M}', file=sys.stderr)
sys.exit(1 if bad or compared < 11 * len(rows) else 0)
PY
    fail "$preset $city $month: the times differ from the reference"
done <<'CASES'
ashkenazi|London|2026-07|--sun precise
chabad|Melbourne|2025-03|
sephardic|Jerusalem|2026-04|
jerusalem|Jerusalem|2025-09|
rabbeinu-tam|New York City|2025-12|
CASES

# The headings: the month printout, the year sheet and the zmanim sheet.
heading() {
  "$LUMARO_CLI" "${@:2}" --out "$W/$1" 2> "$W/err" || fail "$1: $(cat "$W/err")"
  gs_render "$1" "$W/$1"
}
heading month.ps --preset chabad month 2026-04
grep -qF "Zmanim: Chabad (Baal HaTanya)" "$W/month.ps.txt" || fail "the month printout does not name the preset"
heading sheet.ps --preset sephardic --elevation on zmanim-sheet 2026-04
grep -qF "Zmanim: Custom (from Sephardic (Rav Ovadia Yosef))" "$W/sheet.ps.txt" || fail "the zmanim sheet: not custom"
heading year.ps --preset jerusalem year-sheet 2026
grep -qF "Zmanim: Jerusalem (40 minutes, elevation)" "$W/year.ps.txt" || fail "the year sheet does not name the preset"

"$LUMARO_CLI" --preset chabat zmanim 2026-04-01 > "$W/out" 2> "$W/err"
expect_eq "an unknown preset: exit status" 2 "$?"
grep -qF "unknown preset 'chabat' (ashkenazi, chabad, sephardic, jerusalem, rabbeinu-tam)" "$W/err" ||
  fail "an unknown preset: $(cat "$W/err")"
finish
