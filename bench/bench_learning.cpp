// Speed of the daily study cycles: a year of every cycle, as a year of month
// views or a year's export would ask for them, and each cycle on its own.
#include <benchmark/benchmark.h>

#include "calendar/calendar.h"
#include "calendar/learning.h"
#include "compose/learning_lines.h"

namespace {

const AbsoluteDay kYearStart = AbsoluteFromGregorian(1, 1, 2025);
const AbsoluteDay kYearEnd = AbsoluteFromGregorian(1, 1, 2026);

// The text of every cycle on every day of 2025.
void BM_LearningYearAllCycles(benchmark::State& state) {
  for (auto _ : state) {
    for (AbsoluteDay d = kYearStart; d < kYearEnd; ++d)
      for (LearningCycle cycle : kLearningCycles) benchmark::DoNotOptimize(TranslatedLearningText(cycle, d, kDiasporaRules));
  }
  state.SetItemsProcessed(state.iterations() * (kYearEnd - kYearStart) * kLearningCycleCount);
}
BENCHMARK(BM_LearningYearAllCycles)->Unit(benchmark::kMillisecond);

// The portion alone (no text) of one cycle over 2025.
void BM_LearningYearPortion(benchmark::State& state) {
  const LearningCycle cycle = kLearningCycles[static_cast<size_t>(state.range(0))];
  state.SetLabel(std::string(LearningCycleId(cycle)));
  for (auto _ : state) {
    for (AbsoluteDay d = kYearStart; d < kYearEnd; ++d) benchmark::DoNotOptimize(GetLearningPortion(cycle, d, kDiasporaRules));
  }
  state.SetItemsProcessed(state.iterations() * (kYearEnd - kYearStart));
}
BENCHMARK(BM_LearningYearPortion)->DenseRange(0, kLearningCycleCount - 1)->Unit(benchmark::kMicrosecond);

// The translated cell lines of every cycle on every day of 2025, as a year
// of month views asks for them (an empty translation table).
void BM_LearningCellLinesYear(benchmark::State& state) {
  LearningChoice choice;
  choice.cycles.fill(true);
  for (auto _ : state) {
    for (AbsoluteDay d = kYearStart; d < kYearEnd; ++d)
      benchmark::DoNotOptimize(LearningCellLines(d, choice, kDiasporaRules));
  }
  state.SetItemsProcessed(state.iterations() * (kYearEnd - kYearStart));
}
BENCHMARK(BM_LearningCellLinesYear)->Unit(benchmark::kMillisecond);

}  // namespace
