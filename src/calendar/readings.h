// The Torah and Haftarah readings of a day, for Israel or the Diaspora as the
// rules passed in say. Saturdays follow the weekly section schedule with the
// rules of readings.cpp (Khol HaMoed, Khanukka, Rosh Khodesh, the special
// Shabbatot, Shabbat Shuva, the three weeks); other days follow the holiday
// table. The texts are English; the day report translates them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calendar/rules.h"
#include "calendar/types.h"

// Up to three Torah readings and three Haftarot, printed in this order, each
// non-empty text on its own line (at most 255 bytes each).
struct ReadingsRec {
  std::array<std::string, 3> torah;
  std::array<std::string, 3> haftarah;
};

// The codes of a Shabbat as the readings were resolved (after the Khol
// HaMoed, Khanukka and Rosh Khodesh rules; 1000 for an empty slot).
struct ReadingsIds {
  bool found = false;  // the day is a Saturday with a known year type
  int32_t c1 = 1000;
  int32_t c2 = 1000;
  int32_t c3 = 1000;
};

// Fills `rec` (cleared first) for a Hebrew date. True for a Saturday of a
// known year type, false for other days (holidays and weekdays). `style` is
// kStyleSephardic or anything else for the Ashkenazi readings (the Khanukka
// weekdays differ).
bool ParashGetReadings(int day, int month, int year, const CalendarRules& rules, ReadingsRec* rec, int style);
// The same; when `ids` is given and the day is such a Saturday, it also gets
// the three codes of the Shabbat. `rec` may be null.
bool ParashGetReadingsWithIDs(int day, int month, int year, const CalendarRules& rules, ReadingsRec* rec,
                              ReadingsIds* ids, int style);

// Torah or Haftarah text of a reading code. In Israel the Israel table is
// tried first and the Diaspora one when that has no text. "(none)" and
// unknown codes give the empty string.
std::string GetTorahReading(const CalendarRules& rules, int code);
std::string GetHaftarahReading(const CalendarRules& rules, int code);
