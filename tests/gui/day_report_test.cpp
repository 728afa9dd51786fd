// The day report window and the main window's ways to open it, the About
// box and the anniversaries dialog: menu items and the Return key.
#include "dialogs/anniversaries_dialog.h"
#include "gui_test_util.h"
#include "storage/user_files.h"

namespace {

using namespace guitest;

// The first row of each list of a report window.
std::vector<std::string> ListHeadings(GtkWidget* window) {
  std::vector<std::string> headings;
  for (GtkWidget* view : WidgetsOfType(window, GTK_TYPE_TREE_VIEW)) headings.push_back(TreeRows(view).at(0));
  return headings;
}

class DayReportTest : public MainWindowTest {
 protected:
  // The city file a new user gets at start-up gives the zmanim list its city.
  void SetUp() override {
    ASSERT_TRUE(InstallDefaultUserFiles());
    MainWindowTest::SetUp();
  }
};

// Tuesday 2 January 2024 has no Torah reading; Shabbat 6 January 2024 reads Shemoth.
TEST_F(DayReportTest, MenuAndReturnOpenReportsOfTheSelectedDay) {
  SetSelectedDate({2, 1, 2024});
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Display information about current day...")));
  Pump();
  std::vector<GtkWidget*> reports = WindowsTitled("Message");
  ASSERT_EQ(reports.size(), 1u);
  GtkWidget* weekday = reports[0];
  EXPECT_EQ(ListHeadings(weekday), (std::vector<std::string>{"Zmanim for date 2.1.2024", "Halakha for date 2.1.2024:"}));

  // Return opens another report for the day now selected; the first stays.
  SetSelectedDate({6, 1, 2024});
  PressKey(GDK_Return);
  reports = WindowsTitled("Message");
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(ListHeadings(reports[0] == weekday ? reports[1] : reports[0]),
            (std::vector<std::string>{"Zmanim for date 6.1.2024", "Readings for 6.1.2024:", "Halakha for date 6.1.2024:"}));
  PressKey(GDK_KP_Enter);
  EXPECT_EQ(WindowsTitled("Message").size(), 3u);
  EXPECT_EQ(SelectedDate(), (GregorianDate{6, 1, 2024}));  // the main window keeps its date
}

// With a cycle besides Daf Yomi chosen, the learning is a fourth list.
TEST_F(DayReportTest, LearningIsTheFourthList) {
  setLearningFlag("pirkei-avot", 1);
  SetSelectedDate({18, 5, 2024});  // a Shabbat after Pesakh: Pirkei Avot, chapter 3
  PressKey(GDK_Return);
  const std::vector<GtkWidget*> reports = WindowsTitled("Message");
  ASSERT_EQ(reports.size(), 1u);
  const std::vector<GtkWidget*> lists = WidgetsOfType(reports[0], GTK_TYPE_TREE_VIEW);
  ASSERT_EQ(lists.size(), 4u);
  EXPECT_EQ(TreeRows(lists[3]),
            (std::vector<std::string>{"Learning for 18.5.2024:", "Daf Yomi: Bava Metzia 80", "Pirkei Avot: Avos 3"}));
  // A weekday: Daf Yomi alone; without Daf Yomi there is no learning list.
  SetSelectedDate({20, 5, 2024});
  PressKey(GDK_Return);
  setLearningFlag("daf-yomi", 0);
  PressKey(GDK_Return);
  std::vector<GtkWidget*> now = WindowsTitled("Message");
  ASSERT_EQ(now.size(), 3u);
  std::vector<std::vector<std::string>> weekday;
  for (GtkWidget* w : now)
    if (w != reports[0]) weekday.push_back(ListHeadings(w));
  std::sort(weekday.begin(), weekday.end());
  EXPECT_EQ(weekday, (std::vector<std::vector<std::string>>{
                         {"Zmanim for date 20.5.2024", "Halakha for date 20.5.2024:"},
                         {"Zmanim for date 20.5.2024", "Halakha for date 20.5.2024:", "Learning for 20.5.2024:"}}));
}

// On the test display (1280x1024) the report of a festival day shows every
// list whole: no list scrolls, and the window fits the screen.
TEST_F(DayReportTest, AFestivalDaysReportShowsAllOfItsLists) {
  diasporaSetFlag(1);
  SetSelectedDate({2, 4, 2026});  // Pesakh I 5786
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Display information about current day...")));
  GtkWidget* report = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    report = WindowTitled("Message");
    return report && GTK_WIDGET_MAPPED(report);
  }));
  Pump();
  GdkScreen* screen = gdk_screen_get_default();
  EXPECT_LE(report->allocation.height, gdk_screen_get_height(screen));
  EXPECT_LE(report->allocation.width, gdk_screen_get_width(screen));
  const std::vector<GtkWidget*> lists = WidgetsOfType(report, GTK_TYPE_SCROLLED_WINDOW);
  ASSERT_EQ(lists.size(), 3u);
  for (GtkWidget* s : lists) {
    GtkAdjustment* v = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(s));
    EXPECT_LE(v->upper, v->page_size + 1) << TreeRows(gtk_bin_get_child(GTK_BIN(s))).at(0);
    GtkAdjustment* h = gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(s));
    EXPECT_LE(h->upper, h->page_size + 1) << TreeRows(gtk_bin_get_child(GTK_BIN(s))).at(0);
  }
  EXPECT_GT(TreeRows(gtk_bin_get_child(GTK_BIN(lists[2]))).size(), 15u);  // the halakha of a festival
  Screenshot(report, "report-pesakh");
}

TEST_F(DayReportTest, AboutFromTheMenu) {
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("About this program...")));
  Pump();
  GtkWidget* about = WindowTitled("Message");
  ASSERT_NE(about, nullptr);
  const std::vector<std::string> lines = ContentLabels(about);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0] + "|" + lines[1] + "|" + lines[3], "Lumaro|Version 3.0f|");
  EXPECT_FALSE(lines[2].empty());
  EXPECT_EQ(lines[4].rfind("E-Mail: ", 0), 0u);
  EXPECT_NE(lines[4].find('@'), std::string::npos);
  EXPECT_EQ(lines[5].rfind("Website: https://", 0), 0u);
}

TEST_F(DayReportTest, AnniversariesFromTheMenu) {
  dialogs::SetAnniversariesTodayForTesting(GregorianDate{1, 3, 2020});
  UserScript user;
  user.Then("the dialog opens over the main window; close it", On("Anniversaries", [](GtkWidget* w) {
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
    Click(w, "Close");
  }));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Anniversaries/Birthdays/yortsayt")));
  dialogs::SetAnniversariesTodayForTesting(std::nullopt);
  EXPECT_TRUE(user.Done());
  EXPECT_EQ(WindowTitled("Anniversaries"), nullptr);
  EXPECT_TRUE(std::filesystem::exists(home_.lumaro("kivraanni")));  // closing stores the (empty) list
}

}  // namespace
