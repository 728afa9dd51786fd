// The zmanim language in the precise sun calculation: real minutes, the
// failure rules, the morning depression, elevation, rounding when shown, and
// the settings that choose the calculation.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "base/settings.h"
#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "suntimes/calc.h"
#include "suntimes/noaa_sun.h"
#include "suntimes/sun_options.h"
#include "suntimes/timezone.h"

namespace {

constexpr SunOptions kClassic{};
constexpr SunOptions kPrecise{SunCalculation::kPrecise, false};
constexpr SunOptions kPreciseElevation{SunCalculation::kPrecise, true};

// Jerusalem at 754 m, New York, Tromso.
constexpr ZmanimPlace kJerusalem{3146, 3513, 2, 754};
constexpr ZmanimPlace kNewYork{4043, -7400, -5, 10};
constexpr ZmanimPlace kTromso{6939, 1857, 1, 10};

std::optional<double> At(const ZmanimPlace& place, const GregorianDate& d, const std::string& expression,
                         const SunOptions& sun = kPrecise) {
  return CalculateZmanimMinutes(place, d.day, d.month, d.year, expression, sun);
}

// The precise SUNRISE and SUNSET are the NOAA times in minutes of the zone.
TEST(PreciseCalc, SunriseAndSunsetAreTheNoaaTimesInTheZonesMinutes) {
  const GregorianDate d{21, 6, 2025};
  const double lat = suntimes::noaa::DegreesFromPacked(kJerusalem.latitude);
  const double lon = suntimes::noaa::DegreesFromPacked(kJerusalem.longitude);
  const auto sea = suntimes::noaa::SolarDay(2025, 6, 21, lon, 7200).SunriseSunset(lat);
  EXPECT_NEAR(*At(kJerusalem, d, "sunrise"), *sea.morning / 60 + 120, 1e-9);
  EXPECT_NEAR(*At(kJerusalem, d, "sunset"), *sea.evening / 60 + 120, 1e-9);
  // The reference data: 02:34:11.1 and 16:47:47.1 UTC.
  EXPECT_NEAR(*At(kJerusalem, d, "sunrise"), 120 + 9251.1 / 60, 2.0 / 60);
  EXPECT_NEAR(*At(kJerusalem, d, "sunset"), 120 + 60467.1 / 60, 2.0 / 60);
}

// "sunset + degrees_below_horizon(x)" is the evening moment of the
// depression, "sunrise - degrees_below_horizon(x)" the morning's: both at
// the geometric zenith 90 + x, at sea level whatever the elevation setting.
TEST(PreciseCalc, DepressionTimesOnBothSidesOfTheDay) {
  const double lat = suntimes::noaa::DegreesFromPacked(kJerusalem.latitude);
  const double lon = suntimes::noaa::DegreesFromPacked(kJerusalem.longitude);
  for (const GregorianDate d : {GregorianDate{1, 1, 2025}, GregorianDate{20, 3, 2025}, GregorianDate{21, 6, 2025},
                                GregorianDate{1, 10, 2026}}) {
    const auto at = suntimes::noaa::SolarDay(d.year, d.month, d.day, lon, 7200).Depression(lat, 16.1);
    for (const SunOptions& sun : {kPrecise, kPreciseElevation}) {
      EXPECT_NEAR(*At(kJerusalem, d, "sunrise - degrees_below_horizon(16.1)", sun), *at.morning / 60 + 120, 1e-6);
      EXPECT_NEAR(*At(kJerusalem, d, "sunset + degrees_below_horizon(16.1)", sun), *at.evening / 60 + 120, 1e-6);
    }
    // Elsewhere in an expression it is the evening interval.
    EXPECT_NEAR(*At(kJerusalem, d, "degrees_below_horizon(16.1)"),
                *at.evening / 60 + 120 - *At(kJerusalem, d, "sunset"), 1e-6);
  }
  // A depression above the apparent horizon gives a negative interval: no time.
  EXPECT_FALSE(At(kJerusalem, {21, 6, 2025}, "sunset + degrees_below_horizon(0)").has_value());
  // Tromso in June: the sun never sinks 8.5 degrees.
  EXPECT_FALSE(At(kTromso, {1, 6, 2025}, "sunset + degrees_below_horizon(8.5)").has_value());
}

TEST(PreciseCalc, ElevationLowersTheHorizonForSunriseAndSunsetOnly) {
  const GregorianDate d{21, 6, 2025};
  const double dip = suntimes::noaa::HorizonDipDeg(754);
  EXPECT_NEAR(dip, 0.88, 0.01);
  const double riseDiff = *At(kJerusalem, d, "sunrise") - *At(kJerusalem, d, "sunrise", kPreciseElevation);
  const double setDiff = *At(kJerusalem, d, "sunset", kPreciseElevation) - *At(kJerusalem, d, "sunset");
  // The reference: 4 min 44 s earlier and later (02:34:11.1 / 02:29:26.8).
  EXPECT_NEAR(riseDiff, 284.3 / 60, 2.0 / 60);
  EXPECT_NEAR(setDiff, 284.3 / 60, 2.0 / 60);
  // Proportional hours follow the day that sunrise and sunset make.
  EXPECT_GT(*At(kJerusalem, d, "proportional_hour(12)", kPreciseElevation), *At(kJerusalem, d, "proportional_hour(12)"));
  // At sea level, or without the setting, the elevation changes nothing.
  ZmanimPlace sea = kJerusalem;
  sea.elevationMetres = 0;
  EXPECT_EQ(*At(sea, d, "sunset", kPreciseElevation), *At(kJerusalem, d, "sunset"));
  // The classic calculation has no elevation.
  EXPECT_EQ(*At(kJerusalem, d, "sunset", {SunCalculation::kClassic, true}), *At(kJerusalem, d, "sunset", kClassic));
}

TEST(PreciseCalc, PolarDaysAndNightsHaveNoTimes) {
  for (const GregorianDate d : {GregorianDate{21, 6, 2025}, GregorianDate{21, 12, 2025}}) {
    for (const char* e : {"sunrise", "sunset - 18", "sunset + 72", "proportional_hour(1)", "sunrise - 72",
                          "sunset + degrees_below_horizon(8.5)"}) {
      EXPECT_FALSE(At(kTromso, d, e).has_value()) << e << " " << d.month;
      EXPECT_FALSE(At(kTromso, d, e, kPreciseElevation).has_value()) << e << " " << d.month;
    }
  }
  EXPECT_TRUE(At(kTromso, {20, 3, 2025}, "sunset - 18").has_value());
  // Dates the classic calculation refuses.
  EXPECT_FALSE(At(kNewYork, {32, 1, 2025}, "sunset").has_value());
  EXPECT_FALSE(At(kNewYork, {1, 13, 2025}, "sunset").has_value());
}

TEST(PreciseCalc, RoundingWhenShown) {
  const struct {
    double minutes;
    int nearest, down;
  } cases[] = {
      {600.0, 600, 600},          {600.4999, 600, 600}, {600.5, 601, 600},        {600.99, 601, 600},
      {599.9999999999, 600, 600},  // a computed whole minute counts as that minute
      {-0.5, 0, -1},              {-0.51, -1, -1},      {1439.6, 1440, 1439},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CityClock::RoundedMinutes(c.minutes), c.nearest) << c.minutes;
    EXPECT_EQ(CityClock::RoundedMinutes(c.minutes, CityClock::Rounding::kDown), c.down) << c.minutes;
  }
  // The rule-based clock: 20:32:47 standard time, summer time by the rule.
  CityRec city;
  city.latitude = 3146;
  city.longitude = 3513;
  city.gmtOffset = 2;
  const DstSetting rule;
  const CityClock clock(city, {21, 6, 2025}, &rule, false);
  int hour = 0, minute = 0;
  ASSERT_TRUE(clock.ShowMinutes(1232.0 + 47.0 / 60, &hour, &minute));
  EXPECT_EQ(hour * 60 + minute, 21 * 60 + 33);
  ASSERT_TRUE(clock.ShowMinutes(1232.0 + 47.0 / 60, &hour, &minute, CityClock::Rounding::kDown));
  EXPECT_EQ(hour * 60 + minute, 21 * 60 + 32);
}

