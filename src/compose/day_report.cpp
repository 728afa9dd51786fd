#include "compose/day_report.h"

#include "calendar/calendar.h"
#include "calendar/names.h"
#include "compose/learning_lines.h"
#include "compose/hebrew_date_text.h"
#include "compose/readings_list.h"
#include "halakha/halakha.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "compose/zmanim_text.h"

namespace {

std::string DateText(AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  return DayMonthYearText(g.day, g.month, g.year);
}

void EndWithLineBreak(std::string* text) {
  if (!text->empty() && text->back() != '\n') text->push_back('\n');
}

}  // namespace

std::string BuildHalakhaList(AbsoluteDay d, const CalendarRules& rules, int style, bool hebrewNumerals,
                             const PlaceMoments& place) {
  // The heading's format may come from a translation file: it is filled only
  // when its conversions match, never handed to printf. It names the
  // Hebrew date too.
  const std::string hebrew = ReportHeadingHebrewDate(d, hebrewNumerals);
  std::string text = FormatText(translate_perform("Halakha for date %s (%s)"), {DateText(d), hebrew}) + ":\n";
  text += HalakhaDo(d, rules, style, place);
  return translate_replace(text);
}

std::string DayReportTitle(AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  return FormatPlainOr(translate_perform("Day report: %s, %d %s %d"), "Day report: %s, %d %s %d",
                       {GetWeekdayName(WeekdayOf(d)), g.day, GetGregorianMonthName(g.month), g.year});
}

DayReport BuildDayReport(AbsoluteDay d, const Options& options) {
  DayReport report;
  report.title = DayReportTitle(d);
  const CalendarRules& rules = options.rules;
  GetZmanimForDay(d, options, &report.zmanim);  // stays empty when the city is not in the city file
  report.readings = BuildReadingsList(d, rules, options.style, options.text.hebrewNumerals);
  const PlaceMoments place = DayTimesFor(rules, options.times, options.style).PlaceMomentsOf(d);
  report.halakha = BuildHalakhaList(d, rules, options.style, options.text.hebrewNumerals, place);
  report.learning = BuildLearningList(d, options.learning, rules);
  EndWithLineBreak(&report.zmanim);
  EndWithLineBreak(&report.readings);
  EndWithLineBreak(&report.halakha);
  return report;
}

std::string FormatDayReport(const DayReport& report) {
  std::string text = report.zmanim;
  for (const std::string* list : {&report.readings, &report.halakha, &report.learning}) {
    if (list->empty()) continue;
    if (!text.empty()) text += '\n';
    text += *list;
  }
  return text;
}
