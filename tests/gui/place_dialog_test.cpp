// The user's own places through the location dialog: a place added is
// written to the city file and chosen, then edited and removed; wrong
// inputs are refused with their message (tests/data/gui/place_checks.tsv).
#include "gui_test_util.h"

namespace {

using namespace guitest;
using PlaceDialogTest = MainWindowTest;

constexpr const char* kLocation = "Preferences";
constexpr const char* kGoodPlace =
    "Name:=My Village|Latitude:=31 46 N|Longitude:=35°13'E|search:Time zone:=Asia/Jerusalem|Elevation:=754";

bool Offered(GtkWidget* w, const std::string& button) { return GTK_WIDGET_IS_SENSITIVE(FindButton(w, button)); }

TEST_F(PlaceDialogTest, AddedIsChosenThenEditedAndRemoved) {
  const std::string file = home_.lumaro("cities");
  const std::string before = ReadFile(file);
  const std::string line = "\"My Village\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem";
  UserScript user;
  user.Then("Add", On(kLocation,
                      [](GtkWidget* w) {
                        Act(w, "city:pforz=Pforzheim");
                        EXPECT_FALSE(Offered(w, "Edit place...") || Offered(w, "Remove place"));
                        Click(w, "Add a place...");
                      }))
      .Then("a place", Fill("Add a Place", std::string(kGoodPlace) + "|Candle lighting:=30"))
      .Then("chosen, Edit",
            On(kLocation,
               [&](GtkWidget* w) {
                 Act(w, "chosen:city=My Village");
                 EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(Beside(w, "Candle Lighting:"))), std::string("30"));
                 EXPECT_EQ(ReadFile(file), before + line + ", candles=30, elevation=754  # added by you\n");
                 EXPECT_TRUE(Offered(w, "Edit place...") && Offered(w, "Remove place"));
                 Click(w, "Edit place...");
               }))
      .Then("no candle minutes", Fill("Edit Place", "Name:=My Village|Candle lighting:="))
      .Then("Remove", On(kLocation,
                         [&](GtkWidget* w) {
                           EXPECT_EQ(ReadFile(file), before + line + ", elevation=754  # added by you\n");
                           Click(w, "Remove place");
                         }))
      .Then("Yes", Press("Message", "Yes"))
      .Then("gone", On(kLocation, [&](GtkWidget* w) {
              EXPECT_EQ(ReadFile(file), before);
              EXPECT_FALSE(Offered(w, "Edit place..."));
              Click(w, "Cancel");
            }));
  OpenByMenu("Configure Shabbat Times...", user);
}

TEST_F(PlaceDialogTest, AWrongInputIsRefusedAndWritesNothing) {
  const std::string before = ReadFile(home_.lumaro("cities"));
  for (const Strings& row : Rows("place_checks.tsv", 2)) {
    UserScript user;
    user.Then("Add", Press(kLocation, "Add a place..."))
        .Then(row[0], Fill("Add a Place", std::string(kGoodPlace) + "|" + row[0]))
        .Then(row[1], ExpectMessage(row[1]))
        .Then("still open", Press("Add a Place", "Cancel"))
        .Then("close", Press(kLocation, "Cancel"));
    OpenByMenu("Configure Shabbat Times...", user);
    EXPECT_EQ(ReadFile(home_.lumaro("cities")), before) << row[0];
  }
}

}  // namespace
