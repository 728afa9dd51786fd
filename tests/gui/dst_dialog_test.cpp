#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_util.h"
#include "storage/settings.h"

namespace {

using guitest::Shown;
using guitest::SettingsDialogTest;

constexpr const char* kTitle = "Configure Daylight Savings Time";

std::vector<std::string> Texts(const std::vector<GtkWidget*>& lists) {
  std::vector<std::string> texts;
  for (GtkWidget* l : lists) texts.push_back(guitest::ChoiceText(l));
  return texts;
}

// The before/after label of the Israel start line: the only label between
// its drop-down lists.
std::string BeforeAfter(GtkWidget* w) {
  GtkWidget* israel = guitest::NthButton(w, "Israel", 0);
  std::string text = "(none)";
  GList* row = gtk_container_get_children(GTK_CONTAINER(gtk_widget_get_parent(israel)));
  for (GList* l = row; l; l = l->next)
    if (GTK_IS_LABEL(l->data)) text = gtk_label_get_text(GTK_LABEL(l->data));
  g_list_free(row);
  return text;
}

// A step that acts on the dialog once it is shown.
guitest::UserScript::Step OnDialog(std::function<void(GtkWidget*)> act) {
  return [act] {
    GtkWidget* w = Shown(kTitle);
    if (!w) return false;
    act(w);
    return true;
  };
}

TEST_F(SettingsDialogTest, DaylightSavingShowsTheRuleAndReportsTheLastMissingChoice) {
  guitest::UserScript user;
  user.Then("the stored rule", OnDialog([](GtkWidget* w) {
        EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "Consider DST")));
        EXPECT_TRUE(guitest::IsOn(guitest::NthButton(w, "Common", 0)));
        EXPECT_TRUE(guitest::IsOn(guitest::NthButton(w, "Common", 1)));
        EXPECT_EQ(Texts(guitest::ChoicesInRowOf(w, "Common", 0)),
                  (std::vector<std::string>{"Last", "Sunday", "March"}));
        EXPECT_EQ(Texts(guitest::ChoicesInRowOf(w, "Israel", 0)), (std::vector<std::string>{"", "", "", ""}));
        EXPECT_EQ(BeforeAfter(w), "");
        EXPECT_EQ(Texts(guitest::ChoicesInRowOf(w, "Common", 1)),
                  (std::vector<std::string>{"Last", "Sunday", "October"}));
        EXPECT_EQ(guitest::ChoiceEntries(guitest::ChoicesInRowOf(w, "Israel", 0)[0]),
                  (std::vector<std::string>{"", "1st", "Last"}));
      }))
      .Then("screenshot", guitest::ScreenshotOf(kTitle, "daylight-saving"))
      .Then("Israel start, nothing chosen", OnDialog([](GtkWidget* w) {
        guitest::SetToggle(guitest::NthButton(w, "Israel", 0), true);
        guitest::Click(w, "OK");
      }))
      .Then("the last start message", guitest::ExpectMessage("Start Month must be selected"))
      .Then("before and after", OnDialog([](GtkWidget* w) {
        const std::vector<GtkWidget*> lists = guitest::ChoicesInRowOf(w, "Israel", 0);
        guitest::Choose(lists[0], "1st");
        EXPECT_EQ(BeforeAfter(w), "after");
        guitest::Choose(lists[0], "Last");
        EXPECT_EQ(BeforeAfter(w), "before");
        guitest::Choose(lists[1], "Friday");
        guitest::Choose(lists[3], "April");
        guitest::Click(w, "OK");
      }))
      .Then("day message", guitest::ExpectMessage("Start day must be selected"))
      .Then("Israel end without a weekday", OnDialog([](GtkWidget* w) {
        guitest::Choose(guitest::ChoicesInRowOf(w, "Israel", 0)[2], "2");
        guitest::SetToggle(guitest::NthButton(w, "Israel", 1), true);
        guitest::Click(w, "OK");
      }))
      .Then("end message", guitest::ExpectMessage("End weekday must be selected"))
      .Then("complete", OnDialog([](GtkWidget* w) {
        guitest::Choose(guitest::ChoicesInRowOf(w, "Israel", 1)[0], "Sunday");
        guitest::Click(w, "OK");
      }));
  guitest::RunMenuCommand(kCmdDaylightSaving, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  const DstSetting r = getDSTstruct();
  EXPECT_EQ(getIsDST(), 1);
  EXPECT_EQ(r.startMethod, 1);
  EXPECT_EQ(r.startWeekNo, 5);
  EXPECT_EQ(r.startWeekday, 5);
  EXPECT_EQ(r.startDay, 2);
  EXPECT_EQ(r.startMonth, 4);
  EXPECT_EQ(r.endMethod, 1);
  EXPECT_EQ(r.endWeekday, 0);
  // Not used by the Israel end: as before.
  EXPECT_EQ(r.endWeekNo, 5);
  EXPECT_EQ(r.endMonth, 10);
}

