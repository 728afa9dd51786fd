// The zmanim list of a day as text, for the day report and the zmanim panel.
#pragma once

#include <string>
#include <vector>

#include "calendar/types.h"
#include "compose/options.h"
#include "suntimes/shabbat_times.h"

// The zmanim of day d at the city of `options`, one per row of ZmanimRecs by
// the chosen opinions: `time.missing` tells why where `shown` is false.
// Empty when the city is not found.
struct ZmanOfDay {
  bool shown = false;
  ShabbatTimeValue time;
};
std::vector<ZmanOfDay> ZmanimOfDay(AbsoluteDay day, const Options& all);

// The text block of the day for the city of `options`: "Zmanim for date
// D.M.Y", "Location <city>" and one "<name>: <time>" line per time (with
// "(after midnight)" for a time of the evening after it; where the sun makes
// the time not exist, why: "the sun does not set"; "----" when the time has
// no value for another reason or the daylight-saving rule is invalid), each
// ending in a line feed, all translated; then the day's own times in order of
// the day (its candle lighting or havdalah, fast begins and ends, Khanukka
// candles, khamets, the moments of the minor days) as "<label>: <time>" lines
// ("Candle Lighting: 04:11PM"). When the city is not found `text` is
// left as it was.
void GetZmanimForDay(AbsoluteDay day, const Options& all, std::string* text);
