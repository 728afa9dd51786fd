#include "suntimes/dst.h"

#include "calendar/calendar.h"

namespace {

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// The day on `weekday` at or after `d`.
AbsoluteDay OnOrAfter(AbsoluteDay d, int weekday) { return d + (weekday - WeekdayOf(d) + 7) % 7; }
// The day on `weekday` at or before `d`.
AbsoluteDay OnOrBefore(AbsoluteDay d, int weekday) { return d - (WeekdayOf(d) - weekday + 7) % 7; }

// Common method: the weekNo-th (1..4) or the last (5) `weekday` of the month.
AbsoluteDay NthWeekdayOfMonth(int weekNo, int weekday, int month, int year) {
  if (weekNo == kDstLastWeek) {
    const int last = LastDayOfGregorianMonth(month, year);
    return OnOrBefore(AbsoluteFromGregorian(last, month, year), weekday);
  }
  return OnOrAfter(AbsoluteFromGregorian(1, month, year), weekday) + 7 * (weekNo - 1);
}

void AddHour(int* hour) {
  if (!hour) return;
  *hour += 1;
  if (*hour == 24) *hour = 0;
}

}  // namespace

bool DstRuleIsValid(const DstSetting& r) {
  if (r.startMethod != kDstCommon && r.startMethod != kDstIsrael) return false;
  if (r.endMethod != kDstCommon && r.endMethod != kDstIsrael) return false;
  if (!InRange(r.startWeekNo, 1, 5) || !InRange(r.startWeekday, 0, 6) || !InRange(r.startMonth, 1, 12)) return false;
  if (!InRange(r.endWeekday, 0, 6)) return false;
  if (r.endMethod == kDstCommon && (!InRange(r.endWeekNo, 1, 5) || !InRange(r.endMonth, 1, 12))) return false;
  return true;
}

AbsoluteDay DstStartDay(const DstSetting& r, int year) {
  if (r.startMethod == kDstCommon) return NthWeekdayOfMonth(r.startWeekNo, r.startWeekday, r.startMonth, year);
  // Israel method: the fixed day counted from the first of the month, so a
  // day beyond the month's end runs on into the next month.
  const AbsoluteDay fixed = AbsoluteFromGregorian(1, r.startMonth, year) + (static_cast<AbsoluteDay>(r.startDay) - 1);
  if (r.startWeekNo == 1) return OnOrAfter(fixed + 1, r.startWeekday);  // strictly after
  return OnOrBefore(fixed - 1, r.startWeekday);                         // strictly before
}

AbsoluteDay DstEndDay(const DstSetting& r, int year) {
  if (r.endMethod == kDstCommon) return NthWeekdayOfMonth(r.endWeekNo, r.endWeekday, r.endMonth, year);
  // Israel method: the weekday on or before the eve of Yom Kippur of the
  // Hebrew year that begins in this Gregorian year.
  const int hebrewYear = HebrewFromAbsolute(AbsoluteFromGregorian(31, 12, year)).year;
  const AbsoluteDay yomKippur = AbsoluteFromHebrew(10, kTishri, hebrewYear);
  return OnOrBefore(yomKippur - 1, r.endWeekday);
}

namespace {

bool SameRule(const DstSetting& a, const DstSetting& b) {
  return a.startMethod == b.startMethod && a.startWeekNo == b.startWeekNo && a.startWeekday == b.startWeekday &&
         a.startDay == b.startDay && a.startMonth == b.startMonth && a.endMethod == b.endMethod &&
         a.endWeekNo == b.endWeekNo && a.endWeekday == b.endWeekday && a.endMonth == b.endMonth;
}

// The summer time of one rule in one year. Times are shown for many days of
// a year in a row, so the last year's is kept.
struct SummerOfYear {
  AbsoluteDay start;
  AbsoluteDay end;
};

SummerOfYear SummerOf(const DstSetting& rule, int year) {
  thread_local bool known = false;
  thread_local DstSetting lastRule;
  thread_local int lastYear = 0;
  thread_local SummerOfYear last{};
  if (!known || year != lastYear || !SameRule(rule, lastRule)) {
    last = {DstStartDay(rule, year), DstEndDay(rule, year)};
    lastRule = rule;
    lastYear = year;
    known = true;
  }
  return last;
}

}  // namespace

int Daylight_Correction(int day, int month, int year, int* hour, int* secondHour, const DstSetting* rule) {
  if (!rule) return 1;
  if (!DstRuleIsValid(*rule)) return 0;
  if (!InRange(month, 1, 12)) return 1;
  const auto [start, end] = SummerOf(*rule, year);
  const AbsoluteDay d = AbsoluteFromGregorian(day, month, year);
  const bool summer = start <= end ? (start <= d && d < end) : (d >= start || d < end);
  if (summer) {
    AddHour(hour);
    AddHour(secondHour);
  }
  return 1;
}
