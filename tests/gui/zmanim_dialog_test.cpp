// The zmanim dialog: its rows, the check of an empty row, the stored
// opinions and the nightfall the month view's panel shows.
#include "gui_test_util.h"
#include "compose/current_options.h"
#include "base/settings_file.h"
#include "suntimes/day_times.h"

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

// The entries of the special days' expressions, top to bottom (the
// drop-down lists' own entries left out).
std::vector<GtkWidget*> ExpressionEntries(GtkWidget* w) {
  std::vector<GtkWidget*> entries;
  for (GtkWidget* e : WidgetsOfType(w, GTK_TYPE_ENTRY))
    if (!GTK_IS_COMBO_BOX(gtk_widget_get_parent(e))) entries.push_back(e);
  std::reverse(entries.begin(), entries.end());
  return entries;
}

std::vector<std::string> Texts(const std::vector<GtkWidget*>& entries) {
  std::vector<std::string> texts;
  for (GtkWidget* e : entries) texts.push_back(gtk_entry_get_text(GTK_ENTRY(e)));
  return texts;
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
        // Under the choices the heading and the expressions of the special
        // days' times; reversed, their table comes first.
        EXPECT_EQ(labels, (std::vector<std::string>{
                              "Fast begins (minor fasts)", "Fast begins (Tisha BeAv, the evening before)", "Fast ends",
                              "Khanukka candles (Sunday to Thursday)", "Last time to eat khamets", "Burn khamets",
                              "Times of special days", "alot haShakhar", "earliest tallit", "sof zman kriat shema",
                              "sof zman tfilat shakharit", "khatzot", "mincha gedola", "mincha k'tana",
                              "plag haMinkha", "tset haKokhavim"}));
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

// The special days' expressions: the defaults shown (alot and the hours of
// khamets by the choices), a wrong one reported with its row and nothing
// stored, a changed one stored as typed, one left at its default stored
// empty so that it follows the choice made in the same dialog.
TEST_F(SettingsDialogTest, SpecialTimesShowTheirDefaultsAndKeepFollowingTheChoices) {
  ShowMonth({13, 7, 2025});  // 17 Tammuz 5785
  UserScript user;
  user.Then("look", On(kTitle, [](GtkWidget* w) {
        EXPECT_EQ(Texts(ExpressionEntries(w)),
                  (std::vector<std::string>{"sunrise - 72", "sunset", "sunset + degrees_below_horizon(7.083)",
                                            "sunset + degrees_below_horizon(7.083)", "sunrise + proportional_hour(4)",
                                            "sunrise + proportional_hour(5)"}));
      }))
      .Then("a wrong expression", On(kTitle, [](GtkWidget* w) {
        const std::vector<GtkWidget*> entries = ExpressionEntries(w);
        ASSERT_EQ(entries.size(), 6u);
        gtk_entry_set_text(GTK_ENTRY(entries[2]), "sunset + + 3");
        Choose(Lists(w)[0], "16.1 deg bel. horizon");
        Click(w, "OK");
      }))
      .Then("message", ExpectMessage("Fast ends: not a valid time expression"))
      .Then("nothing stored", [] {
        EXPECT_EQ(SettingsGet("ZmanimAlotHaShachar", "(absent)"), "(absent)");
        EXPECT_EQ(getTimeFastEnds(), "");
        return true;
      })
      .Then("correct and confirm", On(kTitle, [](GtkWidget* w) {
        const std::vector<GtkWidget*> entries = ExpressionEntries(w);
        gtk_entry_set_text(GTK_ENTRY(entries[2]), "  sunset + 40 ");
        gtk_entry_set_text(GTK_ENTRY(entries[3]), "");
        Click(w, "OK");
      }))
      .Then("an empty expression", ExpectMessage("Khanukka candles (Sunday to Thursday): not a valid time expression"))
      .Then("confirm", On(kTitle, [](GtkWidget* w) {
        gtk_entry_set_text(GTK_ENTRY(ExpressionEntries(w)[3]), "sunset + degrees_below_horizon(7.083)");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdZmanim, user);
  EXPECT_EQ(getTimeFastEnds(), "sunset + 40");
  EXPECT_EQ(getTimeKhanukka(), "");
  // Left as it was shown, the fast's beginning follows the new alot.
  EXPECT_EQ(getTimeFastBegins(), "");
  EXPECT_EQ(SpecialTimeExpressionsInUse().fastBegins, "sunrise - degrees_below_horizon(16.1)");
  // The panel of the fast day lists its end 40 minutes after sunset.
  const int sunset = Minutes(PanelValue("shkiat haKhama"));
  EXPECT_EQ(Minutes(PanelValue("Fast ends")) - sunset, 40);
}

}  // namespace
