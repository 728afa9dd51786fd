#include "compose/hebrew_date_text.h"

#include "base/text_format.h"
#include "calendar/calendar.h"
#include "calendar/names.h"

namespace {

std::string YearText(int year, bool numerals) {
  return numerals ? HebrewNumeral(year, HebrewThousands::kOmit) : std::to_string(year);
}

std::string MonthName(const HebrewDate& h, bool numerals) {
  return numerals ? HebrewMonthNameInHebrew(h.month, h.year) : GetHebrewMonthName(h.month, h.year);
}

// A range of dates, the month and the year written once where both ends
// share them: "1 - 29 Tishri 5785", "2 Heshvan - 1 Kislev 5785".
struct DateParts {
  std::string day, month, year;
};
std::string RangeText(const DateParts& a, const DateParts& b) {
  if (a.month == b.month && a.year == b.year) return FormatText("%s - %s %s %s", {a.day, b.day, b.month, b.year});
  if (a.year == b.year) return FormatText("%s %s - %s %s %s", {a.day, a.month, b.day, b.month, b.year});
  return FormatText("%s %s %s - %s %s %s", {a.day, a.month, a.year, b.day, b.month, b.year});
}

}  // namespace

std::string HebrewDayNumberText(int day, bool numerals) {
  return numerals ? HebrewDayNumeral(day) : std::to_string(day);
}

std::string HebrewDateText(const HebrewDate& h, bool numerals, HebrewThousands thousands) {
  if (numerals) return HebrewDateInHebrew(h.day, h.month, h.year, thousands);
  return std::to_string(h.day) + " " + GetHebrewMonthName(h.month, h.year) + " " + std::to_string(h.year);
}

std::string HebrewDayMonthText(const HebrewDate& h, bool numerals) {
  return HebrewDayNumberText(h.day, numerals) + " " + MonthName(h, numerals);
}

std::string HebrewMonthRangeCaption(int month, int year, bool numerals) {
  const HebrewDate a = HebrewFromAbsolute(AbsoluteFromGregorian(1, month, year));
  const HebrewDate b = HebrewFromAbsolute(AbsoluteFromGregorian(LastDayOfGregorianMonth(month, year), month, year));
  return RangeText({HebrewDayNumberText(a.day, numerals), MonthName(a, numerals), YearText(a.year, numerals)},
                   {HebrewDayNumberText(b.day, numerals), MonthName(b, numerals), YearText(b.year, numerals)});
}

std::string HebrewMonthNameText(int month, int year, bool numerals) {
  return MonthName(HebrewDate{1, month, year}, numerals);
}
std::string HebrewYearText(int year, bool numerals) { return YearText(year, numerals); }

std::string HebrewMonthGregorianCaption(int month, int year) {
  const AbsoluteDay first = AbsoluteFromHebrew(1, month, year);
  const GregorianDate a = GregorianFromAbsolute(first);
  const GregorianDate b = GregorianFromAbsolute(first + Last_Day_Of_Hebrew_Month(month, year) - 1);
  return RangeText({std::to_string(a.day), GetGregorianMonthName(a.month), std::to_string(a.year)},
                   {std::to_string(b.day), GetGregorianMonthName(b.month), std::to_string(b.year)});
}

std::string ReportHeadingHebrewDate(AbsoluteDay d, bool numerals) {
  return HebrewDateText(HebrewFromAbsolute(d), numerals, numerals ? HebrewThousands::kWrite : HebrewThousands::kOmit);
}
