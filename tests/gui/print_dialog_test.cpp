// The print dialog driven as a user would, the print path from Ctrl+P and
// the "Print..." menu item, and printer jobs through CUPS.
#include "dialogs/print_dialog.h"

#include "dialogs/printers.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;

constexpr const char* kTitle = "Select Printing Options";
constexpr const char* kChooser = "Specify PostScript file to print to";

// Printer jobs put their temporary files into a private directory, which
// must be empty again afterwards.
class PrivateTempDir {
 public:
  explicit PrivateTempDir(const std::string& home) : dir_(home + "/spool") {
    std::filesystem::create_directory(dir_);
    SetPrintTempDirForTesting(dir_);
  }
  ~PrivateTempDir() { SetPrintTempDirForTesting("/tmp"); }
  bool Empty() const { return std::filesystem::is_empty(dir_); }

 private:
  std::string dir_;
};

using PrintDialogTest = DialogTest;

TEST_F(PrintDialogTest, StartsFromTheDefaultsAndCancelOrCloseGivesUp) {
  const bool noPrinters = PrintListPrinters().names.empty();
  for (bool cancel : {true, false}) {
    UserScript user;
    user.Then("look at the defaults, give up", On(kTitle, [&](GtkWidget* w) {
      EXPECT_EQ(ChoiceEntries(ComboBeside(w, "Paper Size:")),
                (std::vector<std::string>{"US Letter (8.5x11 inches)", "US Legal (8.5x14 inches)", "ISO A4 (210x297 mm)"}));
      EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ComboBeside(w, "Paper Size:"))), 0);
      EXPECT_TRUE(IsOn(w, "Portrait") && !IsOn(w, "Landscape") && IsOn(w, "Color") && !IsOn(w, "Black&White"));
      for (const char* m : {"Left margin:", "Top margin:", "Right margin:", "Bottom margin:"})
        EXPECT_EQ(EntryText(w, m), "10") << m;
      EXPECT_EQ(EntryText(w, "File:"), "");
      // Without a print system there is no printer to choose: printing goes to a file.
      EXPECT_TRUE(!noPrinters || (ChoiceEntries(ComboBeside(w, "Printer:")).empty() && IsOn(w, "File:")));
      if (cancel) Click(w, "Cancel");
      else gtk_widget_destroy(w);
    }));
    user.Start();
    PrintJob job;
    EXPECT_FALSE(DoPrintDialog(nullptr, &job));
  }
}

TEST_F(PrintDialogTest, RefusesWhatItCannotUseKeepsTheRestAndBrowsesForTheFile) {
  const std::string path = Path("month.ps");
  UserScript user;
  user.Then("OK without a file", On(kTitle, [](GtkWidget* w) {
        SetToggle(FindButton(w, "File:"), true);
        Click(w, "OK");
      }))
      .Then("told to enter a file", ExpectMessage("Please enter the file to print to"))
      .Then("press Browse...", On(kTitle, [](GtkWidget* w) { ClickLater(w, "Browse..."); }))
      .Then("choose a file", PutInChooser(kChooser, path))
      .Then("accept it", AcceptChooser(kChooser, path))
      .Then("a margin with its unit", On(kTitle, [&](GtkWidget* w) {
        EXPECT_EQ(EntryText(w, "File:"), path);
        SetEntry(w, "Left margin:", "12.5mm");
        Click(w, "OK");
      }))
      .Then("told the margin is wrong",
            ExpectMessage("The margin \"12.5mm\" is not a number of millimetres (for example 10 or 12.5)"))
      .Then("margins wider than the paper", On(kTitle, [](GtkWidget* w) {
        SetEntry(w, "Left margin:", "250");
        Click(w, "OK");
      }))
      .Then("told there is no room", ExpectMessage("The margins leave no room on the paper"))
      .Then("A4 landscape, black and white", On(kTitle, [](GtkWidget* w) {
        SetEntry(w, "Left margin:", " 12.5");
        SetEntry(w, "Bottom margin:", "");
        gtk_combo_box_set_active(GTK_COMBO_BOX(ComboBeside(w, "Paper Size:")), 2);
        SetToggle(FindButton(w, "Landscape"), true);
        SetToggle(FindButton(w, "Black&White"), true);
        Click(w, "OK");
      }));
  user.Start();
  PrintJob job;
  ASSERT_TRUE(DoPrintDialog(nullptr, &job));
  EXPECT_EQ(job.toFile, 1);
  EXPECT_EQ(job.filePath, path);
  EXPECT_EQ(job.paperName, "A4");
  // A4 turned: 841 x 595 points; margins 12 (the fraction dropped), 10, 10 and 0 mm.
  const std::vector<int> got = {job.paperWidth, job.paperHeight, job.orientation, job.color,
                                job.leftMargin, job.topMargin,  job.rightMargin, job.bottomMargin};
  EXPECT_EQ(got, (std::vector<int>{841, 595, 1, 0, 34, 28, 28, 0}));
  EXPECT_EQ(WindowTitled(kTitle), nullptr);
}

