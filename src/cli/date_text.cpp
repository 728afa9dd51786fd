#include "cli/date_text.h"

#include "calendar/calendar.h"
#include "calendar/names.h"
#include "compose/hebrew_date_text.h"

namespace cli {

namespace {
std::time_t gNow = 0;
}  // namespace

std::string GregorianDateText(AbsoluteDay day) {
  const GregorianDate g = GregorianFromAbsolute(day);
  return GetWeekdayName(static_cast<int>(day % 7)) + ", " + std::to_string(g.day) + " " +
         GetGregorianMonthName(g.month) + " " + std::to_string(g.year);
}

std::string HebrewDateText(AbsoluteDay day, bool hebrewNumerals) {
  return ::HebrewDateText(HebrewFromAbsolute(day), hebrewNumerals);
}

AbsoluteDay LocalDay(std::time_t now) {
  std::tm local{};
  localtime_r(&now, &local);
  return AbsoluteFromGregorian(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

std::time_t Now() { return gNow != 0 ? gNow : std::time(nullptr); }

void SetNowForTesting(std::time_t now) { gNow = now; }

}  // namespace cli
