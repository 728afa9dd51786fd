// The zmanim dialog: its rows, the check of an empty row, the stored
// opinions and the nightfall the month view's panel shows.
#include "gui_test_util.h"
#include "base/settings_file.h"

namespace {

using namespace guitest;

constexpr const char* kTitle = "Configure Zmanim";

// The drop-down lists of the dialog, top to bottom.
std::vector<GtkWidget*> Lists(GtkWidget* w) {
  std::vector<GtkWidget*> lists = WidgetsOfType(w, GTK_TYPE_COMBO_BOX);
  // A table lists its children last-attached first.
  std::reverse(lists.begin(), lists.end());
  return lists;
}

// The time the zmanim panel shows beside `name`.
std::string PanelValue(const std::string& name) {
  const testenv::RecordingDrawing d = PaintedView();
  for (size_t i = 0; i + 1 < d.texts.size(); ++i)
    if (d.texts[i] == name) return d.texts[i + 1];
  ADD_FAILURE() << "no panel line " << name;
  return "";
}

TEST_F(SettingsDialogTest, ZmanimRowsStartWithTheFirstOpinionAndAnEmptyRowIsReported) {
  ShowMonth({21, 6, 2024});
  const std::string nightfallBefore = PanelValue("tset haKokhavim");
  UserScript user;
  user.Then("look", On(kTitle, [](GtkWidget* w) {
        const std::vector<GtkWidget*> lists = Lists(w);
        ASSERT_EQ(lists.size(), 9u);
        EXPECT_EQ(ChoiceText(lists[0]), "72 min before sunr.");
        EXPECT_EQ(ChoiceText(lists[2]), "GR\"O");
        EXPECT_EQ(ChoiceText(lists[8]), "72 min after sunset");
        EXPECT_EQ(ChoiceEntries(lists[8]),
                  (std::vector<std::string>{"", "72 min after sunset", "5.95 deg bel. horizon", "7.08 deg bel. horizon",
                                            "7.5 deg bel. horizon", "8.75 deg bel. horizon"}));
        std::vector<std::string> labels = ContentLabels(w);
        std::reverse(labels.begin(), labels.end());  // table order, as for the lists
        EXPECT_EQ(labels, (std::vector<std::string>{"alot haShakhar", "earliest tallit", "sof zman kriat shema",
                                                    "sof zman tfilat shakharit", "khatzot", "mincha gedola",
                                                    "mincha k'tana", "plag haMinkha", "tset haKokhavim"}));
      }))
      .Then("screenshot", ScreenshotOf(kTitle, "zmanim"))
      .Then("empty third row", On(kTitle, [](GtkWidget* w) {
        const std::vector<GtkWidget*> lists = Lists(w);
        Choose(lists[0], "16.1 deg bel. horizon");
        Choose(lists[2], "");
        Choose(lists[8], "5.95 deg bel. horizon");
        Click(w, "OK");
      }))
      .Then("message", ExpectMessage("An entry under sof zman\nkriat shema must be selected"))
      .Then("rows before it are stored", [] {
        EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", ""), "AlotHashachar16");
        EXPECT_EQ(SettingsGet("ZmanimEarliestTallit", ""), "EarliestTallit11");
        EXPECT_EQ(SettingsGet("ZmanimKriatShema", "(absent)"), "(absent)");
        EXPECT_EQ(SettingsGet("ZmanimTzaitHakochavim", "(absent)"), "(absent)");
        return true;
      })
      .Then("choose and confirm", On(kTitle, [](GtkWidget* w) {
        Choose(Lists(w)[2], "M\"A");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdZmanim, user);
  EXPECT_TRUE(RedrawRequested());
  const std::vector<std::pair<const char*, const char*>> stored = {
      {"ZmanimAlotHaShachar", "AlotHashachar16"}, {"ZmanimEarliestTallit", "EarliestTallit11"},
      {"ZmanimKriatShema", "KriatShemaMA"},       {"ZmanimTefila", "TefilaGRO"},
      {"ZmanimChatzot", "ChatzotGRO"},            {"ZmanimMinchaGedola", "MinchaGedolaGRO"},
      {"ZmanimMinchaKtana", "MinchaKtanaGRO"},    {"ZmanimPlagHaMincha", "PlagHaMinchaGRO"},
      {"ZmanimTzaitHakochavim", "Deg595"}};
  for (const auto& [key, value] : stored) EXPECT_EQ(SettingsGet(key, "(absent)"), value) << key;
  // Near the solstice at 49 degrees north the sun is 5.95 degrees below the
  // horizon some 45 to 55 minutes after sunset, well before the 72 minutes of
  // the first opinion: the panel shows an earlier nightfall now.
  const int earlier = Minutes(nightfallBefore) - Minutes(PanelValue("tset haKokhavim"));
  EXPECT_TRUE(earlier > 12 && earlier < 32) << nightfallBefore << " " << earlier;
}

}  // namespace
