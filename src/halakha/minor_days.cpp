#include "halakha/minor_days.h"

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "halakha/takhanun.h"

namespace halakha {

namespace {

// The first Shabbat of Iyar or Heshvan after its Rosh Khodesh, or 0 when d
// is in neither month.
AbsoluteDay BehabShabbatOf(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  if (h.month != kIyar && h.month != kHeshvan) return 0;
  return SaturdayOnOrAfter(AbsoluteFromHebrew(2, h.month, h.year));
}

bool MondayOrThursday(AbsoluteDay d) { return WeekdayOf(d) == kMonday || WeekdayOf(d) == kThursday; }

}  // namespace

bool IsBehabShabbat(AbsoluteDay d) { return d == BehabShabbatOf(d); }

bool IsBehab(AbsoluteDay d, const CalendarRules& r) {
  if (!MondayOrThursday(d)) return false;
  // The Shabbat is at most 23 days back (the last day moved twice).
  for (AbsoluteDay shabbat = d - 1; shabbat >= d - 23; --shabbat) {
    if (shabbat != BehabShabbatOf(shabbat)) continue;
    int slot = 0;        // Monday, Thursday, Monday
    bool moved = false;  // the slot's day had no Takhanun: the next Monday or Thursday takes it
    for (AbsoluteDay x = shabbat + 2; x <= d; ++x) {
      if (!MondayOrThursday(x)) continue;
      const int weekday = slot == 1 ? kThursday : kMonday;
      if (!moved && WeekdayOf(x) != weekday) continue;
      if (takhanun_free(x, r) || FestivalsOn(x, r).Contains(Festival::kPesakhSheni)) {
        moved = true;
        continue;
      }
      if (x == d) return true;
      moved = false;
      if (++slot == 3) break;
    }
    return false;
  }
  return false;
}

std::vector<MinorDay> MinorDatesOn(AbsoluteDay d, const CalendarRules& r) {
  std::vector<MinorDay> days;
  if (IsYomKippurKatan(d)) days.push_back(MinorDay::kYomKippurKatan);
  if (IsBehab(d, r)) days.push_back(MinorDay::kBehab);
  if (d == TaanitBekhorotDay(HebrewFromAbsolute(d).year)) days.push_back(MinorDay::kTaanitBekhorot);
  if (IsBirkatHaChama(d)) days.push_back(MinorDay::kBirkatHaChama);
  if (FestivalsOn(d, r).Contains(Festival::kPurimKatan)) days.push_back(MinorDay::kPurimKatan);
  if (IsLeilSelikhot(d)) days.push_back(MinorDay::kLeilSelikhot);
  if (IsShabbatMevarkhim(d)) days.push_back(MinorDay::kShabbatMevarkhim);
  return days;
}

}  // namespace halakha
