// The seasons of the weekday Amida: the request for dew or for rain.
#pragma once

#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha {

// The Amida asks for blessing without rain ("Teyn Berakha"): from the day
// after Pesakh through 6 Heshvan in Israel, through 4 December (5 December
// before a Gregorian leap year) in the Diaspora.
int summer_request(AbsoluteDay x, const CalendarRules& r);
// The first weekday that asks for rain after the summer: the first day that
// is not a rest day on which summer_request no longer holds (7 Heshvan in
// Israel, 5 December abroad, 6 December before a Gregorian leap year; the
// Sunday after when that day is a Shabbat).
int first_rain_request(AbsoluteDay x, const CalendarRules& r);

}  // namespace halakha
