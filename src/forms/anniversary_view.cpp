#include "forms/anniversary_view.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#include "calendar/calendar.h"
#include "calendar/names.h"
#include "compose/current_options.h"
#include "compose/hebrew_date_text.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"

namespace {

// Month texts of the drop-down, months 1..11 and 13; 12 is made of two names.
constexpr std::array<std::string_view, 13> kComboMonths = {
    "Nisan", "Iyar", "Sivan", "Tamuz", "Av", "Elul", "Tishri", "Heshvan", "Kislev", "Tevet", "Shevat", "", "Adar II"};

// "5 March 2025 (5 Adar 5785)"; with Hebrew numerals "5 March 2025 (ה׳ אדר תשפ״ה)".
std::string DateText(AbsoluteDay day) {
  const GregorianDate g = GregorianFromAbsolute(day);
  return std::to_string(g.day) + " " + GetGregorianMonthName(g.month) + " " + std::to_string(g.year) + " (" +
         HebrewDateText(HebrewFromAbsolute(day)) + ")";
}

// Reads unsigned decimal digits at `i`; none give 0. Large values saturate,
// so they fail the range checks instead of wrapping.
int Digits(std::string_view t, size_t& i) {
  int value = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
    value = value > (INT_MAX - 9) / 10 ? INT_MAX : value * 10 + (t[i] - '0');
    ++i;
  }
  return value;
}

// The value of a text that NumberIsInteger accepted.
int IntegerValue(std::string_view t) {
  size_t i = t.find_first_not_of(' ');
  return i == std::string_view::npos ? 0 : Digits(t, i);
}

enum class YearField { kOk, kNotANumber, kOutOfRange };

// A year of the Calculate row: strtol in base 10 (leading blanks and a sign
// allowed) that must use the whole text, then 1583..3000. An empty text
// converts to 0.
YearField ParseYearField(std::string_view text, int& year) {
  const std::string s(text);
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(s.c_str(), &end, 10);
  if (end != s.c_str() + s.size()) return YearField::kNotANumber;
  if (errno == ERANGE || v < kFirstYear || v > kLastYear) return YearField::kOutOfRange;
  year = static_cast<int>(v);
  return YearField::kOk;
}

bool NameHasLineBreak(std::string_view name) { return name.find_first_of("\n\r") != std::string_view::npos; }

// The Gregorian date of the edit form: blanks, day, ".", month, ".", year;
// anything after the year's digits is ignored.
std::string CheckGregorianText(std::string_view t, AnniDate& date) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  date.day = Digits(t, i);
  if (i >= t.size() || t[i] != '.') return "Date: . after day number expected";
  ++i;
  date.month = Digits(t, i);
  if (i >= t.size() || t[i] != '.') return "Date: . after month number expected";
  ++i;
  date.year = Digits(t, i);
  if (date.year < kFirstYear || date.year > kLastYear) return "Date: Year is not in the correct range";
  if (date.month < 1 || date.month > 12) return "Date: Month is not in the correct range";
  if (date.day < 1 || date.day > LastDayOfGregorianMonth(date.month, date.year))
    return "Date: Day is not in the correct range";
  return "";
}

std::string CheckHebrewFields(const AnniEditForm& form, AnniDate& date) {
  if (!NumberIsInteger(form.hebrewDayText)) return "Hebrew Day must be a number";
  if (form.hebrewMonth < 1 || form.hebrewMonth > 13) return "Hebrew month must be selected";
  if (!NumberIsInteger(form.hebrewYearText)) return "Hebrew Year must be a number";
  date.day = IntegerValue(form.hebrewDayText);
  date.month = form.hebrewMonth;
  date.year = IntegerValue(form.hebrewYearText);
  if (date.year < kAnniFirstHebrewYear || date.year > kAnniLastHebrewYear)
    return "Hebrew Year must be in range " + std::to_string(kAnniFirstHebrewYear) + "-" +
           std::to_string(kAnniLastHebrewYear);
  if (date.month > Last_Month_Of_Hebrew_Year(date.year)) return "Hebrew month is invalid";
  if (date.day < 1 || date.day > Last_Day_Of_Hebrew_Month(date.month, date.year)) return "Hebrew day is invalid";
  return "";
}

}  // namespace

std::string AnniListRowText(const AnniversaryRec& rec, AbsoluteDay today, bool rightToLeft) {
  const AbsoluteDay event = AnniEventDay(rec);
  if (event >= today) return rec.name + " (" + std::string(1, rec.type) + ")";
  const int year = HebrewFromAbsolute(today).year;
  AbsoluteDay next = AnniDayInYear(rec, year + 1);
  for (AbsoluteDay d : AnniDaysInYear(rec, year)) {
    if (d >= today) {
      next = d;
      break;
    }
  }
  const std::string& type = translate_perform(std::string(1, rec.type));
  if (rightToLeft) return type + ": " + DateText(next) + " - " + rec.name;
  return rec.name + " (" + type + "): " + DateText(next);
}

