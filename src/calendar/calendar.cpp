#include "calendar/calendar.h"

#include <array>
#include <cstddef>

namespace {

// Gregorian month lengths of a common year.
constexpr std::array<int, 12> kMonthList = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr int64_t kPartsPerHour = 1080;
constexpr int64_t kHoursPerDay = 24;
// The mean lunar month beyond 29 days 12 hours, in parts: 793.
constexpr int64_t kMonthExtraParts = 793;
// Molad BaHaRaD (year 1): 5 hours 204 parts after the evening that began day 1.
constexpr int64_t kFirstMoladHours = 5;
constexpr int64_t kFirstMoladParts = 204;

constexpr bool IsGregorianLeap(int64_t year) {
  return year % 4 == 0 && year % 400 != 100 && year % 400 != 200 && year % 400 != 300;
}

// Days of the year before the first of month m (index 1..12; 13 is the
// year's length), in a common and in a leap year.
constexpr std::array<std::array<int, 14>, 2> DaysBeforeMonthTable() {
  std::array<std::array<int, 14>, 2> t{};
  for (int leap = 0; leap < 2; ++leap) {
    for (int m = 1; m <= 12; ++m) {
      const int length = kMonthList[static_cast<size_t>(m - 1)] + (leap && m == 2 ? 1 : 0);
      t[static_cast<size_t>(leap)][static_cast<size_t>(m + 1)] = t[static_cast<size_t>(leap)][static_cast<size_t>(m)] + length;
    }
  }
  return t;
}
constexpr auto kDaysBeforeMonth = DaysBeforeMonthTable();
static_assert(kDaysBeforeMonth[0][3] == 59 && kDaysBeforeMonth[1][13] == 366);

// Days before 1 January of Gregorian year y.
constexpr int64_t DaysBeforeGregorianYear(int64_t y) {
  const int64_t p = y - 1;
  return 365 * p + p / 4 - p / 100 + p / 400;
}

int64_t ComputeElapsedDays(int64_t year) {
  const int64_t y1 = year - 1;
  const int64_t monthsElapsed = 235 * (y1 / 19) + 12 * (y1 % 19) + (7 * (y1 % 19) + 1) / 19;
  const int64_t partsElapsed = kFirstMoladParts + kMonthExtraParts * (monthsElapsed % kPartsPerHour);
  const int64_t hoursElapsed = kFirstMoladHours + 12 * monthsElapsed +
                               kMonthExtraParts * (monthsElapsed / kPartsPerHour) +
                               partsElapsed / kPartsPerHour;
  int64_t day = 1 + 29 * monthsElapsed + hoursElapsed / kHoursPerDay;
  // Parts of the molad of Tishri after 6 p.m. of the evening before: [0, 25919].
  const int64_t parts = kPartsPerHour * (hoursElapsed % kHoursPerDay) + partsElapsed % kPartsPerHour;

  const bool moladZaken = parts >= 19440;  // molad at or after noon
  // GaTRaD: a common year whose molad falls on Tuesday at or after 9h 204p.
  const bool gatrad = day % 7 == 2 && parts >= 9924 && !Hebrew_Leap_Year(static_cast<int>(year));
  // BeTUTaKPaT: after a leap year, a molad on Monday at or after 15h 589p.
  const bool betutakpat = day % 7 == 1 && parts >= 16789 && Hebrew_Leap_Year(static_cast<int>(year - 1));
  if (moladZaken || gatrad || betutakpat) ++day;
  // Lo ADU Rosh: the new year never begins on Sunday, Wednesday or Friday.
  if (day % 7 == 0 || day % 7 == 3 || day % 7 == 5) ++day;
  return day;
}

// Elapsed days are cached for the years the program can reach (and well
// beyond); the cache holds exactly what ComputeElapsedDays returns.
constexpr int kCacheFirstYear = 1;
constexpr int kCacheLastYear = 9999;

struct ElapsedCache {
  std::array<int64_t, kCacheLastYear - kCacheFirstYear + 1> days{};
  ElapsedCache() {
    for (int y = kCacheFirstYear; y <= kCacheLastYear; ++y) days[y - kCacheFirstYear] = ComputeElapsedDays(y);
  }
};

const ElapsedCache& Cache() {
  static const ElapsedCache cache;
  return cache;
}

// The lengths that vary in a Hebrew year.
struct HebrewYearShape {
  bool leap;
  bool longHeshvan;
  bool shortKislev;
};

HebrewYearShape ShapeOf(int year) {
  const int days = Days_In_Hebrew_Year(year);
  return {Hebrew_Leap_Year(year) == 1, days % 10 == 5, days % 10 == 3};
}

int MonthLength(int month, const HebrewYearShape& s) {
  if (month == 2 || month == 4 || month == 6 || month == 10 || month == 13) return 29;
  if (month == 12 && !s.leap) return 29;
  if (month == 8 && !s.longHeshvan) return 29;
  if (month == 9 && s.shortKislev) return 29;
  return 30;
}

// Absolute day of 1 Tishri of year y.
AbsoluteDay NewYear(int year) { return Hebrew_Calendar_Elapsed_Days(year) - kHebrewEpochOffset + 1; }

// Days from 1 Tishri to the first of `month` (months in year order 7..13, 1..6).
int64_t DaysBeforeMonth(int month, const HebrewYearShape& s) {
  int64_t days = 0;
  const int last = s.leap ? 13 : 12;
  if (month >= kTishri) {
    for (int m = kTishri; m < month; ++m) days += MonthLength(m, s);
  } else {
    for (int m = kTishri; m <= last; ++m) days += MonthLength(m, s);
    for (int m = kNisan; m < month; ++m) days += MonthLength(m, s);
  }
  return days;
}

}  // namespace

