#include "calendar/navigation.h"

#include <algorithm>

#include "calendar/calendar.h"

GregorianDate StepDays(const GregorianDate& selected, int days) {
  return GregorianFromAbsolute(AbsoluteFromGregorian(selected) + days);
}

GregorianDate WithMonthYear(const GregorianDate& selected, int month, int year) {
  year = std::clamp(year, kFirstYear, kLastYear);
  month = std::clamp(month, 1, 12);
  const int day = std::clamp(selected.day, 1, LastDayOfGregorianMonth(month, year));
  return {day, month, year};
}

GregorianDate PreviousMonth(const GregorianDate& selected) {
  if (selected.month == 1) {
    if (selected.year <= kFirstYear) return selected;
    return WithMonthYear(selected, 12, selected.year - 1);
  }
  return WithMonthYear(selected, selected.month - 1, selected.year);
}

GregorianDate NextMonth(const GregorianDate& selected) {
  if (selected.month == 12) {
    if (selected.year >= kLastYear) return selected;
    return WithMonthYear(selected, 1, selected.year + 1);
  }
  return WithMonthYear(selected, selected.month + 1, selected.year);
}

GregorianDate ClampedToday(int day, int month, int year) {
  return WithMonthYear(GregorianDate{day, month, year}, month, year);
}
