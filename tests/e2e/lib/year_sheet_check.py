#!/usr/bin/env python3
"""Compares the text of a printed year sheet with `lumaro-cli times` for the same days.

Usage: year_sheet_check.py SHEET_TEXT TIMES_TSV YEAR

SHEET_TEXT is what ghostscript's txtwrite device read from the English
sheet of Gregorian year YEAR (one table row a line), TIMES_TSV the output of
`lumaro-cli times YEAR-01-01 YEAR-12-31` with the same settings. Checks:

  * every candle-lighting, havdalah and fast time of the year is on the
    sheet, as often as the times list has it, and the sheet shows no other
    time (Khanukka and khamets times are not on it);
  * each row's times belong to that row: the times list has each of them on
    the row's date or within the three days after it (the havdalah of a rest,
    the end of a fast that began the evening before).

Prints one line per problem and exits 1 when there is any.
"""

import collections
import re
import sys

MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
          "November", "December"]
SHEET_KINDS = {"candles", "candles-after-nightfall", "havdalah", "fast-begins", "fast-ends"}
TIME = re.compile(r"\b\d{1,2}:\d{2}\b")
DATE = re.compile(r"\b(\d{1,2}) (" + "|".join(MONTHS) + r")\b")


def main():
    sheet_path, times_path, year = sys.argv[1], sys.argv[2], int(sys.argv[3])
    by_date = collections.defaultdict(list)
    expected = collections.Counter()
    with open(times_path, encoding="utf-8") as f:
        for line in f:
            date, kind, clock = line.rstrip("\n").split("\t")[:3]
            if kind in SHEET_KINDS:
                by_date[date].append(clock)
                expected[clock] += 1

    shown = collections.Counter()
    problems = []
    rows = 0
    with open(sheet_path, encoding="utf-8") as f:
        for line in f:
            times = TIME.findall(line)
            if not times:
                continue
            shown.update(times)
            m = DATE.search(line)
            if not m:
                problems.append("a line with times but no date: " + line.strip())
                continue
            rows += 1
            day, month = int(m.group(1)), MONTHS.index(m.group(2)) + 1
            near = []
            for offset in range(4):
                # Dates as `times` writes them, the month end crossed by hand.
                d, mo, y = day + offset, month, year
                lengths = [31, 29 if y % 4 == 0 and (y % 100 != 0 or y % 400 == 0) else 28, 31, 30, 31, 30, 31, 31,
                           30, 31, 30, 31]
                if d > lengths[mo - 1]:
                    d -= lengths[mo - 1]
                    mo += 1
                    if mo > 12:
                        mo, y = 1, y + 1
                near += by_date.get("%04d-%02d-%02d" % (y, mo, d), [])
            for t in times:
                if t not in near:
                    problems.append("%s: %s is no time of that day or the three after it" % (m.group(0), t))

    for clock in sorted(set(expected) | set(shown)):
        if expected[clock] != shown[clock]:
            problems.append("time %s: %d in the times list, %d on the sheet" % (clock, expected[clock], shown[clock]))
    if rows < 60:
        problems.append("only %d rows with times" % rows)
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
