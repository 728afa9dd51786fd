// The seasons of the weekday Amida: the request for dew or for rain.
#pragma once

#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha {

// The Amida asks for blessing without rain ("Teyn Berakha"): from the day
// after Pesakh through 6 Heshvan in Israel; in the Diaspora through the 59th
// day from the tekufa of Tishri (4 December, 5 December before a Gregorian
// leap year, in 1900..2099; a day later each century that is not a leap year).
int summer_request(AbsoluteDay x, const CalendarRules& r);
// The first weekday that asks for rain after the summer: the first day that
// is not a rest day on which summer_request no longer holds (7 Heshvan in
// Israel, abroad the 60th day from the tekufa of Tishri; the Sunday after
// when that day is a Shabbat).
int first_rain_request(AbsoluteDay x, const CalendarRules& r);

}  // namespace halakha
