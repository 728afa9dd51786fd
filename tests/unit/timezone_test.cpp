// The city's clock against zdump, the system's own reader of the zone files (tests/data/time_zone_cases.tsv); hostile
// zone names and rule texts (POSIX); the instant behind a shown time.
#include "suntimes/timezone.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <time.h>

#include "compose/current_options.h"
#include "suntimes/posix_tz.h"
#include "suntimes/shabbat_times.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;

// Every change "zdump -v" lists, the second before it and at it: the date's clock shows zdump's wall time, beyond 2037
// both following the rule text at the file's end. Offsets on single dates agree too.
TEST(TimeZone, AgreesWithZdump) {
  int shown = 0;
  for (const auto& row : testenv::CaseRows("time_zone_cases.tsv")) {
    const std::string& zone = row[1];
    SCOPED_TRACE(zone + " " + row[2] + " " + row[3]);
    if (row[0] == "offset") {  // seconds, shown rounded to the minute
      const GregorianDate d{std::stoi(row[2].substr(8, 2)), std::stoi(row[2].substr(5, 2)), std::stoi(row[2].substr(0, 4))};
      EXPECT_EQ(testenv::ShownOffsetMinutes(zone, UtcSecondsOf(d, 720, 0)), (std::stoi(row[3]) + 30) / 60);
      continue;
    }
    FILE* pipe = popen(("zdump -v -c " + row[3] + "," + row[4] + " '" + zone + "'").c_str(), "r");
    ASSERT_TRUE(pipe);
    char buffer[512], month[4];
    int offset = 0;
    for (struct tm local{}; std::fgets(buffer, sizeof buffer, pipe);) {
      if (std::sscanf(buffer, "%*s %*s %*s %*d %*d:%*d:%*d %*d UT = %*s %3s %d %d:%d:%d %d %*s isdst=%*d gmtoff=%d",
                      month, &local.tm_mday, &local.tm_hour, &local.tm_min, &local.tm_sec, &local.tm_year,
                      &offset) != 7)
        continue;
      local.tm_mon = static_cast<int>(strstr("JanFebMarAprMayJunJulAugSepOctNovDec", month) -
                                      "JanFebMarAprMayJunJulAugSepOctNovDec") /
                     3;
      local.tm_year -= 1900;
      const int64_t utc = static_cast<int64_t>(timegm(&local)) - offset;
      if ((utc % 60 + 60) % 60 % 59 != 0) continue;  // a change from local mean time
      const GregorianDate date{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
      const CityClock clock(CityRec{zone, 0, 0, std::stoi(row[2]), zone, {}, {}, {}}, date, nullptr, true);
      const int t = static_cast<int>((utc - local.tm_sec - clock.UtcSeconds(0)) / 60);
      int hour = -1, minute = -1;
      ASSERT_TRUE(clock.Show(t, &hour, &minute));
      EXPECT_EQ(Clock(hour * 60 + minute), Clock(local.tm_hour * 60 + local.tm_min)) << utc;
      EXPECT_EQ(clock.UtcSeconds(t), utc - local.tm_sec);
      ++shown;
    }
    pclose(pipe);
  }
  EXPECT_GT(shown, 60);
}

// Names that could leave the zone directory and bad rule texts are refused; made-up names do not grow memory without
// end.
TEST(TimeZone, HostileNamesAndRules) {
  PosixTz tz;
  for (const auto& row : testenv::CaseRows("hostile_zones.tsv")) {
    const std::string text = row[1] == "<256 a>" ? std::string(256, 'a') : row[1];
    EXPECT_EQ(row[0] == "zone" ? TimeZoneNameIsWellFormed(text) : PosixTzParse(text, &tz), row[2] == "ok") << text;
  }
  testing::internal::CaptureStderr();
  for (int i = 0; i < 10000; ++i) TimeZoneIsKnown("Nowhere/Place" + std::to_string(i));
  testing::internal::GetCapturedStderr();
  EXPECT_LE(TimeZonesRemembered(), 5000u);
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,J60/0,J300/0", &tz));  // "Jn" never counts 29 February
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), UtcSecondsOf({29, 2, 2024}, 23 * 60, 0));
}

// The value behind a shown time names its instant by the zone hours used (Samoa across the date line, offsets as zdump
// lists them); where the zone differs from the file's hours only by summer time, it keeps those hours.
using CityClockSettings = testenv::SunTimesTest;
TEST_F(CityClockSettings, ValueNamesTheInstantShown) {
  testenv::WriteFile(home_.lumaro("cities"), "\"Apia\", 13,50 S, 171,45 W, GMT+13, Pacific/Apia\n"
                                             "\"Berlin\", 52,31 N, 13,25 E, GMT+1, Europe/Berlin\n");
  Options o = CurrentOptions();
  o.times.automaticZone = true;
  ShabbatTimeValue v;
  for (const auto& [city, d, offset] : {std::tuple{"Apia", GregorianDate{23, 12, 2011}, -10},
                                        {"Apia", GregorianDate{6, 1, 2012}, 14},
                                        {"Berlin", GregorianDate{21, 6, 2024}, 2}}) {
    o.times.city = city;
    ASSERT_TRUE(EveningTimesFor(o.rules, o.times).Value(AbsoluteFromGregorian(d), &v));
    const int64_t utc = UtcSecondsOf(d, v.standardMinutes, v.gmtOffset * 3600);
    EXPECT_EQ(Clock(v.hour * 60 + v.minute),
              Clock(static_cast<int>((utc + offset * 3600 - UtcSecondsOf(d, 0, 0)) / 60)));
  }
  EXPECT_EQ(v.gmtOffset, 1);
}

}  // namespace
