// Daylight saving: whether a date lies in the summer-time period of a
// DstSetting rule, and the hour correction. Times are computed in standard
// time; the correction is applied only when a time is shown.
#pragma once

#include "calendar/types.h"
#include "base/choices.h"

// Rule methods.
constexpr int kDstCommon = 0;  // n-th or last weekday of a month
constexpr int kDstIsrael = 1;  // start: weekday after/before a fixed day; end: weekday before Yom Kippur
// Week number meaning "last".
constexpr int kDstLastWeek = 5;

// True when every field the rule uses is in range (methods 0 or 1, week
// numbers 1..5, weekdays 0..6, months 1..12).
bool DstRuleIsValid(const DstSetting& rule);

// The first and the last-plus-one day of the period in Gregorian `year`
// (the period covers `start` and ends before `end`). The rule must be valid.
AbsoluteDay DstStartDay(const DstSetting& rule, int year);
AbsoluteDay DstEndDay(const DstSetting& rule, int year);

// Adds one hour (23 becomes 0; the date is not changed) to *hour and
// *secondHour when day.month.year lies in the period. The period runs from
// the start day up to the day before the end day; a rule whose start comes
// after its end in the year (the southern hemisphere) covers the start of
// the year up to the day before the end and the start day to the year's end.
// Returns 0, changing nothing, for an invalid rule; 1 otherwise, also for a
// null rule (daylight saving not considered), which changes nothing.
int Daylight_Correction(int day, int month, int year, int* hour, int* secondHour, const DstSetting* rule);
