"""Reads an iCalendar file of `lumaro-cli ics` with Debian's python3-icalendar after checking its lines
(CR LF, at most 75 octets, whole UTF-8 characters) and every event's form (unique UID naming its date
and kind, an all-day event ending the next day, a timed one in UTC); prints one line an event:
DATE<TAB>KIND<TAB>SUMMARY[<TAB>local HH:MM in ZONE], or the problems on stderr and exits 1.
Usage: ics_check.py ICS [ZONE]"""
import datetime, re, sys, zoneinfo, icalendar

raw = open(sys.argv[1], "rb").read()
zone = zoneinfo.ZoneInfo(sys.argv[2]) if len(sys.argv) > 2 else None
problems = [] if raw.endswith(b"\r\n") else ["the file does not end with CR LF"]
for number, line in enumerate(raw.split(b"\r\n")[:-1], 1):
    if b"\n" in line or b"\r" in line or len(line) > 75:
        problems.append(f"line {number}: a bare CR or LF, or {len(line)} octets")
    try:
        line.decode("utf-8")
    except UnicodeDecodeError:
        problems.append(f"line {number}: not whole UTF-8 characters")
uids, lines = set(), []
for event in icalendar.Calendar.from_ical(raw).walk("VEVENT"):
    uid = str(event["UID"])
    m = re.match(r"^(\d{8})-([a-z-]+?)(-[0-9a-f]{16})?(-\d+)?@lumaro\.example\.org$", uid)
    if uid in uids or not m or "DTSTAMP" not in event:
        problems.append(f"UID {uid}: twice, of an unexpected form or without DTSTAMP")
        continue
    uids.add(uid)
    start, summary = event.decoded("DTSTART"), str(event["SUMMARY"])
    if isinstance(start, datetime.datetime):
        if start.utcoffset() != datetime.timedelta(0):
            problems.append(f"{uid}: not a UTC time")
        local = start.astimezone(zone) if zone else start
        lines.append(f"{local.date()}\t{m.group(2)}\t{summary}\t{local:%H:%M}")
    else:
        if event.decoded("DTEND") != start + datetime.timedelta(days=1) or m.group(1) != f"{start:%Y%m%d}":
            problems.append(f"{uid}: not the one day of its UID")
        lines.append(f"{start}\t{m.group(2)}\t{summary}")
print("\n".join(problems or lines), file=sys.stderr if problems else sys.stdout)
sys.exit(1 if problems else 0)
