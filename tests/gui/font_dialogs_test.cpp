// The screen-font and font-size dialogs.
#include <sstream>

#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "gui_test_util.h"
#include "compose/day_info.h"
#include "base/settings_file.h"

namespace {

using namespace guitest;

TEST_F(SettingsDialogTest, FontListsInstalledFamiliesAndKeepsTheStoredSpelling) {
  // A font of the user's own, besides the system's.
  std::filesystem::create_directories(home_.path() + "/.fonts/mine");
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
                             home_.path() + "/.fonts/mine/MySerif.TTF");
  setFontName("dejavu serif");
  GtkWidget* oldArea = drawingArea;
  UserScript user;
  user.Then("look", On("Select Font", [](GtkWidget* w) {
        GtkWidget* list = WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front();
        const std::vector<std::string> fonts = ChoiceEntries(list);
        EXPECT_EQ(fonts.front(), "");
        EXPECT_NE(std::find(fonts.begin(), fonts.end(), "DejaVu Sans"), fonts.end());
        EXPECT_EQ(std::count(fonts.begin(), fonts.end(), "DejaVu Serif"), 1);
        EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));
        EXPECT_EQ(ChoiceText(list), "dejavu serif");
        EXPECT_EQ(ContentLabels(w).front(), "TrueType font for displaying on screen:");
      }))
      .Then("screenshot", ScreenshotOf("Select Font", "font"))
      .Then("nothing chosen", On("Select Font", [](GtkWidget* w) {
        Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "");
        Click(w, "OK");
      }))
      .Then("stays open without a message", [] {
        for (int i = 0; i < 20; ++i) Pump();
        EXPECT_EQ(WindowTitled("Message"), nullptr);
        GtkWidget* w = Shown("Select Font");
        EXPECT_NE(w, nullptr);
        if (!w) return true;
        Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "DejaVu Sans");
        return Click(w, "OK");
      });
  RunMenuCommand(kCmdFont, user);
  EXPECT_EQ(getFontName(), "DejaVu Sans");
  EXPECT_NE(drawingArea, oldArea);  // rebuilt with the new font
}

// The spin buttons of the font-size dialog, top to bottom.
std::vector<GtkWidget*> Spins(GtkWidget* w) {
  std::vector<GtkWidget*> spins = WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON);
  std::reverse(spins.begin(), spins.end());  // a table lists its children last-attached first
  return spins;
}

// The point size the painter uses for `text` in the view, from its
// "left x y size colour |text" (or "center x w y size ...") operation.
int SizeOfText(const std::string& text) {
  for (const std::string& op : PaintedView().ops) {
    if (op.size() < text.size() + 2 || op.substr(op.size() - text.size() - 2) != " |" + text) continue;
    std::istringstream in(op);
    std::string kind;
    int x = 0, w = 0, y = 0, size = -1;
    in >> kind >> x >> w >> y;
    if (kind == "center") in >> size;
    return kind == "center" ? size : y;
  }
  ADD_FAILURE() << "the view has no " << text;
  return -1;
}

TEST_F(SettingsDialogTest, FontSizesAreStoredAtOnceAndResetToTheDefaults) {
  ShowMonth({1, 5, 2025});
  const std::string omer = PaintInternal_GetDayInformation(AbsoluteFromGregorian(1, 5, 2025)).omer;
  ASSERT_FALSE(omer.empty());
  EXPECT_EQ(SizeOfText(omer), 12);  // the English screen default
  GtkWidget* oldArea = drawingArea;
  UserScript user;
  user.Then("look", On("Configure font sizes", [](GtkWidget* w) {
        const std::vector<GtkWidget*> spins = Spins(w);
        EXPECT_EQ(spins.size(), 11u);
        std::vector<int> values;
        for (GtkWidget* s : spins) values.push_back(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(s)));
        EXPECT_EQ(values, (std::vector<int>{22, 16, 16, 14, 14, 16, 12, 12, 14, 12, 14}));
        const std::vector<std::string> labels = ContentLabels(w);
        EXPECT_EQ(labels.size(), 22u);
        EXPECT_NE(std::find(labels.begin(), labels.end(), "Omer count:"), labels.end());
      }))
      .Then("screenshot", ScreenshotOf("Configure font sizes", "font-sizes"))
      .Then("Omer 20, typed but not confirmed with Return: OK takes it", On("Configure font sizes", [](GtkWidget* w) {
        gtk_entry_set_text(GTK_ENTRY(Spins(w)[6]), "20");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdFontSizes, user);
  EXPECT_NE(drawingArea, oldArea);
  EXPECT_EQ(SettingsGet("FontSizeOmer", ""), "20");
  EXPECT_EQ(SettingsGet("FontSizeCaption1", ""), "22");
  EXPECT_EQ(SettingsGet("FontSizeZmanim", ""), "14");
  EXPECT_EQ(SizeOfText(omer), 20);

  UserScript reset;
  reset.Then("the stored size is shown; reset", On("Configure font sizes", [](GtkWidget* w) {
    EXPECT_EQ(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(Spins(w)[6])), 20);
    Click(w, "Reset");
  }));
  oldArea = drawingArea;
  RunMenuCommand(kCmdFontSizes, reset);
  EXPECT_NE(drawingArea, oldArea);
  EXPECT_EQ(SettingsGet("FontSizeOmer", "(absent)"), "(absent)");
  EXPECT_EQ(SettingsGet("FontSizeCaption1", "(absent)"), "(absent)");
  EXPECT_EQ(SizeOfText(omer), 12);
}

}  // namespace
