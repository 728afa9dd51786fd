#include "app/selected_date.h"

#include "calendar/navigation.h"
#include "compose/city_time.h"
#include "compose/current_options.h"

namespace {

// The selected day, month and year.
int32_t gCurrentDay = 1;
int32_t gCurrentMonth = 1;
int32_t gCurrentYear = 2000;

// The system clock, or the moment LUMARO_NOW names.
std::time_t SystemClock() {
  const ClockOverride override = ReadClockOverride(CurrentOptions().times);
  return override.moment ? static_cast<std::time_t>(*override.moment) : std::time(nullptr);
}
std::time_t (*gTodayClock)() = SystemClock;

}  // namespace

GregorianDate SelectedDate() { return {gCurrentDay, gCurrentMonth, gCurrentYear}; }

void SetSelectedDate(const GregorianDate& date) {
  gCurrentDay = date.day;
  gCurrentMonth = date.month;
  gCurrentYear = date.year;
}

GregorianDate LocalToday() {
  const std::time_t now = gTodayClock();
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

void MainToday() {
  const GregorianDate today = LocalToday();
  SetSelectedDate(ClampedToday(today.day, today.month, today.year));
}

std::time_t TodayClockNow() { return gTodayClock(); }

void SetTodayClock(std::time_t (*clock)()) { gTodayClock = clock ? clock : SystemClock; }
