// The zmanim expression language against a fixed sun (the rows of tests/data/zmanim_expressions.csv), whole evaluations
// at real places in both calculations, and the rounding of the times shown.
#include "suntimes/calc.h"

#include <gtest/gtest.h>

#include "reference_data.h"
#include "suntimes/noaa_sun.h"
#include "suntimes/timezone.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// Sunrise and sunset given; depressions never happen.
struct FixedSun final : SunModel {
  FixedSun(bool whole, double rise, double set) : whole(whole), rise(rise), set(set) {}
  bool wholeMinutes() const override { return whole; }
  std::optional<double> Sunrise() const override { return rise; }
  std::optional<double> Sunset() const override { return set; }
  std::optional<double> DepressionInterval(double, bool) const override { return std::nullopt; }
  std::optional<double> DepressionMoment(double, bool) const override { return std::nullopt; }
  MissingTime WhyMissing(std::optional<double>, bool) const override { return {}; }
  bool whole;
  double rise, set;
};

// The messages of the letters in the last column (tests/data/zmanim_messages.tsv).
std::string Messages(const std::string& codes, const std::string& expression) {
  static const std::vector<testdata::Row> kMessages = testdata::ReadRows("zmanim_messages.tsv", '\t');
  std::string out;
  for (char c : codes) {
    for (const testdata::Row& m : kMessages) {
      if (m[0] == std::string(1, c))
        out +=
            "Parsing error " + m[1] + "\n  Original expression: " + expression.substr(0, expression.find('\0')) + "\n";
    }
  }
  return out;
}

// The value on a day of June 2010 and what the evaluation printed.
std::pair<std::optional<double>, std::string> Evaluate(bool whole, int day, const std::string& expression) {
  const FixedSun sun(whole, day == 1 ? 360 : 261, day == 1 ? 1080 : 1232);
  CaptureStdout();
  const std::optional<double> value = ZmanimProgram::Parse(expression).EvaluateWith(sun, day, 6, 2010, true);
  return {value, GetCapturedStdout()};
}

TEST(Calc, ExpressionsGiveTheirValueAndMessages) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("zmanim_expressions.csv");
  ASSERT_GT(rows.size(), 70u);
  for (const testdata::Row& row : rows) {
    ASSERT_EQ(row.size(), 5u) << row[0];
    const std::string expression = testenv::Unescape(row[2]);
    const auto [value, printed] = Evaluate(row[0] == "whole", std::stoi(row[1]), expression);
    EXPECT_EQ(value.value_or(-1e9), row[3] == "-" ? -1e9 : std::stod(row[3])) << row[2] << " on " << row[1];
    EXPECT_EQ(printed, Messages(row[4], expression)) << row[2] << " on " << row[1];
    if (row[4].empty() || row[1] != "21") continue;
    // A compiled program prints the same messages at once, and has no time.
    CaptureStdout();
    const ZmanimProgram program = ZmanimProgram::Compile(expression);
    EXPECT_EQ(GetCapturedStdout(), Messages(row[4], expression)) << row[2];
    EXPECT_FALSE(program.valid() || program.EvaluateWith(FixedSun(true, 261, 1232), 21, 6, 2010));
  }
}

TEST(Calc, LimitsOfNamesNumbersAndNesting) {
  const std::pair<std::string, std::string> cases[] = {
      {"sunset + " + std::string(300, 'x'), "M"},
      {"proportional_hour(1." + std::string(400, '5') + ")", "G"},
      {std::string(100000, '(') + "1" + std::string(100000, ')'), "D"},
  };
  for (const auto& [expression, codes] : cases)
    EXPECT_EQ(Evaluate(true, 21, expression), std::pair(std::optional<double>(), Messages(codes, expression)));
  EXPECT_EQ(Evaluate(true, 21, std::string(kCalcMaxNesting, '(') + "1" + std::string(kCalcMaxNesting, ')')).first, 1);
  std::string fridays;
  for (int i = 0; i < 100000; ++i) fridays += "friday(";
  EXPECT_FALSE(Evaluate(true, 25, fridays + "1").first);
}

// Whole evaluations at real places (tests/data/zmanim_places.tsv): the classic calculation in whole minutes, the
// precise one rounded to the nearest minute, "-" for no time.
TEST(Calc, ZmanimAtPlaces) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("zmanim_places.tsv", '\t');
  ASSERT_GT(rows.size(), 40u);
  for (const testdata::Row& r : rows) {
    const SunOptions sun{r[0].find("precise") == 0 ? SunCalculation::kPrecise : SunCalculation::kClassic,
                         r[0].find("+elevation") != std::string::npos};
    const testdata::Row date = testdata::SplitRow(r[5], '.');
    const std::optional<double> value =
        CalculateZmanimMinutes({std::stoi(r[1]), std::stoi(r[2]), std::stoi(r[3]), std::stod(r[4])}, std::stoi(date[0]),
                               std::stoi(date[1]), std::stoi(date[2]), r[6], sun);
    const int shown =
        value ? sun.precise() ? suntimes::noaa::RoundSecondsToMinute(*value * 60) : static_cast<int>(*value) : 0;
    EXPECT_EQ(value ? std::to_string(shown) : "-", r[7])
        << r[0] << " " << r[1] << " " << r[2] << " " << r[5] << " " << r[6];
  }
}

// Shown times: to the nearest minute, half a minute up, or down for candle lighting (tests/data/minute_rounding.csv).
TEST(Calc, RoundingWhenShown) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("minute_rounding.csv");
  ASSERT_GE(rows.size(), 8u);
  for (const testdata::Row& r : rows) {
    EXPECT_EQ(CityClock::RoundedMinutes(std::stod(r[0])), std::stoi(r[1])) << r[0];
    EXPECT_EQ(CityClock::RoundedMinutes(std::stod(r[0]), CityClock::Rounding::kDown), std::stoi(r[2])) << r[0];
  }
}

// CalculateZmanim follows the calculation chosen, named by its exact word; a precise value that rounds to the failure
// mark -1 is no time.
TEST(Calc, TheCalculationChosen) {
  SunOptions sun;
  const auto newYork = [&sun](const char* e) { return CalculateZmanim(4043, -7400, -5, 20, 3, 2024, e, sun); };
  EXPECT_EQ(newYork("7 / 2"), 3);
  EXPECT_EQ(newYork("sunset"), *CalculateZmanimMinutes({4043, -7400, -5, 0}, 20, 3, 2024, "sunset", {}));
  sun.calculation = SunCalculationFromName("precise").value_or(SunCalculation::kClassic);
  EXPECT_EQ(newYork("7 / 2"), 4);
  EXPECT_EQ(newYork("(0 - 7) / 10"), kNoTime);
  EXPECT_EQ(newYork("(0 - 3) / 10"), 0);
  EXPECT_EQ(SunCalculationFromName("Precise"), std::nullopt);  // only the exact word
}

}  // namespace
