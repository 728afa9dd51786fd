#include "suntimes/timezone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "suntimes/calc.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/sunrise.h"
#include "suntimes_env.h"
#include "zdump_util.h"

namespace {

using testenv::Clock;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

CityRec City(int latitude, int longitude, int gmtOffset, const char* zone) {
  CityRec c;
  c.name = zone;
  c.latitude = latitude;
  c.longitude = longitude;
  c.gmtOffset = gmtOffset;
  c.zoneName = zone;
  return c;
}

// ------------------------------------------------------------------ offsets

// Every transition zdump lists in a few years: the second before it and the
// second it happens. Beyond 2037 the zone files list no transitions and both
// zdump and the program follow the rule text at the file's end.
TEST(TimeZone, OffsetsAtEveryTransitionAgreeWithZdump) {
  struct Case {
    const char* zone;
    int fromYear, toYear;  // years fromYear..toYear-1
    const char* what;
  } cases[] = {
      {"Asia/Jerusalem", 2012, 2015, "the rule changed in 2013"},
      {"America/New_York", 2006, 2009, "the rule changed in 2007"},
      {"Australia/Adelaide", 2023, 2026, "southern summer on half-hour standard time"},
      {"Australia/Sydney", 2023, 2026, "southern summer"},
      {"Australia/Lord_Howe", 2023, 2026, "summer time of half an hour"},
      {"America/St_Johns", 2023, 2025, "half-hour zone west of Greenwich"},
      {"Europe/Dublin", 2023, 2025, "summer time the other way round"},
      {"Pacific/Apia", 2011, 2012, "a day left out to cross the date line"},
      {"Asia/Kolkata", 1941, 1946, "war time"},
      {"Europe/Berlin", 1893, 1894, "from local mean time to CET"},
      {"America/New_York", 2037, 2039, "last listed year and the first by rule"},
      {"America/New_York", 2099, 2101, "by the rule text"},
      {"Asia/Jerusalem", 2070, 2071, "by the rule text: Friday before the last Sunday of March"},
      {"Australia/Lord_Howe", 2999, 3001, "by the rule text, at the end of the calendar"},
      {"America/Nuuk", 2050, 2051, "change times before midnight"},
      {"Antarctica/Troll", 2050, 2051, "two hours of summer time"},
      {"Europe/Dublin", 2050, 2051, "by the rule text: winter time as negative summer time"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.fromYear) + ": " + c.what);
    const std::vector<zdump::Line> lines = zdump::Transitions(c.zone, c.fromYear, c.toYear);
    ASSERT_FALSE(lines.empty());
    for (const zdump::Line& line : lines) {
      int offset = -1;
      ASSERT_TRUE(TimeZoneOffsetAt(c.zone, line.utc, &offset));
      EXPECT_EQ(offset, line.offset) << "at " << line.utc;
    }
  }
}

