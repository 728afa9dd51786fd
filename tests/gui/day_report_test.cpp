// The day report window and the main window's ways to open it and the other
// windows of this part: menu items and the Return key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/day_report.h"
#include "dialog_test_util.h"
#include "dialogs/anniversaries_dialog.h"
#include "gui_test_util.h"
#include "storage/user_files.h"

namespace {

using guitest::MainWindowTest;
using guitest::WindowsTitled;

// The menu item with `label` in the main window's menus.
GtkWidget* MenuItem(const std::string& label) {
  GtkWidget* found = nullptr;
  guitest::ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (!GTK_IS_MENU_ITEM(w)) return;
    GtkWidget* sub = gtk_menu_item_get_submenu(GTK_MENU_ITEM(w));
    if (!sub) return;
    guitest::ForEachDescendant(sub, [&](GtkWidget* item) {
      if (found || !GTK_IS_MENU_ITEM(item)) return;
      GtkWidget* child = gtk_bin_get_child(GTK_BIN(item));
      if (child && GTK_IS_LABEL(child) && label == gtk_label_get_text(GTK_LABEL(child))) found = item;
    });
  });
  EXPECT_NE(found, nullptr) << label;
  return found;
}

// Rows of each list of a report window.
std::vector<std::vector<std::string>> ReportLists(GtkWidget* window) {
  std::vector<std::vector<std::string>> lists;
  for (GtkWidget* view : guitest::WidgetsOfType(window, GTK_TYPE_TREE_VIEW)) lists.push_back(guitest::TreeRows(view));
  return lists;
}

class DayReportTest : public MainWindowTest {
 protected:
  // The city file a new user gets at start-up gives the zmanim list its city.
  void SetUp() override {
    ASSERT_TRUE(InstallDefaultUserFiles());
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    guitest::CloseDialogs();
    MainWindowTest::TearDown();
  }
};

// Heights of the lists of a report window.
std::vector<int> ListHeights(GtkWidget* window) {
  std::vector<int> heights;
  for (GtkWidget* s : guitest::WidgetsOfType(window, GTK_TYPE_SCROLLED_WINDOW)) {
    int w = 0, h = 0;
    gtk_widget_get_size_request(s, &w, &h);
    heights.push_back(h);
  }
  return heights;
}

// Tuesday 2 January 2024 has no Torah reading; Shabbat 6 January 2024 reads Shemoth.
TEST_F(DayReportTest, MenuAndReturnOpenReportsOfTheSelectedDay) {
  const int H = gdk_screen_get_height(gdk_screen_get_default());
  SetSelectedDate({2, 1, 2024});
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Display information about current day...")));
  guitest::Pump();
  std::vector<GtkWidget*> reports = WindowsTitled("Message");
  ASSERT_EQ(reports.size(), 1u);
  GtkWidget* weekday = reports[0];
  std::vector<std::vector<std::string>> lists = ReportLists(weekday);
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].at(0), "Zmanim for date 2.1.2024");
  EXPECT_EQ(lists[1].at(0), "Halakha for date 2.1.2024:");
  EXPECT_EQ(ListHeights(weekday), (std::vector<int>{H / 6, H / 6}));

  // Return opens another report for the day now selected; the first stays.
  SetSelectedDate({6, 1, 2024});
  PressKey(GDK_Return);
  reports = WindowsTitled("Message");
  ASSERT_EQ(reports.size(), 2u);
  GtkWidget* shabbat = reports[0] == weekday ? reports[1] : reports[0];
  lists = ReportLists(shabbat);
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[0].at(0), "Zmanim for date 6.1.2024");
  EXPECT_EQ(lists[1].at(0), "Readings for 6.1.2024:");
  EXPECT_EQ(lists[2].at(0), "Halakha for date 6.1.2024:");
  EXPECT_EQ(ListHeights(shabbat), (std::vector<int>{H / 5, H / 5, H / 5}));

  PressKey(GDK_KP_Enter);
  EXPECT_EQ(WindowsTitled("Message").size(), 3u);
  // The main window keeps its date.
  EXPECT_EQ(SelectedDate(), (GregorianDate{6, 1, 2024}));
}

TEST_F(DayReportTest, AboutFromTheMenu) {
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("About this program...")));
  guitest::Pump();
  GtkWidget* about = guitest::WindowTitled("Message");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(guitest::ContentLabels(about).at(1), "Version 3.0f");
}

TEST_F(DayReportTest, AnniversariesFromTheMenu) {
  dialogs::SetAnniversariesTodayForTesting(GregorianDate{1, 3, 2020});
  guitest::UserScript user;
  user.Then("the dialog opens over the main window; close it", [] {
    GtkWidget* w = guitest::WindowTitled("Anniversaries");
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
    return guitest::Click(w, "Close");
  });
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Anniversaries/Birthdays/yortsayt")));
  dialogs::SetAnniversariesTodayForTesting(std::nullopt);
  EXPECT_TRUE(user.Done());
  EXPECT_EQ(guitest::WindowTitled("Anniversaries"), nullptr);
  // Closing stores the (empty) list.
  EXPECT_TRUE(std::filesystem::exists(home_.path() + "/.lumaro/kivraanni"));
}

}  // namespace
