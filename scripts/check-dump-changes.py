#!/usr/bin/env python3
"""Checks that two `lumaro-cli dump` outputs of the same range differ only
where the evening rules of the festivals touch the day.

    lumaro-cli --diaspora dump 1583-01-01 3000-12-31 > before.tsv   # old program
    lumaro-cli --diaspora dump 1583-01-01 3000-12-31 > after.tsv    # new program
    scripts/check-dump-changes.py --diaspora before.tsv after.tsv

A day is touched when it or the next day is a day on which work is forbidden,
taken from the dump's own Hebrew dates and the list a printed luach gives:
1, 2, 10, 15 and 22 Tishri, 15 and 21 Nisan, 6 Sivan, and in the Diaspora
also 16 and 23 Tishri, 16 and 22 Nisan, 7 Sivan. On a changed line only the
shabbat_time column may differ; a time that was there keeps its value (a
Saturday night before a festival turns from "H t" into "C t"). And on every
day of the new dump the letter of shabbat_time is the one the rule gives
from the weekday and those days: C on a Friday, on the eve of a festival
day and after a festival day or Shabbat that is followed by one; H on
another Saturday and on a festival day followed by a weekday; nothing on
other days. Prints the number of changed lines by kind of change and exits
1 on any other difference.
"""

import argparse
import collections
import datetime
import sys

TISHRI, NISAN, SIVAN = 7, 1, 3
ISRAEL_DAYS = {(1, TISHRI), (2, TISHRI), (10, TISHRI), (15, TISHRI), (22, TISHRI), (15, NISAN), (21, NISAN),
               (6, SIVAN)}
DIASPORA_DAYS = ISRAEL_DAYS | {(16, TISHRI), (23, TISHRI), (16, NISAN), (22, NISAN), (7, SIVAN)}
TIME_COLUMN = 11  # 0-based: shabbat_time


def hebrew_day_month(field):
    day, month, _year = field.split(".")
    return int(day), int(month)


def expected_letter(date, today, tomorrow):
    """The evening's time by the rule: "C", "H" or ""."""
    weekday = datetime.date.fromisoformat(date).weekday()  # Monday 0 .. Sunday 6
    if weekday == 4 or tomorrow:
        return "C"
    if weekday == 5 or today:
        return "H"
    return ""


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    place = parser.add_mutually_exclusive_group(required=True)
    place.add_argument("--israel", action="store_true")
    place.add_argument("--diaspora", action="store_true")
    parser.add_argument("before")
    parser.add_argument("after")
    args = parser.parse_args()
    festival_days = DIASPORA_DAYS if args.diaspora else ISRAEL_DAYS

    with open(args.before, encoding="utf-8") as f:
        before = f.read().split("\n")
    with open(args.after, encoding="utf-8") as f:
        after = f.read().split("\n")
    if len(before) != len(after):
        sys.exit("the dumps have %d and %d lines" % (len(before), len(after)))
    rows = [line.split("\t") for line in after]
    festival = [len(r) > 3 and r[0] != "date" and hebrew_day_month(r[3]) in festival_days for r in rows]

    problems = []
    kinds = collections.Counter()
    for i, (old, new) in enumerate(zip(before, after)):
        if old == new:
            continue
        a, b = old.split("\t"), new.split("\t")
        date = b[0] if b else "?"
        if len(a) != len(b) or a[:TIME_COLUMN] + a[TIME_COLUMN + 1:] != b[:TIME_COLUMN] + b[TIME_COLUMN + 1:]:
            problems.append("%s: a column other than shabbat_time differs" % date)
            continue
        touched = festival[i] or (i + 1 < len(festival) and festival[i + 1])
        if not touched:
            problems.append("%s: changed on a day the rules do not touch: %r -> %r" % (date, a[TIME_COLUMN],
                                                                                    b[TIME_COLUMN]))
            continue
        old_time, new_time = a[TIME_COLUMN], b[TIME_COLUMN]
        if old_time and new_time and old_time[2:] != new_time[2:]:
            problems.append("%s: the time moved: %r -> %r" % (date, old_time, new_time))
            continue
        kinds["%s -> %s" % (old_time[:1] or "none", new_time[:1] or "none")] += 1
    # The letter of every day by the rule (a day without a time must not
    # have had one before either: the sun did not reach the angle).
    checked = 0
    for i, b in enumerate(rows):
        if len(b) <= TIME_COLUMN or b[0] == "date":
            continue
        tomorrow = i + 1 < len(festival) and festival[i + 1]
        want = expected_letter(b[0], festival[i], tomorrow)
        got = b[TIME_COLUMN][:1]
        old_time = before[i].split("\t")[TIME_COLUMN] if len(before[i].split("\t")) > TIME_COLUMN else ""
        if got != want and (got or old_time):
            problems.append("%s: shabbat_time %r, the rule gives %r" % (b[0], b[TIME_COLUMN], want or "none"))
        checked += 1
    print("%d days checked against the rule" % checked)
    for kind, n in sorted(kinds.items()):
        print("%-12s %d days" % (kind, n))
    for p in problems[:50]:
        print("problem:", p)
    if problems:
        print("%d problem(s)" % len(problems))
        return 1
    print("every changed line is a day the festival evening rules touch")
    return 0


if __name__ == "__main__":
    sys.exit(main())
