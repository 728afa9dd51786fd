// The program in Yiddish with the translation files a new user gets: after
// the language switch every menu label and the status line are made again
// in Yiddish, right to left, in the configured font; the dialogs and the day
// report show no English text. With LUMARO_SCREENSHOT_DIR set, the windows
// are also saved as PNG files there for people to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/tooltips.h"
#include "app/widget_fonts.h"
#include "dialog_test_util.h"
#include "gui_test_util.h"
#include "storage/user_files.h"

namespace {

using guitest::ForEachDescendant;
using guitest::UserScript;
using guitest::WindowTitled;

bool HasLatinLetter(const std::string& s) {
  for (char c : s)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  return false;
}

// Family and size (points) of the font a widget's style gives it.
std::string FontOf(GtkWidget* w) {
  const PangoFontDescription* d = gtk_widget_get_style(w)->font_desc;
  const char* family = pango_font_description_get_family(d);
  return std::string(family ? family : "") + " " + std::to_string(pango_font_description_get_size(d) / PANGO_SCALE);
}

// What a label in Yiddish must be: a translated text, right to left, in the
// configured font at `points`.
void ExpectYiddishLabel(GtkWidget* label, int points, const std::string& where) {
  const std::string text = gtk_label_get_text(GTK_LABEL(label));
  EXPECT_FALSE(HasLatinLetter(text)) << where << ": " << text;
  EXPECT_EQ(gtk_widget_get_direction(label), GTK_TEXT_DIR_RTL) << where << ": " << text;
  EXPECT_EQ(FontOf(label), getFontName() + " " + std::to_string(points)) << where << ": " << text;
}

// Every label of a window, buttons' labels included.
std::vector<GtkWidget*> Labels(GtkWidget* window) {
  std::vector<GtkWidget*> labels;
  ForEachDescendant(window, [&](GtkWidget* w) {
    if (GTK_IS_LABEL(w) && *gtk_label_get_text(GTK_LABEL(w))) labels.push_back(w);
  });
  return labels;
}

// Saves what a window shows, when LUMARO_SCREENSHOT_DIR names a directory.
void SaveShot(GtkWidget* window, const char* name) {
  const char* dir = std::getenv("LUMARO_SCREENSHOT_DIR");
  if (!dir || !*dir) return;
  gdk_window_process_all_updates();
  gdk_flush();
  guitest::Pump();
  GdkPixbuf* shot = gdk_pixbuf_get_from_drawable(nullptr, window->window, nullptr, 0, 0, 0, 0,
                                                 window->allocation.width, window->allocation.height);
  ASSERT_NE(shot, nullptr);
  const std::string path = std::string(dir) + "/" + name;
  EXPECT_TRUE(gdk_pixbuf_save(shot, path.c_str(), "png", nullptr, nullptr)) << path;
  g_object_unref(shot);
}

// The items (not separators) of the main window's menus.
int MenuItemCount() {
  int count = 0;
  ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (!GTK_IS_MENU_ITEM(w) || !gtk_menu_item_get_submenu(GTK_MENU_ITEM(w))) return;
    GList* entries = gtk_container_get_children(GTK_CONTAINER(gtk_menu_item_get_submenu(GTK_MENU_ITEM(w))));
    for (GList* e = entries; e; e = e->next)
      if (gtk_bin_get_child(GTK_BIN(e->data))) ++count;
    g_list_free(entries);
  });
  return count;
}

GtkWidget* StatusLabel() {
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(drawingArea)));
  for (GList* l = children; l; l = l->next)
    if (GTK_IS_LABEL(l->data)) found = GTK_WIDGET(l->data);
  g_list_free(children);
  return found;
}

