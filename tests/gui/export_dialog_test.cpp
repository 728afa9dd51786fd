// The export dialog, driven as a user would: the file it writes, the checks
// of its fields, replacing a file, the file chooser, and the menu item.
#include "dialogs/export_dialog.h"

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "gui_test_util.h"
#include "compose/ics_export.h"

namespace {

using namespace guitest;

constexpr const char* kTitle = "Export to Calendar File";
constexpr const char* kKinds[] = {"Holidays and Rosh Khodesh",
                                  "Weekly Torah section",
                                  "Candle lighting, havdalah, fasts, Khanukka, khamets",
                                  "Anniversaries/Birthdays/yortsayt",
                                  "Daf Yomi",
                                  "Omer",
                                  "Daily learning"};

size_t CountEvents(const std::string& ics) {
  size_t n = 0;
  for (size_t i = ics.find("BEGIN:VEVENT"); i != std::string::npos; i = ics.find("BEGIN:VEVENT", i + 1)) ++n;
  return n;
}

// Only the kinds named are chosen.
void ChooseKinds(GtkWidget* w, std::initializer_list<std::string> on) {
  for (const char* label : kKinds) SetToggle(FindButton(w, label), std::find(on.begin(), on.end(), label) != on.end());
}

class ExportDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteFile(home_.lumaro("cities"), "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n");
    std::filesystem::create_directories(Path(".local/share"));  // the file chooser's list of recent files
  }
  // Runs the dialog while `user` acts; returns its answer.
  int Run(UserScript& user) {
    user.Start();
    const int answer = DialogsDoExport(2024);
    user.Finish();
    return answer;
  }
};

TEST_F(ExportDialogTest, WritesTheChosenYearsAndKindsToTheFileChosen) {
  const std::string expected = IcsBuildCalendar(AbsoluteFromGregorian(1, 1, 2024), AbsoluteFromGregorian(31, 12, 2025),
                                                kIcsHolidays | kIcsOmer);
  const std::string picked = Path("picked.ics");
  UserScript user;
  user.Then("the preset form; Browse...", On(kTitle, [](GtkWidget* w) {
        EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(w)));
        EXPECT_EQ(EntryText(w, "From year:") + " " + EntryText(w, "To year:") + " " + EntryText(w, "File:"),
                  "2024 2024 ~/lumaro.ics");
        // Every kind but the daily learning (no cycle besides Daf Yomi is
        // chosen) and the Hebrew dates (an event a day only when asked for).
        for (const char* label : kKinds) EXPECT_EQ(IsOn(w, label), std::string(label) != "Daily learning") << label;
        EXPECT_FALSE(IsOn(w, "Hebrew date of every day"));
        ClickLater(w, "Browse...");
      }))
      .Then("pick a new file", PutInChooser("Save Calendar File", picked))
      .Then("accept it", AcceptChooser("Save Calendar File", picked))
      // The chooser checks the name before it answers: the entry changes a little later.
      .Then("the entry shows it; choose 2024-2025, holidays and Omer", [picked] {
        GtkWidget* w = Shown(kTitle);
        if (!w || EntryText(w, "File:") != picked) return false;
        SetEntry(w, "To year:", "2025");
        ChooseKinds(w, {"Holidays and Rosh Khodesh", "Omer"});
        return Click(w, "OK");
      })
      .Then("told how many events",
            ExpectMessage(std::to_string(CountEvents(expected)) + " events were written to " + picked));
  EXPECT_EQ(Run(user), 1);
  EXPECT_EQ(WindowTitled(kTitle), nullptr);
  const std::string written = ReadFile(picked);
  EXPECT_EQ(written, expected);
  // Pesakh I of 5784 and 5785 (from a printed calendar); no candle lighting.
  for (const char* day : {"20240423\r\nDTEND;VALUE=DATE:20240424", "20250413\r\nDTEND;VALUE=DATE:20250414"})
    EXPECT_NE(written.find("DTSTART;VALUE=DATE:" + std::string(day) + "\r\nSUMMARY:Pesakh I\r\n"), std::string::npos);
  EXPECT_EQ(written.find("Candle"), std::string::npos);
}

