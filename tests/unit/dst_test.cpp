#include "suntimes/dst.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"

namespace {

// Whether the hour of day.month.year is moved forward by the rule.
bool Corrected(const DstSetting& rule, int day, int month, int year) {
  int hour = 10, second = 20;
  EXPECT_EQ(Daylight_Correction(day, month, year, &hour, &second, &rule), 1);
  EXPECT_EQ(second - hour, 10);  // both hours are treated alike
  return hour == 11;
}

DstSetting Common(int startWeekNo, int startWeekday, int startMonth, int endWeekNo, int endWeekday, int endMonth) {
  DstSetting r;
  r.startMethod = kDstCommon;
  r.startWeekNo = startWeekNo;
  r.startWeekday = startWeekday;
  r.startMonth = startMonth;
  r.endMethod = kDstCommon;
  r.endWeekNo = endWeekNo;
  r.endWeekday = endWeekday;
  r.endMonth = endMonth;
  return r;
}

GregorianDate Greg(AbsoluteDay d) { return GregorianFromAbsolute(d); }

// Start and end days of published daylight-saving periods (the first day
// with summer time and the first day without).
TEST(Dst, CommonRulesMatchPublishedDates) {
  const DstSetting europe;  // the default: last Sunday of March to last Sunday of October
  const DstSetting usa = Common(2, kSunday, 3, 1, kSunday, 11);
  struct Case {
    const char* what;
    const DstSetting& rule;
    int year;
    GregorianDate start, end;
  } cases[] = {
      {"EU 2010", europe, 2010, {28, 3, 2010}, {31, 10, 2010}},
      {"EU 2024", europe, 2024, {31, 3, 2024}, {27, 10, 2024}},
      {"EU 2025", europe, 2025, {30, 3, 2025}, {26, 10, 2025}},
      {"US 2024", usa, 2024, {10, 3, 2024}, {3, 11, 2024}},
      {"US 2025", usa, 2025, {9, 3, 2025}, {2, 11, 2025}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Greg(DstStartDay(c.rule, c.year)), c.start);
    EXPECT_EQ(Greg(DstEndDay(c.rule, c.year)), c.end);
  }
}

TEST(Dst, PeriodCoversTheStartDayButNotTheEndDay) {
  const DstSetting rule;  // 2010: corrected from Sunday 28 March up to Saturday 30 October
  EXPECT_FALSE(Corrected(rule, 27, 3, 2010));
  EXPECT_TRUE(Corrected(rule, 28, 3, 2010));
  EXPECT_TRUE(Corrected(rule, 21, 6, 2010));
  EXPECT_TRUE(Corrected(rule, 30, 10, 2010));
  EXPECT_FALSE(Corrected(rule, 31, 10, 2010));
  EXPECT_FALSE(Corrected(rule, 1, 1, 2010));
  EXPECT_FALSE(Corrected(rule, 31, 12, 2010));
}

TEST(Dst, HourWrapsWithoutChangingTheDate) {
  const DstSetting rule;
  int hour = 23, second = 5;
  ASSERT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, &rule), 1);
  EXPECT_EQ(hour, 0);
  EXPECT_EQ(second, 6);
}

TEST(Dst, NullRuleChangesNothing) {
  int hour = 12, second = 13;
  EXPECT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, nullptr), 1);
  EXPECT_EQ(hour, 12);
  EXPECT_EQ(second, 13);
}

TEST(Dst, NthWeekdayRules) {
  // 1st..4th Sunday of March 2024 (1 March 2024 was a Friday).
  const int expected[] = {3, 10, 17, 24};
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(Greg(DstStartDay(Common(n, kSunday, 3, 5, kSunday, 10), 2024)),
              (GregorianDate{expected[n - 1], 3, 2024}));
  }
  // The first Friday of March 2024 is the 1st itself; the last Friday of
  // May 2024 is the 31st itself.
  EXPECT_EQ(Greg(DstStartDay(Common(1, kFriday, 3, 5, kFriday, 5), 2024)), (GregorianDate{1, 3, 2024}));
  EXPECT_EQ(Greg(DstEndDay(Common(1, kFriday, 3, 5, kFriday, 5), 2024)), (GregorianDate{31, 5, 2024}));
  // Last Sunday of February in a leap year whose 29th is not a Sunday, and in
  // 2032 whose 29 February is one.
  EXPECT_EQ(Greg(DstStartDay(Common(5, kSunday, 2, 5, kSunday, 10), 2024)), (GregorianDate{25, 2, 2024}));
  EXPECT_EQ(Greg(DstStartDay(Common(5, kSunday, 2, 5, kSunday, 10), 2032)), (GregorianDate{29, 2, 2032}));
}

