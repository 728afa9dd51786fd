#include "calendar/molad.h"

#include <initializer_list>
#include <string_view>

#include "calendar/calendar.h"
#include "calendar/month_grid.h"
#include "calendar/names.h"
#include "base/text_format.h"
#include "base/translate.h"

namespace {

constexpr int64_t kPartsPerMinute = 18;
constexpr int64_t kPartsPerHour = 1080;
constexpr int64_t kPartsPerDay = 24 * kPartsPerHour;  // 25920
// The first molad (Tishri of year 1, "BaHaRaD"): 2 days 5 hours 204 parts
// after the start of the day count.
constexpr int64_t kFirstMoladParts = 2 * kPartsPerDay + 5 * kPartsPerHour + 204;
static_assert(kFirstMoladParts == 57444);
// The mean lunar month: 29 days 12 hours 793 parts.
constexpr int64_t kMonthDays = 29;
constexpr int64_t kMonthHours = 12;
constexpr int64_t kMonthParts = 793;
static_assert(kMonthDays * kPartsPerDay + kMonthHours * kPartsPerHour + kMonthParts == 765433);
// 12 common and 7 leap years in every cycle of 19.
constexpr int64_t kMonthsPerCycle = 235;

// Months from Tishri of year 1 to Tishri of `year` (year >= 1).
int64_t MonthsBeforeYear(int year) {
  const int64_t cycles = (static_cast<int64_t>(year) - 1) / 19;
  int64_t months = kMonthsPerCycle * cycles;
  for (int64_t y = 19 * cycles + 1; y < year; ++y) months += Last_Month_Of_Hebrew_Year(static_cast<int>(y));
  return months;
}

// Position of `month` counted from Tishri (0) in the year's order
// 7..12 (13), 1..6; -1 when the year has no such month.
int MonthsFromTishri(int month, int year) {
  const int last = Last_Month_Of_Hebrew_Year(year);
  int step = 0;
  int m = kTishri;
  do {
    if (m == month) return step;
    m = (m == last) ? kNisan : m + 1;
    ++step;
  } while (m != kTishri);
  return -1;
}

// The translation of `key` filled with `args`. The translation comes from a
// user's file, so it is never handed to printf, and one whose conversions
// differ from the key's (in number, kind or order, or with a width) is
// ignored in favour of the English key.
std::string FormatLine(std::string_view key, std::initializer_list<FormatArg> args) {
  return FormatPlainOr(translate_perform(key), key, args);
}

}  // namespace

void MoladMultiplyLarge(int64_t n, int64_t days, int64_t hours, int64_t parts, int64_t* outDays, int32_t* outHours,
                        int32_t* outMinutes, int32_t* outParts) {
  const int64_t t = kFirstMoladParts + n * (days * kPartsPerDay + hours * kPartsPerHour + parts);
  if (outParts) *outParts = static_cast<int32_t>(t % kPartsPerMinute);             // [0, 17]
  if (outMinutes) *outMinutes = static_cast<int32_t>((t / kPartsPerMinute) % 60);  // [0, 59]
  if (outHours) *outHours = static_cast<int32_t>((t / kPartsPerHour) % 24);        // [0, 23], from 6 p.m.
  if (outDays) *outDays = t / kPartsPerDay;
}

int MoladGet(int month, int year, MoladTime* out) {
  if (out == nullptr || year < 1 || month < 1 || month > 13) return 0;
  if (month == kAdarII && !Hebrew_Leap_Year(year)) return 0;
  const int step = MonthsFromTishri(month, year);
  if (step < 0) return 0;
  const int64_t n = MonthsBeforeYear(year) + step;

  int64_t days = 0;
  int32_t hours = 0;
  int32_t minutes = 0;
  int32_t parts = 0;
  MoladMultiplyLarge(n, kMonthDays, kMonthHours, kMonthParts, &days, &hours, &minutes, &parts);
  // The day count's day 0 is a Monday (counting from Sunday = 0: 1); its
  // hours start at 6 p.m. of the evening before, the civil hour is 6 less.
  int weekday = static_cast<int>((days % 7 + 6) % 7);
  int hour = hours - 6;
  if (hour < 0) {
    hour += 24;
    weekday = (weekday + 6) % 7;
  }
  *out = MoladTime{weekday, hour, minutes, parts};
  return 1;
}

int64_t MoladMoment(int month, int year) {
  const int64_t n = MonthsBeforeYear(year) + MonthsFromTishri(month, year);
  const int64_t parts = kFirstMoladParts + n * (kMonthDays * kPartsPerDay + kMonthHours * kPartsPerHour + kMonthParts);
  // The day count begins at 6 p.m. of the civil day 1373430 days before day
  // 0 of the absolute days; 1970-01-01 is absolute day 719163.
  constexpr int64_t kCountStartDay = -1373430 - 719163;
  const int64_t jerusalemSeconds = kCountStartDay * 86400 + 18 * 3600 + parts * 10 / 3;
  return jerusalemSeconds - kJerusalemMeanTimeSeconds;
}

void MoladFormatString(std::string* line1, std::string* line2, std::string* line3, int month, int year,
                       const MoladTime& molad) {
  const int h = molad.hour;
  const int clockHour = h > 12 ? h - 12 : (h == 0 ? 12 : h);
  const std::string partOfDay = translate_perform((h < 6 || h > 17) ? "night" : "day");
  if (line1) *line1 = FormatLine("Molad of %s %d:", {GetHebrewMonthName(month, year), year});
  if (line2) {
    *line2 = FormatLine("%s, %s, %d hours,", {GetWeekdayName(molad.weekday), partOfDay, clockHour});
  }
  if (line3) *line3 = FormatLine("%d minutes, %d parts", {molad.minute, molad.parts});
}

std::string MoladRetrieveNextSimple(int indent, AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  const HebrewDate next = NextHebrewMonth(h.month, h.year);
  const int month = next.month, year = next.year;

  std::string line1, line2, line3;
  MoladTime molad;
  if (MoladGet(month, year, &molad)) MoladFormatString(&line1, &line2, &line3, month, year, molad);

  const size_t blanks = indent > 0 ? static_cast<size_t>(indent) : 0;
  std::string out(blanks, ' ');
  out += line1;
  out += '\n';
  out.append(blanks + 1, ' ');
  out += line2;
  out += '\n';
  out.append(blanks + 1, ' ');
  out += line3;
  return out;
}
