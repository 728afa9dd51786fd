// The anniversaries dialog and its edit dialog, driven as a user would.
#include "dialogs/anniversaries_dialog.h"

#include "gui_test_util.h"
#include "storage/anniversaries.h"

namespace {

using namespace guitest;

constexpr const char* kMain = "Anniversaries";
constexpr const char* kEdit = "Edit Anniversary/Birthday/yortsayt";

class AnniversariesDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialogs::SetAnniversariesTodayForTesting(GregorianDate{1, 3, 2020});  // 5 Adar 5780
  }
  void TearDown() override {
    dialogs::SetAnniversariesTodayForTesting(std::nullopt);
    storage::SetAnniBeforeReplaceHookForTesting(nullptr);
    DialogTest::TearDown();
  }
  std::string File() const { return home_.lumaro("kivraanni"); }
  // Runs the dialog while `user` acts, then waits for the messages it leaves.
  void Run(UserScript& user) {
    user.Start();
    AnniDoDialog();
    user.Finish();
  }
};

GtkWidget* Entries(GtkWidget* main) { return WidgetsOfType(main, GTK_TYPE_TREE_VIEW).at(0); }
GtkWidget* Occurrences(GtkWidget* main) { return WidgetsOfType(main, GTK_TYPE_TREE_VIEW).at(1); }
void SetMonth(GtkWidget* w, int index) { gtk_combo_box_set_active(GTK_COMBO_BOX(ComboBeside(w, "Month:")), index); }
int Month(GtkWidget* w) { return gtk_combo_box_get_active(GTK_COMBO_BOX(ComboBeside(w, "Month:"))); }

TEST_F(AnniversariesDialogTest, EditDialogChecksInOrder) {
  AnniversaryRec rec;
  rec.date = {1, 3, 2020};
  rec.afterSunset = 1;
  const char* kGreg = "Gregorian date of event:";
  const std::vector<std::pair<std::function<void(GtkWidget*)>, const char*>> attempts = {
      {[](GtkWidget*) {}, "Name must not be empty"},
      {[](GtkWidget* w) { SetEntry(w, "Name:", "Room #5"); }, "Name must not contain the character #"},
      {[](GtkWidget* w) { SetEntry(w, "Name:", std::string(256, 'x')); }, "Name must not be longer than 255 bytes"},
      {[=](GtkWidget* w) { SetEntry(w, "Name:", "Moshe"), SetEntry(w, kGreg, "1-3-2020"); },
       "Date: . after day number expected"},
      {[=](GtkWidget* w) { SetEntry(w, kGreg, "1.3"); }, "Date: . after month number expected"},
      {[=](GtkWidget* w) { SetEntry(w, kGreg, "1.3.1500"); }, "Date: Year is not in the correct range"},
      {[=](GtkWidget* w) { SetEntry(w, kGreg, "1.13.2020"); }, "Date: Month is not in the correct range"},
      {[=](GtkWidget* w) { SetEntry(w, kGreg, "31.4.2020"); }, "Date: Day is not in the correct range"},
      {[](GtkWidget* w) { Click(w, "Hebrew date of event:"); }, "Hebrew Day must be a number"},
      {[](GtkWidget* w) { SetEntry(w, "Day:", "30"); }, "Hebrew month must be selected"},
      {[](GtkWidget* w) { SetMonth(w, 13); }, "Hebrew Year must be a number"},
      {[](GtkWidget* w) { SetEntry(w, "Year:", "5000"); }, "Hebrew Year must be in range 5360-5860"},
      {[](GtkWidget* w) { SetEntry(w, "Year:", "5785"); }, "Hebrew month is invalid"},  // Adar II, common year
      {[](GtkWidget* w) { SetMonth(w, 8), SetEntry(w, "Year:", "5786"); }, "Hebrew day is invalid"},  // 30 Heshvan
  };
  UserScript user;
  user.Then("the form shows the entry", On(kEdit, [=](GtkWidget* w) {
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
    EXPECT_EQ(EntryText(w, "Name:"), "");
    EXPECT_TRUE(IsOn(w, "Anniversary") && IsOn(w, kGreg) && IsOn(w, "After Sunset"));
    EXPECT_EQ(EntryText(w, kGreg), "1.3.2020");
    EXPECT_EQ(Month(w), 0);
  }));
  for (const auto& [change, message] : attempts) {
    user.Then(std::string("OK: ") + message, On(kEdit, [change = change](GtkWidget* w) {
      change(w);
      Click(w, "OK");
    }));
    user.Then(message, ExpectMessage(message));
  }
  user.Then("valid at last", On(kEdit, [](GtkWidget* w) {
    SetEntry(w, "Year:", "5785");  // Heshvan of 5785 has 30 days
    Click(w, "yortsayt");
    Click(w, "OK");
  }));
  user.Start();
  ASSERT_EQ(AnniDoEdit(rec), 1);
  AnniversaryRec expected;
  expected.name = "Moshe";
  expected.type = 'Y';
  expected.isHebrew = 1;
  expected.date = {30, 8, 5785};
  expected.afterSunset = 1;  // kept for a Hebrew date
  EXPECT_EQ(rec, expected);
  EXPECT_EQ(WindowTitled(kEdit), nullptr);
}

