#include "suntimes/timezone.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <time.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "suntimes/calc.h"
#include "suntimes/posix_tz.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/sunrise.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// Expected offsets from the system's own zdump, run at test time: an
// independent reader of the same zoneinfo files the program reads.
namespace zdump {

// One line of "zdump -v": an instant, and the local time and offset then.
struct Line {
  int64_t utc = 0;  // seconds since 1970
  struct tm local {};
  int offset = 0;  // gmtoff, seconds east
};

// "zdump -v -c FROM,TO ZONE": each transition in years FROM..TO-1 as two
// lines, one second before it and at it. Fails the test when (`required`)
// it lists nothing.
std::vector<Line> Transitions(const std::string& zone, int fromYear, int toYear, bool required = true) {
  std::vector<Line> lines;
  const std::string command =
      "zdump -v -c " + std::to_string(fromYear) + "," + std::to_string(toYear) + " '" + zone + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512], month[4];
  Line l;
  // "Asia/Jerusalem  Thu Mar 29 23:59:59 2012 UT = Fri Mar 30 01:59:59 2012 IST isdst=0 gmtoff=7200"
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
    if (std::sscanf(buffer, "%*s %*s %*s %*d %*d:%*d:%*d %*d UT = %*s %3s %d %d:%d:%d %d %*s isdst=%*d gmtoff=%d", month,
                    &l.local.tm_mday, &l.local.tm_hour, &l.local.tm_min, &l.local.tm_sec, &l.local.tm_year,
                    &l.offset) != 7)
      continue;  // "= NULL" lines
    l.local.tm_mon = static_cast<int>(std::strstr("JanFebMarAprMayJunJulAugSepOctNovDec", month) -
                                      "JanFebMarAprMayJunJulAugSepOctNovDec") / 3;
    l.local.tm_year -= 1900;
    l.utc = static_cast<int64_t>(timegm(&l.local)) - l.offset;
    lines.push_back(l);
  }
  if (pipe) pclose(pipe);
  if (lines.empty() && required) ADD_FAILURE() << "no transitions from: " << command;
  return lines;
}

// The offset in force at `utc`: that of the last zdump line not after it,
// or else that of the line a second before the first change after it (the
// years around the instant first, then ever more of them).
int OffsetAt(const std::string& zone, int64_t utc) {
  const time_t seconds = static_cast<time_t>(utc);
  struct tm t {};
  gmtime_r(&seconds, &t);
  const int year = t.tm_year + 1900;
  std::vector<Line> lines = Transitions(zone, year - 1, year + 2, false);
  if (lines.empty()) lines = Transitions(zone, 1500, year + 2, false);
  if (lines.empty()) lines = Transitions(zone, 1500, 3001);
  int offset = lines.empty() ? 0 : lines.front().offset;
  for (const Line& line : lines)
    if (line.utc <= utc) offset = line.offset;
  return offset;
}

// Seconds since 1970 of a UTC date and time.
int64_t Utc(int year, int month, int day, int hour = 0, int minute = 0) {
  struct tm t {};
  t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = day, t.tm_hour = hour, t.tm_min = minute;
  return static_cast<int64_t>(timegm(&t));
}

}  // namespace zdump

CityRec City(int latitude, int longitude, int gmtOffset, const char* zone) {
  return {zone, latitude, longitude, gmtOffset, zone, {}, {}};
}

