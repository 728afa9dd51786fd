// The grid of the month view: which days a month holds, which cell of the
// seven-column grid each day stands in, and how the selected date steps
// from one month to the next. A month is either a Gregorian month or a
// Hebrew month (Nisan, Iyar, ... with Adar I and Adar II in a leap year);
// the selected date is always a Gregorian date, and the month shown is the
// one holding it.
#pragma once

#include "calendar/types.h"

// Which months the month view shows.
enum class MonthKind : int { kGregorian = 0, kHebrew = 1 };

// The days of one month of the view: `days` days from `first` on; the day
// with index i (1-based) is first + i - 1. The first day stands in row 0 in
// the column of its weekday (0 Sunday .. 6 Shabbat); each following day one
// column further, after column 6 the next row.
struct MonthGrid {
  AbsoluteDay first = 0;
  int days = 0;
};

struct GridCell {
  int row = 0;     // 0..5
  int column = 0;  // 0 Sunday .. 6 Shabbat
};

// Gregorian month 1..12 of `year`.
MonthGrid GregorianMonthGrid(int month, int year);
// Hebrew month 1..13 of Hebrew year `year` (13 only in a leap year): 29 or 30 days from its 1st.
MonthGrid HebrewMonthGrid(int month, int year);
// The month of `kind` holding `date`.
MonthGrid MonthGridOf(MonthKind kind, const GregorianDate& date);

// The cell of the day with index 1..grid.days.
GridCell GridCellOf(const MonthGrid& grid, int index);
// The index 1..grid.days of day `d` in the grid, or 0 when the grid does not hold it.
int GridIndexOf(const MonthGrid& grid, AbsoluteDay d);

// The Hebrew month after / before month `month` of Hebrew year `year`, in
// the order of the year: Tishri .. Adar (Adar I, Adar II in a leap year),
// Nisan .. Elul, then Tishri of the next year.
HebrewDate NextHebrewMonth(int month, int year);      // day 1
HebrewDate PreviousHebrewMonth(int month, int year);  // day 1

// The selected date moved to the next / previous Hebrew month, keeping its
// day of the Hebrew month, cut to the new month's length (the 30th becomes
// the 29th in a month of 29 days). Unchanged when the new date would leave
// the years the program shows.
GregorianDate NextHebrewMonthDate(const GregorianDate& selected);
GregorianDate PreviousHebrewMonthDate(const GregorianDate& selected);
// The selected date moved into Hebrew month `month` of Hebrew year `year`
// (month 13 of a common year is its Adar), its Hebrew day kept and cut to
// the month's length; unchanged when it would leave the years shown.
GregorianDate WithHebrewMonthYear(const GregorianDate& selected, int month, int year);

// The next / previous month of `kind` for the selected date: the Gregorian
// steps of calendar/navigation.h, or the Hebrew ones above.
GregorianDate NextMonthOf(MonthKind kind, const GregorianDate& selected);
GregorianDate PreviousMonthOf(MonthKind kind, const GregorianDate& selected);
