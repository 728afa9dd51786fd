// The month view under simulated clicks, pointer moves and popups.
#include "app/tooltips.h"
#include "calendar/calendar.h"
#include "compose/day_report.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;

// Red component of the view's pixel at p.
int RedAt(GdkPoint p) {
  gdk_flush();
  GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, drawingArea->window, nullptr, p.x, p.y, 0, 0, 1, 1);
  const int red = pb ? gdk_pixbuf_get_pixels(pb)[0] : -1;
  if (pb) g_object_unref(pb);
  return red;
}

// A click selects a day and repaints both cells; a double click on a day,
// Return and Enter open its report (each stays); on an arrow only moves the month.
TEST_F(MainWindowTest, ClicksAndDoubleClicks) {
  ShowMonth({31, 1, 2025});
  PointerAt(FindPoint([](const CalendarHit& h) { return h.onPrevArrow == 1; }));
  EXPECT_EQ(SelectedDate(), (G{31, 12, 2024}));
  const GdkPoint next = NextArrow();
  PointerAt(next);
  PointerAt(next);
  PointerAt(next, GDK_2BUTTON_PRESS);
  EXPECT_EQ(SelectedDate(), (G{28, 2, 2025}));  // two presses, two months; the double-click event adds nothing
  EXPECT_EQ(WindowsTitled(DayReportTitle(AbsoluteFromGregorian(SelectedDate()))).size(), 0u);
  setBackgroundImage("");
  ShowMonth({10, 3, 2025});
  const GdkPoint ten = PointOfDay(10), twelve = PointOfDay(12);
  EXPECT_EQ(RedAt(ten), 198);  // the selected day: a darker shade of its grey (56540 * 90%)
  PointerAt(twelve);
  EXPECT_EQ(SelectedDate(), (G{12, 3, 2025}));
  EXPECT_EQ(RedAt(twelve), 198);
  EXPECT_EQ(RedAt(ten), RedAt(PointOfDay(11))) << "the old selection must not linger";
  PointerAt(twelve, GDK_2BUTTON_PRESS);
  PressKey(GDK_Return);
  PressKey(GDK_KP_Enter);
  EXPECT_EQ(WindowsTitled("Day report: Wednesday, 12 March 2025").size(), 3u);
}

// Shows `shown`, clicks the month (or year) name, chooses `choice` in the
// popup (nothing when empty) and lets `user` act after; returns the popup's labels.
Strings Popup(const G& shown, bool year, const std::string& choice, UserScript&& user = UserScript()) {
  ShowMonth(shown);
  Strings labels;
  UserScript first;
  first.Then("choose " + choice, [&labels, choice] {
    GtkWidget* menu = nullptr;
    for (GtkWidget* w : Toplevels())
      if (GTK_WIDGET_MAPPED(w) && GTK_IS_BIN(w)) menu = gtk_bin_get_child(GTK_BIN(w));
    if (menu && !GTK_IS_MENU(menu)) menu = nullptr;
    if (!menu) return false;
    labels = MenuLabels(menu);
    const auto at = std::find(labels.begin(), labels.end(), choice);
    GList* items = gtk_container_get_children(GTK_CONTAINER(menu));
    if (at == labels.end())
      gtk_menu_shell_cancel(GTK_MENU_SHELL(menu));
    else
      gtk_menu_shell_activate_item(GTK_MENU_SHELL(menu), GTK_WIDGET(g_list_nth_data(items, at - labels.begin())), TRUE);
    g_list_free(items);
    return true;
  });
  first.Start();
  user.Start();
  PointerAt(FindPoint([year](const CalendarHit& h) { return (year ? h.onYear : h.onMonthName) == 1; }));
  return labels;
}

TEST_F(MainWindowTest, MonthAndYearPopups) {
  EXPECT_EQ(Popup({31, 3, 2025}, false, "April").at(0), "January");
  EXPECT_EQ(SelectedDate(), (G{30, 4, 2025}));  // 31 clamped to April's 30
  EXPECT_EQ(Popup({29, 2, 2024}, true, "2026"), (Strings{"2022", "2023", "2024", "2025", "2026", "Other..."}));
  EXPECT_EQ(SelectedDate(), (G{28, 2, 2026}));
  UserScript user;
  user.Then("too early", Fill("Select Year", "Year:=1582"))
      .Then("range message", ExpectMessage("Year must be in range 1583-3000"))
      .Then("a good year", Fill("Select Year", "Year:=1999"));
  EXPECT_EQ(Popup({1, 6, 3000}, true, "Other...", std::move(user)), (Strings{"2998", "2999", "3000", "Other..."}));
  EXPECT_EQ(SelectedDate(), (G{1, 6, 1999}));
  // The popup's own item goes through the translation table.
  const std::string file = Path("popup_translation");
  WriteFile(file, "\"Other...\" = \"OTHER-Y\"\n");
  translate_internal_process_file(file);
  EXPECT_EQ(Popup({1, 6, 2000}, true, "").back(), "OTHER-Y");  // the table goes with the test
}

TEST_F(MainWindowTest, HoverHintsStayValidAfterClicks) {
  ShowMonth({10, 3, 2025});
  const GdkPoint five = PointOfDay(5);
  const std::string hint = "Gregorian day number";
  int hx = -1, hy = -1;
  for (int y = five.y - 70; y < five.y + 10 && hx < 0; ++y)
    for (int x = five.x - 40; x < five.x + 20 && hx < 0; ++x)
      if (tooltips_text_at(x, y) == hint && tooltips_text_at(x + 3, y + 3) == hint) {
        hx = x + 2;
        hy = y + 2;
      }
  ASSERT_GE(hx, 0) << "no hint over the day number";
  PointerAt({hx, hy}, GDK_MOTION_NOTIFY);
  EXPECT_EQ(LabelText(StatusLabel()), hint);
  PointerAt(PointOfDay(20));  // repaints two cells and runs a hit test
  PointerAt({hx, hy}, GDK_MOTION_NOTIFY);
  EXPECT_EQ(LabelText(StatusLabel()), hint);
  // A hint of several lines is one line in the status line and whole in a tooltip.
  const std::string two = "Birthday: Rivka\nyortsayt: Moshe";
  tooltips_add(1, 1, 10, 10, two);
  EXPECT_EQ(tooltips_text_at(10, 10), two);  // the area's last pixel, not the first beside it
  EXPECT_TRUE(tooltips_text_at(11, 5) != two && tooltips_text_at(5, 11) != two);
  PointerAt({5, 5}, GDK_MOTION_NOTIFY);
  EXPECT_EQ(LabelText(StatusLabel()), "Birthday: Rivka; yortsayt: Moshe");
}

}  // namespace
