// Translated texts of a day: the daily learning by whole names, the cell
// lines and the dialog's model (the portions of 18 May 2024 are those of the
// independent calendars, tests/data/learning_reference.tsv and
// learning_schedules_reference.tsv, in our spellings);
// and the day report, whose zmanim are not passed through phrase replacement
// and whose long translations are cut at the report's limit.
#include "compose/learning_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "compose/day_report.h"
#include "compose/zmanim_text.h"
#include "forms/learning_form.h"
#include "suntimes/zmanim.h"
#include "test_env.h"

namespace {

const AbsoluteDay kShabbat = AbsoluteFromGregorian(18, 5, 2024);  // 10 Iyar 5784

std::vector<std::string> Cells(const LearningChoice& choice, bool hints = false) {
  std::vector<std::string> out;
  for (const LearningCellLine& line : LearningCellLines(kShabbat, choice, kDiasporaRules))
    out.push_back(hints ? line.hint + " (" + std::string(line.id) + ")" : line.text);
  return out;
}

// Whole names are swapped, never phrases inside them; a law of the Rambam is looked up as "Hilchos <name>" first,
// then as the name alone; a name without an entry stays English, and so do the numbers. The cell puts a short name
// before tractates and laws and names the cycles the book names do not tell; the title is the hint. Daf Yomi has a
// line of its own.
TEST(LearningLines, CellLinesInEnglishAndTranslated) {
  testenv::TempHome home;
  settingsReset();
  std::filesystem::create_directories(home.lumaro("translations"));
  translate_init("english");
  LearningChoice all, some;
  all.cycles.fill(true);
  EXPECT_EQ(Cells(all),
            (std::vector<std::string>{"Mishna Sotah 4:3-4", "I Kings 8", "Yerushalmi Eruvin 65", "Rambam Ma'asros 2",
                                      "Rambam Yom Tov 7-8, Chametz u'Matzah 1", "Psalms 55-59", "Avos 3",
                                      "Yoreh De'ah 267:173-268:1", "Weekly Daf Kesuvos 88",
                                      "Yerushalmi Ma'asros 30", "Chofetz Chaim Hilchos Rechilus 9:10",
                                      "Shemirat HaLashon Chasimas HaSefer 7:1-5",
                                      "Sefer HaMitzvot Positive Commandment 166; Negative Commandment 327; Positive "
                                      "Commandment 167; Negative Commandment 328, 199"}));
  EXPECT_TRUE(Cells(LearningChoice{}).empty());
  testenv::WriteFile(
      home.lumaro("translations/yiddish.learning"),
      "\"Daf Yomi\" = \"DAF\"\n\"Rambam, three chapters\" = \"RAMBAM-3\"\n"
      "\"Hilchos Yom Tov\" = \"LAWS-OF-YOM-TOV\"\n\"Yom Tov\" = \"YOM-TOV\"\n"
      "\"Chametz u'Matzah\" = \"KHOMETS\"\n\"Tov\" = \"GOOD\"\n\"Bava Metzia\" = \"BM\"\n"
      "\"Sotah\" = \"SOTAH\"\n\"Mishna\" = \"MISHNA\"\n\"Rambam\" = \"RAMBAM\"\n\"Mishna Yomit\" = \"MY\"\n");
  translate_init("yiddish");
  EXPECT_EQ(TranslatedLearningText(LearningCycle::kRambamThreeChapters, kShabbat, kDiasporaRules),
            "LAWS-OF-YOM-TOV 7-8, KHOMETS 1");
  EXPECT_EQ(TranslatedDafYomi(kShabbat), "BM 80");
  for (LearningCycle c : {LearningCycle::kMishnaYomit, LearningCycle::kNachYomi, LearningCycle::kRambamThreeChapters})
    some.Set(c, true);
  EXPECT_EQ(Cells(some),
            (std::vector<std::string>{"MISHNA SOTAH 4:3-4", "I Kings 8", "RAMBAM LAWS-OF-YOM-TOV 7-8, KHOMETS 1"}));
  EXPECT_EQ(Cells(some, true),
            (std::vector<std::string>{"MY (mishna-yomit)", "Nach Yomi (nach-yomi)", "RAMBAM-3 (rambam-3)"}));
  translate_done();
  settingsReset();
}

// Daf Yomi alone is chosen at first; unchanged, nothing is redrawn.
TEST(LearningLines, DialogModel) {
  testenv::TempHome home;
  settingsReset();
  LearningForm form = LearningFormFromSettings();
  ASSERT_EQ(form.size(), 15u);
  EXPECT_TRUE(form[0].id == "daf-yomi" && form[0].label == "Daf Yomi" && form[7].label == "Pirkei Avot" &&
              form[8].id == "arukh-hashulchan-yomi" && form[9].label == "Weekly Daf");
  for (size_t i = 0; i < form.size(); ++i) EXPECT_EQ(form[i].chosen, i == 0) << form[i].id;
  EXPECT_FALSE(LearningFormApply(form));
  form[0].chosen = false;
  form[2].chosen = true;  // Nach Yomi
  EXPECT_TRUE(LearningFormApply(form));
  EXPECT_EQ(
      (std::vector<int>{getLearningFlag("daf-yomi"), getLearningFlag("nach-yomi"), getLearningFlag("mishna-yomit")}),
      (std::vector<int>{0, 1, 0}));
  const LearningForm again = LearningFormFromSettings();
  EXPECT_TRUE(!again[0].chosen && again[2].chosen);
  EXPECT_FALSE(LearningFormApply(again));
  settingsReset();
}

// The city name is not a translation key of the zmanim list, but a phrase replacement over the list would change
// it. Eleven lines of a Khanukka Rosh Khodesh translated into 2000 bytes each exceed the report's 20480 bytes.
TEST(DayReport, ZmanimUntouchedAndLongTranslationsCut) {
  testenv::TempHome home;
  settingsReset();
  std::filesystem::create_directories(home.lumaro("translations"));
  std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", home.lumaro("cities"));
  testenv::WriteFile(home.lumaro("translations/yiddish.other"), "\"Pforzheim\" = \"QQ\"\n");
  std::string file;
  for (const char* key :
       {"Shakharit", "Minkha", "Maariv", "Musaf", "Torah reading", "  Al haNisim", "  Yaale veYavo", "  full Hallel",
        "  no Takhanun", "  Barekhi nafshi (Psalm 104)", "  Teyn Tal uMatar", "  Mashiv haRuakh"})
    file += "\"" + std::string(key) + "\" = \"" + std::string(2000, 'y') + "\"\n";
  testenv::WriteFile(home.lumaro("translations/yiddish.halakha"), file);
  translate_init("yiddish");
  const AbsoluteDay d = AbsoluteFromGregorian(31, 12, 2024);
  const Options options = CurrentOptions();
  std::string zmanim;
  GetZmanimForDay(d, options, &zmanim);
  ASSERT_NE(zmanim.find("Location Pforzheim\n"), std::string::npos) << zmanim;
  const DayReport report = BuildDayReport(d, options);
  EXPECT_EQ(report.zmanim, zmanim);
  EXPECT_TRUE(report.halakha.size() > 20000u && report.halakha.size() <= kTranslateReplaceMax + 1)
      << report.halakha.size();
  EXPECT_EQ(report.halakha.back(), '\n');
  translate_done();
  settingsReset();
}

}  // namespace
