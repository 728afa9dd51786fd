#include "suntimes/dst_form.h"

#include <gtest/gtest.h>

#include <filesystem>
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

// The lists' texts and values in use are covered by the round trip below;
// these are the texts that mean "nothing chosen".
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
  EXPECT_EQ(GetWeekNoString(0), "");
  EXPECT_EQ(GetWeekNoString(6), "");
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
          rule.startMethod = method;
          rule.startWeekNo = weekNo;
          rule.startWeekday = weekday;
          rule.startMonth = month;
          rule.startDay = 1 + (weekday * 5 + month) % 31;
          rule.endMethod = 1 - method;
          rule.endWeekday = 6 - weekday;
          rule.endWeekNo = 6 - weekNo;
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

// Incomplete forms: the message is the last that applies.
TEST_F(DstFormTest, MessageOfTheLastMissingChoice) {
  const DstSetting stored;
  auto form = [&] { return DstFormFromRule(true, stored); };
  struct Case {
    const char* what;
    DstForm f;
    const char* message;
  };
  DstForm israelEmpty = form();
  israelEmpty.startMethod = kDstIsrael;
  DstForm israelNoDay = israelEmpty;
  israelNoDay.startIsrael = {"Last", "Friday", "", "April"};
  DstForm israelStartAndCommonEndMissingWeek = israelEmpty;
  israelStartAndCommonEndMissingWeek.endCommon.weekNo = "";
  DstForm commonNoWeek = form();
  commonNoWeek.startCommon.weekNo = "";
  DstForm commonNoWeekday = form();
  commonNoWeekday.startCommon.weekday = "";
  commonNoWeekday.startCommon.month = "";
  DstForm israelEnd = form();
  israelEnd.endMethod = kDstIsrael;
  DstForm commonEndAllMissing = form();
  commonEndAllMissing.endCommon = {};
  DstForm commonEndNoWeekday = form();
  commonEndNoWeekday.endCommon.weekday = "";
  const Case cases[] = {
      {"Israel start, nothing chosen", israelEmpty, "Start Month must be selected"},
      {"Israel start without a day", israelNoDay, "Start day must be selected"},
      {"an end message replaces a start message", israelStartAndCommonEndMissingWeek, "End Week No must be selected"},
      {"Common start without a week", commonNoWeek, "Start Week No must be selected"},
      {"weekday and month missing", commonNoWeekday, "Start Month must be selected"},
      {"Israel end, nothing chosen", israelEnd, "End weekday must be selected"},
      {"Common end, nothing chosen", commonEndAllMissing, "End Month must be selected"},
      {"Common end without a weekday", commonEndNoWeekday, "End Weekday must be selected"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DstFormResult r = DstFormCheck(c.f, stored);
    EXPECT_EQ(r.message, c.message);
    EXPECT_TRUE(SameRule(r.rule, stored));
  }
}

// Israel's rule of 2005-2012: from the last Friday before 2 April to the
// Sunday before Yom Kippur. Published periods: 26 March to 12 September
// 2010, 1 April to 2 October 2011.
TEST_F(DstFormTest, IsraelRuleChosenInTheFormMatchesPublishedDates) {
  DstSetting stored;  // the default, Common rule with start day 2
  stored.startDay = 15;
  DstForm form = DstFormFromRule(true, stored);
  form.startMethod = kDstIsrael;
  form.startIsrael = {"Last", "Friday", "2", "April"};
  form.endMethod = kDstIsrael;
  form.endIsrael.weekday = "Sunday";
  const DstFormResult r = DstFormCheck(form, stored);
  ASSERT_EQ(r.message, "");
  EXPECT_EQ(r.rule.startDay, 2);
  // Unused by the Israel end: kept as stored.
  EXPECT_EQ(r.rule.endWeekNo, stored.endWeekNo);
  EXPECT_EQ(r.rule.endMonth, stored.endMonth);
  EXPECT_EQ(GregorianFromAbsolute(DstStartDay(r.rule, 2010)), (GregorianDate{26, 3, 2010}));
  EXPECT_EQ(GregorianFromAbsolute(DstEndDay(r.rule, 2010)), (GregorianDate{12, 9, 2010}));
  EXPECT_EQ(GregorianFromAbsolute(DstStartDay(r.rule, 2011)), (GregorianDate{1, 4, 2011}));
  EXPECT_EQ(GregorianFromAbsolute(DstEndDay(r.rule, 2011)), (GregorianDate{2, 10, 2011}));

  // Back to the Common start: the Israel start day stays as chosen.
  DstForm common = DstFormFromRule(true, r.rule);
  common.startMethod = kDstCommon;
  common.startCommon = {"Last", "Sunday", "", "March"};
  EXPECT_EQ(DstFormCheck(common, r.rule).rule.startDay, 2);
}

TEST_F(DstFormTest, OutOfRangeStoredValuesShowEmptyFields) {
  DstSetting rule;
  rule.startMethod = kDstIsrael;
  rule.startWeekNo = 3;  // the Israel list has only 1st and Last
  rule.startWeekday = 9;
  rule.startDay = 40;
  rule.startMonth = 0;
  const DstForm form = DstFormFromRule(true, rule);
  EXPECT_EQ(form.startIsrael.weekNo + form.startIsrael.weekday + form.startIsrael.day + form.startIsrael.month, "");
  EXPECT_EQ(DstFormCheck(form, rule).message, "Start Month must be selected");
}

}  // namespace
