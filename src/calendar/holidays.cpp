#include "calendar/holidays.h"

#include <array>

#include "calendar/calendar.h"
#include "calendar/holiday_table.h"
#include "base/settings.h"
#include "base/translate.h"

using calendar::detail::HolidayRow;
using calendar::detail::HolidayRule;
using calendar::detail::kHolidayTable;

static_assert(kJewishHolidayCount == calendar::detail::kHolidayRows);

namespace {

// The two settings a holiday date depends on.
struct HolidayFlags {
  bool diaspora;
  bool postponeShushanPurim;
};

HolidayFlags CurrentFlags() { return {diasporaGetFlag() != 0, postponeShushanPurimGetFlag() != 0}; }

bool ValidId(int id) { return id >= 0 && id < kJewishHolidayCount; }

constexpr HebrewDate kNoDate{0, 0, 0};

// Adar II in a leap year, Adar otherwise: the month of Purim.
int PurimMonth(int year) { return Hebrew_Leap_Year(year) ? kAdarII : kAdar; }

// `date` shifted by `days` on the absolute day line.
HebrewDate Shifted(const HebrewDate& date, int days) { return HebrewFromAbsolute(AbsoluteFromHebrew(date) + days); }

// The weekday-dependent rules convert the base date to an absolute day,
// move that day and convert back.
HebrewDate Moved(int day, int month, int year, int (*shift)(int weekday, int year)) {
  const AbsoluteDay base = AbsoluteFromHebrew(day, month, year);
  const int delta = shift(WeekdayOf(base), year);
  return delta == 0 ? HebrewDate{day, month, year} : HebrewFromAbsolute(base + delta);
}

// A fast that falls on Shabbat is kept on the Sunday.
int FastOffShabbat(int weekday, int) { return weekday == kShabbat ? 1 : 0; }

// Yom HaShoa: off Friday (and Shabbat) back to Thursday; from 5757 a Sunday
// date moves on to Monday.
int YomHaShoaShift(int weekday, int year) {
  if (weekday == kShabbat) return -2;
  if (weekday == kFriday) return -1;
  if (year > 5756 && weekday == kSunday) return 1;
  return 0;
}

// Yom HaAtsmaut: off Shabbat and Friday back to Thursday; from 5764 a Monday
// date moves on to Tuesday.
int YomHaAtsmautShift(int weekday, int year) {
  if (weekday == kShabbat) return -2;
  if (weekday == kFriday) return -1;
  if (year > 5763 && weekday == kMonday) return 1;
  return 0;
}

// Yom HaZikaron, the eve of Yom HaAtsmaut: off Friday and Thursday back to
// Wednesday; from 5764 a Sunday date moves on to Monday.
int YomHaZikaronShift(int weekday, int year) {
  if (weekday == kFriday) return -2;
  if (weekday == kThursday) return -1;
  if (year > 5763 && weekday == kSunday) return 1;
  return 0;
}

HebrewDate TaanitEster(int year) {
  const HebrewDate purim{14, PurimMonth(year), year};
  // A Sunday Purim puts the fast on Thursday: never on Shabbat or Friday.
  const int back = WeekdayOf(AbsoluteFromHebrew(purim)) == kSunday ? 3 : 1;
  return Shifted(purim, -back);
}

HebrewDate ShabbatHaGadol(int year) {
  AbsoluteDay d = AbsoluteFromHebrew(15, kNisan, year) - 1;
  while (WeekdayOf(d) != kShabbat) --d;
  return HebrewFromAbsolute(d);
}

HebrewDate KhanukkaDay(int dayOfKislev, int year) {
  const int kislevDays = Last_Day_Of_Hebrew_Month(kKislev, year);
  if (dayOfKislev <= kislevDays) return {dayOfKislev, kKislev, year};
  return {dayOfKislev - kislevDays, kTevet, year};
}

HebrewDate ComputeDate(const HolidayRow& row, int year, const HolidayFlags& flags) {
  const int day = row.day;
  const int month = row.month;
  switch (row.rule) {
    case HolidayRule::kFixed:
      return {day, month, year};
    case HolidayRule::kDiasporaOnly:
      return flags.diaspora ? HebrewDate{day, month, year} : kNoDate;
    case HolidayRule::kIsraelDiaspora:
      return {flags.diaspora ? row.diasporaDay : day, month, year};
    case HolidayRule::kKhanukka:
      return KhanukkaDay(day, year);
    case HolidayRule::kAdarLast:
      return {day, PurimMonth(year), year};
    case HolidayRule::kAdarFirst:
      // In a common year month 13 does not exist, so this date matches no day.
      return {day, Hebrew_Leap_Year(year) ? kAdar : kAdarII, year};
    case HolidayRule::kTaanitEster:
      return TaanitEster(year);
    case HolidayRule::kFastOffShabbat:
      return Moved(day, month, year, FastOffShabbat);
    case HolidayRule::kShushanPurim:
      if (!flags.postponeShushanPurim) return {day, PurimMonth(year), year};
      return Moved(day, PurimMonth(year), year, FastOffShabbat);
    case HolidayRule::kYomHaShoa:
      return Moved(day, month, year, YomHaShoaShift);
    case HolidayRule::kYomHaAtsmaut:
      return Moved(day, month, year, YomHaAtsmautShift);
    case HolidayRule::kYomHaZikaron:
      return Moved(day, month, year, YomHaZikaronShift);
    case HolidayRule::kShabbatHaGadol:
      return ShabbatHaGadol(year);
  }
  return kNoDate;
}

// The dates of one year under one pair of settings. The month view and the
// dump ask for the same year many times in a row, so the last year computed
// for each combination of settings is kept; the result is exactly what
// ComputeDate gives.
struct YearDates {
  int year = 0;
  bool valid = false;
  std::array<HebrewDate, kJewishHolidayCount> dates{};
};

const std::array<HebrewDate, kJewishHolidayCount>& DatesOfYear(int year, const HolidayFlags& flags) {
  thread_local std::array<YearDates, 4> cache{};
  YearDates& slot = cache[(flags.diaspora ? 2 : 0) + (flags.postponeShushanPurim ? 1 : 0)];
  if (!slot.valid || slot.year != year) {
    for (int id = 0; id < kJewishHolidayCount; ++id)
      slot.dates[static_cast<size_t>(id)] = ComputeDate(kHolidayTable[static_cast<size_t>(id)], year, flags);
    slot.year = year;
    slot.valid = true;
  }
  return slot.dates;
}

}  // namespace

