#include "suntimes/zmanim.h"

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "compose/zmanim_text.h"
#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "base/translate.h"
#include "forms/zmanim_choice.h"
#include "reference_data.h"
#include "suntimes_env.h"
#include "test_env.h"

namespace {

using testenv::Clock;

// Minutes after midnight of the "HH:MM" that ends a 24-hour-clock line, or -1.
int MinutesAtEnd(const std::string& line) {
  if (line.size() < 5 || line[line.size() - 3] != ':') return -1;
  const char* p = line.data() + line.size() - 5;
  int h = 0, m = 0;
  if (std::from_chars(p, p + 2, h).ec != std::errc() || std::from_chars(p + 3, p + 5, m).ec != std::errc()) return -1;
  return h * 60 + m;
}

// The lines of the zmanim text of a day, each ended by a newline.
std::vector<std::string> ZmanimOf(const Options& o, int day, int month, int year) {
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(day, month, year), o.rules, o.times, &text);
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  return lines;
}

class Zmanim : public testenv::SunTimesTest {};

// The lines of the case file, each with the default options but the row's
// city, clock and opinions.
TEST_F(Zmanim, LinesOfKnownDays) {
  const auto rows = testenv::CaseRows("zmanim_lines.tsv");
  ASSERT_GE(rows.size(), 20u);
  const Options defaults = CurrentOptions();
  for (const auto& row : rows) {
    SCOPED_TRACE(row[0] + " " + row[2] + " " + row[3] + " line " + row[4]);
    Options o = defaults;
    o.times.city = row[0];
    o.times.clock.format = std::stoi(row[1]);
    if (row[2] != "-") {
      std::istringstream opinions(row[2]);
      for (std::string kv; std::getline(opinions, kv, ',');)
        ASSERT_TRUE(testenv::Choose(o.times.opinions, kv.substr(0, kv.find('=')), kv.substr(kv.find('=') + 1)));
    }
    const GregorianDate d = GregorianFromAbsolute(*testdata::IsoDay(row[3]));
    const std::vector<std::string> lines = ZmanimOf(o, d.day, d.month, d.year);
    const size_t n = std::stoul(row[4]);
    ASSERT_LT(n, lines.size());
    const std::string& want = row[5];
    if (want[0] == '~') {
      EXPECT_NEAR(MinutesAtEnd(lines[n]), std::stoi(want.substr(1, 2)) * 60 + std::stoi(want.substr(4, 2)), 2) << lines[n];
    } else if (want.back() == '*') {
      EXPECT_EQ(lines[n].rfind(want.substr(0, want.size() - 1), 0), 0u) << lines[n];
    } else {
      EXPECT_EQ(lines[n], want);
    }
  }
}

// Khatzot is halfway from sunrise to sunset with either opinion; an unknown
// city gives no text; an invalid daylight-saving rule shows no times, and
// with daylight saving off the rule is not looked at.
TEST_F(Zmanim, KhatzotUnknownCityAndInvalidRule) {
  Options o = CurrentOptions();
  o.times.clock.format = kTimeFormat24;
  for (const char* option : {"ChatzotGRO", "ChatzotMA"}) {
    ASSERT_TRUE(testenv::Choose(o.times.opinions, "ZmanimChatzot", option));
    const std::vector<std::string> lines = ZmanimOf(o, 21, 12, 2010);
    ASSERT_EQ(lines.size(), 13u);
    const int rise = MinutesAtEnd(lines[4]), set = MinutesAtEnd(lines[11]);
    EXPECT_EQ(lines[7], "khatzot: " + Clock(rise + (set - rise) / 2)) << option;
  }
  o.times.city = "Atlantis";
  std::string text = "before";
  GetZmanimForDay(AbsoluteFromGregorian(21, 6, 2010), o.rules, o.times, &text);
  EXPECT_EQ(text, "before");
  o.times.city = "Pforzheim";
  DstSetting broken;
  broken.startWeekNo = 9;
  o.times.dstRule = broken;
  std::vector<std::string> lines = ZmanimOf(o, 21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(lines[i].size() - 4), "----") << lines[i];
  o.times.dstRule.reset();
  EXPECT_EQ(ZmanimOf(o, 21, 6, 2010)[4], "netz haKhama: 04:21");
}

// The opinions dialog: the stored choice shown per row (an unknown value
// shows the first option), and the messages of storing.
TEST_F(Zmanim, ChoicesShownAndStored) {
  SettingsSet("ZmanimTzaitHakochavim", "Deg75");
  SettingsSet("ZmanimKriatShema", "kriatshemama");  // not the key: the case differs
  std::vector<std::string> labels;
  for (const ZmanimRec* rec : ZmanimChoiceRows()) labels.push_back(ZmanimCurrentLabel(*rec));
  EXPECT_EQ(labels.back(), "7.5 deg bel. horizon");
  EXPECT_EQ(labels[2], "GR\"O");
  const ZmanimRec& tzait = *ZmanimChoiceRows().back();
  EXPECT_EQ(ZmanimOptionLabels(tzait).size(), 6u);
  EXPECT_EQ(ZmanimOptionLabels(tzait).front(), "");
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "8.75 deg bel. horizon"), 4);
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, ""), -1);

  storage::SetBeforeReplaceHookForTesting([] { return false; });
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ZmanimStoreChoices(labels), "The zmanim choices could not be saved in " + SettingsGetFileName());
  ::testing::internal::GetCapturedStderr();
  storage::SetBeforeReplaceHookForTesting(nullptr);
  // A missing choice in a row with one name part (the GUI test has one with two).
  labels[0] = "";
  EXPECT_EQ(ZmanimStoreChoices(labels), "An entry under alot haShakhar\n must be selected");
  EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", "(absent)"), "(absent)");
}

TEST_F(Zmanim, ChoiceLabelsAreComparedAsTranslated) {
  std::filesystem::create_directories(home_.path() + "/.lumaro/translations");
  testenv::WriteFile(home_.path() + "/.lumaro/translations/yiddish.gui",
                     "\"72 min after sunset\" = \"72 minut nokh shkie\"\n");
  translate_init("yiddish");
  const ZmanimRec& tzait = *ZmanimChoiceRows().back();
  EXPECT_EQ(ZmanimCurrentLabel(tzait), "72 minut nokh shkie");
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "72 minut nokh shkie"), 0);
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "72 min after sunset"), -1);
}

}  // namespace