class YiddishGuiTest : public guitest::MainWindowTest {
 protected:
  void SetUp() override {
    // A new user: the shipped files are installed, then the program starts
    // in English with the screen font chosen at start-up.
    std::string error;
    ASSERT_TRUE(InstallDefaultUserFiles(&error)) << error;
    MainWindowTest::SetUp();
    ChooseScreenFont();
    SetSelectedDate({13, 4, 2025});  // the first day of Pesakh
  }
  void TearDown() override {
    guitest::CloseDialogs();
    guitest::Pump();
    setLanguage(kLanguageEnglish);
    MainWindowTest::TearDown();
  }
  // The user chooses the language in its dialog (Settings, "Select Language...").
  void SwitchTo(int language) {
    const std::string choice = translate_perform(language == kLanguageYiddish ? "Yiddish" : "English");
    const std::string ok = translate_perform("OK");
    {
      UserScript user;
      user.Then("choose the language", [choice, ok] {
        GtkWidget* w = WindowTitled("Select Language");
        if (!w || !GTK_WIDGET_MAPPED(w)) return false;
        guitest::Click(w, choice);
        return guitest::Click(w, ok);
      });
      user.Start();
      HandleMenuItem(nullptr, kCmdLanguage);
    }
    ASSERT_EQ(getLanguage(), language);
    ASSERT_TRUE(guitest::PumpUntil([] { return drawingArea && GTK_WIDGET_MAPPED(drawingArea); }));
    gdk_window_process_updates(drawingArea->window, TRUE);
    guitest::Pump();
  }
  void Hover(int x, int y) {
    GdkEvent* ev = gdk_event_new(GDK_MOTION_NOTIFY);
    ev->motion.window = GDK_WINDOW(g_object_ref(drawingArea->window));
    ev->motion.x = x;
    ev->motion.y = y;
    gtk_main_do_event(ev);
    gdk_event_free(ev);
    guitest::Pump();
  }
};

TEST_F(YiddishGuiTest, TheDefaultScreenFontShowsHebrew) {
  // Where "Times New Roman" is missing (as on a Debian machine with the
  // packages of install-deps.sh), an installed family with Hebrew is used.
  if (!IsFontFamilyInstalled("Times New Roman")) {
    EXPECT_NE(getFontName(), "Times New Roman");
  }
  EXPECT_TRUE(IsFontFamilyInstalled(getFontName())) << getFontName();
  // The font really has the letters: a Yiddish word needs no fallback font.
  PangoFontDescription* desc = pango_font_description_from_string((getFontName() + " 16").c_str());
  PangoContext* context = gtk_widget_get_pango_context(gMainWindow);
  PangoFont* font = pango_context_load_font(context, desc);
  ASSERT_NE(font, nullptr);
  PangoCoverage* coverage = pango_font_get_coverage(font, pango_language_from_string("yi"));
  for (gunichar c : {0x05D0u, 0x05E9u, 0x05F0u, 0x05F2u, 0x05B7u, 0x05BCu, 0x05BFu})
    EXPECT_EQ(pango_coverage_get(coverage, static_cast<int>(c)), PANGO_COVERAGE_EXACT) << std::hex << c;
  pango_coverage_unref(coverage);
  g_object_unref(font);
  pango_font_description_free(desc);
  // The choice is kept like a choice of the font dialog.
  HandleMenuItem(nullptr, kCmdExit);
  guitest::Pump();
  settingsInit();
  EXPECT_TRUE(IsFontFamilyInstalled(getFontName()));
}

TEST_F(YiddishGuiTest, LanguageSwitchRebuildsMenusAndStatusLine) {
  // The pointer rests on a Gregorian day number: the status line names it.
  gdk_window_process_updates(drawingArea->window, TRUE);
  guitest::Pump();
  bool hovered = false;
  for (int y = 0; y < drawingArea->allocation.height && !hovered; y += 2) {
    for (int x = 0; x < drawingArea->allocation.width && !hovered; x += 2) {
      if (tooltips_text_at(x, y) != "Gregorian day number" || tooltips_text_at(x + 3, y + 3) != "Gregorian day number")
        continue;
      Hover(x + 2, y + 2);
      hovered = true;
    }
  }
  ASSERT_TRUE(hovered);
  GtkWidget* status = StatusLabel();
  ASSERT_NE(status, nullptr);
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(status)), "Gregorian day number");

  const int englishItems = MenuItemCount();
  SwitchTo(kLanguageYiddish);
  EXPECT_EQ(SelectedDate(), (GregorianDate{13, 4, 2025}));  // the month stays

  GtkWidget* bar = nullptr;
  ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (!bar && GTK_IS_MENU_BAR(w)) bar = w;
  });
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(gtk_widget_get_direction(bar), GTK_TEXT_DIR_RTL);
  int items = 0;
  GList* titles = gtk_container_get_children(GTK_CONTAINER(bar));
  ASSERT_EQ(g_list_length(titles), 3u);
  for (GList* t = titles; t; t = t->next) {
    GtkWidget* title = gtk_bin_get_child(GTK_BIN(t->data));
    const std::string text = gtk_label_get_text(GTK_LABEL(title));
    EXPECT_FALSE(HasLatinLetter(text)) << text;
    EXPECT_EQ(FontOf(title), getFontName() + " 16") << text;
    GList* entries = gtk_container_get_children(GTK_CONTAINER(gtk_menu_item_get_submenu(GTK_MENU_ITEM(t->data))));
    for (GList* e = entries; e; e = e->next) {
      GtkWidget* label = gtk_bin_get_child(GTK_BIN(e->data));
      if (!label) continue;  // a separator
      ExpectYiddishLabel(label, 16, "menu " + text);
      ++items;
    }
    g_list_free(entries);
  }
  g_list_free(titles);
  EXPECT_EQ(items, englishItems);
  EXPECT_GE(items, 15);

  // The new status line, right to left, names the same day number in Yiddish.
  status = StatusLabel();
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(gtk_widget_get_direction(status), GTK_TEXT_DIR_RTL);
  EXPECT_EQ(FontOf(status), getFontName() + " 16");
  const std::string hint = gtk_label_get_text(GTK_LABEL(status));
  EXPECT_EQ(hint, translate_perform("Gregorian day number"));
  EXPECT_FALSE(hint.empty());
  EXPECT_FALSE(HasLatinLetter(hint)) << hint;
  SaveShot(gMainWindow, "yiddish-month-2025-04.png");

  // And back: English labels, left to right.
  SwitchTo(kLanguageEnglish);
  ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (GTK_IS_MENU_BAR(w)) {
      EXPECT_EQ(gtk_widget_get_direction(w), GTK_TEXT_DIR_LTR);
    }
  });
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(StatusLabel())), "Gregorian day number");
  EXPECT_EQ(SelectedDate(), (GregorianDate{13, 4, 2025}));
}

