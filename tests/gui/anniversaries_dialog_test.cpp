// The anniversaries dialog and its edit dialog, driven as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_test_util.h"
#include "dialogs/anniversaries_dialog.h"
#include "gui_test_util.h"
#include "storage/anniversaries.h"

namespace {

using guitest::Beside;
using guitest::Click;
using guitest::ExpectMessage;
using guitest::UserScript;
using guitest::WindowTitled;

constexpr const char* kMain = "Anniversaries";
constexpr const char* kEdit = "Edit Anniversary/Birthday/yortsayt";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

class AnniversariesDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
    // 1 March 2020 is 5 Adar 5780.
    dialogs::SetAnniversariesTodayForTesting(GregorianDate{1, 3, 2020});
  }
  void TearDown() override {
    dialogs::SetAnniversariesTodayForTesting(std::nullopt);
    guitest::CloseDialogs();
    guitest::Pump();
    translate_done();
  }
  std::string FilePath() const { return home_.path() + "/.lumaro/kivraanni"; }

  guitest::TempHome home_;
};

// A step that waits until the window `title` is on the screen and acts on it.
UserScript::Step On(const char* title, std::function<void(GtkWidget*)> act) {
  return [title, act] {
    GtkWidget* w = WindowTitled(title);
    if (!w || !GTK_WIDGET_MAPPED(w)) return false;
    act(w);
    return true;
  };
}

void SetText(GtkWidget* entry, const char* text) { gtk_entry_set_text(GTK_ENTRY(entry), text); }

GtkWidget* EntriesList(GtkWidget* main) { return guitest::WidgetsOfType(main, GTK_TYPE_TREE_VIEW).at(0); }
GtkWidget* OccurrencesList(GtkWidget* main) { return guitest::WidgetsOfType(main, GTK_TYPE_TREE_VIEW).at(1); }

bool Active(GtkWidget* root, const char* label) {
  GtkWidget* b = guitest::FindButton(root, label);
  return b && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(b));
}

TEST_F(AnniversariesDialogTest, EditDialogChecksInOrder) {
  AnniversaryRec rec;
  rec.date = {1, 3, 2020};
  rec.afterSunset = 1;

  struct Attempt {
    std::function<void(GtkWidget*)> change;
    const char* message;
  };
  const std::vector<Attempt> attempts = {
      {[](GtkWidget*) {}, "Name must not be empty"},
      {[](GtkWidget* w) { SetText(Beside(w, "Name:"), "Room #5"); }, "Name must not contain the character #"},
      {[](GtkWidget* w) { SetText(Beside(w, "Name:"), std::string(256, 'x').c_str()); },
       "Name must not be longer than 255 bytes"},
      {[](GtkWidget* w) {
         SetText(Beside(w, "Name:"), "Moshe");
         SetText(Beside(w, "Gregorian date of event:"), "1-3-2020");
       },
       "Date: . after day number expected"},
      {[](GtkWidget* w) { SetText(Beside(w, "Gregorian date of event:"), "1.3"); }, "Date: . after month number expected"},
      {[](GtkWidget* w) { SetText(Beside(w, "Gregorian date of event:"), "1.3.1500"); }, "Date: Year is not in the correct range"},
      {[](GtkWidget* w) { SetText(Beside(w, "Gregorian date of event:"), "1.13.2020"); },
       "Date: Month is not in the correct range"},
      {[](GtkWidget* w) { SetText(Beside(w, "Gregorian date of event:"), "31.4.2020"); }, "Date: Day is not in the correct range"},
      {[](GtkWidget* w) { Click(w, "Hebrew date of event:"); }, "Hebrew Day must be a number"},
      {[](GtkWidget* w) { SetText(Beside(w, "Day:"), "30"); }, "Hebrew month must be selected"},
      {[](GtkWidget* w) { gtk_combo_box_set_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX)), 13); },
       "Hebrew Year must be a number"},
      {[](GtkWidget* w) { SetText(Beside(w, "Year:"), "5000"); }, "Hebrew Year must be in range 5360-5860"},
      {[](GtkWidget* w) { SetText(Beside(w, "Year:"), "5785"); }, "Hebrew month is invalid"},
      {[](GtkWidget* w) {
         gtk_combo_box_set_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX)), 8);
         SetText(Beside(w, "Year:"), "5786");
       },
       "Hebrew day is invalid"},
  };

  UserScript user;
  user.Then("the form shows the entry", On(kEdit, [](GtkWidget* w) {
              EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Name:"))), "");
              EXPECT_TRUE(Active(w, "Anniversary"));
              EXPECT_TRUE(Active(w, "Gregorian date of event:"));
              EXPECT_TRUE(Active(w, "After Sunset"));
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Gregorian date of event:"))), "1.3.2020");
              EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX))), 0);
            }));
  for (const Attempt& a : attempts) {
    user.Then(std::string("change, then OK: ") + a.message, On(kEdit, [a](GtkWidget* w) {
                a.change(w);
                Click(w, "OK");
              }));
    user.Then(std::string("message ") + a.message, ExpectMessage(a.message));
  }
  user.Then("valid at last", On(kEdit, [](GtkWidget* w) {
              SetText(Beside(w, "Year:"), "5785");  // Heshvan of 5785 has 30 days
              Click(w, "yortsayt");
              Click(w, "OK");
            }));
  user.Start();
  ASSERT_EQ(AnniDoEdit(rec), 1);
  EXPECT_EQ(rec.name, "Moshe");
  EXPECT_EQ(rec.type, 'Y');
  EXPECT_EQ(rec.isHebrew, 1);
  EXPECT_EQ(rec.date.day, 30);
  EXPECT_EQ(rec.date.month, 8);
  EXPECT_EQ(rec.date.year, 5785);
  EXPECT_EQ(rec.afterSunset, 1);  // kept for a Hebrew date
  EXPECT_EQ(WindowTitled(kEdit), nullptr);
}

