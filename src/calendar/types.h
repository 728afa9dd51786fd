// The date types every part of Lumaro shares.
#pragma once

#include <cstdint>

// Day count: day 1 is Monday, 1 January of Gregorian year 1.
// Weekday of a day d is d mod 7: 0 Sunday .. 5 Friday, 6 Shabbat.
using AbsoluteDay = int64_t;

// Proleptic Gregorian date: day 1..31, month 1..12, year (e.g. 2024).
struct GregorianDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
};

// Hebrew date. Months are numbered from Nisan = 1 .. Elul = 6, Tishri = 7 ..
// Adar (Adar I in a leap year) = 12, Adar II = 13; the year number changes at
// 1 Tishri.
struct HebrewDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
};

inline bool operator==(const GregorianDate& a, const GregorianDate& b) {
  return a.day == b.day && a.month == b.month && a.year == b.year;
}
inline bool operator!=(const GregorianDate& a, const GregorianDate& b) { return !(a == b); }
inline bool operator==(const HebrewDate& a, const HebrewDate& b) {
  return a.day == b.day && a.month == b.month && a.year == b.year;
}
inline bool operator!=(const HebrewDate& a, const HebrewDate& b) { return !(a == b); }

// Weekday numbers (AbsoluteDay mod 7).
constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kTuesday = 2;
constexpr int kWednesday = 3;
constexpr int kThursday = 4;
constexpr int kFriday = 5;
constexpr int kShabbat = 6;

// Hebrew month numbers.
constexpr int kNisan = 1;
constexpr int kIyar = 2;
constexpr int kSivan = 3;
constexpr int kTammuz = 4;
constexpr int kAv = 5;
constexpr int kElul = 6;
constexpr int kTishri = 7;
constexpr int kHeshvan = 8;
constexpr int kKislev = 9;
constexpr int kTevet = 10;
constexpr int kShevat = 11;
constexpr int kAdar = 12;  // Adar I in a leap year
constexpr int kAdarII = 13;

// The range of Gregorian years the program shows and accepts.
constexpr int kFirstYear = 1583;
constexpr int kLastYear = 3000;

// Weekday of an absolute day, 0 Sunday .. 6 Shabbat (also for days before day 1).
constexpr int WeekdayOf(AbsoluteDay d) { return static_cast<int>(((d % 7) + 7) % 7); }
