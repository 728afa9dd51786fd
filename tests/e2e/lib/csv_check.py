"""Reads a file of `lumaro-cli csv` with Python's csv module beside the iCalendar file of the same days and
kinds read with Debian's python3-icalendar: the header, eight fields a row, CR LF line ends, and row by row
the event of the iCalendar file (summary, description and location; an all-day event on its date without
times; a timed one at its UTC moment on the clock of ZONE, as MM/DD/YYYY and h:MM AM/PM). Prints the number
of rows and of rows on each half of the clock, or the problems on stderr and exits 1.
Usage: csv_check.py CSV ICS ZONE"""
import csv, datetime, io, sys, zoneinfo, icalendar

HEADER = ["Subject", "Start Date", "Start Time", "End Date", "End Time", "All Day Event", "Description", "Location"]
raw = open(sys.argv[1], "rb").read()
events = list(icalendar.Calendar.from_ical(open(sys.argv[2], "rb").read()).walk("VEVENT"))
zone = zoneinfo.ZoneInfo(sys.argv[3])
problems = [] if raw.endswith(b"\r\n") and raw.count(b"\n") == raw.count(b"\r\n") else ["not every line ends in CR LF"]
rows = list(csv.reader(io.StringIO(raw.decode("utf-8"), newline="")))
if rows[0] != HEADER:
    problems.append(f"header {rows[0]}")
if len(rows) - 1 != len(events):
    problems.append(f"{len(rows) - 1} rows, {len(events)} iCalendar events")
halves = {"AM": 0, "PM": 0}
for number, (row, event) in enumerate(zip(rows[1:], events), 2):
    if len(row) != 8:
        problems.append(f"row {number}: {len(row)} fields")
        continue
    start = event.decoded("DTSTART")
    if isinstance(start, datetime.datetime):
        local = start.astimezone(zone)
        clock = local.strftime("%I:%M %p").lstrip("0")
        halves[clock[-2:]] += 1
        when = [local.strftime("%m/%d/%Y"), clock] * 2 + ["False"]
    else:
        when = [start.strftime("%m/%d/%Y"), ""] * 2 + ["True"]
    expected = [str(event["SUMMARY"])] + when + [str(event.get(k, "")) for k in ("DESCRIPTION", "LOCATION")]
    if row != expected:
        problems.append(f"row {number}: {row}, expected {expected}")
print("\n".join(problems[:20]) if problems else f"{len(rows) - 1} rows, {halves['AM']} AM {halves['PM']} PM",
      file=sys.stderr if problems else sys.stdout)
sys.exit(1 if problems else 0)
