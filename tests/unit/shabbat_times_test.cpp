#include "suntimes/shabbat_times.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "calendar/festivals.h"
#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "suntimes/cities.h"
#include "forms/shabbat_form.h"
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
  static Shown Get(const GregorianDate& d) {
    Shown s;
    GetShabbatTime(AbsoluteFromGregorian(d), &s.text, &s.candles, &s.havdalah);
    return s;
  }
  // Sunset in standard time, from the sun module directly (Pforzheim).
  static int Sunset(const GregorianDate& d, int latitude = 4853, int longitude = 842, int zone = 1) {
    int h = 0, m = 0;
    EXPECT_EQ(GetSunsetSunrise(d.day, d.month, d.year, 0, latitude, longitude, zone, &h, &m), 1);
    return h * 60 + m;
  }
};

TEST_F(ShabbatTimes, TimeFormat) {
  const struct {
    int format, hour, minute;
    const char* text;
  } cases[] = {
      {0, 0, 0, "12:00AM"},   {0, 12, 0, "12:00PM"},  {0, 0, 30, "12:30AM"}, {0, 19, 5, "07:05PM"},
      {0, 11, 59, "11:59AM"}, {0, 24, 10, "12:10PM"}, {1, 19, 5, "19:05"},   {1, 0, 0, "00:00"},
      {1, 24, 3, "24:03"},
  };
  for (const auto& c : cases) {
    setTimeFormat(c.format);
    EXPECT_EQ(TimeformatFormatTime(c.hour, c.minute), c.text) << c.hour << ":" << c.minute;
  }
  // A right-to-left interface puts a space before the suffix.
  setTimeFormat(0);
  setLanguage(kLanguageYiddish);
  EXPECT_EQ(TimeformatFormatTime(19, 5), "07:05 PM");
  setLanguage(kLanguageEnglish);
  // Any other clock setting leaves the text alone.
  setTimeFormat(2);
  std::string text = "kept";
  TimeformatFormatTime(19, 5, &text);
  EXPECT_EQ(text, "kept");
}

// The havdalah minutes are the whole number the setting's text starts with
// (the default expressions and the angle form are used in the tests below).
TEST_F(ShabbatTimes, HavdalahMinutesFromTheSettingText) {
  for (const auto& [value, expression] :
       {std::pair{"50 min", "sunset + 50"}, {"abc", "sunset + 0"}, {"99999999999999", "sunset + 2147483647"}}) {
    EXPECT_EQ(ShabbatHavdalahExpression(true, value), expression);
  }
}

constexpr EveningTime kN = EveningTime::kNone;
constexpr EveningTime kC = EveningTime::kCandleLighting;
constexpr EveningTime kA = EveningTime::kCandleLightingAfterNightfall;
constexpr EveningTime kH = EveningTime::kHavdalah;

// The days on which work is forbidden, as a printed luach lists them: the
// Hebrew dates in Israel, and the second days the Diaspora adds.
bool FestivalDayByDate(AbsoluteDay d, bool diaspora) {
  const HebrewDate h = HebrewFromAbsolute(d);
  static constexpr std::pair<int, int> kIsrael[] = {{1, kTishri},  {2, kTishri}, {10, kTishri}, {15, kTishri},
                                                    {22, kTishri}, {15, kNisan}, {21, kNisan},  {6, kSivan}};
  static constexpr std::pair<int, int> kDiaspora[] = {
      {16, kTishri}, {23, kTishri}, {16, kNisan}, {22, kNisan}, {7, kSivan}};
  for (const auto& [day, month] : kIsrael)
    if (h.day == day && h.month == month) return true;
  if (!diaspora) return false;
  for (const auto& [day, month] : kDiaspora)
    if (h.day == day && h.month == month) return true;
  return false;
}

