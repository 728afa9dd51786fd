// The day report: the zmanim, the Torah and Haftarah readings and the halakha
// of the selected day, as up to three lists in a window of their own.
#pragma once

#include <string>

#include "calendar/types.h"

// The three texts of a report, one line per row, already translated.
struct DayReportTexts {
  std::string zmanim;
  std::string readings;  // empty on a day without readings: no list then
  std::string halakha;
};

// The texts of the report of `day`.
DayReportTexts DayReportTextsFor(AbsoluteDay day);
// Opens the report of the selected day (gCurrentDay, gCurrentMonth,
// gCurrentYear) in a new window and returns once it is shown; several
// reports can be open at once.
void showYom();
