// The month view under simulated clicks, pointer moves and popups.
#include "app/tooltips.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;

// The month view's answer for a point, from the painter's hit test.
CalendarHit HitAt(int x, int y) {
  CalendarHit hit;
  hit.x = x;
  hit.y = y;
  PaintIt(drawingArea, drawingArea->window, false, &hit, nullptr);
  return hit;
}

// A point inside the cell of `day`, a third into the cell (below the day
// numbers), found through the hit test.
GdkPoint PointOfDay(int day) {
  const int w = drawingArea->allocation.width;
  const int h = drawingArea->allocation.height;
  for (int y = h / 5; y < h; y += 8) {
    for (int x = 4; x < w; x += 16) {
      if (HitAt(x, y).day == day) return {x + 20, y + 30};
    }
  }
  ADD_FAILURE() << "no cell for day " << day;
  return {0, 0};
}

GdkPoint FindPoint(const std::function<bool(const CalendarHit&)>& pred) {
  const int w = drawingArea->allocation.width;
  for (int y = 0; y < 120; y += 2)
    for (int x = 0; x < w; x += 2)
      if (pred(HitAt(x, y))) return {x, y};
  ADD_FAILURE() << "no such point";
  return {0, 0};
}

class MonthViewTest : public MainWindowTest {
 public:
  // Red component of the drawing area's pixel at p.
  int RedAt(GdkPoint p) {
    gdk_flush();
    GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, drawingArea->window, nullptr, p.x, p.y, 0, 0, 1, 1);
    EXPECT_NE(pb, nullptr);
    if (!pb) return -1;
    const int red = gdk_pixbuf_get_pixels(pb)[0];
    g_object_unref(pb);
    return red;
  }
};

// The popup menu that is open now, or null.
GtkWidget* OpenPopupMenu() {
  GtkWidget* found = nullptr;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next) {
    GtkWidget* w = GTK_WIDGET(l->data);
    GtkWidget* child = GTK_IS_BIN(w) ? gtk_bin_get_child(GTK_BIN(w)) : nullptr;
    if (GTK_WIDGET_VISIBLE(w) && child && GTK_IS_MENU(child)) found = child;
  }
  g_list_free(all);
  return found;
}

// A user step: choose the popup item labelled `label` (or close the menu
// without a choice when label is empty).
UserScript::Step ChooseFromPopup(std::string label, std::vector<std::string>* seen = nullptr) {
  return [label, seen] {
    GtkWidget* menu = OpenPopupMenu();
    if (!menu || !GTK_WIDGET_MAPPED(menu)) return false;
    if (seen) *seen = MenuLabels(menu);
    if (label.empty()) {
      gtk_menu_shell_cancel(GTK_MENU_SHELL(menu));
      return true;
    }
    GList* items = gtk_container_get_children(GTK_CONTAINER(menu));
    for (GList* l = items; l; l = l->next) {
      if (label == gtk_label_get_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(l->data))))) {
        gtk_menu_shell_activate_item(GTK_MENU_SHELL(menu), GTK_WIDGET(l->data), TRUE);
        break;
      }
    }
    g_list_free(items);
    return true;
  };
}

TEST_F(MonthViewTest, ClickSelectsADayAndRepaintsBothCells) {
  setBackgroundImage("");
  ShowMonth({10, 3, 2025});
  const GdkPoint ten = PointOfDay(10);
  const GdkPoint twelve = PointOfDay(12);
  EXPECT_EQ(RedAt(ten), 176);  // the selected day: a darker shade of its grey (53248 * 85%)
  ClickView(twelve);
  EXPECT_EQ(SelectedDate(), (GregorianDate{12, 3, 2025}));
  EXPECT_EQ(RedAt(twelve), 176);
  EXPECT_NE(RedAt(ten), 176) << "the old selection must not linger";
}

TEST_F(MonthViewTest, ArrowsMoveByMonthAndStopAtTheEnds) {
  ShowMonth({31, 1, 2025});
  const GdkPoint next = FindPoint([](const CalendarHit& h) { return h.onNextArrow == 1; });
  const GdkPoint prev = FindPoint([](const CalendarHit& h) { return h.onPrevArrow == 1; });
  ClickView(next);
  EXPECT_EQ(SelectedDate(), (GregorianDate{28, 2, 2025}));
  ClickView(prev);
  EXPECT_EQ(SelectedDate(), (GregorianDate{28, 1, 2025}));
  ShowMonth({5, 1, 1583});
  ClickView(prev);
  EXPECT_EQ(SelectedDate(), (GregorianDate{5, 1, 1583}));
  ShowMonth({5, 12, 3000});
  ClickView(next);
  EXPECT_EQ(SelectedDate(), (GregorianDate{5, 12, 3000}));
}

// Shows `shown`, opens the month (or year) popup, chooses `choice` there
// (nothing when empty) and lets `user` act after; returns the popup's labels.
std::vector<std::string> Popup(const GregorianDate& shown, bool year, const std::string& choice,
                               UserScript&& user = UserScript()) {
  ShowMonth(shown);
  std::vector<std::string> labels;
  UserScript first;
  first.Then("choose " + choice, ChooseFromPopup(choice, &labels));
  first.Start();
  user.Start();
  ClickView(FindPoint([year](const CalendarHit& h) { return (year ? h.onYear : h.onMonthName) == 1; }));
  return labels;
}

TEST_F(MonthViewTest, MonthPopup) {
  const std::vector<std::string> labels = Popup({31, 3, 2025}, false, "April");
  EXPECT_EQ(labels.size(), 12u);
  EXPECT_EQ(labels.at(0), "January");
  EXPECT_EQ(SelectedDate(), (GregorianDate{30, 4, 2025}));  // 31 clamped to April's 30
  Popup({30, 4, 2025}, false, "");
  EXPECT_EQ(SelectedDate(), (GregorianDate{30, 4, 2025}));
}

