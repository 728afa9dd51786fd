// "Print year of Shabbat times..." driven as a user would: the year the
// dialog proposes in either calendar, what it refuses, and the sheet it
// writes.
#include "dialogs/year_sheet_dialog.h"

#include <cstdlib>
#include <filesystem>

#include "compose/year_sheet.h"
#include "dialogs/print_dialog.h"
#include "dialogs/printers.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;

constexpr const char* kTitle = "Print year of Shabbat times";
constexpr const char* kMenu = "Print year of Shabbat times...";

using YearSheetDialogTest = SettingsDialogTest;

TEST_F(YearSheetDialogTest, ProposesTheYearRefusesBadInputAndWritesTheSheet) {
  SetSelectedDate({17, 10, 2026});  // 6 Heshvan 5787
  const std::string path = home_.path() + "/5787.pdf";
  const std::string range =
      "Year must be in range " + std::to_string(FirstHebrewSheetYear()) + "-" + std::to_string(LastHebrewSheetYear());
  UserScript user;
  user.Then("look at the proposal, choose the Hebrew year",
            On(kTitle,
               [](GtkWidget* w) {
                 EXPECT_EQ(EntryText(w, "Year:"), "2026");
                 EXPECT_TRUE(IsOn(w, "Gregorian year") && !IsOn(w, "Hebrew year"));
                 EXPECT_EQ(ChoiceEntries(ComboBeside(w, "Paper Size:")).size(), 3u);
                 // Without a print system the sheet can only go to a file.
                 if (PrintListPrinters().names.empty()) {
                   EXPECT_TRUE(IsOn(w, "File:"));
                 }
                 SetToggle(FindButton(w, "File:"), true);
                 SetToggle(FindButton(w, "Hebrew year"), true);
                 EXPECT_EQ(EntryText(w, "Year:"), "5787");
                 Screenshot(w, "year-sheet-dialog");
                 Click(w, "OK");
               }))
      .Then("told to name a file", ExpectMessage("Please enter the file to print to"))
      .Then("a year that is no number", On(kTitle,
                                           [&](GtkWidget* w) {
                                             SetEntry(w, "File:", path);
                                             SetEntry(w, "Year:", "57a7");
                                             Click(w, "OK");
                                           }))
      .Then("told it is no number", ExpectMessage("Year must be a number"))
      .Then("a Gregorian year as a Hebrew one", On(kTitle,
                                                   [](GtkWidget* w) {
                                                     SetEntry(w, "Year:", "2026");
                                                     Click(w, "OK");
                                                   }))
      .Then("told the range of Hebrew years", ExpectMessage(range))
      .Then("5787 on A4", On(kTitle, [](GtkWidget* w) {
              SetEntry(w, "Year:", " 5787 ");
              gtk_combo_box_set_active(GTK_COMBO_BOX(ComboBeside(w, "Paper Size:")), 2);
              Click(w, "OK");
            }));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(kMenu)));
  ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(kTitle); }));
  EXPECT_EQ(WindowTitled("Message"), nullptr);
  const std::string pdf = ReadFile(path);
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u) << pdf.substr(0, 20);
  EXPECT_EQ(SelectedDate(), (GregorianDate{17, 10, 2026}));
}

// A sheet for a printer goes through a private temporary file; a queue that
// refuses it is named in the message, and the file does not stay behind.
TEST_F(YearSheetDialogTest, APrinterThatRefusesTheSheetIsReportedAndLeavesNoFile) {
  const std::string spool = home_.path() + "/spool";
  std::filesystem::create_directory(spool);
  SetPrintTempDirForTesting(spool);
  YearSheetRequest request;
  request.year = 2026;
  request.printer = "no-such-printer-of-lumaro";
  std::string error;
  EXPECT_FALSE(WriteYearSheet(request, &error));
  SetPrintTempDirForTesting("/tmp");
  EXPECT_NE(error.find("no-such-printer-of-lumaro"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_empty(spool));
}

// Run by tests/e2e/print_cups.sh with a private print system whose queue
// LUMARO_CUPS_QUEUE writes its jobs to a file; the script checks the file.
TEST_F(YearSheetDialogTest, PrintsThroughCups) {
  const char* queue = std::getenv("LUMARO_CUPS_QUEUE");
  if (!queue || !*queue) GTEST_SKIP() << "needs a print queue (tests/e2e/print_cups.sh runs this test)";
  SetSelectedDate({17, 10, 2026});
  const std::string spool = home_.path() + "/spool";
  std::filesystem::create_directory(spool);
  SetPrintTempDirForTesting(spool);
  UserScript user;
  user.Then("choose the queue", On(kTitle, [&](GtkWidget* w) {
    EXPECT_TRUE(IsOn(w, "Printer:"));
    Choose(ComboBeside(w, "Printer:"), queue);
    Click(w, "OK");
  }));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(kMenu)));
  ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(kTitle); }));
  Pump();
  SetPrintTempDirForTesting("/tmp");
  if (GtkWidget* message = WindowTitled("Message")) ADD_FAILURE() << "printing failed: " << ContentLabels(message)[0];
  EXPECT_TRUE(std::filesystem::is_empty(spool));  // the temporary file was handed over and removed
}

}  // namespace