// Every transition zdump lists in the years, the second before it and the
// second it happens: the offset agrees, and the clock of the date shows the
// wall-clock time zdump prints (for a city file line with the zone hours
// given). Beyond 2037 the zone files list no transitions and both zdump and
// the program follow the rule text at the file's end.
TEST(TimeZone, EveryTransitionAgreesWithZdump) {
  const struct {
    const char* zone;
    int gmtOffset, fromYear, toYear;  // years fromYear..toYear-1
  } cases[] = {
      {"Asia/Jerusalem", 2, 2012, 2015},        // the rule changed in 2013
      {"America/New_York", -5, 2006, 2009},     // the rule changed in 2007
      {"Australia/Adelaide", 9, 2023, 2026},    // southern summer on half-hour standard time
      {"Australia/Sydney", 10, 2023, 2026},     // southern summer
      {"Australia/Lord_Howe", 10, 2023, 2026},  // summer time of half an hour
      {"America/St_Johns", -3, 2023, 2025},     // half-hour zone west of Greenwich
      {"Pacific/Apia", 13, 2011, 2012},         // a day left out to cross the date line
      {"Asia/Kolkata", 5, 1941, 1946},          // war time
      {"Europe/Berlin", 1, 1893, 1894},         // from local mean time to CET
      {"Europe/Berlin", 1, 1916, 1917},         // the first summer time
      {"America/New_York", -5, 2037, 2039},     // last listed year and the first by rule
      {"Asia/Jerusalem", 2, 2070, 2071},        // rule text: Friday before the last Sunday of March
      {"Australia/Lord_Howe", 10, 2999, 3001},  // rule text, at the end of the calendar
      {"America/Nuuk", -2, 2050, 2051},         // rule text: change times before midnight
      {"Antarctica/Troll", 0, 2050, 2051},      // rule text: two hours of summer time
      {"Europe/Dublin", 0, 2050, 2051},         // rule text: winter time as negative summer time
  };
  int shown = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.fromYear));
    for (const zdump::Line& line : zdump::Transitions(c.zone, c.fromYear, c.toYear)) {
      int offset = -1;
      ASSERT_TRUE(TimeZoneOffsetAt(c.zone, line.utc, &offset));
      EXPECT_EQ(offset, line.offset) << "at " << line.utc;
      if ((line.utc % 60 + 60) % 60 % 59 != 0) continue;  // a change from local mean time
      const GregorianDate date{line.local.tm_mday, line.local.tm_mon + 1, line.local.tm_year + 1900};
      const CityClock clock(City(0, 0, c.gmtOffset, c.zone), date, nullptr, true);
      ASSERT_TRUE(clock.usesTimeZone());
      // The line a second before a change ends in :59; its minute began earlier.
      const int64_t minuteStart = line.utc - line.local.tm_sec;
      ASSERT_EQ((minuteStart - clock.UtcSeconds(0)) % 60, 0);
      const int t = static_cast<int>((minuteStart - clock.UtcSeconds(0)) / 60);
      int hour = -1, minute = -1;
      ASSERT_TRUE(clock.Show(t, &hour, &minute));
      EXPECT_EQ(Clock(hour * 60 + minute), Clock(line.local.tm_hour * 60 + line.local.tm_min)) << line.utc;
      EXPECT_EQ(clock.UtcSeconds(t), minuteStart);
      ++shown;
    }
  }
  EXPECT_GT(shown, 60);
}

// Offsets far from any change, at noon UTC. The literal values are those
// "zdump -i" lists (tzdata 2025b); each is also checked against zdump now.
TEST(TimeZone, OffsetsOnSingleDates) {
  for (const auto& [zone, utc, offset] : {
           std::tuple{"Asia/Tehran", zdump::Utc(2024, 7, 1, 12), 3 * 3600 + 30 * 60},  // no summer time since 2022
           {"Asia/Kathmandu", zdump::Utc(2024, 7, 1, 12), 5 * 3600 + 45 * 60},
           {"Asia/Jerusalem", zdump::Utc(1900, 7, 1, 12), 2 * 3600 + 20 * 60 + 40},  // Jerusalem mean time
           {"Asia/Kolkata", zdump::Utc(1900, 7, 1, 12), 5 * 3600 + 21 * 60 + 10},    // Madras time
           {"Asia/Jerusalem", zdump::Utc(1583, 6, 1, 12), 2 * 3600 + 20 * 60 + 54},  // before any change
           {"Australia/Sydney", zdump::Utc(3000, 12, 31, 12), 11 * 3600},
       }) {
    int shown = -1;
    ASSERT_TRUE(TimeZoneOffsetAt(zone, utc, &shown));
    EXPECT_EQ(shown, offset) << zone << " " << utc;
    EXPECT_EQ(shown, zdump::OffsetAt(zone, utc)) << zone << " " << utc;
  }
}