TEST_F(YiddishGuiTest, DayReportOfAFestival) {
  SwitchTo(kLanguageYiddish);
  HandleMenuItem(nullptr, kCmdDayReport);
  ASSERT_TRUE(guitest::PumpUntil([] {
    GtkWidget* w = WindowTitled("Message");
    return w && GTK_WIDGET_MAPPED(w);
  }));
  GtkWidget* report = WindowTitled("Message");
  const std::vector<GtkWidget*> lists = guitest::WidgetsOfType(report, GTK_TYPE_TREE_VIEW);
  ASSERT_EQ(lists.size(), 3u);  // zmanim, readings, halakha
  for (size_t i = 0; i < lists.size(); ++i) {
    EXPECT_EQ(gtk_widget_get_direction(lists[i]), GTK_TEXT_DIR_RTL);
    const std::vector<std::string> rows = guitest::TreeRows(lists[i]);
    EXPECT_GT(rows.size(), 2u);
    for (size_t r = 0; r < rows.size(); ++r) {
      if (i == 0 && r == 1) continue;  // the city's name
      EXPECT_FALSE(HasLatinLetter(rows[r])) << rows[r];
    }
  }
  for (GtkWidget* label : Labels(report)) ExpectYiddishLabel(label, 16, "report");  // its "Close" button
  SaveShot(report, "yiddish-day-report-2025-04-13.png");
}

TEST_F(YiddishGuiTest, AnniversaryDialogs) {
  SwitchTo(kLanguageYiddish);
  // Rows read from the right: the label of the name row stands right of
  // its entry, and the dialog's buttons are mirrored.
  auto rightOf = [](GtkWidget* a, GtkWidget* b) { return a->allocation.x > b->allocation.x; };
  UserScript user;
  user.Then("the list", [&] {
          GtkWidget* w = WindowTitled("Anniversaries");
          if (!w || !GTK_WIDGET_MAPPED(w)) return false;
          for (GtkWidget* label : Labels(w)) ExpectYiddishLabel(label, 16, "anniversaries");
          SaveShot(w, "yiddish-anniversaries.png");
          return guitest::Click(w, translate_perform("Add..."));
        })
      .Then("the new entry", [&] {
        GtkWidget* w = WindowTitled("Edit Anniversary/Birthday/yortsayt");
        if (!w || !GTK_WIDGET_MAPPED(w)) return false;
        for (GtkWidget* label : Labels(w)) ExpectYiddishLabel(label, 16, "edit");
        GtkWidget* months = guitest::WidgetsOfType(w, GTK_TYPE_COMBO_BOX).at(0);
        GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(months));
        EXPECT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 14);
        GtkTreeIter it;
        for (gboolean ok = gtk_tree_model_get_iter_first(model, &it); ok; ok = gtk_tree_model_iter_next(model, &it)) {
          gchar* text = nullptr;
          gtk_tree_model_get(model, &it, 0, &text, -1);
          EXPECT_FALSE(HasLatinLetter(text ? text : "")) << text;
          g_free(text);
        }
        GtkWidget* nameLabel = nullptr;
        for (GtkWidget* label : Labels(w))
          if (translate_perform("Name:") == gtk_label_get_text(GTK_LABEL(label))) nameLabel = label;
        EXPECT_NE(nameLabel, nullptr);
        if (nameLabel) {
          const std::vector<GtkWidget*> row = guitest::WidgetsOfType(gtk_widget_get_parent(nameLabel), GTK_TYPE_ENTRY);
          EXPECT_EQ(row.size(), 1u);
          if (!row.empty()) {
            EXPECT_TRUE(rightOf(nameLabel, row.front()));
          }
        }
        // OK and Cancel too: OK comes first, at the right.
        GtkWidget* ok = guitest::FindButton(w, translate_perform("OK"));
        GtkWidget* cancel = guitest::FindButton(w, translate_perform("Cancel"));
        EXPECT_TRUE(ok && cancel && rightOf(ok, cancel));
        SaveShot(w, "yiddish-anniversary-edit.png");
        return guitest::Click(w, translate_perform("Cancel"));
      })
      .Then("close", [&] {
        GtkWidget* w = WindowTitled("Anniversaries");
        if (!w || WindowTitled("Edit Anniversary/Birthday/yortsayt")) return false;
        return guitest::Click(w, translate_perform("Close"));
      });
  user.Start();
  HandleMenuItem(nullptr, kCmdAnniversaries);
}