// Evenings around festivals in known years, Diaspora and Israel, day by day
// from the first date on.
TEST_F(ShabbatTimes, EveningsAroundFestivals) {
  const struct {
    const char* what;
    GregorianDate first;
    std::vector<EveningTime> diaspora, israel;
  } cases[] = {
      // Tue-Wed: the second evening gets candles, the second day havdalah.
      {"Rosh HaShana 5786, Tue-Wed", {22, 9, 2025}, {kC, kA, kH, kN}, {kC, kA, kH, kN}},
      // Thu-Fri: Shabbat follows; its candles before sunset on the festival.
      {"Rosh HaShana 5785, Thu-Fri", {2, 10, 2024}, {kC, kA, kC, kH, kN}, {kC, kA, kC, kH, kN}},
      {"Yom Kippur 5785 on Shabbat", {11, 10, 2024}, {kC, kH, kN}, {kC, kH, kN}},
      {"Yom Kippur 5786 on Thursday", {1, 10, 2025}, {kC, kH, kC}, {kC, kH, kC}},
      // Sat-Sun: the Saturday night before the second day is no havdalah.
      {"Sukkot 5784, Sat-Sun", {29, 9, 2023}, {kC, kA, kH, kN}, {kC, kH, kN, kN}},
      {"Shemini Atseret 5785, Thu-Fri", {23, 10, 2024}, {kC, kA, kC, kH}, {kC, kH, kC, kH}},
      // Fri-Sat: Shabbat candles on the festival, then havdalah.
      {"Shavuot 5783, Fri-Sat", {25, 5, 2023}, {kC, kC, kH, kN}, {kC, kC, kH, kN}},
      // Pesakh on Sunday: the Saturday night before it.
      {"Pesakh 5785, Sun-Mon", {11, 4, 2025}, {kC, kA, kA, kH, kN}, {kC, kA, kH, kN, kN}},
      {"the last days of Pesakh 5785, Sat-Sun", {18, 4, 2025}, {kC, kA, kH, kN}, {kC, kH, kN, kN}},
      {"Shavuot 5785, Mon-Tue", {1, 6, 2025}, {kC, kA, kH, kN}, {kC, kH, kN, kN}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const AbsoluteDay first = AbsoluteFromGregorian(c.first);
    for (size_t i = 0; i < c.diaspora.size(); ++i) {
      EXPECT_EQ(EveningTimeOf(first + static_cast<AbsoluteDay>(i), kDiasporaRules), c.diaspora[i]) << "Diaspora, day " << i;
      EXPECT_EQ(EveningTimeOf(first + static_cast<AbsoluteDay>(i), kIsraelRules), c.israel[i]) << "Israel, day " << i;
    }
  }
}

// Every day of four centuries, Israel and the Diaspora: the evening time
// follows from the festival days of the luach list and the weekday, and
// every case of the rule occurs.
TEST_F(ShabbatTimes, EveningRuleOverWholeYears) {
  for (const bool diaspora : {false, true}) {
    SCOPED_TRACE(diaspora ? "Diaspora" : "Israel");
    const CalendarRules& rules = diaspora ? kDiasporaRules : kIsraelRules;
    enum Case { kOnFriday, kFestivalFestival, kShabbatFestival, kEve, kOnSaturday, kLastDay, kOther, kCases };
    std::array<int, kCases> reached{};
    int yomKippurOnShabbat = 0;
    const AbsoluteDay first = AbsoluteFromHebrew(1, kTishri, 5600);
    const AbsoluteDay last = AbsoluteFromHebrew(1, kTishri, 6000);
    for (AbsoluteDay d = first; d < last; ++d) {
      const int weekday = WeekdayOf(d);
      const bool today = FestivalDayByDate(d, diaspora), tomorrow = FestivalDayByDate(d + 1, diaspora);
      EXPECT_EQ(IsFestivalDay(d, rules), today) << d;
      Case c = kOther;
      EveningTime expected = kN;
      if (weekday == kShabbat && HebrewFromAbsolute(d).day == 10 && HebrewFromAbsolute(d).month == kTishri)
        ++yomKippurOnShabbat;
      if (weekday == kFriday) {
        c = kOnFriday, expected = kC;
      } else if (tomorrow && today) {
        c = kFestivalFestival, expected = kA;
      } else if (tomorrow && weekday == kShabbat) {
        c = kShabbatFestival, expected = kA;
      } else if (tomorrow) {
        c = kEve, expected = kC;
      } else if (weekday == kShabbat) {
        c = kOnSaturday, expected = kH;
      } else if (today) {
        c = kLastDay, expected = kH;
      }
      ++reached[c];
      const EveningTime got = EveningTimeOf(d, rules);
      if (got != expected) {
        ADD_FAILURE() << "day " << d << " weekday " << weekday;
        break;
      }
    }
    for (int c = 0; c < kCases; ++c) EXPECT_GT(reached[c], 0) << "case " << c;
    EXPECT_GT(yomKippurOnShabbat, 0);
  }
}

// Shown times at Pforzheim: candle lighting sunset - 18, havdalah (and
// candles after nightfall) sunset + 45, an hour later in summer time.
TEST_F(ShabbatTimes, ShownTimes) {
  setTimeFormat(1);
  const struct {
    const char* what;
    GregorianDate date;
    HebrewDate hebrew;
    int candles, havdalah;
    int minutesAfterSunset;
    bool summer;
  } cases[] = {
      {"Friday", {25, 6, 2010}, {13, kTammuz, 5770}, 1, 0, -18, true},
      {"Saturday", {26, 6, 2010}, {14, kTammuz, 5770}, 0, 1, 45, true},
      {"Sunday", {27, 6, 2010}, {15, kTammuz, 5770}, 0, 0, 0, true},
      {"Friday in winter", {24, 12, 2010}, {17, kTevet, 5771}, 1, 0, -18, false},
      {"Sukkot eve, Monday", {6, 10, 2025}, {14, kTishri, 5786}, 1, 0, -18, true},
      {"Yom Kippur on Shabbat", {12, 10, 2024}, {10, kTishri, 5785}, 0, 1, 45, true},
      {"end of Yom Kippur, Thursday", {2, 10, 2025}, {10, kTishri, 5786}, 0, 1, 45, true},
      {"Pesakh eve on Shabbat: candles after nightfall", {12, 4, 2025}, {14, kNisan, 5785}, 1, 0, 45, true},
      {"second seder, Sunday", {13, 4, 2025}, {15, kNisan, 5785}, 1, 0, 45, true},
      {"first day of Rosh Hashana, Tuesday", {23, 9, 2025}, {1, kTishri, 5786}, 1, 0, 45, true},
      {"second day of Rosh Hashana, Wednesday", {24, 9, 2025}, {2, kTishri, 5786}, 0, 1, 45, true},
      {"end of Pesakh, Sunday", {20, 4, 2025}, {22, kNisan, 5785}, 0, 1, 45, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(HebrewFromAbsolute(AbsoluteFromGregorian(c.date)), c.hebrew);
    const Shown s = Get(c.date);
    EXPECT_EQ(s.candles, c.candles);
    EXPECT_EQ(s.havdalah, c.havdalah);
    EXPECT_EQ(s.text, c.candles || c.havdalah ? Clock(Sunset(c.date) + c.minutesAfterSunset + 60 * c.summer) : "");
  }
  // The flags may be omitted.
  std::string text;
  GetShabbatTime(AbsoluteFromGregorian(25, 6, 2010), &text, nullptr, nullptr);
  EXPECT_EQ(text, Clock(Sunset({25, 6, 2010}) - 18 + 60));
  // In Israel the second festival days are not kept: the first days end
  // with havdalah.
  diasporaSetFlag(0);
  for (const GregorianDate& g : {GregorianDate{13, 4, 2025}, GregorianDate{2, 6, 2025}, GregorianDate{7, 10, 2025}}) {
    const Shown s = Get(g);
    EXPECT_EQ(s.candles * 10 + s.havdalah, 1);
    EXPECT_EQ(s.text, Clock(Sunset(g) + 45 + 60));
  }
  EXPECT_EQ(Get({20, 4, 2025}).text, "");  // 22 Nisan
  EXPECT_EQ(Get({2, 10, 2025}).havdalah, 1);
}

// The unformatted value: the moment in standard time, and the clock shown.
TEST_F(ShabbatTimes, ValueBeforeFormatting) {
  ShabbatTimeValue v;
  ASSERT_TRUE(GetShabbatTimeValue(AbsoluteFromGregorian(25, 6, 2010), &v));
  EXPECT_EQ(v.isCandleLighting + 2 * v.isHavdalah, 1);
  EXPECT_EQ(v.standardMinutes, Sunset({25, 6, 2010}) - 18);
  EXPECT_EQ(v.gmtOffset, 1);
  EXPECT_EQ(Clock(v.hour * 60 + v.minute), Clock(Sunset({25, 6, 2010}) - 18 + 60));  // summer time
  EXPECT_FALSE(GetShabbatTimeValue(AbsoluteFromGregorian(27, 6, 2010), &v));       // a weekday
  EXPECT_EQ(v.isCandleLighting + v.isHavdalah, 0);
}

// Where no time can be computed the flags stay: the sun does not reach the
// angle, the city is unknown, the expression does not parse, the daylight
// saving rule is invalid.
TEST_F(ShabbatTimes, NoTimeButTheFlagsStay) {
  auto expectNoTime = [](const GregorianDate& d, int candles, int havdalah) {
    const Shown s = Get(d);
    EXPECT_EQ(s.candles * 10 + s.havdalah, candles * 10 + havdalah);
    EXPECT_EQ(s.text, "");
    ShabbatTimeValue v;
    EXPECT_FALSE(GetShabbatTimeValue(AbsoluteFromGregorian(d), &v));
    EXPECT_EQ(v.isCandleLighting * 10 + v.isHavdalah, candles * 10 + havdalah);
  };
  const GregorianDate friday{25, 6, 2010};
  setCity("Helsinki");  // havdalah by 8.5 deg in early summer: never
  setHavdalahIsMin(0);
  setHavdalahValue("8.5");
  expectNoTime({19, 6, 2010}, 0, 1);
  EXPECT_NE(Get({18, 12, 2010}).text, "");  // in winter it does
  setCity("Atlantis");
  expectNoTime(friday, 1, 0);
  setCity("Pforzheim");
  setCandleLightingMin(-5);
  CaptureStdout();
  expectNoTime(friday, 1, 0);
  EXPECT_NE(GetCapturedStdout().find("  Original expression: sunset - -5\n"), std::string::npos);
  setCandleLightingMin(18);
  DstSetting broken;
  broken.endMonth = 0;
  setDSTstruct(broken);
  expectNoTime(friday, 1, 0);
  // Daylight saving off: the rule is not looked at, standard time is shown.
  setIsDST(0);
  setTimeFormat(1);
  EXPECT_EQ(Get(friday).text, Clock(Sunset(friday) - 18));
}

// Sydney with its own rule (first Sunday of October to first Sunday of
// April): summer time in December, none in June.
TEST_F(ShabbatTimes, SouthernHemisphere) {
  setCity("Sydney");
  DstSetting sydney;
  sydney.startWeekNo = sydney.endWeekNo = 1;
  sydney.startMonth = 10;
  sydney.endMonth = 4;
  setDSTstruct(sydney);
  setTimeFormat(1);
  EXPECT_EQ(Get({24, 12, 2010}).text, Clock(Sunset({24, 12, 2010}, -3352, 15112, 10) - 18 + 60));
  EXPECT_EQ(Get({25, 6, 2010}).text, Clock(Sunset({25, 6, 2010}, -3352, 15112, 10) - 18));
}

constexpr const char* kNoLocation = "A location must be selected";
constexpr const char* kBadCandle = "Candle Lighting must be an integer number";
constexpr const char* kBadHavdalah = "Havdalah must be a number";

TEST_F(ShabbatTimes, FormChecksInOrderAndChangesNothingOnFailure) {
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
TEST_F(ShabbatTimes, FormStoresAnAccentedCityInTheFileEncoding) {
  testenv::WriteFile(home_.lumaro("cities"),
                     "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1\n");  // ISO-8859-1
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

// The city search folds letter case and the accents of ISO-8859-1, leaves
// apostrophes out and treats other signs as blanks.
TEST(CitySearch, Keys) {
  const std::pair<const char*, const char*> cases[] = {
      {"Z\xC3\xBCrich", "zurich"},           {"ZURICH", "zurich"},
      {"Gen\xC3\xA8ve", "geneve"},           {"K\xC3\xB8" "benhavn", "kobenhavn"},
      {"Stra\xC3\x9F" "burg", "strassburg"}, {"\xC3\x86r\xC3\xB8", "aero"},
      {"Ra'anana", "raanana"},               {"Tel-Aviv  Yafo", "tel aviv yafo"},
      {"  new   york ", "new york"},          {"S\xC3\xA3o Paulo", "sao paulo"},
      {"\xD7\x90", "\xD7\x90"},  // outside ISO-8859-1: left as it is
  };
  for (const auto& [text, key] : cases) EXPECT_EQ(CitySearchKey(text), key) << text;
}

TEST_F(ShabbatTimes, TheCityListHasZonesAndNarrowsToWhatIsTyped) {
  testenv::WriteFile(home_.lumaro("cities"),
                     "\"Zug\", 47,10 N, 8,31 E, GMT+1\n"
                     "\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1, Europe/Zurich\n"  // ISO-8859-1
                     "\"New York City\", 40,43 N, 74,0 W, GMT-5, America/New_York\n"
                     "\"Accra\", 5,33 N, 0,13 W, GMT+0\n");
  const std::vector<CityChoice> cities = ShabbatFormCities(getCityFileName());
  ASSERT_EQ(cities.size(), 4u);
  std::vector<std::string> shown;
  for (const CityChoice& c : cities) shown.push_back(c.name + " " + c.zone);
  // Ordered as the search sees them: "Zürich" among the z's.
  EXPECT_EQ(shown, (std::vector<std::string>{"Accra GMT", "New York City America/New_York", "Zug GMT+1",
                                             "Z\xC3\xBCrich Europe/Zurich"}));
  auto matching = [&](const char* typed) {
    std::vector<std::string> names;
    const std::vector<bool> match = CitiesMatchingSearch(cities, typed);
    for (size_t i = 0; i < cities.size(); ++i)
      if (match[i]) names.push_back(cities[i].name);
    return names;
  };
  EXPECT_EQ(matching("z\xC3\xBCr"), std::vector<std::string>{"Z\xC3\xBCrich"});
  EXPECT_EQ(matching("ZUR"), std::vector<std::string>{"Z\xC3\xBCrich"});
  EXPECT_EQ(matching("z"), (std::vector<std::string>{"Zug", "Z\xC3\xBCrich"}));
  EXPECT_EQ(matching("york c"), std::vector<std::string>{"New York City"});
  EXPECT_EQ(matching(""), (std::vector<std::string>{"Accra", "New York City", "Zug", "Z\xC3\xBCrich"}));
  EXPECT_EQ(matching("   "), matching(""));
  EXPECT_TRUE(matching("Berlin").empty());
  // The name taken is the listed one, which the form stores in the file's encoding.
  EXPECT_EQ(ShabbatTimesFormApply({cities[3].name, "18", "45", true}), "");
  EXPECT_EQ(getCity(), "Z\xFCrich");
}

}  // namespace
