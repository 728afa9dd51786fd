// The dialogs of the menus: each refuses a wrong input and stays open (the
// checks themselves are tested in the forms' unit tests); what a settings
// dialog confirms shows in the month view and is in the settings file after
// exit; Cancel or closing the window changes nothing.
#include <cctype>

#include "gui_test_util.h"

namespace {

using namespace guitest;
using SettingsDialogTest = MainWindowTest;

TEST_F(SettingsDialogTest, AWrongInputKeepsTheDialogOpen) {
  for (const Strings& row : Rows("dialog_checks.tsv", 4)) {
    const std::string title = row[1], message = row[3];
    UserScript user;
    user.Then(row[2], Fill(title, row[2]));
    if (message != "-") user.Then(message, ExpectMessage(message));
    user.Then("still open", On(title, [](GtkWidget* w) {
      EXPECT_EQ(WindowTitled("Message"), nullptr);
      Click(w, "Cancel");
    }));
    OpenByMenu(row[0], user);
    EXPECT_TRUE(user.Done()) << row[0];
  }
}

// Pixels of the view's top-left corner that are pure red.
int RedPixelsInCorner() {
  gdk_window_process_updates(drawingArea->window, TRUE);
  gdk_flush();
  GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, drawingArea->window, nullptr, 0, 0, 0, 0, 100, 100);
  int red = 0;
  const guchar* p = gdk_pixbuf_get_pixels(pb);
  const int stride = gdk_pixbuf_get_rowstride(pb), n = gdk_pixbuf_get_n_channels(pb);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) red += p[y * stride + x * n] == 255 && p[y * stride + x * n + 1] == 0;
  g_object_unref(pb);
  return red;
}

// How many times of day the view shows on the 12-hour clock ("07:52PM") and on the 24-hour clock.
std::pair<int, int> ClockTimes() {
  std::pair<int, int> n{0, 0};
  for (const std::string& t : PaintedView().texts)
    if (t.size() >= 5 && t[2] == ':' && std::isdigit(static_cast<unsigned char>(t[0]))) (t.size() == 7 ? n.first : n.second) += 1;
  return n;
}

// Each settings dialog of tests/data/gui/dialogs.tsv with its change:
// cancelled or closed, nothing is repainted or written; confirmed, the view
// follows (no second festival days in Israel, the 24-hour clock, the
// background image, a new font) and the settings file has it after exit.
TEST_F(SettingsDialogTest, CancelOrClosingChangesNothingAndOkIsInTheFileAfterExit) {
  GdkPixbuf* red = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 100, 100);
  gdk_pixbuf_fill(red, 0xFF0000FF);
  ASSERT_TRUE(gdk_pixbuf_save(red, (home_.path() + "/red.png").c_str(), "png", nullptr, nullptr));
  g_object_unref(red);
  ShowMonth({1, 4, 2025});
  ASSERT_TRUE(ViewShows("Pesakh VIII") && RedPixelsInCorner() < 100);
  EXPECT_TRUE(ClockTimes().first > 8 && ClockTimes().second == 0);
  settingsDone();
  const std::string before = ReadFile(SettingsGetFileName());
  std::vector<Strings> rows = Rows("dialogs.tsv", 5);
  rows.erase(std::remove_if(rows.begin(), rows.end(), [](const Strings& r) { return r[4].empty(); }), rows.end());
  for (const Strings& row : rows) {
    for (bool close : {false, true}) {
      SCOPED_TRACE(row[1] + (close ? ", closed" : ", cancelled"));
      GtkWidget* area = drawingArea;
      UserScript user;
      user.Then(row[3], On(row[1], [&](GtkWidget* w) {
        Act(w, row[3]);
        close ? gtk_widget_destroy(w) : (void)Click(w, row[2]);
      }));
      OpenByMenu(row[0], user);
      EXPECT_FALSE(RedrawRequested());
      EXPECT_EQ(drawingArea, area);
      settingsDone();
      EXPECT_EQ(ReadFile(SettingsGetFileName()), before);
    }
  }
  for (const Strings& row : rows) {
    GtkWidget* area = drawingArea;
    UserScript user;
    user.Then(row[3], Fill(row[1], row[3]));
    OpenByMenu(row[0], user);
    EXPECT_TRUE(RedrawRequested() || drawingArea != area) << row[1];  // repainted or rebuilt
  }
  ShowMonth({1, 4, 2025});
  EXPECT_FALSE(ViewShows("Pesakh VIII"));
  EXPECT_TRUE(ViewShows("Pesakh VII"));
  EXPECT_TRUE(ClockTimes().first == 0 && ClockTimes().second > 8);
  EXPECT_GT(RedPixelsInCorner(), 5000);
  EXPECT_EQ(getFontName(), "DejaVu Serif");
  HandleMenuItem(nullptr, kCmdExit);
  Pump();
  ASSERT_EQ(gMainWindow, nullptr);
  const std::string file = ReadFile(SettingsGetFileName());
  for (const Strings& row : rows) {
    std::istringstream lines(row[4]);
    for (std::string line; std::getline(lines, line, '|');)
      EXPECT_NE(file.find(line + "\n"), std::string::npos) << line << " missing from\n" << file;
  }
}

}  // namespace
