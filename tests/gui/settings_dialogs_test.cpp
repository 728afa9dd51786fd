#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "dialogs/year_dialog.h"
#include "render/day_info.h"
#include "settings_test_util.h"
#include "storage/settings.h"

namespace {

using guitest::Shown;
using guitest::SettingsDialogTest;

bool ViewShows(const std::string& text) { return guitest::PaintedView().DrewText(text); }

TEST_F(SettingsDialogTest, IsraelRemovesTheSecondFestivalDays) {
  guitest::ShowMonth({1, 4, 2025});
  // 20 April 2025 is 22 Nisan: the eighth day of Pesakh, kept only in the Diaspora.
  ASSERT_TRUE(ViewShows("Pesakh VIII"));
  ASSERT_TRUE(ViewShows("Pesakh VII"));
  guitest::UserScript user;
  user.Then("look", [] {
        GtkWidget* w = Shown("Set Israel/Diaspora & Style");
        if (!w) return false;
        EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "Diaspora")));
        EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "Ashkenazi")));
        EXPECT_EQ(guitest::ContentLabels(w), (std::vector<std::string>{"Israel/Diaspora:", "Style:"}));
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf("Set Israel/Diaspora & Style", "israel-diaspora-style"))
      .Then("Israel, Sephardic", [] {
        GtkWidget* w = Shown("Set Israel/Diaspora & Style");
        guitest::Click(w, "Israel");
        guitest::Click(w, "Sephardic");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdIsraelDiasporaStyle, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  EXPECT_EQ(diasporaGetFlag(), 0);
  EXPECT_EQ(getStyle(), kStyleSephardic);
  EXPECT_FALSE(ViewShows("Pesakh VIII"));
  EXPECT_TRUE(ViewShows("Pesakh VII"));
}

// "hh:mmAM" or "hh:mmPM" in the 24-hour form.
std::string To24Hour(const std::string& t) {
  int h = ((t[0] - '0') * 10 + (t[1] - '0')) % 12;
  if (t.substr(5) == "PM") h += 12;
  return std::string(1, static_cast<char>('0' + h / 10)) + static_cast<char>('0' + h % 10) + t.substr(2, 3);
}

TEST_F(SettingsDialogTest, TheTwentyFourHourClockChangesTheFormatOfTheTimes) {
  guitest::ShowMonth({1, 12, 2024});
  const std::vector<std::string> before = guitest::CellTimes();
  ASSERT_FALSE(before.empty());
  for (const std::string& t : before) ASSERT_EQ(t.size(), 7u) << t;  // "04:12PM"
  guitest::UserScript user;
  user.Then("screenshot", guitest::ScreenshotOf("Time format", "time-format"))
      .Then("24 hour", [] {
        GtkWidget* w = Shown("Time format");
        EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "12 hour")));
        guitest::Click(w, "24 hour");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdTimeFormat, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  EXPECT_EQ(getTimeFormat(), 1);
  std::vector<std::string> expected;
  std::transform(before.begin(), before.end(), std::back_inserter(expected), To24Hour);
  EXPECT_EQ(guitest::CellTimes(), expected);
  EXPECT_EQ(expected.front().substr(0, 2), "16");  // a December afternoon
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
    for (int x = 0; x < 100; ++x) {
      const guchar* px = p + y * stride + x * n;
      if (px[0] == 255 && px[1] == 0 && px[2] == 0) ++red;
    }
  g_object_unref(pb);
  return red;
}