int GetJewishHolidayCount() { return kJewishHolidayCount; }

std::string GetJewishHolidayName(int id) {
  if (!ValidId(id)) return {};
  const HolidayRow& row = kHolidayTable[static_cast<size_t>(id)];
  return translate_perform(diasporaGetFlag() ? row.diasporaName : row.israelName);
}

void GetJewishHolidayDate(int id, int year, HebrewDate* out) {
  if (!ValidId(id) || out == nullptr) return;
  *out = DatesOfYear(year, CurrentFlags())[static_cast<size_t>(id)];
}

HebrewDate GetJewishHolidayDate(int id, int year) {
  HebrewDate date = kNoDate;
  GetJewishHolidayDate(id, year, &date);
  return date;
}

int GetJewishHolidayFirstYear(int id) {
  if (!ValidId(id)) return 0;
  return kHolidayTable[static_cast<size_t>(id)].firstYear;
}

std::string namesHolHamoedPesach() { return translate_perform("Khol HaMoed"); }

std::string namesHolHamoedSukkot() { return namesHolHamoedPesach(); }

std::string GetSpecialDay(AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  const HebrewDate h = HebrewFromAbsolute(d);
  const auto& dates = DatesOfYear(h.year, CurrentFlags());
  std::string text;
  // When several holidays share the day the highest id names it (Erev Pesakh
  // rather than Shabbat HaGadol on a Shabbat 14 Nisan).
  for (int id = kJewishHolidayCount - 1; id >= 0; --id) {
    const int firstYear = GetJewishHolidayFirstYear(id);
    if (firstYear != 0 && firstYear > g.year) continue;
    const HebrewDate& date = dates[static_cast<size_t>(id)];
    if (date.day != 0 && date == h) {
      text = GetJewishHolidayName(id);
      break;
    }
  }
  if (h.day == 1 && h.month == kTishri) return text;
  if (h.day == 30 || h.day == 1) {
    if (!text.empty()) text += ", ";
    text += "Rosh Khodesh";
  }
  return text;
}
