// Conversion speed over the program's whole range of days.
#include <benchmark/benchmark.h>

#include "calendar/calendar.h"
#include "calendar/names.h"

namespace {

const AbsoluteDay kFirst = AbsoluteFromGregorian(1, 1, kFirstYear);
const AbsoluteDay kLast = AbsoluteFromGregorian(31, 12, kLastYear);

void BM_HebrewFromAbsolute(benchmark::State& state) {
  AbsoluteDay d = kFirst;
  for (auto _ : state) {
    benchmark::DoNotOptimize(HebrewFromAbsolute(d));
    if (++d > kLast) d = kFirst;
  }
}
BENCHMARK(BM_HebrewFromAbsolute);

void BM_GregorianFromAbsolute(benchmark::State& state) {
  AbsoluteDay d = kFirst;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GregorianFromAbsolute(d));
    if (++d > kLast) d = kFirst;
  }
}
BENCHMARK(BM_GregorianFromAbsolute);

void BM_AbsoluteFromHebrew(benchmark::State& state) {
  int y = 5343;
  int m = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(AbsoluteFromHebrew(HebrewDate{15, m, y}));
    if (++m > 12) {
      m = 1;
      if (++y > 6761) y = 5343;
    }
  }
}
BENCHMARK(BM_AbsoluteFromHebrew);

void BM_RoshKhodeshAndOmer(benchmark::State& state) {
  AbsoluteDay d = kFirst;
  for (auto _ : state) {
    const HebrewDate h = HebrewFromAbsolute(d);
    benchmark::DoNotOptimize(GetRoshKhodeshType(h) + GetOmerCount(d, h));
    if (++d > kLast) d = kFirst;
  }
}
BENCHMARK(BM_RoshKhodeshAndOmer);

}  // namespace
