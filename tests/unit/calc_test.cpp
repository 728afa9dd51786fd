#include "suntimes/calc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "compose/current_options.h"
#include "base/diagnostics.h"

namespace {

const std::string kFactorMessage =
    "Number or ID (SUNRISE, SUNSET, PROPORTIONAL_HOUR, DEGREES_BELOW_HORIZON, FRIDAY or SATURDAY expected)";

struct Result {
  int value;
  std::string messages;
};

// The value of `run` and what it printed on the stream it was given.
Result Printed(const std::function<int(std::FILE*)>& run) {
  char* buf = nullptr;
  size_t size = 0;
  std::FILE* f = open_memstream(&buf, &size);
  const int value = run(f);
  std::fclose(f);
  Result r{value, std::string(buf, size)};
  std::free(buf);
  return r;
}

// Evaluates with given sun times on 21 June 2010 (a Monday) at Pforzheim, or
// another day of that June, without computing the sun.
Result Eval(const std::string& expression, int sunrise = 261, int sunset = 1232, int day = 21) {
  return Printed([&](std::FILE* f) {
    CalcState s;
    s.day = day, s.month = 6, s.year = 2010;
    s.sunrise = sunrise, s.sunset = sunset;
    s.latitude = 4853, s.longitude = 842, s.zone = 1;
    const DiagnosticsTo messages(f);
    return CalcEvaluate(s, expression);
  });
}

std::string Error(const std::string& message, const std::string& expression) {
  return "Parsing error " + message + "\n  Original expression: " + expression + "\n";
}

TEST(Calc, ArithmeticAndSunValues) {
  const std::pair<const char*, int> cases[] = {
      {"sunrise", 261},
      {"SUNSET", 1232},
      {" \tSunset - 18\r\n", 1214},
      {"7 / 2", 3},
      {"0 - 7 / 2", -3},  // truncation towards zero
      {"2 - 3 + 5", 4},   // an intermediate -1 does not count
      {"2 * 3 + 4 * 5", 26},
      {"20 - 5 - 3", 12},       // left associative
      {"(2 - 3)", -1},          // but a factor of -1 fails
      {"(0 - 3) / 3 + 5", -1},  // and so does a term
      {"sunrise+proportional_hour(3)-36", 467},
      {"SUNRISE + Proportional_Hour( 3 ) - 36", 467},
      {"proportional_hour(3)", 242},  // 3 * 971 / 12 = 242.75
      {"proportional_hour(3.)", 242},
      {"proportional_hour(6)", 485},
      {"proportional_hour(0.0)", 0},
      {"2147483647", 2147483647},
  };
  for (const auto& [expression, value] : cases) {
    const Result r = Eval(expression);
    EXPECT_EQ(r.value, value) << expression;
    EXPECT_EQ(r.messages, "") << expression;
  }
  EXPECT_EQ(Eval(std::string("sunset\0garbage", 14)).value, 1232);  // a NUL ends the text
  EXPECT_EQ(Eval("proportional_hour(1.5)", 360, 1080).value, 90);
  EXPECT_EQ(Eval("proportional_hour(3.25)", 360, 1080).value, 195);
}

TEST(Calc, SyntaxErrorsPrintTheirMessage) {
  const std::pair<std::string, std::string> cases[] = {
      {"sunset - 1.5", kFactorMessage},
      {"sunset - .5", kFactorMessage},
      {"sunset % 2", "Unexpected end of text"},
      {"-18 + sunset", kFactorMessage},
      {"noon", kFactorMessage},
      {"", kFactorMessage},
      {"(sunset", ") expected"},
      {"sunset )", "Unexpected end of text"},
      {"sunset 5", "Unexpected end of text"},
      {"proportional_hour 3", "( expected"},
      {"friday sunset", "( expected"},
      {"proportional_hour(sunset)", "Integer-number or real-number expected"},
      {"degrees_below_horizon()", "Integer-number or real-number expected"},
      {"proportional_hour(3", ") expected"},
      {"sunset + 99999999999", "Number too large"},
      {"sunset + " + std::string(300, 'x'), "Name too long"},
      {"proportional_hour(1." + std::string(400, '5') + ")", "Number too long"},
  };
  for (const auto& [expression, message] : cases) {
    const Result r = Eval(expression);
    EXPECT_EQ(r.value, kNoTime) << expression;
    EXPECT_EQ(r.messages, Error(message, expression)) << expression;
  }
  // One error can be followed by ") expected".
  EXPECT_EQ(Eval("(sunset - 1.5)").messages,
            Error(kFactorMessage, "(sunset - 1.5)") + Error(") expected", "(sunset - 1.5)"));
  // Nesting: a fixed depth evaluates, deeper is refused without exhausting the stack.
  auto nested = [](int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); };
  EXPECT_EQ(Eval(nested(kCalcMaxNesting)).value, 1);
  const Result r = Eval(nested(100000));
  EXPECT_EQ(r.value, kNoTime);
  EXPECT_EQ(r.messages, Error("Expression nested too deeply", nested(100000)));
  std::string fridays;
  for (int i = 0; i < 100000; ++i) fridays += "friday(";
  EXPECT_EQ(Eval(fridays + "1").value, kNoTime);
}