TEST_F(SettingsDialogTest, BackgroundImageTypedChosenOrRefused) {
  constexpr const char* kTitle = "Select Background Image";
  std::filesystem::create_directories(home_.path() + "/.local/share");  // the file chooser keeps its history there
  const std::string image = home_.path() + "/red.png";
  GdkPixbuf* red = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 100, 100);
  gdk_pixbuf_fill(red, 0xFF0000FF);
  ASSERT_TRUE(gdk_pixbuf_save(red, image.c_str(), "png", nullptr, nullptr));
  g_object_unref(red);
  ASSERT_LT(RedPixelsInCorner(), 100);

  auto type = [kTitle](std::string text) {
    return [kTitle, text] {
      GtkWidget* w = Shown(kTitle);
      if (!w) return false;
      gtk_entry_set_text(GTK_ENTRY(guitest::Beside(w, "Background Image")), text.c_str());
      return guitest::Click(w, "OK");
    };
  };
  guitest::UserScript user;
  user.Then("look", [kTitle] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(guitest::Beside(w, "Background Image"))),
                  std::string("~/.lumaro/lumaro-background.png"));
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf(kTitle, "background-image"))
      // The settings file cannot hold a double quote: every setting would be lost at exit.
      .Then("a quote", type("/tmp/a\"b.png"))
      .Then("refused", guitest::ExpectMessage("The file name cannot be stored in the settings: it is longer than 255 "
                                              "bytes or contains a double quote."))
      .Then("too long", type("/" + std::string(300, 'x') + ".png"))
      .Then("refused again", guitest::ExpectMessage("The file name cannot be stored in the settings: it is longer "
                                                    "than 255 bytes or contains a double quote."))
      .Then("browse", [kTitle] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        // The file chooser waits in a loop of its own: clicked from this
        // step it would keep the script from going on, so the click comes
        // from the main loop once the step has returned.
        g_idle_add(+[](gpointer button) {
                     gtk_button_clicked(GTK_BUTTON(button));
                     return FALSE;
                   },
                   guitest::FindButton(w, "Browse..."));
        return true;
      })
      .Then("choose the file", [image] {
        GtkWidget* chooser = Shown("Select Image");
        if (!chooser) return false;
        gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(chooser), image.c_str());
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        const bool ready = chosen && image == chosen;
        g_free(chosen);
        if (!ready) return false;  // the folder is still loading
        guitest::Screenshot(chooser, "select-image");
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
        return true;
      })
      .Then("chosen file in the entry", [kTitle, image] {
        GtkWidget* w = Shown(kTitle);
        if (!w || Shown("Select Image")) return false;
        EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(guitest::Beside(w, "Background Image"))), image);
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdBackgroundImage, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  EXPECT_EQ(getBackgroundImage(), image);
  EXPECT_GT(RedPixelsInCorner(), 5000);
  // The file chooser records the file among the recently used ones a
  // moment later; let it, while this test's HOME still exists.
  guitest::PumpUntil([this] { return std::filesystem::exists(home_.path() + "/.local/share/recently-used.xbel"); });

  // A path typed by hand is stored without looking for the file; the view
  // then shows no image. An empty text switches the image off.
  for (const std::string& typed : {std::string("~/missing.png"), std::string()}) {
    guitest::UserScript again;
    again.Then("type", type(typed));
    guitest::RunMenuCommand(kCmdBackgroundImage, again);
    guitest::RedrawRequested();
    EXPECT_EQ(getBackgroundImage(), typed);
    EXPECT_LT(RedPixelsInCorner(), 100);
  }
}

TEST_F(SettingsDialogTest, YearDialogReturnsTheYear) {
  guitest::UserScript user;
  user.Then("screenshot", guitest::ScreenshotOf("Select Year", "year"))
      .Then("2010", [] {
        GtkWidget* w = Shown("Select Year");
        EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(guitest::Beside(w, "Year:"))), std::string("2031"));
        gtk_entry_set_text(GTK_ENTRY(guitest::Beside(w, "Year:")), "2010");
        return guitest::Click(w, "OK");
      });
  user.Start();
  EXPECT_EQ(DialogsDoYear(2031), 2010);
}

TEST_F(SettingsDialogTest, HelpShowsTheTextWithItsEmptyLine) {
  std::string shown;
  guitest::UserScript user;
  user.Then("read", [&] {
        GtkWidget* w = Shown("Help");
        if (!w) return false;
        const std::vector<GtkWidget*> views = guitest::WidgetsOfType(w, GTK_TYPE_TEXT_VIEW);
        EXPECT_EQ(views.size(), 1u);
        if (views.empty()) return true;
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(views[0]));
        GtkTextIter start, end;
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
        shown = text;
        g_free(text);
        EXPECT_FALSE(gtk_text_view_get_editable(GTK_TEXT_VIEW(views[0])));
        EXPECT_EQ(gtk_text_view_get_wrap_mode(GTK_TEXT_VIEW(views[0])), GTK_WRAP_WORD);
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf("Help", "help"))
      .Then("close", guitest::Press("Help", "Close"));
  guitest::RunMenuCommand(kCmdHelp, user);
  guitest::Pump();
  EXPECT_EQ(shown,
            "By clicking on the Gregorian month name, another month name can be selected for viewing.\n"
            "When clicking on the Gregorian year, another year for viewing can be selected.\n"
            "\n"
            "Information about a day (Zmanim, Halachic) can be shown by double-clicking on that day.\n");
  EXPECT_EQ(guitest::WindowTitled("Help"), nullptr);
}

