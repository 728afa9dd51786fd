#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "settings_test_util.h"
#include "storage/settings.h"
#include "suntimes/shabbat_times.h"

namespace {

using guitest::Shown;
using guitest::SettingsDialogTest;

constexpr const char* kTitle = "Configure Shabbat Times";
const std::string kZurich = "Z\xC3\xBCrich";  // UTF-8, as the list shows it

// "hh:mmAM"/"hh:mmPM" in minutes after midnight, or -1.
int MinutesOf12Hour(const std::string& t) {
  auto digit = [&](size_t i) { return t[i] - '0'; };
  if (t.size() != 7 || t[2] != ':') return -1;
  int h = (digit(0) * 10 + digit(1)) % 12;
  if (t.substr(5) == "PM") h += 12;
  return h * 60 + digit(3) * 10 + digit(4);
}

TEST_F(SettingsDialogTest, ShabbatTimesShowsTheSettingsAndValidatesInOrder) {
  std::vector<std::string> cities;
  guitest::UserScript user;
  auto edit = [](const char* location, const char* candle, const char* havdalah) {
    return [=] {
      GtkWidget* w = Shown(kTitle);
      if (!w) return false;
      if (location) guitest::Choose(guitest::Beside(w, "Location:", GTK_TYPE_COMBO_BOX), location);
      if (candle) gtk_entry_set_text(GTK_ENTRY(guitest::Beside(w, "Candle Lighting:")), candle);
      if (havdalah) gtk_entry_set_text(GTK_ENTRY(guitest::Beside(w, "End of Shabbat:")), havdalah);
      return guitest::Click(w, "OK");
    };
  };
  user.Then("look", [&] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        GtkWidget* location = guitest::Beside(w, "Location:", GTK_TYPE_COMBO_BOX);
        cities = guitest::ChoiceEntries(location);
        EXPECT_EQ(guitest::ChoiceText(location), "Pforzheim");
        EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(guitest::Beside(w, "Candle Lighting:"))), std::string("18"));
        EXPECT_EQ(gtk_entry_get_text(GTK_ENTRY(guitest::Beside(w, "End of Shabbat:"))), std::string("45"));
        EXPECT_TRUE(guitest::IsOn(guitest::FindButton(w, "min")));
        // The field cannot be typed into: only the list's names can be chosen.
        EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(gtk_bin_get_child(GTK_BIN(location)))));
        return true;
      })
      .Then("screenshot", guitest::ScreenshotOf(kTitle, "shabbat-times"))
      .Then("no location, bad number", edit("", "abc", nullptr))
      .Then("location message", guitest::ExpectMessage("A location must be selected"))
      .Then("negative minutes", edit(kZurich.c_str(), "-5", nullptr))
      .Then("candle message", guitest::ExpectMessage("Candle Lighting must be an integer number"))
      .Then("decimal minutes", edit(nullptr, " 18 ", "8.5"))
      .Then("havdalah message", guitest::ExpectMessage("Havdalah must be a number"))
      .Then("degrees", [] {
        GtkWidget* w = Shown(kTitle);
        if (!w) return false;
        guitest::Click(w, "degrees below horizon");
        return guitest::Click(w, "OK");
      });
  guitest::RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  ASSERT_GT(cities.size(), 500u);
  EXPECT_EQ(cities.front(), "");
  EXPECT_NE(std::find(cities.begin(), cities.end(), kZurich), cities.end());
  EXPECT_EQ(getCity(), "Z\xFCrich");  // stored in the city file's encoding
  EXPECT_EQ(getCandleLightingMin(), 18);
  EXPECT_EQ(getHavdalahIsMin(), 0);
  EXPECT_EQ(getHavdalahValue(), "8.5");
}

TEST_F(SettingsDialogTest, AnotherCityChangesTheFridayTimes) {
  guitest::ShowMonth({1, 6, 2024});
  const std::vector<std::string> before = guitest::CellTimes();
  ASSERT_FALSE(before.empty());
  guitest::UserScript user;
  user.Then("choose Jerusalem", [] {
    GtkWidget* w = Shown(kTitle);
    if (!w) return false;
    guitest::Choose(guitest::Beside(w, "Location:", GTK_TYPE_COMBO_BOX), "Jerusalem");
    return guitest::Click(w, "OK");
  });
  guitest::RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_TRUE(guitest::RedrawRequested());
  const std::vector<std::string> after = guitest::CellTimes();
  EXPECT_NE(after, before);
  // The second time of the month is the candle lighting of Friday 7 June
  // (the first is the end of Shabbat on 1 June), 18 minutes before sunset
  // in summer time; published sunsets: about 21:27 in Pforzheim, 19:45 in Jerusalem.
  ASSERT_GE(before.size(), 2u);
  ASSERT_GE(after.size(), 2u);
  EXPECT_NEAR(MinutesOf12Hour(before[1]), 21 * 60 + 9, 5) << before[1];
  EXPECT_NEAR(MinutesOf12Hour(after[1]), 19 * 60 + 27, 5) << after[1];
  // And every time the view shows is the one computed for the new city.
  std::vector<std::string> expected;
  for (int day = 1; day <= 30; ++day) {
    std::string text;
    GetShabbatTime(AbsoluteFromGregorian(day, 6, 2024), &text, nullptr, nullptr);
    if (!text.empty()) expected.push_back(text);
  }
  EXPECT_EQ(after, expected);
}

TEST_F(SettingsDialogTest, AccentedCityChosenInTheDialogGetsItsFridayTime) {
  guitest::ShowMonth({1, 6, 2024});
  guitest::UserScript user;
  user.Then("choose Zurich", [] {
    GtkWidget* w = Shown(kTitle);
    if (!w) return false;
    guitest::Choose(guitest::Beside(w, "Location:", GTK_TYPE_COMBO_BOX), kZurich);
    return guitest::Click(w, "OK");
  });
  guitest::RunMenuCommand(kCmdShabbatTimes, user);
  guitest::RedrawRequested();
  const std::vector<std::string> times = guitest::CellTimes();
  ASSERT_GE(times.size(), 2u) << "the city was not found after storing it";
  // Friday 7 June 2024; published sunset in Zurich: about 21:21.
  EXPECT_NEAR(MinutesOf12Hour(times[1]), 21 * 60 + 3, 5) << times[1];
  // Opened again, the dialog shows the city as chosen.
  guitest::UserScript again;
  again.Then("look and cancel", [] {
    GtkWidget* w = Shown(kTitle);
    if (!w) return false;
    EXPECT_EQ(guitest::ChoiceText(guitest::Beside(w, "Location:", GTK_TYPE_COMBO_BOX)), kZurich);
    return guitest::Click(w, "Cancel");
  });
  guitest::RunMenuCommand(kCmdShabbatTimes, again);
}

}  // namespace