std::vector<AbsoluteDay> AnniOccurrences(const AnniversaryRec& rec, int fromYear, int toYear) {
  std::vector<AbsoluteDay> days;
  const int eventYear = HebrewFromAbsolute(AnniEventDay(rec)).year;
  const int first = HebrewFromAbsolute(AbsoluteFromGregorian(GregorianDate{1, 1, fromYear})).year;
  const int last = HebrewFromAbsolute(AbsoluteFromGregorian(GregorianDate{31, 12, toYear})).year;
  for (int y = std::max(first, eventYear + 1); y <= last; ++y) {
    for (AbsoluteDay d : AnniDaysInYear(rec, y)) {
      const int gy = GregorianFromAbsolute(d).year;
      if (gy >= fromYear && gy <= toYear) days.push_back(d);
    }
  }
  return days;
}

std::string AnniOccurrenceText(AbsoluteDay day) { return DateText(day); }

AnniCalculation AnniCalculate(const AnniversaryList& list, int selected, std::string_view fromText,
                              std::string_view toText) {
  AnniCalculation out;
  AnniversaryRec rec;
  if (!AnniFileGet(list, selected, rec)) {
    out.error = "An entry must be selected";
    return out;
  }
  int from = 0, to = 0;
  switch (ParseYearField(fromText, from)) {
    case YearField::kNotANumber: out.error = "'From' year is not a number"; return out;
    case YearField::kOutOfRange: out.error = "'From' year is not in the correct range"; return out;
    case YearField::kOk: break;
  }
  switch (ParseYearField(toText, to)) {
    case YearField::kNotANumber: out.error = "'To' year is not a number"; return out;
    case YearField::kOutOfRange: out.error = "'To' year is not in the correct range"; return out;
    case YearField::kOk: break;
  }
  if (from > to) std::swap(from, to);
  for (AbsoluteDay d : AnniOccurrences(rec, from, to)) out.rows.push_back(AnniOccurrenceText(d));
  return out;
}

AnniEditForm AnniEditFormFor(const AnniversaryRec& rec) {
  AnniEditForm form;
  form.name = rec.name;
  form.type = rec.type;
  form.gregorian = rec.isHebrew == 0;
  form.afterSunset = rec.afterSunset == 1;
  const AnniDate& d = rec.date;
  if (form.gregorian) {
    form.gregorianText = DayMonthYearText(d.day, d.month, d.year);
  } else {
    form.hebrewDayText = std::to_string(d.day);
    form.hebrewMonth = d.month >= 1 && d.month <= 13 ? d.month : 0;
    form.hebrewYearText = std::to_string(d.year);
  }
  form.recentLoss = rec.burial.has_value();
  if (rec.burial) form.burialText = DayMonthYearText(rec.burial->day, rec.burial->month, rec.burial->year);
  form.adar = rec.adar;
  form.batMitzvah = rec.batMitzvah;
  return form;
}

std::string AnniCheckEditForm(const AnniEditForm& form, AnniversaryRec& rec) {
  if (form.name.empty()) return "Name must not be empty";
  // The file keeps one entry per line and reads "#" as the start of a
  // comment, so such names would not survive the next load.
  if (form.name.size() > kAnniNameMaxBytes)
    return "Name must not be longer than " + std::to_string(kAnniNameMaxBytes) + " bytes";
  if (NameHasLineBreak(form.name)) return "Name must not contain a line break";
  if (form.name.find('#') != std::string::npos) return "Name must not contain the character #";
  AnniDate date;
  const std::string error = form.gregorian ? CheckGregorianText(form.gregorianText, date) : CheckHebrewFields(form, date);
  if (!error.empty()) return error;
  AnniDate burial;
  if (form.recentLoss) {
    if (form.type != kAnniYortsayt) return "Only a yortsayt can be marked as a recent loss";
    if (form.burialText.find_first_not_of(' ') != std::string::npos) {
      const std::string burialError = CheckGregorianText(form.burialText, burial);
      if (!burialError.empty()) return "Burial " + burialError;
      AnniversaryRec death;
      death.isHebrew = form.gregorian ? 0 : 1;
      death.date = date;
      death.afterSunset = form.gregorian && form.afterSunset ? 1 : 0;
      if (AbsoluteFromGregorian(GregorianDate{burial.day, burial.month, burial.year}) < AnniEventDay(death))
        return "The burial date must not be before the day of death";
    }
  }
  rec.name = form.name;
  rec.type = form.type;
  rec.isHebrew = form.gregorian ? 0 : 1;
  rec.date = date;
  if (form.gregorian) rec.afterSunset = form.afterSunset ? 1 : 0;
  rec.adar = form.adar;
  rec.batMitzvah = form.batMitzvah && form.type == kAnniBirthday;
  rec.burial.reset();
  if (form.recentLoss) {
    const GregorianDate death = GregorianFromAbsolute(AnniEventDay(rec));
    const bool given = form.burialText.find_first_not_of(' ') != std::string::npos;
    rec.burial = given ? burial : AnniDate{death.day, death.month, death.year};
  }
  return "";
}

std::string getComboMonth(int month) {
  if (month < 1 || month > 13) return "";
  if (month == kAdar) return translate_perform("Adar") + "/" + translate_perform("Adar I");
  return translate_perform(kComboMonths[static_cast<size_t>(month - 1)]);
}
