// The festivals of a Hebrew year and of a day, from the festival table, and
// the few days of the year that are not rows of it: Rosh Khodesh, the eight
// days of Khanukka as one span, and Shabbat Shuva. Every other part of the
// program asks here instead of knowing a date itself.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "calendar/festival_table.h"
#include "calendar/rules.h"
#include "calendar/types.h"

// The date of festival f in Hebrew year `year` where it is kept under
// `rules`, or {0, 0, 0} when it is not kept there. The Purim Katan rule in a
// common year gives month 13, a date that no day has.
HebrewDate FestivalDate(Festival f, int year, const CalendarRules& rules);
// The Israel or Diaspora column of the festival's row.
const FestivalFacts& FestivalFactsOf(Festival f, const CalendarRules& rules);
// First Gregorian year in which the festival is shown, or 0 for always.
int FestivalFirstYear(Festival f);

// The day a halakha key stands for in Hebrew year `year`: where the date
// rule puts it in the calendar, the same in Israel and the Diaspora.
AbsoluteDay FestivalDay(Festival f, int year);
// The festival of a halakha key such as "PESAKH_I", matched without regard
// to letter case ("SHMINI_ATSERES_I" is a second spelling of
// "SHEMINI_ATSERES_I"); nothing for an unknown key.
std::optional<Festival> FestivalByKey(std::string_view key);

// The festivals kept on one day under a set of rules, in id order, each
// from its first year on. A day has at most a few.
class DayFestivals {
 public:
  const Festival* begin() const { return ids_.data(); }
  const Festival* end() const { return ids_.data() + count_; }
  bool empty() const { return count_ == 0; }
  bool Contains(Festival f) const;
  void Add(Festival f);

 private:
  std::array<Festival, 8> ids_{};
  size_t count_ = 0;
};
DayFestivals FestivalsOn(AbsoluteDay d, const CalendarRules& rules);
// The same for a day whose Hebrew date is already known.
DayFestivals FestivalsOn(AbsoluteDay d, const HebrewDate& h, const CalendarRules& rules);

// A festival day on which work is forbidden (a yom tov): Rosh HaShana, Yom
// Kippur and the festival days of the festival table, the second days in
// the Diaspora.
bool IsFestivalDay(AbsoluteDay d, const CalendarRules& rules);

// Rosh Khodesh: day 30 of any month, or day 1 of any month but Tishri.
constexpr bool IsRoshKhodeshDate(const HebrewDate& h) { return h.day == 30 || (h.day == 1 && h.month != kTishri); }

// The eight days of Khanukka in one Hebrew year: 25 Kislev and the seven
// days after it, into Tevet.
struct KhanukkaDays {
  AbsoluteDay first;  // 25 Kislev
  AbsoluteDay last;   // the eighth day, 2 or 3 Tevet
  bool Contains(AbsoluteDay d) const { return first <= d && d <= last; }
  // Day 1..8 of Khanukka, or 0.
  int DayOf(AbsoluteDay d) const { return Contains(d) ? static_cast<int>(d - first) + 1 : 0; }
};
KhanukkaDays KhanukkaOf(int year);

// Shabbat Shuva: the first Saturday after 1 Tishri of `year`.
AbsoluteDay ShabbatShuvaOf(int year);
// The first Saturday on or after d.
constexpr AbsoluteDay SaturdayOnOrAfter(AbsoluteDay d) { return d + (kShabbat - WeekdayOf(d) + 7) % 7; }
