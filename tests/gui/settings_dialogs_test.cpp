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
    UserScript user;
    user.Then(row[2], Fill(row[1], row[2]));
    if (row[3] != "-") user.Then(row[3], ExpectMessage(row[3]));
    user.Then("still open", On(row[1], [](GtkWidget* w) {
                EXPECT_EQ(WindowTitled("Message"), nullptr);
                Click(w, "Cancel");
              }));
    OpenByMenu(row[0], user);
    EXPECT_TRUE(user.Done()) << row[0];
  }
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
// follows (no second festival days in Israel, the 24-hour clock, a new
// font) and the settings file has it after exit.
TEST_F(SettingsDialogTest, CancelOrClosingChangesNothingAndOkIsInTheFileAfterExit) {
  GdkPixbuf* red = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 100, 100);
  gdk_pixbuf_fill(red, 0xFF0000FF);
  ASSERT_TRUE(gdk_pixbuf_save(red, Path("red.png").c_str(), "png", nullptr, nullptr));
  g_object_unref(red);
  ShowMonth({1, 4, 2025});
  ASSERT_TRUE(ViewShows("Pesakh VIII"));
  EXPECT_TRUE(ClockTimes().first > 8 && ClockTimes().second == 0);
  settingsDone();
  const std::string before = ReadFile(SettingsGetFileName());
  std::vector<Strings> rows = Rows("dialogs.tsv", 5);
  rows.erase(std::remove_if(rows.begin(), rows.end(), [](const Strings& r) { return r[4].empty(); }), rows.end());
  for (int pass = 0; pass < 3; ++pass) {  // cancelled, closed, confirmed
    for (const Strings& row : rows) {
      SCOPED_TRACE(row[1] + " " + std::to_string(pass));
      GtkWidget* area = drawingArea;
      UserScript user;
      user.Then(row[3], On(row[1], [&](GtkWidget* w) {
        Act(w, row[3]);
        pass == 1 ? gtk_widget_destroy(w) : Click(w, pass == 0 ? row[2] : "OK");
      }));
      OpenByMenu(row[0], user);
      if (pass == 2) {
        EXPECT_TRUE(RedrawRequested() || drawingArea != area);  // repainted or rebuilt
        continue;
      }
      EXPECT_FALSE(RedrawRequested());
      EXPECT_EQ(drawingArea, area);
      settingsDone();
      EXPECT_EQ(ReadFile(SettingsGetFileName()), before);
    }
  }
  ShowMonth({1, 4, 2025});
  EXPECT_TRUE(!ViewShows("Pesakh VIII") && ViewShows("Pesakh VII"));
  EXPECT_TRUE(ClockTimes().first == 0 && ClockTimes().second > 8);
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

// The dialogs that write a file write it as confirmed.
TEST_F(SettingsDialogTest, ConfirmedDialogsWriteTheirFiles) {
  ShowMonth({1, 4, 2025});
  for (Strings row : Rows("dialogs.tsv", 8)) {
    if (row[5].empty()) continue;
    for (std::string* s : {&row[3], &row[5]})
      if (const size_t at = s->find("$HOME"); at != std::string::npos) s->replace(at, 5, home_.path());
    UserScript user;
    user.Then(row[3], Fill(row[1], row[3]));
    if (row[7] != "-") user.Then("close the message", Press("Message", row[7]));
    OpenByMenu(row[0], user);
    const std::string file = ReadFile(row[5]);
    std::istringstream texts(row[6]);
    for (std::string t; std::getline(texts, t, '|');) EXPECT_NE(file.find(t), std::string::npos) << row[5] << ": " << t;
  }
}

}  // namespace
