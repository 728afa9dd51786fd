// The fixed list of holidays, fasts and special days: ids 0..55, their
// names (which may differ between Israel and the Diaspora) and their dates
// in a Hebrew year. Reads the settings "Diaspora" and "PostponeShushanPurim"
// at every call.
#pragma once

#include <string>

#include "calendar/types.h"

// Number of holiday ids (0..55).
constexpr int kJewishHolidayCount = 56;
int GetJewishHolidayCount();

// Translated display name of holiday `id`; empty for an id outside 0..55.
std::string GetJewishHolidayName(int id);
// Date of holiday `id` in Hebrew year `year`, or {0, 0, 0} when it does not
// occur under the current Israel/Diaspora setting. Callers compare all three
// fields with the Hebrew date of a day (the Purim Katan rule in a common year
// yields a date no day has). For an id outside 0..55 `out` is left unchanged.
void GetJewishHolidayDate(int id, int year, HebrewDate* out);
HebrewDate GetJewishHolidayDate(int id, int year);
// First Gregorian year in which the holiday is shown, or 0 for always.
int GetJewishHolidayFirstYear(int id);
// The translated "Khol HaMoed".
std::string namesHolHamoedPesach();
std::string namesHolHamoedSukkot();
// Holiday text of one day: the name of the highest-id holiday on it, and
// ", Rosh Khodesh" (untranslated) on day 30 or 1 except 1 Tishri.
std::string GetSpecialDay(AbsoluteDay d);
