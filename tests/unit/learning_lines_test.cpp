// The daily learning as the program shows it: the choice in the settings
// and the dialog's model, whole-name translation and the cell lines (the
// lines of a day, the export and the report's list are checked end to end
// through lumaro-cli). The portions of 18 and 19 May 2024 are
// those of the independent calendar (tests/data/learning_reference.tsv, in
// our spellings), as in learning_test.cpp.
#include "compose/learning_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "forms/learning_form.h"
#include "test_env.h"

namespace {

AbsoluteDay G(int year, int month, int day) { return AbsoluteFromGregorian(day, month, year); }

const AbsoluteDay kShabbat = G(2024, 5, 18);  // 10 Iyar 5784, the third Shabbat after Pesakh

class LearningLinesTest : public ::testing::Test {
 protected:
  LearningLinesTest() {
    settingsReset();
    std::filesystem::create_directories(home_.lumaro("translations"));
    translate_init("english");
  }
  ~LearningLinesTest() override {
    translate_done();
    settingsReset();
  }
  void UseYiddish(const std::string& content) {
    testenv::WriteFile(home_.lumaro("translations/yiddish.learning"), content);
    translate_init("yiddish");
  }
  testenv::TempHome home_;
};

LearningChoice Everything() {
  LearningChoice choice;
  choice.cycles.fill(true);
  return choice;
}

// Whole names are swapped, never phrases inside them; a law of the Rambam
// is looked up as "Hilchos <name>" first, then as the name alone.
TEST_F(LearningLinesTest, TranslatedByWholeNames) {
  UseYiddish(
      "\"Daf Yomi\" = \"DAF\"\n"
      "\"Rambam, three chapters\" = \"RAMBAM-3\"\n"
      "\"Hilchos Yom Tov\" = \"LAWS-OF-YOM-TOV\"\n"
      "\"Yom Tov\" = \"YOM-TOV\"\n"
      "\"Chametz u'Matzah\" = \"KHOMETS\"\n"
      "\"Tov\" = \"GOOD\"\n"
      "\"Bava Metzia\" = \"BM\"\n"
      "\"Sotah\" = \"SOTAH\"\n"
      "\"Mishna\" = \"MISHNA\"\n"
      "\"Rambam\" = \"RAMBAM\"\n"
      "\"Mishna Yomit\" = \"MY\"\n");
  EXPECT_EQ(TranslatedLearningText(LearningCycle::kRambamThreeChapters, kShabbat, kDiasporaRules),
            "LAWS-OF-YOM-TOV 7-8, KHOMETS 1");
  EXPECT_EQ(TranslatedDafYomi(kShabbat), "BM 80");
  EXPECT_EQ(TranslatedLearningText(LearningCycle::kMishnaYomit, kShabbat, kDiasporaRules), "SOTAH 4:3-4");
  // A name without an entry stays English; so do the numbers.
  EXPECT_EQ(TranslatedLearningText(LearningCycle::kNachYomi, kShabbat, kDiasporaRules), "I Kings 8");
  // The cell: a short name before tractates and laws, the title as the hint.
  LearningChoice choice;
  choice.Set(LearningCycle::kMishnaYomit, true);
  choice.Set(LearningCycle::kRambamThreeChapters, true);
  choice.Set(LearningCycle::kNachYomi, true);
  const std::vector<LearningCellLine> cells = LearningCellLines(kShabbat, choice, kDiasporaRules);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0].text, "MISHNA SOTAH 4:3-4");
  EXPECT_EQ(cells[0].hint, "MY");
  EXPECT_EQ(cells[1].text, "I Kings 8");
  EXPECT_EQ(cells[2].text, "RAMBAM LAWS-OF-YOM-TOV 7-8, KHOMETS 1");
  EXPECT_EQ(cells[2].hint, "RAMBAM-3");
  EXPECT_EQ(cells[2].id, "rambam-3");
}

// In English the cell names the cycles that the book names do not tell.
TEST_F(LearningLinesTest, EnglishCellLines) {
  std::vector<std::string> texts;
  for (const LearningCellLine& line : LearningCellLines(kShabbat, Everything(), kDiasporaRules))
    texts.push_back(line.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Mishna Sotah 4:3-4", "I Kings 8", "Yerushalmi Eruvin 65",
                                             "Rambam Ma'asros 2", "Rambam Yom Tov 7-8, Chametz u'Matzah 1",
                                             "Psalms 55-59", "Avos 3"}));
  // Daf Yomi has a line of its own in the cell, never one of these.
  LearningChoice daf;
  EXPECT_TRUE(LearningCellLines(kShabbat, daf, kDiasporaRules).empty());
}

TEST_F(LearningLinesTest, DialogModel) {
  LearningForm form = LearningFormFromSettings();
  ASSERT_EQ(form.size(), 8u);
  EXPECT_EQ(form[0].id, "daf-yomi");
  EXPECT_EQ(form[0].label, "Daf Yomi");
  EXPECT_TRUE(form[0].chosen);
  for (size_t i = 1; i < form.size(); ++i) EXPECT_FALSE(form[i].chosen) << form[i].id;
  EXPECT_EQ(form[7].label, "Pirkei Avot");
  // Unchanged: nothing to redraw.
  EXPECT_FALSE(LearningFormApply(form));
  form[0].chosen = false;
  form[2].chosen = true;  // Nach Yomi
  EXPECT_TRUE(LearningFormApply(form));
  EXPECT_EQ(getLearningFlag("daf-yomi"), 0);
  EXPECT_EQ(getLearningFlag("nach-yomi"), 1);
  EXPECT_EQ(getLearningFlag("mishna-yomit"), 0);
  const LearningForm again = LearningFormFromSettings();
  EXPECT_FALSE(again[0].chosen);
  EXPECT_TRUE(again[2].chosen);
  EXPECT_FALSE(LearningFormApply(again));
}

}  // namespace
