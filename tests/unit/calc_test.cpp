// The zmanim expression language against a fixed sun (the rows of
// tests/data/zmanim_expressions.csv), and whole evaluations with the
// classic sun.
#include "suntimes/calc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "compose/current_options.h"
#include "base/diagnostics.h"
#include "reference_data.h"

namespace {

// Sunrise and sunset given; depressions never happen.
class FixedSun final : public SunModel {
 public:
  FixedSun(bool whole, double rise, double set) : whole_(whole), rise_(rise), set_(set) {}
  bool wholeMinutes() const override { return whole_; }
  std::optional<double> Sunrise() const override { return rise_; }
  std::optional<double> Sunset() const override { return set_; }
  std::optional<double> DepressionInterval(double, bool) const override { return std::nullopt; }

 private:
  bool whole_;
  double rise_, set_;
};

// What `run` printed on the message stream.
std::string Printed(const std::function<void()>& run) {
  char* buf = nullptr;
  size_t size = 0;
  std::FILE* f = open_memstream(&buf, &size);
  {
    const DiagnosticsTo messages(f);
    run();
  }
  std::fclose(f);
  std::string printed(buf, size);
  std::free(buf);
  return printed;
}

std::string Unescape(const std::string& text) {
  static const std::map<char, char> kEscapes{{'t', '\t'}, {'r', '\r'}, {'n', '\n'}, {'0', '\0'}};
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && kEscapes.count(text[i + 1])) {
      out.push_back(kEscapes.at(text[++i]));
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string Messages(const std::string& codes, const std::string& expression) {
  static const std::map<char, std::string> kMessages{
      {'F', "Number or ID (SUNRISE, SUNSET, PROPORTIONAL_HOUR, DEGREES_BELOW_HORIZON, FRIDAY or SATURDAY expected)"},
      {'O', "( expected"},
      {'N', "Integer-number or real-number expected"},
      {'C', ") expected"},
      {'T', "Unexpected end of text"},
      {'D', "Expression nested too deeply"},
      {'L', "Number too large"},
      {'G', "Number too long"},
      {'M', "Name too long"}};
  std::string out;
  const std::string shown = expression.substr(0, expression.find('\0'));
  for (char c : codes) out += "Parsing error " + kMessages.at(c) + "\n  Original expression: " + shown + "\n";
  return out;
}

// The value on a day of June 2010 and what the evaluation printed.
std::pair<std::optional<double>, std::string> Evaluate(bool whole, int day, const std::string& expression) {
  const FixedSun sun(whole, day == 1 ? 360 : 261, day == 1 ? 1080 : 1232);
  std::optional<double> value;
  const std::string printed =
      Printed([&] { value = ZmanimProgram::Parse(expression).EvaluateWith(sun, day, 6, 2010, true); });
  return {value, printed};
}

TEST(Calc, ExpressionsGiveTheirValueAndMessages) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("zmanim_expressions.csv");
  ASSERT_GT(rows.size(), 70u) << "tests/data/zmanim_expressions.csv is missing or short";
  for (const testdata::Row& row : rows) {
    ASSERT_EQ(row.size(), 5u) << row[0];
    const std::string expression = Unescape(row[2]);
    const auto [value, printed] = Evaluate(row[0] == "whole", std::stoi(row[1]), expression);
    EXPECT_EQ(value.has_value(), row[3] != "-") << row[2] << " on " << row[1];
    if (value && row[3] != "-") {
      EXPECT_EQ(*value, std::stod(row[3])) << row[2];
    }
    EXPECT_EQ(printed, Messages(row[4], expression)) << row[2] << " on " << row[1];
    // A compiled program prints the same messages at once, and has no time.
    if (!row[4].empty() && row[1] == "21") {
      const std::string compiled = Printed([&] {
        const ZmanimProgram program = ZmanimProgram::Compile(expression);
        EXPECT_FALSE(program.valid() || program.EvaluateWith(FixedSun(true, 261, 1232), 21, 6, 2010));
      });
      EXPECT_EQ(compiled, Messages(row[4], expression)) << row[2];
    }
  }
}

TEST(Calc, LimitsOfNamesNumbersAndNesting) {
  const std::pair<std::string, std::string> cases[] = {
      {"sunset + " + std::string(300, 'x'), "M"},
      {"proportional_hour(1." + std::string(400, '5') + ")", "G"},
      {std::string(100000, '(') + "1" + std::string(100000, ')'), "D"},
  };
  for (const auto& [expression, codes] : cases) {
    const auto [value, printed] = Evaluate(true, 21, expression);
    EXPECT_FALSE(value);
    EXPECT_EQ(printed, Messages(codes, expression));
  }
  auto nested = [](int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); };
  EXPECT_EQ(Evaluate(true, 21, nested(kCalcMaxNesting)).first, 1);
  std::string fridays;
  for (int i = 0; i < 100000; ++i) fridays += "friday(";
  EXPECT_FALSE(Evaluate(true, 25, fridays + "1").first);
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
                        "degrees_below_horizon(8.5)", "(sunset - 18)", "friday(sunset - 18)", "sunset + )"}) {
    int value = 0;
    EXPECT_EQ(Printed([&] { value = CalculateZmanim(6939, 1857, 1, 25, 6, 2010, e); }), "") << e;
    EXPECT_EQ(value, kNoTime) << e;
  }
  EXPECT_EQ(CalculateZmanim(6939, 1857, 1, 25, 6, 2010, "12 * 60"), 720);
}

}  // namespace
