#include "app/day_report.h"

#include "app/main_window.h"
#include "calendar/calendar.h"
#include "calendar/readings.h"
#include "dialogs/message.h"
#include "storage/text_format.h"
#include "storage/translate.h"
#include "suntimes/zmanim.h"

namespace {

// "d.m.y" of the Gregorian date, without leading zeros.
std::string DateText(const GregorianDate& g) {
  return std::to_string(g.day) + "." + std::to_string(g.month) + "." + std::to_string(g.year);
}

}  // namespace

DayReportTexts DayReportTextsFor(AbsoluteDay day) {
  const GregorianDate g = GregorianFromAbsolute(day);
  DayReportTexts texts;
  GetZmanimForDay(day, &texts.zmanim);  // shown as computed, not translated again
  texts.readings = BuildReadingsList(day);
  // The halakha lines of the day follow this heading once their rules are in.
  const std::string halakha = FormatText(translate_perform("Halakha for date %s"), {DateText(g)}) + ":\n";
  texts.halakha = translate_replace(halakha);
  return texts;
}

void showYom() {
  const AbsoluteDay day = AbsoluteFromGregorian(SelectedDate());
  const DayReportTexts texts = DayReportTextsFor(day);
  DialogsDoLongMessage(gMainWindow, &texts.zmanim, texts.readings.empty() ? nullptr : &texts.readings,
                       &texts.halakha);
}
