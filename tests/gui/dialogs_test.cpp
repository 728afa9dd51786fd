// The anniversaries, export, print and year-sheet dialogs and the message
// windows, driven as a user would: each dialog's checks are wired (one wrong
// input, one good), and what it writes. The checks themselves are tested
// in the forms' unit tests.
#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "compose/ics_export.h"
#include "dialogs/anniversaries_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/print_dialog.h"
#include "dialogs/year_sheet_dialog.h"
#include "gui_test_util.h"
#include "storage/anniversaries.h"

namespace {

using namespace guitest;

constexpr const char* kAnni = "Anniversaries";
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
  void Run(UserScript& user) {
    user.Start();
    AnniDoDialog();
    user.Finish();
  }
};
GtkWidget* Entries(GtkWidget* w) { return WidgetsOfType(w, GTK_TYPE_TREE_VIEW).at(0); }
GtkWidget* Occurrences(GtkWidget* w) { return WidgetsOfType(w, GTK_TYPE_TREE_VIEW).at(1); }

// The edit dialog refuses an empty name and reads a Hebrew date.
TEST_F(AnniversariesDialogTest, EditDialogRefusesThenTakesAHebrewDate) {
  AnniversaryRec rec;
  rec.date = {1, 3, 2020};
  UserScript user;
  user.Then("no name", Press(kEdit, "OK"))
      .Then("message", ExpectMessage("Name must not be empty"))
      .Then("30 Heshvan 5785", On(kEdit, [](GtkWidget* w) {
        Act(w, "Name:=Moshe|click:yortsayt|click:Hebrew date of event:|Day:=30|Year:=5785");
        gtk_combo_box_set_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX)), 8);
        Click(w, "OK");
      }));
  user.Start();
  ASSERT_EQ(AnniDoEdit(rec), 1);
  const AnniversaryRec expected{"Moshe", 'Y', 1, {30, 8, 5785}};
  EXPECT_EQ(rec, expected);
}

// Add, Calculate, Modify and Remove (No, then Yes), as one session; the
// file is written when the window closes.
TEST_F(AnniversariesDialogTest, AddCalculateModifyRemove) {
  UserScript user;
  user.Then("Add...", Press(kAnni, "Add..."))
      .Then("a birthday on 30 Adar I 5774", Fill(kEdit, "Name:=Rivka|click:Birthday|Gregorian date of event:=2.3.2014"))
      .Then("listed; a bad year", On(kAnni, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)), Strings{"Rivka (B): 26 March 2020 (1 Nisan 5780)"});
        SelectRow(Entries(w), 0);
        Act(w, "From=2025 |to=2030|click:Calculate");
      }))
      .Then("message", ExpectMessage("'From' year is not a number"))
      .Then("calculate 2030 to 2025", On(kAnni, [](GtkWidget* w) { Act(w, "From=2030|to=2025|click:Calculate"); }))
      .Then("six years; Modify", On(kAnni, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Occurrences(w)).size(), 6u);
        EXPECT_EQ(TreeRows(Occurrences(w)).at(0), "30 March 2025 (1 Nisan 5785)");
        Click(w, "Modify...");
      }))
      .Then("rename", Fill(kEdit, "Name:=Aaron"))
      .Then("Remove", On(kAnni, [](GtkWidget* w) {
        SelectRow(Entries(w), 0);
        Click(w, "Remove...");
      }))
      .Then("No", Press("Message", "No"))
      .Then("Close", Press(kAnni, "Close"));
  Run(user);
  EXPECT_EQ(ReadFile(File()), "\"Aaron\" B 2.3.2014 0\n");
  UserScript remove;
  remove.Then("Remove", On(kAnni, [](GtkWidget* w) {
          SelectRow(Entries(w), 0);
          Click(w, "Remove...");
        }))
      .Then("Yes", Press("Message", "Yes"))
      .Then("close the window", On(kAnni, [](GtkWidget* w) { gtk_widget_destroy(w); }));
  Run(remove);
  EXPECT_EQ(ReadFile(File()), "");
}

