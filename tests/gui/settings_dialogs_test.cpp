// The settings dialogs: each refuses a wrong input and takes a good one
// (their checks themselves are tested in the forms' unit tests), what is
// confirmed shows in the month view and is in the settings file after exit,
// and Cancel or closing the window changes nothing.
#include <fstream>
#include <sstream>

#include "calendar/calendar.h"
#include "compose/day_info.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;
using SettingsDialogTest = MainWindowTest;

constexpr const char* kShabbat = "Configure Shabbat Times";
constexpr const char* kDst = "Configure Daylight Savings Time";
constexpr const char* kZmanim = "Configure Zmanim";

// Each dialog's checks are wired: a wrong input gets its message and the
// dialog stays open (tests/data/gui/dialog_checks.tsv).
TEST_F(SettingsDialogTest, AWrongInputKeepsTheDialogOpen) {
  std::ifstream in(testenv::TestDataDir() + "/gui/dialog_checks.tsv");
  int rows = 0;
  for (std::string line; std::getline(in, line); ++rows) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream row(line);
    std::string item, title, fields, message;
    std::getline(row, item, '\t') && std::getline(row, title, '\t') && std::getline(row, fields, '\t') &&
        std::getline(row, message, '\t');
    UserScript user;
    user.Then(line, On(title, [fields](GtkWidget* w) {
          std::istringstream list(fields);
          for (std::string field; std::getline(list, field, '|');)
            SetEntry(w, field.substr(0, field.find('=')), field.substr(field.find('=') + 1));
          Click(w, "OK");
        }))
        .Then(message, ExpectMessage(message))
        .Then("still open", Press(title, "Cancel"));
    user.Start();
    gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(item)));
    EXPECT_TRUE(user.Done()) << line;
  }
  EXPECT_GT(rows, 8);
}

// Friday 7 June 2024: candle lighting 18 minutes before a sunset of about
// 21:27 in Pforzheim, 40 before about 19:45 in Jerusalem (its own minutes,
// from the city file); Jerusalem's 786 m put its precise sunset about 5
// minutes later.
TEST_F(SettingsDialogTest, ShabbatTimesChangeTheFridayTimes) {
  ShowMonth({1, 6, 2024});
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 21 * 60 + 9, 5) << CellTimes().at(1);
  constexpr const char* kElevation = "Use elevation for sunrise and sunset";
  RunMenuCommand(kCmdShabbatTimes, kShabbat, [](GtkWidget* w) {
    EXPECT_EQ(EntryText(w, "Candle Lighting:") + " " + EntryText(w, "End of Shabbat:"), "18 45");
    EXPECT_EQ(ChooseCity(w, "jerus", "Jerusalem"), Strings{"Jerusalem"});
    EXPECT_EQ(EntryText(w, "Candle Lighting:"), "40");
    EXPECT_FALSE(gtk_widget_is_sensitive(FindButton(w, kElevation)));
    Click(w, "OK");
  });
  EXPECT_TRUE(RedrawRequested());
  const int classic = Minutes(CellTimes().at(1));
  EXPECT_NEAR(classic, 19 * 60 + 5, 5) << CellTimes().at(1);
  RunMenuCommand(kCmdShabbatTimes, kShabbat, [](GtkWidget* w) {
    Click(w, "precise");
    Click(w, kElevation);
    Click(w, "OK");
  });
  RedrawRequested();
  EXPECT_NEAR(Minutes(CellTimes().at(1)) - classic, 5, 2) << CellTimes().at(1);
}

