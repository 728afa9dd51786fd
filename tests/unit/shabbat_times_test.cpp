#include "calendar/festivals.h"
#include "compose/current_options.h"
#include "suntimes/shabbat_times.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "forms/shabbat_form.h"
#include "reference_data.h"
#include "suntimes/cities.h"
#include "suntimes/sunrise.h"
#include "suntimes/timeformat.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class ShabbatTimes : public testenv::SunTimesTest {
 protected:
  struct Shown {
    std::string text = "stale";
    int candles = -1, havdalah = -1;
  };
  static Shown Get(const Options& o, const GregorianDate& d) {
    Shown s;
    EveningTimesFor(o.rules, o.times).Text(AbsoluteFromGregorian(d), &s.text, &s.candles, &s.havdalah);
    return s;
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
    const ClockStyle clock{row[0] == "24h" ? kTimeFormat24 : kTimeFormat12,
                           isRightToLeftLanguage(row[1] == "yiddish" ? kLanguageYiddish : kLanguageEnglish)};
    std::string text;
    TimeformatFormatTime(std::stoi(row[2]), std::stoi(row[3]), clock, &text);
    EXPECT_EQ(text, row[4]) << row[2] << ":" << row[3];
  }
}

// The days on which work is forbidden, as a printed luach lists them.
bool FestivalDayByDate(AbsoluteDay d, bool diaspora) {
  const HebrewDate h = HebrewFromAbsolute(d);
  static constexpr std::pair<int, int> kDays[] = {{1, kTishri},  {2, kTishri}, {10, kTishri}, {15, kTishri},
                                                  {22, kTishri}, {15, kNisan}, {21, kNisan},  {6, kSivan},
                                                  {16, kTishri}, {23, kTishri}, {16, kNisan}, {22, kNisan}, {7, kSivan}};
  for (size_t i = 0; i < (diaspora ? 13u : 8u); ++i)
    if (h.day == kDays[i].first && h.month == kDays[i].second) return true;
  return false;
}

EveningTime Evening(char c) {
  return c == 'C' ? EveningTime::kCandleLighting
         : c == 'A' ? EveningTime::kCandleLightingAfterNightfall
         : c == 'H' ? EveningTime::kHavdalah
                    : EveningTime::kNone;
}

// Evenings around festivals in known years, and every day of four centuries:
// the evening time follows from the festival days and the weekday, and every
// case of the rule occurs.
TEST_F(ShabbatTimes, EveningRule) {
  for (const auto& row : testenv::CaseRows("evening_times.tsv")) {
    const AbsoluteDay first = *testdata::IsoDay(row[0]);
    for (size_t i = 0; i < row[1].size(); ++i) {
      EXPECT_EQ(EveningTimeOf(first + static_cast<int>(i), kDiasporaRules), Evening(row[1][i])) << row[3] << " D" << i;
      EXPECT_EQ(EveningTimeOf(first + static_cast<int>(i), kIsraelRules), Evening(row[2][i])) << row[3] << " I" << i;
    }
  }
  for (const bool diaspora : {false, true}) {
    const CalendarRules& rules = diaspora ? kDiasporaRules : kIsraelRules;
    std::array<int, 7> reached{};
    for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5600); d < AbsoluteFromHebrew(1, kTishri, 6000); ++d) {
      const int weekday = WeekdayOf(d);
      const bool today = FestivalDayByDate(d, diaspora), tomorrow = FestivalDayByDate(d + 1, diaspora);
      ASSERT_EQ(IsFestivalDay(d, rules), today) << d;
      const int c = weekday == kFriday              ? 0
                    : tomorrow && today             ? 1
                    : tomorrow && weekday == kShabbat ? 2
                    : tomorrow                      ? 3
                    : weekday == kShabbat           ? 4
                    : today                         ? 5
                                                    : 6;
      ++reached[static_cast<size_t>(c)];
      ASSERT_EQ(EveningTimeOf(d, rules), Evening("CAACHH-"[c])) << "day " << d << (diaspora ? " Diaspora" : " Israel");
    }
    for (int n : reached) EXPECT_GT(n, 0);
  }
}

