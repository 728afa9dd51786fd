// The anniversaries of the day cells of one month, as the month view asks
// for them: with the parsed file kept between calls, and what one call costs
// when the file has to be read and every entry placed afresh.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "calendar/calendar.h"
#include "compose/anniversary_lines.h"
#include "storage/anniversaries.h"
#include "base/translate.h"

namespace {

// A private HOME with an anniversaries file of `entries` lines.
class BenchHome {
 public:
  explicit BenchHome(int entries) {
    char tmpl[] = "/tmp/lumaro-bench-XXXXXX";
    path_ = ::mkdtemp(tmpl);
    ::setenv("HOME", path_.c_str(), 1);
    AnniversaryList list;
    for (int i = 0; i < entries; ++i) {
      AnniversaryRec r;
      r.name = "Person " + std::to_string(i);
      r.type = "ABY"[i % 3];
      r.isHebrew = i % 2;
      r.date = r.isHebrew ? AnniDate{1 + i % 29, 1 + i % 12, 5700 + i % 80} : AnniDate{1 + i % 28, 1 + i % 12, 1940 + i % 80};
      AnniFileInsertSorted(list, r);
    }
    AnniFileStore(list);
    translate_init("");
  }
  ~BenchHome() {
    translate_done();
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }

 private:
  std::string path_;
};

void BM_AnniversariesOfAMonth(benchmark::State& state) {
  BenchHome home(static_cast<int>(state.range(0)));
  const AbsoluteDay first = AbsoluteFromGregorian(1, 3, 2025);
  std::string types, text;
  for (auto _ : state) {
    for (AbsoluteDay d = first; d < first + 42; ++d) benchmark::DoNotOptimize(AnnifileGetForDay(d, &types, &text));
  }
  state.SetItemsProcessed(state.iterations() * 42);
}
BENCHMARK(BM_AnniversariesOfAMonth)->Arg(10)->Arg(100)->Arg(1000);

// One day answered without the kept index: load the file, place every entry.
void BM_OneDayFromTheFile(benchmark::State& state) {
  BenchHome home(static_cast<int>(state.range(0)));
  const AbsoluteDay day = AbsoluteFromGregorian(15, 3, 2025);
  const int year = HebrewFromAbsolute(day).year;
  for (auto _ : state) {
    AnniversaryList list;
    AnniFileLoad(list);
    int found = 0;
    for (const AnniversaryRec& r : list) found += AnniDayInYear(r, year) == day;
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_OneDayFromTheFile)->Arg(10)->Arg(100)->Arg(1000);

}  // namespace