TEST_F(MonthViewTest, YearPopupNearTheEndsOfTheRange) {
  EXPECT_EQ(Popup({29, 2, 2024}, true, "2026"),
            (std::vector<std::string>{"2022", "2023", "2024", "2025", "2026", "Other..."}));
  EXPECT_EQ(SelectedDate(), (GregorianDate{28, 2, 2026}));
  EXPECT_EQ(Popup({1, 6, 1584}, true, ""), (std::vector<std::string>{"1583", "1584", "1585", "1586", "Other..."}));
  EXPECT_EQ(SelectedDate(), (GregorianDate{1, 6, 1584}));
}

TEST_F(MonthViewTest, OtherYearIsCheckedAndChosen) {
  auto typeAndOk = [](const char* text) {
    return On("Select Year", [text](GtkWidget* w) {
      SetEntry(w, "Year:", text);
      Click(w, "OK");
    });
  };
  UserScript user;
  user.Then("screenshot", ScreenshotOf("Select Year", "year"))
      .Then("a letter", typeAndOk("20a0"))
      .Then("number message", ExpectMessage("Year must be a number"))
      .Then("too early", typeAndOk("1582"))
      .Then("range message", ExpectMessage("Year must be in range 1583-3000"))
      .Then("empty", typeAndOk(""))
      .Then("range message again", ExpectMessage("Year must be in range 1583-3000"))
      .Then("a good year", typeAndOk("1999"));
  EXPECT_EQ(Popup({1, 6, 3000}, true, "Other...", std::move(user)),
            (std::vector<std::string>{"2998", "2999", "3000", "Other..."}));
  EXPECT_EQ(SelectedDate(), (GregorianDate{1, 6, 1999}));
}

TEST_F(MonthViewTest, DoubleClickOpensTheReportButNotOnArrows) {
  ShowMonth({10, 3, 2025});
  const size_t before = WindowsTitled("Message").size();
  const GdkPoint day = PointOfDay(14);
  ClickView(day);
  ClickView(day, GDK_2BUTTON_PRESS);
  EXPECT_EQ(SelectedDate(), (GregorianDate{14, 3, 2025}));
  EXPECT_EQ(WindowsTitled("Message").size(), before + 1);

  const GdkPoint next = FindPoint([](const CalendarHit& h) { return h.onNextArrow == 1; });
  ClickView(next);
  ClickView(next);
  ClickView(next, GDK_2BUTTON_PRESS);
  EXPECT_EQ(SelectedDate().month, 5);  // two presses, two months; the double-click event adds nothing
  EXPECT_EQ(WindowsTitled("Message").size(), before + 1);
  CloseDialogs();
}

TEST_F(MonthViewTest, HoverHintsStayValidAfterClicksAndHitTests) {
  ShowMonth({10, 3, 2025});
  // Find the box of the Gregorian day number 5 from the hit test's cell and the hint list.
  const GdkPoint five = PointOfDay(5);
  const GdkPoint cellCorner{five.x - 20, five.y - 30};
  int hx = -1, hy = -1;
  for (int y = cellCorner.y - 40; y < cellCorner.y + 40 && hx < 0; ++y)
    for (int x = cellCorner.x - 20; x < cellCorner.x + 40 && hx < 0; ++x)
      if (HitAt(x, y).day == 5) {
        Hover(x + 4, y + 6);
        if (StatusText() == "Gregorian day number") hx = x + 4, hy = y + 6;
      }
  ASSERT_GE(hx, 0) << "no hint over the day number";
  Hover(five.x, five.y + 20);  // the empty middle of the cell
  EXPECT_EQ(StatusText(), "");
  // A click elsewhere repaints two cells and runs a hit test; the hints of
  // the other cells still answer.
  ClickView(PointOfDay(20));
  Hover(hx, hy);
  EXPECT_EQ(StatusText(), "Gregorian day number");
}

TEST_F(MonthViewTest, MissingBackgroundImageIsReportedOnce) {
  setBackgroundImage(home_.path() + "/no-such-image.png");
  ::testing::internal::CaptureStderr();
  ShowMonth({10, 3, 2025});
  ShowMonth({11, 3, 2025});
  const std::string err = ::testing::internal::GetCapturedStderr();
  const std::string expected = "Error loading background image " + home_.path() + "/no-such-image.png";
  EXPECT_EQ(err.find(expected), err.rfind(expected));
  EXPECT_NE(err.find(expected), std::string::npos);
  setBackgroundImage("");
}

// The default background image, which a new user does not have, is no
// fault worth telling.
TEST_F(MonthViewTest, TheMissingDefaultBackgroundImageIsNotReported) {
  setBackgroundImage(std::string(kDefaultBackgroundImage));
  ::testing::internal::CaptureStderr();
  ShowMonth({10, 3, 2025});
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// A hint of several lines (the anniversaries behind "+N more") is one line
// in the status line and whole in a tooltip.
TEST_F(MonthViewTest, AHintOfSeveralLinesIsJoinedInTheStatusLine) {
  ShowMonth({10, 3, 2025});
  tooltips_add(1, 1, 10, 10, "Birthday: Rivka\nyortsayt: Moshe\nAnniversary: Sarah");
  Hover(5, 5);
  EXPECT_EQ(StatusText(), "Birthday: Rivka; yortsayt: Moshe; Anniversary: Sarah");
  EXPECT_TRUE(gtk_widget_get_has_tooltip(drawingArea));
}

}  // namespace
