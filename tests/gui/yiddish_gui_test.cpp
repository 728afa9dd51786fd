// The program in Yiddish and in Hebrew with the translation files a new
// user gets: after the language switch every menu label and the status line
// are made again in the language, right to left, in the configured font; the
// dialogs and the day report show no English text. Each test runs once per
// right-to-left language. With LUMARO_SCREENSHOT_DIR set, the windows are
// also saved as PNG files there for people to look at ("yiddish-..." and
// "hebrew-...").
#include "app/tooltips.h"
#include "dialogs/widget_fonts.h"
#include "dialogs/message.h"
#include "gui_test_util.h"
#include "storage/user_files.h"

namespace {

using namespace guitest;

bool HasLatinLetter(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// Family and size (points) of the font a widget's style gives it.
std::string FontOf(GtkWidget* w) {
  const PangoFontDescription* d = gtk_widget_get_style(w)->font_desc;
  const char* family = pango_font_description_get_family(d);
  return std::string(family ? family : "") + " " + std::to_string(pango_font_description_get_size(d) / PANGO_SCALE);
}

// A label in Yiddish or Hebrew: a translated text, right to left, in the
// configured font at 16 points.
void ExpectYiddishLabel(GtkWidget* label, const std::string& where) {
  const std::string text = gtk_label_get_text(GTK_LABEL(label));
  EXPECT_FALSE(HasLatinLetter(text)) << where << ": " << text;
  EXPECT_EQ(gtk_widget_get_direction(label), GTK_TEXT_DIR_RTL) << where << ": " << text;
  EXPECT_EQ(FontOf(label), getFontName() + " 16") << where << ": " << text;
}

// Every non-empty label of a window, buttons' labels included.
std::vector<GtkWidget*> Labels(GtkWidget* window) {
  std::vector<GtkWidget*> labels;
  for (GtkWidget* w : WidgetsOfType(window, GTK_TYPE_LABEL))
    if (*gtk_label_get_text(GTK_LABEL(w))) labels.push_back(w);
  return labels;
}

// The items (not separators) of the main window's menus.
int MenuItemCount() {
  int count = 0;
  ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (!GTK_IS_MENU_ITEM(w) || !gtk_menu_item_get_submenu(GTK_MENU_ITEM(w))) return;
    GList* entries = gtk_container_get_children(GTK_CONTAINER(gtk_menu_item_get_submenu(GTK_MENU_ITEM(w))));
    for (GList* e = entries; e; e = e->next)
      if (gtk_bin_get_child(GTK_BIN(e->data))) ++count;
    g_list_free(entries);
  });
  return count;
}

class YiddishGuiTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    // A new user: the shipped files are installed, then the program starts
    // in English with the screen font chosen at start-up.
    std::string error;
    ASSERT_TRUE(InstallDefaultUserFiles(&error)) << error;
    MainWindowTest::SetUp();
    ChooseScreenFont();
    SetSelectedDate({13, 4, 2025});  // the first day of Pesakh
  }
  void TearDown() override {
    setLanguage(kLanguageEnglish);
    setHebrewNumerals(kHebrewNumeralsByLanguage);
    MainWindowTest::TearDown();
  }
  // The language under test, and the names of its screenshots.
  static int Language() { return GetParam(); }
  static std::string Shot(const std::string& name) { return getLanguagePrefix(Language()) + "-" + name; }

  // The user chooses the language in its dialog (Settings, "Select Language...").
  void SwitchTo(int language) {
    const std::string choice = translate_perform(FindLanguage(language)->name);
    const std::string ok = translate_perform("OK");
    {
      UserScript user;
      user.Then("choose the language", On("Select Language", [choice, ok](GtkWidget* w) {
        Click(w, choice);
        Click(w, ok);
      }));
      RunMenuCommand(kCmdLanguage, user);
    }
    ASSERT_EQ(getLanguage(), language);
    ASSERT_TRUE(PumpUntil([] { return drawingArea && GTK_WIDGET_MAPPED(drawingArea); }));
    gdk_window_process_updates(drawingArea->window, TRUE);
    Pump();
  }
};

