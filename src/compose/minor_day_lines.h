// The minor days of a day as lines: the dates (Yom Kippur Katan, BeHaB,
// Taanit Bekhorot, Birkat HaChama, Purim Katan, Leil Selikhot, Shabbat
// Mevarkhim) by their name, the moments (Kiddush Levana begins and ends, the
// tekufa) by their name and the time at the place. One list for the month
// cell, its hint, today, lumaro-cli minor-days and the iCalendar export.
#pragma once

#include <string>
#include <vector>

#include "calendar/minor_days.h"
#include "calendar/rules.h"
#include "calendar/types.h"
#include "suntimes/day_times.h"
#include "suntimes/timeformat.h"

struct MinorDayLine {
  MinorDay day;
  std::string title;  // translated: "Yom Kippur Katan", "Tekufat Tevet"
  std::string time;   // a moment's time as the clock writes it, else empty
  DayTime moment;     // a moment's time (computed) as DayTimes gives it

  // "Tekufat Tevet 04:09AM", or the title alone.
  std::string Text() const { return time.empty() ? title : title + " " + time; }
};

// The lines of day d in the order of the minor-day table; `times` are the
// day's times as DayTimes::Of gives them, whose moments need a city (without
// it they are left out).
std::vector<MinorDayLine> MinorDayLinesOf(AbsoluteDay d, const CalendarRules& rules,
                                          const std::vector<DayTime>& times, const ClockStyle& clock);
