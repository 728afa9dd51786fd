"""Compares lumaro-cli with the independent data of scripts/make-minor-days-reference.mjs: the dates of
Yom Kippur Katan, BeHaB, Taanit Bekhorot and Birkat HaChama 1900-2100 in Israel and the Diaspora
(`minor-days`), and the Kiddush Levana begin and end times of 12 cities over 10 years in both styles
(`times`), within a minute.
Usage: minor_days_reference_check.py LUMARO_CLI CITY_FILE DATES_TSV MOMENTS_TSV"""
import collections, datetime, os, shutil, subprocess, sys, tempfile

cli, city_file, dates_file, moments_file = sys.argv[1:5]
DATE_KINDS = {"yom-kippur-katan", "behab", "taanit-bekhorot", "birkat-hachama"}
rows = lambda path: [l.rstrip("\n").split("\t") for l in open(path, encoding="utf-8") if not l.startswith("#")]
failures = []


def run(home, *args):
    result = subprocess.run([cli, "--24h", "--dst-automatic", "on", *args], capture_output=True, text=True,
                            env={**os.environ, "HOME": home, "LC_ALL": "C"})
    if result.returncode != 0:
        failures.append(f"lumaro-cli {' '.join(args)}: {result.returncode} {result.stderr.strip()}")
    return [line.split("\t") for line in result.stdout.splitlines()]


theirs = collections.defaultdict(set)
for place, date, kind in rows(dates_file):
    theirs[place].add((date, kind))
moments = collections.defaultdict(dict)
for city, style, kind, date, clock in rows(moments_file):
    moments[(city, style)][(date, kind)] = clock
with tempfile.TemporaryDirectory() as home:
    os.makedirs(f"{home}/.lumaro")
    shutil.copy(city_file, f"{home}/.lumaro/cities")
    for place in ("israel", "diaspora"):
        ours = {(d, k) for d, k, _ in run(home, f"--{place}", "minor-days", "1900-01-01", "2100-12-31") if k in DATE_KINDS}
        for date, kind in sorted(ours ^ theirs[place]):
            failures.append(f"{place} {date} {kind}: {'only ours' if (date, kind) in ours else 'only the data'}")
        if len(theirs[place]) < 3000:
            failures.append(f"{place}: only {len(theirs[place])} dates in the data")
    compared = 0
    for (city, style), want in sorted(moments.items()):
        first = min(date for date, _ in want)
        last = max(date for date, _ in want)
        got = collections.defaultdict(set)  # kind -> moments; a time rounded up past midnight has the next date
        for d, k, t, _ in run(home, "--city", city, "--style", style, "times", first, last):
            if k.startswith("kiddush-levana"):
                got[k].add(datetime.datetime.strptime(f"{d} {t}", "%Y-%m-%d %H:%M"))
        for (date, kind), clock in sorted(want.items()):
            data = datetime.datetime.strptime(f"{date} {clock}", "%Y-%m-%d %H:%M:%S")
            near = [m for m in got[kind] if abs((m - data).total_seconds()) <= 60]
            if not near:
                failures.append(f"{city} style {style} {date} {kind}: the data {clock}, ours none within a minute")
                continue
            got[kind].discard(near[0])
            compared += 1
        failures += [f"{city} style {style} {kind} {m}: only ours" for kind in got for m in sorted(got[kind])
                     if m.date() >= datetime.date.fromisoformat(first)]
print(f"dates: {sum(map(len, theirs.values()))} compared; Kiddush Levana: {compared} times compared")
print("".join(f"FAIL: {message}\n" for message in failures[:40]), end="")
sys.exit(1 if failures or compared < 5000 else 0)
