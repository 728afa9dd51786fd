// lumaro-cli's argument parsing: any argument list gives a result or a
// usage error, never a crash. Arguments are the input split at NUL bytes.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // "month ... --out FILE" writes FILE: relative names land in the private HOME.
  static const bool inHome = ::chdir(fuzz::Home().c_str()) == 0;
  if (!inHome) std::abort();
  std::vector<std::string> args;
  std::string cur;
  for (size_t i = 0; i < size && args.size() < 16; ++i) {
    if (data[i] == 0) {
      args.push_back(cur);
      cur.clear();
    } else {
      cur += static_cast<char>(data[i]);
    }
  }
  args.push_back(cur);
  // Commands that walk long ranges are bounded so one input stays quick.
  cli::SetMaxRangeDaysForTesting(400);
  static std::FILE* sink = std::fopen("/dev/null", "w");
  const int status = RunCli(args, sink, sink);
  if (status != 0 && status != 2) __builtin_trap();
  return 0;
}
