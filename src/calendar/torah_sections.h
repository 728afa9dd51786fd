// The weekly Torah section of every Shabbat, by year type, for Israel and
// the Diaspora.
#pragma once

#include <cstdint>

#include "calendar/rules.h"
#include "calendar/types.h"

// Year type 0..13 of a Hebrew year, or kNoYearType.
constexpr int kNoYearType = 1000;
int TorahGetYearType(int year);
// Shabbat Bereshith: the first Saturday on or after 23 Tishri of `year`.
AbsoluteDay DetermineBereshith(int year);
// The three section codes of a Saturday (1000 for an empty slot).
struct ShabbatSections {
  int32_t c1 = 1000;
  int32_t c2 = 1000;
  int32_t c3 = 1000;
};
// True, with the day's codes, when d is a Saturday of a known year type;
// false otherwise (out is then left unchanged).
bool GetTorahSectionShabbat(AbsoluteDay d, const CalendarRules& rules, ShabbatSections* out);
