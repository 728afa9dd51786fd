// The readings list of the day report.
#pragma once

#include <string>

#include "calendar/rules.h"
#include "calendar/types.h"

// The readings list, already translated: the heading "Readings for D.M.Y:"
// with the Gregorian date (with Hebrew numerals on, "Readings for D.M.Y
// (<Hebrew date>):"), then each non-empty text of the day's readings on
// its own line, in the custom of `style`. Empty when the day has no readings.
std::string BuildReadingsList(AbsoluteDay d, const CalendarRules& rules, int style, bool hebrewNumerals);
