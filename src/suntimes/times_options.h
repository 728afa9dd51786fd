// The place and the choices every time of day depends on, as one value: the
// city, the daylight-saving choice, candle lighting and havdalah, the sun
// calculation, the zmanim opinions, the special days' expressions and how a
// time is written.
#pragma once

#include <optional>
#include <string>

#include "base/choices.h"
#include "calendar/rules.h"
#include "suntimes/day_times.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/sun_options.h"
#include "suntimes/timeformat.h"
#include "suntimes/zmanim.h"

struct TimesOptions {
  std::string cityFile;  // the city file's path
  std::string city;      // the city's name as the city file writes it
  // The manual daylight-saving rule, when daylight saving is considered.
  std::optional<DstSetting> dstRule;
  // The city's zone in the time-zone database, where it has one, replaces the rule.
  bool automaticZone = false;
  int candleMinutes = 18;              // candle lighting, minutes before sunset
  std::string havdalahValue = "45";    // minutes after sunset, or degrees below the horizon
  bool havdalahInMinutes = true;
  SunOptions sun;
  ZmanimOpinions opinions;
  // The special days' expressions as chosen; an empty one stands for its default.
  SpecialTimeExpressions special;
  ClockStyle clock;
  // The name of the community preset last chosen (zmanim_presets.h); the
  // choices above may have changed since.
  std::string preset = "ashkenazi";

  std::string CandleExpression() const { return ShabbatCandleLightingExpression(candleMinutes); }
  std::string HavdalahExpression() const { return ShabbatHavdalahExpression(havdalahInMinutes, havdalahValue); }
  // The daylight-saving rule, null when daylight saving is not considered.
  const DstSetting* DstRule() const { return dstRule ? &*dstRule : nullptr; }
};

// The evening times and all the times of day of these options; `style`
// (1 Sephardic, 2 Ashkenazi) decides the window of Kiddush Levana.
EveningTimes EveningTimesFor(const CalendarRules& rules, const TimesOptions& options);
DayTimes DayTimesFor(const CalendarRules& rules, const TimesOptions& options, int style);
