// The halakha report over whole years: on which days a line appears is fixed
// by the calendar (halakha_year_days.tsv), and lines of chosen days
// (halakha_lines.tsv). The exact text of chosen days is in the golden files.
#include "halakha/halakha.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using testenv::Lines;

class HalakhaReport : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  testenv::TempHome home_;
};

// The lines under a service header up to the next one ("-": the day notes).
bool InService(const std::string& text, const std::string& service, const std::string& wanted) {
  static const std::set<std::string> kHeaders = {"Shakharit", "Torah reading", "Musaf", "Minkha", "Neila", "Maariv"};
  bool inside = service == "-";
  for (const std::string& line : Lines(text)) {
    if (kHeaders.count(line)) {
      inside = line == service;
    } else if (inside && line == wanted) {
      return true;
    }
  }
  return false;
}

TEST_F(HalakhaReport, DaysOfTheYearWithALine) {
  std::map<std::string, std::map<AbsoluteDay, std::string>> years;  // style, year, setting -> reports
  int rows = 0;
  for (const auto& f : testdata::ReadRows("halakha_year_days.tsv", '\t')) {
    const int style = std::stoi(f.at(0)), year = std::stoi(f.at(1)), diaspora = f.at(2) == "D";
    auto& reports = years[f[0] + f[1] + f[2]];
    if (reports.empty())
      for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, year); d < AbsoluteFromHebrew(1, kTishri, year + 1); ++d)
        reports[d] = HalakhaDo(d, CalendarRules{diaspora != 0, true}, style);
    std::set<AbsoluteDay> expected, found;
    for (const auto& range : testdata::SplitRow(f.at(5), ' ')) {
      if (range == "-") continue;
      const auto ends = testdata::SplitRow(range, '.');  // first..last
      for (AbsoluteDay d = *testdata::IsoDay(ends.front()); d <= *testdata::IsoDay(ends.back()); ++d) expected.insert(d);
    }
    for (const auto& [d, text] : reports)
      if (InService(text, f[3], f.at(4))) found.insert(d);
    EXPECT_EQ(found, expected) << f[0] << " " << f[1] << " " << f[2] << " " << f[3] << ": '" << f[4] << "'";
    ++rows;
  }
  EXPECT_GT(rows, 250);
  for (const auto& [key, reports] : years) {
    for (const auto& [d, text] : reports) {
      // A festival that runs into Shabbat has no Havdalah; going out of
      // Shabbat or a festival into a weekday: Ato Khonantanu and Havdalah.
      EXPECT_EQ(text.find("haMavdil beyn Kodesh leKodesh"), std::string::npos) << d;
      const auto lines = Lines(text);
      EXPECT_EQ(std::count(lines.begin(), lines.end(), "  no Havdalah"), 0) << d;
      EXPECT_EQ(InService(text, "Maariv", "  Ato Khonantanu"), std::count(lines.begin(), lines.end(), "  Havdalah") > 0) << d;
      // Every line is a header or indented by two blanks or more.
      for (const std::string& line : lines) EXPECT_TRUE(!line.empty() && (line[0] != ' ' || line.rfind("  ", 0) == 0)) << d;
    }
  }
}

// Lines of chosen days: how often each appears in the report (halakha_lines.tsv).
TEST_F(HalakhaReport, LinesOfChosenDays) {
  const auto rows = testdata::ReadRows("halakha_lines.tsv", '\t');
  ASSERT_GT(rows.size(), 5u);
  for (const auto& f : rows) {
    const auto lines = Lines(HalakhaDo(*testdata::IsoDay(f.at(0)), CalendarRules{f.at(1) == "D", true}, *testdata::ToInt(f.at(2))));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), f.at(3)), *testdata::ToInt(f.at(4))) << f.at(0) << ": " << f.at(5);
  }
}

}  // namespace
