// Moving the selected date of the month view: day steps through absolute
// days, month and year changes clamped to the displayed month's length and
// to the years the program shows.
#pragma once

#include "calendar/types.h"

// The selected date moved by `days` (any sign); crosses month and year ends
// and is not bounded by the year range.
GregorianDate StepDays(const GregorianDate& selected, int days);
// The previous month with the day clamped to its length; unchanged in
// January of the first year.
GregorianDate PreviousMonth(const GregorianDate& selected);
// The next month with the day clamped; unchanged in December of the last year.
GregorianDate NextMonth(const GregorianDate& selected);
// `selected` with another month and/or year, year clamped to the range and
// the day clamped to the month's length.
GregorianDate WithMonthYear(const GregorianDate& selected, int month, int year);
// Today's local date (day, month 1..12, year) with the year clamped to the range.
GregorianDate ClampedToday(int day, int month, int year);
