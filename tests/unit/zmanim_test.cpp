// The zmanim text of a day (tests/data/zmanim_lines.tsv, worked by hand and from an almanac), khatzot, the days without
// times, and the opinions dialog.
#include "suntimes/zmanim.h"

#include <gtest/gtest.h>

#include "base/settings_file.h"
#include "compose/current_options.h"
#include "compose/zmanim_text.h"
#include "forms/special_times_form.h"
#include "forms/zmanim_choice.h"
#include "reference_data.h"
#include "suntimes_env.h"

namespace {

// Minutes after midnight of the "HH:MM" that ends a 24-hour-clock line, or -1.
int MinutesAtEnd(const std::string& line) {
  int h = -1, m = -1;
  return line.size() >= 5 && std::sscanf(line.c_str() + line.size() - 5, "%2d:%2d", &h, &m) == 2 ? h * 60 + m : -1;
}

std::vector<std::string> ZmanimOf(const Options& o, int day, int month, int year) {
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(day, month, year), o, &text);
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  return testenv::Lines(text);
}

class Zmanim : public testenv::SunTimesTest {};

// Each row with the default options but the row's city, clock and opinions.
TEST_F(Zmanim, LinesOfKnownDays) {
  const auto rows = testenv::CaseRows("zmanim_lines.tsv");
  ASSERT_GE(rows.size(), 20u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row[0] + " " + row[2] + " " + row[3] + " line " + row[4]);
    Options o = CurrentOptions();
    o.times.city = row[0];
    o.times.clock.format = std::stoi(row[1]);
    std::istringstream opinions(row[2] == "-" ? "" : row[2]);
    for (std::string kv; std::getline(opinions, kv, ',');) {
      if (kv == "SunCalculation=precise") o.times.sun.calculation = SunCalculation::kPrecise;
      ASSERT_TRUE(kv == "SunCalculation=precise" ||
                  testenv::Choose(o.times.opinions, kv.substr(0, kv.find('=')), kv.substr(kv.find('=') + 1)));
    }
    const GregorianDate d = GregorianFromAbsolute(*testdata::IsoDay(row[3]));
    const std::vector<std::string> lines = ZmanimOf(o, d.day, d.month, d.year);
    const size_t n = std::stoul(row[4]);
    ASSERT_LT(n, lines.size());
    const std::string& want = row[5];
    if (want[0] == '~') {
      EXPECT_NEAR(MinutesAtEnd(lines[n]), MinutesAtEnd(want), 2) << lines[n];
    } else {
      EXPECT_EQ(want.back() == '*' ? lines[n].substr(0, want.size() - 1) + "*" : lines[n], want);
    }
  }
}

// An unknown city gives no text; an invalid daylight-saving rule shows no times, and with daylight saving off the
// rule is not looked at.
TEST_F(Zmanim, UnknownCityAndInvalidRule) {
  Options o = CurrentOptions();
  o.times.clock.format = kTimeFormat24;
  o.times.city = "Atlantis";
  std::string text = "before";
  GetZmanimForDay(AbsoluteFromGregorian(21, 6, 2010), o, &text);
  EXPECT_EQ(text, "before");
  o.times.city = "Pforzheim";
  o.times.dstRule = DstSetting();
  o.times.dstRule->startWeekNo = 9;
  std::vector<std::string> lines = ZmanimOf(o, 21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(lines[i].size() - 4), "----") << lines[i];
  o.times.dstRule.reset();
  EXPECT_EQ(ZmanimOf(o, 21, 6, 2010)[4], "netz haKhama: 04:21");
}

// The opinions dialog: the stored choice shown per row (an unknown value shows the first option), and the messages of
// storing.
TEST_F(Zmanim, ChoicesShownAndStored) {
  SettingsSet("ZmanimTzaitHakochavim", "Deg75");
  SettingsSet("ZmanimKriatShema", "kriatshemama");  // not the key: the case differs
  std::vector<std::string> labels;
  for (const ZmanimRec* rec : ZmanimChoiceRows()) labels.push_back(ZmanimCurrentLabel(*rec));
  EXPECT_EQ(labels.back() + "|" + labels[2], "Sun 7.5\u00B0 below the horizon|GR\"A (the day from sunrise to sunset)");
  const ZmanimRec& tzait = *ZmanimChoiceRows().back();
  EXPECT_EQ(ZmanimOptionLabels(tzait).size(), 7u);  // no empty choice
  EXPECT_EQ(ZmanimOptionLabels(tzait).front(), "72 minutes after sunset");
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "Sun 8.75\u00B0 below the horizon"), 4);
  // A special day's expression shows as its named choice, blanks aside; another is the user's own.
  EXPECT_EQ(SpecialTimeChoiceOf(2, " sunset + degrees_below_horizon(8.5) "), 1);
  EXPECT_EQ(SpecialTimeChoiceOf(2, "sunset + 40"), -1);
  EXPECT_EQ(SpecialTimeChoices(0).at(1).expression, "sunrise - degrees_below_horizon(16.1)");
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, ""), -1);
  storage::SetBeforeReplaceHookForTesting([] { return false; });
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ZmanimStoreChoices(labels), "The zmanim choices could not be saved in " + SettingsGetFileName());
  ::testing::internal::GetCapturedStderr();
  storage::SetBeforeReplaceHookForTesting(nullptr);
  labels[0] = "";  // a missing choice in a row with one name part (the GUI test has one with two)
  EXPECT_EQ(ZmanimStoreChoices(labels), "An entry under alot haShakhar\n must be selected");
  EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", "(absent)"), "(absent)");
}

}  // namespace
