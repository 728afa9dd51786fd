#include "base/settings.h"

#include <gtest/gtest.h>

#include "base/settings_file.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

TEST(Settings, DefaultsWithoutFile) {
  TempHome home;
  settingsInit();
  // settingsDone writes the 42 keys in table order. A new user's times
  // follow the city's time zone.
  ASSERT_TRUE(settingsDone());
  EXPECT_EQ(ReadFile(home.lumaro("kivrasettings")),
            "Diaspora: \"1\"\nPostponeShushanPurim: \"1\"\nStyle: \"2\"\n"
            "CurrentCityFileName: \"" + home.path() + "/.lumaro/cities\"\n"
            "CurrentCity: \"Pforzheim\"\nCandleLightingMin: \"18\"\nHavdalahValue: \"45\"\n"
            "HavdalahIsMin: \"1\"\nIsDST: \"1\"\nDSTStartMethod: \"0\"\nDSTStartWeekNo: \"5\"\n"
            "DSTStartWeekday: \"0\"\nDSTStartDay: \"2\"\nDSTStartMonth: \"3\"\nDSTEndMethod: \"0\"\n"
            "DSTEndWeekNo: \"5\"\nDSTEndWeekday: \"0\"\nDSTEndMonth: \"10\"\nDSTAutomatic: \"1\"\n"
            "TimeFormat: \"0\"\n"
            "BackgroundImage: \"~/.lumaro/lumaro-background.png\"\nLanguage: \"1\"\nHebrewNumerals: \"-1\"\n"
            "FontName: \"Times New Roman\"\nPrintYiddishFontFile: \"\"\n"
            "SunCalculation: \"classic\"\nSunElevation: \"0\"\n"

            "TimeFastBegins: \"\"\nTimeTishaBeAvBegins: \"\"\nTimeFastEnds: \"\"\nTimeKhanukka: \"\"\n"
            "TimeKhametsEat: \"\"\nTimeKhametsBurn: \"\"\n"
            "LearningDafYomi: \"1\"\nLearningMishnaYomit: \"0\"\nLearningNachYomi: \"0\"\n"
            "LearningYerushalmiYomi: \"0\"\nLearningRambamOneChapter: \"0\"\n"
            "LearningRambamThreeChapters: \"0\"\nLearningTehillim: \"0\"\nLearningPirkeiAvot: \"0\"\n"
            "HebrewMonthView: \"0\"\n");
  // The file now exists: read again, it says what it says.
  settingsInit();
  EXPECT_EQ(getDSTAutomatic(), 1);
}

// A settings file without the key keeps the daylight-saving rule (an
// existing user), also an empty file; settingsReset never reads the file.
TEST(Settings, ExistingFileWithoutTheKeyKeepsTheRule) {
  for (const char* content : {"CurrentCity: \"Haifa\"\n", ""}) {
    TempHome home;
    WriteFile(home.lumaro("kivrasettings"), content);
    settingsInit();
    EXPECT_EQ(getDSTAutomatic(), 0) << content;
    ASSERT_TRUE(settingsDone());
    EXPECT_NE(ReadFile(home.lumaro("kivrasettings")).find("DSTAutomatic: \"0\"\n"), std::string::npos);
  }
  TempHome empty;
  settingsReset();
  EXPECT_EQ(getDSTAutomatic(), 0);
}

// The month view by Hebrew months: stored 1, any other non-zero value reads
// as 1, and a file without the key (an existing user) keeps Gregorian months.
TEST(Settings, HebrewMonthView) {
  for (const auto& [content, expected] : {std::pair{"HebrewMonthView: \"1\"\n", 1},
                                          std::pair{"HebrewMonthView: \"7\"\n", 1},
                                          std::pair{"HebrewMonthView: \"0\"\n", 0},
                                          std::pair{"CurrentCity: \"Haifa\"\n", 0}}) {
    TempHome home;
    WriteFile(home.lumaro("kivrasettings"), content);
    settingsInit();
    EXPECT_EQ(getHebrewMonthView(), expected) << content;
    setHebrewMonthView(expected ? 0 : 2);
    ASSERT_TRUE(settingsDone());
    settingsInit();
    EXPECT_EQ(getHebrewMonthView(), expected ? 0 : 1) << content;
    EXPECT_NE(ReadFile(home.lumaro("kivrasettings")).find(expected ? "HebrewMonthView: \"0\"\n" : "HebrewMonthView: \"1\"\n"),
              std::string::npos);
  }
}

