// The kinds of value the user's choices take (languages, numerals, style,
// the daylight-saving rule), shared by the settings store and the options
// value the engine is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The daylight-saving rule, in the order of its nine settings keys.
struct DstSetting {
  int32_t startMethod = 0;
  int32_t startWeekNo = 5;
  int32_t startWeekday = 0;
  int32_t startDay = 2;
  int32_t startMonth = 3;
  int32_t endMethod = 0;
  int32_t endWeekNo = 5;
  int32_t endWeekday = 0;
  int32_t endMonth = 10;
};

// Language numbers.
constexpr int kLanguageEnglish = 1;
constexpr int kLanguageYiddish = 2;
constexpr int kLanguageHebrew = 3;

// The interface languages: the number stored in the settings, the prefix of
// the translation files (also the name `lumaro-cli --language` takes), the
// English name the language dialog shows (translated), and the script:
// Yiddish and Hebrew are written in Hebrew letters, right to left, and a
// luach in them writes Hebrew dates in Hebrew numerals.
struct LanguageRow {
  int number;
  std::string_view prefix;
  std::string_view name;
  bool rightToLeft;
  bool hebrewNumeralsByDefault;
};
inline constexpr LanguageRow kLanguages[] = {
    {kLanguageEnglish, "english", "English", false, false},
    {kLanguageYiddish, "yiddish", "Yiddish", true, true},
    {kLanguageHebrew, "hebrew", "Hebrew", true, true},
};
// The row of a language number; nullptr for a number no language has.
const LanguageRow* FindLanguage(int language);

// "Hebrew dates in Hebrew numerals": by the language (the default, until the
// user chooses), always, or never.
constexpr int kHebrewNumeralsByLanguage = -1;
constexpr int kHebrewNumeralsOff = 0;
constexpr int kHebrewNumeralsOn = 1;
// Style numbers.
constexpr int kStyleSephardic = 1;
constexpr int kStyleAshkenazi = 2;

// The sun calculations by their names (the settings' and lumaro-cli's words).
inline constexpr std::string_view kSunCalculationClassic = "classic";
inline constexpr std::string_view kSunCalculationPrecise = "precise";

// Whether Hebrew dates are written in Hebrew numerals with the choice
// `choice` in the language `language`: by the language's default for
// kHebrewNumeralsByLanguage (and any unknown choice).
bool HebrewNumeralsFor(int choice, int language);

// The direction of the week in the month view and its printout (setting
// "WeekRightToLeft"): as the language is written (Sunday at the right in
// Yiddish and Hebrew), or Sunday always at the right or at the left.
constexpr int kWeekRightToLeftByLanguage = -1;
constexpr int kWeekRightToLeftOff = 0;
constexpr int kWeekRightToLeftOn = 1;
// Whether the week runs from right to left with the choice `choice` in the
// language `language`: as the language is written for
// kWeekRightToLeftByLanguage (and any unknown choice).
bool WeekRightToLeftFor(int choice, int language);
// The language's prefix: "english" for 1, "yiddish" for 2, "hebrew" for 3,
// "" otherwise.
std::string getLanguagePrefix(int language);
// True for a language written right to left (Yiddish, Hebrew).
bool isRightToLeftLanguage(int language);