TEST_F(ExportDialogTest, WrongInputKeepsTheDialogOpen) {
  const std::string missingDir = Path("no/such/folder/x.ics");
  struct Attempt {
    std::function<void(GtkWidget*)> change;
    std::string message;
    bool prefixOnly = false;
  };
  const std::vector<Attempt> attempts = {
      {[](GtkWidget* w) { SetEntry(w, "From year:", "abc"); }, "Year must be a number"},
      {[](GtkWidget* w) { SetEntry(w, "From year:", "1500"); }, "Year must be in range 1583-3000"},
      {[](GtkWidget* w) { SetEntry(w, "From year:", "2024"), SetEntry(w, "To year:", "3001"); },
       "Year must be in range 1583-3000"},
      {[](GtkWidget* w) { SetEntry(w, "From year:", "2025"), SetEntry(w, "To year:", "2024"); },
       "The first year must not be after the last year"},
      {[](GtkWidget* w) { SetEntry(w, "From year:", "1900"), SetEntry(w, "To year:", "2000"); },
       "At most 100 years can be exported at once"},
      // 100 years pass that check and stop at the next.
      {[](GtkWidget* w) { SetEntry(w, "To year:", "1999"), ChooseKinds(w, {}); }, "Choose at least one kind of event"},
      {[](GtkWidget* w) {
         SetEntry(w, "From year:", "2024"), SetEntry(w, "To year:", "2024"), SetEntry(w, "File:", "  ");
         ChooseKinds(w, {"Omer"});
       },
       "Enter the name of the calendar file"},
      {[this](GtkWidget* w) { SetEntry(w, "File:", home_.path()); }, home_.path() + " is a folder, not a file"},
      {[missingDir](GtkWidget* w) { SetEntry(w, "File:", missingDir); },
       "The calendar file " + missingDir + " could not be written: ", true},
      {[](GtkWidget* w) {
         setCity("Atlantis");
         SetToggle(FindButton(w, "Candle lighting, havdalah, fasts, Khanukka, khamets"), true);
         SetEntry(w, "File:", "~/x.ics");
       },
       "The city Atlantis was not found in the city file " + home_.lumaro("cities") +
           ", so there are no candle-lighting times"},
  };
  UserScript user;
  for (const Attempt& a : attempts) {
    user.Then("OK: " + a.message, On(kTitle, [a](GtkWidget* w) {
      a.change(w);
      Click(w, "OK");
    }));
    user.Then(a.message, ExpectMessage(a.message, a.prefixOnly));
  }
  user.Then("give up", Press(kTitle, "Cancel"));
  EXPECT_EQ(Run(user), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("x.ics")));
  EXPECT_FALSE(std::filesystem::exists(Path("no")));
}

// Daf Yomi and the daily learning start as the learning settings choose
// them; the daily learning alone with no cycle chosen would export nothing.
TEST_F(ExportDialogTest, LearningKindsFollowTheLearningSettings) {
  setLearningFlag("daf-yomi", 0);
  UserScript user;
  user.Then("no Daf Yomi; daily learning alone", On(kTitle, [](GtkWidget* w) {
        EXPECT_FALSE(IsOn(w, "Daf Yomi"));
        EXPECT_FALSE(IsOn(w, "Daily learning"));
        EXPECT_TRUE(IsOn(w, "Omer"));
        ChooseKinds(w, {"Daily learning"});
        Click(w, "OK");
      }))
      .Then("told to choose a cycle",
            ExpectMessage("No daily learning is chosen: choose it under Settings, Configure Daily Learning"))
      .Then("give up", Press(kTitle, "Cancel"));
  EXPECT_EQ(Run(user), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("lumaro.ics")));

  setLearningFlag("tehillim", 1);
  const std::string expected =
      IcsBuildCalendar(AbsoluteFromGregorian(1, 1, 2024), AbsoluteFromGregorian(31, 12, 2024), kIcsLearning);
  UserScript second;
  second.Then("the daily learning is on; export it alone", On(kTitle, [](GtkWidget* w) {
          EXPECT_TRUE(IsOn(w, "Daily learning"));
          ChooseKinds(w, {"Daily learning"});
          Click(w, "OK");
        }))
      .Then("a psalm portion a day", ExpectMessage("366 events were written to " + Path("lumaro.ics")));
  EXPECT_EQ(Run(second), 1);
  EXPECT_EQ(ReadFile(Path("lumaro.ics")), expected);
}

TEST_F(ExportDialogTest, AsksBeforeReplacingAFile) {
  WriteFile(Path("lumaro.ics"), "old calendar");
  UserScript user;
  user.Then("Omer only, OK", On(kTitle, [](GtkWidget* w) {
        ChooseKinds(w, {"Omer"});
        Click(w, "OK");
      }))
      .Then("asked: No", On("Message", [this](GtkWidget* w) {
        EXPECT_EQ(ContentLabels(w), std::vector<std::string>{"The file " + Path("lumaro.ics") + " exists. Replace it?"});
        Click(w, "No");
      }))
      .Then("the file is untouched; OK again", On(kTitle, [this](GtkWidget* w) {
        EXPECT_EQ(ReadFile(Path("lumaro.ics")), "old calendar");
        Click(w, "OK");
      }))
      .Then("asked: Yes", Press("Message", "Yes"))
      .Then("done", ExpectMessage("49 events were written to " + Path("lumaro.ics")));
  EXPECT_EQ(Run(user), 1);
  EXPECT_EQ(CountEvents(ReadFile(Path("lumaro.ics"))), 49u);
}

using ExportMenuTest = MainWindowTest;

TEST_F(ExportMenuTest, ProgramMenuOpensTheDialogWithTheDisplayedYear) {
  SetSelectedDate({15, 6, 2031});
  UserScript user;
  user.Then("the dialog", On(kTitle, [](GtkWidget* w) {
    EXPECT_EQ(EntryText(w, "From year:") + " " + EntryText(w, "To year:"), "2031 2031");
    Click(w, "Cancel");
  }));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Export to calendar file...")));
  EXPECT_TRUE(user.Done());
}

}  // namespace
