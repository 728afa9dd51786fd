#include "suntimes/dst.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "calendar/calendar.h"
#include "base/translate.h"
#include "forms/dst_form.h"
#include "suntimes_env.h"

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
  r.startMethod = r.endMethod = kDstCommon;
  r.startWeekNo = startWeekNo, r.startWeekday = startWeekday, r.startMonth = startMonth;
  r.endWeekNo = endWeekNo, r.endWeekday = endWeekday, r.endMonth = endMonth;
  return r;
}

// Start: the weekday before (week 5) or after (week 1) a day of a month;
// end: that weekday before Yom Kippur.
DstSetting Israel(int startWeekNo, int startWeekday, int startDay, int startMonth, int endWeekday) {
  DstSetting r;
  r.startMethod = r.endMethod = kDstIsrael;
  r.startWeekNo = startWeekNo, r.startWeekday = startWeekday, r.startDay = startDay, r.startMonth = startMonth;
  r.endWeekNo = 0, r.endWeekday = endWeekday, r.endMonth = 0;  // unused by the Israel end
  return r;
}

// Start and end days of published daylight-saving periods (the first day
// with summer time and the first day without) and other rule shapes; the
// correction covers the start day and not the end day, also where the
// period runs over the turn of the year (the southern hemisphere).
TEST(Dst, StartAndEndDays) {
  const DstSetting europe;  // the default: last Sunday of March to last Sunday of October
  const DstSetting usa = Common(2, kSunday, 3, 1, kSunday, 11);
  const DstSetting israel = Israel(5, kFriday, 2, 4, kSunday);  // Israel 2005-2012
  const struct {
    const char* what;
    DstSetting rule;
    int year;
    GregorianDate start, end;
  } cases[] = {
      {"EU 2010", europe, 2010, {28, 3, 2010}, {31, 10, 2010}},
      {"EU 2024", europe, 2024, {31, 3, 2024}, {27, 10, 2024}},
      {"EU 2025", europe, 2025, {30, 3, 2025}, {26, 10, 2025}},
      {"US 2024", usa, 2024, {10, 3, 2024}, {3, 11, 2024}},
      {"US 2025", usa, 2025, {9, 3, 2025}, {2, 11, 2025}},
      {"New South Wales 2024", Common(1, kSunday, 10, 1, kSunday, 4), 2024, {6, 10, 2024}, {7, 4, 2024}},
      // 2 April 2010 was a Friday: the last Friday strictly before it. The
      // end is the Sunday before Yom Kippur (28 September 2009, 18 September
      // 2010 a Saturday, 8 October 2011, 26 September 2012).
      {"Israel 2009", israel, 2009, {27, 3, 2009}, {27, 9, 2009}},
      {"Israel 2010", israel, 2010, {26, 3, 2010}, {12, 9, 2010}},
      {"Israel 2011", israel, 2011, {1, 4, 2011}, {2, 10, 2011}},
      {"Israel 2012", israel, 2012, {30, 3, 2012}, {23, 9, 2012}},
      {"Israel, first Friday after; the end on Yom Kippur eve's weekday", Israel(1, kFriday, 2, 4, kFriday), 2010,
       {9, 4, 2010}, {17, 9, 2010}},
      // 31 February 2023 runs on to 3 March, a Friday.
      {"Israel, a day beyond the month's end", Israel(5, kFriday, 31, 2, kSunday), 2023, {24, 2, 2023}, {24, 9, 2023}},
      {"2nd Sunday of March 2024 (1 March a Friday)", Common(2, kSunday, 3, 5, kSunday, 10), 2024, {10, 3, 2024},
       {27, 10, 2024}},
      {"first and last Friday that are the month's first and last day", Common(1, kFriday, 3, 5, kFriday, 5), 2024,
       {1, 3, 2024}, {31, 5, 2024}},
      {"last Sunday of a leap February", Common(5, kSunday, 2, 4, kSunday, 10), 2024, {25, 2, 2024}, {27, 10, 2024}},
      {"last Sunday of February on the 29th", Common(5, kSunday, 2, 4, kSunday, 10), 2032, {29, 2, 2032},
       {24, 10, 2032}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GregorianFromAbsolute(DstStartDay(c.rule, c.year)), c.start);
    EXPECT_EQ(GregorianFromAbsolute(DstEndDay(c.rule, c.year)), c.end);
    for (const auto& [day, corrected] : {std::pair{AbsoluteFromGregorian(c.start) - 1, false},
                                         {AbsoluteFromGregorian(c.start), true},
                                         {AbsoluteFromGregorian(c.end) - 1, true},
                                         {AbsoluteFromGregorian(c.end), false}}) {
      const GregorianDate g = GregorianFromAbsolute(day);
      EXPECT_EQ(Corrected(c.rule, g.day, g.month, g.year), corrected) << g.day << "." << g.month;
    }
  }
}

