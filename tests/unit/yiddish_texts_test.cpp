// The shipped Yiddish and Hebrew translations against what the program really
// shows, as a new user gets them on the first run. The halakha and readings
// lists are translated by replacing phrases: over a year of each of the
// fourteen year types no translated line may keep a Latin letter, and each
// must keep the indentation and the numbers (dates, verses, times) of its
// English line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/torah_sections.h"
#include "compose/day_report.h"
#include "compose/readings_list.h"
#include "storage/user_files.h"
#include "test_env.h"

namespace {

// The numbers of a line in order: "Isaiah 66, 1 & 23" -> " 66 1 23 ".
std::string Numbers(const std::string& s) {
  std::string out = " ";
  for (const char c : s) {
    if (c >= '0' && c <= '9') out += c;
    else if (out.back() != ' ') out += ' ';
  }
  if (out.back() != ' ') out += ' ';
  return out;
}

void UseLanguage(int language) {
  setLanguage(language);
  translate_done();
  translate_init(getLanguagePrefix(language));
}

// The halakha lists of both styles and the readings list of a day. Their
// headings' Hebrew dates are in Hebrew numerals in every language (as
// Yiddish and Hebrew have them by default), so the headings' numbers are
// the Gregorian date's alone.
std::string Lists(AbsoluteDay d, const CalendarRules& rules) {
  return BuildHalakhaList(d, rules, kStyleSephardic, true) + "--\n" +
         BuildHalakhaList(d, rules, kStyleAshkenazi, true) + "--\n" + BuildReadingsList(d, rules, getStyle(), true);
}

class YiddishTexts : public ::testing::TestWithParam<int> {
 protected:
  YiddishTexts() : home_(false) {
    settingsReset();
    std::string error;
    EXPECT_TRUE(InstallDefaultUserFiles(&error)) << error;
    settingsReset();  // the city file is there now
    setCity("Jerusalem");
  }
  ~YiddishTexts() override {
    translate_done();
    settingsReset();
  }
  testenv::TempHome home_;
};

TEST_P(YiddishTexts, HalakhaAndReadingsOfEveryDayOfEveryYearType) {
  std::map<int, int> yearOfType;
  for (int year = 5700; year < 5900; ++year) yearOfType.emplace(TorahGetYearType(year), year);
  yearOfType.erase(kNoYearType);
  ASSERT_EQ(yearOfType.size(), 14u);
  std::set<std::string> problems;  // each once (the same line recurs on many days)
  for (const auto& [type, year] : yearOfType) {
    const AbsoluteDay first = AbsoluteFromHebrew(1, kTishri, year), end = AbsoluteFromHebrew(1, kTishri, year + 1);
    for (bool diaspora : {false, true}) {
      const CalendarRules rules{diaspora, true};
      std::map<AbsoluteDay, std::string> english;  // the table is switched once per pass
      UseLanguage(kLanguageEnglish);
      for (AbsoluteDay d = first; d < end; ++d) english[d] = Lists(d, rules);
      UseLanguage(GetParam());
      for (AbsoluteDay d = first; d < end; ++d) {
        const std::vector<std::string> e = testenv::Lines(english[d]), y = testenv::Lines(Lists(d, rules));
        if (e.size() != y.size()) problems.insert("line count differs:\n" + english[d]);
        for (size_t i = 0; i < std::min(e.size(), y.size()); ++i) {
          const std::string pair = ": \"" + e[i] + "\" -> \"" + y[i] + "\"";
          if (std::any_of(y[i].begin(), y[i].end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
            problems.insert("English left" + pair);
          if (e[i].find_first_not_of(' ') != y[i].find_first_not_of(' ')) problems.insert("indentation lost" + pair);
          if (Numbers(e[i]) != Numbers(y[i])) problems.insert("numbers changed" + pair);
        }
      }
    }
  }
  std::string shown;
  for (auto it = problems.begin(); it != problems.end() && std::distance(problems.begin(), it) < 25; ++it)
    shown += *it + "\n";
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):\n" << shown;
}

INSTANTIATE_TEST_SUITE_P(RightToLeft, YiddishTexts, ::testing::Values(kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) { return getLanguagePrefix(info.param); });

}  // namespace
