#include "suntimes/calc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string kFactorMessage =
    "Number or ID (SUNRISE, SUNSET, PROPORTIONAL_HOUR, DEGREES_BELOW_HORIZON, FRIDAY or SATURDAY expected)";

// Collects what the evaluator prints.
class Messages {
 public:
  Messages() : f_(open_memstream(&buf_, &size_)) {}
  ~Messages() {
    if (f_) std::fclose(f_);
    std::free(buf_);
  }
  Messages(const Messages&) = delete;
  Messages& operator=(const Messages&) = delete;
  std::FILE* file() { return f_; }
  std::string text() {
    std::fflush(f_);
    return std::string(buf_, size_);
  }

 private:
  char* buf_ = nullptr;
  size_t size_ = 0;
  std::FILE* f_;
};

struct Result {
  int value;
  std::string messages;
};

// Evaluates with given sun times on Monday 21 June 2010 at Pforzheim (or
// another date), without computing the sun.
Result Eval(const std::string& expression, int sunrise = 261, int sunset = 1232, int day = 21) {
  Messages out;
  CalcState s;
  s.day = day;
  s.month = 6;
  s.year = 2010;
  s.sunrise = sunrise;
  s.sunset = sunset;
  s.latitude = 4853;
  s.longitude = 842;
  s.zone = 1;
  s.messages = out.file();
  const int value = CalcEvaluate(s, expression);
  return {value, out.text()};
}

std::string Error(const std::string& message, const std::string& expression) {
  return "Parsing error " + message + "\n  Original expression: " + expression + "\n";
}

TEST(Calc, Tokens) {
  struct Case {
    const char* text;
    int token;
  } cases[] = {
      {"", kTokenEnd},           {"  \t\r\n", kTokenEnd}, {"+", kTokenPlus},           {"-", kTokenMinus},
      {"*", kTokenTimes},        {"/", kTokenDivide},     {"(", kTokenOpen},           {")", kTokenClose},
      {"_a1", kTokenIdentifier}, {"42", kTokenInteger},   {"3.", kTokenReal},          {"3.25", kTokenReal},
      {".5", kTokenInvalid},     {"%", kTokenInvalid},    {"\xC3\xA4", kTokenInvalid},
  };
  for (const Case& c : cases) {
    CalcState s;
    CalcInitScanner(s, c.text);
    EXPECT_EQ(CalcGetToken(s), c.token) << '"' << c.text << '"';
  }
  CalcState s;
  CalcInitScanner(s, "proportional_Hour(3.25)17x");
  EXPECT_EQ(CalcGetToken(s), kTokenIdentifier);
  EXPECT_EQ(s.identifier, "PROPORTIONAL_HOUR");
  EXPECT_EQ(CalcGetToken(s), kTokenOpen);
  EXPECT_EQ(CalcGetToken(s), kTokenReal);
  EXPECT_DOUBLE_EQ(s.realValue, 3.25);
  EXPECT_EQ(CalcGetToken(s), kTokenClose);
  EXPECT_EQ(CalcGetToken(s), kTokenInteger);
  EXPECT_EQ(s.integerValue, 17);
  EXPECT_EQ(CalcGetToken(s), kTokenIdentifier);
  EXPECT_EQ(CalcGetToken(s), kTokenEnd);
  EXPECT_EQ(CalcGetToken(s), kTokenEnd);  // stays at the end
}

