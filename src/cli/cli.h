// lumaro-cli: the engine without a display. RunCli is the whole program
// (main only forwards to it) so tests can drive it in-process.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Exit statuses.
constexpr int kCliOk = 0;
constexpr int kCliUsage = 2;
// `now` while Shabbat or a festival day is in force.
constexpr int kCliRestDay = 3;

// Runs lumaro-cli with the arguments after the program name. Normal output
// goes to `out`, the one-line error of a usage failure to `err`.
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

namespace cli {
// For running the CLI in-process under a fuzzer: commands over a range of
// days refuse ranges longer than `days` (0, the default, means no limit).
void SetMaxRangeDaysForTesting(int days);
}  // namespace cli