// A file that cannot be written or read: the user is told, nothing is lost.
TEST_F(AnniversariesDialogTest, FileProblemsLoseNothing) {
  WriteFile(File(), "\"Later\" B 1.1.2099 0\n");
  storage::SetAnniBeforeReplaceHookForTesting([] { return false; });
  UserScript failing;
  failing.Then("Add...", Press(kAnni, "Add..."))
      .Then("an entry", Fill(kEdit, "Name:=New"))
      .Then("Close", Press(kAnni, "Close"))
      .Then("the failure is shown", ExpectMessage("The anniversaries could not be saved: ", true));
  Run(failing);
  EXPECT_EQ(ReadFile(File()), "\"Later\" B 1.1.2099 0\n");
  std::filesystem::remove(File());
  std::filesystem::create_directories(File() + "/in-the-way");  // a folder where the file should be
  UserScript unreadable;
  unreadable.Then("reported", ExpectMessage("The anniversaries file " + File() + " could not be read."))
      .Then("add", Press(kAnni, "Add..."))
      .Then("an entry", Fill(kEdit, "Name:=Lost?"))
      .Then("Close", Press(kAnni, "Close"))
      .Then("not saved, and said so",
            ExpectMessage("The anniversaries file " + File() + " could not be read, so your changes were not saved."));
  Run(unreadable);
  EXPECT_TRUE(std::filesystem::is_directory(File() + "/in-the-way"));
}

constexpr const char* kExport = "Export to Calendar File";

class ExportDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteFile(home_.lumaro("cities"), "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n");
  }
  int Run(UserScript& user) {
    user.Start();
    const int answer = DialogsDoExport(2024);
    user.Finish();
    return answer;
  }
};

// The years and kinds chosen; a write error reported; asked before a file is replaced.
TEST_F(ExportDialogTest, WritesTheYearsAndKindsChosen) {
  WriteFile(Path("lumaro.ics"), "old calendar");
  const std::string expected = IcsBuildCalendar(AbsoluteFromGregorian(1, 1, 2024), AbsoluteFromGregorian(31, 12, 2025),
                                                kIcsHolidays | kIcsOmer, CurrentOptions());
  size_t events = 0;
  for (size_t at = 0; (at = expected.find("BEGIN:VEVENT", at + 1)) != std::string::npos;) ++events;
  UserScript user;
  user.Then("a folder that is not there", On(kExport, [this](GtkWidget* w) {
        for (const IcsKindRow& k : kIcsKindRows)
          EXPECT_EQ(IsOn(w, std::string(k.label)), (IcsDefaultKinds(LearningChoiceFromSettings()) & k.kind) != 0) << k.label;
        EXPECT_EQ(EntryText(w, "From year:") + EntryText(w, "File:"), "2024~/lumaro.ics");
        for (const IcsKindRow& k : kIcsKindRows)
          Act(w, std::string((kIcsHolidays | kIcsOmer) & k.kind ? "on:" : "off:") + std::string(k.label));
        Act(w, "To year:=2025|File:=" + Path("no/such/x.ics") + "|click:OK");
      }))
      .Then("the error", ExpectMessage("The calendar file " + Path("no/such/x.ics") + " could not be written: ", true))
      .Then("the old file", Fill(kExport, "File:=~/lumaro.ics"))
      .Then("asked: No", On("Message", [this](GtkWidget* w) {
        EXPECT_EQ(ContentLabels(w), Strings{"The file " + Path("lumaro.ics") + " exists. Replace it?"});
        Click(w, "No");
      }))
      .Then("untouched; OK again", On(kExport, [this](GtkWidget* w) {
        EXPECT_EQ(ReadFile(Path("lumaro.ics")), "old calendar");
        Click(w, "OK");
      }))
      .Then("asked: Yes", Press("Message", "Yes"))
      .Then("done", ExpectMessage(std::to_string(events) + " events were written to " + Path("lumaro.ics")));
  EXPECT_EQ(Run(user), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("no")));
  EXPECT_EQ(ReadFile(Path("lumaro.ics")), expected);
}

constexpr const char* kPrint = "Select Printing Options";

TEST_F(DialogTest, PrintDialogReadsTheJob) {
  UserScript user;
  user.Then("A4 landscape, black and white", On(kPrint, [](GtkWidget* w) {
        EXPECT_TRUE(IsOn(w, "Portrait") && IsOn(w, "Color") && EntryText(w, "Top margin:") == "10");
        gtk_combo_box_set_active(GTK_COMBO_BOX(Beside(w, "Paper Size:", GTK_TYPE_COMBO_BOX)), 2);
        Act(w, "on:File:|File:=month.ps|Left margin:=12.5|Bottom margin:=|on:Landscape|on:Black&White|click:OK");
      }));
  user.Start();
  PrintJob job;
  ASSERT_TRUE(DoPrintDialog(nullptr, &job));
  EXPECT_EQ(job.filePath + " " + job.paperName, "month.ps A4");
  EXPECT_EQ((std::vector<int>{job.toFile, job.paperWidth, job.paperHeight, job.orientation, job.color, job.leftMargin,
                              job.topMargin, job.bottomMargin}),
            (std::vector<int>{1, 841, 595, 1, 0, 34, 28, 0}));
}