TEST(Calc, ArithmeticAndSunValues) {
  struct Case {
    const char* expression;
    int value;
  } cases[] = {
      {"sunrise", 261},
      {"SUNSET", 1232},
      {"Sunset - 18", 1214},
      {"7 / 2", 3},
      {"0 - 7 / 2", -3},  // truncation towards zero
      {"2 - 3 + 5", 4},   // an intermediate -1 does not count
      {"2 * 3 + 4 * 5", 26},
      {"20 - 5 - 3", 12},       // left associative
      {"(2 - 3)", -1},          // but a factor of -1 fails
      {"(0 - 3) / 3 + 5", -1},  // and so does a term
      {"sunrise + proportional_hour(3) - 36", 467},
      {"sunrise+proportional_hour(3)-36", 467},
      {"SUNRISE + PROPORTIONAL_HOUR( 3 ) - 36", 467},
      {"proportional_hour(3)", 242},  // 3 * 971 / 12 = 242.75
      {"proportional_hour(3.)", 242},
      {"proportional_hour(6)", 485},
      {"proportional_hour(0.0)", 0},
  };
  for (const Case& c : cases) {
    const Result r = Eval(c.expression);
    EXPECT_EQ(r.value, c.value) << c.expression;
    EXPECT_EQ(r.messages, "") << c.expression;
  }
  EXPECT_EQ(Eval("proportional_hour(1.5)", 360, 1080).value, 90);
}

TEST(Calc, SyntaxErrorsPrintTheirMessage) {
  struct Case {
    const char* expression;
    std::string messages;
  } cases[] = {
      {"sunset - 1.5", Error(kFactorMessage, "sunset - 1.5")},
      {"-18 + sunset", Error(kFactorMessage, "-18 + sunset")},
      {"noon", Error(kFactorMessage, "noon")},
      {"", Error(kFactorMessage, "")},
      {"(sunset", Error(") expected", "(sunset")},
      {"sunset )", Error("Unexpected end of text", "sunset )")},
      {"sunset 5", Error("Unexpected end of text", "sunset 5")},
      {"proportional_hour 3", Error("( expected", "proportional_hour 3")},
      {"friday sunset", Error("( expected", "friday sunset")},
      {"proportional_hour(sunset)", Error("Integer-number or real-number expected", "proportional_hour(sunset)")},
      {"degrees_below_horizon()", Error("Integer-number or real-number expected", "degrees_below_horizon()")},
      {"proportional_hour(3", Error(") expected", "proportional_hour(3")},
      // One error can be followed by ") expected".
      {"(sunset - 1.5)", Error(kFactorMessage, "(sunset - 1.5)") + Error(") expected", "(sunset - 1.5)")},
  };
  for (const Case& c : cases) {
    const Result r = Eval(c.expression);
    EXPECT_EQ(r.value, kNoTime) << c.expression;
    EXPECT_EQ(r.messages, c.messages) << c.expression;
  }
}

TEST(Calc, WeekdayFunctions) {
  // 21 June 2010 was a Monday, 25 June a Friday, 26 June a Saturday.
  EXPECT_EQ(Eval("friday(sunset - 18)", 261, 1232, 25).value, 1214);
  EXPECT_EQ(Eval("friday(sunset - 18)", 261, 1232, 26).value, kNoTime);
  EXPECT_EQ(Eval("saturday(sunset + 45)", 261, 1232, 26).value, 1277);
  EXPECT_EQ(Eval("friday(sunset - 18) + 0", 261, 1232, 21).value, kNoTime);
  EXPECT_EQ(Eval("Saturday(friday(1))", 261, 1232, 25).value, kNoTime);
  // A time that merely does not exist that day is no syntax error: no
  // message, also inside parentheses.
  const Result r = Eval("(friday(sunset) + 5)", 261, 1232, 24);
  EXPECT_EQ(r.value, kNoTime);
  EXPECT_EQ(r.messages, "");
}