TEST_F(AnniversariesDialogTest, EditDialogCancelOrCloseLeavesTheEntry) {
  AnniversaryRec rec;
  rec.name = "Rivka";
  rec.type = 'B';
  rec.isHebrew = 1;
  rec.date = {10, 13, 5784};
  const AnniversaryRec before = rec;
  for (bool cancel : {true, false}) {
    UserScript user;
    user.Then("shows a Hebrew entry, then give up", On(kEdit, [cancel](GtkWidget* w) {
      EXPECT_TRUE(IsOn(w, "Hebrew date of event:") && IsOn(w, "Birthday"));
      EXPECT_EQ(EntryText(w, "Day:") + "." + std::to_string(Month(w)) + "." + EntryText(w, "Year:"), "10.13.5784");
      SetEntry(w, "Name:", "Changed");
      if (cancel) Click(w, "Cancel");
      else gtk_widget_destroy(w);
    }));
    user.Start();
    EXPECT_EQ(AnniDoEdit(rec), 0) << cancel;
    EXPECT_EQ(rec, before) << cancel;
  }
}

// Add, Modify, Remove (No, then Yes) and Calculate, as one session.
TEST_F(AnniversariesDialogTest, AddModifyRemoveCalculate) {
  UserScript user;
  for (const char* button : {"Modify...", "Remove...", "Calculate"}) {
    user.Then(std::string(button) + " without a selection", Press(kMain, button))
        .Then("message", ExpectMessage("An entry must be selected"));
  }
  user.Then("Add...", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)), std::vector<std::string>{});
        EXPECT_EQ(EntryText(w, "From") + "-" + EntryText(w, "to"), "2020-2025");
        Click(w, "Add...");
      }))
      // A birthday on 2 March 2014, 30 Adar I 5774.
      .Then("fill in a birthday", On(kEdit, [](GtkWidget* w) {
        EXPECT_EQ(EntryText(w, "Gregorian date of event:"), "1.3.2020");  // today
        EXPECT_FALSE(IsOn(w, "After Sunset"));
        SetEntry(w, "Name:", "Rivka");
        Click(w, "Birthday");
        SetEntry(w, "Gregorian date of event:", "2.3.2014");
        Click(w, "OK");
      }))
      .Then("Add... again", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)), std::vector<std::string>{"Rivka (B): 26 March 2020 (1 Nisan 5780)"});
        Click(w, "Add...");
      }))
      // A yortsayt on 30 Adar I 5774, given as a Hebrew date.
      .Then("fill in a yortsayt", On(kEdit, [](GtkWidget* w) {
        SetEntry(w, "Name:", "Moshe");
        Click(w, "yortsayt");
        Click(w, "Hebrew date of event:");
        SetEntry(w, "Day:", "30");
        SetMonth(w, 12);
        SetEntry(w, "Year:", "5774");
        Click(w, "OK");
      }))
      // 30 Shevat 5780 (25 February 2020) is past; 30 Shevat 5781 was
      // 12 February 2021 (Purim, 14 Adar, fell on 26 February 2021).
      .Then("rows in name order; select Rivka", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)), (std::vector<std::string>{"Moshe (Y): 12 February 2021 (30 Shevat 5781)",
                                                                   "Rivka (B): 26 March 2020 (1 Nisan 5780)"}));
        SelectRow(Entries(w), 1);  // recalculates at once, for 2020 to 2025
        const std::vector<std::string> rows = TreeRows(Occurrences(w));
        EXPECT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows.at(0), "26 March 2020 (1 Nisan 5780)");
        SetEntry(w, "From", "2030");
        SetEntry(w, "to", "2025");
        Click(w, "Calculate");
      }))
      .Then("From after To: 2025 to 2030 listed; a bad year", On(kMain, [](GtkWidget* w) {
        const std::vector<std::string> rows = TreeRows(Occurrences(w));
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows.front(), "30 March 2025 (1 Nisan 5785)");  // Pesakh 5785: 13 April 2025
        for (size_t i = 0; i < rows.size(); ++i)
          EXPECT_NE(rows[i].find(" " + std::to_string(2025 + i) + " ("), std::string::npos) << rows[i];
        SetEntry(w, "From", "2025 ");
        Click(w, "Calculate");
      }))
      .Then("message", ExpectMessage("'From' year is not a number"))
      .Then("list emptied; Modify Rivka", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Occurrences(w)), std::vector<std::string>{});
        Click(w, "Modify...");
      }))
      .Then("rename to Aaron", On(kEdit, [](GtkWidget* w) {
        EXPECT_EQ(EntryText(w, "Name:"), "Rivka");
        EXPECT_TRUE(IsOn(w, "Birthday"));
        EXPECT_EQ(EntryText(w, "Gregorian date of event:"), "2.3.2014");
        SetEntry(w, "Name:", "Aaron");
        Click(w, "OK");
      }))
      .Then("the entry keeps its place; Remove Moshe", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)).at(1).rfind("Aaron (B)", 0), 0u);
        SelectRow(Entries(w), 0);
        Click(w, "Remove...");
      }))
      .Then("answer No", On("Message", [](GtkWidget* q) {
        EXPECT_EQ(ContentLabels(q), std::vector<std::string>{"Are you really sure to delete entry for Moshe?"});
        Click(q, "No");
      }))
      .Then("still two; Remove again", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)).size(), 2u);
        SelectRow(Entries(w), 0);
        Click(w, "Remove...");
      }))
      .Then("answer Yes", Press("Message", "Yes"))
      .Then("one left; Close", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)).size(), 1u);
        Click(w, "Close");
      }));
  Run(user);
  EXPECT_EQ(WindowTitled(kMain), nullptr);
  EXPECT_EQ(ReadFile(File()), "\"Aaron\" B 2.3.2014 0\n");
}

