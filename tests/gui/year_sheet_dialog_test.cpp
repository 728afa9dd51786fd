// "Print year of Shabbat times..." driven as a user would: the year the
// dialog proposes in either calendar, what it refuses, and the sheet it
// writes.
#include "dialogs/year_sheet_dialog.h"

#include "compose/year_sheet.h"
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

}  // namespace
