// When Takhanun is left out (and with it, on Shabbat, Av haRakhamim).
#pragma once

#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha {

// The festive days on which Takhanun is left out, other than Rosh Khodesh:
// Khol HaMoed, the eve of Rosh HaShana, Nisan, Lag BeOmer, 1 Sivan ..
// Shavuot, 9 Av and Sunday 10 Av, 15 Av, 9 .. 21 Tishri, Isru Khag,
// Khanukka, Tu beShvat, Purim, Shushan Purim, Purim Katan, Shushan Purim
// Katan.
int festive_no_takhanun(AbsoluteDay x, const CalendarRules& r);
// Takhanun is left out: Rosh Khodesh or festive_no_takhanun.
int takhanun_free(AbsoluteDay x, const CalendarRules& r);

}  // namespace halakha
