// The Torah and Haftarah readings of a day, for Israel or the Diaspora (the
// rules passed in, or the "Diaspora" setting for the forms without them). Saturdays follow the weekly
// section schedule with the additions for Rosh Khodesh, Khanukka, the special
// Shabbatot and Shabbat Shuva; other days follow the holiday table. The texts
// are English; the day report translates them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/rules.h"
#include "calendar/types.h"

// One Torah reading and the Haftarah substitution bits it carries.
struct ReadingsTorahEntry {
  std::string text;  // at most 255 bytes; empty when unused
  int32_t flags = 0;
};

// Up to three Torah readings and three Haftarot, printed in this order, each
// non-empty text on its own line.
struct ReadingsRec {
  std::array<ReadingsTorahEntry, 3> torah;
  std::array<std::string, 3> haphtarah;
};

// The codes of a Shabbat as the readings were resolved (after the Khol
// HaMoed, Khanukka and Rosh Khodesh adjustments; 1000 for an empty slot).
struct ReadingsIds {
  int32_t found = 0;  // 1 when the day is a Saturday with a known year type
  int32_t c1 = 1000;
  int32_t c2 = 1000;
  int32_t c3 = 1000;
};

// Fills `rec` (cleared first) for a Hebrew date. Returns 1 for a Saturday of
// a known year type, else 0 (holidays and weekdays).
int ParashGetReadings(int day, int month, int year, ReadingsRec* rec);
// The same; when `ids` is given and the day is such a Saturday, it also gets
// 1 and the three codes of the Shabbat.
int ParashGetReadingsWithIDs(int day, int month, int year, ReadingsRec* rec, ReadingsIds* ids);
int ParashGetReadingsWithIDs(int day, int month, int year, const CalendarRules& rules, ReadingsRec* rec,
                             ReadingsIds* ids);

// Torah or Haftarah text of a reading code. With diaspora == 0 the Israel
// table is tried first and the Diaspora one when that has no text. "(none)"
// and unknown codes give the empty string.
std::string GetTorahReading(int diaspora, int code);
std::string GetHaphtarahReading(int diaspora, int code);

// Number bases of MyLoadString: the Torah text of code c is number c + 1,
// its Haftarah number c + 2000 (the same for every code).
int GetTorahBase(int code);
int GetHaphtarahBase(int code);
// Numbers 1..1000 give the Torah text of code number - 1, numbers 2000..3000
// the Haftarah text of code number - 2000, for the current Diaspora setting;
// other numbers give the empty string. The first argument is not used.
std::string MyLoadString(const void* unused, int number);

// Puts `text` into Torah entry 1 when that is empty, else into entry 3 when
// entry 2 is taken, else into entry 2, and ORs `bits` into that entry's flags.
void AddParsha(ReadingsRec* rec, std::string_view text, int32_t bits);
