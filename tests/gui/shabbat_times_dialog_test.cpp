// The Shabbat-times dialog: its checks, and the Friday times of the month
// view for the city chosen, against published sunsets.
#include "gui_test_util.h"

namespace {

using namespace guitest;

constexpr const char* kTitle = "Configure Shabbat Times";
const std::string kZurich = "Z\xC3\xBCrich";  // UTF-8, as the list shows it

// Chooses `city` in the dialog by typing `search` and confirms.
void ChooseCity(const std::string& city, const std::string& search) {
  UserScript user;
  user.Then("choose " + city, On(kTitle, [city, search](GtkWidget* w) {
    TypeCitySearch(w, search);
    ChooseCityRow(w, city);
    Click(w, "OK");
  }));
  RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_TRUE(RedrawRequested());
}

TEST_F(SettingsDialogTest, ShabbatTimesShowsTheSettingsAndValidatesInOrder) {
  std::vector<std::string> cities;
  auto edit = [](const char* search, const char* candle, const char* havdalah) {
    return On(kTitle, [=](GtkWidget* w) {
      if (search) TypeCitySearch(w, search);
      if (candle) SetEntry(w, "Candle Lighting:", candle);
      if (havdalah) SetEntry(w, "End of Shabbat:", havdalah);
      Click(w, "OK");
    });
  };
  UserScript user;
  user.Then("look", On(kTitle, [&](GtkWidget* w) {
        cities = CityRows(w);
        EXPECT_EQ(ChosenCity(w), "Pforzheim");
        EXPECT_EQ(EntryText(w, "Candle Lighting:") + " " + EntryText(w, "End of Shabbat:"), "18 45");
        EXPECT_TRUE(IsOn(w, "min"));
      }))
      .Then("screenshot", ScreenshotOf(kTitle, "shabbat-times"))
      .Then("a search that finds nothing, bad number", edit("no such place", "abc", nullptr))
      .Then("location message", ExpectMessage("A location must be selected"))
      // Typed without the accent and in capitals, the first city found is taken.
      .Then("negative minutes", edit("ZURI", "-5", nullptr))
      .Then("candle message", ExpectMessage("Candle Lighting must be an integer number"))
      .Then("decimal minutes", edit(nullptr, " 18 ", "8.5"))
      .Then("havdalah message", ExpectMessage("Havdalah must be a number"))
      .Then("degrees", On(kTitle, [](GtkWidget* w) {
        EXPECT_EQ(CityRows(w), std::vector<std::string>{kZurich});
        Click(w, "degrees below horizon");
        Click(w, "OK");
      }));
  RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_TRUE(RedrawRequested());
  ASSERT_GT(cities.size(), 500u);
  EXPECT_NE(std::find(cities.begin(), cities.end(), kZurich), cities.end());
  EXPECT_EQ(getCity(), "Z\xFCrich");  // stored in the city file's encoding
  EXPECT_EQ(getCandleLightingMin(), 18);
  EXPECT_EQ(getHavdalahIsMin(), 0);
  EXPECT_EQ(getHavdalahValue(), "8.5");
}

// Choosing a city puts its own candle-lighting minutes into the field (a
// city without them gives the earlier value back); while the manual
// daylight-saving rule is in force a city with a time zone offers it in one
// line under the list, whose check box turns the city's zone on.
TEST_F(SettingsDialogTest, ShabbatTimesCityMinutesAndTheOfferOfItsZone) {
  setDSTAutomatic(0);
  auto offered = [](GtkWidget* w) {
    bool mapped = false;
    ForEachDescendant(w, [&](GtkWidget* c) {
      if (GTK_IS_LABEL(c) && std::string(gtk_label_get_text(GTK_LABEL(c))) == "This city's own clock changes can be used:")
        mapped = gtk_widget_get_mapped(c);
    });
    return mapped;
  };
  testenv::WriteFile(home_.lumaro("cities"),
                     "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n"
                     "\"Jerusalem\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=40\n"
                     "\"Haifa\", 32,49 N, 34,59 E, GMT+2, Asia/Jerusalem, candles=30\n"
                     "\"New York City\", 40,43 N, 74,0 W, GMT-5, America/New_York\n");
  UserScript user;
  user.Then("choose", On(kTitle, [&](GtkWidget* w) {
    EXPECT_FALSE(offered(w));  // Pforzheim's line names no zone
    SetEntry(w, "Candle Lighting:", "22");
    TypeCitySearch(w, "Jerusalem");
    ChooseCityRow(w, "Jerusalem");
    EXPECT_EQ(EntryText(w, "Candle Lighting:"), "40");
    EXPECT_TRUE(offered(w));
    TypeCitySearch(w, "Haifa");
    ChooseCityRow(w, "Haifa");
    EXPECT_EQ(EntryText(w, "Candle Lighting:"), "30");
    TypeCitySearch(w, "Pforzheim");
    ChooseCityRow(w, "Pforzheim");
    EXPECT_EQ(EntryText(w, "Candle Lighting:"), "22");  // the user's own minutes again
    EXPECT_FALSE(offered(w));
    TypeCitySearch(w, "Jerusalem");
    ChooseCityRow(w, "Jerusalem");
    SetEntry(w, "Candle Lighting:", "35");  // changed after the city's 40: kept
    TypeCitySearch(w, "New York City");
    ChooseCityRow(w, "New York City");
    EXPECT_EQ(EntryText(w, "Candle Lighting:"), "35");
    ASSERT_TRUE(offered(w));
    SetToggle(FindButton(w, "Automatic (the city's time zone)"), true);
    Screenshot(w, "shabbat-times-city-zone");
    Click(w, "OK");
  }));
  RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_EQ(getCity() + " " + std::to_string(getCandleLightingMin()) + " " + std::to_string(getDSTAutomatic()),
            "New York City 35 1");
  // With the city's zone in force nothing is offered; Cancel changes nothing.
  UserScript again;
  again.Then("look", On(kTitle, [&](GtkWidget* w) {
    EXPECT_FALSE(offered(w));
    Click(w, "Cancel");
  }));
  RunMenuCommand(kCmdShabbatTimes, again);
  EXPECT_EQ(getDSTAutomatic(), 1);
}

// Typing part of a name narrows the list to the cities that hold it, with
// their zones beside them; clearing the field lists them all again.
TEST_F(SettingsDialogTest, TheCitySearchNarrowsTheList) {
  UserScript user;
  user.Then("search", On(kTitle, [](GtkWidget* w) {
    const size_t all = CityRows(w).size();
    TypeCitySearch(w, "jerus");
    EXPECT_EQ(CityRows(w), std::vector<std::string>{"Jerusalem"});
    EXPECT_EQ(ChosenCity(w), "Jerusalem");
    GtkWidget* list = CityPickerList(CityPickerIn(w));
    GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(list));
    GtkTreeIter it;
    ASSERT_TRUE(gtk_tree_model_get_iter_first(model, &it));
    gchar* zone = nullptr;
    gtk_tree_model_get(model, &it, 1, &zone, -1);
    EXPECT_STREQ(zone, "Asia/Jerusalem");
    g_free(zone);
    TypeCitySearch(w, "new york");
    EXPECT_EQ(CityRows(w), std::vector<std::string>{"New York City"});
    TypeCitySearch(w, "");
    EXPECT_EQ(CityRows(w).size(), all);
    EXPECT_EQ(ChosenCity(w), "New York City") << "the city chosen stays chosen";
    Click(w, "Cancel");
  }));
  RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_EQ(getCity(), "Pforzheim");
}

