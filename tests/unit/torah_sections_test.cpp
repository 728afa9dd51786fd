// The sections of every Saturday of 5600..5860 in Israel and the Diaspora
// against an independent calendar (tests/data/shabbat_sections.csv), the
// weekdays without one, and the year types of chosen years.
#include "calendar/torah_sections.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "reference_data.h"

namespace {

// The codes of a Saturday joined by '+', or "none".
std::string Sections(AbsoluteDay d, bool diaspora) {
  ShabbatSections s{-1, -1, -1};
  if (!GetTorahSectionShabbat(d, diaspora ? kDiasporaRules : kIsraelRules, &s)) return "none";
  std::string out;
  for (int c : {s.c1, s.c2, s.c3})
    if (c != 1000) out += (out.empty() ? "" : "+") + std::to_string(c);
  return out;
}

TEST(TorahSections, MatchIndependentCalendar) {
  int compared = 0;
  for (const auto& row : testdata::ReadRows("shabbat_sections.csv")) {
    const AbsoluteDay first = *testdata::IsoDay(row.at(2));
    const auto entries = testdata::SplitRow(row.at(3), ' ');
    for (size_t k = 0; k < entries.size(); ++k, ++compared) {
      const AbsoluteDay d = first + 7 * static_cast<AbsoluteDay>(k);
      EXPECT_EQ(Sections(d, row[1] == "d"), entries[k]) << testdata::IsoOf(d) << " " << row[1];
      EXPECT_TRUE(k > 0 || Sections(d + 1 + compared % 6, row[1] == "d") == "none") << testdata::IsoOf(d);  // a weekday
    }
  }
  EXPECT_GT(compared, 26000);
  EXPECT_EQ(TorahGetYearType(5784), 9);
  EXPECT_EQ(TorahGetYearType(5785), 5);
  EXPECT_EQ(TorahGetYearType(5786), 2);
  EXPECT_EQ(TorahGetYearType(5772), 3);
  EXPECT_EQ(DetermineBereshith(5785), AbsoluteFromGregorian(26, 10, 2024));
  EXPECT_EQ(DetermineBereshith(5784), AbsoluteFromGregorian(14, 10, 2023));  // 23 Tishri is a Sunday
}

}  // namespace
