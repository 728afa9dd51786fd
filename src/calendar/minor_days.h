// The days and moments a luach marks beyond the festivals: Yom Kippur Katan,
// BeHaB, Taanit Bekhorot, the window of Kiddush Levana, the tekufot of
// Shmuel, Birkat HaChama, and three days the program already knew (Purim
// Katan, the night Selikhot begin, the Shabbat the month is blessed). The
// table names each; the rules here are those that need nothing but the
// calendar (BeHaB, which avoids days without Takhanun, is dated in the
// halakha layer; the moments become a city's dates and times in suntimes).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "calendar/molad.h"
#include "calendar/types.h"

enum class MinorDay : uint8_t {
  kYomKippurKatan,
  kBehab,
  kTaanitBekhorot,
  kKiddushLevanaBegins,
  kKiddushLevanaEnds,
  kTekufa,
  kBirkatHaChama,
  kPurimKatan,
  kLeilSelikhot,
  kShabbatMevarkhim,
};

struct MinorDayRow {
  MinorDay day;
  std::string_view name;    // its kind in lumaro-cli's output and in iCalendar UIDs
  std::string_view title;   // the English name (a translation key); a moment's is its time's label
  std::string_view report;  // the day line of the day report (a translation key), or empty for none
};

inline constexpr MinorDayRow kMinorDays[] = {
    {MinorDay::kYomKippurKatan, "yom-kippur-katan", "Yom Kippur Katan", "Yom Kippur Katan"},
    {MinorDay::kBehab, "behab", "BeHaB", "BeHaB"},
    {MinorDay::kTaanitBekhorot, "taanit-bekhorot", "Taanit Bekhorot", "Taanit Bekhorot (a siyum is customary)"},
    {MinorDay::kKiddushLevanaBegins, "kiddush-levana-begins", "Kiddush Levana begins", ""},
    {MinorDay::kKiddushLevanaEnds, "kiddush-levana-ends", "Kiddush Levana ends", ""},
    {MinorDay::kTekufa, "tekufa", "Tekufa", ""},
    {MinorDay::kBirkatHaChama, "birkat-hachama", "Birkat HaChama", "Birkat HaChama"},
    {MinorDay::kPurimKatan, "purim-katan", "Purim Katan", ""},
    {MinorDay::kLeilSelikhot, "leil-selikhot", "Leil Selikhot", ""},
    {MinorDay::kShabbatMevarkhim, "shabbat-mevarkhim", "Shabbat Mevarkhim", ""},
};
constexpr const MinorDayRow& MinorDayOf(MinorDay day) {
  for (const MinorDayRow& row : kMinorDays)
    if (row.day == day) return row;
  return kMinorDays[0];  // every day has its row
}

// Yom Kippur Katan: the day before Rosh Khodesh (before its first day when
// it has two), on the Thursday before when that day is a Friday or a
// Shabbat; none before Rosh Khodesh of Tishri, Heshvan, Tevet or Iyar.
bool IsYomKippurKatan(AbsoluteDay d);
// Taanit Bekhorot of Hebrew year `year`: the eve of Pesakh, or the Thursday
// before when the eve is a Shabbat.
AbsoluteDay TaanitBekhorotDay(int year);
// The Saturday whose night begins the Ashkenazi Selikhot: the last one that
// leaves at least four days of Selikhot before Rosh HaShana (19..25 Elul).
bool IsLeilSelikhot(AbsoluteDay d);
// The Shabbat on which the coming month is blessed: the last Shabbat of a
// month (days 23..29) other than Elul.
bool IsShabbatMevarkhim(AbsoluteDay d);
// Birkat HaChama: the Wednesday that begins at the tekufa of Nisan of the
// first year of the 28-year cycle of the sun.
bool IsBirkatHaChama(AbsoluteDay d);

// ---- Moments -----------------------------------------------------------------
// Moments are seconds since 1970-01-01 00:00 UTC. The tekufot are reckoned,
// like the molad (calendar/molad.h), in Jerusalem mean solar time.

// The time in which Kiddush Levana is said after the molad of a month: from
// 3 days after it (Ashkenazi) or 7 (Sephardic) until half a lunar month after
// it (14 days 18 hours 22 minutes and 1 part; Ashkenazi) or 15 days
// (Sephardic). `style` is 1 Sephardic, 2 Ashkenazi.
struct MoonWindow {
  int64_t begins;
  int64_t ends;
};
MoonWindow KiddushLevanaWindow(int month, int year, int style);

// The tekufot of Shmuel: four seasons of 91 days 7 1/2 hours each; the
// tekufa of Nisan of the first year of every 28-year cycle falls at the
// start of Wednesday (18:00 on Tuesday), as on 7 April 2009.
enum class Season : uint8_t { kNisan, kTammuz, kTishri, kTevet };
struct Tekufa {
  Season season;
  int64_t moment;
  bool cycleStart;  // the tekufa of Nisan that begins a 28-year cycle
};
// The tekufot from `first` up to, not including, `last`.
std::vector<Tekufa> TekufotBetween(int64_t first, int64_t last);
// The day of the tekufa of `season` in Gregorian year `year`, as Jerusalem
// counts days: one at 18:00 or later belongs to the next day.
AbsoluteDay TekufaDay(Season season, int year);
// "Tekufat Nisan", "Tekufat Tammuz", "Tekufat Tishri", "Tekufat Tevet".
std::string_view TekufaName(Season season);

// What the day report needs of the place: the evenings (their civil dates)
// on which the month's Kiddush Levana is said there, the first and the last
// (0 when not known), and the tekufa that falls on the day there.
struct PlaceMoments {
  AbsoluteDay moonFirst = 0;
  AbsoluteDay moonLast = 0;
  std::optional<Season> tekufa;
};

// Seconds since 1970 of midnight UTC that begins the day.
constexpr int64_t UtcMidnight(AbsoluteDay d) { return (d - 719163) * 86400; }
// The day (by UTC) of a moment.
constexpr AbsoluteDay UtcDayOf(int64_t moment) { return 719163 + moment / 86400 - (moment % 86400 < 0 ? 1 : 0); }
