// The daylight-saving dialog: the stored rule, its checks, and the times of
// the month view with summer time off and with the city's own time zone.
#include "gui_test_util.h"

namespace {

using namespace guitest;

constexpr const char* kTitle = "Configure Daylight Savings Time";

std::vector<std::string> Texts(const std::vector<GtkWidget*>& lists) {
  std::vector<std::string> texts;
  for (GtkWidget* l : lists) texts.push_back(ChoiceText(l));
  return texts;
}

// The before/after label of the Israel start line: the only label between
// its drop-down lists.
std::string BeforeAfter(GtkWidget* w) {
  std::string text = "(none)";
  GList* row = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(NthButton(w, "Israel", 0))));
  for (GList* l = row; l; l = l->next)
    if (GTK_IS_LABEL(l->data)) text = gtk_label_get_text(GTK_LABEL(l->data));
  g_list_free(row);
  return text;
}

// Opens the dialog, lets `act` change it and confirms with OK (or Cancel).
void Configure(std::function<void(GtkWidget*)> act, const char* button = "OK") {
  UserScript user;
  user.Then("change", On(kTitle, [=](GtkWidget* w) {
    act(w);
    Click(w, button);
  }));
  RunMenuCommand(kCmdDaylightSaving, user);
}

TEST_F(SettingsDialogTest, DaylightSavingShowsTheRuleAndReportsTheLastMissingChoice) {
  UserScript user;
  user.Then("the stored rule", On(kTitle, [](GtkWidget* w) {
        EXPECT_TRUE(IsOn(w, "Consider DST") && IsOn(NthButton(w, "Common", 0)) && IsOn(NthButton(w, "Common", 1)));
        EXPECT_EQ(Texts(ChoicesInRowOf(w, "Common", 0)), (std::vector<std::string>{"Last", "Sunday", "March"}));
        EXPECT_EQ(Texts(ChoicesInRowOf(w, "Israel", 0)), (std::vector<std::string>{"", "", "", ""}));
        EXPECT_EQ(BeforeAfter(w), "");
        EXPECT_EQ(Texts(ChoicesInRowOf(w, "Common", 1)), (std::vector<std::string>{"Last", "Sunday", "October"}));
        EXPECT_EQ(ChoiceEntries(ChoicesInRowOf(w, "Israel", 0)[0]), (std::vector<std::string>{"", "1st", "Last"}));
      }))
      .Then("screenshot", ScreenshotOf(kTitle, "daylight-saving"))
      .Then("Israel start, nothing chosen", On(kTitle, [](GtkWidget* w) {
        SetToggle(NthButton(w, "Israel", 0), true);
        Click(w, "OK");
      }))
      .Then("the last start message", ExpectMessage("Start Month must be selected"))
      .Then("before and after", On(kTitle, [](GtkWidget* w) {
        const std::vector<GtkWidget*> lists = ChoicesInRowOf(w, "Israel", 0);
        Choose(lists[0], "1st");
        EXPECT_EQ(BeforeAfter(w), "after");
        Choose(lists[0], "Last");
        EXPECT_EQ(BeforeAfter(w), "before");
        Choose(lists[1], "Friday");
        Choose(lists[3], "April");
        Click(w, "OK");
      }))
      .Then("day message", ExpectMessage("Start day must be selected"))
      .Then("Israel end without a weekday", On(kTitle, [](GtkWidget* w) {
        Choose(ChoicesInRowOf(w, "Israel", 0)[2], "2");
        SetToggle(NthButton(w, "Israel", 1), true);
        Click(w, "OK");
      }))
      .Then("end message", ExpectMessage("End weekday must be selected"))
      .Then("complete", On(kTitle, [](GtkWidget* w) {
        Choose(ChoicesInRowOf(w, "Israel", 1)[0], "Sunday");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdDaylightSaving, user);
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getIsDST(), 1);
  const DstSetting r = getDSTstruct();
  // Israel start: the last Friday before 2 April; Israel end on a Sunday. The
  // end's week and month are not used by that rule and stay as they were.
  EXPECT_EQ((std::vector<int>{r.startMethod, r.startWeekNo, r.startWeekday, r.startDay, r.startMonth, r.endMethod,
                              r.endWeekday, r.endWeekNo, r.endMonth}),
            (std::vector<int>{1, 5, 5, 2, 4, 1, 0, 5, 10}));
}

TEST_F(SettingsDialogTest, WithoutDaylightSavingSummerTimesAreAnHourEarlier) {
  setDSTAutomatic(0);  // a user of the rule (a new user starts on the city's zone)
  ShowMonth({1, 7, 2024});
  const std::vector<std::string> before = CellTimes();
  ASSERT_FALSE(before.empty());
  Configure([](GtkWidget* w) { SetToggle(FindButton(w, "Consider DST"), false); });
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getIsDST(), 0);
  const std::vector<std::string> after = CellTimes();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(Minutes(after[i]) + 60, Minutes(before[i])) << before[i];

  // The rule was kept: checking the box again shows it and restores the times.
  Configure([](GtkWidget* w) {
    EXPECT_FALSE(IsOn(w, "Consider DST"));
    EXPECT_EQ(Texts(ChoicesInRowOf(w, "Common", 0)), (std::vector<std::string>{"Last", "Sunday", "March"}));
    SetToggle(FindButton(w, "Consider DST"), true);
  });
  RedrawRequested();
  EXPECT_EQ(getIsDST(), 1);
  EXPECT_EQ(CellTimes(), before);
}

// "Automatic (the city's time zone)": on for a new user, off for one whose
// settings file does not have it; on, the month's times follow the city's zone. Kolkata keeps +5:30 all year, so in January
// (no summer time by the default rule either) every time moves on by the
// half hour the file's whole hours (GMT+5:30 read as 5) leave out.
TEST_F(SettingsDialogTest, AutomaticTimeZoneMovesKolkataByHalfAnHour) {
  constexpr const char* kAuto = "Automatic (the city's time zone)";
  EXPECT_EQ(getDSTAutomatic(), 1);  // the fixture starts without a settings file
  setDSTAutomatic(0);
  setCity("Kolkata");
  ShowMonth({1, 1, 2024});
  const std::vector<std::string> before = CellTimes();
  ASSERT_FALSE(before.empty());
  Configure([=](GtkWidget* w) {
    EXPECT_FALSE(IsOn(w, kAuto));
    SetToggle(FindButton(w, kAuto), true);
  });
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(getDSTAutomatic(), 1);
  EXPECT_EQ(getIsDST(), 1);  // the rule stays for cities without a zone
  const std::vector<std::string> after = CellTimes();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(Minutes(after[i]), Minutes(before[i]) + 30) << before[i];

  // Shown again as on; without "Consider DST" and with an incomplete rule
  // line the choice is still kept, and Cancel changes nothing.
  Configure([=](GtkWidget* w) {
    EXPECT_TRUE(IsOn(w, kAuto));
    SetToggle(FindButton(w, "Consider DST"), false);
    SetToggle(NthButton(w, "Israel", 0), true);
  });
  Configure([=](GtkWidget* w) { SetToggle(FindButton(w, kAuto), false); }, "Cancel");
  Pump();
  EXPECT_EQ(getIsDST(), 0);
  EXPECT_EQ(getDSTAutomatic(), 1);
  EXPECT_EQ(CellTimes(), after);
}

}  // namespace
