#include "suntimes/dst_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "calendar/calendar.h"
#include "storage/translate.h"
#include "suntimes/dst.h"
#include "test_env.h"

namespace {

class DstFormTest : public ::testing::Test {
 protected:
  void SetUp() override { translate_init("english"); }
  void TearDown() override { translate_done(); }
  testenv::TempHome home_;
};

bool SameRule(const DstSetting& a, const DstSetting& b) {
  return a.startMethod == b.startMethod && a.startWeekNo == b.startWeekNo && a.startWeekday == b.startWeekday &&
         a.startDay == b.startDay && a.startMonth == b.startMonth && a.endMethod == b.endMethod &&
         a.endWeekNo == b.endWeekNo && a.endWeekday == b.endWeekday && a.endMonth == b.endMonth;
}

// The texts in use are covered by the round trip below; these mean "nothing chosen".
TEST_F(DstFormTest, OtherTextsAreNoChoice) {
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
}

TEST_F(DstFormTest, ListsCompareTranslatedTexts) {
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
