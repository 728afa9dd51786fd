#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "render/day_info.h"
#include "settings_test_util.h"
#include "storage/settings.h"
#include "storage/settings_file.h"

namespace {

using guitest::Shown;
using guitest::SettingsDialogTest;

TEST_F(SettingsDialogTest, FontListsInstalledFamiliesAndKeepsTheStoredSpelling) {
  // A font of the user's own, besides the system's.
  std::filesystem::create_directories(home_.path() + "/.fonts/mine");
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
                             home_.path() + "/.fonts/mine/MySerif.TTF");
  setFontName("dejavu serif");
  GtkWidget* oldArea = drawingArea;
  guitest::UserScript user;
  user.Then("look", [] {
        GtkWidget* w = Shown("Select Font");
        if (!w) return false;
        GtkWidget* list = guitest::WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front();
        const std::vector<std::string> fonts = guitest::ChoiceEntries(list);
        EXPECT_EQ(fonts.front(), "");
        EXPECT_NE(std::find(fonts.begin(), fonts.end(), "DejaVu Sans"), fonts.end());
        EXPECT_EQ(std::count(fonts.begin(), fonts.end(), "DejaVu Serif"), 1);
        EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));
        EXPECT_EQ(guitest::ChoiceText(list), "dejavu serif");
        EXPECT_EQ(guitest::ContentLabels(w).front(), "TrueType font for displaying on screen:");
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf("Select Font", "font"))
      .Then("nothing chosen", [] {
        GtkWidget* w = Shown("Select Font");
        guitest::Choose(guitest::WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "");
        return guitest::Click(w, "OK");
      })
      .Then("stays open without a message", [] {
        for (int i = 0; i < 20; ++i) guitest::Pump();
        EXPECT_EQ(guitest::WindowTitled("Message"), nullptr);
        GtkWidget* w = Shown("Select Font");
        EXPECT_NE(w, nullptr);
        if (!w) return true;
        guitest::Choose(guitest::WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "DejaVu Sans");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdFont, user);
  EXPECT_EQ(getFontName(), "DejaVu Sans");
  EXPECT_NE(drawingArea, oldArea);  // rebuilt with the new font
}

// The spin buttons of the font-size dialog, top to bottom.
std::vector<GtkWidget*> Spins(GtkWidget* w) {
  std::vector<GtkWidget*> spins = guitest::WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON);
  std::reverse(spins.begin(), spins.end());  // a table lists its children last-attached first
  return spins;
}

// The point size the painter uses for `text` in the view.
int SizeOfText(const std::string& text) {
  for (const std::string& op : guitest::PaintedView().ops) {
    if (op.size() < text.size() + 2 || op.compare(op.size() - text.size() - 2, std::string::npos, " |" + text) != 0)
      continue;
    // "center x w y size colour |text"
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t sp; (sp = op.find(' ', start)) != std::string::npos && fields.size() < 5; start = sp + 1)
      fields.push_back(op.substr(start, sp - start));
    return fields.size() == 5 ? static_cast<int>(std::strtol(fields[4].c_str(), nullptr, 10)) : -1;
  }
  ADD_FAILURE() << "the view has no " << text;
  return -1;
}

TEST_F(SettingsDialogTest, FontSizesAreStoredAtOnceAndResetToTheDefaults) {
  guitest::ShowMonth({1, 5, 2025});
  const std::string omer = PaintInternal_GetDayInformation(AbsoluteFromGregorian(1, 5, 2025)).omer;
  ASSERT_FALSE(omer.empty());
  EXPECT_EQ(SizeOfText(omer), 12);  // the English screen default
  GtkWidget* oldArea = drawingArea;
  guitest::UserScript user;
  user.Then("look", [] {
        GtkWidget* w = Shown("Configure font sizes");
        if (!w) return false;
        const std::vector<GtkWidget*> spins = Spins(w);
        EXPECT_EQ(spins.size(), 11u);
        std::vector<int> values;
        for (GtkWidget* s : spins) values.push_back(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(s)));
        EXPECT_EQ(values, (std::vector<int>{22, 16, 16, 14, 14, 16, 12, 12, 14, 12, 14}));
        const std::vector<std::string> labels = guitest::ContentLabels(w);
        EXPECT_EQ(labels.size(), 22u);
        EXPECT_NE(std::find(labels.begin(), labels.end(), "Omer count:"), labels.end());
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf("Configure font sizes", "font-sizes"))
      .Then("Omer 20, typed", [] {
        GtkWidget* w = Shown("Configure font sizes");
        // Typed but not yet confirmed with Return: OK still takes it.
        gtk_entry_set_text(GTK_ENTRY(Spins(w)[6]), "20");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdFontSizes, user);
  EXPECT_NE(drawingArea, oldArea);
  EXPECT_EQ(SettingsGet("FontSizeOmer", ""), "20");
  EXPECT_EQ(SettingsGet("FontSizeCaption1", ""), "22");
  EXPECT_EQ(SettingsGet("FontSizeZmanim", ""), "14");
  EXPECT_EQ(SizeOfText(omer), 20);

  guitest::UserScript reset;
  reset.Then("the stored size is shown; reset", [] {
    GtkWidget* w = Shown("Configure font sizes");
    if (!w) return false;
    EXPECT_EQ(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(Spins(w)[6])), 20);
    return guitest::Click(w, "Reset");
  });
  oldArea = drawingArea;
  guitest::RunMenuCommand(kCmdFontSizes, reset);
  EXPECT_NE(drawingArea, oldArea);
  EXPECT_EQ(SettingsGet("FontSizeOmer", "(absent)"), "(absent)");
  EXPECT_EQ(SettingsGet("FontSizeCaption1", "(absent)"), "(absent)");
  EXPECT_EQ(SizeOfText(omer), 12);
}

}  // namespace
