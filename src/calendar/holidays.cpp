#include "calendar/holidays.h"

#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"

static_assert(kJewishHolidayCount == kFestivalCount);

namespace {

bool ValidId(int id) { return id >= 0 && id < kJewishHolidayCount; }

}  // namespace

int GetJewishHolidayCount() { return kJewishHolidayCount; }

std::string TranslatedFestivalName(Festival f, const CalendarRules& rules) {
  return translate_perform(FestivalFactsOf(f, rules).name);
}

std::string GetJewishHolidayName(int id, const CalendarRules& rules) {
  if (!ValidId(id)) return {};
  return TranslatedFestivalName(FestivalOfId(id), rules);
}

HebrewDate GetJewishHolidayDate(int id, int year, const CalendarRules& rules) {
  if (!ValidId(id)) return HebrewDate{0, 0, 0};
  return FestivalDate(FestivalOfId(id), year, rules);
}

int GetJewishHolidayFirstYear(int id) { return ValidId(id) ? FestivalFirstYear(FestivalOfId(id)) : 0; }


std::string GetSpecialDay(AbsoluteDay d, const CalendarRules& rules) {
  return GetSpecialDay(d, HebrewFromAbsolute(d), rules);
}

std::string GetSpecialDay(AbsoluteDay d, const HebrewDate& h, const CalendarRules& rules) {
  const DayFestivals festivals = FestivalsOn(d, h, rules);
  std::string text;
  // When several holidays share the day the highest id names it (Erev Pesakh
  // rather than Shabbat HaGadol on a Shabbat 14 Nisan).
  if (!festivals.empty()) text = TranslatedFestivalName(*(festivals.end() - 1), rules);
  if (IsRoshKhodeshDate(h)) {
    if (!text.empty()) text += ", ";
    text += "Rosh Khodesh";
  }
  return text;
}

