#include "suntimes/posix_tz.h"

#include <date/date.h>

#include <algorithm>
#include <array>

namespace {

constexpr int32_t kSecondsPerHour = 3600;
constexpr int64_t kSecondsPerDay = 86400;
// Largest hour of an offset, and of a change time (a week less an hour).
constexpr int kMaxOffsetHours = 24;
constexpr int kMaxChangeHours = 167;
// About 20000 years from 1970.
constexpr int64_t kFarSeconds = int64_t{20000} * 365 * kSecondsPerDay;

// A cursor over the rule text; at() gives 0 past the end.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  char at() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  bool atEnd() const { return pos_ >= text_.size(); }
  bool take(char c) {
    if (at() != c) return false;
    ++pos_;
    return true;
  }
  // Decimal digits into *value, at most `maxDigits` of them; false for none.
  bool number(int maxDigits, int* value) {
    int v = 0, n = 0;
    while (at() >= '0' && at() <= '9' && n < maxDigits) {
      v = v * 10 + (at() - '0');
      ++pos_;
      ++n;
    }
    *value = v;
    return n > 0;
  }
  // A zone abbreviation: three or more letters, or "<...>" of letters,
  // digits, "+" and "-" (three or more).
  bool abbreviation() {
    size_t n = 0;
    if (take('<')) {
      for (; IsAlnum(at()) || at() == '+' || at() == '-'; ++pos_) ++n;
      return take('>') && n >= 3;
    }
    for (; (at() >= 'A' && at() <= 'Z') || (at() >= 'a' && at() <= 'z'); ++pos_) ++n;
    return n >= 3;
  }

 private:
  static bool IsAlnum(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  }
  std::string_view text_;
  size_t pos_ = 0;
};

// [+-]hh[:mm[:ss]] in seconds, hh at most maxHours.
bool ParseDuration(Scanner& s, int maxHours, int32_t* seconds) {
  const bool negative = s.take('-');
  if (!negative) s.take('+');
  int h = 0, m = 0, sec = 0;
  if (!s.number(3, &h) || h > maxHours) return false;
  if (s.take(':')) {
    if (!s.number(2, &m) || m > 59) return false;
    if (s.take(':') && (!s.number(2, &sec) || sec > 59)) return false;
  }
  const int32_t value = h * kSecondsPerHour + m * 60 + sec;
  *seconds = negative ? -value : value;
  return true;
}

// An offset as written (hours west) turned into seconds east.
bool ParseOffset(Scanner& s, int32_t* secondsEast) {
  int32_t west = 0;
  if (!ParseDuration(s, kMaxOffsetHours, &west)) return false;
  *secondsEast = -west;
  return true;
}

// "Jn", "n" or "Mm.w.d", then an optional "/time".
bool ParseChange(Scanner& s, PosixTzChange* change) {
  PosixTzChange c;
  if (s.take('J')) {
    c.kind = PosixTzChange::Kind::kJulian;
    if (!s.number(3, &c.day) || c.day < 1 || c.day > 365) return false;
  } else if (s.take('M')) {
    c.kind = PosixTzChange::Kind::kMonthWeekDay;
    if (!s.number(2, &c.month) || c.month < 1 || c.month > 12) return false;
    if (!s.take('.') || !s.number(1, &c.week) || c.week < 1 || c.week > 5) return false;
    if (!s.take('.') || !s.number(1, &c.day) || c.day > 6) return false;
  } else {
    c.kind = PosixTzChange::Kind::kDayOfYear;
    if (!s.number(3, &c.day) || c.day > 365) return false;
  }
  if (s.take('/') && !ParseDuration(s, kMaxChangeHours, &c.seconds)) return false;
  *change = c;
  return true;
}

int64_t DaysSinceEpoch(const date::year_month_day& ymd) { return date::sys_days(ymd).time_since_epoch().count(); }

// The day (days since 1970) of a change in Gregorian `year`.
int64_t ChangeDay(const PosixTzChange& c, int year) {
  using namespace date;
  const date::year y{year};
  switch (c.kind) {
    case PosixTzChange::Kind::kJulian:
      // Day 60 is 1 March also in a leap year.
      return DaysSinceEpoch(y / January / 1) + (c.day - 1) + ((y.is_leap() && c.day >= 60) ? 1 : 0);
    case PosixTzChange::Kind::kDayOfYear:
      return DaysSinceEpoch(y / January / 1) + c.day;
    case PosixTzChange::Kind::kMonthWeekDay:
      break;
  }
  const date::month m{static_cast<unsigned>(c.month)};
  const sys_days first = sys_days(y / m / 1);
  const int firstWeekday = static_cast<int>(weekday(first).c_encoding());
  int dayOfMonth = 1 + (c.day - firstWeekday + 7) % 7 + 7 * (c.week - 1);
  const int length = static_cast<int>(static_cast<unsigned>((y / m / last).day()));
  while (dayOfMonth > length) dayOfMonth -= 7;  // week 5: the last such weekday
  return first.time_since_epoch().count() + (dayOfMonth - 1);
}