TEST(Calc, WholeEvaluationOnTheWorkedDay) {
  // 21 June 2010 at 48 deg 53 min N, 8 deg 42 min E: sunrise 4:21, sunset
  // 20:32, sun 8.5 deg below the horizon 1 h 6 min after sunset.
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 21, 6, 2010, "sunrise"), 261);
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 21, 6, 2010, "sunset"), 1232);
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 21, 6, 2010, "degrees_below_horizon(8.5)"), 66);
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 21, 6, 2010, "sunset + degrees_below_horizon(8.5)"), 1298);
  // 26 June 2010 is a Saturday; the sun sinks 8.5 deg there in June but not
  // 20 deg.
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 26, 6, 2010, "saturday(sunset + degrees_below_horizon(8.5))"),
            CalculateZmanim(4853, 842, 1, 26, 6, 2010, "sunset + degrees_below_horizon(8.5)"));
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 25, 6, 2010, "saturday(sunset + degrees_below_horizon(8.5))"), kNoTime);
  EXPECT_EQ(CalculateZmanim(4853, 842, 1, 26, 6, 2010, "saturday(sunset + degrees_below_horizon(20))"), kNoTime);
}

TEST(Calc, PolarDaysHaveNoSunTimes) {
  // Tromsoe at midsummer: the sun never sets.
  Messages out;
  for (const char* e : {"sunrise", "sunset - 18", "proportional_hour(3)", "sunrise + proportional_hour(6)",
                        "degrees_below_horizon(8.5)", "(sunset - 18)", "friday(sunset - 18)"}) {
    EXPECT_EQ(CalculateZmanim(6939, 1857, 1, 25, 6, 2010, e, out.file()), kNoTime) << e;
  }
  EXPECT_EQ(out.text(), "");
  // Plain numbers do not need the sun.
  EXPECT_EQ(CalculateZmanim(6939, 1857, 1, 25, 6, 2010, "12 * 60"), 720);
}

TEST(Calc, DivisionByZeroAndOverflowYieldNoTime) {
  for (const char* e : {"sunrise / 0", "5 / (3 - 3)", "2147483647 + 1", "0 - 2147483647 - 2", "65536 * 65536",
                        "proportional_hour(99999999999999999999.5)", "proportional_hour(3) * 2147483647"}) {
    const Result r = Eval(e);
    EXPECT_EQ(r.value, kNoTime) << e;
    EXPECT_EQ(r.messages, "") << e;
  }
  EXPECT_EQ(Eval("2147483647").value, 2147483647);
}

TEST(Calc, OverlongInputIsASyntaxError) {
  const std::string bigInteger = "sunset + 99999999999";
  EXPECT_EQ(Eval(bigInteger).messages, Error("Number too large", bigInteger));

  const std::string longName = "sunset + " + std::string(300, 'x');
  Result r = Eval(longName);
  EXPECT_EQ(r.value, kNoTime);
  EXPECT_EQ(r.messages, Error("Name too long", longName));

  const std::string longFraction = "proportional_hour(1." + std::string(400, '5') + ")";
  r = Eval(longFraction);
  EXPECT_EQ(r.value, kNoTime);
  EXPECT_EQ(r.messages, Error("Number too long", longFraction));

  // Nesting: a fixed depth evaluates, deeper is refused without exhausting
  // the stack.
  auto nested = [](int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); };
  EXPECT_EQ(Eval(nested(kCalcMaxNesting)).value, 1);
  r = Eval(nested(100000));
  EXPECT_EQ(r.value, kNoTime);
  EXPECT_EQ(r.messages, Error("Expression nested too deeply", nested(100000)));
  std::string fridays;
  for (int i = 0; i < 100000; ++i) fridays += "friday(";
  EXPECT_EQ(Eval(fridays + "1").value, kNoTime);
}

TEST(Calc, EmbeddedNulEndsTheText) {
  const std::string withNul("sunset\0garbage", 14);
  EXPECT_EQ(Eval(withNul).value, 1232);
}

TEST(Calc, Lstrcmpi) {
  EXPECT_EQ(lstrcmpi("Sunrise", "SUNRISE"), 0);
  EXPECT_EQ(lstrcmpi("", ""), 0);
  EXPECT_EQ(lstrcmpi("sunrise", "sunset"), 1);
  EXPECT_EQ(lstrcmpi("sun", "sunset"), 1);
  EXPECT_EQ(lstrcmpi("\xFC", "\xDC"), 1);  // only ASCII letters fold
}

}  // namespace