// The second time of June 2024 is the candle lighting of Friday 7 June
// (the first is the end of Shabbat on 1 June), 18 minutes before sunset in
// summer time (40 in Jerusalem, whose minutes come with the city). Published
// sunsets: about 21:27 in Pforzheim, 19:45 in Jerusalem and 21:21 in Zurich
// (an accented name stored and found again).
TEST_F(SettingsDialogTest, AnotherCityChangesTheFridayTimes) {
  ShowMonth({1, 6, 2024});
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 21 * 60 + 9, 5) << CellTimes().at(1);
  ChooseCity("Jerusalem", "Jerusalem");
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 19 * 60 + 5, 5) << CellTimes().at(1);
  EXPECT_EQ(getCandleLightingMin(), 40);
  ChooseCity(kZurich, "zurich");
  ASSERT_GE(CellTimes().size(), 2u) << "the city was not found after storing it";
  // Zurich has no minutes of its own: Jerusalem's 40 stay, as stored.
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 20 * 60 + 41, 5) << CellTimes().at(1);
  UserScript again;
  again.Then("shown as chosen; cancel", On(kTitle, [](GtkWidget* w) {
    EXPECT_EQ(ChosenCity(w), kZurich);
    Click(w, "Cancel");
  }));
  RunMenuCommand(kCmdShabbatTimes, again);
}

// The sun calculation: classic at first with the elevation box greyed out;
// precise with elevation is stored, and moves the Friday time of the month
// view by the dip of Jerusalem's 786 m (its sunset about 5 minutes later).
TEST_F(SettingsDialogTest, ShabbatTimesChoosesTheSunCalculation) {
  ChooseCity("Jerusalem", "Jerusalem");
  ShowMonth({1, 6, 2024});
  const int classic = Minutes(CellTimes().at(1));
  const char* kElevation = "Use elevation for sunrise and sunset";
  UserScript user;
  user.Then("classic, no elevation", On(kTitle, [&](GtkWidget* w) {
        EXPECT_TRUE(IsOn(w, "classic"));
        EXPECT_FALSE(IsOn(w, kElevation));
        EXPECT_FALSE(gtk_widget_is_sensitive(FindButton(w, kElevation)));
        Click(w, "precise");
        EXPECT_TRUE(gtk_widget_is_sensitive(FindButton(w, kElevation)));
        Click(w, kElevation);
      }))
      .Then("screenshot", ScreenshotOf(kTitle, "shabbat-times-precise"))
      .Then("confirm", Press(kTitle, "OK"));
  RunMenuCommand(kCmdShabbatTimes, user);
  EXPECT_EQ(getSunCalculation(), "precise");
  EXPECT_EQ(getSunElevation(), 1);
  ShowMonth({1, 6, 2024});
  EXPECT_NEAR(Minutes(CellTimes().at(1)) - classic, 5, 2) << CellTimes().at(1);

  UserScript back;
  back.Then("shown as stored; back to classic", On(kTitle, [&](GtkWidget* w) {
    EXPECT_TRUE(IsOn(w, "precise"));
    EXPECT_TRUE(IsOn(w, kElevation));
    Click(w, "classic");
    EXPECT_FALSE(gtk_widget_is_sensitive(FindButton(w, kElevation)));
    Click(w, "OK");
  }));
  RunMenuCommand(kCmdShabbatTimes, back);
  EXPECT_EQ(getSunCalculation(), "classic");
  EXPECT_EQ(getSunElevation(), 1);  // kept for the next time precise is chosen
  ShowMonth({1, 6, 2024});
  EXPECT_EQ(Minutes(CellTimes().at(1)), classic);
}

}  // namespace
