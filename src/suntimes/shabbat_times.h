// Candle-lighting and havdalah times of the month view: Fridays and festival
// eves get candle lighting, Saturdays and the end of Yom Kippur havdalah.
#pragma once

#include <string>
#include <string_view>

#include "calendar/types.h"
#include "base/settings.h"

// "sunset - <CandleLightingMin>".
std::string ShabbatCandleLightingExpression();
// "sunset + <HavdalahValue as a whole number>" when HavdalahIsMin is 1,
// else "sunset + degrees_below_horizon(<HavdalahValue>)".
std::string ShabbatHavdalahExpression();

// Which time a weekday (Sunday..Thursday) of the festival calendar gets.
enum class HolidayTime {
  kNone,
  kCandleLighting,
  // Candle lighting for a second festival day in the Diaspora: the candles
  // may only be lit after nightfall, so the time is that of havdalah.
  kCandleLightingAfterNightfall,
  kHavdalah,
};
HolidayTime GetHolidayTimeKind(const HebrewDate& date, bool diaspora);

// Copies the candle-lighting or havdalah expression into `expression` when
// the day is one of the festival days (by the Diaspora setting); leaves it
// unchanged otherwise. The second-day evenings of the Diaspora get the
// havdalah expression.
void GetTimeOfHoliday(AbsoluteDay day, std::string* expression, std::string_view candleExpression,
                      std::string_view havdalahExpression);

// The candle-lighting or havdalah time of a day before it is formatted.
struct ShabbatTimeValue {
  int isCandleLighting = 0;  // 1 when the day gets a candle-lighting time
  int isHavdalah = 0;        // 1 when the day gets a havdalah time
  // Minutes after midnight in the zone of gmtOffset (may reach 1440 or
  // more): local standard time; the instant is standardMinutes - 60 *
  // gmtOffset after midnight UTC of the day.
  int standardMinutes = 0;
  // Whole hours east of Greenwich: the city's standard-time zone (with
  // DSTAutomatic, the zone hours of CityClock).
  int gmtOffset = 0;
  // The clock time shown: daylight saving by the rule (23 wraps to 0), or
  // the local time of the city's zone (past midnight it counts on, 24:10).
  int hour = 0;
  int minute = 0;
};

// The time of the day: true with `value` filled when the day gets a time
// and it can be computed (city found, the expression evaluates, the daylight
// saving rule is valid where it applies). The flags are set whenever the day
// gets an expression, also when the result is false. Syntax errors of the
// expressions are printed on the message stream. `automaticZone` is the DSTAutomatic
// setting: the city's zone in the time-zone database, where it has one,
// replaces the rule.
bool GetShabbatTimeValue(AbsoluteDay day, const std::string& cityFile, std::string_view city,
                         const DstSetting* rule, bool automaticZone, std::string_view candleExpression,
                         std::string_view havdalahExpression, ShabbatTimeValue* value);
// The same from the settings, as GetShabbatTime reads them.
bool GetShabbatTimeValue(AbsoluteDay day, ShabbatTimeValue* value);

// The formatted time of the day or an empty text, with the flags (each may be
// null) set to 1 when the day gets a candle-lighting or havdalah time. Reads
// the settings of the city, the expressions, daylight saving and the clock.
void GetShabbatTime(AbsoluteDay day, std::string* text, int* isCandleLighting, int* isHavdalah);
// The same with everything passed in; `rule` is null when daylight saving is
// not considered; `automaticZone` as for GetShabbatTimeValue.
void GetShabbatTime2(AbsoluteDay day, std::string* text, const std::string& cityFile, std::string_view city,
                     const DstSetting* rule, bool automaticZone, std::string_view candleExpression,
                     std::string_view havdalahExpression, int* isCandleLighting, int* isHavdalah);
