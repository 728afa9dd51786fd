// Daf Yomi pages against an independent calendar (daf_yomi_pages.csv), the
// cycle numbers and the refusals of dates outside the cycles.
#include "calendar/daf_yomi.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "calendar/calendar.h"
#include "reference_data.h"

namespace {

// Before the first cycle, dates that do not exist or are out of range are refused.
TEST(DafYomi, MatchesIndependentCalendar) {
  std::map<std::string, std::string> ourName;
  for (const auto& f : testdata::ReadRows("daf_yomi_names.tsv", '\t')) ourName[f.at(0)] = f.at(1);
  const auto rows = testdata::ReadRows("daf_yomi_pages.csv");
  ASSERT_GT(rows.size(), 2000u);
  for (const auto& r : rows) {
    ASSERT_EQ(ourName.count(r.at(1)), 1u) << r[1];
    const GregorianDate g = GregorianFromAbsolute(*testdata::IsoDay(r[0]));
    EXPECT_EQ(DafYomiGetWithoutCycle(g.day, g.month, g.year), ourName[r[1]] + " " + r.at(2)) << r[0];
  }
  EXPECT_NE(DafYomiGetWithoutCycle(31, 12, 3000), "");
  const GregorianDate refused[] = {{9, 7, 1923}, {29, 2, 1900}, {31, 12, 1582}, {1, 1, 3001},
                                   {0, 1, 2024}, {31, 4, 2024}, {1, 13, 2024}};
  for (const GregorianDate& d : refused)
    EXPECT_EQ(DafYomiGetWithoutCycle(d.day, d.month, d.year), "") << d.day << "." << d.month << "." << d.year;
}

TEST(DafYomi, CyclesAndRefusals) {
  auto cycleOf = [](int day, int month, int year, int size = kDafYomiRecSize) {
    DafYomiRec rec;
    rec.sizeCheck = size;
    rec.day = day;
    rec.month = month;
    rec.year = year;
    return DafYomiGetIt(&rec) == kDafYomiOk ? rec.longText : std::to_string(DafYomiGetIt(&rec));
  };
  EXPECT_EQ(cycleOf(10, 7, 1923), "Cycle 1, Berachos 2");
  EXPECT_EQ(cycleOf(5, 1, 2020), "Cycle 14, Berachos 2");
  EXPECT_EQ(cycleOf(4, 1, 2020), "Cycle 13, Nidah 73");
  EXPECT_EQ(cycleOf(9, 7, 1923), std::to_string(kDafYomiBeforeStart));
  EXPECT_EQ(cycleOf(5, 1, 2020, 799), std::to_string(kDafYomiBadStructure));
  EXPECT_EQ(DafYomiGetIt(nullptr), kDafYomiBadStructure);
}

}  // namespace
