// Dates as the lumaro-cli reports write them, in the interface language.
#pragma once

#include <ctime>
#include <string>

#include "calendar/types.h"

namespace cli {

// "Thursday, 2 April 2026".
std::string GregorianDateText(AbsoluteDay day);
// "15 Nisan 5786"; with Hebrew numerals "ט״ו ניסן תשפ״ו".
std::string HebrewDateText(AbsoluteDay day, bool hebrewNumerals);
// The day of the local calendar at `now`.
AbsoluteDay LocalDay(std::time_t now);
// The time the commands take as now: the clock, or the instant set for a test.
std::time_t Now();
// Makes Now() return `now` (0: the clock again).
void SetNowForTesting(std::time_t now);

}  // namespace cli
