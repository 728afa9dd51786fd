// The date selected in the month view. The displayed month is always the
// selected day's month; every paint of the month view and the day report
// read it, the keys, clicks and menu commands change it. It lives for the
// whole process and survives rebuilds of the window content.
#pragma once

#include <ctime>

#include "calendar/types.h"

GregorianDate SelectedDate();
// Makes `date` the selected date. Day steps may leave the year range, so the
// date is taken as it is; month and year changes clamp before they get here.
void SetSelectedDate(const GregorianDate& date);

// Today's local date by the clock below.
GregorianDate LocalToday();
// Sets the selected date to today's local date, year clamped to 1583..3000.
void MainToday();
// The clock MainToday reads: std::time unless a test sets a fixed one
// (null restores std::time).
void SetTodayClock(std::time_t (*clock)());
// The moment the program takes as now (the clock LocalToday reads).
std::time_t TodayClockNow();
