#include "calendar/hebrew_numerals.h"

#include <array>
#include <string_view>

#include "calendar/calendar.h"
#include "calendar/types.h"

namespace {

constexpr std::string_view kGeresh = "\u05F3";     // ׳ after a single letter
constexpr std::string_view kGershayim = "\u05F4";  // ״ before the last letter

// Every Hebrew letter is two bytes in UTF-8.
constexpr size_t kLetterBytes = 2;

constexpr std::array<std::string_view, 10> kUnits = {"", "א", "ב", "ג", "ד", "ה", "ו", "ז", "ח", "ט"};
constexpr std::array<std::string_view, 10> kTens = {"", "י", "כ", "ל", "מ", "נ", "ס", "ע", "פ", "צ"};
// 500..900 are tav followed by the rest: 500 תק, 900 תתק.
constexpr std::array<std::string_view, 10> kHundreds = {"",   "ק",  "ר",  "ש",  "ת",
                                                        "תק", "תר", "תש", "תת", "תתק"};
static_assert(kUnits[1].size() == kLetterBytes && kHundreds[9].size() == 3 * kLetterBytes);

// Months 1..11 and 13; month 12 depends on the year.
constexpr std::array<std::string_view, 13> kMonthNames = {
    "ניסן",  // Nisan
    "אייר",  // Iyar
    "סיון",  // Sivan
    "תמוז",  // Tammuz
    "אב",    // Av
    "אלול",  // Elul
    "תשרי",  // Tishri
    "חשון",  // Heshvan (the short form; formal documents write מרחשון)
    "כסלו",  // Kislev
    "טבת",   // Tevet
    "שבט",   // Shevat
    "אדר",   // Adar; Adar I in a leap year
    "אדר ב׳",  // Adar II
};
constexpr std::string_view kAdarI = "אדר א׳";

// The letters of 1..999 without marks, largest value first. 15 and 16 are
// written 9+6 and 9+7, so that they do not spell a divine name.
std::string LettersBelowThousand(int n) {
  std::string letters(kHundreds[static_cast<size_t>(n / 100)]);
  const int rest = n % 100;  // [0, 99]
  if (rest == 15 || rest == 16) {
    letters += kUnits[9];
    letters += kUnits[static_cast<size_t>(rest - 9)];
  } else {
    letters += kTens[static_cast<size_t>(rest / 10)];
    letters += kUnits[static_cast<size_t>(rest % 10)];
  }
  return letters;
}

// A geresh after a single letter, gershayim before the last of several.
std::string WithMarks(const std::string& letters) {
  if (letters.size() <= kLetterBytes) return letters + std::string(kGeresh);
  const size_t last = letters.size() - kLetterBytes;
  return letters.substr(0, last) + std::string(kGershayim) + letters.substr(last);
}

}  // namespace

std::string HebrewNumeral(int number, HebrewThousands thousands) {
  if (number < 1 || number > 9999) return std::to_string(number);
  const int thousandsDigit = number / 1000;  // [0, 9]
  const int rest = number % 1000;            // [0, 999]
  std::string out;
  if (thousandsDigit > 0 && (thousands == HebrewThousands::kWrite || rest == 0))
    out = WithMarks(std::string(kUnits[static_cast<size_t>(thousandsDigit)]));
  if (rest > 0) out += WithMarks(LettersBelowThousand(rest));
  return out;
}

std::string HebrewDayNumeral(int day) {
  if (day < 1 || day > 30) return std::to_string(day);
  return HebrewNumeral(day);
}

std::string HebrewMonthNameInHebrew(int month, int year) {
  if (month < 1 || month > 13) return {};
  if (month == kAdar && Hebrew_Leap_Year(year)) return std::string(kAdarI);
  return std::string(kMonthNames[static_cast<size_t>(month - 1)]);
}

std::string HebrewDateInHebrew(int day, int month, int year, HebrewThousands thousands) {
  std::string monthName = HebrewMonthNameInHebrew(month, year);
  if (monthName.empty()) monthName = std::to_string(month);
  return HebrewDayNumeral(day) + " " + monthName + " " + HebrewNumeral(year, thousands);
}