TEST_P(YiddishGuiTest, LanguageSwitchRebuildsMenusAndStatusLine) {
  // The pointer rests on a Gregorian day number: the status line names it.
  gdk_window_process_updates(drawingArea->window, TRUE);
  Pump();
  bool hovered = false;
  for (int y = 0; y < drawingArea->allocation.height && !hovered; y += 2)
    for (int x = 0; x < drawingArea->allocation.width && !hovered; x += 2)
      if (tooltips_text_at(x, y) == "Gregorian day number" && tooltips_text_at(x + 3, y + 3) == "Gregorian day number")
        Hover(x + 2, y + 2), hovered = true;
  ASSERT_TRUE(hovered);
  EXPECT_EQ(StatusText(), "Gregorian day number");

  const int englishItems = MenuItemCount();
  SwitchTo(Language());
  EXPECT_EQ(SelectedDate(), (GregorianDate{13, 4, 2025}));  // the month stays
  EXPECT_EQ(gtk_widget_get_direction(MenuBar()), GTK_TEXT_DIR_RTL);
  int items = 0;
  GList* titles = gtk_container_get_children(GTK_CONTAINER(MenuBar()));
  ASSERT_EQ(g_list_length(titles), 3u);
  for (GList* t = titles; t; t = t->next) {
    GtkWidget* title = gtk_bin_get_child(GTK_BIN(t->data));
    EXPECT_FALSE(HasLatinLetter(gtk_label_get_text(GTK_LABEL(title)))) << gtk_label_get_text(GTK_LABEL(title));
    EXPECT_EQ(FontOf(title), getFontName() + " 16");
    GList* entries = gtk_container_get_children(GTK_CONTAINER(gtk_menu_item_get_submenu(GTK_MENU_ITEM(t->data))));
    for (GList* e = entries; e; e = e->next) {
      if (GtkWidget* label = gtk_bin_get_child(GTK_BIN(e->data))) {  // not a separator
        ExpectYiddishLabel(label, "menu item");
        ++items;
      }
    }
    g_list_free(entries);
  }
  g_list_free(titles);
  EXPECT_EQ(items, englishItems);
  EXPECT_GE(items, 15);

  // The new status line, right to left, names the same day number in Yiddish.
  ASSERT_NE(StatusLabel(), nullptr);
  ExpectYiddishLabel(StatusLabel(), "status line");
  EXPECT_EQ(StatusText(), translate_perform("Gregorian day number"));
  Screenshot(gMainWindow, Shot("month-2025-04"));

  // And back: English labels, left to right.
  SwitchTo(kLanguageEnglish);
  EXPECT_EQ(gtk_widget_get_direction(MenuBar()), GTK_TEXT_DIR_LTR);
  EXPECT_EQ(MenuLabels(MenuBar()).front(), "Program");
  EXPECT_EQ(StatusText(), "Gregorian day number");
  // Keys reach the navigation once, not once per rebuild.
  PressKey(GDK_Right);
  EXPECT_EQ(SelectedDate(), (GregorianDate{14, 4, 2025}));
}

TEST_P(YiddishGuiTest, DayReportOfAFestival) {
  SwitchTo(Language());
  HandleMenuItem(nullptr, kCmdDayReport);
  ASSERT_TRUE(PumpUntil([] { return Shown("Message") != nullptr; }));
  GtkWidget* report = WindowTitled("Message");
  const std::vector<GtkWidget*> lists = WidgetsOfType(report, GTK_TYPE_TREE_VIEW);
  ASSERT_EQ(lists.size(), 3u);  // zmanim, readings, halakha
  for (size_t i = 0; i < lists.size(); ++i) {
    EXPECT_EQ(gtk_widget_get_direction(lists[i]), GTK_TEXT_DIR_RTL);
    const std::vector<std::string> rows = TreeRows(lists[i]);
    EXPECT_GT(rows.size(), 2u);
    for (size_t r = 0; r < rows.size(); ++r)
      EXPECT_TRUE(rows[r].find("Pforzheim") != std::string::npos || !HasLatinLetter(rows[r])) << rows[r];  // but the city's name
  }
  for (GtkWidget* label : Labels(report)) ExpectYiddishLabel(label, "report");  // its "Close" button
  // The window stays on the screen: its rows wrap rather than widen it.
  ASSERT_TRUE(PumpUntil([&] { return report->allocation.width > 1; }));
  EXPECT_LE(report->allocation.width, gdk_screen_get_width(gdk_screen_get_default()));
  EXPECT_LE(report->allocation.height, gdk_screen_get_height(gdk_screen_get_default()));
  Screenshot(report, Shot("day-report-2025-04-13"));
}

