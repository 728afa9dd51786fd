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

// The Hebrew months in the order the view steps through them.
TEST(MonthGrid, StepOrderThroughALeapAndACommonYear) {
  const std::vector<std::pair<int, int>> expected = {
      {7, 5784}, {8, 5784}, {9, 5784}, {10, 5784}, {11, 5784}, {12, 5784}, {13, 5784},  // Adar I, Adar II
      {1, 5784}, {2, 5784}, {3, 5784}, {4, 5784}, {5, 5784}, {6, 5784},
      {7, 5785}, {8, 5785}, {9, 5785}, {10, 5785}, {11, 5785}, {12, 5785},  // one Adar
      {1, 5785}, {2, 5785}, {3, 5785}, {4, 5785}, {5, 5785}, {6, 5785}, {7, 5786}};
  for (size_t i = 0; i + 1 < expected.size(); ++i) {
    const HebrewDate next = NextHebrewMonth(expected[i].first, expected[i].second);
    EXPECT_EQ(next, (HebrewDate{1, expected[i + 1].first, expected[i + 1].second})) << i;
    const HebrewDate back = PreviousHebrewMonth(expected[i + 1].first, expected[i + 1].second);
    EXPECT_EQ(back, (HebrewDate{1, expected[i].first, expected[i].second})) << i;
  }
}

TEST(MonthGrid, ThirteenStepsInALeapYearTwelveInACommonOneReturnToTheSameMonth) {
  for (int year = 5784; year <= 5788; ++year) {
    const int steps = Hebrew_Leap_Year(year) ? 13 : 12;
    for (int startMonth : {kTishri, kKislev, kShevat}) {
      // The 15th exists in every month, so it is kept all the way.
      const G start = GregorianFromAbsolute(AbsoluteFromHebrew(15, startMonth, year));
      G date = start;
      for (int i = 0; i < steps; ++i) {
        const G next = NextHebrewMonthDate(date);
        EXPECT_EQ(HebrewFromAbsolute(AbsoluteFromGregorian(next)).day, 15);
        // Every step is one month: 29 or 30 days.
        const int64_t gap = AbsoluteFromGregorian(next) - AbsoluteFromGregorian(date);
        EXPECT_TRUE(gap == 29 || gap == 30) << gap;
        date = next;
      }
      EXPECT_EQ(HebrewFromAbsolute(AbsoluteFromGregorian(date)), (HebrewDate{15, startMonth, year + 1}))
          << "from month " << startMonth << " of " << year;
      for (int i = 0; i < steps; ++i) date = PreviousHebrewMonthDate(date);
      EXPECT_EQ(date, start);
    }
  }
  // 15 Tishri 5784 = 30 September 2023; 13 months on: 15 Tishri 5785 = 17 October 2024.
  G date{30, 9, 2023};
  for (int i = 0; i < 13; ++i) date = NextHebrewMonthDate(date);
  EXPECT_EQ(date, (G{17, 10, 2024}));
}

TEST(MonthGrid, TheThirtiethBecomesTheTwentyNinthInAShortMonth) {
  struct Case {
    G from;
    bool forward;
    G to;
  };
  const Case cases[] = {
      {{28, 2, 2025}, true, {29, 3, 2025}},    // 30 Shevat 5785 -> 29 Adar (Purim was 14 March 2025)
      {{28, 4, 2025}, false, {29, 3, 2025}},   // 30 Nisan 5785 -> 29 Adar
      {{10, 3, 2024}, true, {8, 4, 2024}},     // 30 Adar I 5784 -> 29 Adar II (1 Nisan was 9 April 2024)
      {{9, 2, 2024}, true, {10, 3, 2024}},     // 30 Shevat 5784 -> 30 Adar I
      {{8, 4, 2024}, false, {9, 3, 2024}},     // 29 Adar II 5784 -> 29 Adar I
      {{15, 10, 2023}, false, {15, 9, 2023}},  // 30 Tishri 5784 -> 29 Elul 5783 (1 Tishri was 16 September)
      {{15, 10, 2023}, true, {13, 11, 2023}},  // 30 Tishri 5784 -> 29 Heshvan (5784 has 383 days)
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.forward ? NextHebrewMonthDate(c.from) : PreviousHebrewMonthDate(c.from), c.to)
        << c.from.day << "." << c.from.month << "." << c.from.year;
  }
}

TEST(MonthGrid, StepsStopAtTheEndsOfTheYearsShown) {
  EXPECT_EQ(NextHebrewMonthDate(G{20, 12, 3000}), (G{20, 12, 3000}));
  EXPECT_EQ(PreviousHebrewMonthDate(G{10, 1, 1583}), (G{10, 1, 1583}));
  // Inside the range they move.
  EXPECT_NE(NextHebrewMonthDate(G{20, 11, 3000}), (G{20, 11, 3000}));
  EXPECT_NE(PreviousHebrewMonthDate(G{10, 2, 1583}), (G{10, 2, 1583}));
}

}  // namespace
