#include "base/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "base/settings_file.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

TEST(Settings, DefaultsWithoutFile) {
  TempHome home;
  settingsInit();
  ASSERT_TRUE(settingsDone());
  std::string expected;
  for (const auto& f : testdata::ReadRows("settings_defaults.tsv", '\t')) {
    std::string value = f.at(1);
    if (value.rfind("$HOME", 0) == 0) value = home.path() + value.substr(5);
    expected += f.at(0) + ": \"" + value + "\"\n";
  }
  EXPECT_EQ(ReadFile(home.lumaro("kivrasettings")), expected);
  settingsReset();
  EXPECT_EQ(getDSTAutomatic(), 0);  // settingsReset never reads the file
}

TEST(Settings, StoredValuesRead) {
  const std::map<std::string, std::function<int()>> getters = {
      {"Style", getStyle}, {"HebrewMonthView", getHebrewMonthView}, {"DSTAutomatic", getDSTAutomatic},
      {"HebrewNumerals", getHebrewNumerals}};
  const std::map<std::string, std::string> cycles = {{"LearningDafYomi", "daf-yomi"}, {"LearningTehillim", "tehillim"},
      {"LearningPirkeiAvot", "pirkei-avot"}, {"LearningNachYomi", "nach-yomi"}, {"LearningMishnaYomit", "mishna-yomit"}};
  for (const auto& f : testdata::ReadRows("settings_reads.tsv", '\t')) {
    TempHome home;
    WriteFile(home.lumaro("kivrasettings"), f.at(1) == "-" ? "CurrentCity: \"Haifa\"\n" : f.at(0) + ": \"" + f.at(1) + "\"\n");
    settingsInit();
    const int read = cycles.count(f.at(0)) ? getLearningFlag(cycles.at(f.at(0)).c_str()) : getters.at(f.at(0))();
    EXPECT_EQ(read, *testdata::ToInt(f.at(2))) << f.at(0) << " " << f.at(1);
  }
  EXPECT_EQ(getLearningFlag("talmud-bavli"), 0);
}

TEST(Settings, RoundTripThroughFile) {
  TempHome home;
  settingsInit();
  diasporaSetFlag(0);
  setStyle(1);
  setCity("Zürich");
  setCandleLightingMin(40);
  setHavdalahValue("8.5");
  setHavdalahIsMin(0);
  setTimeFormat(1);
  setLanguage(2);
  setFontName("DejaVu Sans");
  setDSTAutomatic(1);
  DstSetting d;
  d.startMethod = 1;
  d.startDay = 27;
  d.endMonth = 9;
  setDSTstruct(d);
  ASSERT_TRUE(settingsDone());

  settingsReset();
  EXPECT_EQ(getCity(), "Pforzheim");
  settingsInit();
  const std::string values = std::to_string(diasporaGetFlag()) + " " + std::to_string(getStyle()) + " " + getCity() +
                             " " + std::to_string(getCandleLightingMin()) + " " + getHavdalahValue() + " " +
                             std::to_string(getHavdalahIsMin()) + " " + std::to_string(getTimeFormat()) + " " +
                             std::to_string(getLanguage()) + " " + getFontName() + " " + std::to_string(getDSTAutomatic());
  EXPECT_EQ(values, "0 1 Zürich 40 8.5 0 1 2 DejaVu Sans 1");
  EXPECT_TRUE(isLanguageRightToLeft());
  const DstSetting dst = getDSTstruct();
  EXPECT_EQ(std::to_string(dst.startMethod) + "." + std::to_string(dst.startDay) + "." + std::to_string(dst.endMonth),
            "1.27.9");
}

TEST(Settings, KeepsUnknownKeysAndOrder) {
  TempHome home;
  WriteFile(home.lumaro("kivrasettings"), "ZmanimSunrise: \"1\"\nCurrentCity: \"Haifa\"\nFontSizeOmer: \"20\"\n");
  settingsInit();
  EXPECT_EQ(getCity(), "Haifa");
  ASSERT_TRUE(settingsDone());
  const std::string content = ReadFile(home.lumaro("kivrasettings"));
  // Keys already in the file keep their place; the others are appended in table order.
  EXPECT_EQ(content.rfind("ZmanimSunrise: \"1\"\nCurrentCity: \"Haifa\"\nFontSizeOmer: \"20\"\nDiaspora: \"1\"\n", 0), 0u);
  EXPECT_NE(content.find("PrintYiddishFontFile: \"\"\n"), std::string::npos);
}

TEST(Settings, StringsAreCutAtCharacterBoundaries) {
  TempHome home;
  settingsReset();
  std::string longName;
  while (longName.size() < 300) longName += "\xC3\xBC";  // ü, two bytes each
  setCity(longName);
  EXPECT_EQ(getCity().size(), 254u);  // 255 would split a character
  setCity("x" + longName);
  EXPECT_EQ(getCity().size(), 255u);
  ASSERT_TRUE(settingsDone());
  settingsInit();
  EXPECT_EQ(getCity().size(), 255u);
}

TEST(Settings, HebrewNumeralsFollowTheLanguageUntilSet) {
  TempHome home;
  settingsReset();
  setLanguage(kLanguageYiddish);
  EXPECT_TRUE(isHebrewNumerals());
  setLanguage(7);  // an unknown language is not a right-to-left one
  EXPECT_FALSE(isHebrewNumerals());
  // A choice survives the settings file; the default is written as -1, so
  // a later change of language still changes the numerals.
  setHebrewNumerals(kHebrewNumeralsOff);
  setLanguage(kLanguageHebrew);
  ASSERT_TRUE(settingsDone());
  settingsReset();
  settingsInit();
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsOff);
  EXPECT_FALSE(isHebrewNumerals());
}

TEST(Settings, NumberTests) {
  const std::pair<const char*, bool> integers[] = {
      {" 12 ", true}, {"0", true}, {"", false}, {"   ", false}, {"-1", false}, {"1 2", false}, {"1.5", false}};
  for (const auto& [text, expected] : integers) EXPECT_EQ(NumberIsInteger(text), expected) << "'" << text << "'";
  const std::pair<const char*, bool> floats[] = {
      {"1.", true}, {".5", true}, {" 8.5 ", true}, {".", false}, {"1.2.3", false}, {"-1.5", false}, {"1e5", false}};
  for (const auto& [text, expected] : floats) EXPECT_EQ(NumberIsFloat(text), expected) << "'" << text << "'";
}

}  // namespace