TEST(TimeZone, NamesAndUnknownZones) {
  const std::pair<std::string, bool> names[] = {
      {"Europe/Berlin", true},   {"America/Argentina/Buenos_Aires", true}, {"Etc/GMT+5", true},
      {"UTC", true},             {"America/Port-au-Prince", true},         {"", false},
      {"/etc/passwd", false},    {"../etc/passwd", false},                 {"Europe//Berlin", false},
      {"Europe/Berlin/", false}, {"Europe/Ber lin", false},                {std::string(256, 'a'), false},
  };
  for (const auto& [name, ok] : names) EXPECT_EQ(TimeZoneNameIsWellFormed(name), ok) << name;

  int offset = 12345;
  CaptureStderr();
  EXPECT_FALSE(TimeZoneOffsetAt("Nowhere/Atlantis", 0, &offset));
  EXPECT_FALSE(TimeZoneIsKnown("Nowhere/Atlantis"));  // reported once only
  EXPECT_FALSE(TimeZoneOffsetAt("../../etc/passwd", 0, &offset));
  EXPECT_EQ(GetCapturedStderr(),
            "Time zone Nowhere/Atlantis is not in the system's time-zone database; the daylight-saving rule applies\n"
            "Time zone ../../etc/passwd is not in the system's time-zone database; the daylight-saving rule applies\n");
  EXPECT_EQ(offset, 12345);

  // Many made-up names (a hostile city file) do not grow memory without end,
  // and the zones already loaded keep answering.
  CaptureStderr();
  for (int i = 0; i < 10000; ++i) TimeZoneIsKnown("Nowhere/Place" + std::to_string(i));
  GetCapturedStderr();
  EXPECT_LE(TimeZonesRemembered(), 5000u);
  EXPECT_TRUE(TimeZoneIsKnown("Europe/Berlin"));

  // An old name the database keeps as a link works, also by the rule text.
  for (const int64_t t : {zdump::Utc(2024, 7, 1), zdump::Utc(2050, 7, 1), zdump::Utc(2050, 12, 1)}) {
    ASSERT_TRUE(TimeZoneOffsetAt("Europe/Kiev", t, &offset));
    EXPECT_EQ(offset, zdump::OffsetAt("Europe/Kyiv", t));
  }
}

// Local mean time carries seconds; the shown time is rounded to the minute.
// At 12:00 UTC on 1 July 1900 Jerusalem (+2:20:40) reads 14:20:40, Madras
// (+5:21:10) 17:21:10; a time before midnight shows as the evening's clock.
TEST(CityClock, RoundingAndTimesBeforeMidnight) {
  for (const auto& [zone, gmtOffset, shown] : {std::tuple{"Asia/Jerusalem", 2, "14:21"}, {"Asia/Kolkata", 5, "17:21"}}) {
    const CityClock clock(City(0, 0, gmtOffset, zone), GregorianDate{1, 7, 1900}, nullptr, true);
    int hour = 0, minute = 0;
    ASSERT_TRUE(clock.Show(static_cast<int>((zdump::Utc(1900, 7, 1, 12) - clock.UtcSeconds(0)) / 60), &hour, &minute));
    EXPECT_EQ(Clock(hour * 60 + minute), shown) << zone;
  }
  const CityClock clock(City(4853, 842, 1, ""), GregorianDate{10, 1, 2024}, nullptr, false);
  int hour = -1, minute = -1;
  ASSERT_TRUE(clock.Show(-42, &hour, &minute));
  EXPECT_EQ(Clock(hour * 60 + minute), "23:18");
  ASSERT_TRUE(clock.Show(59, &hour, &minute));
  EXPECT_EQ(Clock(hour * 60 + minute), "00:59");
}