TEST_F(SettingsDialogTest, LanguageRebuildsTheWindowInYiddish) {
  std::filesystem::create_directories(home_.path() + "/.lumaro/translations");
  std::ofstream(home_.path() + "/.lumaro/translations/yiddish.gui")
      << "\"Program\" = \"\xD7\xA4\xD7\xA8\xD7\x90\xD7\x92\xD7\xA8\xD7\x90\xD7\x9E\"\n"
      << "\"Location:\" = \"\xD7\x90\xD7\xA8\xD7\x98:\"\n";
  SetSelectedDate({17, 8, 2031});
  GtkWidget* oldArea = drawingArea;
  guitest::UserScript user;
  user.Then("screenshot", guitest::ScreenshotOf("Select Language", "language"))
      .Then("Yiddish", [] {
        GtkWidget* w = Shown("Select Language");
        EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "English")));
        guitest::Click(w, "Yiddish");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdLanguage, user);
  guitest::Pump();
  EXPECT_EQ(getLanguage(), kLanguageYiddish);
  ASSERT_NE(drawingArea, nullptr);
  EXPECT_NE(drawingArea, oldArea);
  EXPECT_EQ(SelectedDate(), (GregorianDate{17, 8, 2031}));
  GtkWidget* bar = guitest::WidgetsOfType(gMainWindow, GTK_TYPE_MENU_BAR).front();
  GList* menus = gtk_container_get_children(GTK_CONTAINER(bar));
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(menus->data)))),
               "\xD7\xA4\xD7\xA8\xD7\x90\xD7\x92\xD7\xA8\xD7\x90\xD7\x9E");
  g_list_free(menus);
  EXPECT_EQ(gtk_widget_get_direction(bar), GTK_TEXT_DIR_RTL);

  // A dialog in Yiddish: rows read from the right, OK at the right.
  guitest::UserScript yiddish;
  yiddish.Then("look", [] {
          GtkWidget* w = Shown("Configure Shabbat Times");
          if (!w) return false;
          GtkWidget* label = guitest::WidgetsOfType(w, GTK_TYPE_LABEL).front();
          EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(label)), "\xD7\x90\xD7\xA8\xD7\x98:");
          GtkWidget* list = guitest::WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front();
          EXPECT_GT(label->allocation.x, list->allocation.x);
          GtkWidget* ok = guitest::FindButton(w, "OK");
          GtkWidget* cancel = guitest::FindButton(w, "Cancel");
          EXPECT_GT(ok->allocation.x, cancel->allocation.x);
          return true;
        })
      .Then("screenshot", guitest::ScreenshotOf("Configure Shabbat Times", "shabbat-times-yiddish"))
      .Then("cancel", guitest::Press("Configure Shabbat Times", "Cancel"));
  guitest::RunMenuCommand(kCmdShabbatTimes, yiddish);

  guitest::UserScript back;
  back.Then("English", [] {
    GtkWidget* w = Shown("Select Language");
    if (!w) return false;
    EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "Yiddish")));
    guitest::Click(w, "English");
    return guitest::Click(w, "OK");
  });
  guitest::RunMenuCommand(kCmdLanguage, back);
  guitest::Pump();
  EXPECT_EQ(getLanguage(), kLanguageEnglish);
  bar = guitest::WidgetsOfType(gMainWindow, GTK_TYPE_MENU_BAR).front();
  EXPECT_EQ(gtk_widget_get_direction(bar), GTK_TEXT_DIR_LTR);
}

}  // namespace
