// Settings dialogs whose choice shows in the month view: Israel/Diaspora,
// the time format, the background image and the daily learning; and the
// help window.
#include "gui_test_util.h"

namespace {

using namespace guitest;

bool ViewShows(const std::string& text) { return PaintedView().DrewText(text); }

TEST_F(SettingsDialogTest, IsraelRemovesTheSecondFestivalDays) {
  constexpr const char* kTitle = "Set Israel/Diaspora & Style";
  ShowMonth({1, 4, 2025});
  // 20 April 2025 is 22 Nisan: the eighth day of Pesakh, kept only in the Diaspora.
  ASSERT_TRUE(ViewShows("Pesakh VIII") && ViewShows("Pesakh VII"));
  UserScript user;
  user.Then("look", On(kTitle, [](GtkWidget* w) {
        EXPECT_TRUE(IsOn(w, "Diaspora") && IsOn(w, "Ashkenazi"));
        EXPECT_EQ(ContentLabels(w), (std::vector<std::string>{"Israel/Diaspora:", "Style:"}));
      }))
      .Then("screenshot", ScreenshotOf(kTitle, "israel-diaspora-style"))
      .Then("Israel, Sephardic", On(kTitle, [](GtkWidget* w) {
        Click(w, "Israel");
        Click(w, "Sephardic");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdIsraelDiasporaStyle, user);
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(diasporaGetFlag(), 0);
  EXPECT_EQ(getStyle(), kStyleSephardic);
  EXPECT_FALSE(ViewShows("Pesakh VIII"));
  EXPECT_TRUE(ViewShows("Pesakh VII"));
}

TEST_F(SettingsDialogTest, TheTwentyFourHourClockChangesTheFormatOfTheTimes) {
  ShowMonth({1, 12, 2024});
  const std::vector<std::string> before = CellTimes();
  ASSERT_FALSE(before.empty());
  UserScript user;
  user.Then("screenshot", ScreenshotOf("Time format", "time-format"))
      .Then("24 hour", On("Time format", [](GtkWidget* w) {
        EXPECT_TRUE(IsOn(w, "12 hour"));
        Click(w, "24 hour");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdTimeFormat, user);
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getTimeFormat(), 1);
  const std::vector<std::string> after = CellTimes();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(before[i].size(), 7u) << before[i];  // "04:12PM"
    EXPECT_EQ(after[i].size(), 5u) << after[i];    // "16:12"
    EXPECT_EQ(Minutes(after[i]), Minutes(before[i])) << before[i] << " " << after[i];
  }
  EXPECT_EQ(after.front().substr(0, 2), "16");  // a December afternoon
}

TEST_F(SettingsDialogTest, DailyLearningChosenByCheckBoxes) {
  constexpr const char* kTitle = "Daily Learning";
  const std::vector<std::string> labels = {"Daf Yomi", "Mishna Yomit", "Nach Yomi", "Yerushalmi Yomi",
                                           "Rambam, one chapter", "Rambam, three chapters", "Tehillim", "Pirkei Avot"};
  UserScript user;
  user.Then("look", On(kTitle, [&labels](GtkWidget* w) {
        EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
        std::vector<std::string> checks;
        for (GtkWidget* b : WidgetsOfType(w, GTK_TYPE_CHECK_BUTTON))
          checks.push_back(gtk_button_get_label(GTK_BUTTON(b)));
        EXPECT_EQ(checks, labels);
        for (const std::string& label : labels) EXPECT_EQ(IsOn(w, label), label == "Daf Yomi") << label;
      }))
      .Then("screenshot", ScreenshotOf(kTitle, "daily-learning"))
      .Then("Tehillim on, Daf Yomi off", On(kTitle, [](GtkWidget* w) {
        SetToggle(FindButton(w, "Tehillim"), true);
        SetToggle(FindButton(w, "Daf Yomi"), false);
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdLearning, user);
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getLearningFlag("tehillim"), 1);
  EXPECT_EQ(getLearningFlag("daf-yomi"), 0);
  EXPECT_EQ(getLearningFlag("mishna-yomit"), 0);
  // OK without a change draws nothing again.
  UserScript again;
  again.Then("as chosen; OK", On(kTitle, [](GtkWidget* w) {
    EXPECT_TRUE(IsOn(w, "Tehillim"));
    EXPECT_FALSE(IsOn(w, "Daf Yomi"));
    Click(w, "OK");
  }));
  RunMenuCommand(kCmdLearning, again);
  EXPECT_FALSE(RedrawRequested());
}

// Pixels of the view's top-left corner that are pure red.
int RedPixelsInCorner() {
  gdk_window_process_updates(drawingArea->window, TRUE);
  gdk_flush();
  GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, drawingArea->window, nullptr, 0, 0, 0, 0, 100, 100);
  if (!pb) return -1;
  int red = 0;
  const guchar* p = gdk_pixbuf_get_pixels(pb);
  const int stride = gdk_pixbuf_get_rowstride(pb), n = gdk_pixbuf_get_n_channels(pb);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) red += p[y * stride + x * n] == 255 && p[y * stride + x * n + 1] == 0 &&
                                         p[y * stride + x * n + 2] == 0;
  g_object_unref(pb);
  return red;
}

TEST_F(SettingsDialogTest, BackgroundImageTypedChosenOrRefused) {
  constexpr const char* kTitle = "Select Background Image";
  constexpr const char* kField = "Background Image";
  std::filesystem::create_directories(home_.path() + "/.local/share");  // the file chooser keeps its history there
  const std::string image = home_.path() + "/red.png";
  GdkPixbuf* red = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 100, 100);
  gdk_pixbuf_fill(red, 0xFF0000FF);
  ASSERT_TRUE(gdk_pixbuf_save(red, image.c_str(), "png", nullptr, nullptr));
  g_object_unref(red);
  ASSERT_LT(RedPixelsInCorner(), 100);

  auto type = [=](std::string text) {
    return On(kTitle, [=](GtkWidget* w) {
      SetEntry(w, kField, text);
      Click(w, "OK");
    });
  };
  // The settings file cannot hold a double quote: every setting would be lost at exit.
  const std::string refused =
      "The file name cannot be stored in the settings: it is longer than 255 bytes or contains a double quote.";
  UserScript user;
  user.Then("look", On(kTitle, [=](GtkWidget* w) { EXPECT_EQ(EntryText(w, kField), "~/.lumaro/lumaro-background.png"); }))
      .Then("screenshot", ScreenshotOf(kTitle, "background-image"))
      .Then("a quote", type("/tmp/a\"b.png"))
      .Then("refused", ExpectMessage(refused))
      .Then("too long", type("/" + std::string(300, 'x') + ".png"))
      .Then("refused again", ExpectMessage(refused))
      .Then("browse", On(kTitle, [](GtkWidget* w) { ClickLater(w, "Browse..."); }))
      .Then("choose the file", PutInChooser("Select Image", image))
      .Then("accept it", AcceptChooser("Select Image", image))
      .Then("chosen file in the entry", On(kTitle, [=](GtkWidget* w) {
        EXPECT_EQ(EntryText(w, kField), image);
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdBackgroundImage, user);
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getBackgroundImage(), image);
  EXPECT_GT(RedPixelsInCorner(), 5000);
  // The file chooser records the file among the recently used ones a
  // moment later (in the data folder of the test run); let it.
  PumpUntil([] { return std::filesystem::exists(std::string(g_get_user_data_dir()) + "/recently-used.xbel"); });

  // A path typed by hand is stored without looking for the file; the view
  // then shows no image. An empty text switches the image off.
  for (const std::string typed : {"~/missing.png", ""}) {
    UserScript again;
    again.Then("type", type(typed));
    RunMenuCommand(kCmdBackgroundImage, again);
    RedrawRequested();
    EXPECT_EQ(getBackgroundImage(), typed);
    EXPECT_LT(RedPixelsInCorner(), 100);
  }
}

TEST_F(SettingsDialogTest, HelpShowsTheTextWithItsEmptyLine) {
  std::string shown;
  UserScript user;
  user.Then("read", On("Help", [&](GtkWidget* w) {
        const std::vector<GtkWidget*> views = WidgetsOfType(w, GTK_TYPE_TEXT_VIEW);
        ASSERT_EQ(views.size(), 1u);
        shown = TextOf(views[0]);
        EXPECT_FALSE(gtk_text_view_get_editable(GTK_TEXT_VIEW(views[0])));
        EXPECT_EQ(gtk_text_view_get_wrap_mode(GTK_TEXT_VIEW(views[0])), GTK_WRAP_WORD);
      }))
      .Then("screenshot", ScreenshotOf("Help", "help"))
      .Then("close", Press("Help", "Close"));
  RunMenuCommand(kCmdHelp, user);
  Pump();
  EXPECT_EQ(shown,
            "By clicking on the Gregorian month name, another month name can be selected for viewing.\n"
            "When clicking on the Gregorian year, another year for viewing can be selected.\n"
            "\n"
            "Information about a day (Zmanim, Halachic) can be shown by double-clicking on that day.\n");
  EXPECT_EQ(WindowTitled("Help"), nullptr);
}

}  // namespace
