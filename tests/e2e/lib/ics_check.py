"""Checks an iCalendar file of `lumaro-cli ics` for one year (Diaspora,
Pforzheim, 24-hour clock), read by Debian's python3-icalendar, against the
reference data in tests/data, the IANA zone database (candle times) and the
anniversaries given.

Usage: ics_check.py ICS DUMP DATADIR YEAR [--translations FILE]
  [--anniversary YYYY-MM-DD SUMMARY]...
Prints the failed checks and exits 1, or prints the number of events.
"""
import csv
import datetime
import re
import sys
import zoneinfo

import icalendar

FAILURES = []


def fail(message):
    FAILURES.append(message)


# The month view's holiday names under Diaspora rules, by holiday id.
HOLIDAY_NAMES = {
    0: "Rosh HaShana I", 1: "Yom Kippur", 2: "Sukkot I", 3: "Sukkot II",
    4: "Khol HaMoed", 5: "Khol HaMoed", 6: "Khol HaMoed", 7: "Khol HaMoed",
    8: "Hoshana Rabba", 9: "Shemini Atseret", 10: "Simkhat Tora", 11: "Pesakh I",
    12: "Pesakh II", 13: "Khol HaMoed", 14: "Khol HaMoed", 15: "Khol HaMoed",
    16: "Khol HaMoed", 17: "Pesakh VII", 18: "Khanukka I", 19: "Khanukka II",
    20: "Khanukka III", 21: "Khanukka IV", 22: "Khanukka V", 23: "Khanukka VI",
    24: "Khanukka VII", 25: "Khanukka VIII", 26: "Shavuot I", 27: "Tu beShvat",
    28: "Purim", 29: "Taanit Ester", 30: "Tisha BeAv", 31: "Tsom Gedalya",
    32: "Tsom Tevet", 33: "Tsom Tammuz", 34: "Shushan Purim", 35: "Lag BeOmer",
    36: "Yom HaShoa", 37: "Yom HaAtsmaut", 38: "Yom Yerushalayim", 39: "Shavuot II",
    40: "Pesakh VIII", 41: "Shabbat HaGadol", 42: "Rosh HaShana II",
    43: "Yom HaZikaron", 44: "Purim Katan", 45: "Shushan Purim Katan",
    46: "Erev Rosh HaShana", 47: "Erev Yom Kippur", 48: "Erev Sukkot",
    50: "Erev Pesakh", 52: "Erev Shavuot", 54: "Pesakh Sheni", 55: "Tu BeAv",
}
# Yizkor in the Diaspora: Yom Kippur, Shemini Atseret, Pesakh VIII, Shavuot II.
YIZKOR_IDS = {1, 9, 40, 39}
# The Diaspora's days on which work is forbidden: Rosh HaShana I and II, Yom
# Kippur, Sukkot I and II, Shemini Atseret, Simkhat Tora, Pesakh I, II, VII
# and VIII, Shavuot I and II. Candles lit on the evening of one of them, or
# on a Saturday, are lit after nightfall (a Friday's are the Shabbat candles).
FESTIVAL_DAY_IDS = {0, 42, 1, 2, 3, 9, 10, 11, 12, 17, 40, 26, 39}
# The fasts that begin at dawn, Tisha BeAv (begins the evening before) and
# Yom Kippur; the Khanukka days I..VIII; Erev Pesakh.
MINOR_FAST_IDS = {29, 31, 32, 33}
TISHA_BEAV_ID, YOM_KIPPUR_ID, EREV_PESAKH_ID = 30, 1, 50
KHANUKKA_IDS = range(18, 26)

