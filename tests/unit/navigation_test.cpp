// The steps of the month view through dates (date_steps.tsv).
#include "calendar/navigation.h"

#include <gtest/gtest.h>

#include "calendar/month_grid.h"
#include "reference_data.h"

namespace {

GregorianDate DateOf(const std::string& iso) {
  const testdata::Row f = testdata::SplitRow(iso, '-');
  return GregorianDate{*testdata::ToInt(f.at(2)), *testdata::ToInt(f.at(1)), *testdata::ToInt(f.at(0))};
}

TEST(Navigation, Steps) {
  const auto rows = testdata::ReadRows("date_steps.tsv", '\t');
  ASSERT_GT(rows.size(), 30u);
  for (const auto& f : rows) {
    const GregorianDate from = DateOf(f.at(1));
    const std::string& step = f.at(0);
    const int n = f.at(2) == "-" ? 0 : *testdata::ToInt(f.at(2).substr(0, f.at(2).find(' ')));
    GregorianDate to{};
    if (step == "month") to = n > 0 ? NextMonth(from) : PreviousMonth(from);
    if (step == "days") to = StepDays(from, n);
    if (step == "month-year") to = WithMonthYear(from, n, *testdata::ToInt(f.at(2).substr(f.at(2).find(' ') + 1)));
    if (step == "today") to = ClampedToday(from.day, from.month, from.year);
    if (step == "hebrew-month") to = n > 0 ? NextHebrewMonthDate(from) : PreviousHebrewMonthDate(from);
    EXPECT_EQ(to, DateOf(f.at(3))) << f.at(4);
  }
}

}  // namespace
