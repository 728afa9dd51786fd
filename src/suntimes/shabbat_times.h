// Candle-lighting and havdalah times of the month view: Fridays and festival
// eves get candle lighting, Saturdays and the last festival day havdalah.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/choices.h"
#include "calendar/festival_table.h"
#include "calendar/rules.h"
#include "calendar/types.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/missing_time.h"
#include "suntimes/sun_options.h"
#include "suntimes/timeformat.h"
#include "suntimes/timezone.h"

// The time the evening of a day has in its cell.
enum class EveningTime : uint8_t {
  kNone,
  kCandleLighting,                // before sunset: Friday, the eve of a festival
  kCandleLightingAfterNightfall,  // after Shabbat or a first festival day, lit from an existing flame
  kHavdalah,                      // the end of Shabbat or of a festival
};

// The translated name of an evening time: "Candle Lighting", "Candle
// lighting after nightfall" or "Havdalah"; empty for none.
std::string EveningTimeLabel(EveningTime kind);

// "sunset - <minutes>": candles lit that many minutes before sunset.
std::string ShabbatCandleLightingExpression(int minutes);
// The havdalah value (a decimal text) as the whole minutes after sunset it
// stands for when it counts minutes.
int ShabbatHavdalahMinutes(const std::string& value);
// "sunset + <value as a whole number>" when the value counts minutes, else
// "sunset + degrees_below_horizon(<value>)".
std::string ShabbatHavdalahExpression(bool inMinutes, const std::string& value);


// Which time the evening of day d has:
//  - a Friday: the Shabbat candle lighting, also before or on a festival;
//  - the eve of a festival day that is itself a festival day or a Shabbat:
//    candle lighting after nightfall (at the havdalah time);
//  - the eve of a festival day on Sunday..Thursday: candle lighting;
//  - any other Saturday, and a festival day before a weekday: havdalah;
//  - every other day: none.
EveningTime EveningTimeOf(AbsoluteDay d, const CalendarRules& rules);


// The candle-lighting or havdalah time of a day before it is formatted.
struct ShabbatTimeValue {
  EveningTime kind = EveningTime::kNone;
  int isCandleLighting = 0;  // 1 when the day gets a candle-lighting time (also after nightfall)
  int isHavdalah = 0;        // 1 when the day gets a havdalah time
  // Minutes after midnight in the zone of gmtOffset (may reach 1440 or
  // more): local standard time; the instant is standardMinutes - 60 *
  // gmtOffset after midnight UTC of the day. In the precise calculation the
  // time rounded to the nearest minute.
  int standardMinutes = 0;
  // Whole hours east of Greenwich: the city's standard-time zone (with
  // DSTAutomatic, the zone hours of CityClock).
  int gmtOffset = 0;
  // The clock time shown, daylight saving by the rule or the local time of
  // the city's zone; past midnight it counts on (24:10), and the formatter
  // shows it on the next day's clock (IsAfterMidnight).
  int hour = 0;
  int minute = 0;
  // Why there is no time, when Value or Evaluate finds none.
  MissingTime missing;
};

// How the lists write a time: the clock time, with "(after midnight)" past
// midnight, when `computed`; else why it does not exist ("the sun does not
// set"), or `noTime` when the sun is not the reason.
std::string ListedTimeText(bool computed, const ShabbatTimeValue& value, const ClockStyle& clock,
                           std::string_view noTime);

// The candle-lighting and havdalah times of many days for one place, one
// clock and one pair of expressions: the city is looked up and the
// expressions are read once, when the first day needs them.
class EveningTimes {
 public:
  // `rule` is the daylight-saving rule, null when daylight saving is not
  // considered; `automaticZone` the DSTAutomatic setting: the city's zone in
  // the time-zone database, where it has one, replaces the rule. Syntax
  // errors of the expressions go to the diagnostics sink.
  // `sun` is the sun calculation, `clock` how Text writes the time.
  EveningTimes(const CalendarRules& rules, std::string cityFile, std::string_view city, const DstSetting* rule,
               bool automaticZone, std::string_view candleExpression, std::string_view havdalahExpression,
               const SunOptions& sun, const ClockStyle& clock);

  // The time of the day: true with `value` filled when the day gets a time
  // and it can be computed (city found, the expression evaluates, the
  // daylight-saving rule is valid where it applies). The flags are set
  // whenever the day gets an expression, also when the result is false, and
  // so is value->missing when the time does not exist.
  bool Value(AbsoluteDay day, ShabbatTimeValue* value) const;
  // The formatted time of the day or an empty text, with the flags (each may
  // be null) set as for Value.
  void Text(AbsoluteDay day, std::string* text, int* isCandleLighting, int* isHavdalah) const;
  // Another expression of the day through the same city and clock: true with
  // the moment and the clock time in `value` (its kind and flags left
  // alone) when the city is found, the expression yields a time and the
  // daylight-saving rule is valid where it applies; else with why in
  // value->missing.
  bool Evaluate(AbsoluteDay day, const ZmanimProgram& program, ShabbatTimeValue* value) const;
  // A moment (seconds since 1970-01-01 UTC) as a time of `day` at the city:
  // true with the moment in `value` (as Evaluate fills it) when the city is
  // found and the moment falls on that day by the city's clock.
  bool Moment(AbsoluteDay day, int64_t moment, CityClock::Rounding rounding, ShabbatTimeValue* value) const;
  // The zone hours of the sun computation on the day (CityClock::zoneHours),
  // or nothing when the city is not found.
  std::optional<int> ZoneHours(AbsoluteDay day) const;
  const CalendarRules& rules() const { return rules_; }

 private:
  const CityRec* Place() const;
  const ZmanimProgram& Program(EveningTime kind) const;

  CalendarRules rules_;
  std::string cityFile_;
  std::string city_;
  std::optional<DstSetting> dst_;
  bool automaticZone_;
  SunOptions sun_;
  ClockStyle clock_;
  std::string candleText_;
  std::string havdalahText_;
  mutable bool placeLooked_ = false;
  mutable std::optional<CityRec> place_;
  mutable std::optional<ZmanimProgram> candle_;
  mutable std::optional<ZmanimProgram> havdalah_;
};
