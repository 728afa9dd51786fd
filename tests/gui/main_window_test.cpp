// The main window: its menus, the keys, Jump to today, the view by Hebrew
// months and termination.
#include <cstdio>
#include <ctime>

#include "dialogs/year_dialog.h"
#include "dialogs/your_place_dialog.h"
#include "forms/first_start.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;

G ParseDate(const std::string& s) {
  G d{};
  return std::sscanf(s.c_str(), "%d.%d.%d", &d.day, &d.month, &d.year) == 3 ? d : G{};
}

// A menu's title as written, with "_" before the letter that opens it.
std::string TitleWithMnemonic(GtkWidget* item) {
  return gtk_label_get_label(GTK_LABEL(gtk_bin_get_child(GTK_BIN(item))));
}

// An item's label and, in brackets, the key shown beside it.
Strings ItemsWithKeys(GtkWidget* menu) {
  Strings items;
  for (GtkWidget* item : WidgetsOfType(menu, GTK_TYPE_MENU_ITEM)) {
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(item));
    std::string text = LabelText(label);
    if (label && GTK_IS_ACCEL_LABEL(label)) {
      gtk_accel_label_refetch(GTK_ACCEL_LABEL(label));
      const std::string key = GTK_ACCEL_LABEL(label)->accel_string ? GTK_ACCEL_LABEL(label)->accel_string : "";
      if (key.find_first_not_of(' ') != std::string::npos) text += " [" + key.substr(key.find_first_not_of(' ')) + "]";
    }
    items.push_back(text);
  }
  return items;
}

TEST_F(MainWindowTest, OpensFullScreenWithMenusAndKeys) {
  int w = 0, h = 0;
  gtk_window_get_size(GTK_WINDOW(gMainWindow), &w, &h);
  EXPECT_EQ(w, gdk_screen_get_width(gdk_screen_get_default()));
  EXPECT_EQ(h, gdk_screen_get_height(gdk_screen_get_default()));
  const std::vector<Strings> menus = testenv::CaseRows("gui/menus.tsv");
  std::vector<GtkWidget*> items = WidgetsOfType(MenuBar(), GTK_TYPE_MENU_ITEM);
  ASSERT_EQ(items.size(), menus.size());
  for (size_t i = 0; i < menus.size(); ++i) {
    EXPECT_EQ(TitleWithMnemonic(items[i]), menus[i][0]);
    GtkWidget* menu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(items[i]));
    EXPECT_EQ(ItemsWithKeys(menu), Strings(menus[i].begin() + 1, menus[i].end()));
    // Alt with the underlined letter opens the menu.
    PressKey(gdk_unicode_to_keyval(g_utf8_get_char(menus[i][0].c_str() + 1) | 0x20), GDK_MOD1_MASK);
    EXPECT_TRUE(GTK_WIDGET_VISIBLE(menu)) << menus[i][0];
    gtk_menu_shell_deactivate(GTK_MENU_SHELL(MenuBar()));
    Pump();
  }
  static std::time_t now = 1796644800;  // 7 December 2026 12:00 UTC
  SetTodayClock([] { return now; });
  for (const Strings& row : Rows("keys.tsv", 3)) {
    const bool inHebrew = row[0].rfind("he:", 0) == 0;
    const std::string before = row[0].substr(inHebrew ? 3 : 0);
    const bool hebrew = before[0] == 'h';
    setLanguage(inHebrew ? kLanguageHebrew : kLanguageEnglish);
    setHebrewMonthView(hebrew ? 1 : 0);
    SetSelectedDate(ParseDate(before.substr(hebrew ? 1 : 0)));
    PressKey(gdk_keyval_from_name(row[1].c_str()));
    EXPECT_EQ(SelectedDate(), ParseDate(row[2])) << row[0] << " " << row[1];
  }
  setLanguage(kLanguageEnglish);
  SetTodayClock(nullptr);
}

// Each window names itself in its title.
TEST_F(MainWindowTest, WindowTitles) {
  SetSelectedDate({7, 12, 2026});
  for (const Strings& row : Rows("titles.tsv", 2)) {
    UserScript user;
    user.Then(row[1], On(row[1], [](GtkWidget* w) { gtk_widget_destroy(w); }));
    OpenByMenu(row[0], user);
    EXPECT_TRUE(user.Done()) << row[1];
    EXPECT_TRUE(WindowsTitled("Message").empty()) << row[0];
  }
}

