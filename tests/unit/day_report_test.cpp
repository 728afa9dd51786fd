// The texts of the day report: headings, translation of the readings and the
// halakha (not of the zmanim), and how the lists are put together.
#include "compose/current_options.h"
#include "compose/zmanim_text.h"
#include "compose/day_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/translate.h"
#include "suntimes/zmanim.h"
#include "test_env.h"

namespace {

AbsoluteDay G(int year, int month, int day) { return AbsoluteFromGregorian(day, month, year); }

class DayReportTest : public ::testing::Test {
 protected:
  DayReportTest() {
    settingsReset();
    std::filesystem::create_directories(home_.lumaro("translations"));
  }
  ~DayReportTest() override {
    translate_done();
    settingsReset();
  }
  void WriteYiddish(const std::string& file, const std::string& content) {
    testenv::WriteFile(home_.lumaro("translations/yiddish." + file), content);
  }
  testenv::TempHome home_;
};

TEST_F(DayReportTest, YiddishTranslatesHeadingsAndWholeLines) {
  WriteYiddish("halakha",
               "\"Halakha for date %s\" = \"Halakha-Y %s\"\n"
               "\"Shakharit\" = \"SHAKHARIT-Y\"\n"
               "\"  long Takhanun\" = \"  LONG-TAKHANUN-Y\"\n"
               "\"  Takhanun\" = \"  TAKHANUN-Y\"\n");
  translate_init("yiddish");
  // Monday 11 November 2024: long Takhanun in the morning, Takhanun at Minkha.
  const std::string text = BuildHalakhaList(G(2024, 11, 11), kDiasporaRules, 2, isHebrewNumerals());
  EXPECT_EQ(text,
            "Halakha-Y 11.11.2024:\n"
            "  Mashiv haRuakh\n"
            "  Teyn Berakha\n"
            "SHAKHARIT-Y\n"
            "  LONG-TAKHANUN-Y\n"
            "Torah reading\n"
            "  1 sefer torah; 3 aliyot\n"
            "Minkha\n"
            "  TAKHANUN-Y\n"
            "Maariv\n");
}

TEST_F(DayReportTest, ZmanimAreNotPassedThroughPhraseReplacement) {
  std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", home_.lumaro("cities"));
  // The city name is not a translation key of the zmanim list, but a phrase
  // replacement over the list would change it.
  WriteYiddish("other", "\"Pforzheim\" = \"QQ\"\n");
  translate_init("yiddish");
  const AbsoluteDay d = G(2024, 11, 13);
  std::string zmanim;
  const Options options = CurrentOptions();
  GetZmanimForDay(d, options.rules, options.times, &zmanim);
  ASSERT_NE(zmanim.find("Location Pforzheim\n"), std::string::npos) << zmanim;
  EXPECT_EQ(BuildDayReport(d, options).zmanim, zmanim);
}

TEST_F(DayReportTest, LongTranslationsAreCutAtTheReportLimit) {
  // Eleven lines of a Khanukka Rosh Khodesh translated into 2000 bytes each
  // exceed the report's 20480 bytes.
  const std::string big(2000, 'y');
  std::string file;
  for (const char* key : {"Shakharit", "Minkha", "Maariv", "Musaf", "Torah reading", "  Al haNisim",
                          "  Yaale veYavo", "  full Hallel", "  no Takhanun", "  Barekhi nafshi (Psalm 104)",
                          "  Teyn Tal uMatar", "  Mashiv haRuakh"})
    file += "\"" + std::string(key) + "\" = \"" + big + "\"\n";
  WriteYiddish("halakha", file);
  translate_init("yiddish");
  const std::string text = BuildDayReport(G(2024, 12, 31)).halakha;
  EXPECT_LE(text.size(), kTranslateReplaceMax + 1);
  EXPECT_GT(text.size(), 20000u);
  EXPECT_EQ(text.back(), '\n');
}

}  // namespace
