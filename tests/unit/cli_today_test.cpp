// lumaro-cli today after sunset: the report says that the day's sunset has
// passed and gives the Hebrew date of the evening (today_evenings.tsv). The
// clock is set through the test hook; the city is Jerusalem.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/date_text.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

class CliTodayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) oldTz_ = tz;
    ::setenv("TZ", "Asia/Jerusalem", 1);  // the local day is Jerusalem's
    ::tzset();
    testenv::WriteFile(home_.lumaro("kivrasettings"), "CurrentCity: \"Jerusalem\"\nTimeFormat: \"1\"\nDSTAutomatic: \"1\"\n");
  }
  void TearDown() override {
    cli::SetNowForTesting(0);
    if (oldTz_.empty()) ::unsetenv("TZ");
    else ::setenv("TZ", oldTz_.c_str(), 1);
    ::tzset();
  }

  // The report's lines at `now` (YYYY-MM-DD HH:MM in UTC).
  static std::vector<std::string> Today(const std::string& now, std::vector<std::string> args = {"today"}) {
    std::tm t{};
    strptime(now.c_str(), "%Y-%m-%d %H:%M", &t);
    cli::SetNowForTesting(timegm(&t));
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunCli(args, out, err), 0);
    std::string text;
    std::rewind(out);
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    EXPECT_EQ(std::ftell(err), 0);
    std::fclose(out);
    std::fclose(err);
    return testenv::Lines(text);
  }

  testenv::TempHome home_;
  std::string oldTz_;
};

TEST_F(CliTodayTest, SaysWhenSunsetHasPassedAndGivesTheEveningsHebrewDate) {
  for (const auto& f : testdata::ReadRows("today_evenings.tsv", '\t')) {
    SCOPED_TRACE(f.at(4));
    const std::vector<std::string> lines = Today(f.at(0));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], f.at(1));
    EXPECT_EQ(lines[1], f.at(2));
    const bool evening = f.at(3) != "-";
    EXPECT_EQ(lines.back(), evening ? f.at(3) : lines.back());
    EXPECT_EQ(lines[lines.size() - (evening ? 2 : 1)].find("(it is after sunset)") != std::string::npos, evening)
        << lines[lines.size() - 2];
  }
  // In the evening of 2 April, the report of another day is that day's alone.
  const std::vector<std::string> other = Today("2026-04-02 17:00", {"today", "--date", "2026-04-01"});
  ASSERT_FALSE(other.empty());
  EXPECT_EQ(other[0], "Date: Wednesday, 1 April 2026");
  for (const std::string& line : other) EXPECT_NE(line.rfind("From sunset", 0), 0u) << line;
  // Without the city there is no sunset line.
  testenv::WriteFile(home_.lumaro("kivrasettings"), "CurrentCity: \"Atlantis\"\n");
  const std::vector<std::string> lost = Today("2026-04-02 17:00");
  for (const std::string& line : lost) EXPECT_EQ(line.find("Sunset"), std::string::npos) << line;
  EXPECT_EQ(lost.at(1), "Hebrew date: 15 Nisan 5786");
}

}  // namespace
