#include "compose/zmanim_text.h"

#include <algorithm>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timezone.h"

namespace {

constexpr std::string_view kNoTimeText = "----";

}  // namespace

void GetZmanimForDay(AbsoluteDay day, const Options& all, std::string* text) {
  const TimesOptions& options = all.times;
  CityRec city;
  if (!CityGet(options.cityFile, options.city, &city)) return;
  const GregorianDate g = GregorianFromAbsolute(day);

  const std::string date = DayMonthYearText(g.day, g.month, g.year);
  std::string out = FormatText(translate_perform("Zmanim for date %s"), {date});
  out += '\n';
  const std::string name = Utf8FromLatin1(city.name);
  std::string location = FormatText(translate_perform("(Location %s)"), {name});
  location.erase(std::remove_if(location.begin(), location.end(), [](char c) { return c == '(' || c == ')'; }),
                 location.end());
  out += location;
  out += '\n';

  const CityClock clock(city, g, options.DstRule(), options.automaticZone);
  const ZmanimPlace place = clock.Place(city);
  for (const ZmanimRec& rec : ZmanimRecs) {
    out += translate_perform(ZmanimDisplayName(rec));
    out += ": ";
    ShabbatTimeValue value;
    const std::optional<double> t = CalculateZmanimMinutes(
        place, g.day, g.month, g.year, options.opinions.Expression(rec), options.sun, &value.missing);
    const bool shown = t && clock.ShowMinutes(*t, &value.hour, &value.minute);
    out += ListedTimeText(shown, value, options.clock, kNoTimeText);
    out += '\n';
  }
  // The day's own times after its zmanim, in order of the day: its candle
  // lighting or havdalah and the special days' times.
  for (const DayTime& t : DayTimesFor(all.rules, options, all.style).Of(day)) {
    out += DayTimeListLabel(t);
    out += ": ";
    out += ListedTimeText(t.computed, t.time, options.clock, kNoTimeText);
    out += '\n';
  }
  *text = std::move(out);
}
