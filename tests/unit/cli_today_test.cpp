// lumaro-cli today after sunset: the report says that the day's sunset has
// passed and gives the Hebrew date of the evening. The clock is set through
// the test hook; the city is Jerusalem (sunset about 19:00 summer time in
// early April, 17:50 standard time in mid-March, 18:49 before Rosh HaShana).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/date_text.h"
#include "test_env.h"

namespace {

// A UTC instant.
std::time_t Utc(int year, int month, int day, int hour, int minute) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  return timegm(&t);
}

class CliTodayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    if (tz) oldTz_ = tz;
    hadTz_ = tz != nullptr;
    // The local day is Jerusalem's.
    ::setenv("TZ", "Asia/Jerusalem", 1);
    ::tzset();
    testenv::WriteFile(home_.lumaro("kivrasettings"), "CurrentCity: \"Jerusalem\"\nTimeFormat: \"1\"\nDSTAutomatic: \"1\"\n");
  }
  void TearDown() override {
    cli::SetNowForTesting(0);
    if (hadTz_) ::setenv("TZ", oldTz_.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
  }

  // The report's lines at `now`.
  std::vector<std::string> Today(std::time_t now, std::vector<std::string> args = {"today"}) {
    cli::SetNowForTesting(now);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunCli(args, out, err), 0);
    std::vector<std::string> lines;
    std::rewind(out);
    std::string line;
    for (int c; (c = std::fgetc(out)) != EOF;) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += static_cast<char>(c);
      }
    }
    std::fseek(err, 0, SEEK_END);
    EXPECT_EQ(std::ftell(err), 0);
    std::fclose(out);
    std::fclose(err);
    return lines;
  }

  static bool Has(const std::vector<std::string>& lines, const std::string& wanted) {
    for (const std::string& l : lines)
      if (l == wanted) return true;
    return false;
  }
  static bool HasPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& l : lines)
      if (l.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
  }

  testenv::TempHome home_;
  std::string oldTz_;
  bool hadTz_ = false;
};

struct EveningCase {
  const char* name;
  std::time_t now;
  const char* date;         // the Date line
  const char* hebrew;       // the Hebrew date line
  const char* fromSunset;   // the evening's Hebrew date, or null before sunset
};

TEST_F(CliTodayTest, SaysWhenSunsetHasPassedAndGivesTheEveningsHebrewDate) {
  const EveningCase cases[] = {
      // 2 April 2026 = 15 Nisan 5786; its evening begins 16 Nisan.
      {"afternoon", Utc(2026, 4, 2, 12, 0), "Date: Thursday, 2 April 2026", "Hebrew date: 15 Nisan 5786", nullptr},
      {"evening", Utc(2026, 4, 2, 17, 0), "Date: Thursday, 2 April 2026", "Hebrew date: 15 Nisan 5786",
       "From sunset: 16 Nisan 5786"},
      // A quarter of an hour before and after sunset (about 16:00 UTC).
      {"just before", Utc(2026, 4, 2, 15, 45), "Date: Thursday, 2 April 2026", "Hebrew date: 15 Nisan 5786", nullptr},
      {"just after", Utc(2026, 4, 2, 16, 15), "Date: Thursday, 2 April 2026", "Hebrew date: 15 Nisan 5786",
       "From sunset: 16 Nisan 5786"},
      // 18 March 2026 = 29 Adar 5786 (a 29-day month): the evening is 1 Nisan.
      {"new month", Utc(2026, 3, 18, 17, 0), "Date: Wednesday, 18 March 2026", "Hebrew date: 29 Adar 5786",
       "From sunset: 1 Nisan 5786"},
      // 11 September 2026 = 29 Elul 5786: the evening is Rosh HaShana 5787.
      {"new year", Utc(2026, 9, 11, 16, 30), "Date: Friday, 11 September 2026", "Hebrew date: 29 Elul 5786",
       "From sunset: 1 Tishri 5787"},
      {"new year, afternoon", Utc(2026, 9, 11, 15, 0), "Date: Friday, 11 September 2026",
       "Hebrew date: 29 Elul 5786", nullptr},
      // 23:30 in Jerusalem is 20:30 UTC: still the same civil day.
      {"late evening", Utc(2026, 4, 2, 20, 30), "Date: Thursday, 2 April 2026", "Hebrew date: 15 Nisan 5786",
       "From sunset: 16 Nisan 5786"},
      // 00:30 the next morning: a new civil day, before its sunset.
      {"after midnight", Utc(2026, 4, 2, 21, 30), "Date: Friday, 3 April 2026", "Hebrew date: 16 Nisan 5786",
       nullptr},
  };
  for (const EveningCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = Today(c.now);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], c.date);
    EXPECT_EQ(lines[1], c.hebrew);
    if (c.fromSunset) {
      EXPECT_TRUE(Has(lines, c.fromSunset));
      EXPECT_TRUE(HasPrefix(lines, "Sunset: "));
      EXPECT_NE(lines[lines.size() - 2].find("(it is after sunset)"), std::string::npos) << lines[lines.size() - 2];
      EXPECT_EQ(lines.back(), c.fromSunset);
    } else {
      EXPECT_FALSE(HasPrefix(lines, "From sunset"));
      EXPECT_EQ(lines.back().find("after sunset"), std::string::npos) << lines.back();
    }
  }
}

TEST_F(CliTodayTest, AnotherDayNeverSaysAfterSunset) {
  // In the evening of 2 April, the report of another day is that day's alone.
  const std::vector<std::string> lines = Today(Utc(2026, 4, 2, 17, 0), {"today", "--date", "2026-04-01"});
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Date: Wednesday, 1 April 2026");
  EXPECT_FALSE(HasPrefix(lines, "From sunset"));
  EXPECT_TRUE(Has(lines, "Sunset: 18:59"));
}

TEST_F(CliTodayTest, WithoutTheCityThereIsNoSunsetLine) {
  testenv::WriteFile(home_.lumaro("kivrasettings"), "CurrentCity: \"Atlantis\"\n");
  cli::SetNowForTesting(Utc(2026, 4, 2, 17, 0));
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(RunCli({"today"}, out, err), 0);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  EXPECT_EQ(text.find("Sunset"), std::string::npos) << text;
  EXPECT_NE(text.find("Hebrew date: 15 Nisan 5786"), std::string::npos) << text;
  std::fclose(out);
  std::fclose(err);
}

}  // namespace