DstSetting Israel(int startWeekNo, int startWeekday, int startDay, int startMonth, int endWeekday) {
  DstSetting r;
  r.startMethod = kDstIsrael;
  r.startWeekNo = startWeekNo;
  r.startWeekday = startWeekday;
  r.startDay = startDay;
  r.startMonth = startMonth;
  r.endMethod = kDstIsrael;
  r.endWeekNo = 0;  // not used by the Israel end rule
  r.endWeekday = endWeekday;
  r.endMonth = 0;
  return r;
}

TEST(Dst, IsraelStartRule) {
  // The last Friday strictly before 2 April: 2 April 2010 was itself a
  // Friday, so summer time began on 26 March 2010 (as it did in Israel);
  // in 2024 on 29 March (also as it did).
  const DstSetting before = Israel(5, kFriday, 2, 4, kSunday);
  EXPECT_EQ(Greg(DstStartDay(before, 2010)), (GregorianDate{26, 3, 2010}));
  EXPECT_EQ(Greg(DstStartDay(before, 2024)), (GregorianDate{29, 3, 2024}));
  // "1st": the first Friday strictly after 2 April.
  const DstSetting after = Israel(1, kFriday, 2, 4, kSunday);
  EXPECT_EQ(Greg(DstStartDay(after, 2010)), (GregorianDate{9, 4, 2010}));
  EXPECT_EQ(Greg(DstStartDay(after, 2024)), (GregorianDate{5, 4, 2024}));
  // A day beyond the month's end runs on: 31 February 2023 is 3 March, a
  // Friday, so the last Friday before it is 24 February.
  EXPECT_EQ(Greg(DstStartDay(Israel(5, kFriday, 31, 2, kSunday), 2023)), (GregorianDate{24, 2, 2023}));
}

TEST(Dst, IsraelEndRuleAroundYomKippur) {
  // Israel ended summer time on the Sunday before Yom Kippur in these years.
  const DstSetting rule = Israel(5, kFriday, 2, 4, kSunday);
  struct Case {
    int year;
    GregorianDate end;
    const char* yomKippur;
  } cases[] = {
      {2009, {27, 9, 2009}, "Monday 28 September: the end day is its eve"},
      {2010, {12, 9, 2010}, "Saturday 18 September"},
      {2011, {2, 10, 2011}, "Saturday 8 October"},
      {2012, {23, 9, 2012}, "Wednesday 26 September"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yomKippur);
    EXPECT_EQ(Greg(DstEndDay(rule, c.year)), c.end);
  }
  // Around the end: the Saturday before it is corrected, the Sunday is not.
  EXPECT_TRUE(Corrected(rule, 26, 9, 2009));
  EXPECT_FALSE(Corrected(rule, 27, 9, 2009));
  EXPECT_FALSE(Corrected(rule, 28, 9, 2009));
  // The end weekday may also be the eve's own weekday: Friday 17 September 2010.
  EXPECT_EQ(Greg(DstEndDay(Israel(5, kFriday, 2, 4, kFriday), 2010)), (GregorianDate{17, 9, 2010}));
}

