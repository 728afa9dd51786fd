// The texts of the day report: the zmanim, the Torah and Haftarah readings,
// the halakha of the day and the daily learning, as the report window shows
// them.
#pragma once

#include <string>

#include "calendar/minor_days.h"
#include "calendar/rules.h"
#include "compose/options.h"
#include "calendar/types.h"

struct DayReport {
  std::string title;     // the window's: "Day report: Monday, 7 December 2026", translated
  std::string zmanim;    // one time per line as computed; empty when the city is unknown
  std::string readings;  // heading and readings, translated; empty on a day without readings
  std::string halakha;   // heading and halakha lines, translated
  std::string learning;  // heading and the chosen learning, translated; empty unless a
                         // cycle besides Daf Yomi is chosen (compose/learning_lines.h)
};

// The halakha list: the heading "Halakha for date D.M.Y:" (Gregorian date;
// with Hebrew numerals on "Halakha for date D.M.Y (<Hebrew date>):")
// followed by the lines of HalakhaDo, translated as a whole. `place`: the
// evenings of Kiddush Levana and the tekufa at the place (DayTimes::PlaceMomentsOf).
std::string BuildHalakhaList(AbsoluteDay d, const CalendarRules& rules, int style, bool hebrewNumerals,
                             const PlaceMoments& place = {});

// "Day report: <weekday>, <day> <month> <year>" of day d, in the interface
// language: "Day report: Monday, 7 December 2026".
std::string DayReportTitle(AbsoluteDay d);

// The report of day d with the options (city, Israel/Diaspora, style,
// language, daily learning). Every text ends in a line break unless it is
// empty.
DayReport BuildDayReport(AbsoluteDay d, const Options& options);

// The texts as one, the lists separated by one empty line (an empty list is
// left out).
std::string FormatDayReport(const DayReport& report);