// Friday candle lighting (sunset - 18): the sun in the standard hours of the
// date, taken to UTC and shown at the offset zdump gives for that instant.
// Kolkata and Adelaide (in summer) keep half-hour zones; Samoa crossed the
// date line at the end of 2011, from -11 to +13, while its line says +13.
TEST(CityClock, FridayCandleLightingAtTheZdumpOffset) {
  for (const auto& [city, d, standard] : {std::tuple{City(2234, 8822, 5, "Asia/Kolkata"), GregorianDate{5, 1, 2024}, 5},
                                          {City(-3456, 13836, 9, "Australia/Adelaide"), {5, 1, 2024}, 9},
                                          {City(-1350, -17145, 13, "Pacific/Apia"), {23, 12, 2011}, -11},
                                          {City(-1350, -17145, 13, "Pacific/Apia"), {6, 1, 2012}, 13}}) {
    SCOPED_TRACE(city.zoneName + " " + std::to_string(d.year));
    ASSERT_EQ(WeekdayOf(AbsoluteFromGregorian(d)), kFriday);
    int h = 0, m = 0;
    ASSERT_EQ(GetSunsetSunrise(d.day, d.month, d.year, 0, city.latitude, city.longitude, standard, &h, &m), 1);
    const int candles = h * 60 + m - 18;
    const int offset = zdump::OffsetAt(city.zoneName, UtcSecondsOf(d, candles, standard * 3600));
    const std::string expected = Clock(candles - standard * 60 + offset / 60);
    int hour = 0, minute = 0;
    ASSERT_EQ(CalculateCityTime(city, d, "sunset - 18", nullptr, true, &hour, &minute), CityTime::kShown);
    EXPECT_EQ(Clock(hour * 60 + minute), expected);
    // By the file's whole hours without summer time it would differ.
    ASSERT_EQ(CalculateCityTime(city, d, "sunset - 18", nullptr, false, &hour, &minute), CityTime::kShown);
    EXPECT_NE(Clock(hour * 60 + minute), expected);
  }
}

// Without the setting, without a zone name or with a zone the database does
// not know, the rule decides, an invalid rule included; with a known zone
// the rule plays no part.
TEST(CityClock, TheRuleWhereNoZoneApplies) {
  const DstSetting europe;  // last Sunday of March to last Sunday of October
  DstSetting invalid;
  invalid.startMonth = 13;
  const int t = CalculateZmanim(4853, 842, 1, 21, 6, 2024, "sunset");
  ASSERT_NE(t, kNoTime);
  const std::string byRule = Clock(t + 60), standard = Clock(t);
  auto shown = [&](const char* zone, const DstSetting* rule, bool automatic) {
    int hour = 0, minute = 0;
    const CityTime r =
        CalculateCityTime(City(4853, 842, 1, zone), {21, 6, 2024}, "sunset", rule, automatic, &hour, &minute);
    return r == CityTime::kShown ? Clock(hour * 60 + minute) : r == CityTime::kNoTime ? "none" : "invalid";
  };
  EXPECT_EQ(shown("Europe/Berlin", &europe, false), byRule);
  EXPECT_EQ(shown("Europe/Berlin", nullptr, false), standard);
  EXPECT_EQ(shown("Europe/Berlin", &invalid, false), "invalid");
  EXPECT_EQ(shown("Europe/Berlin", &invalid, true), byRule);  // the zone: +2 in summer
  EXPECT_EQ(shown("Europe/Berlin", nullptr, true), byRule);
  EXPECT_EQ(shown("", &europe, true), byRule);
  EXPECT_EQ(shown("", nullptr, true), standard);
  EXPECT_EQ(shown("", &invalid, true), "invalid");
  CaptureStderr();
  EXPECT_EQ(shown("Europe/Pforzheim", nullptr, true), standard);
  EXPECT_EQ(shown("Europe/Pforzheim", &invalid, true), "invalid");
  EXPECT_NE(GetCapturedStderr().find("Europe/Pforzheim"), std::string::npos);
  EXPECT_EQ(shown("Europe/Pforzheim", &europe, true), byRule);
}

