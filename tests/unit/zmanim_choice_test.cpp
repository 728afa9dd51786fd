#include "suntimes/zmanim_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "storage/settings_file.h"
#include "storage/translate.h"
#include "test_env.h"

namespace {

class ZmanimChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("english");
  }
  void TearDown() override {
    storage::SetBeforeReplaceHookForTesting(nullptr);
    translate_done();
  }
  static std::vector<std::string> CurrentLabels() {
    std::vector<std::string> labels;
    for (const ZmanimRec* rec : ZmanimChoiceRows()) labels.push_back(ZmanimCurrentLabel(*rec));
    return labels;
  }
  testenv::TempHome home_;
};

TEST_F(ZmanimChoiceTest, StoredChoiceIsShownAndUnknownValuesShowTheFirst) {
  SettingsSet("ZmanimTzaitHakochavim", "Deg75");
  SettingsSet("ZmanimKriatShema", "kriatshemama");  // not the key: the case differs
  const std::vector<std::string> labels = CurrentLabels();
  EXPECT_EQ(labels.back(), "7.5 deg bel. horizon");
  EXPECT_EQ(labels[2], "GR\"O");
  const ZmanimRec& tzait = *ZmanimChoiceRows().back();
  EXPECT_EQ(ZmanimOptionLabels(tzait).size(), 6u);
  EXPECT_EQ(ZmanimOptionLabels(tzait).front(), "");
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "8.75 deg bel. horizon"), 4);
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, ""), -1);
}

// (The GUI test covers a missing choice in a row with two name parts.)
TEST_F(ZmanimChoiceTest, MissingChoiceInARowWithOneNamePart) {
  std::vector<std::string> labels = CurrentLabels();
  labels[0] = "";
  EXPECT_EQ(ZmanimStoreChoices(labels), "An entry under alot haShakhar\n must be selected");
  EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", "(absent)"), "(absent)");
}

TEST_F(ZmanimChoiceTest, LabelsAreComparedAsTranslated) {
  std::filesystem::create_directories(home_.path() + "/.lumaro/translations");
  testenv::WriteFile(home_.path() + "/.lumaro/translations/yiddish.gui",
                     "\"72 min after sunset\" = \"72 minut nokh shkie\"\n");
  translate_init("yiddish");
  const ZmanimRec& tzait = *ZmanimChoiceRows().back();
  EXPECT_EQ(ZmanimCurrentLabel(tzait), "72 minut nokh shkie");
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "72 minut nokh shkie"), 0);
  EXPECT_EQ(ZmanimOptionFromLabel(tzait, "72 min after sunset"), -1);
}

TEST_F(ZmanimChoiceTest, FailedWriteIsReported) {
  storage::SetBeforeReplaceHookForTesting([] { return false; });
  ::testing::internal::CaptureStderr();
  const std::string message = ZmanimStoreChoices(CurrentLabels());
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(message, "The zmanim choices could not be saved in " + SettingsGetFileName());
  storage::SetBeforeReplaceHookForTesting(nullptr);
  EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", "(absent)"), "(absent)");
}

}  // namespace
