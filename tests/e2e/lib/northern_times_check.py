"""Compares the precise times of six northern cities over 2026 and 2027 with tests/data/northern_reference.tsv:
sunrise, sunset, dawn (16.1 deg) and nightfall (8.5 and 7.083 deg) by `lumaro-cli eval --batch`, the Friday candles
and havdalah (8.5 deg) by `lumaro-cli times`. Pass: the same minute or one off, no time on one side only, and every
missing time with its reason (the zmanim list and the label of `times` say why).
Usage: northern_times_check.py LUMARO_CLI CITY_FILE REFERENCE_TSV"""
import collections, datetime, os, re, shutil, subprocess, sys, tempfile, zoneinfo

EXPRESSIONS = ["sunrise", "sunset", "sunrise - degrees_below_horizon(16.1)", "sunset + degrees_below_horizon(8.5)",
               "sunset + degrees_below_horizon(7.083)"]
NAMES = ["sunrise", "sunset", "dawn", "nightfall 8.5", "nightfall 7.083"]
LIST_LINES = {0: "netz haKhama", 1: "shkiat haKhama", 2: "alot haShakhar"}  # the zmanim list's lines of the same
REASON = re.compile(r"the sun (does not (rise|set|sink to [0-9.]+ degrees)|stays deeper than [0-9.]+ degrees)")

cli, city_file, reference = sys.argv[1:4]
cities, days = {}, collections.defaultdict(list)
for line in open(reference, encoding="utf-8"):
    f = line.rstrip("\n").split("\t")
    if f[0] == "city":
        cities[f[1]] = zoneinfo.ZoneInfo(f[2])
    elif f[0] == "day":
        days[f[1]].append(f[2:])
failures, compared, worst, missing = [], collections.Counter(), 0, collections.Counter()


def run(home, *args, stdin=None):
    done = subprocess.run([cli, *args], input=stdin, capture_output=True, text=True,
                          env={**os.environ, "HOME": home, "LC_ALL": "C"})
    if done.returncode != 0 or done.stderr:
        failures.append(f"lumaro-cli {' '.join(args[:3])}: {done.returncode} {done.stderr.strip()}")
    return done.stdout


def check(city, date, what, ours, theirs, edge=False):
    """`edge`: the first or last day of a spell without that time in the data, where the sun touches the depression
    and a hundredth of a degree decides whether and when it crosses: there a time on one side only, or two minutes
    apart, is counted, not failed."""
    global worst
    if edge and ((ours is None) != (theirs == "-") or (ours is not None and abs(ours - int(theirs)) == 2)):
        compared[f"{what}, edge of a spell"] += 1
    elif (ours is None) != (theirs == "-"):
        failures.append(f"{city} {date} {what}: ours {ours}, the data {theirs}")
    elif ours is not None:
        compared[what] += 1
        worst = max(worst, abs(ours - int(theirs)))
        if abs(ours - int(theirs)) > 1:
            failures.append(f"{city} {date} {what}: ours {ours}, the data {theirs} (minutes from midnight)")


for city, zone in cities.items():
    line = next(l for l in open(city_file, encoding="latin-1") if l.startswith(f'"{city}",'))
    lat, ns, lon, ew, hours = re.match(r'"[^"]+", (\d+,\d+) ([NS]), (\d+,\d+) ([EW]), GMT([+-]\d+)', line).groups()
    packed = lambda v, minus: (-1 if minus else 1) * (int(v.split(",")[0]) * 100 + int(v.split(",")[1]))
    place = f"{packed(lat, ns == 'S')}\t{packed(lon, ew == 'W')}\t{int(hours)}"
    with tempfile.TemporaryDirectory() as home:
        os.makedirs(f"{home}/.lumaro")
        shutil.copy(city_file, f"{home}/.lumaro/cities")
        with open(f"{home}/.lumaro/kivrasettings", "w", encoding="latin-1") as f:
            f.write(f'CurrentCity: "{city}"\nDSTAutomatic: "1"\nSunCalculation: "precise"\nTimeFormat: "1"\n'
                    'CandleLightingMin: "18"\nHavdalahIsMin: "0"\nHavdalahValue: "8.5"\n'
                    'ZmanimAlotHaShachar: "AlotHashachar16"\n')
        batch = "".join(f"{d[0]}\t{place}\t{e}\n" for d in days[city] for e in EXPRESSIONS)
        values = run(home, "--sun", "precise", "eval", "--batch", stdin=batch).split()
        times = {}
        for t in run(home, "times", "2026-01-01", "2027-12-31").splitlines():
            date, kind, clock, label = t.split("\t")
            times[(date, kind)] = (clock, label)
        for i, d in enumerate(days[city]):
            date = datetime.date.fromisoformat(d[0])
            midnight = datetime.datetime.combine(date, datetime.time(), zone).astimezone(datetime.timezone.utc)
            utc0 = datetime.datetime.combine(date, datetime.time(), datetime.timezone.utc)
            absent = []
            for k, what in enumerate(NAMES):
                m = int(values[i * len(EXPRESSIONS) + k])
                ours = None if m == -1 else int((utc0 + datetime.timedelta(minutes=m - 60 * int(hours)) - midnight)
                                                .total_seconds() // 60)
                near = [days[city][j][1 + k] == "-" for j in (i - 1, i + 1) if 0 <= j < len(days[city])]
                check(city, d[0], what, ours, d[1 + k], any(n != (d[1 + k] == "-") for n in near))
                if ours is None:
                    missing[what] += 1
                    absent.append(k)
            # Why: the zmanim list says it in words for sunrise, sunset and dawn.
            if any(k in LIST_LINES for k in absent):
                shown = dict(l.split(": ", 1) for l in run(home, "zmanim", d[0]).splitlines() if ": " in l)
                for k in absent:
                    if k in LIST_LINES and not REASON.fullmatch(shown.get(LIST_LINES[k], "")):
                        failures.append(f"{city} {d[0]} {NAMES[k]}: no reason: {shown.get(LIST_LINES[k])}")
            # The evening times of `times`: Friday candles, havdalah and candles after nightfall at 8.5 deg.
            for kind, theirs in (("candles", d[6] if d[6] else None), ("havdalah", d[4]),
                                 ("candles-after-nightfall", d[4])):
                if (d[0], kind) not in times or theirs is None:
                    continue
                clock, label = times[(d[0], kind)]
                if clock == "-":
                    missing[f"{kind} ({REASON.search(label).group(0) if REASON.search(label) else 'NO REASON'})"] += 1
                    if not REASON.search(label):
                        failures.append(f"{city} {d[0]} {kind}: no reason: {label}")
                    check(city, d[0], kind, None, theirs)
                    continue
                ours = int(clock[:2]) * 60 + int(clock[3:]) + (1440 if "(after midnight)" in label else 0)
                check(city, d[0], kind, ours, theirs)
print(f"{len(cities)} cities, {sum(len(v) for v in days.values())} days: compared {dict(compared)}; "
      f"largest difference {worst} min; no time on both sides: {dict(missing)}")
print("".join(f"FAIL: {message}\n" for message in failures[:60]), end="")
sys.exit(1 if failures or len(cities) < 6 or sum(compared.values()) < 10000 else 0)
