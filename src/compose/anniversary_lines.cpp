#include "compose/anniversary_lines.h"

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "compose/day_info.h"
#include "compose/hebrew_date_text.h"
#include "storage/anniversaries.h"

std::string_view AnniLabelKey(char type) {
  switch (type) {
    case kAnniBirthday: return "Birthday";
    case kAnniYortsayt: return "yortsayt";
    default: return "Anniversary";
  }
}

std::string AnniversaryLine(const AnniversaryRec& rec) {
  return translate_perform(AnniLabelKey(rec.type)) + ": " + rec.name;
}

int AnnifileGetForDay(AbsoluteDay day, std::string* types, std::string* text) {
  if (types) types->clear();
  if (text) text->clear();
  const std::vector<AnniversaryRec> entries = AnniFileEntriesOnDay(day);
  for (const AnniversaryRec& rec : entries) {
    if (types) types->push_back(rec.type);
    if (text) *text += AnniversaryLine(rec) + "\n";
  }
  return entries.empty() ? 0 : 1;
}

std::optional<MitzvahDay> AnniMitzvahOf(const AnniversaryRec& rec, const CalendarRules& rules) {
  if (rec.type != kAnniBirthday || !AnniDateIsValid(rec.isHebrew, rec.date)) return std::nullopt;
  MitzvahDay m;
  m.day = AnniMitzvahDay(HebrewFromAbsolute(AnniEventDay(rec)), rec.batMitzvah, rec.adar);
  m.shabbat = SaturdayOnOrAfter(m.day);
  // A Shabbat of a festival has its festival's reading.
  const DayInformation info = PaintInternal_GetDayInformation(m.shabbat, rules, 0);
  m.section = info.torahSection.empty() ? info.holiday : info.torahSection;
  return m;
}

std::string AnniMitzvahLine(const AnniversaryRec& rec) {
  return translate_perform(rec.batMitzvah ? "Bat mitzvah" : "Bar mitzvah") + ": " + rec.name;
}

std::string AnniMitzvahShabbatText(const MitzvahDay& m, bool numerals) {
  return FormatPlainOr(translate_perform("Shabbat %s: %s"), "Shabbat %s: %s",
                       {HebrewDateText(HebrewFromAbsolute(m.shabbat), numerals), m.section});
}

std::string AnniMitzvahText(const AnniversaryRec& rec, const MitzvahDay& m, bool numerals) {
  return translate_perform(rec.batMitzvah ? "Bat mitzvah" : "Bar mitzvah") + ": " +
         HebrewDateText(HebrewFromAbsolute(m.day), numerals) + "; " + AnniMitzvahShabbatText(m, numerals);
}

std::vector<std::pair<AnniversaryRec, MitzvahDay>> AnniMitzvahsOnDay(const std::vector<AnniversaryRec>& entries,
                                                                     AbsoluteDay day, const CalendarRules& rules) {
  std::vector<std::pair<AnniversaryRec, MitzvahDay>> out;
  for (const AnniversaryRec& rec : entries) {
    if (rec.type != kAnniBirthday || !AnniDateIsValid(rec.isHebrew, rec.date)) continue;
    if (AnniMitzvahDay(HebrewFromAbsolute(AnniEventDay(rec)), rec.batMitzvah, rec.adar) != day) continue;
    if (const auto m = AnniMitzvahOf(rec, rules)) out.emplace_back(rec, *m);
  }
  return out;
}
