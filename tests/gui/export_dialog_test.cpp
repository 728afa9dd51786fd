// The export dialog, driven as a user would: the file it writes, the checks
// of its fields, replacing a file, the file chooser, and the menu item.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "dialog_test_util.h"
#include "dialogs/export_dialog.h"
#include "gui_test_util.h"
#include "storage/ics_export.h"

namespace {

using guitest::Beside;
using guitest::Click;
using guitest::ExpectMessage;
using guitest::UserScript;
using guitest::WindowTitled;

constexpr const char* kTitle = "Export to Calendar File";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

size_t CountEvents(const std::string& ics) {
  size_t n = 0;
  for (size_t i = ics.find("BEGIN:VEVENT"); i != std::string::npos; i = ics.find("BEGIN:VEVENT", i + 1)) ++n;
  return n;
}

UserScript::Step On(const char* title, std::function<void(GtkWidget*)> act) {
  return [title, act] {
    GtkWidget* w = WindowTitled(title);
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    act(w);
    return true;
  };
}

// A message that begins with `prefix` (its end names a system error).
UserScript::Step ExpectMessageStarting(std::string prefix) {
  return [prefix] {
    GtkWidget* w = WindowTitled("Message");
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    std::string text;
    for (const std::string& line : guitest::ContentLabels(w)) text += line;
    EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
    Click(w, "OK");
    return true;
  };
}

void SetText(GtkWidget* window, const char* label, const std::string& text) {
  gtk_entry_set_text(GTK_ENTRY(Beside(window, label)), text.c_str());
}

void SetKind(GtkWidget* window, const char* label, bool on) {
  GtkWidget* b = guitest::FindButton(window, label);
  ASSERT_NE(b, nullptr) << label;
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(b), on);
}

constexpr const char* kKindLabels[] = {"Holidays and Rosh Khodesh", "Weekly Torah section",
                                       "Candle lighting and havdalah", "Anniversaries/Birthdays/yortsayt",
                                       "Daf Yomi", "Omer"};

class ExportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
    WriteFile(home_.path() + "/.lumaro/cities", "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n");
    // Where the file chooser keeps its list of recent files.
    std::filesystem::create_directories(home_.path() + "/.local/share");
  }
  void TearDown() override {
    guitest::CloseDialogs();
    guitest::Pump();
    translate_done();
  }
  std::string Path(const std::string& name) const { return home_.path() + "/" + name; }

  guitest::TempHome home_;
};

TEST_F(ExportDialogTest, WritesTheChosenYearsAndKinds) {
  const std::string expected = IcsBuildCalendar(AbsoluteFromGregorian(1, 1, 2024), AbsoluteFromGregorian(31, 12, 2025),
                                                kIcsHolidays | kIcsOmer);
  UserScript user;
  user.Then("the preset form; choose 2024-2025, holidays and Omer", On(kTitle, [](GtkWidget* w) {
              EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "From year:"))), "2024");
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "To year:"))), "2024");
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "File:"))), "~/lumaro.ics");
              for (const char* label : kKindLabels) {
                GtkWidget* b = guitest::FindButton(w, label);
                ASSERT_NE(b, nullptr) << label;
                EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(b))) << label;
              }
              SetText(w, "To year:", "2025");
              for (const char* label : kKindLabels) SetKind(w, label, false);
              SetKind(w, "Holidays and Rosh Khodesh", true);
              SetKind(w, "Omer", true);
              Click(w, "OK");
            }))
      .Then("told how many events", ExpectMessage(std::to_string(CountEvents(expected)) + " events were written to " +
                                                  Path("lumaro.ics")));
  user.Start();
  EXPECT_EQ(DialogsDoExport(2024), 1);
  user.Finish();
  EXPECT_EQ(WindowTitled(kTitle), nullptr);
  const std::string written = ReadFile(Path("lumaro.ics"));
  EXPECT_EQ(written, expected);
  // Pesakh I of 5784 and 5785, and the Omer of both years.
  EXPECT_NE(written.find("DTSTART;VALUE=DATE:20240423\r\nDTEND;VALUE=DATE:20240424\r\nSUMMARY:Pesakh I\r\n"),
            std::string::npos);
  EXPECT_NE(written.find("DTSTART;VALUE=DATE:20250413\r\nDTEND;VALUE=DATE:20250414\r\nSUMMARY:Pesakh I\r\n"),
            std::string::npos);
  EXPECT_EQ(written.find("Candle"), std::string::npos);
}

