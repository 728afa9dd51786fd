#include "calendar/month_grid.h"

#include <algorithm>

#include "calendar/calendar.h"
#include "calendar/navigation.h"

namespace {

constexpr int kColumns = 7;

GregorianDate WithHebrewMonth(const GregorianDate& selected, const HebrewDate& h) {
  return WithHebrewMonthYear(selected, h.month, h.year);
}

}  // namespace

GregorianDate WithHebrewMonthYear(const GregorianDate& selected, int month, int year) {
  month = std::clamp(month, 1, Last_Month_Of_Hebrew_Year(year));
  const int day = std::min(HebrewFromAbsolute(AbsoluteFromGregorian(selected)).day,
                           Last_Day_Of_Hebrew_Month(month, year));
  const GregorianDate moved = GregorianFromAbsolute(AbsoluteFromHebrew(day, month, year));
  if (moved.year < kFirstYear || moved.year > kLastYear) return selected;
  return moved;
}

GregorianDate NextMonthOf(MonthKind kind, const GregorianDate& selected) {
  return kind == MonthKind::kHebrew ? NextHebrewMonthDate(selected) : NextMonth(selected);
}

GregorianDate PreviousMonthOf(MonthKind kind, const GregorianDate& selected) {
  return kind == MonthKind::kHebrew ? PreviousHebrewMonthDate(selected) : PreviousMonth(selected);
}

MonthGrid GregorianMonthGrid(int month, int year) {
  return {AbsoluteFromGregorian(1, month, year), LastDayOfGregorianMonth(month, year)};
}

MonthGrid HebrewMonthGrid(int month, int year) {
  return {AbsoluteFromHebrew(1, month, year), Last_Day_Of_Hebrew_Month(month, year)};
}

MonthGrid MonthGridOf(MonthKind kind, const GregorianDate& date) {
  if (kind == MonthKind::kGregorian) return GregorianMonthGrid(date.month, date.year);
  const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(date));
  return HebrewMonthGrid(h.month, h.year);
}

GridCell GridCellOf(const MonthGrid& grid, int index) {
  const int slot = WeekdayOf(grid.first) + index - 1;
  return {slot / kColumns, slot % kColumns};
}

int GridIndexOf(const MonthGrid& grid, AbsoluteDay d) {
  if (d < grid.first || d >= grid.first + grid.days) return 0;
  return static_cast<int>(d - grid.first) + 1;
}

HebrewDate NextHebrewMonth(int month, int year) {
  if (month == kElul) return {1, kTishri, year + 1};
  if (month == Last_Month_Of_Hebrew_Year(year)) return {1, kNisan, year};
  return {1, month + 1, year};
}

HebrewDate PreviousHebrewMonth(int month, int year) {
  if (month == kTishri) return {1, kElul, year - 1};
  if (month == kNisan) return {1, Last_Month_Of_Hebrew_Year(year), year};
  return {1, month - 1, year};
}

GregorianDate NextHebrewMonthDate(const GregorianDate& selected) {
  const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(selected));
  return WithHebrewMonth(selected, NextHebrewMonth(h.month, h.year));
}

GregorianDate PreviousHebrewMonthDate(const GregorianDate& selected) {
  const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(selected));
  return WithHebrewMonth(selected, PreviousHebrewMonth(h.month, h.year));
}