TEST(Dst, SouthernHemisphereRules) {
  // New South Wales: first Sunday of October to first Sunday of April. In
  // 2024 summer time ended on 7 April and began again on 6 October.
  const DstSetting rule = Common(1, kSunday, 10, 1, kSunday, 4);
  EXPECT_TRUE(Corrected(rule, 1, 1, 2024));
  EXPECT_TRUE(Corrected(rule, 6, 4, 2024));
  EXPECT_FALSE(Corrected(rule, 7, 4, 2024));
  EXPECT_FALSE(Corrected(rule, 21, 6, 2024));
  EXPECT_FALSE(Corrected(rule, 5, 10, 2024));
  EXPECT_TRUE(Corrected(rule, 6, 10, 2024));
  EXPECT_TRUE(Corrected(rule, 31, 12, 2024));
  // Chile 2024: first Sunday of September to first Sunday of April.
  const DstSetting chile = Common(1, kSunday, 9, 1, kSunday, 4);
  EXPECT_FALSE(Corrected(chile, 7, 4, 2024));
  EXPECT_TRUE(Corrected(chile, 8, 9, 2024));
  // A rule whose start equals its end has an empty period.
  const DstSetting empty = Common(5, kSunday, 3, 5, kSunday, 3);
  EXPECT_FALSE(Corrected(empty, 31, 3, 2024));
  EXPECT_FALSE(Corrected(empty, 1, 7, 2024));
}

// Every day of a year is either in or out, and for a northern and a southern
// rule the corrected days are exactly the complement of each other when the
// start and end are swapped.
TEST(Dst, SwappedRulesAreComplements) {
  const DstSetting north = Common(5, kSunday, 3, 5, kSunday, 10);
  const DstSetting south = Common(5, kSunday, 10, 5, kSunday, 3);
  for (int year : {2023, 2024, 2100}) {
    int northDays = 0;
    for (AbsoluteDay d = AbsoluteFromGregorian(1, 1, year); d <= AbsoluteFromGregorian(31, 12, year); ++d) {
      const GregorianDate g = Greg(d);
      const bool n = Corrected(north, g.day, g.month, g.year);
      EXPECT_NE(n, Corrected(south, g.day, g.month, g.year)) << g.day << "." << g.month << "." << g.year;
      northDays += n;
    }
    // 30 or 31 whole weeks from the last Sunday of March to that of October.
    EXPECT_TRUE(northDays == 210 || northDays == 217) << northDays;
  }
}

TEST(Dst, InvalidRules) {
  struct Case {
    const char* what;
    DstSetting rule;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what, auto change) {
    DstSetting r;
    change(r);
    cases.push_back({what, r});
  };
  add("start week 0", [](DstSetting& r) { r.startWeekNo = 0; });
  add("start week 6", [](DstSetting& r) { r.startWeekNo = 6; });
  add("start week 0, Israel method", [](DstSetting& r) {
    r.startMethod = 1;
    r.startWeekNo = 0;
  });
  add("start weekday 7", [](DstSetting& r) { r.startWeekday = 7; });
  add("start weekday -1", [](DstSetting& r) { r.startWeekday = -1; });
  add("start month 0", [](DstSetting& r) { r.startMonth = 0; });
  add("start month 13, Israel method", [](DstSetting& r) {
    r.startMethod = 1;
    r.startMonth = 13;
  });
  add("end week 0", [](DstSetting& r) { r.endWeekNo = 0; });
  add("end weekday 7", [](DstSetting& r) { r.endWeekday = 7; });
  add("end weekday 9, Israel method", [](DstSetting& r) {
    r.endMethod = 1;
    r.endWeekday = 9;
  });
  add("end month 13", [](DstSetting& r) { r.endMonth = 13; });
  add("start method 2", [](DstSetting& r) { r.startMethod = 2; });
  add("end method -1", [](DstSetting& r) { r.endMethod = -1; });
  for (const Case& c : cases) {
    int hour = 10, second = 11;
    EXPECT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, &c.rule), 0) << c.what;
    EXPECT_EQ(hour, 10) << c.what;
    EXPECT_EQ(second, 11) << c.what;
  }
  // The Israel end rule does not use week number and month.
  DstSetting israelEnd;
  israelEnd.endMethod = 1;
  israelEnd.endWeekNo = 0;
  israelEnd.endMonth = 99;
  EXPECT_TRUE(DstRuleIsValid(israelEnd));
  // Nor does the Common start rule use the day.
  DstSetting anyDay;
  anyDay.startDay = -40;
  EXPECT_TRUE(DstRuleIsValid(anyDay));
}

}  // namespace
