// The month view: every Hebrew day of five years in its cell of the grid,
// Gregorian months of known first weekdays, and the steps through dates
// (date_steps.tsv).
#include "calendar/month_grid.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "calendar/navigation.h"
#include "reference_data.h"

namespace {

GregorianDate DateOf(const std::string& iso) {  // as written, even a date that does not exist
  const testdata::Row f = testdata::SplitRow(iso, '-');
  return GregorianDate{std::stoi(f.at(2)), std::stoi(f.at(1)), std::stoi(f.at(0))};
}

// A day sits at its day, in the column of its weekday, in the row after as
// many Sundays as passed since the 1st; the days around the month are not in
// it, and a month of six rows leaves columns 2..6 of the last row free (the
// zmanim panel stands there). The view shows the grid holding a selected date.
TEST(MonthGrid, EveryHebrewDayInItsCell) {
  int sundays = 0;
  for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5784); d < AbsoluteFromHebrew(1, kTishri, 5789); ++d) {
    const HebrewDate h = HebrewFromAbsolute(d);
    sundays = h.day == 1 ? 0 : sundays + (WeekdayOf(d) == kSunday);
    const MonthGrid grid = HebrewMonthGrid(h.month, h.year);
    ASSERT_EQ(grid.days, Last_Day_Of_Hebrew_Month(h.month, h.year));
    ASSERT_EQ(GridIndexOf(grid, d), h.day) << testdata::IsoOf(d);
    EXPECT_EQ(GridIndexOf(grid, grid.first - 1) + GridIndexOf(grid, grid.first + grid.days), 0);
    const GridCell cell = GridCellOf(grid, h.day), last = GridCellOf(grid, grid.days);
    EXPECT_TRUE(cell.column == WeekdayOf(d) && cell.row == sundays) << testdata::IsoOf(d);
    EXPECT_TRUE(last.row == 4 || (last.row == 5 && last.column <= 1));
    EXPECT_EQ(GridIndexOf(MonthGridOf(MonthKind::kHebrew, GregorianFromAbsolute(d)), d), h.day);
  }
  // 1 Sep 2024 a Sunday; 1 Mar 2025 a Shabbat (31 days: six rows); February 2015 began on a Sunday (four rows).
  const MonthGrid sep = MonthGridOf(MonthKind::kGregorian, GregorianDate{17, 9, 2024}),
                  mar = GregorianMonthGrid(3, 2025);
  EXPECT_TRUE(sep.days == 30 && GridCellOf(sep, 1).column == 0 && GridCellOf(sep, 30).row == 4);
  EXPECT_TRUE(GridCellOf(mar, 1).column == 6 && GridCellOf(mar, 31).row == 5 && GridCellOf(mar, 31).column == 1);
  EXPECT_EQ(GridIndexOf(mar, AbsoluteFromGregorian(28, 2, 2025)) + GridIndexOf(mar, AbsoluteFromGregorian(1, 4, 2025)),
            0);
  EXPECT_EQ(GridCellOf(GregorianMonthGrid(2, 2015), 28).row, 3);
}

TEST(Navigation, Steps) {
  const auto rows = testdata::ReadRows("date_steps.tsv", '\t');
  ASSERT_GT(rows.size(), 30u);
  for (const auto& f : rows) {
    const GregorianDate from = DateOf(f.at(1));
    const auto arg = testdata::SplitRow(f.at(2), ' ');
    const int n = arg[0] == "-" ? 0 : std::stoi(arg[0]);
    const std::string& step = f[0];
    const GregorianDate to = step == "month"        ? (n > 0 ? NextMonth(from) : PreviousMonth(from))
                             : step == "days"       ? StepDays(from, n)
                             : step == "month-year" ? WithMonthYear(from, n, std::stoi(arg.at(1)))
                             : step == "today"      ? ClampedToday(from.day, from.month, from.year)
                             : n > 0                ? NextHebrewMonthDate(from)
                                                    : PreviousHebrewMonthDate(from);
    EXPECT_EQ(to, DateOf(f.at(3))) << f.at(4);
  }
}

}  // namespace
