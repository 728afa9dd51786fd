// Speed of the day's times: one expression, and the Shabbat time of a day
// for the default city.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "compose/current_options.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/shabbat_times.h"

namespace {

// Evaluates `expression` at Pforzheim on successive days of 2010.
void EvaluateEachDay(benchmark::State& state, const char* expression) {
  int day = 1, month = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalculateZmanim(4853, 842, 1, day, month, 2010, expression, SunOptions{}));
    if (++day > 28) {
      day = 1;
      month = month % 12 + 1;
    }
  }
}

void BM_CalculateZmanim_CandleLighting(benchmark::State& state) { EvaluateEachDay(state, "sunset - 18"); }
BENCHMARK(BM_CalculateZmanim_CandleLighting);

void BM_CalculateZmanim_ProportionalHour(benchmark::State& state) {
  EvaluateEachDay(state, "sunrise + proportional_hour(3) - 36");
}
BENCHMARK(BM_CalculateZmanim_ProportionalHour);

void BM_CalculateZmanim_Depression(benchmark::State& state) {
  EvaluateEachDay(state, "sunset + degrees_below_horizon(8.5)");
}
BENCHMARK(BM_CalculateZmanim_Depression);

// GetShabbatTime over consecutive days with the shipped city file, the
// file checked for changes on every call (as a lone lookup does); the
// argument is the DSTAutomatic setting (times by the city's time zone).
void BM_GetShabbatTime(benchmark::State& state) {
  settingsReset();
  setCityFileName(std::string(LUMARO_SOURCE_DATADIR) + "/cities");
  setDSTAutomatic(static_cast<int>(state.range(0)));
  AbsoluteDay d = AbsoluteFromGregorian(1, 1, 2010);
  std::string text;
  int candles = 0, havdalah = 0;
  for (auto _ : state) {
    GetShabbatTime(d++, &text, &candles, &havdalah);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_GetShabbatTime)->Arg(0)->Arg(1);

}  // namespace