SECTION_NAMES = [
    "Bereshith", "Noah", "Le'h Leha", "Vayera", "Haye Sarah", "Toledoth", "Vayetse",
    "Vayishlah", "Vayesheb", "Mikkets", "Vayiggash", "Vayhee", "Shemoth", "Vaera", "Bo",
    "Beshallah", "Yithro", "Mishpatim", "Terumah", "Tetsavveh", "Ki Tissa", "Vayakhel",
    "Pekude", "Vayikra", "Tsav", "Shemini", "Tazria", "Metsora", "Aharemoth", "Kedoshim",
    "Emor", "Behar", "Behukkothai", "Bemidbar", "Naso", "Behaaloteha", "Shelah Leha",
    "Korah", "Hukath", "Balak", "Pinhas", "Matoth", "Maseh", "Debarim", "Vaethanan",
    "Ekeb", "Reeh", "Shofetim", "Ki Tetse", "Ki Tabo", "Nitsabim", "Vayeleh", "Haazinu",
]
SPECIAL_NAMES = {
    15: "Shabbat Shirah", 43: "Shabbat Khazon", 44: "Shabbat Nakhamu",
    61: "Shabbat Shekalim", 62: "Shabbat Zakhor", 63: "Shabbat Parah",
    64: "Shabbat Hakhodesh",
}
TRACTATES = {
    "Berachot": "Berachos", "Shabbat": "Shabbos", "Eruvin": "Evurin",
    "Pesachim": "Pesachim", "Shekalim": "Shekalim", "Yoma": "Yuma", "Sukkah": "Sukah",
    "Beitzah": "Beitzah", "Rosh Hashana": "Rosh Ha'Shanah", "Taanit": "Ta'anis",
    "Megillah": "Megilah", "Moed Katan": "Moed Katan", "Chagigah": "Chagigah",
    "Yevamot": "Yevamos", "Ketubot": "Kesuvos", "Nedarim": "Nedarim", "Nazir": "Nazir",
    "Sotah": "Sotah", "Gitin": "Gitin", "Kiddushin": "Kidushin",
    "Baba Kamma": "Bava Kana", "Baba Metzia": "Bava Metzia", "Baba Batra": "Bava Basra",
    "Sanhedrin": "Sanhedrin", "Makkot": "Makos", "Shevuot": "Shevuos",
    "Avodah Zarah": "Avodah Zarah", "Horayot": "Horayos", "Zevachim": "Zevachim",
    "Menachot": "Menachos", "Chullin": "Chulin", "Bechorot": "Bechoros",
    "Arachin": "Erchin", "Temurah": "Temurah", "Keritot": "Kerisus", "Meilah": "Me'ilah",
    "Niddah": "Nidah",
}


def data_rows(path):
    with open(path, encoding="utf-8") as f:
        return list(csv.reader(line for line in f if not line.startswith("#")))


def read_translations(path):
    """The entries of a translation file written as "key" = "value" lines."""
    table = {}
    if path:
        with open(path, encoding="utf-8") as f:
            for line in f:
                m = re.match(r'^\s*"((?:[^"\\]|\\.)*)"\s*=\s*"((?:[^"\\]|\\.)*)"', line)
                if m:
                    table[m.group(1)] = m.group(2)
    return table


def check_raw_lines(raw):
    """Line ends, line lengths and characters, before any parser sees the file."""
    if not raw.endswith(b"\r\n"):
        fail("the file does not end with CR LF")
    for number, line in enumerate(raw.split(b"\r\n")[:-1], 1):
        if b"\n" in line or b"\r" in line:
            fail(f"line {number}: a bare CR or LF")
        if len(line) > 75:
            fail(f"line {number}: {len(line)} octets")
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            fail(f"line {number}: not whole UTF-8 characters: {line!r}")