TEST_F(AnniversariesDialogTest, EditDialogCancelLeavesTheEntry) {
  AnniversaryRec rec;
  rec.name = "Rivka";
  rec.type = 'B';
  rec.isHebrew = 1;
  rec.date = {10, 13, 5784};
  const AnniversaryRec before = rec;
  for (const char* how : {"Cancel", "close"}) {
    UserScript user;
    user.Then("shows a Hebrew entry, then give up", On(kEdit, [how](GtkWidget* w) {
                EXPECT_TRUE(Active(w, "Hebrew date of event:"));
                EXPECT_TRUE(Active(w, "Birthday"));
                EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Day:"))), "10");
                EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX))), 13);
                EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Year:"))), "5784");
                SetText(Beside(w, "Name:"), "Changed");
                if (std::string(how) == "Cancel") {
                  Click(w, "Cancel");
                } else {
                  gtk_widget_destroy(w);
                }
              }));
    user.Start();
    EXPECT_EQ(AnniDoEdit(rec), 0) << how;
    EXPECT_EQ(rec, before) << how;
  }
}

// Add, Modify, Remove (No, then Yes) and Calculate, as one session.
TEST_F(AnniversariesDialogTest, AddModifyRemoveCalculate) {
  UserScript user;
  user.Then("Modify without a selection", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)), std::vector<std::string>{});
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "From"))), "2020");
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "to"))), "2025");
              Click(w, "Modify...");
            }))
      .Then("message", ExpectMessage("An entry must be selected"))
      .Then("Remove without a selection", On(kMain, [](GtkWidget* w) { Click(w, "Remove..."); }))
      .Then("message", ExpectMessage("An entry must be selected"))
      .Then("Calculate without a selection", On(kMain, [](GtkWidget* w) { Click(w, "Calculate"); }))
      .Then("message", ExpectMessage("An entry must be selected"))
      // A birthday on 2 March 2014, 30 Adar I 5774.
      .Then("Add...", On(kMain, [](GtkWidget* w) { Click(w, "Add..."); }))
      .Then("fill in a birthday", On(kEdit, [](GtkWidget* w) {
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Gregorian date of event:"))), "1.3.2020");  // today
              EXPECT_FALSE(Active(w, "After Sunset"));
              SetText(Beside(w, "Name:"), "Rivka");
              Click(w, "Birthday");
              SetText(Beside(w, "Gregorian date of event:"), "2.3.2014");
              Click(w, "OK");
            }))
      // A yortsayt on 30 Adar I 5774, given as a Hebrew date.
      .Then("Add... again", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)),
                        std::vector<std::string>{"Rivka (B): 26 March 2020 (1 Nisan 5780)"});
              Click(w, "Add...");
            }))
      .Then("fill in a yortsayt", On(kEdit, [](GtkWidget* w) {
              SetText(Beside(w, "Name:"), "Moshe");
              Click(w, "yortsayt");
              Click(w, "Hebrew date of event:");
              SetText(Beside(w, "Day:"), "30");
              gtk_combo_box_set_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX)), 12);
              SetText(Beside(w, "Year:"), "5774");
              Click(w, "OK");
            }))
      // 30 Shevat 5780 (25 February 2020) is past; 30 Shevat 5781 was
      // 12 February 2021 (Purim, 14 Adar, fell on 26 February 2021).
      .Then("rows in name order; select Rivka", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)),
                        (std::vector<std::string>{"Moshe (Y): 12 February 2021 (30 Shevat 5781)",
                                                  "Rivka (B): 26 March 2020 (1 Nisan 5780)"}));
              guitest::SelectRow(EntriesList(w), 1);
              // Selecting recalculates at once, for 2020 to 2025.
              const std::vector<std::string> rows = guitest::TreeRows(OccurrencesList(w));
              ASSERT_EQ(rows.size(), 6u);
              EXPECT_EQ(rows.front(), "26 March 2020 (1 Nisan 5780)");
              SetText(Beside(w, "From"), "2030");
              SetText(Beside(w, "to"), "2025");
              Click(w, "Calculate");
            }))
      .Then("2025 to 2030 listed; a bad year", On(kMain, [](GtkWidget* w) {
              const std::vector<std::string> rows = guitest::TreeRows(OccurrencesList(w));
              ASSERT_EQ(rows.size(), 6u);
              EXPECT_EQ(rows.front(), "30 March 2025 (1 Nisan 5785)");  // Pesakh 5785: 13 April 2025
              for (size_t i = 0; i < rows.size(); ++i)
                EXPECT_NE(rows[i].find(" " + std::to_string(2025 + i) + " ("), std::string::npos) << rows[i];
              SetText(Beside(w, "From"), "2025 ");
              Click(w, "Calculate");
            }))
      .Then("message", ExpectMessage("'From' year is not a number"))
      .Then("list emptied; Modify Rivka", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(OccurrencesList(w)), std::vector<std::string>{});
              Click(w, "Modify...");
            }))
      .Then("rename to Aaron", On(kEdit, [](GtkWidget* w) {
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Name:"))), "Rivka");
              EXPECT_TRUE(Active(w, "Birthday"));
              EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Gregorian date of event:"))), "2.3.2014");
              SetText(Beside(w, "Name:"), "Aaron");
              Click(w, "OK");
            }))
      .Then("the entry keeps its place; Remove Moshe", On(kMain, [](GtkWidget* w) {
              const std::vector<std::string> rows = guitest::TreeRows(EntriesList(w));
              ASSERT_EQ(rows.size(), 2u);
              EXPECT_EQ(rows[1].rfind("Aaron (B)", 0), 0u);
              guitest::SelectRow(EntriesList(w), 0);
              Click(w, "Remove...");
            }))
      .Then("answer No", [] {
        GtkWidget* q = WindowTitled("Message");
        if (!q || !GTK_WIDGET_MAPPED(q)) return false;
        EXPECT_EQ(guitest::ContentLabels(q), std::vector<std::string>{"Are you really sure to delete entry for Moshe?"});
        return Click(q, "No");
      })
      .Then("still two; Remove again", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)).size(), 2u);
              guitest::SelectRow(EntriesList(w), 0);
              Click(w, "Remove...");
            }))
      .Then("answer Yes", [] {
        GtkWidget* q = WindowTitled("Message");
        if (!q || !GTK_WIDGET_MAPPED(q)) return false;
        return Click(q, "Yes");
      })
      .Then("one left; Close", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)).size(), 1u);
              Click(w, "Close");
            }));
  user.Start();
  AnniDoDialog();
  EXPECT_EQ(WindowTitled(kMain), nullptr);
  EXPECT_EQ(ReadFile(FilePath()), "\"Aaron\" B 2.3.2014 0\n");
}

