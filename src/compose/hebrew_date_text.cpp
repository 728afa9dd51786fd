#include "compose/hebrew_date_text.h"

#include "base/settings.h"
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

}  // namespace

std::string HebrewDayNumberText(int day, bool numerals) {
  return numerals ? HebrewDayNumeral(day) : std::to_string(day);
}
std::string HebrewDayNumberText(int day) { return HebrewDayNumberText(day, isHebrewNumerals()); }

std::string HebrewDateText(const HebrewDate& h, bool numerals, HebrewThousands thousands) {
  if (numerals) return HebrewDateInHebrew(h.day, h.month, h.year, thousands);
  return std::to_string(h.day) + " " + GetHebrewMonthName(h.month, h.year) + " " + std::to_string(h.year);
}
std::string HebrewDateText(const HebrewDate& h) { return HebrewDateText(h, isHebrewNumerals()); }

std::string HebrewDayMonthText(const HebrewDate& h, bool numerals) {
  return HebrewDayNumberText(h.day, numerals) + " " + MonthName(h, numerals);
}
std::string HebrewDayMonthText(const HebrewDate& h) { return HebrewDayMonthText(h, isHebrewNumerals()); }

std::string HebrewMonthRangeCaption(int month, int year, bool numerals) {
  const HebrewDate a = HebrewFromAbsolute(AbsoluteFromGregorian(1, month, year));
  const HebrewDate b = HebrewFromAbsolute(AbsoluteFromGregorian(LastDayOfGregorianMonth(month, year), month, year));
  const std::string da = HebrewDayNumberText(a.day, numerals), db = HebrewDayNumberText(b.day, numerals);
  const std::string ma = MonthName(a, numerals), mb = MonthName(b, numerals);
  const std::string ya = YearText(a.year, numerals), yb = YearText(b.year, numerals);
  if (a.month == b.month && a.year == b.year) return FormatText("%s - %s %s %s", {da, db, mb, yb});
  if (a.year == b.year) return FormatText("%s %s - %s %s %s", {da, ma, db, mb, yb});
  return FormatText("%s %s %s - %s %s %s", {da, ma, ya, db, mb, yb});
}
std::string HebrewMonthRangeCaption(int month, int year) {
  return HebrewMonthRangeCaption(month, year, isHebrewNumerals());
}

std::string HebrewMonthNameText(int month, int year, bool numerals) {
  return MonthName(HebrewDate{1, month, year}, numerals);
}
std::string HebrewMonthNameText(int month, int year) { return HebrewMonthNameText(month, year, isHebrewNumerals()); }
std::string HebrewYearText(int year, bool numerals) { return YearText(year, numerals); }
std::string HebrewYearText(int year) { return YearText(year, isHebrewNumerals()); }

std::string HebrewMonthGregorianCaption(int month, int year) {
  const AbsoluteDay first = AbsoluteFromHebrew(1, month, year);
  const GregorianDate a = GregorianFromAbsolute(first);
  const GregorianDate b = GregorianFromAbsolute(first + Last_Day_Of_Hebrew_Month(month, year) - 1);
  const std::string da = std::to_string(a.day), db = std::to_string(b.day);
  const std::string ma = GetGregorianMonthName(a.month), mb = GetGregorianMonthName(b.month);
  const std::string ya = std::to_string(a.year), yb = std::to_string(b.year);
  if (a.month == b.month && a.year == b.year) return FormatText("%s - %s %s %s", {da, db, mb, yb});
  if (a.year == b.year) return FormatText("%s %s - %s %s %s", {da, ma, db, mb, yb});
  return FormatText("%s %s %s - %s %s %s", {da, ma, ya, db, mb, yb});
}

std::string ReportHeadingHebrewDate(AbsoluteDay d, bool numerals) {
  if (!numerals) return {};
  return HebrewDateText(HebrewFromAbsolute(d), true, HebrewThousands::kWrite);
}
std::string ReportHeadingHebrewDate(AbsoluteDay d) { return ReportHeadingHebrewDate(d, isHebrewNumerals()); }
