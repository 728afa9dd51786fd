#include "calendar/torah_sections.h"

#include "calendar/calendar.h"
#include "calendar/torah_section_tables.h"

using calendar::detail::ParashiothDiaspora;
using calendar::detail::ParashiothIsrael;
using calendar::detail::SectionList;
using calendar::detail::ShabbatEntry;
using calendar::detail::YearTypes;

namespace {

int ComputeYearType(int year) {
  const AbsoluteDay newYear = AbsoluteFromHebrew(1, kTishri, year);
  const int64_t days = AbsoluteFromHebrew(1, kTishri, year + 1) - newYear;
  const int64_t pesakhWeekday = WeekdayOf(AbsoluteFromHebrew(15, kNisan, year));
  for (int t = 0; t < calendar::detail::kYearTypeCount; ++t) {
    const auto& row = YearTypes[static_cast<size_t>(t)];
    if (row.newYearWeekday == WeekdayOf(newYear) && row.days == days && row.pesakhWeekday == pesakhWeekday) return t;
  }
  return kNoYearType;
}

AbsoluteDay ComputeBereshith(int year) {
  AbsoluteDay d = AbsoluteFromHebrew(23, kTishri, year);
  while (WeekdayOf(d) != kShabbat) ++d;
  return d;
}

// The Torah year of a Hebrew year: its type and Shabbat Bereshith. Both
// depend on the year alone; the last few years asked for are kept.
struct TorahYear {
  bool valid = false;
  int year = 0;
  int type = kNoYearType;
  AbsoluteDay bereshith = 0;
};

const TorahYear& TorahYearOf(int year) {
  thread_local TorahYear cache[2];
  TorahYear& slot = cache[static_cast<unsigned>(year) & 1u];
  if (!slot.valid || slot.year != year) slot = {true, year, ComputeYearType(year), ComputeBereshith(year)};
  return slot;
}

}  // namespace

int TorahGetYearType(int year) { return TorahYearOf(year).type; }

AbsoluteDay DetermineBereshith(int year) { return TorahYearOf(year).bereshith; }

bool GetTorahSectionShabbat(AbsoluteDay d, const CalendarRules& rules, ShabbatSections* out) {
  if (WeekdayOf(d) != kShabbat) return false;
  // The Shabbatot of Tishri before Shabbat Bereshith close the previous
  // year's list.
  const int hebrewYear = HebrewFromAbsolute(d).year;
  const TorahYear* ty = &TorahYearOf(hebrewYear);
  if (d < ty->bereshith) ty = &TorahYearOf(hebrewYear - 1);
  if (ty->type == kNoYearType) return false;

  const SectionList& list = (rules.diaspora ? ParashiothDiaspora : ParashiothIsrael)[static_cast<size_t>(ty->type)];
  const auto week = static_cast<size_t>((d - ty->bereshith) / 7);
  // Every list is as long as its year has Shabbatot; the check only guards
  // against reading past a list.
  if (week >= list.count) return false;
  const ShabbatEntry& e = list.entries[week];
  if (out) *out = ShabbatSections{e.c1, e.c2, e.c3};
  return true;
}

