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
// summer time. Published sunsets: about 21:27 in Pforzheim, 19:45 in
// Jerusalem and 21:21 in Zurich (an accented name stored and found again).
TEST_F(SettingsDialogTest, AnotherCityChangesTheFridayTimes) {
  ShowMonth({1, 6, 2024});
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 21 * 60 + 9, 5) << CellTimes().at(1);
  ChooseCity("Jerusalem", "Jerusalem");
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 19 * 60 + 27, 5) << CellTimes().at(1);
  ChooseCity(kZurich, "zurich");
  ASSERT_GE(CellTimes().size(), 2u) << "the city was not found after storing it";
  EXPECT_NEAR(Minutes(CellTimes().at(1)), 21 * 60 + 3, 5) << CellTimes().at(1);
  UserScript again;
  again.Then("shown as chosen; cancel", On(kTitle, [](GtkWidget* w) {
    EXPECT_EQ(ChosenCity(w), kZurich);
    Click(w, "Cancel");
  }));
  RunMenuCommand(kCmdShabbatTimes, again);
}

}  // namespace
