// Building the halakha report and the whole day report: one run per day over
// a whole Hebrew year.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "calendar/calendar.h"
#include "compose/day_report.h"
#include "halakha/halakha.h"
#include "base/settings.h"
#include "compose/current_options.h"
#include "base/translate.h"

namespace {

// 5785: Rosh HaShana 3 October 2024 to the eve of Rosh HaShana 2025.
const AbsoluteDay kFirst = AbsoluteFromHebrew(1, kTishri, 5785);
const AbsoluteDay kLast = AbsoluteFromHebrew(1, kTishri, 5786);

void BM_HalakhaDoWholeYear(benchmark::State& state) {
  translate_init("");
  const CalendarRules rules = state.range(0) ? kDiasporaRules : kIsraelRules;
  size_t bytes = 0;
  for (auto _ : state) {
    for (AbsoluteDay d = kFirst; d < kLast; ++d) bytes += HalakhaDo(d, rules, kStyleAshkenazi).size();
  }
  benchmark::DoNotOptimize(bytes);
  state.SetItemsProcessed(state.iterations() * (kLast - kFirst));
  translate_done();
}
BENCHMARK(BM_HalakhaDoWholeYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The three lists with the shipped city file, as the report window gets them.
void BM_DayReportWholeYear(benchmark::State& state) {
  char tmpl[] = "/tmp/lumaro-bench-XXXXXX";
  const char* home = ::mkdtemp(tmpl);
  if (!home) {
    state.SkipWithError("no temporary directory");
    return;
  }
  ::setenv("HOME", home, 1);
  std::filesystem::create_directories(std::string(home) + "/.lumaro");
  std::error_code ec;
  std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", std::string(home) + "/.lumaro/cities", ec);
  settingsReset();
  translate_init("");
  const Options options = CurrentOptions();
  size_t bytes = 0;
  for (auto _ : state) {
    for (AbsoluteDay d = kFirst; d < kLast; ++d) bytes += FormatDayReport(BuildDayReport(d, options)).size();
  }
  benchmark::DoNotOptimize(bytes);
  state.SetItemsProcessed(state.iterations() * (kLast - kFirst));
  translate_done();
  std::filesystem::remove_all(home, ec);
}
BENCHMARK(BM_DayReportWholeYear)->Unit(benchmark::kMillisecond);

}  // namespace