// Where the user's rule happens to be the zone's, both ways show the same
// times every day of a year: Germany has kept the default rule since 1996,
// Iceland GMT without summer time since 1968 (its evening times run past
// midnight in June), and India +5:30, half an hour after the file's hours.
TEST(CityClock, AgreesWithTheRuleWhereTheRuleIsRight) {
  const DstSetting europe;
  const char* expressions[] = {"sunrise - 72", "sunrise - degrees_below_horizon(16.1)", "sunrise",
                               "sunrise + proportional_hour(3)", "sunset", "sunset + degrees_below_horizon(8.5)",
                               "sunset + 72"};
  for (const auto& [city, rule, addMinutes] : {std::tuple{City(4853, 842, 1, "Europe/Berlin"), &europe, 0},
                                               {City(6408, -2154, 0, "Atlantic/Reykjavik"), nullptr, 0},
                                               {City(2234, 8822, 5, "Asia/Kolkata"), nullptr, 30}}) {
    SCOPED_TRACE(city.zoneName);
    int pastMidnight = 0, compared = 0;
    for (AbsoluteDay d = AbsoluteFromGregorian(1, 1, 2024); d <= AbsoluteFromGregorian(31, 12, 2024); ++d) {
      const GregorianDate g = GregorianFromAbsolute(d);
      for (const char* e : expressions) {
        int hour = 0, minute = 0, ruleHour = 0, ruleMinute = 0;
        const CityTime byZone = CalculateCityTime(city, g, e, nullptr, true, &hour, &minute);
        ASSERT_EQ(byZone, CalculateCityTime(city, g, e, rule, false, &ruleHour, &ruleMinute)) << d << e;
        if (byZone != CityTime::kShown) continue;
        ASSERT_EQ(hour * 60 + minute, ruleHour * 60 + ruleMinute + addMinutes) << g.day << "." << g.month << e;
        pastMidnight += hour >= 24;
        ++compared;
      }
    }
    EXPECT_GT(compared, 2000);
    if (city.zoneName == "Atlantic/Reykjavik") {
      EXPECT_GT(pastMidnight, 10);
    }
  }
}

// Through the settings: the value behind a shown time names its instant
// (what a calendar export writes in UTC) by the zone hours used, also where
// these are not the file's; the shown time is that instant at zdump's offset.
using CityClockSettings = testenv::SunTimesTest;
TEST_F(CityClockSettings, ValueNamesTheInstantShown) {
  testenv::WriteFile(home_.lumaro("cities"), "\"Apia\", 13,50 S, 171,45 W, GMT+13, Pacific/Apia\n");
  setCity("Apia");
  setDSTAutomatic(1);
  for (const GregorianDate& d : {GregorianDate{23, 12, 2011}, GregorianDate{6, 1, 2012}}) {
    ShabbatTimeValue v;
    ASSERT_TRUE(GetShabbatTimeValue(AbsoluteFromGregorian(d), &v));
    const int64_t utc = UtcSecondsOf(d, v.standardMinutes, v.gmtOffset * 3600);
    const int64_t local = utc + zdump::OffsetAt("Pacific/Apia", utc) - UtcSecondsOf(d, 0, 0);
    EXPECT_EQ(Clock(v.hour * 60 + v.minute), Clock(static_cast<int>(local / 60))) << d.year;
  }
}

constexpr int kHour = 3600;

