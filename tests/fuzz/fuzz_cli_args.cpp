// lumaro-cli's argument parsing: any argument list (the input split at NUL bytes) gives a result or
// a usage error, never a crash.
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
  static std::FILE* sink = std::fopen("/dev/null", "w");
  if (!inHome) std::abort();
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size && args.size() <= 16; ++i) {
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back() += static_cast<char>(data[i]);
  }
  cli::SetMaxRangeDaysForTesting(400);  // commands that walk long ranges stay quick
  const int status = RunCli(args, sink, sink);
  if (status != 0 && status != 2) __builtin_trap();
  return 0;
}
