// The anniversaries dialog driven as a user would, and printing through a
// print system. The other dialogs' wiring is tested by settings_dialogs_test
// from tests/data/gui/; their checks by the forms' unit tests.
#include "dialogs/anniversaries_dialog.h"
#include "dialogs/print_dialog.h"
#include "gui_test_util.h"
#include "storage/anniversaries.h"

namespace {

using namespace guitest;

constexpr const char* kAnni = "Anniversaries";
constexpr const char* kEdit = "Edit Anniversary/Birthday/yortsayt";

class AnniversariesDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    dialogs::SetAnniversariesTodayForTesting(G{1, 3, 2020});  // 5 Adar 5780
  }
  void TearDown() override {
    dialogs::SetAnniversariesTodayForTesting(std::nullopt);
    storage::SetAnniBeforeReplaceHookForTesting(nullptr);
    MainWindowTest::TearDown();
  }
  std::string File() const { return home_.lumaro("kivraanni"); }
  void Run(UserScript& user) {
    user.Start();
    AnniDoDialog();
    user.Finish();
  }
};
GtkWidget* Entries(GtkWidget* w) { return WidgetsOfType(w, GTK_TYPE_TREE_VIEW).at(0); }
Step RemoveFirst() {
  return On(kAnni, [](GtkWidget* w) {
    SelectRow(Entries(w), 0);
    Click(w, "Remove...");
  });
}

// Add (an empty name refused), Calculate, Modify to a Hebrew date and a recent loss, Remove
// (No, then Yes); the file is written when the window closes.
TEST_F(AnniversariesDialogTest, AddCalculateModifyRemove) {
  UserScript user;
  user.Then("Add...", Press(kAnni, "Add..."))
      .Then("no name", Press(kEdit, "OK"))
      .Then("message", ExpectMessage("Name must not be empty"))
      .Then("a birthday on 30 Adar I 5774", Fill(kEdit, "Name:=Rivka|click:Birthday|Gregorian date of event:=2.3.2014"))
      .Then("listed; calculate 2030 to 2025", On(kAnni, [](GtkWidget* w) {
        EXPECT_EQ(TreeRows(Entries(w)), Strings{"Rivka (B): 26 March 2020 (1 Nisan 5780)"});
        SelectRow(Entries(w), 0);
        Act(w, "From=2030|to=2025|click:Calculate");
      }))
      .Then("six years; Modify", On(kAnni, [](GtkWidget* w) {
        const Strings days = TreeRows(WidgetsOfType(w, GTK_TYPE_TREE_VIEW).at(1));
        EXPECT_EQ(days.size() == 6 ? days.at(0) : "", "30 March 2025 (1 Nisan 5785)");
        Click(w, "Modify...");
      }))
      .Then("yortsayt on 30 Heshvan 5785, a recent loss", On(kEdit, [](GtkWidget* w) {
        Act(w, "Name:=Moshe|click:yortsayt|click:Hebrew date of event:|Day:=30|Year:=5785");
        Act(w, "click:Recent loss, buried on:|Recent loss, buried on:=3.12.2024|click:Bat mitzvah (at twelve)");
        gtk_combo_box_set_active(GTK_COMBO_BOX(Beside(w, "Month:", GTK_TYPE_COMBO_BOX)), 8);
        GtkWidget* adar = Beside(w, "Adar of a common year, in a leap year:", GTK_TYPE_COMBO_BOX);
        gtk_combo_box_set_active(GTK_COMBO_BOX(adar), 3);
        Click(w, "OK");
      }))
      .Then("Remove", RemoveFirst())
      .Then("No", Press("Message", "No"))
      .Then("Close", Press(kAnni, "Close"));
  Run(user);
  EXPECT_EQ(ReadFile(File()), "\"Moshe\" Y H 30.8.5785 0#burial=3.12.2024 adar=both\n");  // no mitzvah: not a birthday
  UserScript remove;
  remove.Then("Remove", RemoveFirst()).Then("Yes", Press("Message", "Yes"));
  Run(remove.Then("close the window", On(kAnni, [](GtkWidget* w) { gtk_widget_destroy(w); })));
  EXPECT_EQ(ReadFile(File()), "");
}

// Run by tests/e2e/print_cups.sh with a private print system whose queue
// LUMARO_CUPS_QUEUE writes its jobs to a file; the script checks the file.
class CupsTest : public MainWindowTest {
 protected:
  void PrintThroughCups(const std::string& title, const std::string& menuItem, const G& date) {
    const char* queue = std::getenv("LUMARO_CUPS_QUEUE");
    if (!queue || !*queue) GTEST_SKIP() << "needs a print queue (tests/e2e/print_cups.sh runs this test)";
    SetSelectedDate(date);
    std::filesystem::create_directory(Path("spool"));
    SetPrintTempDirForTesting(Path("spool"));
    UserScript user;
    user.Then("choose the queue", Fill(title, "list:0=" + std::string(queue)));
    user.Start();
    gtk_menu_item_activate(GTK_MENU_ITEM(MenuItem(menuItem)));
    ASSERT_TRUE(PumpUntil([&] { return user.Done() && !WindowTitled(title); }));
    Pump();
    SetPrintTempDirForTesting("/tmp");
    if (GtkWidget* m = WindowTitled("Message")) ADD_FAILURE() << "printing failed: " << ContentLabels(m).at(0);
    EXPECT_TRUE(std::filesystem::is_empty(Path("spool")));  // handed over and removed
  }
};
using PrintFromMainWindowTest = CupsTest;
using YearSheetDialogTest = CupsTest;
TEST_F(PrintFromMainWindowTest, PrintsThroughCups) { PrintThroughCups("Select Printing Options", "Print...", {17, 10, 2024}); }
TEST_F(YearSheetDialogTest, PrintsThroughCups) {
  PrintThroughCups("Print year of Shabbat times", "Print year of Shabbat times...", {17, 10, 2026});
}

}  // namespace
