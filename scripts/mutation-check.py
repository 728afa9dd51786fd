#!/usr/bin/env python3
"""Plants faults in the sources one at a time and checks that the tests catch each.

For every mutation below the script replaces one piece of text in one file,
rebuilds the engine tests and lumaro-cli in BUILD_DIR, runs the unit and
end-to-end tests (not the GUI tests), and restores the file. A mutation that
leaves every test passing is "survived" and is reported; the script exits 1
when any survives (or a mutation no longer applies because the code changed).

Usage: scripts/mutation-check.py [--build-dir DIR] [--only SUBSTRING]
Run it in a checkout whose build directory is configured (cmake -S . -B DIR).
It takes a few minutes per mutation on a 2-core machine.
"""

import argparse
import os
import subprocess
import sys

# (file, text, replacement, what the fault is)
MUTATIONS = [
    ("src/calendar/calendar.cpp", "parts >= 19440", "parts >= 20520", "molad zaken an hour late"),
    ("src/calendar/calendar.cpp", "day % 7 == 2 && parts >= 9924", "day % 7 == 2 && parts >= 11004",
     "GaTRaD an hour late"),
    ("src/calendar/names.cpp", "(n >= 1 && n <= 49)", "(n >= 1 && n <= 48)", "Omer ends a day early"),
    ("src/calendar/names.cpp", "Last_Day_Of_Hebrew_Month(previous, h.year) == 30 ? 2 : 0",
     "Last_Day_Of_Hebrew_Month(previous, h.year) == 29 ? 2 : 0", "two-day Rosh Khodesh inverted"),
    ("src/calendar/festivals.cpp", "int FastOffShabbat(int weekday, int) { return weekday == kShabbat ? 1 : 0; }",
     "int FastOffShabbat(int weekday, int) { return weekday == kFriday ? 1 : 0; }", "fasts moved off Friday"),
    ("src/calendar/festivals.cpp", "if (year > 5756 && weekday == kSunday) return 1;",
     "if (year > 5756 && weekday == kSunday) return 0;", "Yom HaShoa not moved off Sunday"),
    ("src/calendar/festivals.cpp", "== kSunday ? 3 : 1;", "== kSunday ? 2 : 1;", "Taanit Ester before a Sunday Purim"),
    ("src/calendar/festival_table.cpp", 'Facts("Tsom Gedalya", K::kFast, T::kLightRed)',
     'Facts("Tsom Gedalya", K::kMinor, T::kLightRed)', "Tsom Gedalya not a fast"),
    ("src/calendar/festival_table.cpp", 'Festive("Shavuot II", E::kNone, true)', 'Festive("Shavuot II", E::kNone, false)',
     "no Yizkor on Shavuot II"),
    ("src/calendar/festival_table.cpp", "Row(Festival::kTsomTammuz, \"TZOM_TAMMUZ\", R::kFastOffShabbat, 17, kTammuz,",
     "Row(Festival::kTsomTammuz, \"TZOM_TAMMUZ\", R::kFixed, 17, kTammuz,", "17 Tammuz not moved off Shabbat"),
    ("src/calendar/molad.cpp", "+ 5 * kPartsPerHour + 204;", "+ 5 * kPartsPerHour + 205;", "first molad a part late"),
    ("src/calendar/daf_yomi.cpp", "rec->cycle = static_cast<int32_t>(n / kCycleDays + 1);",
     "rec->cycle = static_cast<int32_t>(n / kCycleDays + 2);", "Daf Yomi cycle number"),
    ("src/calendar/readings.cpp", "if (!roshKhodeshHaftarah) e1.flags |= kHaftKedoshim;",
     "e1.flags |= kHaftKedoshim;", "Kedoshim Haftarah on Rosh Khodesh"),
    ("src/calendar/anniversary_dates.cpp", "Hebrew_Leap_Year(calc.year) ? kAdar : kShevat",
     "Hebrew_Leap_Year(calc.year) ? kAdar : kAdar", "yortsayt of 30 Adar I in a common year"),
    ("src/calendar/anniversary_dates.cpp", "(rec.afterSunset == 1 ? 1 : 0)", "(rec.afterSunset == 1 ? 0 : 0)",
     "after-sunset events not moved"),
    ("src/calendar/hebrew_numerals.cpp", "if (rest == 15 || rest == 16) {", "if (rest == 15) {",
     "16 written as yud-vav"),
    ("src/calendar/learning.cpp", "h.day == 29 && Last_Day_Of_Hebrew_Month(h.month, h.year) == 29",
     "h.day == 29 && Last_Day_Of_Hebrew_Month(h.month, h.year) == 30", "Tehillim of a 29-day month"),
    ("src/halakha/halacha.cpp", 'run.Emit(MondayOrThursday(d) ? "  long Takhanun" : "  Takhanun");',
     'run.Emit("  Takhanun");', "no long Takhanun on Monday and Thursday"),
    ("src/halakha/takhanun.cpp", "day_in_omer(x) == 33", "day_in_omer(x) == 32", "Lag BaOmer a day early"),
    ("src/halakha/seasons.cpp", "year % 4 == 3 ? 5 : 4", "year % 4 == 3 ? 4 : 4", "rain request before a leap year"),
    ("src/suntimes/sunrise.cpp", "constexpr Real kAnomalyOffset = 3.251;", "constexpr Real kAnomalyOffset = 3.289;",
     "the almanac's usual constant instead of ours"),
    ("src/suntimes/calc.cpp", "*result = left / right;", "*result = (left + right - 1) / right;",
     "division rounds up"),
    ("src/suntimes/dst.cpp", "(start <= d && d < end)", "(start <= d && d <= end)", "summer time a day too long"),
    ("src/suntimes/dst.cpp", "if (!InRange(r.startWeekNo, 1, 5)", "if (!InRange(r.startWeekNo, 1, 6)",
     "week number 6 accepted"),
    ("src/suntimes/cities.cpp", "'N', 'S', kErrNorthSouth", "'S', 'N', kErrNorthSouth", "north and south swapped"),
    ("src/suntimes/timezone.cpp", "> kMaxSummerShift) zoneHours_", ">= 0) zoneHours_", "zone hours from the noon offset"),
    ("src/compose/ics_export.cpp", "constexpr size_t kIcsLineOctets = 75;", "constexpr size_t kIcsLineOctets = 76;",
     "iCalendar lines folded at 76 octets"),
    ("src/render/drawing_ps.cpp", "if (c == '(' || c == ')' || c == '\\\\') {", "if (c == '(' || c == '\\\\') {",
     "')' not escaped in PostScript"),
    ("src/render/month_painter.cpp", "const bool selectedCell = !print_ && day == selectedIndex_;",
     "const bool selectedCell = day == selectedIndex_;", "the printout shades the selected day"),
    ("src/base/translate.cpp", "return a->key.size() > b->key.size();", "return a->key.size() < b->key.size();",
     "phrases replaced shortest first"),
    ("src/forms/dst_form.cpp", '"Start Month must be selected");', '"Start Month must be chosen");',
     "dialog message changed"),
]


