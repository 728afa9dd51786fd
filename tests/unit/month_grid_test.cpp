#include "calendar/month_grid.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "reference_data.h"

namespace {

using G = GregorianDate;

// 1 Tishri of the Hebrew years in the reference table (an outside source).
std::map<int, AbsoluteDay> RoshHashanaDays() {
  std::map<int, AbsoluteDay> out;
  for (const testdata::Row& row : testdata::ReadRows("holiday_dates.csv")) {
    if (row.size() < 2 || row[0] == "year") continue;
    const auto year = testdata::ToInt(row[0]);
    const auto day = testdata::IsoDay(row[1]);
    if (year && day) out[*year] = *day;
  }
  return out;
}

struct ExpectedMonth {
  int month;
  AbsoluteDay first;
  int days;
};

// The months of a Hebrew year in order, from its length alone: Heshvan has
// 30 days in a complete year, Kislev 29 in a deficient one, Adar I 30 and
// Adar II 29 in a leap year; all other months alternate 30, 29 from Tishri.
std::vector<ExpectedMonth> MonthsOfYear(AbsoluteDay tishri1, int length) {
  const bool leap = length > 355;
  const int kind = length - (leap ? 383 : 353);  // 0 deficient, 1 regular, 2 complete
  std::vector<std::pair<int, int>> lengths = {{7, 30}, {8, kind == 2 ? 30 : 29}, {9, kind == 0 ? 29 : 30},
                                              {10, 29}, {11, 30}};
  if (leap) {
    lengths.push_back({12, 30});
    lengths.push_back({13, 29});
  } else {
    lengths.push_back({12, 29});
  }
  for (auto m : {std::pair{1, 30}, {2, 29}, {3, 30}, {4, 29}, {5, 30}, {6, 29}}) lengths.push_back(m);
  std::vector<ExpectedMonth> out;
  AbsoluteDay first = tishri1;
  for (const auto& [month, days] : lengths) {
    out.push_back({month, first, days});
    first += days;
  }
  EXPECT_EQ(first, tishri1 + length);
  return out;
}

// Weekday of an absolute day by its Julian Day Number at noon (JDN + 1
// mod 7 is 0 on a Sunday).
int WeekdayByJulianDay(AbsoluteDay d) {
  const int64_t jdn = d + 1721425;
  return static_cast<int>((jdn + 1) % 7);
}

TEST(MonthGrid, EveryDayOf5784To5788InOneHebrewGridInItsCell) {
  const std::map<int, AbsoluteDay> rosh = RoshHashanaDays();
  ASSERT_TRUE(rosh.count(5784) && rosh.count(5789));

  struct Placed {
    int grids = 0;
    int row = -1;
    int column = -1;
  };
  std::map<AbsoluteDay, Placed> seen;
  int months = 0;
  for (int year = 5784; year <= 5788; ++year) {
    const AbsoluteDay start = rosh.at(year);
    const int length = static_cast<int>(rosh.at(year + 1) - start);
    for (const ExpectedMonth& m : MonthsOfYear(start, length)) {
      ++months;
      const MonthGrid grid = HebrewMonthGrid(m.month, year);
      ASSERT_EQ(grid.first, m.first) << "month " << m.month << " of " << year;
      ASSERT_EQ(grid.days, m.days) << "month " << m.month << " of " << year;
      EXPECT_LE(GridRows(grid), 6);
      // A month of six rows leaves columns 2..6 of the last row free (the
      // zmanim panel stands there).
      if (GridRows(grid) == 6) {
        EXPECT_LE(GridCellOf(grid, grid.days).column, 1);
      }
      // Every day the reference puts into this month, and the days around it.
      for (AbsoluteDay d = m.first - 3; d < m.first + m.days + 3; ++d) {
        const int index = GridIndexOf(grid, d);
        if (d < m.first || d >= m.first + m.days) {
          EXPECT_EQ(index, 0) << d;
          continue;
        }
        ASSERT_EQ(index, d - m.first + 1);
        const GridCell cell = GridCellOf(grid, index);
        Placed& p = seen[d];
        ++p.grids;
        p.row = cell.row;
        p.column = cell.column;
      }
    }
  }
  EXPECT_EQ(months, 62);  // 5784 and 5787 are leap years

  // Every day of the five years: in one grid only, in the column of its
  // weekday and in the row after as many Sundays as passed since its 1st.
  for (AbsoluteDay d = rosh.at(5784); d < rosh.at(5789); ++d) {
    const Placed& p = seen[d];
    ASSERT_EQ(p.grids, 1) << testdata::IsoOf(d);
    EXPECT_EQ(p.column, WeekdayByJulianDay(d)) << testdata::IsoOf(d);
    const HebrewDate h = HebrewFromAbsolute(d);
    int sundays = 0;
    for (AbsoluteDay e = d - h.day + 2; e <= d; ++e) sundays += WeekdayByJulianDay(e) == 0;
    EXPECT_EQ(p.row, sundays) << testdata::IsoOf(d);
    // The month the view shows for a selected date is the grid holding it.
    const MonthGrid shown = MonthGridOf(MonthKind::kHebrew, GregorianFromAbsolute(d));
    EXPECT_EQ(GridIndexOf(shown, d), h.day) << testdata::IsoOf(d);
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(rosh.at(5789) - rosh.at(5784)));
}

TEST(MonthGrid, GregorianGridsHoldTheirMonths) {
  // Known first weekdays: 1 Sep 2024 a Sunday, 1 Mar 2025 a Shabbat (31 days: six rows).
  const MonthGrid sep = MonthGridOf(MonthKind::kGregorian, G{17, 9, 2024});
  EXPECT_EQ(sep.days, 30);
  EXPECT_EQ(GridCellOf(sep, 1).column, 0);
  EXPECT_EQ(GridRows(sep), 5);
  const MonthGrid mar = GregorianMonthGrid(3, 2025);
  EXPECT_EQ(GridCellOf(mar, 1).column, 6);
  EXPECT_EQ(GridRows(mar), 6);
  EXPECT_EQ(GridCellOf(mar, 31).row, 5);
  EXPECT_EQ(GridCellOf(mar, 31).column, 1);
  EXPECT_EQ(GridIndexOf(mar, AbsoluteFromGregorian(28, 2, 2025)), 0);
  EXPECT_EQ(GridIndexOf(mar, AbsoluteFromGregorian(1, 4, 2025)), 0);
  // February 2015 began on a Sunday: four rows.
  EXPECT_EQ(GridRows(GregorianMonthGrid(2, 2015)), 4);
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
