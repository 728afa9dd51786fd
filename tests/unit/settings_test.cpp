// The settings as the program reads and writes them: defaults, values read
// back and their limits (settings_*.tsv, number_texts.tsv).
#include "base/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "base/settings_file.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using namespace testenv;

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
      {"Style", getStyle},
      {"HebrewMonthView", getHebrewMonthView},
      {"DSTAutomatic", getDSTAutomatic},
      {"HebrewNumerals", getHebrewNumerals},
      {"ShowMinorDays", getShowMinorDays},
      {"WeekRightToLeft", getWeekRightToLeft},
      {"CandleLightingMin", getCandleLightingMin},
      {"IsraelRules", [] { return static_cast<int>(getIsraelRules()); }}};
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

// Values set survive the file; keys already in it, known or not, keep their
// place and the others follow in table order. Strings are cut to 255 bytes,
// never inside a character.
TEST(Settings, RoundTripThroughFile) {
  TempHome home;
  WriteFile(home.lumaro("kivrasettings"), "ZmanimSunrise: \"1\"\nCurrentCity: \"Haifa\"\nFontSizeOmer: \"20\"\n");
  settingsInit();
  EXPECT_EQ(getCity(), "Haifa");
  std::string longName = "x";
  while (longName.size() < 300) longName += "\xC3\xBC";  // two bytes each
  setCity(longName.substr(1));
  EXPECT_EQ(getCity().size(), 254u);
  setCity(longName);
  EXPECT_EQ(getCity().size(), 255u);
  diasporaSetFlag(0);
  setStyle(1);
  setCity("Z\xC3\xBCrich");
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
  const std::string content = ReadFile(home.lumaro("kivrasettings"));
  EXPECT_EQ(
      content.rfind("ZmanimSunrise: \"1\"\nCurrentCity: \"Z\xC3\xBCrich\"\nFontSizeOmer: \"20\"\nDiaspora: \"0\"\n", 0),
      0u);
  EXPECT_NE(content.find("PrintYiddishFontFile: \"\"\n"), std::string::npos);
  settingsReset();
  EXPECT_EQ(getCity(), "Pforzheim");
  settingsInit();
  const DstSetting dst = getDSTstruct();
  std::string values;
  for (int v :
       {diasporaGetFlag(), getStyle(), getCandleLightingMin(), getHavdalahIsMin(), getTimeFormat(), getLanguage(),
        getDSTAutomatic(), dst.startMethod, dst.startDay, dst.endMonth, int(isLanguageRightToLeft())})
    values += std::to_string(v) + " ";
  EXPECT_EQ(values + getCity() + " " + getHavdalahValue() + " " + getFontName(),
            "0 1 40 0 1 2 1 1 27 9 1 Z\xC3\xBCrich 8.5 DejaVu Sans");
}

TEST(Settings, HebrewNumeralsFollowTheLanguageUntilSet) {
  TempHome home;
  settingsReset();
  setLanguage(kLanguageYiddish);
  EXPECT_TRUE(isHebrewNumerals());
  setLanguage(7);  // an unknown language is not a right-to-left one
  EXPECT_FALSE(isHebrewNumerals());
  // A choice survives the settings file (the default, -1, follows the language).
  setHebrewNumerals(kHebrewNumeralsOff);
  setLanguage(kLanguageHebrew);
  ASSERT_TRUE(settingsDone());
  settingsReset();
  settingsInit();
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsOff);
  EXPECT_FALSE(isHebrewNumerals());
}

TEST(Settings, NumberTexts) {
  for (const auto& f : testenv::CaseRows("number_texts.tsv")) {
    const std::string text = f.at(0).substr(1, f[0].size() - 2);
    EXPECT_EQ(std::to_string(NumberIsInteger(text)) + std::to_string(NumberIsFloat(text)), f.at(1) + f.at(2)) << f[0];
  }
}

}  // namespace
