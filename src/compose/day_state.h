// What the present moment is for work and for eating: a weekday, Shabbat, a
// festival day (a yom tov: work forbidden; Yom Kippur is one), or a fast,
// and when that next changes.
//  - Shabbat and the festival days run from the candle lighting of their
//    eve (the minutes before sunset the settings give) to havdalah, joined
//    where they follow each other (a two-day festival in the Diaspora, a
//    festival next to Shabbat); within such a stretch a day is a festival
//    when it is a yom tov, else Shabbat, and the day changes at sunset, at
//    candle lighting where the next day's candles are lit before sunset;
//  - a fast runs from its beginning (dawn; sunset of the evening before
//    for Tisha BeAv) to its end, as the fast times give them; Shabbat
//    and the festivals take precedence;
//  - where the sun gives no time, the edge is the civil midnight of that
//    evening (before the day for a fast's dawn).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "compose/city_time.h"
#include "compose/options.h"
#include "suntimes/calc.h"
#include "suntimes/day_times.h"

enum class DayState : uint8_t { kWeekday, kShabbat, kFestival, kFast };

// "weekday", "shabbat", "festival", "fast".
std::string_view DayStateName(DayState state);
// False on Shabbat and the festival days.
constexpr bool WorkAllowed(DayState state) { return state != DayState::kShabbat && state != DayState::kFestival; }

struct StateNow {
  DayState state = DayState::kWeekday;
  int64_t nextChange = 0;  // the moment the state next changes
};

// The states of one city by one set of choices.
class DayStates {
 public:
  // Nothing when the city is not in the city file.
  static std::optional<DayStates> For(const Options& options);
  StateNow At(int64_t moment) const;
  const CityTime& city() const { return city_; }

 private:
  DayStates(CityTime city, DayTimes times, const Options& options);
  struct Around;
  // What the days around `today` have.
  Around AroundDay(AbsoluteDay today) const;
  CityTime city_;
  DayTimes times_;
  CalendarRules rules_;
  ZmanimProgram sunset_;
};
