#include "suntimes/shabbat_form.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "storage/settings.h"
#include "storage/translate.h"
#include "suntimes/cities.h"
#include "suntimes/shabbat_times.h"
#include "test_env.h"

namespace {

class ShabbatFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // ISO-8859-1, as city files are: 0xFC is u-umlaut.
    testenv::WriteFile(home_.lumaro("cities"),
                       "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n"
                       "\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1\n");
    settingsReset();
    translate_init("english");
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  static ShabbatTimesForm Form(const char* location, const char* candle, const char* havdalah, bool minutes) {
    return {location, candle, havdalah, minutes};
  }
  testenv::TempHome home_;
};

constexpr const char* kNoLocation = "A location must be selected";
constexpr const char* kBadCandle = "Candle Lighting must be an integer number";
constexpr const char* kBadHavdalah = "Havdalah must be a number";

TEST_F(ShabbatFormTest, ChecksInOrderAndChangesNothingOnFailure) {
  struct Case {
    const char* what;
    ShabbatTimesForm form;
    const char* message;
  } cases[] = {
      {"no location comes first", Form("", "x", "y", true), kNoLocation},
      {"sign not allowed", Form("Pforzheim", "-5", "45", true), kBadCandle},
      {"two numbers", Form("Pforzheim", "1 8", "45", true), kBadCandle},
      {"empty candle lighting", Form("Pforzheim", "", "45", true), kBadCandle},
      {"decimal candle lighting", Form("Pforzheim", "18.5", "45", true), kBadCandle},
      {"too large for a number", Form("Pforzheim", "99999999999", "45", true), kBadCandle},
      {"decimal minutes", Form("Pforzheim", "18", "8.5", true), kBadHavdalah},
      {"negative degrees", Form("Pforzheim", "18", "-8.5", false), kBadHavdalah},
      {"two points", Form("Pforzheim", "18", "1.2.3", false), kBadHavdalah},
      // An empty angle would leave Shabbat without an end time, so it is refused.
      {"empty degrees", Form("Pforzheim", "18", "", false), kBadHavdalah},
      {"lone point", Form("Pforzheim", "18", ".", false), kBadHavdalah},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ShabbatTimesFormApply(c.form), c.message);
    EXPECT_EQ(getCity(), "Pforzheim");
    EXPECT_EQ(getCandleLightingMin(), 18);
    EXPECT_EQ(getHavdalahValue(), "45");
    EXPECT_EQ(getHavdalahIsMin(), 1);
  }
}

TEST_F(ShabbatFormTest, AccentedCityIsStoredInTheFileEncodingAndFound) {
  const std::string zurichUtf8 = "Z\xC3\xBCrich";
  ASSERT_EQ(CityGetStringList(getCityFileName()), (std::vector<std::string>{"", "Pforzheim", zurichUtf8}));
  EXPECT_EQ(ShabbatTimesFormApply(Form(zurichUtf8.c_str(), "18", "45", true)), "");
  EXPECT_EQ(getCity(), "Z\xFCrich");
  CityRec city;
  ASSERT_EQ(CityGet(getCityFileName(), getCity(), &city), 1);
  EXPECT_EQ(city.latitude, 4722);
  // Friday 7 June 2024 now has a candle-lighting time, and the dialog shows
  // the stored name in UTF-8 when it opens again.
  std::string text;
  GetShabbatTime(AbsoluteFromGregorian(7, 6, 2024), &text, nullptr, nullptr);
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(ShabbatTimesFormFromSettings().location, zurichUtf8);
}

TEST_F(ShabbatFormTest, NameOutsideLatin1CannotBeStored) {
  // Not a name the list offers: the file's encoding cannot hold it.
  EXPECT_EQ(ShabbatTimesFormApply(Form("\xD7\x99\xD7\xA8\xD7\x95\xD7\xA9\xD7\x9C\xD7\x99\xD7\x9D", "18", "45", true)),
            kNoLocation);
  EXPECT_EQ(getCity(), "Pforzheim");
}

}  // namespace
