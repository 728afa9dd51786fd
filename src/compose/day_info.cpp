#include "compose/day_info.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "calendar/torah_sections.h"
#include "base/settings.h"
#include "base/translate.h"
#include "base/text_format.h"

namespace {

std::string RoshKhodeshLine(AbsoluteDay d) {
  const bool english = getLanguage() == kLanguageEnglish;
  switch (GetRoshHodeshType(d)) {
    case 1: return english ? "1st Rosh Khodesh" : translate_perform("1st day of Rosh Khodesh");
    case 2: return english ? "2nd Rosh Khodesh" : translate_perform("2nd day of Rosh Khodesh");
    case 0: return translate_perform("Rosh Khodesh");
    default: return {};
  }
}

// The first holiday (lowest id) shown in this year whose date is the day.
std::string HolidayLine(const HebrewDate& h, const GregorianDate& g) {
  for (int id = 0; id < GetJewishHolidayCount(); ++id) {
    const int firstYear = GetJewishHolidayFirstYear(id);
    if (firstYear != 0 && firstYear > g.year) continue;
    const HebrewDate date = GetJewishHolidayDate(id, h.year);
    if (date.day != 0 && date == h) return GetJewishHolidayName(id);
  }
  return {};
}

// Shabbat Shuva: the first Saturday after 1 Tishri. No Shabbat list carries
// its code, so it is named here.
bool IsShabbatShuva(AbsoluteDay d, const HebrewDate& h) {
  if (WeekdayOf(d) != kShabbat || h.month != kTishri) return false;
  const AbsoluteDay newYear = AbsoluteFromHebrew(1, kTishri, h.year);
  return d > newYear && d <= newYear + 7;
}

}  // namespace

DayInformation PaintInternal_GetDayInformation(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  const GregorianDate g = GregorianFromAbsolute(d);
  DayInformation info;
  if (const int omer = GetOmerCount(d); omer > 0) info.omer = FormatInt(translate_perform("%d L'Omer"), omer);
  info.roshKhodesh = RoshKhodeshLine(d);
  info.holiday = HolidayLine(h, g);

  ShabbatSections s;
  if (GetTorahSectionShabbat(d, &s)) {
    for (int code : {s.c1, s.c2, s.c3}) {
      const std::string section = GetJewishTorahSectionName(code);
      if (!section.empty()) {
        if (!info.torahSection.empty()) info.torahSection += ", ";
        info.torahSection += section;
      }
      const std::string special = GetJewishShabbatSectionName(code);
      if (!special.empty()) info.specialShabbat = special;
    }
  }
  if (IsShabbatShuva(d, h)) info.specialShabbat = GetJewishShabbatSectionName(66);
  return info;
}
