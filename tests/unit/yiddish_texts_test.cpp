// The shipped Yiddish and Hebrew translations against what the program
// really shows. A new user gets them on the first run; with them loaded no
// line of the halakha and readings lists may keep a Latin letter, over
// whole years of days. The lists are translated by replacing phrases, so each translated line must
// also keep the indentation and the numbers (dates, verses, times) of its
// English line. Each test runs once per right-to-left language.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "calendar/readings.h"
#include "calendar/torah_sections.h"
#include "compose/day_report.h"
#include "compose/readings_list.h"
#include "base/settings.h"
#include "base/translate.h"
#include "storage/user_files.h"
#include "test_env.h"

namespace {

using testenv::Lines;

bool HasLatinLetter(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

std::string Indent(const std::string& s) { return s.substr(0, s.find_first_not_of(' ')); }

// The numbers of a line in order: "Isaiah 66, 1 & 23" -> 66 1 23.
std::vector<std::string> Numbers(const std::string& s) {
  static const std::regex digits("[0-9]+");
  std::vector<std::string> out;
  for (auto it = std::sregex_iterator(s.begin(), s.end(), digits); it != std::sregex_iterator(); ++it)
    out.push_back(it->str());
  return out;
}

class YiddishTexts : public ::testing::TestWithParam<int> {
 protected:
  YiddishTexts() : home_(false) {
    settingsReset();
    std::string error;
    EXPECT_TRUE(InstallDefaultUserFiles(&error)) << error;
    settingsReset();  // the city file is there now
    setCity("Jerusalem");
    UseLanguage(Language());
  }
  ~YiddishTexts() override {
    translate_done();
    settingsReset();
  }

  // The language under test (Yiddish or Hebrew).
  static int Language() { return GetParam(); }

  static void UseLanguage(int language) {
    setLanguage(language);
    translate_done();
    translate_init(getLanguagePrefix(language));
  }

  // Compares a translated text with the English one line by line; problems
  // are collected once each (the same line recurs on many days).
  void CompareLists(const std::string& english, const std::string& yiddish) {
    const std::vector<std::string> e = Lines(english), y = Lines(yiddish);
    if (e.size() != y.size()) {
      problems_.insert("line count differs:\n" + english + "---\n" + yiddish);
      return;
    }
    for (size_t i = 0; i < e.size(); ++i) {
      if (HasLatinLetter(y[i])) problems_.insert("English left: \"" + e[i] + "\" -> \"" + y[i] + "\"");
      if (Indent(e[i]) != Indent(y[i])) problems_.insert("indentation lost: \"" + e[i] + "\" -> \"" + y[i] + "\"");
      if (Numbers(e[i]) != Numbers(y[i])) problems_.insert("numbers changed: \"" + e[i] + "\" -> \"" + y[i] + "\"");
    }
  }

  void ExpectNoProblems() {
    std::string all;
    int shown = 0;
    for (const std::string& p : problems_)
      if (shown++ < 25) all += p + "\n";
    EXPECT_TRUE(problems_.empty()) << problems_.size() << " problem(s):\n" << all;
  }

  testenv::TempHome home_;
  std::set<std::string> problems_;
};

// One year of each of the fourteen year types, so every combination of
// sections and Haftarot and every postponed holiday occurs.
std::vector<int> YearOfEveryType() {
  std::map<int, int> firstYear;
  for (int year = 5700; year < 5900 && firstYear.size() < 14; ++year) {
    const int type = TorahGetYearType(year);
    if (type != kNoYearType && !firstYear.count(type)) firstYear[type] = year;
  }
  EXPECT_EQ(firstYear.size(), 14u);
  std::vector<int> years;
  for (const auto& [type, year] : firstYear) years.push_back(year);
  return years;
}

TEST_P(YiddishTexts, HalakhaAndReadingsOfEveryDayOfEveryYearType) {
  for (int year : YearOfEveryType()) {
    const AbsoluteDay first = AbsoluteFromHebrew(1, kTishri, year);
    const AbsoluteDay end = AbsoluteFromHebrew(1, kTishri, year + 1);
    for (int diaspora : {0, 1}) {
      const CalendarRules rules{diaspora != 0, true};
      // The English lists first, then the Yiddish ones (the table is
      // switched once per pass).
      std::map<AbsoluteDay, std::string> englishHalakha[2], englishReadings;
      UseLanguage(kLanguageEnglish);
      for (AbsoluteDay d = first; d < end; ++d) {
        for (int style : {kStyleSephardic, kStyleAshkenazi})
          englishHalakha[style - 1][d] = BuildHalakhaList(d, rules, style, isHebrewNumerals());
        englishReadings[d] = BuildReadingsList(d, rules, getStyle(), isHebrewNumerals());
      }
      UseLanguage(Language());
      for (AbsoluteDay d = first; d < end; ++d) {
        for (int style : {kStyleSephardic, kStyleAshkenazi})
          CompareLists(englishHalakha[style - 1][d], BuildHalakhaList(d, rules, style, isHebrewNumerals()));
        CompareLists(englishReadings[d], BuildReadingsList(d, rules, getStyle(), isHebrewNumerals()));
      }
    }
  }
  ExpectNoProblems();
}

INSTANTIATE_TEST_SUITE_P(RightToLeft, YiddishTexts, ::testing::Values(kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) { return getLanguagePrefix(info.param); });

}  // namespace
