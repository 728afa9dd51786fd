#include "compose/city_time.h"

#include <cstdlib>

#include "calendar/calendar.h"
#include "calendar/minor_days.h"
#include "suntimes/timezone.h"

namespace {

// Rounding division toward minus infinity.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }

// Digits only, exactly `count` of them, at `pos` of `text`; -1 otherwise.
int Digits(std::string_view text, size_t pos, size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::string TwoDigits(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

}  // namespace

std::optional<CityTime> CityTime::For(const TimesOptions& times) {
  CityRec place;
  if (!CityGet(times.cityFile, times.city, &place)) return std::nullopt;
  return CityTime(std::move(place), times);
}

CityTime::CityTime(CityRec place, const TimesOptions& times)
    : place_(std::move(place)), rule_(times.dstRule), automatic_(times.automaticZone) {}

LocalDateTime CityTime::Local(int64_t utc) const {
  // The day by the city file's standard time, and the minutes into it.
  const int64_t standard = utc + int64_t{place_.gmtOffset} * 3600;
  const AbsoluteDay day = UtcDayOf(standard);
  const CityClock clock(place_, GregorianFromAbsolute(day), rule_ ? &*rule_ : nullptr, automatic_);
  const int64_t sinceMidnight = utc - UtcMidnight(day) + int64_t{clock.zoneHours()} * 3600;
  int hour = 0;
  int minute = 0;
  if (!clock.Show(static_cast<int>(FloorDiv(sinceMidnight, 60)), &hour, &minute)) {
    // An invalid daylight-saving rule: standard time.
    hour = static_cast<int>(FloorDiv(sinceMidnight, 60) / 60);
    minute = static_cast<int>(FloorDiv(sinceMidnight, 60) % 60);
  }
  // Show counts on past midnight (24:10) for the next day's clock.
  const int second = static_cast<int>(sinceMidnight - FloorDiv(sinceMidnight, 60) * 60);
  return {GregorianFromAbsolute(day + hour / 24), hour % 24, minute, second};
}

AbsoluteDay CityTime::LocalDay(int64_t utc) const { return AbsoluteFromGregorian(Local(utc).date); }

int64_t CityTime::Utc(const LocalDateTime& local) const {
  const int minutes = local.hour * 60 + local.minute;
  const AbsoluteDay day = AbsoluteFromGregorian(local.date);
  // First as standard time, then moved by what the clock shows there.
  int64_t guess = UtcSecondsOf(local.date, minutes, place_.gmtOffset * 3600);
  for (int step = 0; step < 2; ++step) {
    const LocalDateTime shown = Local(guess);
    const int64_t off = (AbsoluteFromGregorian(shown.date) - day) * 1440 + shown.hour * 60 + shown.minute - minutes;
    if (off == 0) break;
    guess -= off * 60;
  }
  return guess + local.second;
}

int64_t CityTime::Midnight(AbsoluteDay d) const { return Utc({GregorianFromAbsolute(d), 0, 0, 0}); }

std::optional<LocalDateTime> ParseLocalDateTime(std::string_view text) {
  if (text.size() != 16 && text.size() != 19) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':') return std::nullopt;
  if (text.size() == 19 && text[16] != ':') return std::nullopt;
  LocalDateTime t;
  t.date = {Digits(text, 8, 2), Digits(text, 5, 2), Digits(text, 0, 4)};
  t.hour = Digits(text, 11, 2);
  t.minute = Digits(text, 14, 2);
  t.second = text.size() == 19 ? Digits(text, 17, 2) : 0;
  const GregorianDate& g = t.date;
  if (g.year < kFirstYear || g.year > kLastYear || g.month < 1 || g.month > 12 || g.day < 1 ||
      g.day > LastDayOfGregorianMonth(g.month, g.year))
    return std::nullopt;
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) return std::nullopt;
  return t;
}

std::string LocalDateTimeText(const LocalDateTime& t) {
  return std::to_string(t.date.year) + "-" + TwoDigits(t.date.month) + "-" + TwoDigits(t.date.day) + "T" +
         TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
}

ClockOverride ParseClockOverride(std::string_view text, const CityTime* city) {
  ClockOverride result;
  result.set = true;
  const std::string shown(text.substr(0, 40));
  if (!text.empty() && text[0] == '@') {
    const std::string digits(text.substr(1));
    char* end = nullptr;
    const long long seconds = digits.empty() || digits[0] == '-' ? -1 : std::strtoll(digits.c_str(), &end, 10);
    // From 1970 to the end of the calendar's last year.
    const int64_t calendarEnd = UtcMidnight(AbsoluteFromGregorian(1, 1, kLastYear + 1));
    if (seconds >= 0 && end && *end == '\0' && seconds < calendarEnd) {
      result.moment = seconds;
    } else {
      result.error =
          std::string(kNowVariable) + "='" + shown + "' is not @SECONDS (seconds since 1970, before the year 3001)";
    }
    return result;
  }
  const std::optional<LocalDateTime> local = ParseLocalDateTime(text);
  if (!local) {
    result.error = std::string(kNowVariable) + "='" + shown + "' is not YYYY-MM-DDTHH:MM[:SS] or @SECONDS";
  } else if (!city) {
    result.error = std::string(kNowVariable) + " is a local time, but the city is not in the city file";
  } else {
    result.moment = city->Utc(*local);
  }
  return result;
}

ClockOverride ReadClockOverride(const TimesOptions& times) {
  const char* text = std::getenv(kNowVariable);
  if (!text) return {};
  const std::optional<CityTime> city = text[0] == '@' ? std::nullopt : CityTime::For(times);
  return ParseClockOverride(text, city ? &*city : nullptr);
}
