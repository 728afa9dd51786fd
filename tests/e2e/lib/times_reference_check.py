"""Compares `lumaro-cli times` with the independent times of
tests/data/times_reference.tsv (scripts/make-times-reference.mjs): for every
city of the file, every time the data lists has a Lumaro time of the same
kind on the same date and Lumaro lists none that the data does not, except
the differences of custom named below, each counted; and the times agree
within the difference of the two sun computations. Prints the distribution
of the differences.

Usage: times_reference_check.py LUMARO_CLI CITY_FILE REFERENCE_TSV
"""
import collections
import datetime
import os
import subprocess
import sys
import tempfile

FIRST, LAST = "2025-01-01", "2026-12-31"

# The largest difference accepted, in minutes. The two sun computations
# (our almanac sun and the data's NOAA sun) differ by up to two minutes at
# sunrise and sunset and at the usual depression angles, and both round to
# the minute: 3 minutes. A time by a depression angle differs more where
# the sun moves almost along the horizon: from 50 degrees north in the
# months around midsummer (London, Moscow, Stockholm), where the sun sinks
# a few hundredths of a degree a minute near 8.5 or 16.1 degrees below the
# horizon, so that the two computations' small difference in the sun's
# height becomes several minutes on the clock: 6 minutes there.
TOLERANCE = 3
TOLERANCE_SLOW_SUN = 6

FAILURES = []


def fail(message):
    FAILURES.append(message)


def minutes(clock):
    h, m = clock.split(":")
    return int(h) * 60 + int(m)


def difference(ours, theirs):
    """Ours minus theirs in minutes, across midnight the short way."""
    d = (minutes(ours) - minutes(theirs)) % 1440
    return d - 1440 if d > 720 else d


def read_reference(path):
    configs, times = [], collections.defaultdict(list)
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if fields[0] == "config":
                configs.append(fields[1:])
            elif fields[0] == "time":
                city, date, kind, clock, note = fields[1:6]
                times[city].append((date, kind, clock, note))
            else:
                sys.exit(f"unknown line: {line!r}")
    return configs, times


def lumaro_times(cli, city_file, city, place, candles, havdalah):
    """The lines of `lumaro-cli times` for the city with the data's choices."""
    value, unit = havdalah.split()
    with tempfile.TemporaryDirectory() as home:
        os.makedirs(f"{home}/.lumaro")
        with open(city_file, "rb") as src, open(f"{home}/.lumaro/cities", "wb") as dst:
            dst.write(src.read())
        settings = {
            "CurrentCity": city, "DSTAutomatic": "1", "TimeFormat": "1", "CandleLightingMin": candles,
            "HavdalahIsMin": "1" if unit == "min" else "0", "HavdalahValue": value,
            "ZmanimAlotHaShachar": "AlotHashachar16",  # the data's alot: 16.1 degrees
        }
        with open(f"{home}/.lumaro/kivrasettings", "w", encoding="latin-1") as f:
            for key, v in settings.items():
                f.write(f'{key}: "{v}"\n')
        run = subprocess.run([cli, f"--{place}", "times", FIRST, LAST], capture_output=True, text=True,
                             env={**os.environ, "HOME": home, "LC_ALL": "C"})
    if run.returncode != 0 or run.stderr:
        fail(f"{city}: lumaro-cli times failed: {run.returncode} {run.stderr.strip()}")
    rows = []
    for line in run.stdout.splitlines():
        date, kind, clock, _label = line.split("\t")
        rows.append((date, kind, clock))
    return rows


