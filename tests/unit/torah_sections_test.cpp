#include "calendar/torah_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "reference_data.h"
#include "base/settings.h"
#include "test_env.h"

namespace {

std::vector<int> Codes(const ShabbatSections& s) {
  std::vector<int> v;
  for (int c : {s.c1, s.c2, s.c3})
    if (c != 1000) v.push_back(c);
  return v;
}

std::string Joined(const ShabbatSections& s) {
  std::string out;
  for (int c : Codes(s)) out += (out.empty() ? "" : "+") + std::to_string(c);
  return out;
}

class TorahSections : public ::testing::Test {
 protected:
  void SetUp() override { settingsReset(); }
  void TearDown() override { settingsReset(); }

  // The entry of Shabbat d; fails the test when there is none.
  static ShabbatSections At(AbsoluteDay d, const CalendarRules& rules) {
    ShabbatSections s{-1, -1, -1};
    EXPECT_TRUE(GetTorahSectionShabbat(d, rules, &s)) << testdata::IsoOf(d);
    return s;
  }

  testenv::TempHome home_;
};

// Every Saturday of 5600..5860 against tests/data/shabbat_sections.csv (an
// independent calendar), for Israel and the Diaspora.
TEST_F(TorahSections, MatchIndependentCalendar) {
  const auto rows = testdata::ReadRows("shabbat_sections.csv");
  ASSERT_GT(rows.size(), 400u) << "shabbat_sections.csv missing or short";
  int compared = 0;
  CalendarRules rules = CurrentOptions().rules;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 4u);
    rules.diaspora = row[1] == "d";
    const AbsoluteDay first = *testdata::IsoDay(row[2]);
    const auto entries = testdata::SplitRow(row[3], ' ');
    for (size_t k = 0; k < entries.size(); ++k) {
      const AbsoluteDay d = first + 7 * static_cast<AbsoluteDay>(k);
      EXPECT_EQ(Joined(At(d, rules)), entries[k]) << testdata::IsoOf(d) << (row[1] == "d" ? " Diaspora" : " Israel");
      ++compared;
    }
  }
  EXPECT_GT(compared, 26000);
}

// Other days have no entry; the year types and Shabbat Bereshith of chosen years.
TEST_F(TorahSections, WeekdaysAndYearTypes) {
  ShabbatSections s{-1, -1, -1};
  for (AbsoluteDay d = AbsoluteFromGregorian(26, 10, 2024) + 1; d % 7 != AbsoluteFromGregorian(26, 10, 2024) % 7; ++d)
    EXPECT_FALSE(GetTorahSectionShabbat(d, CurrentOptions().rules, &s)) << testdata::IsoOf(d);
  EXPECT_EQ(TorahGetYearType(5784), 9);
  EXPECT_EQ(TorahGetYearType(5785), 5);
  EXPECT_EQ(TorahGetYearType(5786), 2);
  EXPECT_EQ(TorahGetYearType(5772), 3);
  EXPECT_EQ(DetermineBereshith(5785), AbsoluteFromGregorian(26, 10, 2024));
  EXPECT_EQ(DetermineBereshith(5784), AbsoluteFromGregorian(14, 10, 2023));  // 23 Tishri is a Sunday
}

}  // namespace
