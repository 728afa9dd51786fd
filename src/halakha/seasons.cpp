#include "halakha/seasons.h"

#include "calendar/calendar.h"
#include "calendar/minor_days.h"
#include "halakha/predicates.h"

namespace halakha {

int summer_request(AbsoluteDay x, const CalendarRules& r) {
  const AbsoluteDay pesakh = h_holiday_prev(x, Festival::kPesakhI);
  if (pesakh >= x) return 0;
  AbsoluteDay lastDay;
  if (r.diaspora) {
    // Rain is asked for from the evening that begins the 60th day from the
    // tekufa of Tishri, its own day the first: in 1900..2099 the evening of 4
    // December, 5 December in the Gregorian year before a leap year.
    lastDay = TekufaDay(Season::kTishri, civil_year(pesakh)) + 58;
  } else {
    // In Israel from the evening of 6 Heshvan after the Pesakh.
    lastDay = AbsoluteFromHebrew(6, kHeshvan, HebrewFromAbsolute(pesakh).year + 1);
  }
  return x <= lastDay ? 1 : 0;
}

int first_rain_request(AbsoluteDay x, const CalendarRules& r) {
  if (rest_day(x, r) || summer_request(x, r)) return 0;
  // Back over the days of rest before x: the day before them still asked for
  // dew, or an earlier weekday already asked for rain.
  AbsoluteDay before = x - 1;
  while (rest_day(before, r) && !summer_request(before, r)) --before;
  return summer_request(before, r);
}

}  // namespace halakha