// Offsets on dates without a change nearby. The literal values are those
// "zdump -i" lists for the zones (tzdata 2025b); each is also checked
// against zdump at run time.
TEST(TimeZone, OffsetsOnSingleDates) {
  struct Case {
    const char* zone;
    int year, month, day;
    int offset;  // seconds east
  } cases[] = {
      {"Asia/Kolkata", 2024, 1, 5, 5 * 3600 + 30 * 60},
      {"Asia/Tehran", 2024, 7, 1, 3 * 3600 + 30 * 60},         // no summer time since 2022
      {"Asia/Tehran", 2021, 7, 1, 4 * 3600 + 30 * 60},         // summer time then
      {"Asia/Kathmandu", 2024, 7, 1, 5 * 3600 + 45 * 60},
      {"Australia/Adelaide", 2024, 1, 5, 10 * 3600 + 30 * 60},  // southern summer
      {"Australia/Adelaide", 2024, 7, 5, 9 * 3600 + 30 * 60},
      {"Australia/Lord_Howe", 2024, 1, 5, 11 * 3600},
      {"Australia/Lord_Howe", 2024, 7, 5, 10 * 3600 + 30 * 60},
      {"Asia/Jerusalem", 1900, 7, 1, 2 * 3600 + 20 * 60 + 40},  // Jerusalem mean time
      {"Asia/Kolkata", 1900, 7, 1, 5 * 3600 + 21 * 60 + 10},    // Madras time
      {"America/New_York", 1900, 7, 1, -5 * 3600},             // standard time since 1883
      {"Europe/Berlin", 1900, 7, 1, 1 * 3600},
      {"Asia/Jerusalem", 1583, 6, 1, 2 * 3600 + 20 * 60 + 54},  // local mean time before any change
      {"Australia/Sydney", 3000, 12, 31, 11 * 3600},
      {"Pacific/Apia", 2011, 12, 29, -10 * 3600},
      {"Pacific/Apia", 2011, 12, 31, 14 * 3600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    const int64_t utc = zdump::Utc(c.year, c.month, c.day, 12);
    int offset = -1;
    ASSERT_TRUE(TimeZoneOffsetAt(c.zone, utc, &offset));
    EXPECT_EQ(offset, c.offset);
    EXPECT_EQ(offset, zdump::OffsetAt(c.zone, utc));
  }
}

TEST(TimeZone, NamesAndUnknownZones) {
  const std::pair<std::string, bool> names[] = {
      {"Europe/Berlin", true},   {"America/Argentina/Buenos_Aires", true},
      {"Etc/GMT+5", true},       {"America/Port-au-Prince", true},
      {"UTC", true},             {"", false},
      {"/etc/passwd", false},    {"../etc/passwd", false},
      {"Europe//Berlin", false}, {"Europe/Berlin/", false},
      {"Europe/Ber lin", false}, {"Europe/Berlin.bak", false},
      {std::string(256, 'a'), false},
  };
  for (const auto& [name, ok] : names) EXPECT_EQ(TimeZoneNameIsWellFormed(name), ok) << name;

  int offset = 12345;
  CaptureStderr();
  EXPECT_FALSE(TimeZoneOffsetAt("Nowhere/Atlantis", 0, &offset));
  EXPECT_FALSE(TimeZoneIsKnown("Nowhere/Atlantis"));  // reported once only
  EXPECT_FALSE(TimeZoneOffsetAt("../../etc/passwd", 0, &offset));
  const std::string messages = GetCapturedStderr();
  EXPECT_EQ(offset, 12345);
  EXPECT_EQ(messages,
            "Time zone Nowhere/Atlantis is not in the system's time-zone database; the daylight-saving rule applies\n"
            "Time zone ../../etc/passwd is not in the system's time-zone database; the daylight-saving rule applies\n");

  // An old name the database keeps as a link works like the current one,
  // also by the rule text at the end of its file.
  for (const int64_t t : {zdump::Utc(2024, 7, 1), zdump::Utc(2050, 7, 1), zdump::Utc(2050, 12, 1)}) {
    int kiev = 0, kyiv = 1;
    ASSERT_TRUE(TimeZoneOffsetAt("Europe/Kiev", t, &kiev));
    ASSERT_TRUE(TimeZoneOffsetAt("Europe/Kyiv", t, &kyiv));
    EXPECT_EQ(kiev, kyiv);
    EXPECT_EQ(kiev, zdump::OffsetAt("Europe/Kyiv", t));
  }
}

// ------------------------------------------------------------------ shown times

// At each change zdump prints the local time on the wall clock; the clock of
// that date must show the same at that instant and a minute before it.
TEST(CityClock, ShowsTheWallClockZdumpPrints) {
  struct Case {
    const char* zone;
    int gmtOffset;  // as a city file would carry it
    int fromYear, toYear;
  } cases[] = {
      {"America/New_York", -5, 2024, 2025},   {"Asia/Jerusalem", 2, 2014, 2015},
      {"Australia/Lord_Howe", 10, 2024, 2025}, {"America/St_Johns", -3, 2024, 2025},
      {"Europe/Dublin", 0, 2024, 2025},       {"Pacific/Apia", 13, 2011, 2012},
      {"America/New_York", -5, 2100, 2101},   {"Europe/Berlin", 1, 1916, 1917},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    const CityRec city = City(0, 0, c.gmtOffset, c.zone);
    for (const zdump::Line& line : zdump::Transitions(c.zone, c.fromYear, c.toYear)) {
      const GregorianDate date{line.local.tm_mday, line.local.tm_mon + 1, line.local.tm_year + 1900};
      const CityClock clock(city, date, nullptr, true);
      ASSERT_TRUE(clock.usesTimeZone());
      // The line at a change is on the minute; the one a second before it
      // ends in :59, and its minute began 59 seconds earlier.
      const int64_t minuteStart = line.utc - line.local.tm_sec;
      ASSERT_EQ((minuteStart - clock.UtcSeconds(0)) % 60, 0);
      const int t = static_cast<int>((minuteStart - clock.UtcSeconds(0)) / 60);
      int hour = -1, minute = -1;
      ASSERT_TRUE(clock.Show(t, &hour, &minute));
      EXPECT_EQ(Clock(hour * 60 + minute), Clock(line.local.tm_hour * 60 + line.local.tm_min))
          << "UTC " << line.utc << " on " << date.day << "." << date.month << "." << date.year;
      EXPECT_EQ(clock.UtcSeconds(t), minuteStart);
      ++checked;
    }
  }
  EXPECT_GT(checked, 25);
}

// Local mean time offsets carry seconds; the shown time is rounded to the
// nearest minute. At 12:00 UTC on 1 July 1900 Jerusalem mean time
// (+2:20:40) reads 14:20:40 and Madras time (+5:21:10) 17:21:10.
TEST(CityClock, OffsetsWithSecondsRoundToTheMinute) {
  const GregorianDate date{1, 7, 1900};
  struct Case {
    const char* zone;
    int gmtOffset;
    const char* shown;
  } cases[] = {{"Asia/Jerusalem", 2, "14:21"}, {"Asia/Kolkata", 5, "17:21"}};
  for (const Case& c : cases) {
    const CityClock clock(City(0, 0, c.gmtOffset, c.zone), date, nullptr, true);
    const int t = static_cast<int>((zdump::Utc(1900, 7, 1, 12) - clock.UtcSeconds(0)) / 60);
    int hour = 0, minute = 0;
    ASSERT_TRUE(clock.Show(t, &hour, &minute));
    EXPECT_EQ(Clock(hour * 60 + minute), c.shown) << c.zone;
  }
}

// Sunset straight from the sun formulas in UTC (zone 0), in minutes after
// midnight UTC of the date.
int SunsetUtc(const GregorianDate& d, int latitude, int longitude) {
  long double rise = 0, set = 0;
  const int lat = std::abs(latitude), lon = std::abs(longitude);
  EXPECT_EQ(suntimes::detail::suntime(d.day, d.month, d.year, 90, 50, lon / 100, lon % 100, longitude >= 0, lat / 100,
                                      lat % 100, latitude < 0, 0, &rise, &set),
            1);
  int h = 0, m = 0;
  suntimes::detail::timeadj(&h, &m, set);
  return (h * 60 + m) % 1440;
}

// Candle lighting (18 minutes before sunset) on Friday 5 January 2024 in
// two cities of half-hour zones: the sunset in UTC plus the offset zdump
// gives for that instant.
TEST(CityClock, FridayCandleLightingInHalfHourZones) {
  const GregorianDate friday{5, 1, 2024};
  ASSERT_EQ(WeekdayOf(AbsoluteFromGregorian(friday)), kFriday);
  const CityRec cities[] = {
      City(2234, 8822, 5, "Asia/Kolkata"),         // 22,34 N, 88,22 E
      City(-3456, 13836, 9, "Australia/Adelaide"),  // 34,56 S, 138,36 E: summer time
  };
  for (const CityRec& city : cities) {
    SCOPED_TRACE(city.zoneName);
    const int candlesUtc = SunsetUtc(friday, city.latitude, city.longitude) - 18;
    const int offset = zdump::OffsetAt(city.zoneName, UtcSecondsOf(friday, candlesUtc, 0));
    const int expected = ((candlesUtc + offset / 60) % 1440 + 1440) % 1440;

    int hour = 0, minute = 0;
    ASSERT_EQ(CalculateCityTime(city, friday, "sunset - 18", nullptr, true, &hour, &minute), CityTime::kShown);
    EXPECT_EQ(Clock(hour * 60 + minute), Clock(expected));
    // By the whole hours of the file, without summer time, it is different.
    ASSERT_EQ(CalculateCityTime(city, friday, "sunset - 18", nullptr, false, &hour, &minute), CityTime::kShown);
    EXPECT_NE(Clock(hour * 60 + minute), Clock(expected));
  }
}

// Samoa moved across the date line at the end of 2011, from UTC-11 (-10 in
// summer) to UTC+13 (+14): before the move the sun computation leaves the
// file's +13 for the zone of the date, so the evening stays an evening.
// Expected: sunset in the standard time of the day (-11, then +13), moved to
// the offset zdump gives for the instant.
TEST(CityClock, ZoneHoursFollowTheDate) {
  const CityRec apia = City(-1350, -17145, 13, "Pacific/Apia");  // 13,50 S, 171,45 W
  const struct {
    GregorianDate friday;
    int standard;
  } cases[] = {{{23, 12, 2011}, -11}, {{6, 1, 2012}, 13}};
  EXPECT_EQ(CityClock(apia, cases[0].friday, nullptr, true).zoneHours(), -10);
  EXPECT_EQ(CityClock(apia, cases[1].friday, nullptr, true).zoneHours(), 13);
  for (const auto& c : cases) {
    const GregorianDate& d = c.friday;
    int h = 0, m = 0;
    ASSERT_EQ(GetSunsetSunrise(d.day, d.month, d.year, 0, apia.latitude, apia.longitude, c.standard, &h, &m), 1);
    const int candles = h * 60 + m - 18;
    const int offset = zdump::OffsetAt(apia.zoneName, UtcSecondsOf(d, candles, c.standard * 3600));
    int hour = 0, minute = 0;
    ASSERT_EQ(CalculateCityTime(apia, d, "sunset - 18", nullptr, true, &hour, &minute), CityTime::kShown);
    EXPECT_EQ(Clock(hour * 60 + minute), Clock(candles - c.standard * 60 + offset / 60)) << d.year;
    EXPECT_GE(hour, 18);
    EXPECT_LE(hour, 19);
  }
}

// Without the setting, without a zone name or with a zone the database does
// not know, the rule decides, an invalid rule included; with a known zone
// the rule plays no part.
TEST(CityClock, TheRuleWhereNoZoneApplies) {
  const GregorianDate summer{21, 6, 2024};
  const DstSetting europe;  // last Sunday of March to last Sunday of October
  DstSetting invalid;
  invalid.startMonth = 13;
  CityRec pforzheim = City(4853, 842, 1, "Europe/Berlin");
  const int t = CalculateZmanim(4853, 842, 1, 21, 6, 2024, "sunset");
  ASSERT_NE(t, kNoTime);
  const std::string byRule = Clock(t + 60);

  auto shown = [&](const CityRec& city, const DstSetting* rule, bool automatic) {
    int hour = 0, minute = 0;
    const CityTime r = CalculateCityTime(city, summer, "sunset", rule, automatic, &hour, &minute);
    return r == CityTime::kShown ? Clock(hour * 60 + minute) : r == CityTime::kNoTime ? "none" : "invalid";
  };
  EXPECT_EQ(shown(pforzheim, &europe, false), byRule);
  EXPECT_EQ(shown(pforzheim, nullptr, false), Clock(t));
  EXPECT_EQ(shown(pforzheim, &invalid, false), "invalid");
  EXPECT_EQ(shown(pforzheim, &invalid, true), byRule);  // the zone: +2 in summer
  EXPECT_EQ(shown(pforzheim, nullptr, true), byRule);
  pforzheim.zoneName.clear();
  EXPECT_EQ(shown(pforzheim, &europe, true), byRule);
  EXPECT_EQ(shown(pforzheim, nullptr, true), Clock(t));
  EXPECT_EQ(shown(pforzheim, &invalid, true), "invalid");
  pforzheim.zoneName = "Europe/Pforzheim";
  CaptureStderr();
  EXPECT_EQ(shown(pforzheim, nullptr, true), Clock(t));
  EXPECT_EQ(shown(pforzheim, &invalid, true), "invalid");
  EXPECT_NE(GetCapturedStderr().find("Europe/Pforzheim"), std::string::npos);
  EXPECT_EQ(shown(pforzheim, &europe, true), byRule);
}

// A time before midnight (an early dawn far north, or a city whose zone
// hours lie east of its real time) shows as the evening's clock time.
TEST(CityClock, TimesBeforeMidnightShowAsTheEvening) {
  const CityRec city = City(4853, 842, 1, "");
  const CityClock clock(city, GregorianDate{10, 1, 2024}, nullptr, false);
  int hour = -1, minute = -1;
  ASSERT_TRUE(clock.Show(-42, &hour, &minute));
  EXPECT_EQ(hour, 23);
  EXPECT_EQ(minute, 18);
  ASSERT_TRUE(clock.Show(59, &hour, &minute));
  EXPECT_EQ(hour, 0);
  EXPECT_EQ(minute, 59);
}

// Where the user's rule happens to be the zone's rule, both ways show the
// same times, every day of a year: Germany's summer time has run from the
// last Sunday of March to the last Sunday of October (the default rule)
// since 1996, Iceland has kept GMT without summer time since 1968 (its
// evening times run past midnight in June), and India keeps +5:30, half an
// hour after the file's whole hours.
TEST(CityClock, AgreesWithTheRuleWhereTheRuleIsRight) {
  const DstSetting europe;
  const struct {
    CityRec city;
    const DstSetting* rule;
    int addMinutes;
  } cases[] = {
      {City(4853, 842, 1, "Europe/Berlin"), &europe, 0},       // Pforzheim
      {City(6408, -2154, 0, "Atlantic/Reykjavik"), nullptr, 0},  // 64,8 N, 21,54 W
      {City(2234, 8822, 5, "Asia/Kolkata"), nullptr, 30},
  };
  const char* expressions[] = {"sunrise - 72", "sunrise - degrees_below_horizon(16.1)", "sunrise",
                               "sunrise + proportional_hour(3)", "sunset", "sunset + degrees_below_horizon(8.5)",
                               "sunset + 72"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.city.zoneName);
    int pastMidnight = 0, compared = 0;
    for (AbsoluteDay d = AbsoluteFromGregorian(1, 1, 2024); d <= AbsoluteFromGregorian(31, 12, 2024); ++d) {
      const GregorianDate g = GregorianFromAbsolute(d);
      for (const char* e : expressions) {
        int hour = 0, minute = 0, ruleHour = 0, ruleMinute = 0;
        const CityTime byZone = CalculateCityTime(c.city, g, e, nullptr, true, &hour, &minute);
        const CityTime byRule = CalculateCityTime(c.city, g, e, c.rule, false, &ruleHour, &ruleMinute);
        ASSERT_EQ(byZone, byRule) << g.day << "." << g.month << " " << e;
        if (byZone != CityTime::kShown) continue;
        ASSERT_EQ(hour * 60 + minute, ruleHour * 60 + ruleMinute + c.addMinutes) << g.day << "." << g.month << " " << e;
        if (hour >= 24) ++pastMidnight;
        ++compared;
      }
    }
    EXPECT_GT(compared, 2000);
    if (c.city.zoneName == "Atlantic/Reykjavik") {
      EXPECT_GT(pastMidnight, 10);
    }
  }
}

// ------------------------------------------------------------------ through the settings

class AutomaticZone : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    testenv::WriteFile(home_.lumaro("cities"), "\"Apia\", 13,50 S, 171,45 W, GMT+13, Pacific/Apia\n");
  }
};

// The value behind a shown time names its instant (what a calendar export
// writes in UTC) by the zone hours the computation used, also where these
// are not the file's: the shown time is that instant at zdump's offset.
TEST_F(AutomaticZone, ValueNamesTheInstantShown) {
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

}  // namespace
