#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_util.h"
#include "storage/settings_file.h"

namespace {

using guitest::Shown;
using guitest::SettingsDialogTest;

constexpr const char* kTitle = "Configure Zmanim";

// The drop-down lists of the dialog, top to bottom.
std::vector<GtkWidget*> Lists(GtkWidget* w) {
  std::vector<GtkWidget*> lists = guitest::WidgetsOfType(w, GTK_TYPE_COMBO_BOX);
  // A table lists its children last-attached first.
  std::reverse(lists.begin(), lists.end());
  return lists;
}

// The time the zmanim panel shows beside `name`.
std::string PanelValue(const std::string& name) {
  const testenv::RecordingDrawing d = guitest::PaintedView();
  for (size_t i = 0; i + 1 < d.texts.size(); ++i)
    if (d.texts[i] == name) return d.texts[i + 1];
  ADD_FAILURE() << "no panel line " << name;
  return "";
}

TEST_F(SettingsDialogTest, ZmanimRowsStartWithTheFirstOpinionAndAnEmptyRowIsReported) {
  guitest::ShowMonth({21, 6, 2024});
  const std::string nightfallBefore = PanelValue("tset haKokhavim");
  guitest::UserScript user;
  user.Then("look", [] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        const std::vector<GtkWidget*> lists = Lists(w);
        EXPECT_EQ(lists.size(), 9u);
        if (lists.size() != 9u) return true;
        EXPECT_EQ(guitest::ChoiceText(lists[0]), "72 min before sunr.");
        EXPECT_EQ(guitest::ChoiceText(lists[2]), "GR\"O");
        EXPECT_EQ(guitest::ChoiceText(lists[8]), "72 min after sunset");
        EXPECT_EQ(guitest::ChoiceEntries(lists[8]),
                  (std::vector<std::string>{"", "72 min after sunset", "5.95 deg bel. horizon", "7.08 deg bel. horizon",
                                            "7.5 deg bel. horizon", "8.75 deg bel. horizon"}));
        std::vector<std::string> labels = guitest::ContentLabels(w);
        std::reverse(labels.begin(), labels.end());  // table order, as for the lists
        EXPECT_EQ(labels, (std::vector<std::string>{"alot haShakhar", "earliest tallit", "sof zman kriat shema",
                                                    "sof zman tfilat shakharit", "khatzot", "mincha gedola",
                                                    "mincha k'tana", "plag haMinkha", "tset haKokhavim"}));
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf(kTitle, "zmanim"))
      .Then("empty third row", [] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        const std::vector<GtkWidget*> lists = Lists(w);
        guitest::Choose(lists[0], "16.1 deg bel. horizon");
        guitest::Choose(lists[2], "");
        guitest::Choose(lists[8], "5.95 deg bel. horizon");
        return guitest::Click(w, "OK");
      })
      .Then("message", guitest::ExpectMessage("An entry under sof zman\nkriat shema must be selected"))
      .Then("rows before it are stored", [] {
        EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", ""), "AlotHashachar16");
        EXPECT_EQ(SettingsGet("ZmanimEarliestTallit", ""), "EarliestTallit11");
        EXPECT_EQ(SettingsGet("ZmanimKriatShema", "(absent)"), "(absent)");
        EXPECT_EQ(SettingsGet("ZmanimTzaitHakochavim", "(absent)"), "(absent)");
        return true;
      })
      .Then("choose and confirm", [] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        guitest::Choose(Lists(w)[2], "M\"A");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdZmanim, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  const std::vector<std::pair<const char*, const char*>> stored = {
      {"ZmanimAlotHaShachar", "AlotHashachar16"}, {"ZmanimEarliestTallit", "EarliestTallit11"},
      {"ZmanimKriatShema", "KriatShemaMA"},       {"ZmanimTefila", "TefilaGRO"},
      {"ZmanimChatzot", "ChatzotGRO"},            {"ZmanimMinchaGedola", "MinchaGedolaGRO"},
      {"ZmanimMinchaKtana", "MinchaKtanaGRO"},    {"ZmanimPlagHaMincha", "PlagHaMinchaGRO"},
      {"ZmanimTzaitHakochavim", "Deg595"}};
  for (const auto& [key, value] : stored) EXPECT_EQ(SettingsGet(key, "(absent)"), value) << key;
  // Near the solstice at 49 degrees north the sun is 5.95 degrees below the
  // horizon some 45 minutes after sunset, well before the 72 minutes of the
  // first opinion: the panel shows an earlier nightfall now.
  const std::string nightfallAfter = PanelValue("tset haKokhavim");
  ASSERT_EQ(nightfallBefore.size(), 7u);
  ASSERT_EQ(nightfallAfter.size(), 7u);
  EXPECT_LT(nightfallAfter, nightfallBefore);  // both "10:..PM"/"09:..PM" texts of the evening
  EXPECT_EQ(nightfallAfter.substr(5), "PM");
}

}  // namespace