TEST_F(AnniversariesDialogTest, FutureEntriesAndClosingTheWindow) {
  WriteFile(FilePath(), "\"Later\" B 1.1.2099 0\n");
  UserScript user;
  user.Then("read and close by the window", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)), std::vector<std::string>{"Later (B)"});
              gtk_widget_destroy(w);
            }));
  user.Start();
  AnniDoDialog();
  EXPECT_EQ(ReadFile(FilePath()), "\"Later\" B 1.1.2099 0\n");
}

TEST_F(AnniversariesDialogTest, AnUnreadableFileIsNotOverwritten) {
  // A folder where the file should be: it cannot be read, so it must not be replaced.
  std::filesystem::create_directories(FilePath() + "/in-the-way");
  UserScript user;
  user.Then("unreadable file reported", ExpectMessage("The anniversaries file " + FilePath() + " could not be read."))
      .Then("add an entry", On(kMain, [](GtkWidget* w) { Click(w, "Add..."); }))
      .Then("fill in", On(kEdit, [](GtkWidget* w) {
              SetText(Beside(w, "Name:"), "Lost?");
              Click(w, "OK");
            }))
      .Then("Close", On(kMain, [](GtkWidget* w) { Click(w, "Close"); }))
      .Then("not saved, and said so",
            ExpectMessage("The anniversaries file " + FilePath() + " could not be read, so your changes were not saved."));
  user.Start();
  AnniDoDialog();
  user.Finish();
  EXPECT_TRUE(std::filesystem::is_directory(FilePath() + "/in-the-way"));
}

