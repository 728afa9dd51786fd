// The molad (calculated new moon) of a Hebrew month, in exact integer parts
// (1 hour = 1080 parts, 1 minute = 18 parts).
#pragma once

#include <cstdint>
#include <string>

#include "calendar/types.h"

struct MoladTime {
  int32_t weekday = 0;  // 0 Sunday .. 6 Shabbat
  int32_t hour = 0;     // 0..23 on the civil clock
  int32_t minute = 0;   // 0..59
  int32_t parts = 0;    // 0..17
};

// Splits 57444 + n * (days, hours, parts) parts into days, hours (of the
// day count's clock, from 6 p.m.), minutes and parts. Called with 29, 12, 793.
void MoladMultiplyLarge(int64_t n, int64_t days, int64_t hours, int64_t parts, int64_t* outDays,
                        int32_t* outHours, int32_t* outMinutes, int32_t* outParts);
// The molad of Hebrew month 1..13 of `year`: 1 and `out` filled, or 0 when
// the month is out of range, 13 in a common year, or the year is below 1.
int MoladGet(int month, int year, MoladTime* out);
// The moment of the molad of Hebrew month 1..13 of `year` (which must have
// that month), in seconds since 1970-01-01 00:00 UTC. The molad is reckoned
// in Jerusalem time as the announcement gives it, the mean solar time of
// Jerusalem: kJerusalemMeanTimeSeconds east of UTC.
inline constexpr int64_t kJerusalemMeanTimeSeconds = 2 * 3600 + 20 * 60 + 56;
int64_t MoladMoment(int month, int year);
// The three lines of the announcement ("Molad of %s %d:", "%s, %s, %d hours,",
// "%d minutes, %d parts"), translated.
void MoladFormatString(std::string* line1, std::string* line2, std::string* line3, int month, int year,
                       const MoladTime& molad);
// The announcement for the month after the Hebrew month of d, indented:
// indent blanks + line 1, newline, indent + 1 blanks + line 2, newline,
// indent + 1 blanks + line 3 (no final newline).
std::string MoladRetrieveNextSimple(int indent, AbsoluteDay d);