int LastDayOfGregorianMonth(int month, int year) {
  if (month == 2 && IsGregorianLeap(year)) return 29;
  return kMonthList[static_cast<size_t>(month - 1)];
}

AbsoluteDay AbsoluteFromGregorian(const GregorianDate& date) {
  AbsoluteDay n = date.day;
  if (date.month >= 1 && date.month <= 13) {
    n += kDaysBeforeMonth[IsGregorianLeap(date.year) ? 1 : 0][static_cast<size_t>(date.month)];
  } else {
    for (int m = 1; m < date.month; ++m) n += LastDayOfGregorianMonth(m, date.year);
  }
  return n + DaysBeforeGregorianYear(date.year);
}

GregorianDate GregorianFromAbsolute(AbsoluteDay d) {
  // Most calls fall in the year of the previous call.
  thread_local int64_t lastYear = 0, lastStart = 0, lastEnd = -1;  // days before 1 January, and of its year
  int64_t y;
  if (d > lastStart && d <= lastEnd) {
    y = lastYear;
  } else {
    // A first guess below the true year (the mean year is 365.2425 days), then
    // step forward: the same result as a search from d / 366.
    y = d * 400 / 146097 - 1;
    if (y < d / 366) y = d / 366;
    while (d >= DaysBeforeGregorianYear(y + 1) + 1) ++y;
    lastYear = y;
    lastStart = DaysBeforeGregorianYear(y);
    lastEnd = DaysBeforeGregorianYear(y + 1);
  }
  const auto& before = kDaysBeforeMonth[IsGregorianLeap(y) ? 1 : 0];
  const int64_t dayOfYear = d - lastStart;  // 1..366
  int m = 1;
  while (m < 12 && dayOfYear > before[static_cast<size_t>(m + 1)]) ++m;
  return {static_cast<int32_t>(dayOfYear - before[static_cast<size_t>(m)]), m, static_cast<int32_t>(y)};
}

int64_t Hebrew_Calendar_Elapsed_Days(int year) {
  if (year >= kCacheFirstYear && year <= kCacheLastYear) return Cache().days[year - kCacheFirstYear];
  return ComputeElapsedDays(year);
}