TEST_F(ExportDialogTest, WrongInputKeepsTheDialogOpen) {
  const std::string missingDir = Path("no/such/folder/x.ics");
  struct Attempt {
    std::function<void(GtkWidget*)> change;
    std::string message;
    bool prefixOnly;
  };
  const std::vector<Attempt> attempts = {
      {[](GtkWidget* w) { SetText(w, "From year:", "abc"); }, "Year must be a number", false},
      {[](GtkWidget* w) { SetText(w, "From year:", "1500"); }, "Year must be in range 1583-3000", false},
      {[](GtkWidget* w) { SetText(w, "From year:", "2024"); SetText(w, "To year:", "3001"); },
       "Year must be in range 1583-3000", false},
      {[](GtkWidget* w) { SetText(w, "From year:", "2025"); SetText(w, "To year:", "2024"); },
       "The first year must not be after the last year", false},
      {[](GtkWidget* w) { SetText(w, "From year:", "1900"); SetText(w, "To year:", "2000"); },
       "At most 100 years can be exported at once", false},
      // 100 years pass that check and stop at the next.
      {[](GtkWidget* w) {
         SetText(w, "To year:", "1999");
         for (const char* label : kKindLabels) SetKind(w, label, false);
       },
       "Choose at least one kind of event", false},
      {[](GtkWidget* w) {
         SetText(w, "From year:", "2024");
         SetText(w, "To year:", "2024");
         SetKind(w, "Omer", true);
         SetText(w, "File:", "  ");
       },
       "Enter the name of the calendar file", false},
      {[this](GtkWidget* w) { SetText(w, "File:", home_.path()); }, home_.path() + " is a folder, not a file", false},
      {[missingDir](GtkWidget* w) { SetText(w, "File:", missingDir); },
       "The calendar file " + missingDir + " could not be written: ", true},
      {[](GtkWidget* w) {
         setCity("Atlantis");
         SetKind(w, "Candle lighting and havdalah", true);
         SetText(w, "File:", "~/x.ics");
       },
       "The city Atlantis was not found in the city file " + home_.path() +
           "/.lumaro/cities, so there are no candle-lighting times",
       false},
  };
  UserScript user;
  for (const Attempt& a : attempts) {
    user.Then("change, then OK: " + a.message, On(kTitle, [a](GtkWidget* w) {
      a.change(w);
      Click(w, "OK");
    }));
    user.Then("message " + a.message, a.prefixOnly ? ExpectMessageStarting(a.message) : ExpectMessage(a.message));
  }
  user.Then("give up", On(kTitle, [](GtkWidget* w) { Click(w, "Cancel"); }));
  user.Start();
  EXPECT_EQ(DialogsDoExport(2024), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("x.ics")));
  EXPECT_FALSE(std::filesystem::exists(Path("no")));
}