TEST_F(PrintDialogTest, AJobThePrinterRefusesIsReportedAndLeavesNoFile) {
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[0], false);
  PrintSetMargins(job, 10, 10, 10, 10);
  job.toFile = 0;
  job.printerName = "no-such-printer-of-lumaro";
  const PrivateTempDir spool(home_.path());
  std::string error;
  EXPECT_FALSE(PrintIt(job, GregorianDate{1, 10, 2024}, &error));
  EXPECT_NE(error.find("no-such-printer-of-lumaro"), std::string::npos) << error;
  EXPECT_TRUE(spool.Empty());
}

// Printing to a file: a name ending in .pdf (any letter case) gives PDF,
// any other name PostScript.
TEST_F(PrintDialogTest, AFileNameEndingInPdfGivesPdf) {
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[2], false);
  PrintSetMargins(job, 10, 10, 10, 10);
  job.toFile = 1;
  const struct {
    const char* name;
    const char* magic;
  } cases[] = {{"april.pdf", "%PDF-"}, {"April.PDF", "%PDF-"}, {"april.ps", "%!PS"}, {"april", "%!PS"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    job.filePath = home_.path() + "/" + c.name;
    std::string error;
    ASSERT_TRUE(PrintIt(job, GregorianDate{1, 4, 2026}, &error)) << error;
    const std::string content = ReadFile(job.filePath);
    EXPECT_EQ(content.compare(0, std::string(c.magic).size(), c.magic), 0) << content.substr(0, 20);
    std::filesystem::remove(job.filePath);
  }
}

using PrintFromMainWindowTest = MainWindowTest;

TEST_F(PrintFromMainWindowTest, CtrlPPrintsTheMonthToAFile) {
  const std::string path = home_.path() + "/october.ps";
  SetSelectedDate({17, 10, 2024});
  UserScript user;
  user.Then("print to a file", On(kTitle, [&](GtkWidget* w) {
    SetToggle(FindButton(w, "File:"), true);
    SetEntry(w, "File:", path);
    Click(w, "OK");
  }));
  user.Start();
  PressKey(GDK_p, GDK_CONTROL_MASK);
  ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(kTitle); }));
  const std::string ps = ReadFile(path);
  EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0\n%%BoundingBox: 0 0 612 792\n", 0), 0u);
  EXPECT_NE(ps.find("(October 2024) show"), std::string::npos);
  EXPECT_EQ(ps.substr(ps.size() - 9), "showpage\n");
  EXPECT_EQ(WindowTitled("Message"), nullptr);
  EXPECT_EQ(SelectedDate(), (GregorianDate{17, 10, 2024}));  // the key did not move the selection
}

// Run by tests/e2e/print_cups.sh with a private print system whose queue
// LUMARO_CUPS_QUEUE writes its jobs to a file; the script checks the file.
TEST_F(PrintFromMainWindowTest, PrintsThroughCups) {
  const char* queue = std::getenv("LUMARO_CUPS_QUEUE");
  if (!queue || !*queue) GTEST_SKIP() << "needs a print queue (tests/e2e/print_cups.sh runs this test)";
  SetSelectedDate({17, 10, 2024});
  const PrivateTempDir spool(home_.path());
  UserScript user;
  user.Then("choose the queue", On(kTitle, [&](GtkWidget* w) {
    EXPECT_TRUE(IsOn(w, "Printer:"));
    Choose(ComboBeside(w, "Printer:"), queue);
    Click(w, "OK");
  }));
  user.Start();
  gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem("Print...")));
  ASSERT_TRUE(user.Done());
  Pump();
  if (GtkWidget* message = WindowTitled("Message")) ADD_FAILURE() << "printing failed: " << ContentLabels(message)[0];
  EXPECT_TRUE(spool.Empty());  // the temporary file was handed over and removed
}

}  // namespace
