#include "suntimes/zmanim.h"

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "base/translate.h"
#include "forms/zmanim_choice.h"
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
std::vector<std::string> ZmanimOf(int day, int month, int year) {
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(day, month, year), &text);
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  return lines;
}

class Zmanim : public testenv::SunTimesTest {};

// 21 June 2010 at Pforzheim: sunrise 4:21 and sunset 20:32 standard time
// (261 and 1232 minutes), summer time adds an hour. The proportional hour is
// 971 / 12 minutes; each time below is worked out by hand from that.
TEST_F(Zmanim, DefaultOpinionsOnTheWorkedDay) {
  const std::vector<std::string> lines = ZmanimOf(21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "Zmanim for date 21.6.2010");
  EXPECT_EQ(lines[1], "Location Pforzheim");
  EXPECT_EQ(lines[2], "alot haShakhar: 04:09AM");  // sunrise - 72
  EXPECT_EQ(lines[4], "netz haKhama: 05:21AM");
  EXPECT_EQ(lines[5], "sof zman kriat shema: 09:23AM");       // + 242 (3 h = 242.75)
  EXPECT_EQ(lines[6], "sof zman tfilat shakharit: 10:44AM");  // + 323 (4 h = 323.67)
  EXPECT_EQ(lines[7], "khatzot: 01:26PM");                    // + 485 (6 h = 485.5)
  EXPECT_EQ(lines[8], "mincha gedola: 02:06PM");              // + 525 (6.5 h = 525.96)
  EXPECT_EQ(lines[9], "mincha k'tana: 06:09PM");              // + 768 (9.5 h = 768.71)
  EXPECT_EQ(lines[10], "plag haMinkha: 07:50PM");             // + 869 (10.75 h = 869.85)
  EXPECT_EQ(lines[11], "shkiat haKhama: 09:32PM");
  EXPECT_EQ(lines[12], "tset haKokhavim: 10:44PM");  // sunset + 72
}

TEST_F(Zmanim, DepressionTimesAgreeWithAnIndependentAlmanac) {
  // The npm package suncalc 2.0.2 puts the sun 11 deg below the horizon at
  // 22:05 standard time on 21 June 2010 (92 minutes after its sunset at
  // 20:33), and 8.75 deg below at 21:41. Earliest tallit mirrors the evening
  // interval before sunrise: 4:21 - 92 min = 2:49, 3:49 in summer time.
  setTimeFormat(1);
  ASSERT_TRUE(SettingsSet("ZmanimTzaitHakochavim", "Deg875"));
  const std::vector<std::string> lines = ZmanimOf(21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_NEAR(MinutesAtEnd(lines[3]), 3 * 60 + 49, 2) << lines[3];
  EXPECT_NEAR(MinutesAtEnd(lines[12]), 22 * 60 + 41, 2) << lines[12];
}

TEST_F(Zmanim, StoredOpinionsAreUsed) {
  setTimeFormat(1);
  ASSERT_TRUE(SettingsSet("ZmanimKriatShema", "KriatShemaMA"));
  ASSERT_TRUE(SettingsSet("ZmanimMinchaGedola", "MinchaGedolaMA"));
  ASSERT_TRUE(SettingsSet("ZmanimTzaitHakochavim", "sunset72"));       // wrong case: not recognised
  ASSERT_TRUE(SettingsSet("ZmanimAlotHaShachar", "alothashachar16"));  // likewise
  const std::vector<std::string> lines = ZmanimOf(21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[2], "alot haShakhar: 04:09");
  EXPECT_EQ(lines[5], "sof zman kriat shema: 08:47");  // 36 minutes earlier
  EXPECT_EQ(lines[8], "mincha gedola: 14:12");         // 6 minutes later
  EXPECT_EQ(lines[12], "tset haKokhavim: 22:44");
}

TEST_F(Zmanim, KhatzotIsHalfwayWithEitherOpinion) {
  setTimeFormat(1);
  for (const char* option : {"ChatzotGRO", "ChatzotMA"}) {
    ASSERT_TRUE(SettingsSet("ZmanimChatzot", option));
    // 21 December 2010: sunrise 8:16, sunset 16:30 by the same almanac.
    const std::vector<std::string> lines = ZmanimOf(21, 12, 2010);
    ASSERT_EQ(lines.size(), 13u);
    const int rise = MinutesAtEnd(lines[4]);
    const int set = MinutesAtEnd(lines[11]);
    EXPECT_EQ(lines[7], "khatzot: " + Clock(rise + (set - rise) / 2)) << option;
  }
}

TEST_F(Zmanim, LocationLineDropsParenthesesAndAnUnknownCityGivesNothing) {
  setCity("Frankfurt (Main)");
  const std::vector<std::string> lines = ZmanimOf(5, 12, 2026);
  ASSERT_EQ(lines.size(), 14u);  // Saturday evening: the second Khanukka light
  EXPECT_EQ(lines[0], "Zmanim for date 5.12.2026");
  EXPECT_EQ(lines[1], "Location Frankfurt Main");
  EXPECT_EQ(lines[13].rfind("Khanukka, 2 candles: ", 0), 0u) << lines[13];
  setCity("Atlantis");
  std::string text = "before";
  GetZmanimForDay(AbsoluteFromGregorian(21, 6, 2010), &text);
  EXPECT_EQ(text, "before");
}

TEST_F(Zmanim, TimesThatDoNotExist) {
  // Longyearbyen at midsummer: no sunrise, no sunset, no time at all.
  setCity("Longyearbyen");
  std::vector<std::string> lines = ZmanimOf(21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(lines[i].size() - 6), ": ----") << lines[i];

  // Helsinki in June: the sun never sinks 16.1 deg, but it rises and sets.
  setCity("Helsinki");
  ASSERT_TRUE(SettingsSet("ZmanimAlotHaShachar", "AlotHashachar16"));
  lines = ZmanimOf(21, 6, 2010);
  EXPECT_EQ(lines[2], "alot haShakhar: ----");
  EXPECT_NE(lines[4], "netz haKhama: ----");

  // An invalid daylight-saving rule: nothing is shown.
  setCity("Pforzheim");
  DstSetting broken;
  broken.startWeekNo = 9;
  setDSTstruct(broken);
  lines = ZmanimOf(21, 6, 2010);
  ASSERT_EQ(lines.size(), 13u);
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(lines[i].size() - 4), "----") << lines[i];
  // With daylight saving off the rule is not looked at: standard time.
  setIsDST(0);
  lines = ZmanimOf(21, 6, 2010);
  EXPECT_EQ(lines[4], "netz haKhama: 04:21AM");
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
