// Speed of the per-day lookups the month view and the dump make: the holiday
// text, the Shabbat sections, the Daf Yomi page and the molad.
#include <benchmark/benchmark.h>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/holidays.h"
#include "calendar/molad.h"
#include "calendar/torah_sections.h"

namespace {

const AbsoluteDay kFirst = AbsoluteFromGregorian(1, 1, kFirstYear);
const AbsoluteDay kLast = AbsoluteFromGregorian(31, 12, kLastYear);

// Day after day, as the month view and the dump walk them.
void BM_GetSpecialDay(benchmark::State& state) {
  AbsoluteDay d = kFirst;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetSpecialDay(d, kDiasporaRules));
    if (++d > kLast) d = kFirst;
  }
}
BENCHMARK(BM_GetSpecialDay);

// A different year on every call: no year is asked for twice in a row.
void BM_GetSpecialDayScattered(benchmark::State& state) {
  AbsoluteDay d = kFirst;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetSpecialDay(d, kDiasporaRules));
    d += 400;
    if (d > kLast) d -= kLast - kFirst;
  }
}
BENCHMARK(BM_GetSpecialDayScattered);

void BM_GetTorahSectionShabbat(benchmark::State& state) {
  const CalendarRules rules = state.range(0) ? kDiasporaRules : kIsraelRules;
  AbsoluteDay d = kFirst;
  while (WeekdayOf(d) != kShabbat) ++d;
  const AbsoluteDay firstShabbat = d;
  for (auto _ : state) {
    ShabbatSections s;
    benchmark::DoNotOptimize(GetTorahSectionShabbat(d, rules, &s));
    d += 7;
    if (d > kLast) d = firstShabbat;
  }
}
BENCHMARK(BM_GetTorahSectionShabbat)->Arg(0)->Arg(1);

void BM_DafYomiGetWithoutCycle(benchmark::State& state) {
  AbsoluteDay d = kFirst;
  for (auto _ : state) {
    const GregorianDate g = GregorianFromAbsolute(d);
    benchmark::DoNotOptimize(DafYomiGetWithoutCycle(g.day, g.month, g.year));
    if (++d > kLast) d = kFirst;
  }
}
BENCHMARK(BM_DafYomiGetWithoutCycle);

void BM_MoladGet(benchmark::State& state) {
  int year = 5343;
  int month = 1;
  for (auto _ : state) {
    MoladTime m;
    benchmark::DoNotOptimize(MoladGet(month, year, &m));
    if (++month > 12) {
      month = 1;
      if (++year > 6761) year = 5343;
    }
  }
}
BENCHMARK(BM_MoladGet);

}  // namespace