TEST_F(AnniversariesDialogTest, AWriteErrorIsShown) {
  WriteFile(FilePath(), "\"Kept\" B 1.1.2000 0\n");
  storage::SetAnniBeforeReplaceHookForTesting([] { return false; });
  UserScript user;
  user.Then("Close", On(kMain, [](GtkWidget* w) { Click(w, "Close"); })).Then("the failure is shown", [] {
    GtkWidget* m = WindowTitled("Message");
    if (!m || !GTK_WIDGET_MAPPED(m)) return false;
    const std::vector<std::string> lines = guitest::ContentLabels(m);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.at(0).rfind("The anniversaries could not be saved: ", 0), 0u);
    return Click(m, "OK");
  });
  user.Start();
  AnniDoDialog();
  user.Finish();
  storage::SetAnniBeforeReplaceHookForTesting(nullptr);
  EXPECT_EQ(ReadFile(FilePath()), "\"Kept\" B 1.1.2000 0\n");
}

TEST_F(AnniversariesDialogTest, LinesThatCouldNotBeReadAreKeptInACopy) {
  const std::string original = "\"Good\" B 1.1.2000 0\n\"Windows line\" B 2.2.2000 0\r\n# a note\n";
  WriteFile(FilePath(), original);
  UserScript user;
  user.Then("only the good line is listed; Close", On(kMain, [](GtkWidget* w) {
              EXPECT_EQ(guitest::TreeRows(EntriesList(w)).size(), 1u);
              Click(w, "Close");
            }))
      .Then("the copy is named", ExpectMessage("Some lines of the anniversaries file could not be read; the previous "
                                               "file was kept as " +
                                               FilePath() + ".bak."));
  user.Start();
  AnniDoDialog();
  user.Finish();
  EXPECT_EQ(ReadFile(FilePath() + ".bak"), original);
  EXPECT_EQ(ReadFile(FilePath()), "\"Good\" B 1.1.2000 0\n");
}

}  // namespace
