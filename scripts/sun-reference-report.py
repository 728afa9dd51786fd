#!/usr/bin/env python3
"""How closely the precise sun times agree with tests/data/sun_reference.tsv.

Runs the unit test that compares them (it writes our times in the format of
the reference when LUMARO_SUN_REPORT is set) and prints, per column, the
median, 99th percentile and largest difference, the shares within 1, 2, 5 and
30 seconds and on the same rounded minute, the days where only one side has a
time, the three worst days, and the worst difference of each city.

    scripts/sun-reference-report.py [--build-dir build]
"""
import argparse
import math
import os
import subprocess
import sys
import tempfile

COLUMNS = ["sunrise", "sunset", "sunrise (elevation)", "sunset (elevation)", "morning 16.1", "morning 8.5",
           "morning 7.083", "evening 7.083", "evening 8.5", "evening 16.1"]
# The column of the sunset that a depression column is measured from (the
# language has no depression on a day without sunset).
SUNSET_OF = [None, None, None, None, 3, 3, 1, 1, 3, 3]


def read(path):
    cities, days = {}, {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if not line.strip() or line.startswith("#"):
                continue
            if fields[0] == "city":
                cities[fields[1]] = fields[2]
            else:
                days[(fields[0], fields[1])] = [None if v == "-" else int(v) / 10 for v in fields[2:12]]
    return cities, days


def rounded_minute(seconds):
    return math.floor(seconds / 60 + 0.5)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default="build")
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with tempfile.NamedTemporaryFile(suffix=".tsv") as ours_file:
        env = dict(os.environ, LUMARO_SUN_REPORT=ours_file.name,
                   LUMARO_TEST_DATADIR=os.path.join(root, "tests", "data"))
        run = subprocess.run([os.path.join(args.build_dir, "tests", "unit_tests"),
                              "--gtest_filter=NoaaSun.ZmanimAgreeWithTheReferenceTimesOfManyCities"],
                             env=env, stdout=subprocess.PIPE, text=True)
        if run.returncode != 0:
            sys.stdout.write(run.stdout)
        cities, ours = read(ours_file.name)
    _, theirs = read(os.path.join(root, "tests", "data", "sun_reference.tsv"))

    worst_by_city = {}
    for k, label in enumerate(COLUMNS):
        diffs, same, existence = [], 0, []
        for key, ref in sorted(theirs.items()):
            mine = ours.get(key)
            if mine is None:
                existence.append(f"{cities.get(key[0], key[0])} {key[1]}: not computed")
                continue
            if SUNSET_OF[k] is not None and ref[SUNSET_OF[k]] is None:
                ref = ref[:k] + [None] + ref[k + 1:]
            if (mine[k] is None) != (ref[k] is None):
                existence.append(f"{cities[key[0]]} {key[1]}: ours {'none' if mine[k] is None else 'a time'}, "
                                 f"reference {'none' if ref[k] is None else 'a time'}")
                continue
            if mine[k] is None:
                continue
            diff = mine[k] - ref[k]
            diffs.append((abs(diff), diff, key))
            same += rounded_minute(mine[k]) == rounded_minute(ref[k])
            worst_by_city[key[0]] = max(worst_by_city.get(key[0], 0), abs(diff))
        if not diffs:
            print(f"{label:20} nothing compared")
            continue
        diffs.sort()
        n = len(diffs)

        def share(limit):
            return 100.0 * sum(1 for d in diffs if d[0] <= limit) / n

        print(f"{label:20} n={n:5} |diff| median {diffs[n // 2][0]:.2f} s, 99% {diffs[int(0.99 * (n - 1))][0]:.2f} s, "
              f"max {diffs[-1][0]:.2f} s; <=1 s {share(1):.2f}%, <=2 s {share(2):.2f}%, <=5 s {share(5):.2f}%, "
              f"<=30 s {share(30):.3f}%; same minute {100.0 * same / n:.3f}%; one side only: {len(existence)}")
        for _, diff, key in diffs[-3:][::-1]:
            print(f"    worst: {diff:+.1f} s {cities[key[0]]} {key[1]}")
        for line in existence:
            print(f"    {line}")
    for city, worst in sorted(worst_by_city.items(), key=lambda item: int(item[0])):
        print(f"  {cities[city]:16} worst |diff| {worst:.2f} s")
    return run.returncode


if __name__ == "__main__":
    sys.exit(main())
