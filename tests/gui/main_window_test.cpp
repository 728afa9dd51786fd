// The main window: its menus, keyboard navigation, Jump to today and shutdown.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "dialogs/year_dialog.h"
#include "gui_test_util.h"
#include "base/settings_file.h"

namespace {

using namespace guitest;

TEST_F(MainWindowTest, OpensFullScreenWithMenus) {
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(gMainWindow)), "Lumaro");
  int w = 0, h = 0;
  gtk_window_get_size(GTK_WINDOW(gMainWindow), &w, &h);
  EXPECT_EQ(w, gdk_screen_get_width(gdk_screen_get_default()));
  EXPECT_EQ(h, gdk_screen_get_height(gdk_screen_get_default()));
  // Its size is not forced: it can be resized, and its content asks for far
  // less than the smallest screen.
  EXPECT_TRUE(gtk_window_get_resizable(GTK_WINDOW(gMainWindow)));
  GtkRequisition content;
  gtk_widget_size_request(gtk_bin_get_child(GTK_BIN(gMainWindow)), &content);
  EXPECT_LT(content.width, 800);
  EXPECT_LT(content.height, 600);

  EXPECT_EQ(MenuLabels(MenuBar()), (std::vector<std::string>{"Program", "Settings", "Help"}));
  GList* menus = gtk_container_get_children(GTK_CONTAINER(MenuBar()));
  auto submenu = [&](int i) { return gtk_menu_item_get_submenu(GTK_MENU_ITEM(g_list_nth_data(menus, i))); };
  EXPECT_EQ(MenuLabels(submenu(0)),
            (std::vector<std::string>{"Display information about current day...", "Jump to today!", "Hebrew months",
                                      "Anniversaries/Birthdays/yortsayt", "Print...", "Print year of Shabbat times...",
                                      "Export to calendar file...", "---",
                                      "Exit"}));
  EXPECT_EQ(MenuLabels(submenu(1)),
            (std::vector<std::string>{"Set Israel/Diaspora & Style...", "Configure Shabbat Times...",
                                      "Configure Zmanim...", "Configure Daily Learning...",
                                      "Configure Daylight Savings Time...",
                                      "Configure Time Format...", "Configure Background Image...", "Font",
                                      "Font Sizes", "Select Language..."}));
  EXPECT_EQ(MenuLabels(submenu(2)), (std::vector<std::string>{"Help", "---", "About this program..."}));
  g_list_free(menus);
}

TEST_F(MainWindowTest, KeysMoveTheSelectionWithinTheRange) {
  struct Case {
    GregorianDate from;
    guint key;
    GregorianDate to;
  };
  const Case cases[] = {
      {{31, 1, 2024}, GDK_Page_Down, {29, 2, 2024}},  // the day is clamped to the month
      {{31, 1, 2023}, GDK_Page_Down, {28, 2, 2023}},
      {{28, 2, 2023}, GDK_Page_Up, {28, 1, 2023}},
      {{31, 12, 2024}, GDK_Right, {1, 1, 2025}},
      {{1, 1, 2025}, GDK_Left, {31, 12, 2024}},
      {{31, 12, 2024}, GDK_Down, {7, 1, 2025}},
      {{7, 1, 2025}, GDK_Up, {31, 12, 2024}},
      {{24, 12, 2024}, GDK_a, {24, 12, 2024}},  // other keys change nothing
      {{24, 12, 2024}, GDK_Home, {24, 12, 2024}},
      {{15, 1, 1583}, GDK_Page_Up, {15, 1, 1583}},  // the ends of the range do not move
      {{15, 12, 3000}, GDK_Page_Down, {15, 12, 3000}},
  };
  for (const Case& c : cases) {
    SetSelectedDate(c.from);
    PressKey(c.key);
    EXPECT_EQ(SelectedDate(), c.to) << c.from.day << "." << c.from.month << "." << c.from.year << " key " << c.key;
  }
}

TEST_F(MainWindowTest, ExitWritesEverySetting) {
  setCity("Haifa");
  HandleMenuItem(nullptr, kCmdExit);
  Pump();
  EXPECT_EQ(gMainWindow, nullptr);
  EXPECT_EQ(SettingsGet("CurrentCity", ""), "Haifa");
  EXPECT_EQ(SettingsGet("PrintYiddishFontFile", "missing"), "");
  EXPECT_EQ(SettingsGetInt("Language", 0), 1);
}

// The clock of the JumpToToday test: a fixed instant.
std::time_t gFixedNow = 0;
std::time_t FixedClock() { return gFixedNow; }

// Local time of a given zone for the life of the object.
class ZoneForTest {
 public:
  explicit ZoneForTest(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ZoneForTest() {
    if (old_) {
      ::setenv("TZ", old_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

 private:
  std::optional<std::string> old_;
};

// "Jump to today!" selects the local date of the clock, with the year
// clamped to the range at both ends.
TEST_F(MainWindowTest, JumpToToday) {
  const ZoneForTest jerusalem("Asia/Jerusalem");
  SetTodayClock(FixedClock);
  const struct {
    std::time_t now;
    GregorianDate today;
  } cases[] = {
      {1711922400, {1, 4, 2024}},     // 31 March 2024 22:00 UTC: already 1 April in Jerusalem (summer time, UTC+3)
      {1735687800, {1, 1, 2025}},     // 31 December 2024 23:30 UTC: 1 January 2025 there (UTC+2)
      {1718971200, {21, 6, 2024}},    // 21 June 2024 12:00 UTC
      {32535259200, {1, 1, 3000}},    // 1 January 3001 12:00 UTC: the last year of the range
      {-14817470400, {15, 6, 1583}},  // 15 June 1500 12:00 UTC: the first year
  };
  for (const auto& c : cases) {
    SetSelectedDate({1, 1, 1600});
    gFixedNow = c.now;
    HandleMenuItem(nullptr, kCmdToday);
    EXPECT_EQ(SelectedDate(), c.today) << c.now;
  }
  SetTodayClock(nullptr);
}

// A termination signal while a modal dialog waits: the dialog returns as
// cancelled, the settings are written and the main window goes.
TEST_F(MainWindowTest, TerminationWhileADialogWaits) {
  setCity("Haifa");
  UserScript user;
  user.Then("terminate once the dialog shows", On("Select Year", [](GtkWidget*) { MainWindowTerminate(); }));
  user.Start();
  EXPECT_EQ(DialogsDoYear(2024), 0);
  Pump();
  EXPECT_EQ(gMainWindow, nullptr);
  EXPECT_EQ(SettingsGet("CurrentCity", ""), "Haifa");
}

}  // namespace
