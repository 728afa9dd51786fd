// Speed of one day's sun times, classic against precise: sunrise, sunset,
// the sun 8.5 degrees below the horizon in the evening and 16.1 degrees
// below it in the morning, at Pforzheim on successive days of 2010.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "suntimes/calc.h"
#include "suntimes/noaa_sun.h"
#include "suntimes/sunrise.h"

namespace {

constexpr int kLatitude = 4853;  // 48 deg 53 min N
constexpr int kLongitude = 842;  // 8 deg 42 min E
constexpr int kZone = 1;

// Steps day and month through 2010 (28 days a month).
struct Days {
  int day = 1, month = 1;
  void Next() {
    if (++day > 28) {
      day = 1;
      month = month % 12 + 1;
    }
  }
};

// The classic almanac calculation, as the zmanim expressions call it.
void BM_DayClassic(benchmark::State& state) {
  Days d;
  for (auto _ : state) {
    int rh = 0, rm = 0, sh = 0, sm = 0, h1 = 0, m1 = 0, h2 = 0, m2 = 0;
    benchmark::DoNotOptimize(
        GetSunriseAndSunset(d.day, d.month, 2010, kLatitude, kLongitude, kZone, &rh, &rm, &sh, &sm));
    benchmark::DoNotOptimize(GetDegreesBelowHorizon(d.day, d.month, 2010, kLatitude, kLongitude, kZone, 8.5, &h1, &m1));
    benchmark::DoNotOptimize(
        GetDegreesBelowHorizon(d.day, d.month, 2010, kLatitude, kLongitude, kZone, 16.1, &h2, &m2));
    benchmark::DoNotOptimize(rh + rm + sh + sm + h1 + m1 + h2 + m2);
    d.Next();
  }
}
BENCHMARK(BM_DayClassic);

// The precise calculation with the day's solar quantities shared by all the
// events, rounded to minutes of local standard time.
void BM_DayPrecise(benchmark::State& state) {
  using namespace suntimes::noaa;
  const double lat = DegreesFromPacked(kLatitude), lon = DegreesFromPacked(kLongitude);
  Days d;
  for (auto _ : state) {
    const SolarDay sun(2010, d.month, d.day, lon);
    const SunEvents riseSet = sun.SunriseSunset(lat);
    const SunEvents nightfall = sun.Depression(lat, 8.5);
    const SunEvents dawn = sun.Depression(lat, 16.1);
    const auto minutes = [](const std::optional<double>& s) {
      return s ? RoundSecondsToMinute(*s + kZone * 3600.0) : -1;
    };
    benchmark::DoNotOptimize(minutes(riseSet.morning) + minutes(riseSet.evening) + minutes(nightfall.evening) +
                             minutes(dawn.morning));
    d.Next();
  }
}
BENCHMARK(BM_DayPrecise);

// The same with every event iterated on the full solar position
// (SunEventsUtc), nothing shared.
void BM_DayPreciseUnshared(benchmark::State& state) {
  using namespace suntimes::noaa;
  const double lat = DegreesFromPacked(kLatitude), lon = DegreesFromPacked(kLongitude);
  Days d;
  for (auto _ : state) {
    const SunEvents riseSet = SunEventsUtc(2010, d.month, d.day, lat, lon, SunriseZenithDeg(0));
    const SunEvents nightfall = SunEventsUtc(2010, d.month, d.day, lat, lon, DepressionZenithDeg(8.5));
    const SunEvents dawn = SunEventsUtc(2010, d.month, d.day, lat, lon, DepressionZenithDeg(16.1));
    const auto minutes = [](const std::optional<double>& s) {
      return s ? RoundSecondsToMinute(*s + kZone * 3600.0) : -1;
    };
    benchmark::DoNotOptimize(minutes(riseSet.morning) + minutes(riseSet.evening) + minutes(nightfall.evening) +
                             minutes(dawn.morning));
    d.Next();
  }
}
BENCHMARK(BM_DayPreciseUnshared);

// One day's zmanim list as the report and the zmanim panel compute it: each
// of the eleven times (their first opinions, three of them depression angles)
// read and evaluated in the expression language, classic or precise.
void DayZmanim(benchmark::State& state, const SunOptions& sun) {
  constexpr std::array<std::string_view, 11> kExpressions = {{
      "sunrise - degrees_below_horizon(16.1)", "sunrise - degrees_below_horizon(11)", "sunrise",
      "sunrise + proportional_hour(3)", "sunrise + proportional_hour(4)", "sunrise + proportional_hour(6)",
      "sunrise + proportional_hour(6.5)", "sunrise + proportional_hour(9.5)", "sunrise + proportional_hour(10.75)",
      "sunset", "sunset + degrees_below_horizon(8.75)",
  }};
  const ZmanimPlace place{kLatitude, kLongitude, kZone, 256};
  Days d;
  for (auto _ : state) {
    double sum = 0;
    for (std::string_view e : kExpressions) sum += CalculateZmanimMinutes(place, d.day, d.month, 2010, e, sun).value_or(-1);
    benchmark::DoNotOptimize(sum);
    d.Next();
  }
}
void BM_DayZmanimClassic(benchmark::State& state) { DayZmanim(state, SunOptions{}); }
void BM_DayZmanimPrecise(benchmark::State& state) { DayZmanim(state, SunOptions{SunCalculation::kPrecise, false}); }
void BM_DayZmanimPreciseElevation(benchmark::State& state) {
  DayZmanim(state, SunOptions{SunCalculation::kPrecise, true});
}
BENCHMARK(BM_DayZmanimClassic);
BENCHMARK(BM_DayZmanimPrecise);
BENCHMARK(BM_DayZmanimPreciseElevation);

}  // namespace