TEST_F(YiddishGuiTest, ExportDialog) {
  SwitchTo(kLanguageYiddish);
  UserScript user;
  user.Then("the export dialog", [&] {
    GtkWidget* w = WindowTitled("Export to Calendar File");
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    const std::vector<GtkWidget*> labels = Labels(w);
    EXPECT_GE(labels.size(), 11u);  // two years, six kinds, file, browse, OK, Cancel
    for (GtkWidget* label : labels) ExpectYiddishLabel(label, 16, "export");
    SaveShot(w, "yiddish-export.png");
    return guitest::Click(w, translate_perform("Cancel"));
  });
  user.Start();
  HandleMenuItem(nullptr, kCmdExport);
}

TEST_F(YiddishGuiTest, SettingsAndPrintDialogs) {
  // Every settings dialog and the print dialog in Yiddish: each label and button is Yiddish, right
  // to left, in the dialog font. (The font-size dialog keeps its English
  // labels, and window titles stay English.)
  struct Case {
    int command;
    const char* title;
    const char* close;  // the English key of the button that leaves it
  } cases[] = {
      {kCmdIsraelDiasporaStyle, "Set Israel/Diaspora & Style", "Cancel"},
      {kCmdShabbatTimes, "Configure Shabbat Times", "Cancel"},
      {kCmdZmanim, "Configure Zmanim", "Cancel"},
      {kCmdDaylightSaving, "Configure Daylight Savings Time", "Cancel"},
      {kCmdTimeFormat, "Time format", "Cancel"},
      {kCmdBackgroundImage, "Select Background Image", "Cancel"},
      {kCmdFont, "Select Font", "Cancel"},
      {kCmdLanguage, "Select Language", "Cancel"},
      {kCmdHelp, "Help", "Close"},
      {kCmdPrint, "Select Printing Options", "Cancel"},
  };
  SwitchTo(kLanguageYiddish);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const std::string close = translate_perform(c.close);
    UserScript user;
    user.Then(c.title, [&c, &close] {
      GtkWidget* w = WindowTitled(c.title);
      if (!w || !GTK_WIDGET_MAPPED(w)) return false;
      const std::vector<GtkWidget*> labels = Labels(w);
      EXPECT_FALSE(labels.empty());
      for (GtkWidget* label : labels) ExpectYiddishLabel(label, 16, c.title);
      // The help text itself.
      for (GtkWidget* view : guitest::WidgetsOfType(w, GTK_TYPE_TEXT_VIEW)) {
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
        GtkTextIter start, end;
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
        EXPECT_GT(std::string(text).size(), 100u);
        EXPECT_FALSE(HasLatinLetter(text)) << text;
        g_free(text);
      }
      const std::string file = std::string("yiddish-") + std::to_string(c.command) + ".png";
      SaveShot(w, file.c_str());
      return guitest::Click(w, close);
    });
    user.Start();
    HandleMenuItem(nullptr, c.command);
    guitest::Pump();
    EXPECT_EQ(getLanguage(), kLanguageYiddish);  // Cancel kept it
  }
}

}  // namespace