// Shown times at Pforzheim, an hour later in summer time; the value behind
// them; the flags may be omitted.
TEST_F(ShabbatTimes, ShownTimes) {
  Options o = CurrentOptions();
  o.times.clock.format = kTimeFormat24;
  for (const auto& row : testenv::CaseRows("shown_evening_times.tsv")) {
    SCOPED_TRACE(row[0] + " " + row[6]);
    o.rules.diaspora = row[1] == "D";
    const GregorianDate date = GregorianFromAbsolute(*testdata::IsoDay(row[0]));
    const Shown s = Get(o, date);
    EXPECT_EQ(s.candles * 10 + s.havdalah, std::stoi(row[2]) * 10 + std::stoi(row[3]));
    const int minutes = Sunset(date) + std::stoi(row[4]);
    EXPECT_EQ(s.text, s.candles || s.havdalah ? Clock(minutes + 60 * std::stoi(row[5])) : "");
    ShabbatTimeValue v;
    EXPECT_EQ(EveningTimesFor(o.rules, o.times).Value(AbsoluteFromGregorian(date), &v), s.candles || s.havdalah);
    if (s.candles || s.havdalah) {
      EXPECT_EQ(v.standardMinutes, minutes);
      EXPECT_EQ(v.gmtOffset, 1);
    }
  }
  std::string text;
  EveningTimesFor(o.rules, o.times).Text(AbsoluteFromGregorian(25, 6, 2010), &text, nullptr, nullptr);
  EXPECT_EQ(text, Clock(Sunset({25, 6, 2010}) - 18 + 60));
}

// Where no time can be computed the flags stay: the sun does not reach the
// angle, the city is unknown, the expression does not parse, the daylight
// saving rule is invalid. Sydney keeps its own summer rule.
TEST_F(ShabbatTimes, NoTimeButTheFlagsStay) {
  Options o = CurrentOptions();
  auto expectNoTime = [&o](const GregorianDate& d, int candles, int havdalah) {
    const Shown s = Get(o, d);
    EXPECT_EQ(s.candles * 10 + s.havdalah, candles * 10 + havdalah);
    EXPECT_EQ(s.text, "");
  };
  const GregorianDate friday{25, 6, 2010};
  o.times.city = "Helsinki";  // havdalah by 8.5 deg in early summer: never
  o.times.havdalahInMinutes = false;
  o.times.havdalahValue = "8.5";
  expectNoTime({19, 6, 2010}, 0, 1);
  EXPECT_NE(Get(o, {18, 12, 2010}).text, "");  // in winter it does
  o.times.city = "Atlantis";
  expectNoTime(friday, 1, 0);
  o.times.city = "Pforzheim";
  o.times.candleMinutes = -5;
  CaptureStdout();
  expectNoTime(friday, 1, 0);
  EXPECT_NE(GetCapturedStdout().find("  Original expression: sunset - -5\n"), std::string::npos);
  o.times.candleMinutes = 18;
  DstSetting broken;
  broken.endMonth = 0;
  o.times.dstRule = broken;
  expectNoTime(friday, 1, 0);
  o.times.dstRule.reset();  // daylight saving off: the rule is not looked at
  o.times.clock.format = kTimeFormat24;
  EXPECT_EQ(Get(o, friday).text, Clock(Sunset(friday) - 18));
  o.times.city = "Sydney";
  DstSetting sydney;
  sydney.startWeekNo = sydney.endWeekNo = 1;
  sydney.startMonth = 10;
  sydney.endMonth = 4;
  o.times.dstRule = sydney;
  EXPECT_EQ(Get(o, {24, 12, 2010}).text, Clock(Sunset({24, 12, 2010}, -3352, 15112, 10) - 18 + 60));
  EXPECT_EQ(Get(o, friday).text, Clock(Sunset(friday, -3352, 15112, 10) - 18));
}

// A form that fails changes nothing; the search keys of city names.
TEST_F(ShabbatTimes, Form) {
  for (const auto& row : testenv::CaseRows("shabbat_form_cases.tsv")) {
    SCOPED_TRACE(row[0] + "|" + row[1] + "|" + row[2]);
    EXPECT_EQ(ShabbatTimesFormApply({row[0], row[1], row[2], row[3] == "1"}), row[4]);
    EXPECT_EQ(getCity() + "|" + std::to_string(getCandleLightingMin()) + "|" + getHavdalahValue(), "Pforzheim|18|45");
    EXPECT_EQ(getHavdalahIsMin(), 1);
  }
  for (const auto& row : testenv::CaseRows("city_search_keys.tsv")) EXPECT_EQ(CitySearchKey(row[0]), row[1]);
  // The list the form offers: sorted by search key, each with its zone.
  const std::string file = home_.path() + "/zones";
  testenv::WriteFile(file, "\"Reykjavik\", 64,8 N, 21,54 W, GMT\n\"New York\", 40,43 N, 74,0 W, GMT-5\n"
                           "\"Kolkata\", 22,34 N, 88,22 E, GMT+5:30, Asia/Kolkata\n\"Haifa\", 32,49 N, 34,59 E, GMT+2\n");
  std::string got;
  for (const CityChoice& c : ShabbatFormCities(file)) got += c.name + " " + c.zone + ";";
  EXPECT_EQ(got, "Haifa GMT+2;Kolkata Asia/Kolkata;New York GMT-5;Reykjavik GMT;");
}

}  // namespace
