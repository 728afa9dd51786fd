// Gregorian and Hebrew calendar arithmetic on absolute day numbers.
// Pure functions: no state that changes results, no failure reporting; the
// behaviour for out-of-range months, days or years below 1 is unspecified.
#pragma once

#include <cstdint>

#include "calendar/types.h"

// Days of Gregorian month 1..12 in year: 28..31.
int LastDayOfGregorianMonth(int month, int year);
// Absolute day of a Gregorian date.
AbsoluteDay AbsoluteFromGregorian(const GregorianDate& date);
// Gregorian date of an absolute day (d >= 1).
GregorianDate GregorianFromAbsolute(AbsoluteDay d);
inline void GregorianFromAbsolute(AbsoluteDay d, GregorianDate* out) { *out = GregorianFromAbsolute(d); }

// 1 if Hebrew year y has 13 months, else 0.
constexpr int Hebrew_Leap_Year(int year) {
  const int64_t r = (7 * static_cast<int64_t>(year) + 1) % 19;
  return (r + 19) % 19 < 7 ? 1 : 0;
}
static_assert(Hebrew_Leap_Year(5784) == 1);
static_assert(Hebrew_Leap_Year(5785) == 0);

// 13 in a leap year, else 12.
constexpr int Last_Month_Of_Hebrew_Year(int year) { return Hebrew_Leap_Year(year) ? 13 : 12; }

// Days before 1 Tishri of year y on the Hebrew elapsed-day scale, with the
// four postponements of the new year applied.
int64_t Hebrew_Calendar_Elapsed_Days(int year);
// 353, 354, 355, 383, 384 or 385.
int Days_In_Hebrew_Year(int year);
// Days in Hebrew month 1..13 of year y: 29 or 30.
int Last_Day_Of_Hebrew_Month(int month, int year);

// Absolute day of a Hebrew date.
AbsoluteDay AbsoluteFromHebrew(const HebrewDate& date);
// Hebrew date of an absolute day (d >= 1).
HebrewDate HebrewFromAbsolute(AbsoluteDay d);
inline void HebrewFromAbsolute(AbsoluteDay d, HebrewDate* out) { *out = HebrewFromAbsolute(d); }

// Convenience forms used throughout the program.
inline AbsoluteDay AbsoluteFromGregorian(int day, int month, int year) {
  return AbsoluteFromGregorian(GregorianDate{day, month, year});
}
inline AbsoluteDay AbsoluteFromHebrew(int day, int month, int year) {
  return AbsoluteFromHebrew(HebrewDate{day, month, year});
}

// Difference between the Hebrew elapsed-day count and AbsoluteDay:
// 1 Tishri of year y is Hebrew_Calendar_Elapsed_Days(y) - kHebrewEpochOffset + 1.
constexpr int64_t kHebrewEpochOffset = 1373429;
