#include "suntimes/shabbat_times.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#include "calendar/calendar.h"
#include "base/translate.h"
#include "calendar/festivals.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/timeformat.h"
#include "suntimes/timezone.h"

namespace {

// atoi of a settings text, clamped to the int range instead of overflowing:
// leading blanks, an optional sign and digits; anything else gives 0.
int AtoiClamped(const std::string& text) {
  errno = 0;
  const long v = std::strtol(text.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

void SetFlag(int* flag, int value) {
  if (flag) *flag = value;
}

}  // namespace

std::string ShabbatCandleLightingExpression(int minutes) { return "sunset - " + std::to_string(minutes); }

int ShabbatHavdalahMinutes(const std::string& value) { return AtoiClamped(value); }

std::string ShabbatHavdalahExpression(bool inMinutes, const std::string& value) {
  if (inMinutes) return "sunset + " + std::to_string(ShabbatHavdalahMinutes(value));
  return "sunset + degrees_below_horizon(" + value + ")";
}

std::string ListedTimeText(bool computed, const ShabbatTimeValue& value, const ClockStyle& clock,
                           std::string_view noTime) {
  if (computed) return TimeformatListedTime(value.hour, value.minute, clock);
  return value.missing.bySun() ? MissingTimeText(value.missing) : std::string(noTime);
}

std::string EveningTimeLabel(EveningTime kind) {
  switch (kind) {
    case EveningTime::kCandleLighting: return translate_perform("Candle Lighting");
    case EveningTime::kCandleLightingAfterNightfall: return translate_perform("Candle lighting after nightfall");
    case EveningTime::kHavdalah: return translate_perform("Havdalah");
    case EveningTime::kNone: break;
  }
  return {};
}

EveningTime EveningTimeOf(AbsoluteDay d, const CalendarRules& rules) {
  const int weekday = WeekdayOf(d);
  // Shabbat candles are lit before sunset, also on a festival.
  if (weekday == kFriday) return EveningTime::kCandleLighting;
  // Days are asked for in runs: today was the last call's tomorrow.
  thread_local AbsoluteDay askedTomorrow = 0;
  thread_local bool askedTomorrowIsFestival = false;
  thread_local CalendarRules askedRules;
  const bool today = d == askedTomorrow && SameFestivalDates(rules, askedRules) ? askedTomorrowIsFestival
                                                                                  : IsFestivalDay(d, rules);
  const bool tomorrow = IsFestivalDay(d + 1, rules);
  askedTomorrow = d + 1;
  askedTomorrowIsFestival = tomorrow;
  askedRules = rules;
  // The evening after Shabbat or a festival day: lit from an existing flame
  // once the day is out.
  if (tomorrow && (today || weekday == kShabbat)) return EveningTime::kCandleLightingAfterNightfall;
  if (tomorrow) return EveningTime::kCandleLighting;
  if (today || weekday == kShabbat) return EveningTime::kHavdalah;
  return EveningTime::kNone;
}

EveningTimes::EveningTimes(const CalendarRules& rules, std::string cityFile, std::string_view city,
                           const DstSetting* rule, bool automaticZone, std::string_view candleExpression,
                           std::string_view havdalahExpression, const SunOptions& sun,
                           const ClockStyle& clock)
    : rules_(rules),
      cityFile_(std::move(cityFile)),
      city_(city),
      dst_(rule ? std::optional<DstSetting>(*rule) : std::nullopt),
      automaticZone_(automaticZone),
      sun_(sun),
      clock_(clock),
      candleText_(candleExpression),
      havdalahText_(havdalahExpression) {}

const CityRec* EveningTimes::Place() const {
  if (!placeLooked_) {
    placeLooked_ = true;
    CityRec rec;
    if (CityGet(cityFile_, city_, &rec)) place_ = std::move(rec);
  }
  return place_ ? &*place_ : nullptr;
}

const ZmanimProgram& EveningTimes::Program(EveningTime kind) const {
  const bool candle = kind == EveningTime::kCandleLighting;
  std::optional<ZmanimProgram>& program = candle ? candle_ : havdalah_;
  if (!program) program = ZmanimProgram::Compile(candle ? candleText_ : havdalahText_);
  return *program;
}

bool EveningTimes::Value(AbsoluteDay day, ShabbatTimeValue* value) const {
  *value = ShabbatTimeValue{};
  const EveningTime kind = EveningTimeOf(day, rules_);
  value->kind = kind;
  switch (kind) {
    case EveningTime::kNone:
      return false;
    case EveningTime::kCandleLighting:
    case EveningTime::kCandleLightingAfterNightfall:
      value->isCandleLighting = 1;
      break;
    case EveningTime::kHavdalah:
      value->isHavdalah = 1;
      break;
  }
  // Candles lit after nightfall are lit at the havdalah time.
  return Evaluate(day, Program(kind), value);
}

bool EveningTimes::Evaluate(AbsoluteDay day, const ZmanimProgram& program, ShabbatTimeValue* value) const {
  value->missing = MissingTime{};
  const CityRec* place = Place();
  if (!place) return false;
  const GregorianDate g = GregorianFromAbsolute(day);
  const CityClock clock(*place, g, dst_ ? &*dst_ : nullptr, automaticZone_);
  const std::optional<double> t =
      program.EvaluateMinutes(clock.Place(*place), g.day, g.month, g.year, sun_, &value->missing);
  if (!t) return false;
  int hour = 0, minute = 0;
  // Candles are lit by a time never later than the computed one; the other
  // times are shown to the nearest minute.
  const CityClock::Rounding rounding =
      value->kind == EveningTime::kCandleLighting ? CityClock::Rounding::kDown : CityClock::Rounding::kNearest;
  if (!clock.ShowMinutes(*t, &hour, &minute, rounding)) return false;
  value->standardMinutes = CityClock::RoundedMinutes(*t, rounding);
  value->gmtOffset = clock.zoneHours();
  value->hour = hour;
  value->minute = minute;
  return true;
}

bool EveningTimes::Moment(AbsoluteDay day, int64_t moment, CityClock::Rounding rounding,
                          ShabbatTimeValue* value) const {
  const CityRec* place = Place();
  if (!place) return false;
  const GregorianDate g = GregorianFromAbsolute(day);
  const CityClock clock(*place, g, dst_ ? &*dst_ : nullptr, automaticZone_);
  // Minutes after midnight of the day in the zone of the sun computation.
  const double t = static_cast<double>(moment - UtcSecondsOf(g, 0, clock.zoneHours() * 3600)) / 60.0;
  if (t < -180 || t >= 24 * 60) return false;
  int hour = 0;
  int minute = 0;
  if (!clock.ShowMinutes(t, &hour, &minute, rounding)) return false;
  // Shown times count on past midnight (24:10): such a time is the next
  // day's, and an early one (before midnight of the zone's standard time)
  // that shows as evening the day before's.
  const bool nextDay = hour >= 24;
  const bool dayBefore = t < 0 && hour >= 12;
  if (nextDay || dayBefore) return false;
  value->standardMinutes = CityClock::RoundedMinutes(t, rounding);
  value->gmtOffset = clock.zoneHours();
  value->hour = hour;
  value->minute = minute;
  return true;
}

std::optional<int> EveningTimes::ZoneHours(AbsoluteDay day) const {
  const CityRec* place = Place();
  if (!place) return std::nullopt;
  return CityClock(*place, GregorianFromAbsolute(day), dst_ ? &*dst_ : nullptr, automaticZone_).zoneHours();
}

void EveningTimes::Text(AbsoluteDay day, std::string* text, int* isCandleLighting, int* isHavdalah) const {
  text->clear();
  ShabbatTimeValue value;
  const bool shown = Value(day, &value);
  SetFlag(isCandleLighting, value.isCandleLighting);
  SetFlag(isHavdalah, value.isHavdalah);
  if (shown) TimeformatFormatTime(value.hour, value.minute, clock_, text);
}