// F1 opens the help; Ctrl+Q quits and, as Exit, writes the settings.
TEST_F(MainWindowTest, HelpAndQuitKeys) {
  UserScript user;
  user.Then("Help", On("Help", [](GtkWidget* w) { gtk_widget_destroy(w); }));
  user.Start();
  PressKey(GDK_F1);
  user.Finish();
  EXPECT_TRUE(user.Done());
  setCity("Haifa");
  PressKey(GDK_q, GDK_CONTROL_MASK);
  EXPECT_EQ(gMainWindow, nullptr);
  EXPECT_NE(ReadFile(home_.lumaro("kivrasettings")).find("CurrentCity: \"Haifa\"\n"), std::string::npos);
}

// "Jump to today!" selects the local date of the clock.
TEST_F(MainWindowTest, JumpToToday) {
  const std::string old = std::getenv("TZ") ? std::getenv("TZ") : "";
  ::setenv("TZ", "Asia/Jerusalem", 1);
  ::tzset();
  static std::time_t now;
  SetTodayClock([] { return now; });
  // 31 March 2024 22:00 UTC is 1 April in Jerusalem (summer time); 31 December 2024 23:30 UTC is 1 January.
  for (const auto& [utc, today] : {std::pair<std::time_t, G>{1711922400, {1, 4, 2024}}, {1735687800, {1, 1, 2025}}}) {
    SetSelectedDate({1, 1, 1600});
    now = utc;
    HandleMenuItem(nullptr, kCmdToday);
    EXPECT_EQ(SelectedDate(), today) << utc;
  }
  SetTodayClock(nullptr);
  old.empty() ? ::unsetenv("TZ") : ::setenv("TZ", old.c_str(), 1);
  ::tzset();
}

// After today's sunset in Pforzheim (16:29 CET on 7 December 2026, NOAA's
// calculator) today's cell and the status line give the Hebrew date since
// then; after midnight the new day has its own date and no such line.
TEST_F(MainWindowTest, TodaysHebrewDateTurnsAtSunset) {
  static std::time_t now;
  SetTodayClock([] { return now; });
  SetSelectedDate({7, 12, 2026});
  // 15:19 UTC is ten minutes before sunset, 15:39 ten after, 23:30 half past midnight.
  for (const auto& [utc, shown] :
       {std::pair<std::time_t, bool>{1796656740, false}, {1796657940, true}, {1796686200, false}}) {
    now = utc;
    MainWindowRedraw();
    Pump();
    PaintHooks hooks;
    hooks.today = LocalToday();
    hooks.todayNote = TodayNoteNow(CurrentOptions());
    testenv::RecordingDrawing d;
    PaintItInternal(d, {0, 0, 1000, 800}, SelectedDate(), CurrentOptions(), true, false, nullptr, nullptr, &hooks);
    EXPECT_EQ(d.DrewText("from sunset: 28 Kislev"), shown) << utc;
    EXPECT_EQ(LabelText(StatusLabel()), shown ? "After sunset the Hebrew date is 28 Kislev" : "") << utc;
  }
  SetTodayClock(nullptr);
}

// The menu item and Ctrl+H switch the view; the caption, a click and the
// arrows follow it, and the settings keep it.
TEST_F(MainWindowTest, HebrewMonths) {
  GtkWidget* item = MenuItem("Hebrew months");
  ASSERT_TRUE(GTK_IS_CHECK_MENU_ITEM(item));
  ShowMonth(G{15, 4, 2024});
  EXPECT_TRUE(ViewShows("April 2024"));
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_TRUE(RedrawRequested());
  EXPECT_TRUE(ViewShows("Nisan 5784") && ViewShows("9 April - 8 May 2024"));
  PressKey(GDK_h, GDK_CONTROL_MASK);
  EXPECT_TRUE(ViewShows("April 2024"));
  PressKey(GDK_h, GDK_CONTROL_MASK);
  ShowMonth(G{10, 3, 2024});  // 30 Adar I 5784
  PointerAt(PointOfDay(14));
  EXPECT_EQ(SelectedDate(), (G{23, 2, 2024}));
  PointerAt(NextArrow());
  EXPECT_EQ(SelectedDate(), (G{24, 3, 2024}));  // 14 Adar II, Purim
  ASSERT_TRUE(settingsDone());
  EXPECT_NE(ReadFile(home_.lumaro("kivrasettings")).find("HebrewMonthView: \"1\"\n"), std::string::npos);
}

