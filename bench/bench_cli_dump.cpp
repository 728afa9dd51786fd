// The whole-range dump of lumaro-cli (every column, the shipped city file),
// run in-process with its output thrown away.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/cli.h"

namespace {

// A private HOME that holds only the shipped city file, as a new user's.
class FreshHome {
 public:
  FreshHome() {
    char tmpl[] = "/tmp/lumaro-bench-XXXXXX";
    if (const char* dir = ::mkdtemp(tmpl)) path_ = dir;
    if (path_.empty()) return;
    ::setenv("HOME", path_.c_str(), 1);
    std::filesystem::create_directories(path_ + "/.lumaro");
    std::error_code ec;
    std::filesystem::copy_file(std::string(LUMARO_SOURCE_DATADIR) + "/cities", path_ + "/.lumaro/cities", ec);
  }
  ~FreshHome() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  bool ok() const { return !path_.empty(); }

 private:
  std::string path_;
};

void BM_DumpWholeRange(benchmark::State& state) {
  FreshHome home;
  std::FILE* sink = std::fopen("/dev/null", "w");
  if (!home.ok() || !sink) {
    state.SkipWithError("no temporary home or /dev/null");
    if (sink) std::fclose(sink);
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(RunCli({"dump", "1583-01-01", "3000-12-31"}, sink, sink));
  std::fclose(sink);
  state.SetItemsProcessed(state.iterations() * 517914);  // days of 1583..3000
}
BENCHMARK(BM_DumpWholeRange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
