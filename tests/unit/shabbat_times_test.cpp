// The evening times of the month view (candle lighting, havdalah): clock texts, which evening gets which time
// (tests/data/evening_times.tsv, a printed luach), the shown times at Pforzheim, the cases without a time, and the
// Shabbat-times form.
#include "suntimes/shabbat_times.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "forms/shabbat_form.h"
#include "reference_data.h"
#include "suntimes/cities.h"
#include "suntimes/sunrise.h"
#include "suntimes/timeformat.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;

class ShabbatTimes : public testenv::SunTimesTest {
 protected:
  // The text shown for the day and its candle and havdalah flags.
  static std::string Get(const Options& o, const GregorianDate& d, int* candles = nullptr, int* havdalah = nullptr) {
    std::string text = "stale";
    EveningTimesFor(o.rules, o.times).Text(AbsoluteFromGregorian(d), &text, candles, havdalah);
    return text;
  }
  // Sunset in standard time, from the sun module directly (Pforzheim).
  static int Sunset(const GregorianDate& d, int latitude = 4853, int longitude = 842, int zone = 1) {
    int h = 0, m = 0;
    EXPECT_EQ(GetSunsetSunrise(d.day, d.month, d.year, 0, latitude, longitude, zone, &h, &m), 1);
    return h * 60 + m;
  }
};

// Clock texts and havdalah expressions as rows of tests/data/time_formats.tsv.
TEST_F(ShabbatTimes, TimeFormat) {
  for (const auto& row : testenv::CaseRows("time_formats.tsv")) {
    if (row[0] == "havdalah") {
      EXPECT_EQ(ShabbatHavdalahExpression(true, row[1]), row[2]);
      continue;
    }
    const ClockStyle clock{row[0].rfind("24h", 0) == 0 ? kTimeFormat24 : kTimeFormat12,
                           isRightToLeftLanguage(row[1] == "yiddish" ? kLanguageYiddish : kLanguageEnglish)};
    std::string text;
    TimeformatFormatTime(std::stoi(row[2]), std::stoi(row[3]), clock, &text);
    if (row[0].find("-listed") != std::string::npos)
      text = TimeformatListedTime(std::stoi(row[2]), std::stoi(row[3]), clock);
    EXPECT_EQ(text, row[4]) << row[2] << ":" << row[3];
  }
}

TEST_F(ShabbatTimes, EveningRule) {
  const std::string letters = "CAH-";
  const EveningTime evenings[] = {EveningTime::kCandleLighting, EveningTime::kCandleLightingAfterNightfall,
                                  EveningTime::kHavdalah, EveningTime::kNone};
  for (const auto& row : testenv::CaseRows("evening_times.tsv")) {
    for (size_t i = 0; i < row[1].size(); ++i) {
      const AbsoluteDay d = *testdata::IsoDay(row[0]) + static_cast<int>(i);
      EXPECT_EQ(EveningTimeOf(d, kDiasporaRules), evenings[letters.find(row[1][i])]) << row[3] << " D" << i;
      EXPECT_EQ(EveningTimeOf(d, kIsraelRules), evenings[letters.find(row[2][i])]) << row[3] << " I" << i;
    }
  }
}

// Shown times at Pforzheim, an hour later in summer time; the value behind them; the flags may be omitted.
TEST_F(ShabbatTimes, ShownTimes) {
  Options o = CurrentOptions();
  o.times.clock.format = kTimeFormat24;
  for (const auto& row : testenv::CaseRows("shown_evening_times.tsv")) {
    SCOPED_TRACE(row[0] + " " + row[6]);
    o.rules.diaspora = row[1] == "D";
    const GregorianDate date = GregorianFromAbsolute(*testdata::IsoDay(row[0]));
    int candles = -1, havdalah = -1;
    const std::string text = Get(o, date, &candles, &havdalah);
    EXPECT_EQ(candles * 10 + havdalah, std::stoi(row[2]) * 10 + std::stoi(row[3]));
    const int minutes = Sunset(date) + std::stoi(row[4]);
    EXPECT_EQ(text, candles || havdalah ? Clock(minutes + 60 * std::stoi(row[5])) : "");
    ShabbatTimeValue v;
    EXPECT_EQ(EveningTimesFor(o.rules, o.times).Value(AbsoluteFromGregorian(date), &v), candles || havdalah);
    EXPECT_TRUE(!(candles || havdalah) || (v.standardMinutes == minutes && v.gmtOffset == 1)) << v.standardMinutes;
  }
  EXPECT_EQ(Get(o, {25, 6, 2010}), Clock(Sunset({25, 6, 2010}) - 18 + 60));
}