def main(argv):
    cli, city_file, reference = argv[1:4]
    configs, reference_times = read_reference(reference)
    if len(configs) < 15:
        fail(f"only {len(configs)} cities")
    named = collections.Counter()
    buckets = collections.Counter()
    by_kind = collections.defaultdict(collections.Counter)
    worst = {}
    total = 0
    for city, place, candles, havdalah in configs:
        latitude = None
        with open(city_file, encoding="latin-1") as f:
            for line in f:
                if line.startswith(f'"{city}",'):
                    degrees, rest = line.split(",")[1:3]
                    latitude = (int(degrees) + int(rest.split()[0]) / 60) * (-1 if "S" in rest else 1)
        ours = collections.defaultdict(list)
        for date, kind, clock in lumaro_times(cli, city_file, city, place, candles, havdalah):
            ours[(date, kind)].append(clock)
        theirs = collections.defaultdict(list)
        notes = collections.defaultdict(str)
        for date, kind, clock, note in reference_times[city]:
            theirs[(date, kind)].append(clock)
            notes[(date, kind)] = note
        for key, clocks in ours.items():
            if len(clocks) != 1:
                fail(f"{city} {key}: {len(clocks)} times of one kind")

        for key in sorted(set(ours) | set(theirs)):
            date, kind = key
            day = datetime.date.fromisoformat(date)
            note = notes.get(key, "")
            if key in theirs and key not in ours:
                # The fast of the firstborn on Erev Pesakh has no times of ours.
                if kind in ("fast-begins", "fast-ends") and "Ta'anit Bechorot" in note:
                    named["the fast of the firstborn (Erev Pesakh): no times in Lumaro"] += 1
                    continue
                fail(f"{city} {date}: the data has {kind} {theirs[key][0]} ({note}), Lumaro none")
                continue
            if key in ours and key not in theirs:
                # Yom Kippur begins with its candles and ends with havdalah:
                # the data lists those moments under those kinds only.
                candles_note = notes.get((date, "candles"), "")
                havdalah_note = notes.get((date, "havdalah"), "")
                if kind == "fast-begins" and "Erev Yom Kippur" in candles_note and \
                        ours[key] == ours.get((date, "candles")):
                    named["Yom Kippur begins: at the candle lighting, which the data lists"] += 1
                    continue
                if kind == "fast-ends" and "Yom Kippur" in havdalah_note and \
                        ours[key] == ours.get((date, "havdalah")):
                    named["Yom Kippur ends: at havdalah, which the data lists"] += 1
                    continue
                # A fast on a Friday (10 Tevet) is kept until nightfall,
                # into Shabbat; the data gives it no end.
                if kind == "fast-ends" and day.weekday() == 4 and (date, "fast-begins") in theirs:
                    named["a fast on Friday ends at nightfall after the Shabbat candles: no end in the data"] += 1
                    continue
                fail(f"{city} {date}: Lumaro has {kind} {ours[key][0]}, the data none")
                continue
            d = difference(ours[key][0], theirs[key][0])
            total += 1
            size = abs(d)
            bucket = "exact" if size == 0 else f"{size} min" if size <= 3 else "more"
            buckets[bucket] += 1
            by_kind[kind][bucket] += 1
            if size > abs(worst.get(city, (0,))[0]):
                worst[city] = (d, date, kind)
            # Times by a depression angle: havdalah (and the candles lit at
            # its time) when it is given in degrees, the fasts' beginning at
            # 16.1 degrees (Tisha BeAv begins at sunset) and end at 7.083,
            # the weekday Khanukka lights at nightfall.
            shabbat_angle = havdalah.endswith("deg")
            by_angle = {
                "havdalah": shabbat_angle, "candles-after-nightfall": shabbat_angle,
                "fast-begins": "Erev Tish'a B'Av" not in note, "fast-ends": True,
                "khanukka": day.weekday() < 4 or day.weekday() == 6 or (day.weekday() == 5 and shabbat_angle),
            }.get(kind, False)
            slow_sun = latitude >= 50 and 5 <= day.month <= 8
            limit = TOLERANCE_SLOW_SUN if by_angle and slow_sun else TOLERANCE
            if size > limit:
                fail(f"{city} {date} {kind}: Lumaro {ours[key][0]}, the data {theirs[key][0]} ({d:+d} min)")

    order = ["exact", "1 min", "2 min", "3 min", "more"]
    print(f"{len(configs)} cities, {FIRST}..{LAST}: {total} times of the same kind on the same date")
    print("difference Lumaro - data:  " + "  ".join(f"{b} {buckets[b]}" for b in order))
    within = 0
    for limit, b in enumerate(order[:4]):
        within += buckets[b]
        print(f"  {'exact' if limit == 0 else f'within {limit} min'}: {100 * within / max(total, 1):.1f}%")
    for kind in sorted(by_kind):
        print(f"  {kind:24} " + "  ".join(f"{b} {by_kind[kind][b]}" for b in order))
    print("largest difference per city: " + ", ".join(f"{c} {w[0]:+d} ({w[2]} {w[1]})" for c, w in sorted(worst.items())))
    for what, n in sorted(named.items()):
        print(f"named difference, {n} times: {what}")
    for message in FAILURES[:60]:
        print("FAIL:", message)
    if FAILURES:
        print(f"{len(FAILURES)} failure(s)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