TEST_F(SettingsDialogTest, WithoutDaylightSavingSummerTimesAreAnHourEarlier) {
  guitest::ShowMonth({1, 7, 2024});
  const std::vector<std::string> before = guitest::CellTimes();
  ASSERT_FALSE(before.empty());
  guitest::UserScript user;
  user.Then("uncheck", OnDialog([](GtkWidget* w) {
    guitest::SetToggle(guitest::FindButton(w, "Consider DST"), false);
    guitest::Click(w, "OK");
  }));
  guitest::RunMenuCommand(kCmdDaylightSaving, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  EXPECT_EQ(getIsDST(), 0);
  const std::vector<std::string> after = guitest::CellTimes();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    // "hh:mmPM": the hour digits drop by one, the minutes stay.
    EXPECT_EQ(after[i].substr(2), before[i].substr(2));
    EXPECT_EQ((after[i][0] - '0') * 10 + after[i][1] - '0' + 1, (before[i][0] - '0') * 10 + before[i][1] - '0')
        << before[i] << " -> " << after[i];
  }

  // The rule was kept: checking the box again shows it and restores the times.
  guitest::UserScript again;
  again.Then("check again", OnDialog([](GtkWidget* w) {
    EXPECT_FALSE(guitest::IsOn(guitest::FindButton(w, "Consider DST")));
    EXPECT_EQ(Texts(guitest::ChoicesInRowOf(w, "Common", 0)), (std::vector<std::string>{"Last", "Sunday", "March"}));
    guitest::SetToggle(guitest::FindButton(w, "Consider DST"), true);
    guitest::Click(w, "OK");
  }));
  guitest::RunMenuCommand(kCmdDaylightSaving, again);
  guitest::RedrawRequested();
  EXPECT_EQ(getIsDST(), 1);
  EXPECT_EQ(guitest::CellTimes(), before);
}

// "Automatic (the city's time zone)": off for a new user; on, the month's
// times follow the city's zone. Kolkata keeps +5:30 all year, so in January
// (no summer time by the default rule either) every time moves on by the
// half hour the file's whole hours (GMT+5:30 read as 5) leave out.
TEST_F(SettingsDialogTest, AutomaticTimeZoneMovesKolkataByHalfAnHour) {
  setCity("Kolkata");
  guitest::ShowMonth({1, 1, 2024});
  const std::vector<std::string> before = guitest::CellTimes();
  ASSERT_FALSE(before.empty());
  guitest::UserScript user;
  user.Then("turn it on", OnDialog([](GtkWidget* w) {
    GtkWidget* automatic = guitest::FindButton(w, "Automatic (the city's time zone)");
    EXPECT_FALSE(guitest::IsOn(automatic));
    guitest::SetToggle(automatic, true);
    guitest::Click(w, "OK");
  }));
  guitest::RunMenuCommand(kCmdDaylightSaving, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  EXPECT_EQ(getDSTAutomatic(), 1);
  EXPECT_EQ(getIsDST(), 1);  // the rule stays for cities without a zone
  const std::vector<std::string> after = guitest::CellTimes();
  ASSERT_EQ(after.size(), before.size());
  // "hh:mmPM" to minutes after noon.
  auto minutes = [](const std::string& t) {
    return ((t[0] - '0') * 10 + t[1] - '0') % 12 * 60 + (t[3] - '0') * 10 + t[4] - '0';
  };
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(minutes(after[i]), minutes(before[i]) + 30) << before[i];

  // Shown again as on; without "Consider DST" and with an incomplete rule
  // line the choice is still kept, and Cancel changes nothing.
  guitest::UserScript again;
  again.Then("off with the rule", OnDialog([](GtkWidget* w) {
    EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "Automatic (the city's time zone)")));
    guitest::SetToggle(guitest::FindButton(w, "Consider DST"), false);
    guitest::SetToggle(guitest::NthButton(w, "Israel", 0), true);
    guitest::Click(w, "OK");
  }));
  guitest::RunMenuCommand(kCmdDaylightSaving, again);
  guitest::UserScript cancel;
  cancel.Then("cancel", OnDialog([](GtkWidget* w) {
    guitest::SetToggle(guitest::FindButton(w, "Automatic (the city's time zone)"), false);
    guitest::Click(w, "Cancel");
  }));
  guitest::RunMenuCommand(kCmdDaylightSaving, cancel);
  guitest::Pump();
  EXPECT_EQ(getIsDST(), 0);
  EXPECT_EQ(getDSTAutomatic(), 1);
  EXPECT_EQ(guitest::CellTimes(), after);
}

}  // namespace
