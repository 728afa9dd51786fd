// The month view by Hebrew months: the Program menu's check item and Ctrl+H
// switch it, the keys, arrows and clicks step by Hebrew months, the choice is
// kept in the settings, and printing prints the Hebrew month.
#include "gui_test_util.h"

namespace {

using namespace guitest;
using G = GregorianDate;

constexpr const char* kItem = "Hebrew months";
constexpr const char* kPrintTitle = "Select Printing Options";

class HebrewMonthViewTest : public MainWindowTest {
 protected:
  bool ItemActive() { return gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(MenuItem(kItem))); }
  bool CaptionShown(const std::string& text) { return PaintedView().DrewText(text); }

  // A point inside the cell of the grid's day `index`, found through the hit test.
  GdkPoint PointOfCell(int index) {
    const int w = drawingArea->allocation.width, h = drawingArea->allocation.height;
    for (int y = h / 5; y < h; y += 8) {
      for (int x = 4; x < w; x += 16) {
        CalendarHit hit;
        hit.x = x;
        hit.y = y;
        PaintIt(drawingArea, drawingArea->window, false, &hit, nullptr);
        if (hit.day == index) return {x + 20, y + 30};
      }
    }
    ADD_FAILURE() << "no cell " << index;
    return {0, 0};
  }
};

TEST_F(HebrewMonthViewTest, TheMenuItemAndCtrlHSwitchTheViewAndTheSettingsKeepIt) {
  // In the Program menu after "Jump to today!", off for a new user.
  GList* menus = gtk_container_get_children(GTK_CONTAINER(MenuBar()));
  GtkWidget* programMenu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(menus->data));
  g_list_free(menus);
  const std::vector<std::string> program = MenuLabels(programMenu);
  const auto jump = std::find(program.begin(), program.end(), "Jump to today!");
  ASSERT_NE(jump, program.end());
  EXPECT_EQ(*(jump + 1), kItem);
  ASSERT_TRUE(GTK_IS_CHECK_MENU_ITEM(MenuItem(kItem)));
  EXPECT_FALSE(ItemActive());
  EXPECT_EQ(getHebrewMonthView(), 0);

  ShowMonth(G{15, 4, 2024});
  EXPECT_TRUE(CaptionShown("April 2024"));
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(kItem)));
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getHebrewMonthView(), 1);
  EXPECT_TRUE(ItemActive());
  // 15 April 2024 is 7 Nisan 5784; the month ran from 9 April to 8 May.
  EXPECT_TRUE(CaptionShown("Nisan 5784"));
  EXPECT_TRUE(CaptionShown("9 April - 8 May 2024"));
  EXPECT_EQ(SelectedDate(), (G{15, 4, 2024}));  // the selected date stays

  PressKey(GDK_h, GDK_CONTROL_MASK);
  EXPECT_EQ(getHebrewMonthView(), 0);
  EXPECT_FALSE(ItemActive());
  EXPECT_TRUE(CaptionShown("April 2024"));
  PressKey(GDK_h, GDK_CONTROL_MASK);
  EXPECT_EQ(getHebrewMonthView(), 1);
  EXPECT_TRUE(ItemActive());

  // Kept: the settings written on exit name it, and a rebuilt menu shows it.
  MainWindowRebuild(false);
  EXPECT_TRUE(ItemActive());
  ASSERT_TRUE(settingsDone());
  EXPECT_NE(ReadFile(home_.lumaro("kivrasettings")).find("HebrewMonthView: \"1\"\n"), std::string::npos);
}

TEST_F(HebrewMonthViewTest, PagesArrowsAndClicksStepByHebrewMonths) {
  setHebrewMonthView(1);
  ShowMonth(G{10, 3, 2024});  // 30 Adar I 5784
  EXPECT_TRUE(CaptionShown("Adar I 5784"));
  PressKey(GDK_Page_Down);
  EXPECT_EQ(SelectedDate(), (G{8, 4, 2024}));  // 29 Adar II: Adar II has 29 days
  EXPECT_TRUE(CaptionShown("Adar II 5784"));
  EXPECT_TRUE(CaptionShown("11 March - 8 April 2024"));
  PressKey(GDK_Page_Down);
  EXPECT_EQ(SelectedDate(), (G{7, 5, 2024}));  // 29 Nisan
  PressKey(GDK_Page_Up);
  PressKey(GDK_Page_Up);
  EXPECT_EQ(SelectedDate(), (G{9, 3, 2024}));  // 29 Adar I: the day stays cut
  // Day steps are days, in either view.
  PressKey(GDK_Right);
  EXPECT_EQ(SelectedDate(), (G{10, 3, 2024}));
  PressKey(GDK_Down);
  EXPECT_EQ(SelectedDate(), (G{17, 3, 2024}));  // into Adar II
  EXPECT_TRUE(CaptionShown("Adar II 5784"));

  // A click selects the cell's date: the 14th of Adar II is Purim, 24 March 2024.
  ClickView(PointOfCell(14));
  EXPECT_EQ(SelectedDate(), (G{24, 3, 2024}));

  // The next-month arrow (in the caption's row, right of the centre).
  GdkPoint next{0, 0};
  const int w = drawingArea->allocation.width;
  for (int y = 0; y < 120 && !next.x; y += 2)
    for (int x = w / 2; x < w && !next.x; x += 2) {
      CalendarHit hit;
      hit.x = x;
      hit.y = y;
      PaintIt(drawingArea, drawingArea->window, false, &hit, nullptr);
      if (hit.onNextArrow) next = {x, y};
    }
  ASSERT_NE(next.x, 0);
  ClickView(next);
  EXPECT_EQ(SelectedDate(), (G{22, 4, 2024}));  // 14 Nisan 5784
  EXPECT_TRUE(CaptionShown("Nisan 5784"));
}

TEST_F(HebrewMonthViewTest, PrintingPrintsTheHebrewMonthOnTheScreen) {
  const std::string path = home_.path() + "/nisan.ps";
  setHebrewMonthView(1);
  ShowMonth(G{23, 4, 2024});
  UserScript user;
  user.Then("print to a file", On(kPrintTitle, [&](GtkWidget* w) {
    SetToggle(FindButton(w, "File:"), true);
    SetEntry(w, "File:", path);
    guitest::Click(w, "OK");
  }));
  user.Start();
  PressKey(GDK_p, GDK_CONTROL_MASK);
  ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(kPrintTitle); }));
  const std::string ps = ReadFile(path);
  EXPECT_NE(ps.find("(Nisan 5784) show"), std::string::npos);
  EXPECT_NE(ps.find("(9 April - 8 May 2024) show"), std::string::npos);
  EXPECT_EQ(ps.find("(April 2024) show"), std::string::npos);
  EXPECT_EQ(WindowTitled("Message"), nullptr);
}

}  // namespace
