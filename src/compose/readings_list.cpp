#include "compose/readings_list.h"

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/readings.h"
#include "compose/hebrew_date_text.h"

std::string BuildReadingsList(AbsoluteDay d, const CalendarRules& rules, int style, bool hebrewNumerals) {
  const HebrewDate h = HebrewFromAbsolute(d);
  ReadingsRec rec;
  ParashGetReadings(h.day, h.month, h.year, rules, &rec, style);
  std::string lines;
  for (const std::string& text : rec.torah)
    if (!text.empty()) lines += text + '\n';
  for (const std::string& text : rec.haftarah)
    if (!text.empty()) lines += text + '\n';
  if (lines.empty()) return {};
  const GregorianDate g = GregorianFromAbsolute(d);
  // The heading comes from a translation file: filled only when its
  // conversions match, never handed to printf. It names the Hebrew date
  // too.
  const std::string hebrew = ReportHeadingHebrewDate(d, hebrewNumerals);
  const std::string heading =
      FormatText(translate_perform("Readings for %d.%d.%d (%s):"), {g.day, g.month, g.year, hebrew});
  return translate_replace(heading + '\n' + lines);
}