TEST_F(AnniversariesDialogTest, ClosingTheWindowSavesAndBadLinesAreKeptInACopy) {
  const std::string original = "\"Later\" B 1.1.2099 0\n\"Windows line\" B 2.2.2000 0\r\n# a note\n";
  WriteFile(File(), original);
  UserScript user;
  user.Then("only the good line, without a date to come; close by the window", On(kMain, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)), std::vector<std::string>{"Later (B)"});
        gtk_widget_destroy(w);
      }))
      .Then("the copy is named", ExpectMessage("Some lines of the anniversaries file could not be read; the previous "
                                               "file was kept as " + File() + ".bak."));
  Run(user);
  EXPECT_EQ(ReadFile(File() + ".bak"), original);
  EXPECT_EQ(ReadFile(File()), "\"Later\" B 1.1.2099 0\n");
}

TEST_F(AnniversariesDialogTest, AnUnreadableFileIsNotOverwritten) {
  std::filesystem::create_directories(File() + "/in-the-way");  // a folder where the file should be
  UserScript user;
  user.Then("unreadable file reported", ExpectMessage("The anniversaries file " + File() + " could not be read."))
      .Then("add an entry", Press(kMain, "Add..."))
      .Then("fill in", On(kEdit, [](GtkWidget* w) {
        SetEntry(w, "Name:", "Lost?");
        Click(w, "OK");
      }))
      .Then("Close", Press(kMain, "Close"))
      .Then("not saved, and said so",
            ExpectMessage("The anniversaries file " + File() + " could not be read, so your changes were not saved."));
  Run(user);
  EXPECT_TRUE(std::filesystem::is_directory(File() + "/in-the-way"));
}

TEST_F(AnniversariesDialogTest, AWriteErrorIsShown) {
  WriteFile(File(), "\"Kept\" B 1.1.2000 0\n");
  storage::SetAnniBeforeReplaceHookForTesting([] { return false; });
  UserScript user;
  user.Then("Close", Press(kMain, "Close"))
      .Then("the failure is shown", ExpectMessage("The anniversaries could not be saved: ", true));
  Run(user);
  EXPECT_EQ(ReadFile(File()), "\"Kept\" B 1.1.2000 0\n");
}

}  // namespace

namespace {

// The check box "Remind me at login of the coming week" writes the user's
// autostart entry at once and shows what it holds when the dialog opens.
TEST_F(AnniversariesDialogTest, RemindAtLoginCheckBoxWritesTheAutostartEntry) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string oldXdg = xdg ? xdg : "";
  ::unsetenv("XDG_CONFIG_HOME");
  const std::string entry = home_.path() + "/.config/autostart/lumaro-reminder.desktop";
  constexpr const char* kRemind = "Remind me at login of the coming week";
  UserScript user;
  user.Then("off at first; turn it on", On(kMain, [&](GtkWidget* w) {
        EXPECT_FALSE(IsOn(w, kRemind));
        SetToggle(FindButton(w, kRemind), true);
        EXPECT_NE(ReadFile(entry).find("\nHidden=false\n"), std::string::npos);
        Click(w, "Close");
      }));
  Run(user);
  UserScript again;
  again.Then("on when opened again; turn it off", On(kMain, [&](GtkWidget* w) {
         EXPECT_TRUE(IsOn(w, kRemind));
         SetToggle(FindButton(w, kRemind), false);
         Click(w, "Close");
       }));
  Run(again);
  EXPECT_NE(ReadFile(entry).find("\nHidden=true\n"), std::string::npos);
  if (xdg) ::setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
}

}  // namespace