TEST_F(ExportDialogTest, AsksBeforeReplacingAFile) {
  WriteFile(Path("lumaro.ics"), "old calendar");
  UserScript user;
  user.Then("Omer only, OK", On(kTitle, [](GtkWidget* w) {
              for (const char* label : kKindLabels) SetKind(w, label, false);
              SetKind(w, "Omer", true);
              Click(w, "OK");
            }))
      .Then("asked: No", On("Message", [this](GtkWidget* w) {
              EXPECT_EQ(guitest::ContentLabels(w),
                        std::vector<std::string>{"The file " + Path("lumaro.ics") + " exists. Replace it?"});
              Click(w, "No");
            }))
      .Then("the file is untouched; OK again", On(kTitle, [this](GtkWidget* w) {
              EXPECT_EQ(ReadFile(Path("lumaro.ics")), "old calendar");
              Click(w, "OK");
            }))
      .Then("asked: Yes", On("Message", [](GtkWidget* w) { Click(w, "Yes"); }))
      .Then("done", ExpectMessage("49 events were written to " + Path("lumaro.ics")));
  user.Start();
  EXPECT_EQ(DialogsDoExport(2024), 1);
  user.Finish();
  EXPECT_EQ(CountEvents(ReadFile(Path("lumaro.ics"))), 49u);
}

TEST_F(ExportDialogTest, TheFileChooserFillsInTheFile) {
  const std::string picked = Path("picked.ics");
  UserScript user;
  // The chooser waits in a loop of its own, which does not run the script's
  // timer while that timer's step is still running: click from another source.
  user.Then("Browse...", On(kTitle, [](GtkWidget* w) {
              GtkWidget* browse = guitest::FindButton(w, "Browse...");
              ASSERT_NE(browse, nullptr);
              g_idle_add(
                  +[](gpointer button) -> gboolean {
                    gtk_button_clicked(GTK_BUTTON(button));
                    return FALSE;
                  },
                  browse);
            }))
      .Then("pick a new file", On("Save Calendar File", [this](GtkWidget* w) {
              gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(w), home_.path().c_str());
              gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(w), "picked.ics");
            }))
      .Then("accept it", [picked] {
        GtkWidget* w = WindowTitled("Save Calendar File");
        if (!w) return false;
        gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(w));
        const bool ready = file && picked == file;
        g_free(file);
        if (ready) gtk_dialog_response(GTK_DIALOG(w), GTK_RESPONSE_ACCEPT);
        return ready;
      })
      // The chooser checks the name before it answers, so the entry changes a
      // little later.
      .Then("the entry shows it; Omer only, OK", [picked] {
        GtkWidget* w = WindowTitled(kTitle);
        if (!w || WindowTitled("Save Calendar File") || gtk_entry_get_text(GTK_ENTRY(Beside(w, "File:"))) != picked)
          return false;
        for (const char* label : kKindLabels) SetKind(w, label, false);
        SetKind(w, "Omer", true);
        Click(w, "OK");
        return true;
      })
      .Then("done", ExpectMessage("49 events were written to " + picked));
  user.Start();
  EXPECT_EQ(DialogsDoExport(2024), 1);
  user.Finish();
  EXPECT_EQ(CountEvents(ReadFile(picked)), 49u);
}

// The Program menu opens the dialog with the displayed year.
class ExportMenuTest : public guitest::MainWindowTest {};

TEST_F(ExportMenuTest, ProgramMenuOpensTheDialog) {
  SetSelectedDate({15, 6, 2031});
  GtkWidget* item = nullptr;
  guitest::ForEachDescendant(gMainWindow, [&](GtkWidget* w) {
    if (!GTK_IS_MENU_BAR(w)) return;
    GList* menus = gtk_container_get_children(GTK_CONTAINER(w));
    GtkWidget* program = gtk_menu_item_get_submenu(GTK_MENU_ITEM(menus->data));
    g_list_free(menus);
    guitest::ForEachDescendant(program, [&](GtkWidget* m) {
      if (GTK_IS_LABEL(m) && std::string(gtk_label_get_text(GTK_LABEL(m))) == "Export to calendar file...")
        item = gtk_widget_get_parent(m);
    });
  });
  ASSERT_NE(item, nullptr);
  UserScript user;
  user.Then("the dialog, with the displayed year", On(kTitle, [](GtkWidget* w) {
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "From year:"))), "2031");
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "To year:"))), "2031");
    Click(w, "Cancel");
  }));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_TRUE(user.Done());
}

}  // namespace