// A time that does not exist that day is no syntax error: no message.
TEST(Calc, WeekdaysDivisionByZeroAndOverflowYieldNoTime) {
  // 25 June 2010 was a Friday, 26 June a Saturday.
  EXPECT_EQ(Eval("friday(sunset - 18)", 261, 1232, 25).value, 1214);
  EXPECT_EQ(Eval("saturday(sunset + 45)", 261, 1232, 26).value, 1277);
  for (const auto& [expression, day] : {std::pair{"friday(sunset - 18)", 26}, {"friday(sunset - 18) + 0", 21},
                                        {"Saturday(friday(1))", 25}, {"(friday(sunset) + 5)", 24},
                                        {"sunrise / 0", 21}, {"5 / (3 - 3)", 21}, {"2147483647 + 1", 21},
                                        {"0 - 2147483647 - 2", 21}, {"65536 * 65536", 21},
                                        {"proportional_hour(99999999999999999999.5)", 21},
                                        {"proportional_hour(3) * 2147483647", 21}}) {
    const Result r = Eval(expression, 261, 1232, day);
    EXPECT_EQ(r.value, kNoTime) << expression;
    EXPECT_EQ(r.messages, "") << expression;
  }
}

// 21 June 2010 at 48 deg 53 min N, 8 deg 42 min E: sunset 20:32, sun 8.5
// deg below the horizon 1 h 6 min later (the sun itself: sunrise_test).
TEST(Calc, WholeEvaluationOnTheWorkedDay) {
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 21, 6, 2010, "sunset + degrees_below_horizon(8.5)"), 1232 + 66);
  // Saturday 26 June 2010: the sun sinks 8.5 deg there in June but not 20.
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 26, 6, 2010, "saturday(sunset + degrees_below_horizon(8.5))"),
            CalculateZmanim(4853, 842, 1, 26, 6, 2010, "sunset + degrees_below_horizon(8.5)"));
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 25, 6, 2010, "saturday(sunset + degrees_below_horizon(8.5))"), kNoTime);
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 26, 6, 2010, "saturday(sunset + degrees_below_horizon(20))"), kNoTime);
}

// Tromsoe at midsummer: the sun never sets; plain numbers do not need it.
TEST(Calc, PolarDaysHaveNoSunTimes) {
  for (const char* e : {"sunrise", "sunset - 18", "proportional_hour(3)", "sunrise + proportional_hour(6)",
                        "degrees_below_horizon(8.5)", "(sunset - 18)", "friday(sunset - 18)"}) {
    const Result r = Printed([&](std::FILE* f) {
      const DiagnosticsTo messages(f);
      return CalculateZmanim(6939, 1857, 1, 25, 6, 2010, e);
    });
    EXPECT_EQ(r.value, kNoTime) << e;
    EXPECT_EQ(r.messages, "") << e;
  }
  EXPECT_EQ(CalculateZmanim(6939, 1857, 1, 25, 6, 2010, "12 * 60"), 720);
}

}  // namespace
