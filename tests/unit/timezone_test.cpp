#include "suntimes/timezone.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <time.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

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

// Every change zdump lists in the years, the second before it and the second
// it happens: the offset agrees, and the clock of the date shows the wall
// time zdump prints. Beyond 2037 the zone files list no changes and both
// follow the rule text at the file's end. Offsets on single dates agree too.
TEST(TimeZone, AgreesWithZdump) {
  int shown = 0;
  for (const auto& row : testenv::CaseRows("time_zone_cases.tsv")) {
    const std::string& zone = row[1];
    SCOPED_TRACE(zone + " " + row[2] + " " + row[3]);
    if (row[0] == "offset") {
      const int64_t utc = zdump::Utc(std::stoi(row[2].substr(0, 4)), std::stoi(row[2].substr(5, 2)),
                                     std::stoi(row[2].substr(8, 2)), 12);
      int offset = -1;
      ASSERT_TRUE(TimeZoneOffsetAt(zone, utc, &offset));
      EXPECT_EQ(offset, std::stoi(row[3]));
      EXPECT_EQ(offset, zdump::OffsetAt(zone, utc));
      continue;
    }
    for (const zdump::Line& line : zdump::Transitions(zone, std::stoi(row[3]), std::stoi(row[4]))) {
      int offset = -1;
      ASSERT_TRUE(TimeZoneOffsetAt(zone, line.utc, &offset));
      EXPECT_EQ(offset, line.offset) << "at " << line.utc;
      if ((line.utc % 60 + 60) % 60 % 59 != 0) continue;  // a change from local mean time
      const GregorianDate date{line.local.tm_mday, line.local.tm_mon + 1, line.local.tm_year + 1900};
      const CityClock clock(City(0, 0, std::stoi(row[2]), zone.c_str()), date, nullptr, true);
      ASSERT_TRUE(clock.usesTimeZone());
      const int64_t minuteStart = line.utc - line.local.tm_sec;  // a second before a change ends in :59
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

TEST(TimeZone, NamesAndUnknownZones) {
  for (const char* name : {"Europe/Berlin", "America/Argentina/Buenos_Aires", "Etc/GMT+5", "America/Port-au-Prince"})
    EXPECT_TRUE(TimeZoneNameIsWellFormed(name)) << name;
  for (const std::string& name : {std::string(), std::string("/etc/passwd"), std::string("../etc/passwd"),
                                  std::string("Europe//Berlin"), std::string("Europe/Ber lin"), std::string(256, 'a')})
    EXPECT_FALSE(TimeZoneNameIsWellFormed(name)) << name;
  int offset = 12345;
  CaptureStderr();
  EXPECT_FALSE(TimeZoneOffsetAt("Nowhere/Atlantis", 0, &offset));
  EXPECT_FALSE(TimeZoneIsKnown("Nowhere/Atlantis"));  // reported once only
  EXPECT_EQ(GetCapturedStderr(),
            "Time zone Nowhere/Atlantis is not in the system's time-zone database; the daylight-saving rule applies\n");
  EXPECT_EQ(offset, 12345);
  // Made-up names of a hostile city file do not grow memory without end.
  CaptureStderr();
  for (int i = 0; i < 10000; ++i) TimeZoneIsKnown("Nowhere/Place" + std::to_string(i));
  GetCapturedStderr();
  EXPECT_LE(TimeZonesRemembered(), 5000u);
  EXPECT_TRUE(TimeZoneIsKnown("Europe/Berlin"));
}

// Local mean time carries seconds; the shown time is rounded to the minute
// (12:00 UTC on 1 July 1900: Jerusalem +2:20:40). A time before midnight
// shows as the evening's clock.
TEST(CityClock, RoundingAndTimesBeforeMidnight) {
  const CityClock jerusalem(City(0, 0, 2, "Asia/Jerusalem"), GregorianDate{1, 7, 1900}, nullptr, true);
  int hour = 0, minute = 0;
  ASSERT_TRUE(jerusalem.Show(static_cast<int>((zdump::Utc(1900, 7, 1, 12) - jerusalem.UtcSeconds(0)) / 60), &hour, &minute));
  EXPECT_EQ(Clock(hour * 60 + minute), "14:21");
  const CityClock clock(City(4853, 842, 1, ""), GregorianDate{10, 1, 2024}, nullptr, false);
  ASSERT_TRUE(clock.Show(-42, &hour, &minute));
  EXPECT_EQ(Clock(hour * 60 + minute), "23:18");
}

// Friday candle lighting (sunset - 18) in the standard hours of the date,
// taken to UTC and shown at zdump's offset: half-hour zones, southern summer,
// Samoa across the date line (from -11 to +13 while its line says +13).
// By the file's whole hours without summer time it would differ.
TEST(CityClock, FridayCandleLightingAtTheZdumpOffset) {
  for (const auto& [city, d, standard] : {std::tuple{City(2234, 8822, 5, "Asia/Kolkata"), GregorianDate{5, 1, 2024}, 5},
                                          {City(-3456, 13836, 9, "Australia/Adelaide"), {5, 1, 2024}, 9},
                                          {City(-1350, -17145, 13, "Pacific/Apia"), {23, 12, 2011}, -11},
                                          {City(-1350, -17145, 13, "Pacific/Apia"), {6, 1, 2012}, 13}}) {
    SCOPED_TRACE(city.zoneName + " " + std::to_string(d.year));
    int h = 0, m = 0;
    ASSERT_EQ(GetSunsetSunrise(d.day, d.month, d.year, 0, city.latitude, city.longitude, standard, &h, &m), 1);
    const int candles = h * 60 + m - 18;
    const int offset = zdump::OffsetAt(city.zoneName, UtcSecondsOf(d, candles, standard * 3600));
    const std::string expected = Clock(candles - standard * 60 + offset / 60);
    int hour = 0, minute = 0;
    ASSERT_EQ(CalculateCityTime(city, d, "sunset - 18", nullptr, true, &hour, &minute), CityTime::kShown);
    EXPECT_EQ(Clock(hour * 60 + minute), expected);
    ASSERT_EQ(CalculateCityTime(city, d, "sunset - 18", nullptr, false, &hour, &minute), CityTime::kShown);
    EXPECT_NE(Clock(hour * 60 + minute), expected);
  }
}

// Without the setting, without a zone name or with a zone the database does
// not know, the rule decides, an invalid rule included; with a known zone
// the rule plays no part.
TEST(CityClock, TheRuleWhereNoZoneApplies) {
  const DstSetting europe;
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
  CaptureStderr();
  const std::tuple<const char*, const DstSetting*, bool, std::string> cases[] = {
      {"Europe/Berlin", &europe, false, byRule},  {"Europe/Berlin", nullptr, false, standard},
      {"Europe/Berlin", &invalid, false, "invalid"}, {"Europe/Berlin", &invalid, true, byRule},
      {"", &europe, true, byRule},                 {"", nullptr, true, standard},
      {"", &invalid, true, "invalid"},             {"Europe/Pforzheim", nullptr, true, standard},
      {"Europe/Pforzheim", &invalid, true, "invalid"}, {"Europe/Pforzheim", &europe, true, byRule}};
  for (const auto& [zone, rule, automatic, expected] : cases)
    EXPECT_EQ(shown(zone, rule, automatic), expected) << zone << " " << automatic;
  EXPECT_NE(GetCapturedStderr().find("Europe/Pforzheim"), std::string::npos);
}

// Through the settings: the value behind a shown time names its instant (what
// a calendar export writes in UTC) by the zone hours used, also where these
// are not the file's; the shown time is that instant at zdump's offset.
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
  // Where the zone differs from the file's hours only by summer time, the
  // value keeps the file's standard time.
  testenv::WriteFile(home_.lumaro("cities"), "\"Berlin\", 52,31 N, 13,25 E, GMT+1, Europe/Berlin\n");
  setCity("Berlin");
  ShabbatTimeValue v;
  ASSERT_TRUE(GetShabbatTimeValue(AbsoluteFromGregorian(21, 6, 2024), &v));
  EXPECT_EQ(v.gmtOffset, 1);
  EXPECT_EQ(Clock(v.hour * 60 + v.minute), Clock(v.standardMinutes + 60));
}

// The rule texts of real zones are checked against zdump above; these are
// the other shapes ("Jn" never counts 29 February, "n" counts from 0 and
// does) and the malformed ones.
TEST(PosixTz, ParseAndDaysOfTheYear) {
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("IST-2IDT,M3.4.4/26,M10.5.0", &tz));
  EXPECT_EQ(tz.standardOffset, 7200);
  EXPECT_EQ(tz.start.month * 100 + tz.start.week * 10 + tz.start.day, 344);
  EXPECT_EQ(tz.start.seconds, 26 * 3600);
  EXPECT_EQ(tz.end.seconds, 2 * 3600);  // not given: 02:00
  ASSERT_TRUE(PosixTzParse("LMT+0:53:28", &tz));
  EXPECT_EQ(tz.standardOffset, -(53 * 60 + 28));
  EXPECT_FALSE(tz.hasSummerTime);
  for (const auto& [text, year, start] : {std::tuple{"AAA-1BBB,J60/0,J300/0", 2024, zdump::Utc(2024, 2, 29, 23)},
                                          {"AAA-1BBB,J60/0,J300/0", 2023, zdump::Utc(2023, 2, 28, 23)},
                                          {"AAA-1BBB,59/0,300/0", 2024, zdump::Utc(2024, 2, 28, 23)},
                                          {"AAA-1BBB,59/0,300/0", 2023, zdump::Utc(2023, 2, 28, 23)},
                                          {"AAA-1BBB,M2.5.4/0,M10.5.0", 2024, zdump::Utc(2024, 2, 28, 23)}}) {
    ASSERT_TRUE(PosixTzParse(text, &tz)) << text;
    EXPECT_EQ(PosixTzStartUtc(tz, year), start) << text << " " << year;
  }
  ASSERT_TRUE(PosixTzParse("EST5EDT4,0/0,J365/25", &tz));  // summer time all year
  EXPECT_EQ(PosixTzOffsetAt(tz, zdump::Utc(2030, 1, 1, 4, 59)), -4 * 3600);
  for (const char* bad : {"", "EST", "ES5", "EST5EDT", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0",
                          "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,J365", "EST5EDT,366,J365",
                          "EST5EDT,M3.2.0/168,M11.1.0", "EST25", "EST5:60", "<AB>5", "<EST5",
                          "EST5EDT,M3.2.0,M11.1.0x", "EST5 "})
    EXPECT_FALSE(PosixTzParse(bad, &tz)) << bad;
}

}  // namespace
