// Anniversaries, birthdays and yortsayt dates: the user's entry and the
// rules that place it in a Hebrew year (a yortsayt of 30 Heshvan, Adar of a
// common year in a leap year, Adar I and Adar II).
#pragma once

#include <cstdint>
#include <string>

#include "calendar/types.h"

// Entry types.
constexpr char kAnniAnniversary = 'A';
constexpr char kAnniBirthday = 'B';
constexpr char kAnniYortsayt = 'Y';

// The date of an event as the user gave it: Hebrew (day, month 1..13, year)
// or Gregorian (day, month 1..12, year), depending on AnniversaryRec::isHebrew.
struct AnniDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
};

// One entry of the list.
struct AnniversaryRec {
  std::string name;
  char type = kAnniAnniversary;  // 'A', 'B' or 'Y'
  int isHebrew = 0;              // 1: date is Hebrew, 0: Gregorian
  AnniDate date;
  int afterSunset = 0;  // 1: the event was after sunset (Gregorian dates only)
};

bool operator==(const AnniversaryRec& a, const AnniversaryRec& b);
inline bool operator!=(const AnniversaryRec& a, const AnniversaryRec& b) { return !(a == b); }

// The record the date rules work on.
struct AnniversaryCalc {
  HebrewDate event;  // Hebrew date of the event
  char type = kAnniAnniversary;
  int year = 0;       // the Hebrew year wanted
  HebrewDate result;  // the day of the anniversary in that year
};

// 'A' and 'B' follow AnniBirth, 'Y' AnniDeath; another type leaves result alone.
void AnniGetAnniversary(AnniversaryCalc& calc);
// Birthdays and anniversaries: the same day and month; Adar of a common year
// and Adar II go to the last month of the wanted year; a 30th that the wanted
// month lacks becomes the 1st of the next month (30 Heshvan -> 1 Kislev).
void AnniBirth(AnniversaryCalc& calc);
// Yortsayt: as AnniBirth, except that 30 Heshvan and 30 Kislev follow the
// length of that month in the year after the death, Adar II goes to the last
// month of the wanted year, and 30 Adar I is 30 Shevat in a common year.
void AnniDeath(AnniversaryCalc& calc);

// True when the entry's date exists (Gregorian years 1..9999, Hebrew years
// 3762..9999), so the rules above can be applied to it.
bool AnniDateIsValid(int isHebrew, const AnniDate& date);
// Absolute day of the event: the Hebrew date, or the Gregorian date plus one
// day when it was after sunset. The date must be valid.
AbsoluteDay AnniEventDay(const AnniversaryRec& rec);
// The day of the entry's anniversary in Hebrew year `year`.
AbsoluteDay AnniDayInYear(const AnniversaryRec& rec, int year);