// The rule texts of the zones in the transition walk above are checked
// there against zdump; these are the other shapes and the malformed ones.
TEST(PosixTz, Parse) {
  for (const auto& [text, standard, summer] : {std::tuple{"EST5EDT4,M3.2.0,M11.1.0", -5 * kHour, -4 * kHour},
                                               {"IST-5:30", 5 * kHour + 30 * 60, 0},
                                               {"LMT+0:53:28", -(53 * 60 + 28), 0},
                                               {"UTC0", 0, 0}}) {
    PosixTz tz;
    ASSERT_TRUE(PosixTzParse(text, &tz)) << text;
    EXPECT_EQ(tz.standardOffset, standard) << text;
    EXPECT_EQ(tz.hasSummerTime, summer != 0) << text;
    if (summer) {
      EXPECT_EQ(tz.summerOffset, summer) << text;
    }
  }
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("IST-2IDT,M3.4.4/26,M10.5.0", &tz));
  EXPECT_EQ(tz.start.month * 100 + tz.start.week * 10 + tz.start.day, 344);
  EXPECT_EQ(tz.start.seconds, 26 * kHour);
  EXPECT_EQ(tz.end.seconds, 2 * kHour);  // not given: 02:00

  const char* bad[] = {"", "EST", "ES5", "EST5EDT" /* summer time without dates */, "EST5EDT,M3.2.0",
                       "EST5EDT,M13.2.0,M11.1.0", "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0",
                       "EST5EDT,J0,J365", "EST5EDT,366,J365", "EST5EDT,M3.2.0/168,M11.1.0", "EST25", "EST5:60",
                       "<AB>5", "<EST5", "EST5EDT,M3.2.0,M11.1.0x", "EST5EDT,M3.2.0,M11.1.0,", "EST5 "};
  for (const char* text : bad) EXPECT_FALSE(PosixTzParse(text, &tz)) << text;
}

// Changes given by day of the year; the expected days follow from the
// definitions: "Jn" never counts 29 February, "n" counts from 0 and does.
TEST(PosixTz, DaysOfTheYear) {
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,J60/0,J300/0", &tz));
  // J60 is 1 March in every year; 00:00 local standard time is 23:00 UTC.
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), zdump::Utc(2024, 2, 29, 23));
  EXPECT_EQ(PosixTzStartUtc(tz, 2023), zdump::Utc(2023, 2, 28, 23));
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,59/0,300/0", &tz));
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), zdump::Utc(2024, 2, 28, 23));  // 29 February
  EXPECT_EQ(PosixTzStartUtc(tz, 2023), zdump::Utc(2023, 2, 28, 23));  // 1 March
  EXPECT_EQ(PosixTzOffsetAt(tz, zdump::Utc(2024, 2, 28, 22, 59)), 1 * kHour);
  EXPECT_EQ(PosixTzOffsetAt(tz, zdump::Utc(2024, 2, 28, 23, 0)), 2 * kHour);
  // "M2.5.4": the last Thursday of February, in a leap year the 29th.
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,M2.5.4/0,M10.5.0", &tz));
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), zdump::Utc(2024, 2, 28, 23));
  EXPECT_EQ(PosixTzStartUtc(tz, 2023), zdump::Utc(2023, 2, 22, 23));
}

// Summer time from 1 January 00:00 to 31 December 24:00 plus the hour it
// adds is summer time all year, also across the turn of the year.
TEST(PosixTz, SummerTimeAllYear) {
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("EST5EDT4,0/0,J365/25", &tz));
  for (const int64_t t : {zdump::Utc(2030, 1, 1, 0, 0), zdump::Utc(2030, 1, 1, 4, 59), zdump::Utc(2030, 1, 1, 5, 0),
                          zdump::Utc(2030, 6, 1), zdump::Utc(2030, 12, 31, 23, 59), zdump::Utc(2031, 1, 1, 5, 0)})
    EXPECT_EQ(PosixTzOffsetAt(tz, t), -4 * kHour) << t;
}

}  // namespace