// Rows read from the right: the label of the name row stands right of its
// entry, and OK comes first, at the right.
TEST_P(YiddishGuiTest, AnniversaryEditDialogIsMirrored) {
  SwitchTo(Language());
  auto rightOf = [](GtkWidget* a, GtkWidget* b) { return a && b && a->allocation.x > b->allocation.x; };
  UserScript user;
  user.Then("the list: Add...", Press("Anniversaries", translate_perform("Add...")))
      .Then("the new entry", On("Edit Anniversary/Birthday/yortsayt", [&](GtkWidget* w) {
        for (GtkWidget* label : Labels(w)) ExpectYiddishLabel(label, "edit");
        GtkWidget* months = WidgetsOfType(w, GTK_TYPE_COMBO_BOX).at(0);
        const std::vector<std::string> names = ChoiceEntries(months);
        EXPECT_EQ(names.size(), 14u);
        for (const std::string& name : names) EXPECT_FALSE(HasLatinLetter(name)) << name;
        int named = 0;
        for (GtkWidget* label : Labels(w)) {
          if (translate_perform("Name:") != gtk_label_get_text(GTK_LABEL(label))) continue;
          ++named;
          EXPECT_TRUE(rightOf(label, WidgetsOfType(gtk_widget_get_parent(label), GTK_TYPE_ENTRY).at(0)));
        }
        EXPECT_EQ(named, 1);
        EXPECT_TRUE(rightOf(FindButton(w, translate_perform("OK")), FindButton(w, translate_perform("Cancel"))));
        Screenshot(w, Shot("anniversary-edit"));
        Click(w, translate_perform("Cancel"));
      }))
      .Then("close", [] {
        GtkWidget* w = Shown("Anniversaries");
        return w && !WindowTitled("Edit Anniversary/Birthday/yortsayt") && Click(w, translate_perform("Close"));
      });
  RunMenuCommand(kCmdAnniversaries, user);
}

// Every dialog in Yiddish: each label and button is Yiddish, right to
// left, in the dialog font. (Window titles stay English.)
TEST_P(YiddishGuiTest, EveryDialog) {
  const std::vector<std::tuple<int, const char*, const char*>> cases = {
      {kCmdIsraelDiasporaStyle, "Set Israel/Diaspora & Style", "Cancel"},
      {kCmdShabbatTimes, "Configure Shabbat Times", "Cancel"},
      {kCmdZmanim, "Configure Zmanim", "Cancel"},
      {kCmdLearning, "Daily Learning", "Cancel"},
      {kCmdDaylightSaving, "Configure Daylight Savings Time", "Cancel"},
      {kCmdTimeFormat, "Time format", "Cancel"},
      {kCmdBackgroundImage, "Select Background Image", "Cancel"},
      {kCmdFont, "Select Font", "Cancel"},
      {kCmdLanguage, "Select Language", "Cancel"},
      {kCmdHelp, "Help", "Close"},
      {kCmdPrint, "Select Printing Options", "Cancel"},
      {kCmdExport, "Export to Calendar File", "Cancel"},
      {kCmdAnniversaries, "Anniversaries", "Close"},
      {kCmdFontSizes, "Configure font sizes", "Cancel"},
  };
  SwitchTo(Language());
  for (const auto& [command, title, close] : cases) {
    SCOPED_TRACE(title);
    UserScript user;
    user.Then(title, On(title, [command = command, close = std::string(translate_perform(close))](GtkWidget* w) {
      const std::vector<GtkWidget*> labels = Labels(w);
      EXPECT_FALSE(labels.empty());
      for (GtkWidget* label : labels) ExpectYiddishLabel(label, gtk_window_get_title(GTK_WINDOW(w)));
      for (GtkWidget* view : WidgetsOfType(w, GTK_TYPE_TEXT_VIEW)) {  // the help text
        EXPECT_GT(TextOf(view).size(), 100u);
        EXPECT_FALSE(HasLatinLetter(TextOf(view))) << TextOf(view);
      }
      Screenshot(w, Shot(std::to_string(command)));
      Click(w, close);
    }));
    RunMenuCommand(command, user);
    Pump();
    EXPECT_EQ(getLanguage(), Language());  // Cancel kept it
  }
}