// One key per cycle: Daf Yomi on by default, the others off; a stored value
// other than 0 reads as on; an id that names no cycle is never on.
TEST(Settings, LearningFlags) {
  TempHome home;
  WriteFile(home.lumaro("kivrasettings"),
            "LearningDafYomi: \"0\"\nLearningTehillim: \"1\"\nLearningPirkeiAvot: \"7\"\nLearningNachYomi: \"x\"\n");
  settingsInit();
  EXPECT_EQ(getLearningFlag("daf-yomi"), 0);
  EXPECT_EQ(getLearningFlag("tehillim"), 1);
  EXPECT_EQ(getLearningFlag("pirkei-avot"), 1);
  EXPECT_EQ(getLearningFlag("nach-yomi"), 0);
  EXPECT_EQ(getLearningFlag("mishna-yomit"), 0);
  setLearningFlag("rambam-3", 1);
  setLearningFlag("tehillim", 0);
  setLearningFlag("talmud-bavli", 1);
  EXPECT_EQ(getLearningFlag("talmud-bavli"), 0);
  EXPECT_EQ(getLearningFlag(""), 0);
  ASSERT_TRUE(settingsDone());
  const std::string content = ReadFile(home.lumaro("kivrasettings"));
  EXPECT_NE(content.find("LearningRambamThreeChapters: \"1\"\n"), std::string::npos) << content;
  EXPECT_NE(content.find("LearningTehillim: \"0\"\n"), std::string::npos) << content;
  EXPECT_EQ(content.find("talmud"), std::string::npos) << content;
  settingsInit();
  EXPECT_EQ(getLearningFlag("rambam-3"), 1);
  EXPECT_EQ(getLearningFlag("pirkei-avot"), 1);
  settingsReset();
  EXPECT_EQ(getLearningFlag("daf-yomi"), 1);
  EXPECT_EQ(getLearningFlag("rambam-3"), 0);
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

TEST(Settings, StyleIsClamped) {
  TempHome home;
  const std::pair<const char*, int> cases[] = {{"1", 1}, {"2", 2}, {"3", 2}, {"0", 2}, {"x", 2}, {"-1", 2}};
  for (const auto& [stored, expected] : cases) {
    ASSERT_TRUE(SettingsSet("Style", stored));
    settingsInit();
    EXPECT_EQ(getStyle(), expected) << "stored " << stored;
  }
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

TEST(Settings, Helpers) {
  {
    TempHome home;
    ::setenv("HOME", "/home/u/", 1);
    EXPECT_EQ(getDefaultCityFilename("cities"), "/home/u/.lumaro/cities");
    ::unsetenv("HOME");
    EXPECT_EQ(getDefaultCityFilename("cities"), "cities");
  }
  EXPECT_EQ(getLanguagePrefix(1) + "," + getLanguagePrefix(2) + "," + getLanguagePrefix(3) + "," +
                getLanguagePrefix(0) + getLanguagePrefix(4) + getLanguagePrefix(-1),
            "english,yiddish,hebrew,");
  settingsReset();
  for (const auto& [language, rtl] : {std::pair{1, false}, {2, true}, {3, true}, {0, false}, {4, false}}) {
    setLanguage(language);
    EXPECT_EQ(isLanguageRightToLeft(), rtl) << language;
    EXPECT_EQ(isRightToLeftLanguage(language), rtl) << language;
  }
  EXPECT_EQ(ShabbatCompare(nullptr, ""), 0);
  EXPECT_LT(ShabbatCompare("Berlin", "Boston"), 0);
}

// "Hebrew dates in Hebrew numerals" follows the language until it is set:
// on in Yiddish and Hebrew, off in English and in a language the program
// does not know.
TEST(Settings, HebrewNumeralsFollowTheLanguageUntilSet) {
  struct Case {
    int choice, language;
    bool on;
  };
  const Case cases[] = {
      {kHebrewNumeralsByLanguage, kLanguageEnglish, false}, {kHebrewNumeralsByLanguage, kLanguageYiddish, true},
      {kHebrewNumeralsByLanguage, kLanguageHebrew, true},   {kHebrewNumeralsByLanguage, 7, false},
      {kHebrewNumeralsOn, kLanguageEnglish, true},          {kHebrewNumeralsOn, 7, true},
      {kHebrewNumeralsOff, kLanguageHebrew, false},         {kHebrewNumeralsOff, kLanguageYiddish, false},
      {5, kLanguageHebrew, true},                           {5, kLanguageEnglish, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HebrewNumeralsFor(c.choice, c.language), c.on) << c.choice << " in " << c.language;
    settingsReset();
    setLanguage(c.language);
    setHebrewNumerals(c.choice);
    EXPECT_EQ(isHebrewNumerals(), c.on) << c.choice << " in " << c.language;
  }

  // Stored values: -1, 0, 1 as they are; anything else follows the language.
  TempHome home;
  const std::pair<const char*, int> stored[] = {{"-1", -1}, {"0", 0}, {"1", 1}, {"2", -1}, {"yes", 0}, {"-7", -1}};
  for (const auto& [text, expected] : stored) {
    ASSERT_TRUE(SettingsSet("HebrewNumerals", text));
    settingsInit();
    EXPECT_EQ(getHebrewNumerals(), expected) << "stored " << text;
  }
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

TEST(Settings, BackgroundImageTest) {
  TempHome home;
  settingsReset();
  setBackgroundImage("");
  EXPECT_FALSE(isBackgroundImage());
  setBackgroundImage("~/x.png");
  EXPECT_FALSE(isBackgroundImage());
  WriteFile(home.path() + "/x.png", "png");
  EXPECT_TRUE(isBackgroundImage());
  setBackgroundImage(home.path() + "/x.png");
  EXPECT_TRUE(isBackgroundImage());
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