def main(argv):
    ics_path, dump_path, data_dir, year = argv[1], argv[2], argv[3], int(argv[4])
    translations = {}
    anniversaries = {}
    rest = argv[5:]
    while rest:
        if rest[0] == "--translations":
            translations = read_translations(rest[1])
            rest = rest[2:]
        elif rest[0] == "--anniversary":
            anniversaries.setdefault(datetime.date.fromisoformat(rest[1]), []).append(rest[2])
            rest = rest[3:]
        else:
            sys.exit(f"unknown argument {rest[0]}")

    def tr(key):
        return translations.get(key, key)

    raw = open(ics_path, "rb").read()
    check_raw_lines(raw)
    calendar = icalendar.Calendar.from_ical(raw)
    first = datetime.date(year, 1, 1)
    last = datetime.date(year, 12, 31)
    in_year = lambda d: first <= d <= last

    # Events by kind (the part of the UID after the date) and date.
    by_kind = {}
    uids = set()
    for event in calendar.walk("VEVENT"):
        uid = str(event["UID"])
        if uid in uids:
            fail(f"UID {uid} twice")
        uids.add(uid)
        for name in ("DTSTAMP", "DTSTART", "SUMMARY"):
            if name not in event:
                fail(f"{uid}: no {name}")
        m = re.match(r"^(\d{8})-([a-z-]+?)(-[0-9a-f]{16})?(-\d+)?@lumaro\.example\.org$", uid)
        if not m:
            fail(f"UID of an unexpected form: {uid}")
            continue
        start = event.decoded("DTSTART")
        day = start if not isinstance(start, datetime.datetime) else None
        if day is not None:
            if event.decoded("DTEND") != day + datetime.timedelta(days=1):
                fail(f"{uid}: an all-day event must end the next day")
            if m.group(1) != day.strftime("%Y%m%d"):
                fail(f"{uid}: the UID's date is not the event's date {day}")
        else:
            day = datetime.date(int(m.group(1)[:4]), int(m.group(1)[4:6]), int(m.group(1)[6:]))
        by_kind.setdefault(m.group(2), {}).setdefault(day, []).append(event)

    def summaries(kind, day):
        return [str(e["SUMMARY"]) for e in by_kind.get(kind, {}).get(day, [])]

    def expect_kind(kind, expected):
        """Exactly the expected summary on each date of the year, nothing elsewhere."""
        for day, summary in sorted(expected.items()):
            got = summaries(kind, day)
            if got != [summary]:
                fail(f"{kind} {day}: expected {summary!r}, got {got!r}")
        for day in by_kind.get(kind, {}):
            if day not in expected:
                fail(f"{kind} {day}: unexpected {summaries(kind, day)!r}")

    # Holidays: the lowest id of the day wins, as in the month view.
    rows = data_rows(f"{data_dir}/holiday_dates.csv")
    header = rows[0]
    holiday_ids = {}
    ids_on = {}  # every holiday id of a day, also of the days around the year
    for row in rows[1:]:
        if int(row[0]) not in (year + 3760, year + 3761, year + 3762):
            continue
        for column, value in zip(header[1:], row[1:]):
            if not value or column.endswith("i"):
                continue
            holiday_id = int(column.rstrip("d"))
            day = datetime.date.fromisoformat(value)
            ids_on.setdefault(day, set()).add(holiday_id)
            if in_year(day):
                holiday_ids[day] = min(holiday_id, holiday_ids.get(day, 99))
    expected = {d: tr(HOLIDAY_NAMES[i]) for d, i in holiday_ids.items()}
    for day, events in by_kind.get("holiday", {}).items():
        if day not in expected and [str(e["SUMMARY"]) for e in events] == [tr("Isru Khag")]:
            expected[day] = tr("Isru Khag")
    expect_kind("holiday", expected)
    for day, events in by_kind.get("holiday", {}).items():
        described = [str(e.get("DESCRIPTION", "")) for e in events]
        wanted = tr("Yizkor") if holiday_ids.get(day) in YIZKOR_IDS else ""
        if described != [wanted]:
            fail(f"holiday {day}: description {described!r}, expected {wanted!r}")

    # Weekly sections and special Shabbatot.
    rosh_hashana = {datetime.date.fromisoformat(r[1]) for r in rows[1:] if r[1]}
    sections, specials = {}, {}
    for row in data_rows(f"{data_dir}/shabbat_sections.csv"):
        if row[1] != "d" or int(row[0]) not in (year + 3760, year + 3761):
            continue
        saturday = datetime.date.fromisoformat(row[2])
        for entry in row[3].split():
            codes = [int(c) for c in entry.split("+")]
            names = [SECTION_NAMES[c] for c in codes if c <= 52]
            special = [SPECIAL_NAMES[c] for c in codes if c in SPECIAL_NAMES]
            if any(saturday - datetime.timedelta(days=k) in rosh_hashana for k in range(1, 8)):
                special = ["Shabbat Shuva"]
            if in_year(saturday):
                if names:
                    sections[saturday] = ", ".join(tr(n) for n in names)
                if special:
                    specials[saturday] = tr(special[-1])
            saturday += datetime.timedelta(days=7)
    expect_kind("parasha", sections)
    expect_kind("special-shabbat", specials)

    # The Omer: 49 days from 16 Nisan (the day of Pesakh II).
    pesakh_ii = [d for d, i in holiday_ids.items() if i == 12]
    omer_format = tr("%d L'Omer")
    expect_kind("omer", {pesakh_ii[0] + datetime.timedelta(days=n - 1): omer_format.replace("%d", str(n))
                         for n in range(1, 50)})

    # Daf Yomi: a page on every day; the data file has every third day.
    daf = by_kind.get("daf-yomi", {})
    if len(daf) != (last - first).days + 1:
        fail(f"Daf Yomi on {len(daf)} days")
    for row in data_rows(f"{data_dir}/daf_yomi_pages.csv"):
        day = datetime.date.fromisoformat(row[0])
        if in_year(day) and row[1] in TRACTATES and row[1] not in ("Kinnim", "Tamid", "Midot"):
            want = f"{TRACTATES[row[1]]} {row[2]}"
            if summaries("daf-yomi", day) != [want]:
                fail(f"daf-yomi {day}: expected {want!r}, got {summaries('daf-yomi', day)!r}")

    # Rosh Khodesh and the times, against the dump of the same settings.
    rosh_khodesh = {}
    candles, havdalah = {}, {}
    rk_text = {"0": tr("Rosh Khodesh"), "1": tr("1st day of Rosh Khodesh") if translations else "1st Rosh Khodesh",
               "2": tr("2nd day of Rosh Khodesh") if translations else "2nd Rosh Khodesh"}
    with open(dump_path, encoding="utf-8") as f:
        next(f)
        for line in f:
            fields = line.rstrip("\n").split("\t")
            day = datetime.date.fromisoformat(fields[0])
            if fields[6] in rk_text:
                rosh_khodesh[day] = rk_text[fields[6]]
            if fields[11][2:]:
                (candles if fields[11][0] == "C" else havdalah)[day] = fields[11][2:]
    expect_kind("rosh-khodesh", rosh_khodesh)
    berlin = zoneinfo.ZoneInfo("Europe/Berlin")

    def festival_day(day):
        return bool(ids_on.get(day, set()) & FESTIVAL_DAY_IDS)

    def after_nightfall(day):
        # Friday's candles are Shabbat's, lit before sunset also on a festival.
        return day.weekday() == 5 or (festival_day(day) and day.weekday() != 4)

    def local_time(kind, day):
        """The event's time in Pforzheim as HH:MM, after checking its form."""
        events = by_kind.get(kind, {}).get(day, [])
        if not events:
            return None
        start = events[0].decoded("DTSTART")
        if not isinstance(start, datetime.datetime) or start.utcoffset() != datetime.timedelta(0):
            fail(f"{kind} {day}: not a UTC time: {start!r}")
            return None
        local = start.astimezone(berlin)
        if local.date() != day:
            fail(f"{kind} {day}: {start} is {local} in Pforzheim, another day")
        if str(events[0].get("LOCATION")) != "Pforzheim":
            fail(f"{kind} {day}: location {events[0].get('LOCATION')!r}")
        return local.strftime("%H:%M")

    candle_summaries = {d: tr("Candle lighting after nightfall") if after_nightfall(d) else tr("Candle Lighting")
                        for d in candles}
    for kind, shown, expected in (("candle-lighting", candles, candle_summaries),
                                  ("havdalah", havdalah, {d: tr("Havdalah") for d in havdalah})):
        expect_kind(kind, expected)
        for day in by_kind.get(kind, {}):
            got = local_time(kind, day)
            if got is not None and got != shown.get(day):
                fail(f"{kind} {day}: {got} in Pforzheim, the month view shows {shown.get(day)}")

    # The special days' times, on the dates of the reference data: a minor
    # fast begins and ends on its day; Tisha BeAv and Yom Kippur begin the
    # evening before, Yom Kippur with its candles and ending with havdalah;
    # the Khanukka lights on the evening before each day, on Friday with the
    # Shabbat candles and on Saturday at havdalah; khamets on Erev Pesakh,
    # burnt on the Friday when Erev Pesakh is Shabbat.
    day_before = datetime.timedelta(days=1)
    fast_begins, fast_ends, khanukka, eat, burn = {}, {}, {}, {}, {}
    for day, ids in ids_on.items():
        for i in ids:
            if i in MINOR_FAST_IDS:
                fast_begins[day] = fast_ends[day] = tr("Fast begins"), tr("Fast ends")
            elif i in (TISHA_BEAV_ID, YOM_KIPPUR_ID):
                fast_begins[day - day_before] = fast_ends[day] = None
            elif i in KHANUKKA_IDS:
                n = i - KHANUKKA_IDS.start + 1
                khanukka[day - day_before] = (tr("Khanukka: 1 candle") if n == 1
                                              else tr("Khanukka: %d candles").replace("%d", str(n)))
            elif i == EREV_PESAKH_ID:
                eat[day] = tr("Last time to eat khamets")
                burn[day - day_before if day.weekday() == 5 else day] = tr("Burn khamets")
    only_year = lambda table, summary=None: {d: summary or v for d, v in table.items() if in_year(d)}
    expect_kind("fast-begins", only_year(fast_begins, tr("Fast begins")))
    expect_kind("fast-ends", only_year(fast_ends, tr("Fast ends")))
    expect_kind("khanukka", only_year(khanukka))
    expect_kind("khamets-eat", only_year(eat))
    expect_kind("khamets-burn", only_year(burn))
    for kind in ("fast-begins", "fast-ends", "khanukka", "khamets-eat", "khamets-burn"):
        for day in by_kind.get(kind, {}):
            local_time(kind, day)
    for day in by_kind.get("fast-begins", {}):
        if YOM_KIPPUR_ID in ids_on.get(day + day_before, set()) and local_time("fast-begins", day) != candles.get(day):
            fail(f"fast-begins {day}: Yom Kippur does not begin with its candles at {candles.get(day)}")
    for day in by_kind.get("fast-ends", {}):
        if YOM_KIPPUR_ID in ids_on.get(day, set()) and local_time("fast-ends", day) != havdalah.get(day):
            fail(f"fast-ends {day}: Yom Kippur does not end with havdalah at {havdalah.get(day)}")
    for day in by_kind.get("khanukka", {}):
        at = {4: candles, 5: havdalah}.get(day.weekday())
        if at is not None and local_time("khanukka", day) != at.get(day):
            fail(f"khanukka {day}: not at the Shabbat time {at.get(day)}")

    # Anniversaries.
    got = {d: sorted(str(e["SUMMARY"]) for e in evs) for d, evs in by_kind.get("anniversary", {}).items()}
    want = {d: sorted(s) for d, s in anniversaries.items()}
    if got != want:
        fail(f"anniversaries: expected {want!r}, got {got!r}")

    for message in FAILURES[:40]:
        print("FAIL:", message)
    if FAILURES:
        print(f"{len(FAILURES)} failure(s)")
        return 1
    print(len(uids))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
