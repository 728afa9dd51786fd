#include "compose/date_turn.h"

#include <utility>

#include "calendar/calendar.h"
#include "calendar/minor_days.h"
#include "compose/hebrew_date_text.h"

std::optional<DateTurns> DateTurns::For(const Options& options) {
  std::optional<CityTime> city = CityTime::For(options.times);
  if (!city) return std::nullopt;
  std::string expression = options.dateTurn == DateTurn::kHavdalah ? options.times.HavdalahExpression() : "sunset";
  return DateTurns(std::move(*city), EveningTimesFor(options.rules, options.times), std::move(expression));
}

DateTurns::DateTurns(CityTime city, EveningTimes evenings, std::string expression)
    : city_(std::move(city)), evenings_(std::move(evenings)), program_(ZmanimProgram::Compile(expression)) {}

int64_t DateTurns::TurnOf(AbsoluteDay d) const {
  ShabbatTimeValue value;
  if (evenings_.Evaluate(d, program_, &value))
    return UtcMidnight(d) + (int64_t{value.standardMinutes} - 60 * int64_t{value.gmtOffset}) * 60;
  // No sunset (or no such nightfall) that day: the civil midnight.
  return city_.Midnight(d + 1);
}

DateNow DateTurns::At(int64_t moment) const {
  DateNow now;
  now.civilDay = city_.LocalDay(moment);
  // The last turn at or before the moment: today's, or yesterday's when it
  // comes after midnight (a late nightfall of the northern summer).
  now.hebrewDay = now.civilDay - 1;
  for (AbsoluteDay d = now.civilDay; d >= now.civilDay - 1; --d) {
    if (TurnOf(d) <= moment) {
      now.hebrewDay = d + 1;
      break;
    }
  }
  now.nextTurn = TurnOf(now.hebrewDay);
  return now;
}

std::string DateTurnLabel(AbsoluteDay hebrewDay, bool hebrewNumerals) {
  return HebrewDayMonthText(HebrewFromAbsolute(hebrewDay), hebrewNumerals);
}
