#include "compose/day_info.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "calendar/torah_sections.h"
#include "base/choices.h"
#include "base/translate.h"
#include "base/text_format.h"

namespace {

std::string RoshKhodeshLine(const HebrewDate& h, int language) {
  const bool english = language == kLanguageEnglish;
  switch (GetRoshKhodeshType(h)) {
    case 1: return english ? "1st Rosh Khodesh" : translate_perform("1st day of Rosh Khodesh");
    case 2: return english ? "2nd Rosh Khodesh" : translate_perform("2nd day of Rosh Khodesh");
    case 0: return translate_perform("Rosh Khodesh");
    default: return {};
  }
}

// The first holiday (lowest id) of the day.
std::string HolidayLine(AbsoluteDay d, const HebrewDate& h, const CalendarRules& rules) {
  const DayFestivals festivals = FestivalsOn(d, h, rules);
  if (festivals.empty()) return {};
  return TranslatedFestivalName(*festivals.begin(), rules);
}

}  // namespace

DayInformation PaintInternal_GetDayInformation(AbsoluteDay d, const CalendarRules& rules, int language) {
  const HebrewDate h = HebrewFromAbsolute(d);
  DayInformation info;
  if (const int omer = GetOmerCount(d); omer > 0) info.omer = FormatInt(translate_perform("%d L'Omer"), omer);
  info.roshKhodesh = RoshKhodeshLine(h, language);
  info.holiday = HolidayLine(d, h, rules);

  ShabbatSections s;
  if (GetTorahSectionShabbat(d, rules, &s)) {
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
  if (d == ShabbatShuvaOf(h.year)) info.specialShabbat = GetJewishShabbatSectionName(66);
  return info;
}