// The check item shows and hides the minor days and the moon; the settings keep the choice.
TEST_F(MainWindowTest, MinorDays) {
  GtkWidget* item = MenuItem("Show minor days and the moon");
  ASSERT_TRUE(GTK_IS_CHECK_MENU_ITEM(item));
  ShowMonth(G{20, 10, 2026});
  EXPECT_TRUE(ViewShows("BeHaB") && ViewShows("Shabbat Mevarkhim"));
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_TRUE(RedrawRequested());
  EXPECT_FALSE(ViewShows("BeHaB") || ViewShows("Shabbat Mevarkhim"));
  ASSERT_TRUE(settingsDone());
  EXPECT_NE(ReadFile(home_.lumaro("kivrasettings")).find("ShowMinorDays: \"0\"\n"), std::string::npos);
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_TRUE(ViewShows("BeHaB"));
}

// The check item turns the week to run from the right, and back to the
// language's own direction, which is then stored as "by language".
TEST_F(MainWindowTest, WeekRightToLeft) {
  GtkWidget* item = MenuItem("Week from right to left");
  ASSERT_TRUE(GTK_IS_CHECK_MENU_ITEM(item));
  ShowMonth(G{1, 10, 2026});  // a Thursday, right of the middle in a week from the left
  const int fromTheLeft = PointOfDay(1).x;
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_TRUE(RedrawRequested());
  EXPECT_LT(PointOfDay(1).x, fromTheLeft);
  EXPECT_EQ(getWeekRightToLeft(), kWeekRightToLeftOn);
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(PointOfDay(1).x, fromTheLeft);
  EXPECT_EQ(getWeekRightToLeft(), kWeekRightToLeftByLanguage);
}

// The first start proposes the place and the language by the system's zone
// and locale and asks before anything shows; the festivals follow the city,
// its candle minutes come with it, and Cancel keeps the proposal.
TEST_F(MainWindowTest, FirstStartProposesThePlace) {
  for (const Strings& row : Rows("first_start.tsv", 9)) {
    const testenv::ScopedEnv tz("TZ", row[0].c_str());
    const testenv::ScopedEnv lang("LANG", row[1].c_str());
    const testenv::ScopedEnv all("LC_ALL", row[1].c_str());
    settingsReset();
    UserScript user;
    user.Then("Your place", On("Your place", [&row](GtkWidget* w) {
                Act(w, "chosen:city=" + row[2]);
                const Strings labels = ContentLabels(w);
                EXPECT_NE(std::find(labels.begin(), labels.end(), row[3]), labels.end()) << row[0];
                if (row[4] == "cancel") {
                  Click(w, "Cancel");
                  return;
                }
                Act(w, row[4]);
                Click(w, "OK");
              }));
    user.Start();
    AskYourPlace(ProposePlace());
    user.Finish();
    EXPECT_EQ(getCity(), row[5]) << row[0];
    EXPECT_EQ(getCandleLightingMin(), std::stoi(row[6])) << row[0];
    EXPECT_EQ(getLanguagePrefix(getLanguage()), row[7]) << row[0];
    EXPECT_EQ(CurrentCalendarRules().diaspora, row[8] == "1") << row[0];
  }
}

// A termination signal while a modal dialog waits: the dialog returns as
// cancelled, the settings are written and the main window goes.
TEST_F(MainWindowTest, TerminationWhileADialogWaits) {
  setCity("Haifa");
  UserScript user;
  user.Then("terminate", On("Select Year", [](GtkWidget*) { MainWindowTerminate(); }));
  user.Start();
  EXPECT_EQ(DialogsDoYear(2024), 0);
  Pump();
  EXPECT_EQ(gMainWindow, nullptr);
  EXPECT_EQ(SettingsGet("CurrentCity", ""), "Haifa");
}

}  // namespace
