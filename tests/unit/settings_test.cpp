#include "storage/settings.h"

#include <gtest/gtest.h>

#include "storage/settings_file.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

TEST(Settings, DefaultsWithoutFile) {
  TempHome home;
  settingsInit();
  EXPECT_EQ(diasporaGetFlag(), 1);
  EXPECT_EQ(postponeShushanPurimGetFlag(), 1);
  EXPECT_EQ(getStyle(), 2);
  EXPECT_EQ(getCityFileName(), home.path() + "/.lumaro/cities");
  EXPECT_EQ(getCity(), "Pforzheim");
  EXPECT_EQ(getCandleLightingMin(), 18);
  EXPECT_EQ(getHavdalahValue(), "45");
  EXPECT_EQ(getHavdalahIsMin(), 1);
  EXPECT_EQ(getIsDST(), 1);
  const DstSetting dst = getDSTstruct();
  EXPECT_EQ(dst.startMethod, 0);
  EXPECT_EQ(dst.startWeekNo, 5);
  EXPECT_EQ(dst.startWeekday, 0);
  EXPECT_EQ(dst.startDay, 2);
  EXPECT_EQ(dst.startMonth, 3);
  EXPECT_EQ(dst.endMethod, 0);
  EXPECT_EQ(dst.endWeekNo, 5);
  EXPECT_EQ(dst.endWeekday, 0);
  EXPECT_EQ(dst.endMonth, 10);
  EXPECT_EQ(getDSTAutomatic(), 0);
  EXPECT_EQ(getTimeFormat(), 0);
  EXPECT_EQ(getBackgroundImage(), "~/.lumaro/lumaro-background.png");
  EXPECT_EQ(getLanguage(), 1);
  EXPECT_EQ(getFontName(), "Times New Roman");
  EXPECT_EQ(getPrintYiddishFontFile(), "");

  // settingsDone writes the 24 keys in table order.
  ASSERT_TRUE(settingsDone());
  EXPECT_EQ(ReadFile(home.lumaro("kivrasettings")),
            "Diaspora: \"1\"\nPostponeShushanPurim: \"1\"\nStyle: \"2\"\n"
            "CurrentCityFileName: \"" + home.path() + "/.lumaro/cities\"\n"
            "CurrentCity: \"Pforzheim\"\nCandleLightingMin: \"18\"\nHavdalahValue: \"45\"\n"
            "HavdalahIsMin: \"1\"\nIsDST: \"1\"\nDSTStartMethod: \"0\"\nDSTStartWeekNo: \"5\"\n"
            "DSTStartWeekday: \"0\"\nDSTStartDay: \"2\"\nDSTStartMonth: \"3\"\nDSTEndMethod: \"0\"\n"
            "DSTEndWeekNo: \"5\"\nDSTEndWeekday: \"0\"\nDSTEndMonth: \"10\"\nDSTAutomatic: \"0\"\n"
            "TimeFormat: \"0\"\n"
            "BackgroundImage: \"~/.lumaro/lumaro-background.png\"\nLanguage: \"1\"\n"
            "FontName: \"Times New Roman\"\nPrintYiddishFontFile: \"\"\n");
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
  EXPECT_EQ(diasporaGetFlag(), 0);
  EXPECT_EQ(getStyle(), 1);
  EXPECT_EQ(getCity(), "Zürich");
  EXPECT_EQ(getCandleLightingMin(), 40);
  EXPECT_EQ(getHavdalahValue(), "8.5");
  EXPECT_EQ(getHavdalahIsMin(), 0);
  EXPECT_EQ(getTimeFormat(), 1);
  EXPECT_EQ(getLanguage(), 2);
  EXPECT_TRUE(isLanguageRightToLeft());
  EXPECT_EQ(getFontName(), "DejaVu Sans");
  EXPECT_EQ(getDSTstruct().startMethod, 1);
  EXPECT_EQ(getDSTstruct().startDay, 27);
  EXPECT_EQ(getDSTstruct().endMonth, 9);
  EXPECT_EQ(getDSTAutomatic(), 1);
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
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(getDefaultCityFilename("cities"), "/home/u/.lumaro/cities");
    ::setenv("HOME", "/home/u/", 1);
    EXPECT_EQ(getDefaultCityFilename("cities"), "/home/u/.lumaro/cities");
    ::unsetenv("HOME");
    EXPECT_EQ(getDefaultCityFilename("cities"), "cities");
  }
  EXPECT_EQ(getLanguagePrefix(1), "english");
  EXPECT_EQ(getLanguagePrefix(2), "yiddish");
  EXPECT_EQ(getLanguagePrefix(3), "");
  EXPECT_EQ(getLanguagePrefix(0), "");
  settingsReset();
  setLanguage(3);
  EXPECT_FALSE(isLanguageRightToLeft());
  setLanguage(1);
  EXPECT_FALSE(isLanguageRightToLeft());

  EXPECT_EQ(ShabbatCompare(nullptr, ""), 0);
  EXPECT_LT(ShabbatCompare("Berlin", "Boston"), 0);
  EXPECT_GT(ShabbatCompare("b", nullptr), 0);
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
      {"12", true}, {" 12 ", true}, {"0", true}, {"", false}, {"   ", false}, {"-1", false},
      {"+1", false}, {"1 2", false}, {"1.5", false}, {"12a", false}, {"\t1", false}};
  for (const auto& [text, expected] : integers) EXPECT_EQ(NumberIsInteger(text), expected) << "'" << text << "'";
  const std::pair<const char*, bool> floats[] = {
      {"1.", true}, {".5", true}, {" 8.5 ", true}, {"8", true}, {"", false}, {".", false},
      {"1.2.3", false}, {"-1.5", false}, {"1e5", false}, {" ", false}, {"1 .5", false}};
  for (const auto& [text, expected] : floats) EXPECT_EQ(NumberIsFloat(text), expected) << "'" << text << "'";
}

}  // namespace
