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
  // The fasts fall within two and a half weeks of the Shabbat, in its month.
  const AbsoluteDay shabbat = BehabShabbatOf(d);
  if (shabbat == 0 || d < shabbat) return false;
  int slot = 0;        // Monday, Thursday, Monday
  bool moved = false;  // the slot's day had no Takhanun: the next Monday or Thursday takes it
  for (AbsoluteDay x = shabbat + 2; x <= d && slot < 3; ++x) {
    if (!MondayOrThursday(x)) continue;
    if (!moved && WeekdayOf(x) != (slot == 1 ? kThursday : kMonday)) continue;
    if (takhanun_free(x, r) || FestivalsOn(x, r).Contains(Festival::kPesakhSheni)) {
      moved = true;
      continue;
    }
    if (x == d) return true;
    moved = false;
    ++slot;
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
