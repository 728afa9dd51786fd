#include "suntimes/dst.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "calendar/calendar.h"
#include "base/translate.h"
#include "forms/dst_form.h"
#include "reference_data.h"
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

// A rule of the case file: "common" with week number, weekday and month of
// start and end, or "israel" with week number, weekday, day and month of the
// start and the weekday of the end.
DstSetting RuleOf(const std::string& text) {
  std::istringstream in(text);
  std::string kind;
  DstSetting r;
  in >> kind;
  r.startMethod = r.endMethod = kind == "israel" ? kDstIsrael : kDstCommon;
  if (r.startMethod == kDstIsrael) {
    in >> r.startWeekNo >> r.startWeekday >> r.startDay >> r.startMonth >> r.endWeekday;
    r.endWeekNo = r.endMonth = 0;  // unused by the Israel end
  } else {
    in >> r.startWeekNo >> r.startWeekday >> r.startMonth >> r.endWeekNo >> r.endWeekday >> r.endMonth;
  }
  return r;
}

// The correction covers the start day and not the end day, also where the
// period runs over the turn of the year (the southern hemisphere).
TEST(Dst, StartAndEndDays) {
  const auto rows = testenv::CaseRows("dst_rules.tsv");
  ASSERT_GE(rows.size(), 16u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row[4]);
    const DstSetting rule = RuleOf(row[0]);
    const int year = std::stoi(row[1]);
    const AbsoluteDay start = *testdata::IsoDay(row[2]), end = *testdata::IsoDay(row[3]);
    EXPECT_EQ(DstStartDay(rule, year), start);
    EXPECT_EQ(DstEndDay(rule, year), end);
    for (const auto& [day, corrected] : {std::pair{start - 1, false}, {start, true}, {end - 1, true}, {end, false}}) {
      const GregorianDate g = GregorianFromAbsolute(day);
      EXPECT_EQ(Corrected(rule, g.day, g.month, g.year), corrected) << g.day << "." << g.month;
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
      [](DstSetting& r) { r.startWeekNo = 0; },  [](DstSetting& r) { r.startWeekNo = 6; },
      [](DstSetting& r) { r.startMethod = kDstIsrael, r.startWeekNo = 0; },
      [](DstSetting& r) { r.startWeekday = 7; }, [](DstSetting& r) { r.startWeekday = -1; },
      [](DstSetting& r) { r.startMonth = 0; },   [](DstSetting& r) { r.startMethod = kDstIsrael, r.startMonth = 13; },
      [](DstSetting& r) { r.endWeekNo = 0; },    [](DstSetting& r) { r.endWeekday = 7; },
      [](DstSetting& r) { r.endMethod = kDstIsrael, r.endWeekday = 9; },
      [](DstSetting& r) { r.endMonth = 13; },    [](DstSetting& r) { r.startMethod = 2; },
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
  DstSetting unused;  // the Israel end uses no week number and month, the Common start no day
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

// Unset texts mean "nothing chosen"; the lists compare translated texts.
TEST_F(DstFormTest, ListTexts) {
  for (const char* unset : {"", "0", "32", "1x", " 3"}) {
    EXPECT_EQ(GetDayFromString(unset) + GetWeekNoFromString(unset) + GetWeekdayFromString(unset) +
                  GetMonthFromString(unset),
              -4)
        << unset;
  }
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
// March to 12 September; the end's unused fields are kept.
TEST_F(DstFormTest, IsraelRuleChosenInTheForm) {
  DstSetting stored;
  DstForm form = DstFormFromRule(true, stored);
  form.startMethod = form.endMethod = kDstIsrael;
  form.startIsrael = {"Last", "Friday", "2", "April"};
  form.endIsrael.weekday = "Sunday";
  const DstFormResult r = DstFormCheck(form, stored);
  ASSERT_EQ(r.message, "");
  EXPECT_EQ(r.rule.endWeekNo * 100 + r.rule.endMonth, stored.endWeekNo * 100 + stored.endMonth);
  EXPECT_EQ(GregorianFromAbsolute(DstStartDay(r.rule, 2010)), (GregorianDate{26, 3, 2010}));
  EXPECT_EQ(GregorianFromAbsolute(DstEndDay(r.rule, 2010)), (GregorianDate{12, 9, 2010}));
}

}  // namespace
