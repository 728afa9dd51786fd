// Daylight-saving rules against published summer-time periods (tests/data/dst_rules.tsv), and the messages of the
// rule's form.
#include "suntimes/dst.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "forms/dst_form.h"
#include "reference_data.h"
#include "suntimes_env.h"

namespace {

// Whether the hour of the date is moved forward by the rule.
bool Corrected(const DstSetting& rule, AbsoluteDay day) {
  const GregorianDate g = GregorianFromAbsolute(day);
  int hour = 10, second = 20;
  EXPECT_EQ(Daylight_Correction(g.day, g.month, g.year, &hour, &second, &rule), 1);
  EXPECT_EQ(second - hour, 10);
  return hour == 11;
}

// The start day is corrected, the end day not, also over the turn of the year; a rule out of range corrects nothing and
// says so.
TEST(Dst, StartAndEndDaysAndInvalidRules) {
  for (const auto& row : testenv::CaseRows("dst_rules.tsv")) {
    SCOPED_TRACE(row[4]);
    std::istringstream in(row[0]);
    std::string kind;
    in >> kind;
    DstSetting rule;
    rule.startMethod = rule.endMethod = kind == "israel" ? kDstIsrael : kDstCommon;
    if (kind == "israel") rule.endWeekNo = rule.endMonth = 0;  // unused by the Israel end
    for (int* field : kind == "israel" ? std::vector{&rule.startWeekNo, &rule.startWeekday, &rule.startDay,
                                                     &rule.startMonth, &rule.endWeekday}
                                       : std::vector{&rule.startWeekNo, &rule.startWeekday, &rule.startMonth,
                                                     &rule.endWeekNo, &rule.endWeekday, &rule.endMonth})
      in >> *field;
    if (row[1] == "invalid") {
      int hour = 10, second = 11;
      EXPECT_EQ(Daylight_Correction(21, 6, 2010, &hour, &second, &rule), 0);
      EXPECT_EQ(hour * 100 + second, 1011);
      continue;
    }
    const AbsoluteDay start = *testdata::IsoDay(row[2]), end = *testdata::IsoDay(row[3]);
    EXPECT_EQ(DstStartDay(rule, std::stoi(row[1])), start);
    EXPECT_EQ(DstEndDay(rule, std::stoi(row[1])), end);
    EXPECT_EQ(std::to_string(Corrected(rule, start - 1)) + std::to_string(Corrected(rule, start)) +
                  std::to_string(Corrected(rule, end - 1)) + std::to_string(Corrected(rule, end)),
              start == end ? "0000" : "0110");
  }
}

// Incomplete forms: the message is the last that applies and the rule stays; a complete Israel rule comes back as
// chosen.
TEST(DstForm, MessagesAndTheIsraelRule) {
  testenv::TempHome home;
  translate_init("english");
  const DstSetting stored;
  const std::pair<void (*)(DstForm&), const char*> cases[] = {
      {[](DstForm& f) { f.startMethod = kDstIsrael; }, "Start Month must be selected"},
      {[](DstForm& f) { f.startMethod = kDstIsrael, f.startIsrael = {"Last", "Friday", "", "April"}; },
       "Start day must be selected"},
      {[](DstForm& f) { f.startMethod = kDstIsrael, f.endCommon.weekNo = ""; }, "End Week No must be selected"},
      {[](DstForm& f) { f.startCommon.weekNo = ""; }, "Start Week No must be selected"},
      {[](DstForm& f) { f.endMethod = kDstIsrael; }, "End weekday must be selected"},
      {[](DstForm& f) { f.endCommon = {}; }, "End Month must be selected"},
      {[](DstForm& f) { f.endCommon.weekday = ""; }, "End Weekday must be selected"},
      {[](DstForm& f) { f.startMethod = f.endMethod = kDstIsrael, f.startIsrael = {"Last", "Friday", "2", "April"},
                        f.endIsrael.weekday = "Sunday"; }, ""},
  };
  for (const auto& [change, message] : cases) {
    DstForm form = DstFormFromRule(true, stored);
    change(form);
    const DstFormResult r = DstFormCheck(form, stored);
    EXPECT_EQ(r.message, message);
    EXPECT_EQ(GregorianFromAbsolute(DstStartDay(r.rule, 2010)),
              (*message ? GregorianFromAbsolute(DstStartDay(stored, 2010)) : GregorianDate{26, 3, 2010}))
        << message;
  }
  translate_done();
}

}  // namespace