TEST(Dst, EmptyAndNullRulesAndTheHourWrap) {
  const DstSetting empty = Common(5, kSunday, 3, 5, kSunday, 3);  // start equal to end
  EXPECT_FALSE(Corrected(empty, 31, 3, 2024));
  EXPECT_FALSE(Corrected(empty, 1, 7, 2024));
  // 23 wraps to 0 without changing the date; a null rule changes nothing.
  const DstSetting rule;
  int hour = 23, second = 5;
  ASSERT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, &rule), 1);
  EXPECT_EQ(hour * 100 + second, 6);
  EXPECT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, nullptr), 1);
  EXPECT_EQ(hour * 100 + second, 6);
}

// Every day of a year is either in or out, and a northern and a southern
// rule with swapped start and end correct exactly complementary days.
TEST(Dst, SwappedRulesAreComplements) {
  const DstSetting north = Common(5, kSunday, 3, 5, kSunday, 10);
  const DstSetting south = Common(5, kSunday, 10, 5, kSunday, 3);
  for (int year : {2023, 2024, 2100}) {
    int northDays = 0;
    for (AbsoluteDay d = AbsoluteFromGregorian(1, 1, year); d <= AbsoluteFromGregorian(31, 12, year); ++d) {
      const GregorianDate g = GregorianFromAbsolute(d);
      const bool n = Corrected(north, g.day, g.month, g.year);
      EXPECT_NE(n, Corrected(south, g.day, g.month, g.year)) << g.day << "." << g.month << "." << g.year;
      northDays += n;
    }
    // 30 or 31 whole weeks from the last Sunday of March to that of October.
    EXPECT_TRUE(northDays == 210 || northDays == 217) << northDays;
  }
}

TEST(Dst, InvalidRules) {
  const std::function<void(DstSetting&)> changes[] = {
      [](DstSetting& r) { r.startWeekNo = 0; },
      [](DstSetting& r) { r.startWeekNo = 6; },
      [](DstSetting& r) { r.startMethod = kDstIsrael, r.startWeekNo = 0; },
      [](DstSetting& r) { r.startWeekday = 7; },
      [](DstSetting& r) { r.startWeekday = -1; },
      [](DstSetting& r) { r.startMonth = 0; },
      [](DstSetting& r) { r.startMethod = kDstIsrael, r.startMonth = 13; },
      [](DstSetting& r) { r.endWeekNo = 0; },
      [](DstSetting& r) { r.endWeekday = 7; },
      [](DstSetting& r) { r.endMethod = kDstIsrael, r.endWeekday = 9; },
      [](DstSetting& r) { r.endMonth = 13; },
      [](DstSetting& r) { r.startMethod = 2; },
      [](DstSetting& r) { r.endMethod = -1; },
  };
  int i = 0;
  for (const auto& change : changes) {
    DstSetting rule;
    change(rule);
    int hour = 10, second = 11;
    EXPECT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, &rule), 0) << "change " << i;
    EXPECT_EQ(hour * 100 + second, 1011) << "change " << i++;
  }
  // The Israel end rule uses no week number and month, the Common start no day.
  DstSetting unused;
  unused.endMethod = kDstIsrael;
  unused.endWeekNo = 0;
  unused.endMonth = 99;
  unused.startDay = -40;
  EXPECT_TRUE(DstRuleIsValid(unused));
}

using DstFormTest = testenv::SunTimesTest;

bool SameRule(const DstSetting& a, const DstSetting& b) {
  return a.startMethod == b.startMethod && a.startWeekNo == b.startWeekNo && a.startWeekday == b.startWeekday &&
         a.startDay == b.startDay && a.startMonth == b.startMonth && a.endMethod == b.endMethod &&
         a.endWeekNo == b.endWeekNo && a.endWeekday == b.endWeekday && a.endMonth == b.endMonth;
}

// The texts in use are covered by the round trip below; these mean "nothing
// chosen". The lists compare translated texts.
TEST_F(DstFormTest, ListTexts) {
  EXPECT_EQ(GetWeekNoList(), (std::vector<std::string>{"", "1st", "2nd", "3rd", "4th", "Last"}));
  EXPECT_EQ(GetDayList().back(), "31");
  for (const char* unset : {"", "0", "32", "1x", " 3", "-1"}) {
    SCOPED_TRACE(unset);
    EXPECT_EQ(GetDayFromString(unset), -1);
    EXPECT_EQ(GetWeekNoFromString(unset), -1);
    EXPECT_EQ(GetWeekdayFromString(unset), -1);
    EXPECT_EQ(GetMonthFromString(unset), -1);
  }
  EXPECT_EQ(GetWeekNoString(0) + GetWeekNoString(6), "");

  std::filesystem::create_directories(home_.path() + "/.lumaro/translations");
  testenv::WriteFile(home_.path() + "/.lumaro/translations/yiddish.gui",
                     "\"1st\" = \"ershter\"\n\"Last\" = \"letster\"\n\"after\" = \"nokh\"\n");
  translate_init("yiddish");
  EXPECT_EQ(GetWeekNoIsraelList(), (std::vector<std::string>{"", "ershter", "letster"}));
  EXPECT_EQ(GetWeekNoFromString("letster"), 5);
  EXPECT_EQ(GetWeekNoFromString("Last"), -1);
  EXPECT_EQ(DstBeforeAfterLabel("ershter"), "nokh");
}