int64_t ChangeUtc(const PosixTzChange& c, int year, int32_t offsetInForce) {
  return ChangeDay(c, year) * kSecondsPerDay + c.seconds - offsetInForce;
}

}  // namespace

bool PosixTzParse(std::string_view text, PosixTz* tz) {
  Scanner s(text);
  PosixTz r;
  if (!s.abbreviation() || !ParseOffset(s, &r.standardOffset)) return false;
  if (s.atEnd()) {
    *tz = r;
    return true;
  }
  if (!s.abbreviation()) return false;
  r.hasSummerTime = true;
  r.summerOffset = r.standardOffset + kSecondsPerHour;
  if (s.at() != ',' && !s.atEnd() && !ParseOffset(s, &r.summerOffset)) return false;
  if (!s.take(',') || !ParseChange(s, &r.start)) return false;
  if (!s.take(',') || !ParseChange(s, &r.end)) return false;
  if (!s.atEnd()) return false;
  *tz = r;
  return true;
}

int64_t PosixTzStartUtc(const PosixTz& tz, int year) { return ChangeUtc(tz.start, year, tz.standardOffset); }

int64_t PosixTzEndUtc(const PosixTz& tz, int year) { return ChangeUtc(tz.end, year, tz.summerOffset); }

namespace {

bool SameChange(const PosixTzChange& a, const PosixTzChange& b) {
  return a.kind == b.kind && a.day == b.day && a.week == b.week && a.month == b.month && a.seconds == b.seconds;
}

bool SameRule(const PosixTz& a, const PosixTz& b) {
  return a.standardOffset == b.standardOffset && a.hasSummerTime == b.hasSummerTime &&
         a.summerOffset == b.summerOffset && SameChange(a.start, b.start) && SameChange(a.end, b.end);
}

// The changes of the years around one local year, in time order. Change
// times may run up to a week past their day, so two years back are enough.
// At equal instants the start comes last: summer time from 1 January 00:00
// to the next 1 January is summer time all year.
struct YearChanges {
  struct Change {
    int64_t utc;
    bool summer;
  };
  PosixTz rule;
  int year = 0;
  std::array<Change, 8> changes{};

  void Fill(const PosixTz& tz, int forYear) {
    rule = tz;
    year = forYear;
    size_t n = 0;
    for (int y = forYear - 2; y <= forYear + 1; ++y) {
      changes[n++] = {PosixTzEndUtc(tz, y), false};
      changes[n++] = {PosixTzStartUtc(tz, y), true};
    }
    std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
      return a.utc != b.utc ? a.utc < b.utc : (!a.summer && b.summer);
    });
  }
};

}  // namespace


PosixTzPeriod PosixTzPeriodAt(const PosixTz& tz, int64_t utcSeconds) {
  PosixTzPeriod period{utcSeconds, utcSeconds + 1, tz.standardOffset};
  if (!tz.hasSummerTime) return period;
  // Far outside any calendar year shown (and of the date arithmetic's years).
  if (utcSeconds > kFarSeconds || utcSeconds < -kFarSeconds) return period;
  using namespace date;
  const sys_days localDay = floor<days>(sys_seconds(std::chrono::seconds(utcSeconds + tz.standardOffset)));
  const int year = static_cast<int>(year_month_day(localDay).year());
  // A range of days asks about the same year again and again: the year's
  // changes are worked out once and kept until another year or rule is asked.
  thread_local YearChanges last;
  if (last.year != year || !SameRule(last.rule, tz)) last.Fill(tz, year);
  // The last change not after the instant decides, until the next change.
  bool summer = false;
  for (const YearChanges::Change& c : last.changes) {
    if (c.utc > utcSeconds) {
      period.end = c.utc;
      break;
    }
    summer = c.summer;
    period.begin = c.utc;
  }
  period.offset = summer ? tz.summerOffset : tz.standardOffset;
  return period;
}
