// The information lines of one day cell, translated into the interface
// language: Omer, Rosh Khodesh, holiday, Torah section(s), special Shabbat.
#pragma once

#include <string>

#include "calendar/rules.h"
#include "calendar/types.h"

struct DayInformation {
  std::string omer;
  std::string roshKhodesh;
  std::string holiday;
  std::string torahSection;
  std::string specialShabbat;
};

// Lines that a day has nothing for are empty. `language` is the interface
// language (English writes the Rosh Khodesh day shorter).
DayInformation PaintInternal_GetDayInformation(AbsoluteDay d, const CalendarRules& rules, int language);
