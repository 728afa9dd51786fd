// The program in Yiddish and in Hebrew with the translation files a new
// user gets: after the language switch the menus, every dialog and the day
// report show no English text (window titles stay English but the day
// report's), right to left, in the configured font; back in English all is
// as before.
#include <regex>

#include "calendar/calendar.h"
#include "compose/day_report.h"
#include "dialogs/widget_fonts.h"
#include "gui_test_util.h"
#include "storage/user_files.h"
#include "suntimes/cities.h"

namespace {

using namespace guitest;

bool HasLatinLetter(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// `s` without the names of keys, written as the keyboard writes them in every language.
std::string WithoutKeyNames(const std::string& s) {
  static const std::regex kKeyNames(R"(Ctrl\+,|\b(?:Ctrl\+[A-Z]|Alt|F1|Home|Enter|Page Up|Page Down)\b)");
  return std::regex_replace(s, kKeyNames, "");
}

// Every non-empty label of a window is translated, right to left, in the configured font at 16 points; the
// name of the place (a name, not a text) is left as the city file writes it.
void ExpectTranslated(GtkWidget* window, const std::string& where) {
  int labels = 0;
  const std::string place = Utf8FromLatin1(getCity());
  for (GtkWidget* label : WidgetsOfType(window, GTK_TYPE_LABEL)) {
    std::string text = LabelText(label);
    if (text.empty()) continue;
    if (const size_t at = text.find("(" + place + ")"); at != std::string::npos) text.erase(at, place.size() + 2);
    ++labels;
    const PangoFontDescription* d = gtk_widget_get_style(label)->font_desc;
    EXPECT_TRUE(!HasLatinLetter(text) && gtk_widget_get_direction(label) == GTK_TEXT_DIR_RTL &&
                pango_font_description_get_family(d) == getFontName() &&
                pango_font_description_get_size(d) == 16 * PANGO_SCALE)
        << where << ": " << text << " in " << pango_font_description_to_string(d);
  }
  EXPECT_GT(labels, 0) << where;
}

class YiddishGuiTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallDefaultUserFiles());  // a new user, starting in English
    MainWindowTest::SetUp();
    ChooseScreenFont();
    SetSelectedDate({13, 4, 2025});  // the first day of Pesakh
  }
  void TearDown() override {
    setLanguage(kLanguageEnglish);
    setHebrewNumerals(kHebrewNumeralsByLanguage);
    MainWindowTest::TearDown();
  }
  // The user chooses the language in its dialog.
  void SwitchTo(int language) {
    UserScript user;
    user.Then("choose", Fill(translate_perform("Preferences"), "click:" + translate_perform(FindLanguage(language)->name)));
    OpenByMenu(translate_perform("Select Language..."), user);
    ASSERT_EQ(getLanguage(), language);
    ASSERT_TRUE(PumpUntil([] { return drawingArea && GTK_WIDGET_MAPPED(drawingArea); }));
    gdk_window_process_updates(drawingArea->window, TRUE);
    Pump();
  }
};

TEST_P(YiddishGuiTest, MenusStatusLineDialogsAndReport) {
  const Strings english = MenuLabels(MenuBar());
  SwitchTo(GetParam());
  EXPECT_EQ(SelectedDate(), (G{13, 4, 2025}));
  for (GtkWidget* top : WidgetsOfType(MenuBar(), GTK_TYPE_MENU_ITEM))
    if (GtkWidget* sub = gtk_menu_item_get_submenu(GTK_MENU_ITEM(top))) ExpectTranslated(sub, "menu");
  EXPECT_EQ(gtk_widget_get_direction(MenuBar()), GTK_TEXT_DIR_RTL);
  EXPECT_EQ(gtk_widget_get_direction(StatusLabel()), GTK_TEXT_DIR_RTL);
  for (const Strings& row : Rows("dialogs.tsv", 3)) {
    UserScript user;
    user.Then(row[1], On(row[1], [&](GtkWidget* w) {
      ExpectTranslated(w, row[1]);
      for (GtkWidget* view : WidgetsOfType(w, GTK_TYPE_TEXT_VIEW)) {  // the help text
        GtkTextIter start, end;
        gtk_text_buffer_get_bounds(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), &start, &end);
        gchar* text = gtk_text_iter_get_text(&start, &end);
        EXPECT_TRUE(std::string(text).size() > 100 && !HasLatinLetter(WithoutKeyNames(text))) << text;
        g_free(text);
      }
      Click(w, translate_perform(row[2]));
    }));
    OpenByMenu(translate_perform(row[0]), user);
    EXPECT_TRUE(user.Done()) << row[0];
  }
  HandleMenuItem(nullptr, kCmdDayReport);
  const std::string title = DayReportTitle(AbsoluteFromGregorian(SelectedDate()));
  EXPECT_FALSE(HasLatinLetter(title)) << title;
  ASSERT_TRUE(PumpUntil([&title] { return WindowTitled(title) != nullptr; }));
  GtkWidget* report = WindowTitled(title);
  ExpectTranslated(report, "report");
  const std::vector<GtkWidget*> lists = WidgetsOfType(report, GTK_TYPE_TREE_VIEW);
  EXPECT_EQ(lists.size(), 3u);  // zmanim, readings, halakha
  for (GtkWidget* list : lists)
    for (const std::string& row : TreeRows(list))
      EXPECT_TRUE(row.find("Pforzheim") != std::string::npos || !HasLatinLetter(row)) << row;
  EXPECT_LE(report->allocation.width, gdk_screen_get_width(gdk_screen_get_default()));
  gtk_widget_destroy(report);

  SwitchTo(kLanguageEnglish);
  EXPECT_EQ(MenuLabels(MenuBar()), english);
  EXPECT_EQ(gtk_widget_get_direction(MenuBar()), GTK_TEXT_DIR_LTR);
  PressKey(GDK_Right);  // keys reach the navigation once, not once per rebuild
  EXPECT_EQ(SelectedDate(), (G{14, 4, 2025}));
}

INSTANTIATE_TEST_SUITE_P(RightToLeft, YiddishGuiTest, ::testing::Values(kLanguageYiddish, kLanguageHebrew),
                         [](const ::testing::TestParamInfo<int>& info) { return getLanguagePrefix(info.param); });

}  // namespace
