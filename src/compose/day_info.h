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

// Lines that a day has nothing for are empty. Without rules, the settings
// decide Israel or the Diaspora.
DayInformation PaintInternal_GetDayInformation(AbsoluteDay d, const CalendarRules& rules);
DayInformation PaintInternal_GetDayInformation(AbsoluteDay d);