def run(cmd, cwd):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", default="build")
    parser.add_argument("--only")
    args = parser.parse_args()
    root = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    build = os.path.join(root, args.build_dir)
    targets = ["unit_tests", "lumaro-cli", "atomic_writer"]
    if run(["cmake", "--build", build, "-j2", "--target"] + targets, root) != 0:
        print("the unmutated tree does not build", file=sys.stderr)
        return 2
    failed = 0
    for path, text, replacement, what in MUTATIONS:
        if args.only and args.only not in what and args.only not in path:
            continue
        full = os.path.join(root, path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        if original.count(text) != 1:
            print(f"stale     {path}: {what} (the text is found {original.count(text)} times)")
            failed += 1
            continue
        try:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original.replace(text, replacement))
            if run(["cmake", "--build", build, "-j2", "--target"] + targets, root) != 0:
                verdict = "caught (does not compile)"
            else:
                status = run(["ctest", "--test-dir", build, "-j2", "-LE", "gui", "-E", "kill_while_saving|gui_screenshot|install|print_cups",
                              "--stop-on-failure"], root)
                verdict = "caught" if status != 0 else "SURVIVED"
        finally:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original)
        if verdict == "SURVIVED":
            failed += 1
        print(f"{verdict:9} {path}: {what}", flush=True)
    run(["cmake", "--build", build, "-j2", "--target"] + targets, root)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