TEST_F(SettingsDialogTest, WithoutDaylightSavingSummerTimesAreAnHourEarlier) {
  setDSTAutomatic(0);
  ShowMonth({1, 7, 2024});
  const Strings before = CellTimes();
  UserScript user;
  user.Then("an Israel start without its choices", On(kDst, [](GtkWidget* w) {
        EXPECT_TRUE(IsOn(w, "Consider DST"));
        SetToggle(FindButton(w, "Israel"), true);
        Click(w, "OK");
      }))
      .Then("message", ExpectMessage("Start Month must be selected"))
      .Then("no summer time", On(kDst, [](GtkWidget* w) {
        SetToggle(FindButton(w, "Common"), true);
        SetToggle(FindButton(w, "Consider DST"), false);
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdDaylightSaving, user);
  EXPECT_TRUE(RedrawRequested());
  const Strings after = CellTimes();
  ASSERT_EQ(after.size(), before.size());
  ASSERT_FALSE(after.empty());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(Minutes(after[i]) + 60, Minutes(before[i])) << before[i];
}

// The time the zmanim panel shows beside `name`.
std::string PanelValue(const std::string& name) {
  const testenv::RecordingDrawing d = PaintedView();
  for (size_t i = 0; i + 1 < d.texts.size(); ++i)
    if (d.texts[i] == name) return d.texts[i + 1];
  ADD_FAILURE() << "no panel line " << name;
  return "";
}

// The zmanim opinions and the special days' expressions: an empty row and a
// wrong expression are refused; at 49 degrees north near the solstice the
// sun is 5.95 degrees down some 45 to 55 minutes after sunset, well before
// the first opinion's 72 minutes; 17 Tammuz ends 40 minutes after sunset.
TEST_F(SettingsDialogTest, ZmanimRefusesThenChangesThePanel) {
  ShowMonth({21, 6, 2024});
  const std::string nightfall = PanelValue("tset haKokhavim");
  auto lists = [](GtkWidget* w) {
    std::vector<GtkWidget*> l = WidgetsOfType(w, GTK_TYPE_COMBO_BOX);
    std::reverse(l.begin(), l.end());  // a table lists its children last-attached first
    return l;
  };
  auto fastEnds = [](GtkWidget* w) {  // the third expression entry (not a drop-down list's) from the top
    std::vector<GtkWidget*> e;
    for (GtkWidget* x : WidgetsOfType(w, GTK_TYPE_ENTRY))
      if (!GTK_IS_COMBO_BOX(gtk_widget_get_parent(x))) e.push_back(x);
    return e.at(e.size() - 3);
  };
  UserScript user;
  user.Then("an empty row", On(kZmanim, [&](GtkWidget* w) {
        ASSERT_EQ(lists(w).size(), 9u);
        Choose(lists(w)[2], "");
        Click(w, "OK");
      }))
      .Then("message", ExpectMessage("An entry under sof zman\nkriat shema must be selected"))
      .Then("a wrong expression", On(kZmanim, [&](GtkWidget* w) {
        Choose(lists(w)[2], "M\"A");
        Choose(lists(w)[8], "5.95 deg bel. horizon");
        gtk_entry_set_text(GTK_ENTRY(fastEnds(w)), "sunset + + 3");
        Click(w, "OK");
      }))
      .Then("message", ExpectMessage("Fast ends: not a valid time expression"))
      .Then("good", On(kZmanim, [&](GtkWidget* w) {
        gtk_entry_set_text(GTK_ENTRY(fastEnds(w)), "  sunset + 40 ");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdZmanim, user);
  EXPECT_TRUE(RedrawRequested());
  const int earlier = Minutes(nightfall) - Minutes(PanelValue("tset haKokhavim"));
  EXPECT_TRUE(earlier > 12 && earlier < 32) << nightfall << " " << earlier;
  ShowMonth({13, 7, 2025});  // 17 Tammuz 5785
  EXPECT_EQ(Minutes(PanelValue("Fast ends")) - Minutes(PanelValue("shkiat haKhama")), 40);
  EXPECT_EQ(SettingsGet("ZmanimKriatShema", ""), "KriatShemaMA");
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

// The point size the painter uses for `text`, from its "left x y size
// colour |text" (or "center x w y size ...") operation.
int SizeOfText(const std::string& text) {
  for (const std::string& op : PaintedView().ops) {
    if (op.size() < text.size() + 2 || op.substr(op.size() - text.size() - 2) != " |" + text) continue;
    std::istringstream in(op);
    std::string kind;
    int x = 0, w = 0, y = 0, size = -1;
    in >> kind >> x >> w >> y >> size;
    return kind == "center" ? size : y;
  }
  ADD_FAILURE() << "the view has no " << text;
  return -1;
}

// A font size typed but not confirmed with Return is taken by OK; Reset
// goes back to the defaults. An empty font choice keeps the dialog open.
TEST_F(SettingsDialogTest, FontsAndSizes) {
  ShowMonth({1, 5, 2025});
  const std::string omer = PaintInternal_GetDayInformation(AbsoluteFromGregorian(1, 5, 2025)).omer;
  EXPECT_EQ(SizeOfText(omer), 12);
  RunMenuCommand(kCmdFontSizes, "Configure font sizes", [](GtkWidget* w) {
    std::vector<GtkWidget*> s = WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON);
    ASSERT_EQ(s.size(), 11u);
    gtk_entry_set_text(GTK_ENTRY(s[s.size() - 7]), "20");  // the Omer's, seventh from the top
    Click(w, "OK");
  });
  EXPECT_EQ(SizeOfText(omer), 20);
  RunMenuCommand(kCmdFontSizes, "Configure font sizes", [](GtkWidget* w) { Click(w, "Reset"); });
  EXPECT_EQ(SettingsGet("FontSizeOmer", "(absent)"), "(absent)");
  EXPECT_EQ(SizeOfText(omer), 12);
  UserScript user;
  user.Then("nothing chosen", On("Select Font", [](GtkWidget* w) {
        Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "");
        Click(w, "OK");
      }))
      .Then("still open, no message", On("Select Font", [](GtkWidget* w) {
        EXPECT_EQ(WindowTitled("Message"), nullptr);
        Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "DejaVu Sans");
        Click(w, "OK");
      }));
  GtkWidget* area = drawingArea;
  RunMenuCommand(kCmdFont, user);
  EXPECT_EQ(getFontName(), "DejaVu Sans");
  EXPECT_NE(drawingArea, area);  // rebuilt with the new font
}

// Each settings dialog with a change, as a user would make it.
struct DialogCase {
  int command;
  const char* title;
  std::function<void(GtkWidget*)> edit;
};
const std::vector<DialogCase> kDialogs = {
    {kCmdIsraelDiasporaStyle, "Set Israel/Diaspora & Style", [](GtkWidget* w) { Click(w, "Israel"), Click(w, "Sephardic"); }},
    {kCmdShabbatTimes, kShabbat,
     [](GtkWidget* w) {
       ChooseCity(w, "zur", "Z\xC3\xBCrich");
       SetEntry(w, "Candle Lighting:", "22");
       SetEntry(w, "End of Shabbat:", "7.5");
       Click(w, "degrees below horizon");
     }},
    {kCmdDaylightSaving, kDst, [](GtkWidget* w) { SetToggle(FindButton(w, "Automatic (the city's time zone)"), false); }},
    {kCmdZmanim, kZmanim, [](GtkWidget* w) { Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "7.08 deg bel. horizon"); }},
    {kCmdLearning, "Daily Learning",
     [](GtkWidget* w) {
       SetToggle(FindButton(w, "Daf Yomi"), false);
       SetToggle(FindButton(w, "Rambam, three chapters"), true);
     }},
    {kCmdTimeFormat, "Time format", [](GtkWidget* w) { Click(w, "24 hour"); }},
    {kCmdBackgroundImage, "Select Background Image", [](GtkWidget* w) { SetEntry(w, "Background Image", "~/red.png"); }},
    {kCmdLanguage, "Select Language", [](GtkWidget* w) { SetToggle(FindButton(w, "Hebrew dates in Hebrew numerals"), true); }},
    {kCmdFont, "Select Font", [](GtkWidget* w) { Choose(WidgetsOfType(w, GTK_TYPE_COMBO_BOX).front(), "DejaVu Serif"); }},
    {kCmdFontSizes, "Configure font sizes",
     [](GtkWidget* w) { gtk_spin_button_set_value(GTK_SPIN_BUTTON(WidgetsOfType(w, GTK_TYPE_SPIN_BUTTON).front()), 30); }},
};

// What is confirmed shows in the view (no second festival days in Israel,
// the 24-hour clock, the background image) and is in the file after exit.
TEST_F(SettingsDialogTest, CancelOrClosingChangesNothingAndOkIsInTheFileAfterExit) {
  GdkPixbuf* red = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 100, 100);
  gdk_pixbuf_fill(red, 0xFF0000FF);
  ASSERT_TRUE(gdk_pixbuf_save(red, (home_.path() + "/red.png").c_str(), "png", nullptr, nullptr));
  g_object_unref(red);
  ShowMonth({1, 4, 2025});
  ASSERT_TRUE(ViewShows("Pesakh VIII") && RedPixelsInCorner() < 100);  // 20 April 2025, kept only in the Diaspora
  settingsDone();
  const std::string before = ReadFile(SettingsGetFileName());
  for (const DialogCase& c : kDialogs) {
    for (bool close : {false, true}) {
      SCOPED_TRACE(std::string(c.title) + (close ? ", closed" : ", cancelled"));
      GtkWidget* area = drawingArea;
      RunMenuCommand(c.command, c.title, [&](GtkWidget* w) {
        c.edit(w);
        close ? gtk_widget_destroy(w) : (void)Click(w, "Cancel");
      });
      EXPECT_FALSE(RedrawRequested());
      EXPECT_EQ(drawingArea, area);
      settingsDone();
      EXPECT_EQ(ReadFile(SettingsGetFileName()), before);
    }
  }
  for (const DialogCase& c : kDialogs) {
    RunMenuCommand(c.command, c.title, [&](GtkWidget* w) {
      c.edit(w);
      Click(w, "OK");
    });
    Pump();
  }
  ShowMonth({1, 4, 2025});
  EXPECT_FALSE(ViewShows("Pesakh VIII"));
  EXPECT_TRUE(ViewShows("Pesakh VII"));
  EXPECT_EQ(CellTimes().at(0).size(), 5u) << CellTimes().at(0);  // "19:52", no AM/PM
  EXPECT_GT(RedPixelsInCorner(), 5000);
  HandleMenuItem(nullptr, kCmdExit);
  Pump();
  ASSERT_EQ(gMainWindow, nullptr);
  const std::string file = ReadFile(SettingsGetFileName());
  for (const char* line : {"Style: \"1\"", "CurrentCity: \"Z\xFCrich\"", "CandleLightingMin: \"22\"",
                           "HavdalahValue: \"7.5\"", "HavdalahIsMin: \"0\"", "DSTAutomatic: \"0\"",
                           "ZmanimTzaitHakochavim: \"Deg708\"", "LearningDafYomi: \"0\"",
                           "LearningRambamThreeChapters: \"1\"", "TimeFormat: \"1\"", "BackgroundImage: \"~/red.png\"",
                           "HebrewNumerals: \"1\"", "FontName: \"DejaVu Serif\"", "FontSizeZmanim: \"30\""})
    EXPECT_NE(file.find(std::string(line) + "\n"), std::string::npos) << line << " missing from\n" << file;
}

}  // namespace