// A printer job goes through a private temporary file; a queue that refuses
// it is named in the message, and the file does not stay behind. A file
// ending in .pdf (any letter case) gets PDF.
TEST_F(DialogTest, PrintItToAPrinterThatRefusesAndToFiles) {
  std::filesystem::create_directory(Path("spool"));
  SetPrintTempDirForTesting(Path("spool"));
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[2], false);
  PrintSetMargins(job, 10, 10, 10, 10);
  job.printerName = "no-such-printer-of-lumaro";
  std::string error;
  EXPECT_FALSE(PrintIt(job, GregorianDate{1, 10, 2024}, &error));
  EXPECT_NE(error.find("no-such-printer-of-lumaro"), std::string::npos) << error;
  SetPrintTempDirForTesting("/tmp");
  EXPECT_TRUE(std::filesystem::is_empty(Path("spool")));
  job.toFile = 1;
  job.filePath = Path("A.PDF");
  ASSERT_TRUE(PrintIt(job, GregorianDate{1, 4, 2026}, &error)) << error;
  EXPECT_EQ(ReadFile(job.filePath).rfind("%PDF-", 0), 0u);
}

// Run by tests/e2e/print_cups.sh with a private print system whose queue
// LUMARO_CUPS_QUEUE writes its jobs to a file; the script checks the file.
class CupsTest : public MainWindowTest {
 protected:
  void PrintThroughCups(const std::string& title, const std::string& menuItem, const GregorianDate& date) {
    const char* queue = std::getenv("LUMARO_CUPS_QUEUE");
    if (!queue || !*queue) GTEST_SKIP() << "needs a print queue (tests/e2e/print_cups.sh runs this test)";
    SetSelectedDate(date);
    std::filesystem::create_directory(home_.path() + "/spool");
    SetPrintTempDirForTesting(home_.path() + "/spool");
    UserScript user;
    user.Then("choose the queue", On(title, [&](GtkWidget* w) {
      EXPECT_TRUE(IsOn(w, "Printer:"));
      Choose(Beside(w, "Printer:", GTK_TYPE_COMBO_BOX), queue);
      Click(w, "OK");
    }));
    user.Start();
    gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(menuItem)));
    ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(title); }));
    Pump();
    SetPrintTempDirForTesting("/tmp");
    if (GtkWidget* m = WindowTitled("Message")) ADD_FAILURE() << "printing failed: " << ContentLabels(m).at(0);
    EXPECT_TRUE(std::filesystem::is_empty(home_.path() + "/spool"));  // handed over and removed
  }
};
using PrintFromMainWindowTest = CupsTest;
using YearSheetDialogTest = CupsTest;
TEST_F(PrintFromMainWindowTest, PrintsThroughCups) { PrintThroughCups(kPrint, "Print...", {17, 10, 2024}); }
TEST_F(YearSheetDialogTest, PrintsThroughCups) {
  PrintThroughCups("Print year of Shabbat times", "Print year of Shabbat times...", {17, 10, 2026});
}

TEST_F(YearSheetDialogTest, ProposesTheYearRefusesBadInputAndWritesTheSheet) {
  SetSelectedDate({17, 10, 2026});  // 6 Heshvan 5787
  const std::string path = home_.path() + "/5787.pdf";
  constexpr const char* kTitle = "Print year of Shabbat times";
  UserScript user;
  user.Then("the proposal; the Hebrew year", On(kTitle, [&](GtkWidget* w) {
        EXPECT_EQ(EntryText(w, "Year:"), "2026");
        Act(w, "on:File:|on:Hebrew year");
        EXPECT_EQ(EntryText(w, "Year:"), "5787");
        Act(w, "File:=" + path + "|Year:=2026|click:OK");
      }))
      .Then("the range of Hebrew years", ExpectMessage("Year must be in range 5344-6760"))
      .Then("5787", Fill(kTitle, "Year:=5787"));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Print year of Shabbat times...")));
  ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(kTitle); }));
  EXPECT_EQ(WindowTitled("Message"), nullptr);
  EXPECT_EQ(ReadFile(path).rfind("%PDF-", 0), 0u);
}

}  // namespace
