#include "calendar/month_grid.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "reference_data.h"

namespace {

using G = GregorianDate;

// Every day of 5784..5788 in the grid of its Hebrew month (dates checked
// against the reference elsewhere): at its day, in the column of its
// weekday, in the row after as many Sundays as passed since the 1st; the
// days around the month are not in it, and a month of six rows leaves
// columns 2..6 of the last row free (the zmanim panel stands there).
TEST(MonthGrid, EveryHebrewDayInItsCell) {
  int sundays = 0;
  for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5784); d < AbsoluteFromHebrew(1, kTishri, 5789); ++d) {
    const HebrewDate h = HebrewFromAbsolute(d);
    sundays = h.day == 1 ? 0 : sundays + (WeekdayOf(d) == kSunday);
    const MonthGrid grid = HebrewMonthGrid(h.month, h.year);
    ASSERT_EQ(grid.days, Last_Day_Of_Hebrew_Month(h.month, h.year));
    ASSERT_EQ(GridIndexOf(grid, d), h.day) << testdata::IsoOf(d);
    EXPECT_EQ(GridIndexOf(grid, grid.first - 1) + GridIndexOf(grid, grid.first + grid.days), 0);
    const GridCell cell = GridCellOf(grid, h.day);
    EXPECT_EQ(cell.column, WeekdayOf(d)) << testdata::IsoOf(d);
    EXPECT_EQ(cell.row, sundays) << testdata::IsoOf(d);
    const int rows = GridCellOf(grid, grid.days).row + 1;
    EXPECT_TRUE(rows == 5 || (rows == 6 && GridCellOf(grid, grid.days).column <= 1));
    // The month the view shows for a selected date is the grid holding it.
    EXPECT_EQ(GridIndexOf(MonthGridOf(MonthKind::kHebrew, GregorianFromAbsolute(d)), d), h.day);
  }
}

TEST(MonthGrid, GregorianGridsHoldTheirMonths) {
  // Known first weekdays: 1 Sep 2024 a Sunday, 1 Mar 2025 a Shabbat (31 days: six rows).
  const MonthGrid sep = MonthGridOf(MonthKind::kGregorian, G{17, 9, 2024});
  EXPECT_EQ(sep.days, 30);
  EXPECT_EQ(GridCellOf(sep, 1).column, 0);
  EXPECT_EQ(GridCellOf(sep, 30).row, 4);
  const MonthGrid mar = GregorianMonthGrid(3, 2025);
  EXPECT_EQ(GridCellOf(mar, 1).column, 6);
  EXPECT_EQ(GridCellOf(mar, 31).row, 5);
  EXPECT_EQ(GridCellOf(mar, 31).column, 1);
  EXPECT_EQ(GridIndexOf(mar, AbsoluteFromGregorian(28, 2, 2025)) + GridIndexOf(mar, AbsoluteFromGregorian(1, 4, 2025)), 0);
  // February 2015 began on a Sunday: four rows.
  EXPECT_EQ(GridCellOf(GregorianMonthGrid(2, 2015), 28).row, 3);
}

// Twelve steps in a common year and thirteen in a leap year come back to the
// same day of the same month, 29 or 30 days at a time, and back again.
TEST(MonthGrid, StepsThroughWholeYears) {
  for (int year = 5784; year <= 5788; ++year) {
    for (int startMonth : {kTishri, kShevat}) {
      const G start = GregorianFromAbsolute(AbsoluteFromHebrew(15, startMonth, year));
      G date = start;
      for (int i = 0; i < (Hebrew_Leap_Year(year) ? 13 : 12); ++i) {
        const G next = NextHebrewMonthDate(date);
        const int64_t gap = AbsoluteFromGregorian(next) - AbsoluteFromGregorian(date);
        EXPECT_TRUE(gap == 29 || gap == 30) << gap;
        date = next;
      }
      EXPECT_EQ(HebrewFromAbsolute(AbsoluteFromGregorian(date)), (HebrewDate{15, startMonth, year + 1})) << year;
      for (int i = 0; i < (Hebrew_Leap_Year(year) ? 13 : 12); ++i) date = PreviousHebrewMonthDate(date);
      EXPECT_EQ(date, start) << year;
    }
  }
}

}  // namespace