// A question in Yiddish or Hebrew has buttons in that language, "Yes" at the right.
TEST_P(YiddishGuiTest, QuestionsAnswerInYiddish) {
  SwitchTo(Language());
  UserScript user;
  user.Then("answer", On("Message", [](GtkWidget* w) {
    for (GtkWidget* label : Labels(w)) ExpectYiddishLabel(label, "question");
    GtkWidget* yes = FindButton(w, translate_perform("Yes"));
    GtkWidget* no = FindButton(w, translate_perform("No"));
    ASSERT_TRUE(yes && no);
    EXPECT_GT(yes->allocation.x, no->allocation.x);
    Click(w, translate_perform("Yes"));
  }));
  user.Start();
  EXPECT_EQ(DialogsDoYesNo(translate_perform("Lumaro")), kAnswerYes);
}


// The Hebrew day numbers the month view draws at the right of its cells.
std::vector<std::string> HebrewDayNumbers() {
  PumpUntil([] { return drawingArea->allocation.width > 1 && drawingArea->allocation.height > 1; });
  const PaintArea area{0, 0, drawingArea->allocation.width, drawingArea->allocation.height};
  return testenv::PaintedHebrewDayNumbers(area, SelectedDate(), translate_perform("Jewish day number"));
}

// The language dialog's check box follows the language until the user
// changes it: on for Yiddish and Hebrew; turned off, it stays off.
TEST_P(YiddishGuiTest, HebrewNumeralsFollowTheLanguageUntilTurnedOff) {
  EXPECT_EQ(HebrewDayNumbers().at(12), "15");  // 13 April 2025, 15 Nisan
  const std::string name = translate_perform(FindLanguage(Language())->name);
  const std::string box = "Hebrew dates in Hebrew numerals";
  {
    UserScript user;
    user.Then("the language, then the numerals", On("Select Language", [&](GtkWidget* w) {
      EXPECT_FALSE(IsOn(w, box));
      Click(w, name);
      EXPECT_TRUE(IsOn(w, box));  // the language's default
      Click(w, "English");
      EXPECT_FALSE(IsOn(w, box));
      Click(w, name);
      Screenshot(w, Shot("language-dialog"));
      Click(w, "Cancel");
    }));
    RunMenuCommand(kCmdLanguage, user);
  }
  EXPECT_EQ(getLanguage(), kLanguageEnglish);
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsByLanguage);

  SwitchTo(Language());
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsByLanguage);
  EXPECT_EQ(HebrewDayNumbers().at(12), "ט״ו");
  EXPECT_EQ(HebrewCaptionOfMonth(4, 2025), "ג׳ ניסן - ב׳ אייר תשפ״ה");

  // Off by the user: digits, in this language and in English.
  const std::string translatedBox = translate_perform(box);
  {
    UserScript user;
    user.Then("numerals off", On("Select Language", [&](GtkWidget* w) {
      EXPECT_TRUE(IsOn(w, translatedBox));
      SetToggle(FindButton(w, translatedBox), false);
      Click(w, translate_perform("OK"));
    }));
    RunMenuCommand(kCmdLanguage, user);
  }
  ASSERT_TRUE(PumpUntil([] { return drawingArea && GTK_WIDGET_MAPPED(drawingArea); }));
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsOff);
  EXPECT_EQ(HebrewDayNumbers().at(12), "15");
  SwitchTo(kLanguageEnglish);
  EXPECT_EQ(getHebrewNumerals(), kHebrewNumeralsOff);
  EXPECT_EQ(HebrewDayNumbers().at(12), "15");
}

INSTANTIATE_TEST_SUITE_P(RightToLeft, YiddishGuiTest, ::testing::Values(kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) { return getLanguagePrefix(info.param); });

}  // namespace
