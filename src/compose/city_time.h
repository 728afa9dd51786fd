// The local date and time of the configured city, and the moment the
// program takes as now: the system clock, or the moment the environment
// variable LUMARO_NOW names (for tests and demonstrations), in lumaro and
// lumaro-cli alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/types.h"
#include "suntimes/cities.h"
#include "suntimes/times_options.h"

// A wall-clock time of the city.
struct LocalDateTime {
  GregorianDate date;
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

// The clock of the configured city at any moment: daylight saving by the
// city's zone or by the user's rule, as the times of day follow it.
class CityTime {
 public:
  // Nothing when the city is not in the city file.
  static std::optional<CityTime> For(const TimesOptions& times);

  // The wall-clock time at a moment (seconds since 1970-01-01 UTC).
  LocalDateTime Local(int64_t utc) const;
  AbsoluteDay LocalDay(int64_t utc) const;
  // The moment of a wall-clock time. A time that the change to summer time
  // skips is taken an hour later; one that the change back repeats is the
  // second of the two (in standard time).
  int64_t Utc(const LocalDateTime& local) const;
  // The moment of the midnight that begins day d.
  int64_t Midnight(AbsoluteDay d) const;

 private:
  CityTime(CityRec place, const TimesOptions& times);
  CityRec place_;
  std::optional<DstSetting> rule_;
  bool automatic_ = false;
};

// "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (years 1583..3000, a real
// date and time); nothing for any other text.
std::optional<LocalDateTime> ParseLocalDateTime(std::string_view text);
// "YYYY-MM-DDTHH:MM".
std::string LocalDateTimeText(const LocalDateTime& t);

// The name of the environment variable that sets the clock.
inline constexpr const char* kNowVariable = "LUMARO_NOW";
// What LUMARO_NOW says: unset (nothing), a moment, or why its text is not
// one. Its value is a local time of the city as ParseLocalDateTime reads
// it, or "@" and the seconds since 1970-01-01 UTC.
struct ClockOverride {
  bool set = false;
  std::optional<int64_t> moment;
  std::string error;  // when set and there is no moment
};
// Reads LUMARO_NOW; a local time is read by the clock of the city of `times`.
ClockOverride ReadClockOverride(const TimesOptions& times);
// The text of LUMARO_NOW read the same way.
ClockOverride ParseClockOverride(std::string_view text, const CityTime* city);
