#include "suntimes/shabbat_form.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "suntimes/cities.h"
#include "suntimes/shabbat_times.h"
#include "suntimes_env.h"

namespace {

class ShabbatFormTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    // ISO-8859-1, as city files are: 0xFC is u-umlaut.
    testenv::WriteFile(home_.lumaro("cities"),
                       "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1\n");
  }
};

constexpr const char* kNoLocation = "A location must be selected";
constexpr const char* kBadCandle = "Candle Lighting must be an integer number";
constexpr const char* kBadHavdalah = "Havdalah must be a number";

TEST_F(ShabbatFormTest, ChecksInOrderAndChangesNothingOnFailure) {
  const struct {
    ShabbatTimesForm form;
    const char* message;
  } cases[] = {
      {{"", "x", "y", true}, kNoLocation},  // the location comes first
      {{"\xD7\x99\xD7\xA8\xD7\x95\xD7\xA9\xD7\x9C\xD7\x99\xD7\x9D", "18", "45", true}, kNoLocation},  // not ISO-8859-1
      {{"Pforzheim", "-5", "45", true}, kBadCandle},
      {{"Pforzheim", "1 8", "45", true}, kBadCandle},
      {{"Pforzheim", "", "45", true}, kBadCandle},
      {{"Pforzheim", "18.5", "45", true}, kBadCandle},
      {{"Pforzheim", "99999999999", "45", true}, kBadCandle},
      {{"Pforzheim", "18", "8.5", true}, kBadHavdalah},  // minutes are whole
      {{"Pforzheim", "18", "-8.5", false}, kBadHavdalah},
      {{"Pforzheim", "18", "1.2.3", false}, kBadHavdalah},
      {{"Pforzheim", "18", "", false}, kBadHavdalah},  // Shabbat would have no end
      {{"Pforzheim", "18", ".", false}, kBadHavdalah},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form.location + "|" + c.form.candleLighting + "|" + c.form.havdalah);
    EXPECT_EQ(ShabbatTimesFormApply(c.form), c.message);
    EXPECT_EQ(getCity(), "Pforzheim");
    EXPECT_EQ(getCandleLightingMin(), 18);
    EXPECT_EQ(getHavdalahValue(), "45");
    EXPECT_EQ(getHavdalahIsMin(), 1);
  }
}

// The list offers names in UTF-8; the setting holds the file's encoding,
// the dialog shows it in UTF-8 again, and the city's Friday gets its time.
TEST_F(ShabbatFormTest, AccentedCityIsStoredInTheFileEncodingAndFound) {
  const std::string zurichUtf8 = "Z\xC3\xBCrich";
  ASSERT_EQ(CityGetStringList(getCityFileName()), (std::vector<std::string>{"", "Pforzheim", zurichUtf8}));
  EXPECT_EQ(ShabbatTimesFormApply({zurichUtf8, "20", "8.5", false}), "");
  EXPECT_EQ(getCity() + "|" + std::to_string(getCandleLightingMin()) + "|" + getHavdalahValue(), "Z\xFCrich|20|8.5");
  EXPECT_EQ(getHavdalahIsMin(), 0);
  EXPECT_EQ(ShabbatTimesFormFromSettings().location, zurichUtf8);
  std::string text;
  GetShabbatTime(AbsoluteFromGregorian(7, 6, 2024), &text, nullptr, nullptr);
  EXPECT_FALSE(text.empty());
}

}  // namespace