// Where no time can be computed the flags stay: the sun does not reach the angle, the city is unknown, the expression
// does not parse, the daylight saving rule is invalid.
TEST_F(ShabbatTimes, NoTimeButTheFlagsStay) {
  Options o = CurrentOptions();
  auto expectNoTime = [&o](const GregorianDate& d, int candles, int havdalah) {
    int c = -1, h = -1;
    EXPECT_EQ(Get(o, d, &c, &h), "");
    EXPECT_EQ(c * 10 + h, candles * 10 + havdalah);
  };
  const GregorianDate friday{25, 6, 2010};
  o.times.city = "Helsinki";  // havdalah by 8.5 deg in early summer: never
  o.times.havdalahInMinutes = false;
  o.times.havdalahValue = "8.5";
  expectNoTime({19, 6, 2010}, 0, 1);
  EXPECT_NE(Get(o, {18, 12, 2010}), "");  // in winter it does
  o.times.city = "Atlantis";
  expectNoTime(friday, 1, 0);
  o.times.city = "Pforzheim";
  o.times.candleMinutes = -5;
  testing::internal::CaptureStdout();
  expectNoTime(friday, 1, 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("  Original expression: sunset - -5\n"), std::string::npos);
  o.times.candleMinutes = 18;
  o.times.dstRule = DstSetting();
  o.times.dstRule->endMonth = 0;
  expectNoTime(friday, 1, 0);
  o.times.dstRule.reset();  // daylight saving off: the rule is not looked at
  o.times.clock.format = kTimeFormat24;
  EXPECT_EQ(Get(o, friday), Clock(Sunset(friday) - 18));
}

// A form that fails changes nothing; the search keys of city names.
TEST_F(ShabbatTimes, Form) {
  for (const auto& row : testenv::CaseRows("shabbat_form_cases.tsv")) {
    SCOPED_TRACE(row[0] + "|" + row[1] + "|" + row[2]);
    EXPECT_EQ(ShabbatTimesFormApply({row[0], row[1], row[2], row[3] == "1"}), row[4]);
    EXPECT_EQ(getCity() + "|" + std::to_string(getCandleLightingMin()) + "|" + getHavdalahValue() + "|" +
                  std::to_string(getHavdalahIsMin()),
              "Pforzheim|18|45|1");
  }
  for (const auto& row : testenv::CaseRows("city_search_keys.tsv")) EXPECT_EQ(CitySearchKey(row[0]), row[1]);
  // The list the form offers: sorted by search key, each with its zone.
  const std::string file = home_.path() + "/zones";
  testenv::WriteFile(file,
                     "\"Reykjavik\", 64,8 N, 21,54 W, GMT\n\"New York\", 40,43 N, 74,0 W, GMT-5\n"
                     "\"Kolkata\", 22,34 N, 88,22 E, GMT+5:30, Asia/Kolkata\n\"Haifa\", 32,49 N, 34,59 E, GMT+2\n");
  std::string got;
  for (const CityChoice& c : ShabbatFormCities(file)) got += c.name + " " + c.zone + ";";
  EXPECT_EQ(got, "Haifa GMT+2;Kolkata Asia/Kolkata;New York GMT-5;Reykjavik GMT;");
}

}  // namespace
