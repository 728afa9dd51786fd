// The holidays by id (0..55): the names and dates of the festival table as
// the rest of the program asks for them, under the rules passed in.
#pragma once

#include <string>

#include "calendar/festival_table.h"
#include "calendar/rules.h"
#include "calendar/types.h"

// Number of holiday ids (0..55).
constexpr int kJewishHolidayCount = 56;
int GetJewishHolidayCount();

// Translated display name of a festival where it is kept under the rules.
std::string TranslatedFestivalName(Festival f, const CalendarRules& rules);
// Translated display name of holiday `id`; empty for an id outside 0..55.
std::string GetJewishHolidayName(int id, const CalendarRules& rules);
// Date of holiday `id` in Hebrew year `year`, or {0, 0, 0} when it does not
// occur under the rules. Callers compare all three fields with the Hebrew
// date of a day (the Purim Katan rule in a common year yields a date no day
// has). For an id outside 0..55 `out` is left unchanged.
HebrewDate GetJewishHolidayDate(int id, int year, const CalendarRules& rules);
// First Gregorian year in which the holiday is shown, or 0 for always.
int GetJewishHolidayFirstYear(int id);
// Holiday text of one day: the name of the highest-id holiday on it, and
// ", Rosh Khodesh" (untranslated) on day 30 or 1 except 1 Tishri.
std::string GetSpecialDay(AbsoluteDay d, const CalendarRules& rules);
std::string GetSpecialDay(AbsoluteDay d, const HebrewDate& h, const CalendarRules& rules);
