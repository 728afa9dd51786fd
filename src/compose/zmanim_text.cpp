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

std::vector<ZmanOfDay> ZmanimOfDay(AbsoluteDay day, const Options& all) {
  const TimesOptions& options = all.times;
  CityRec city;
  if (!CityGet(options.cityFile, options.city, &city)) return {};
  const GregorianDate g = GregorianFromAbsolute(day);
  const CityClock clock(city, g, options.DstRule(), options.automaticZone);
  const ZmanimPlace place = clock.Place(city);
  std::vector<ZmanOfDay> zmanim;
  for (const ZmanimRec& rec : ZmanimRecs) {
    ZmanOfDay z;
    const std::optional<double> t = CalculateZmanimMinutes(
        place, g.day, g.month, g.year, options.opinions.Expression(rec), options.sun, &z.time.missing);
    z.shown = t && clock.ShowMinutes(*t, &z.time.hour, &z.time.minute);
    zmanim.push_back(z);
  }
  return zmanim;
}

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

  const std::vector<ZmanOfDay> zmanim = ZmanimOfDay(day, all);
  for (size_t i = 0; i < zmanim.size(); ++i) {
    out += translate_perform(ZmanimDisplayName(ZmanimRecs[i]));
    out += ": ";
    out += ListedTimeText(zmanim[i].shown, zmanim[i].time, options.clock, kNoTimeText);
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
