// Building the halakha report: one run per day over a whole Hebrew year.
#include <benchmark/benchmark.h>

#include <string>

#include "calendar/calendar.h"
#include "halakha/halacha.h"
#include "storage/settings.h"
#include "storage/translate.h"

namespace {

// 5785: Rosh HaShana 3 October 2024 to the eve of Rosh HaShana 2025.
void BM_HalachaDoWholeYear(benchmark::State& state) {
  settingsReset();
  translate_init("");
  const int diaspora = static_cast<int>(state.range(0));
  diasporaSetFlag(diaspora);
  const AbsoluteDay first = AbsoluteFromHebrew(1, kTishri, 5785);
  const AbsoluteDay last = AbsoluteFromHebrew(1, kTishri, 5786);
  size_t bytes = 0;
  for (auto _ : state) {
    for (AbsoluteDay d = first; d < last; ++d) {
      const std::string text = HalachaDo(d, diaspora, kStyleAshkenazi);
      bytes += text.size();
    }
  }
  benchmark::DoNotOptimize(bytes);
  state.SetItemsProcessed(state.iterations() * (last - first));
  translate_done();
}
BENCHMARK(BM_HalachaDoWholeYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
