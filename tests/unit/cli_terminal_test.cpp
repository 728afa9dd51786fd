// lumaro-cli on a terminal: a PDF without --out and an iCalendar file are
// refused with one line that says how to save them (terminal_output.tsv).
// The terminal is the far end of a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

TEST(CliTerminalTest, FilesToBeSavedAreNotWrittenToATerminal) {
  const testenv::TempHome home;
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  std::FILE* terminal = std::fopen(::ptsname(master), "w");
  ASSERT_NE(terminal, nullptr);
  const auto cases = testdata::ReadRows("terminal_output.tsv", '\t');
  ASSERT_EQ(cases.size(), 6u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at(0));
    std::vector<std::string> args;
    std::istringstream words(c.at(0));
    for (std::string w; words >> w;) args.push_back(w);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunCli(args, terminal, err), 2);
    const std::vector<std::string> lines = testenv::Lines(testenv::StreamText(err));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(c.at(1)), std::string::npos) << lines[0];
  }
  std::fclose(terminal);
  ::close(master);
}

}  // namespace