int Days_In_Hebrew_Year(int year) {
  return static_cast<int>(Hebrew_Calendar_Elapsed_Days(year + 1) - Hebrew_Calendar_Elapsed_Days(year));
}

int Last_Day_Of_Hebrew_Month(int month, int year) {
  // The fixed 29-day months need no year length.
  if (month == 2 || month == 4 || month == 6 || month == 10 || month == 13) return 29;
  if (month == 12) return Hebrew_Leap_Year(year) ? 30 : 29;
  if (month == 8 || month == 9) return MonthLength(month, ShapeOf(year));
  return 30;
}

namespace {

// Everything about one Hebrew year that the conversions need. The most
// recently used year is kept, since callers convert many days of one year
// in a row; results are the same as without it.
struct YearInfo {
  int year = 0;
  AbsoluteDay start = 0;      // 1 Tishri
  AbsoluteDay nextStart = 0;  // 1 Tishri of the next year
  HebrewYearShape shape{};
  // Day before the first of each month 1..13 (index = month).
  std::array<AbsoluteDay, 14> beforeMonth{};
};

YearInfo MakeYearInfo(int year) {
  YearInfo info;
  info.year = year;
  info.start = NewYear(year);
  info.nextStart = NewYear(year + 1);
  info.shape = ShapeOf(year);
  const int last = info.shape.leap ? 13 : 12;
  AbsoluteDay before = info.start - 1;
  for (int m = kTishri;; m = (m == last) ? kNisan : m + 1) {
    info.beforeMonth[static_cast<size_t>(m)] = before;
    before += MonthLength(m, info.shape);
    if (m == kElul) break;
  }
  return info;
}

const YearInfo& YearInfoOf(int year) {
  thread_local YearInfo cached = MakeYearInfo(5785);
  if (cached.year != year) cached = MakeYearInfo(year);
  return cached;
}

}  // namespace

AbsoluteDay AbsoluteFromHebrew(const HebrewDate& date) {
  if (date.month >= 1 && date.month <= 13) {
    const YearInfo& info = YearInfoOf(date.year);
    if (date.month <= (info.shape.leap ? 13 : 12)) return info.beforeMonth[static_cast<size_t>(date.month)] + date.day;
  }
  // Out-of-range months: the plain sum of month lengths.
  const HebrewYearShape shape = ShapeOf(date.year);
  return date.day + DaysBeforeMonth(date.month, shape) + NewYear(date.year) - 1;
}

HebrewDate HebrewFromAbsolute(AbsoluteDay d) {
  int year;
  {
    // Most calls fall in the year of the previous call.
    thread_local int lastYear = 0;
    const YearInfo* info = lastYear ? &YearInfoOf(lastYear) : nullptr;
    if (info && d >= info->start && d < info->nextStart) {
      year = lastYear;
    } else {
      // First guess from the mean year (35975351 / 98496 days), one year low
      // so that it is never too large; then step forward as a search from
      // (d + 1373429) / 366 would.
      int64_t y = (d + kHebrewEpochOffset) * 98496 / 35975351 - 1;
      const int64_t floorGuess = (d + kHebrewEpochOffset) / 366;
      if (y < floorGuess) y = floorGuess;
      while (d >= NewYear(static_cast<int>(y + 1))) ++y;
      year = static_cast<int>(y);
      lastYear = year;
    }
  }
  const YearInfo& info = YearInfoOf(year);
  const int last = info.shape.leap ? 13 : 12;
  // Nisan..Elul when d is past the day before 1 Nisan, else Tishri..last month.
  const bool spring = d > info.beforeMonth[kNisan];
  int month = spring ? kNisan : kTishri;
  const int lastOfPart = spring ? kElul : last;
  while (month < lastOfPart && d > info.beforeMonth[static_cast<size_t>(month + 1)]) ++month;
  return {static_cast<int32_t>(d - info.beforeMonth[static_cast<size_t>(month)]), month, year};
}
