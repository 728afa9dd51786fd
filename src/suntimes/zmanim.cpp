#include "suntimes/zmanim.h"

#include <algorithm>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/day_times.h"
#include "suntimes/timeformat.h"
#include "suntimes/timezone.h"

namespace {

constexpr std::string_view kNoTimeText = "----";

}  // namespace

std::string ZmanimDisplayName(const ZmanimRec& rec) {
  std::string name(rec.name);
  if (!rec.nameSuffix.empty()) {
    name += ' ';
    name += rec.nameSuffix;
  }
  return name;
}

std::string ZmanimSettingsKey(const ZmanimRec& rec) { return "Zmanim" + std::string(rec.keySuffix); }

size_t ZmanimChoiceIndex(const ZmanimRec& rec) {
  if (rec.kind != kZmanimChoice) return 0;
  const std::string stored = SettingsGet(ZmanimSettingsKey(rec), "");
  for (size_t i = 0; i < rec.optionCount; ++i) {
    if (rec.options[i].key == stored) return i;
  }
  return 0;
}

std::string_view ZmanimExpression(const ZmanimRec& rec) {
  if (rec.kind != kZmanimChoice) return rec.expression;
  return rec.options[ZmanimChoiceIndex(rec)].expression;
}

void GetZmanimForDay(AbsoluteDay day, std::string* text) {
  CityRec city;
  if (!CityGet(getCityFileName(), getCity(), &city)) return;
  const DstSetting dst = getDSTstruct();
  const DstSetting* rule = getIsDST() ? &dst : nullptr;
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

  const CityClock clock(city, g, rule, getDSTAutomatic() != 0);
  const ZmanimPlace place = clock.Place(city);
  const SunOptions sun = CurrentSunOptions();
  for (const ZmanimRec& rec : ZmanimRecs) {
    out += translate_perform(ZmanimDisplayName(rec));
    out += ": ";
    const std::optional<double> t = CalculateZmanimMinutes(place, g.day, g.month, g.year, ZmanimExpression(rec), sun);
    std::string shown;
    int hour = 0, minute = 0;
    if (!t || !clock.ShowMinutes(*t, &hour, &minute)) {
      shown = kNoTimeText;
    } else {
      TimeformatFormatTime(hour, minute, &shown);
    }
    out += shown;
    out += '\n';
  }
  // The special days' times of the day, after its zmanim.
  for (const DayTime& t : DayTimes::FromSettings().Of(day)) {
    if (!IsSpecialDayTime(t.kind)) continue;
    out += DayTimeListLabel(t);
    out += ": ";
    out += t.computed ? TimeformatFormatTime(t.time.hour, t.time.minute) : std::string(kNoTimeText);
    out += '\n';
  }
  *text = std::move(out);
}