// The classic calculation through the new entry points is the old one.
TEST(PreciseCalc, ClassicValuesThroughEveryEntryPointAreUnchanged) {
  settingsReset();
  for (const char* e : {"sunrise", "sunset - 18", "sunrise + proportional_hour(3) - 36", "7 / 2",
                        "sunrise - degrees_below_horizon(16.1)", "sunset + degrees_below_horizon(8.5)"}) {
    for (const GregorianDate d : {GregorianDate{1, 1, 2024}, GregorianDate{21, 6, 2024}}) {
      const int classic = CalculateZmanim(kNewYork.latitude, kNewYork.longitude, kNewYork.zone, d.day, d.month,
                                          d.year, e);
      const std::optional<double> viaMinutes = At(kNewYork, d, e, kClassic);
      const std::optional<double> viaProgram =
          ZmanimProgram::Compile(e).EvaluateMinutes(kNewYork, d.day, d.month, d.year, kClassic);
      ASSERT_TRUE(viaMinutes && viaProgram) << e;
      EXPECT_EQ(*viaMinutes, classic) << e;
      EXPECT_EQ(*viaProgram, classic) << e;
    }
  }
}

TEST(PreciseCalc, TheSettingsChooseTheCalculation) {
  settingsReset();
  EXPECT_EQ(getSunCalculation(), "classic");
  EXPECT_EQ(getSunElevation(), 0);
  EXPECT_FALSE(CurrentSunOptions().precise());
  const GregorianDate d{20, 3, 2024};
  const int classic = CalculateZmanim(kNewYork.latitude, kNewYork.longitude, kNewYork.zone, 20, 3, 2024, "7 / 2");
  EXPECT_EQ(classic, 3);

  setSunCalculation("precise");
  setSunElevation(5);
  EXPECT_TRUE(CurrentSunOptions().precise());
  EXPECT_TRUE(CurrentSunOptions().usesElevation());
  EXPECT_EQ(getSunElevation(), 1);
  // CalculateZmanim follows the setting and rounds the precise value.
  EXPECT_EQ(CalculateZmanim(kNewYork.latitude, kNewYork.longitude, kNewYork.zone, 20, 3, 2024, "7 / 2"), 4);
  EXPECT_EQ(CalculateZmanim(kNewYork.latitude, kNewYork.longitude, kNewYork.zone, 20, 3, 2024, "sunset"),
            suntimes::noaa::RoundSecondsToMinute(*At(kNewYork, d, "sunset") * 60));

  setSunCalculation("Precise");  // only the exact words
  EXPECT_EQ(getSunCalculation(), "classic");
  EXPECT_EQ(SunCalculationFromName("precise"), SunCalculation::kPrecise);
  EXPECT_EQ(SunCalculationFromName("classic"), SunCalculation::kClassic);
  EXPECT_FALSE(SunCalculationFromName("").has_value());
  EXPECT_EQ(SunCalculationName(SunCalculation::kPrecise), "precise");
  settingsReset();
}

}  // namespace
