// A full month painted through a recording Drawing: every cell with its
// holidays, Shabbat times (the shipped city file), Daf Yomi and 200
// anniversaries in the file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../tests/unit/recording_drawing.h"
#include "compose/current_options.h"
#include "render/month_painter.h"
#include "storage/anniversaries.h"
#include "base/settings.h"
#include "base/translate.h"
#include "storage/user_files.h"

namespace {

class PainterHome {
 public:
  PainterHome() {
    char tmpl[] = "/tmp/lumaro-bench-XXXXXX";
    path_ = ::mkdtemp(tmpl);
    ::setenv("HOME", path_.c_str(), 1);
    InstallDefaultUserFiles();
    settingsReset();
    AnniversaryList list;
    for (int i = 0; i < 200; ++i) {
      AnniversaryRec rec;
      rec.name = "Person " + std::to_string(i);
      rec.type = "ABY"[i % 3];
      rec.isHebrew = i % 2;
      rec.date = rec.isHebrew ? AnniDate{1 + i % 29, 1 + i % 12, 5700 + i} : AnniDate{1 + i % 28, 1 + i % 12, 1950 + i % 60};
      AnniFileInsertSorted(list, rec);
    }
    AnniFileStore(list);
    translate_init("english");
  }
  ~PainterHome() {
    translate_done();
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }

 private:
  std::string path_;
};

void BM_PaintFullMonth(benchmark::State& state) {
  PainterHome home;
  int month = 1;
  for (auto _ : state) {
    testenv::RecordingDrawing d;
    // The window builds the options value for each paint, as here.
    PaintItInternal(d, PaintArea{0, 0, 1280, 980}, GregorianDate{15, month, 2025}, CurrentOptions(), true, false,
                    nullptr, nullptr, nullptr);
    benchmark::DoNotOptimize(d.ops.size());
    month = month % 12 + 1;
  }
}
BENCHMARK(BM_PaintFullMonth)->Unit(benchmark::kMillisecond);

void BM_HitTest(benchmark::State& state) {
  PainterHome home;
  for (auto _ : state) {
    testenv::RecordingDrawing d;
    CalendarHit hit;
    hit.x = 600;
    hit.y = 700;
    PaintItInternal(d, PaintArea{0, 0, 1280, 980}, GregorianDate{15, 4, 2025}, CurrentOptions(), false, false, &hit,
                    nullptr, nullptr);
    benchmark::DoNotOptimize(hit.day);
  }
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kMicrosecond);

}  // namespace
