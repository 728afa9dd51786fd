// lumaro-cli today after sunset: the report says that the day's sunset has
// passed and gives the Hebrew date of the evening (today_evenings.tsv). The
// clock is set through the test hook; the city is Jerusalem.
#include <gtest/gtest.h>

#include <cstdio>
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
  CliTodayTest() {
    ::tzset();
    Settings("CurrentCity: \"Jerusalem\"\nTimeFormat: \"1\"\nDSTAutomatic: \"1\"\n");
  }
  ~CliTodayTest() override { cli::SetNowForTesting(0); }
  void Settings(const std::string& text) { testenv::WriteFile(home_.lumaro("kivrasettings"), text); }

  // The report's lines at `now` (YYYY-MM-DD HH:MM in UTC).
  static std::vector<std::string> Today(const std::string& now, std::vector<std::string> args = {"today"}) {
    std::tm t{};
    strptime(now.c_str(), "%Y-%m-%d %H:%M", &t);
    cli::SetNowForTesting(timegm(&t));
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    EXPECT_EQ(RunCli(args, out, err), 0);
    EXPECT_EQ(testenv::StreamText(err), "");
    return testenv::Lines(testenv::StreamText(out));
  }

  struct TzReset {
    ~TzReset() { ::tzset(); }  // after TZ is restored
  } tzReset_;
  testenv::ScopedEnv tz_{"TZ", "Asia/Jerusalem"};  // the local day is Jerusalem's
  testenv::TempHome home_;
};

TEST_F(CliTodayTest, SaysWhenSunsetHasPassedAndGivesTheEveningsHebrewDate) {
  for (const auto& f : testdata::ReadRows("today_evenings.tsv", '\t')) {
    SCOPED_TRACE(f.at(4));
    const std::vector<std::string> lines = Today(f.at(0));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0] + "|" + lines[1], f.at(1) + "|" + f.at(2));
    const bool evening = f.at(3) != "-";
    EXPECT_EQ(lines.back(), evening ? f.at(3) : lines.back());
    EXPECT_EQ(lines[lines.size() - (evening ? 2 : 1)].find("(it is after sunset)") != std::string::npos, evening);
  }
  // In the evening of 2 April, the report of another day is that day's alone.
  const std::vector<std::string> other = Today("2026-04-02 17:00", {"today", "--date", "2026-04-01"});
  EXPECT_EQ(other.at(0), "Date: Wednesday, 1 April 2026");
  for (const std::string& line : other) EXPECT_NE(line.rfind("From sunset", 0), 0u) << line;
  Settings("CurrentCity: \"Atlantis\"\n");  // without the city, no sunset line
  const std::vector<std::string> lost = Today("2026-04-02 17:00");
  for (const std::string& line : lost) EXPECT_EQ(line.find("Sunset"), std::string::npos) << line;
  EXPECT_EQ(lost.at(1), "Hebrew date: 15 Nisan 5786");
}

}  // namespace
