"""Compares `lumaro-cli times` with tests/data/times_reference.tsv: the same kinds on the same dates
(except the named differences of custom), the times within the difference of the two sun computations.
Usage: times_reference_check.py LUMARO_CLI CITY_FILE REFERENCE_TSV"""
import collections, datetime, os, shutil, subprocess, sys, tempfile

# Both round to the minute and differ by up to two at the usual angles; from 50 degrees north around
# midsummer the sun sinks so slowly near 8.5 or 16.1 degrees below the horizon that a time by a
# depression angle may differ by several.
TOLERANCE, TOLERANCE_SLOW_SUN = 3, 6
# The moon's and the sun's moments have their own reference (minor_days_reference_check.py).
MOMENTS = {"kiddush-levana-begins", "kiddush-levana-ends", "tekufa", "birkat-hachama"}

cli, city_file, reference = sys.argv[1:4]
minutes = lambda clock: int(clock.split(":")[0]) * 60 + int(clock.split(":")[1])
configs, theirs, notes = [], collections.defaultdict(dict), {}
for line in open(reference, encoding="utf-8"):
    f = line.rstrip("\n").split("\t")
    if f[0] == "config":
        configs.append(f[1:])
    elif f[0] == "time":
        theirs[f[1]][(f[2], f[3])], notes[(f[1], f[2], f[3])] = f[4], f[5]
failures, named, compared = [], collections.Counter(), 0
for city, place, candles, havdalah in configs:
    latitude = next(int(l.split(",")[1]) * (-1 if " S," in l else 1)
                    for l in open(city_file, encoding="latin-1") if l.startswith(f'"{city}",'))
    value, unit = havdalah.split()
    with tempfile.TemporaryDirectory() as home:
        os.makedirs(f"{home}/.lumaro")
        shutil.copy(city_file, f"{home}/.lumaro/cities")
        with open(f"{home}/.lumaro/kivrasettings", "w", encoding="latin-1") as f:
            f.write(f'CurrentCity: "{city}"\nDSTAutomatic: "1"\nTimeFormat: "1"\nCandleLightingMin: "{candles}"\n'
                    f'HavdalahIsMin: "{int(unit == "min")}"\nHavdalahValue: "{value}"\n'
                    'ZmanimAlotHaShachar: "AlotHashachar16"\n')  # the data's alot: 16.1 degrees
        run = subprocess.run([cli, f"--{place}", "times", "2025-01-01", "2026-12-31"], capture_output=True,
                             text=True, env={**os.environ, "HOME": home, "LC_ALL": "C"})
    if run.returncode != 0 or run.stderr:
        failures.append(f"{city}: lumaro-cli times failed: {run.returncode} {run.stderr.strip()}")
    ours, missing = {}, set()
    for line in run.stdout.splitlines():
        date, kind, clock, label = line.split("\t")
        if kind in MOMENTS:
            continue
        if clock == "-":  # no time that day, and the label says why
            missing.add((date, kind))
            if "(the sun " not in label:
                failures.append(f"{city} {date} {kind}: no time and no reason: {label}")
            continue
        if (date, kind) in ours:
            failures.append(f"{city} {date}: two times of kind {kind}")
        ours[(date, kind)] = clock
    for key in sorted(set(ours) | set(theirs[city])):
        date, kind = key
        day = datetime.date.fromisoformat(date)
        note = lambda k=kind: notes.get((city, date, k), "")
        # Named differences: the fast of the firstborn ends with the seder (at nightfall only when kept
        # on Thursday); Yom Kippur begins at the candles and ends at havdalah, which the data lists
        # under those kinds only; a fast on a Friday ends after the Shabbat candles, and the data gives
        # it no end.
        reason = ("the fast of the firstborn ends with the seder" if key not in ours and kind == "fast-ends"
                  and "Ta'anit Bechorot" in note() else
                  "Yom Kippur begins at the candles" if key not in theirs[city] and kind == "fast-begins"
                  and "Erev Yom Kippur" in note("candles") and ours[key] == ours.get((date, "candles")) else
                  "Yom Kippur ends at havdalah" if key not in theirs[city] and kind == "fast-ends"
                  and "Yom Kippur" in note("havdalah") and ours[key] == ours.get((date, "havdalah")) else
                  "a fast on Friday ends after the Shabbat candles" if key not in theirs[city] and kind == "fast-ends"
                  and day.weekday() == 4 and (date, "fast-begins") in theirs[city] else None)
        if key in missing and key not in theirs[city]:
            named["no time on either side, with its reason"] += 1
            continue
        if reason or key not in ours or key not in theirs[city]:
            named[reason] += bool(reason)
            if not reason:
                failures.append(f"{city} {date} {kind}: ours {ours.get(key)}, the data {theirs[city].get(key)} ({note()})")
            continue
        d = (minutes(ours[key]) - minutes(theirs[city][key])) % 1440
        d, compared = min(d, 1440 - d), compared + 1
        # Times by a depression angle: havdalah (and candles at its time) in degrees, the fasts (Tisha
        # BeAv begins at sunset), Khanukka lights at nightfall.
        by_degrees = unit == "deg"
        by_angle = {"havdalah": by_degrees, "candles-after-nightfall": by_degrees,
                    "fast-begins": "Erev Tish'a B'Av" not in note(), "fast-ends": True,
                    "khanukka": day.weekday() not in (4, 5) or (day.weekday() == 5 and by_degrees)}.get(kind, False)
        if d > (TOLERANCE_SLOW_SUN if by_angle and latitude >= 50 and 5 <= day.month <= 8 else TOLERANCE):
            failures.append(f"{city} {date} {kind}: ours {ours[key]}, the data {theirs[city][key]} ({d} min apart)")
named.pop(None, None)
print(f"{len(configs)} cities: {compared} times compared; named differences: {dict(named)}")
print("".join(f"FAIL: {message}\n" for message in failures[:60]), end="")
sys.exit(1 if failures or len(configs) < 15 or compared < 5000 else 0)