// Every rule the dialog can show comes back unchanged from an untouched
// form, and is one the correction accepts.
TEST_F(DstFormTest, UntouchedFormGivesTheStoredRuleBack) {
  int checked = 0;
  for (int method = 0; method <= 1; ++method) {
    for (int weekNo = 1; weekNo <= 5; ++weekNo) {
      if (method == kDstIsrael && weekNo != 1 && weekNo != 5) continue;
      for (int weekday = 0; weekday <= 6; ++weekday) {
        for (int month = 1; month <= 12; ++month) {
          DstSetting rule;
          rule.startMethod = method, rule.startWeekNo = weekNo, rule.startWeekday = weekday, rule.startMonth = month;
          rule.startDay = 1 + (weekday * 5 + month) % 31;
          rule.endMethod = 1 - method, rule.endWeekday = 6 - weekday, rule.endWeekNo = 6 - weekNo;
          rule.endMonth = 13 - month;
          const DstFormResult r = DstFormCheck(DstFormFromRule(true, rule), rule);
          ASSERT_EQ(r.message, "") << method << " " << weekNo << " " << weekday << " " << month;
          ASSERT_TRUE(SameRule(r.rule, rule));
          ASSERT_TRUE(DstRuleIsValid(r.rule));
          ASSERT_EQ(r.isDst, 1);
          ++checked;
        }
      }
    }
  }
  EXPECT_EQ(checked, (5 + 2) * 7 * 12);
}

// Incomplete forms: the message is the last that applies; the rule stays.
TEST_F(DstFormTest, MessageOfTheLastMissingChoice) {
  const DstSetting stored;
  const std::pair<std::function<void(DstForm&)>, const char*> cases[] = {
      {[](DstForm& f) { f.startMethod = kDstIsrael; }, "Start Month must be selected"},
      {[](DstForm& f) { f.startMethod = kDstIsrael, f.startIsrael = {"Last", "Friday", "", "April"}; },
       "Start day must be selected"},
      {[](DstForm& f) { f.startMethod = kDstIsrael, f.endCommon.weekNo = ""; }, "End Week No must be selected"},
      {[](DstForm& f) { f.startCommon.weekNo = ""; }, "Start Week No must be selected"},
      {[](DstForm& f) { f.startCommon.weekday = f.startCommon.month = ""; }, "Start Month must be selected"},
      {[](DstForm& f) { f.endMethod = kDstIsrael; }, "End weekday must be selected"},
      {[](DstForm& f) { f.endCommon = {}; }, "End Month must be selected"},
      {[](DstForm& f) { f.endCommon.weekday = ""; }, "End Weekday must be selected"},
  };
  for (const auto& [change, message] : cases) {
    DstForm form = DstFormFromRule(true, stored);
    change(form);
    const DstFormResult r = DstFormCheck(form, stored);
    EXPECT_EQ(r.message, message);
    EXPECT_TRUE(SameRule(r.rule, stored)) << message;
  }
  // Stored values out of range show empty fields.
  DstSetting rule;
  rule.startMethod = kDstIsrael;
  rule.startWeekNo = 3;  // the Israel list has only 1st and Last
  rule.startWeekday = 9, rule.startDay = 40, rule.startMonth = 0;
  const DstForm form = DstFormFromRule(true, rule);
  EXPECT_EQ(form.startIsrael.weekNo + form.startIsrael.weekday + form.startIsrael.day + form.startIsrael.month, "");
  EXPECT_EQ(DstFormCheck(form, rule).message, "Start Month must be selected");
}

// Israel's rule of 2005-2012 chosen in the form: summer time 2010 from 26
// March to 12 September, as published.
TEST_F(DstFormTest, IsraelRuleChosenInTheForm) {
  DstSetting stored;
  stored.startDay = 15;
  DstForm form = DstFormFromRule(true, stored);
  form.startMethod = form.endMethod = kDstIsrael;
  form.startIsrael = {"Last", "Friday", "2", "April"};
  form.endIsrael.weekday = "Sunday";
  const DstFormResult r = DstFormCheck(form, stored);
  ASSERT_EQ(r.message, "");
  EXPECT_EQ(r.rule.endWeekNo, stored.endWeekNo);  // unused by the Israel end: kept
  EXPECT_EQ(r.rule.endMonth, stored.endMonth);
  EXPECT_EQ(GregorianFromAbsolute(DstStartDay(r.rule, 2010)), (GregorianDate{26, 3, 2010}));
  EXPECT_EQ(GregorianFromAbsolute(DstEndDay(r.rule, 2010)), (GregorianDate{12, 9, 2010}));
  // Back to the Common start: the Israel start day stays as chosen.
  DstForm common = DstFormFromRule(true, r.rule);
  common.startMethod = kDstCommon;
  common.startCommon = {"Last", "Sunday", "", "March"};
  EXPECT_EQ(DstFormCheck(common, r.rule).rule.startDay, 2);
}

}  // namespace
