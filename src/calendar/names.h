// Display names of weekdays, months and Torah sections (translated into the
// interface language), Rosh Khodesh and the Omer count.
#pragma once

#include <string>

#include "calendar/types.h"

// Weekday name for 0..6 ("Sunday" .. "Shabbat"); empty for other values.
std::string GetWeekdayName(int weekday);
// Gregorian month name for 1..12; empty for other values.
std::string GetGregorianMonthName(int month);
// Hebrew month name for 1..13; month 12 is "Adar I" in a leap year, else "Adar".
std::string GetHebrewMonthName(int month, int year);
// Weekly section name for codes 0..52; empty for every other code.
std::string GetJewishTorahSectionName(int code);
// Special-Shabbat name for codes 15, 43, 44, 61..64 and 66; empty otherwise.
std::string GetJewishShabbatSectionName(int code);

// Which day of Rosh Khodesh (calendar/festivals.h: IsRoshKhodeshDate) a
// date is: -1 not Rosh Khodesh; 0 a single day; 1 first of two days; 2
// second of two.
int GetRoshKhodeshType(const HebrewDate& h);
// Day of the Omer 1..49 (16 Nisan is day 1), or 0.
int GetOmerCount(AbsoluteDay d);
// The same for a day whose Hebrew date is known.
int GetOmerCount(AbsoluteDay d, const HebrewDate& h);

// Section code of an empty slot.
constexpr int kNoSection = 1000;
