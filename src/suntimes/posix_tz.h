// The rule text at the end of a zoneinfo file, such as
//
//   EST5EDT,M3.2.0,M11.1.0              (New York)
//   <+1030>-10:30<+11>-11,M10.1.0,M4.1.0 (Lord Howe: half-hour summer time)
//   IST-5:30                             (Kolkata: no summer time)
//
// It states the zone's standard offset and, for a zone that keeps summer
// time, the yearly rule. The file's table of transitions ends at some year
// (2037 in most installed files, earlier in compact ones); every later
// instant follows this rule. Offsets in the text count hours west of
// Greenwich; the values here are seconds east, as everywhere else.
#pragma once

#include <cstdint>
#include <string_view>

// One end of the summer-time period: a day of the year and the local time
// (in the time then in force) at which the clocks change.
struct PosixTzChange {
  enum class Kind {
    kJulian,        // "Jn": day 1..365 of the year, 29 February never counted
    kDayOfYear,     // "n": day 0..365 of the year, 29 February counted
    kMonthWeekDay,  // "Mm.w.d": weekday d (0 Sunday) of week w (5 = last) of month m
  };
  Kind kind = Kind::kMonthWeekDay;
  int day = 0;    // kJulian 1..365, kDayOfYear 0..365, kMonthWeekDay weekday 0..6
  int week = 0;   // kMonthWeekDay: 1..5
  int month = 0;  // kMonthWeekDay: 1..12
  int32_t seconds = 2 * 3600;  // -167 h .. 167 h after local midnight; 02:00 when not given
};

struct PosixTz {
  int32_t standardOffset = 0;  // seconds east of Greenwich
  bool hasSummerTime = false;
  int32_t summerOffset = 0;    // seconds east; one hour more than standard when not given
  PosixTzChange start;         // summer time begins (in standard time)
  PosixTzChange end;           // summer time ends (in summer time)
};

// Reads a rule text. False for anything else, also for a zone with summer
// time but no rule for it (the text leaves the dates open).
bool PosixTzParse(std::string_view text, PosixTz* tz);

// UTC seconds since 1970 at which summer time begins and ends in Gregorian
// `year` (the dates of the year's rule; the instants may fall in a
// neighbouring year when the change time runs past midnight).
int64_t PosixTzStartUtc(const PosixTz& tz, int year);
int64_t PosixTzEndUtc(const PosixTz& tz, int year);

// The offset east of Greenwich in seconds in force at `utcSeconds` and the
// span of instants around it, [begin, end), that have the same offset (at
// least the instant itself). Summer time that starts on 1 January at 00:00
// and ends when the next year begins lasts all year. More than about 20000
// years from 1970: standard time.
struct PosixTzPeriod {
  int64_t begin;
  int64_t end;
  int32_t offset;
};
PosixTzPeriod PosixTzPeriodAt(const PosixTz& tz, int64_t utcSeconds);
