// The minor days that fall on dates (the moments of the moon and the sun
// are the place's: suntimes/day_times.h): Yom Kippur Katan, BeHaB, Taanit
// Bekhorot, Birkat HaChama, Purim Katan, Leil Selikhot, Shabbat Mevarkhim.
#pragma once

#include <vector>

#include "calendar/minor_days.h"
#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha {

// BeHaB: the Monday, Thursday and Monday after the first Shabbat of Iyar and
// of Heshvan that is not Rosh Khodesh. One of them that has no Takhanun
// (Pesakh Sheni among them) gives way to the next Monday or Thursday.
bool IsBehab(AbsoluteDay d, const CalendarRules& r);
// The Shabbat before BeHaB, on which those who will fast are blessed.
bool IsBehabShabbat(AbsoluteDay d);

// The minor days that fall on d, in the order of the table.
std::vector<MinorDay> MinorDatesOn(AbsoluteDay d, const CalendarRules& r);

}  // namespace halakha
