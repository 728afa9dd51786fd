// Local time of a city: how a time from the sun computation becomes the time
// shown, and the UTC instant it stands for.
//
// Two ways, chosen per city and date:
//  - by the city's time zone in the system's time-zone database (zoneinfo,
//    e.g. "America/New_York"), when the "DSTAutomatic" setting is on and the
//    city file names a zone that the database knows: the offset from UTC in
//    force at that instant, daylight saving and odd minutes included, also
//    for past years under the rules of their time;
//  - otherwise by the whole zone hours of the city file and the user's
//    daylight-saving rule (Daylight_Correction), as always.
//
// The database is read through the date/tz library; instants after the last
// transition the zone's file lists follow the rule text at the file's end.
// Zones are looked up once and kept for the life of the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/types.h"
#include "base/choices.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/sun_options.h"

// True when the database knows the zone. An unknown name is reported once
// on standard error.
bool TimeZoneIsKnown(std::string_view zoneName);
// The database's own name of a zone, resolving old names kept as links
// ("US/Eastern" is "America/New_York"); empty when the database does not
// know the name (reported once on standard error, as TimeZoneIsKnown).
std::string CanonicalTimeZoneName(std::string_view zoneName);
// The festivals of a city are kept as in the Land of Israel when its zone is
// Israel's (Asia/Jerusalem, or an old name of it), else as in the Diaspora.
bool CityKeepsIsraelRules(const CityRec& city);
// How many names, known or not, the look-ups keep; bounded however many
// different names are looked up.
size_t TimeZonesRemembered();

// Seconds since 1970-01-01 00:00 UTC of `minutes` after midnight of the
// Gregorian date in a zone `offsetSeconds` east of Greenwich.
int64_t UtcSecondsOf(const GregorianDate& date, int minutes, int offsetSeconds);

namespace suntimes::detail {
struct Zone;
}  // namespace suntimes::detail

// The clock of one city on one date.
class CityClock {
 public:
  // `rule` is the daylight-saving rule, null when daylight saving is not
  // considered; `automatic` the DSTAutomatic setting.
  CityClock(const CityRec& city, const GregorianDate& date, const DstSetting* rule, bool automatic);

  // The zone hours the sun computation works in (CalculateZmanim's zone):
  // the city file's; only when the database's offset at noon of the date
  // lies more than three hours from them (a zone that moved across the date
  // line, a wrong GMT field) that offset in whole hours, truncated toward
  // zero. The shown time does not depend on it beyond the sun formulas'
  // handling of times near midnight, which is best in standard time.
  int zoneHours() const { return zoneHours_; }
  // True when the database gives the offsets.
  bool usesTimeZone() const { return zone_ != nullptr; }

  // `t` minutes after midnight of the date in the zone of zoneHours() (as
  // CalculateZmanim gives it) turned into the hour and minute shown. With
  // the database: the local time rounded to the minute; a time past
  // midnight keeps counting (24:10), one before it is the evening's clock
  // time. Otherwise hour = t / 60 and minute = t % 60, an hour later in the
  // rule's summer time (23:30 becomes 24:30). An hour of 24 or more is a
  // time of the date's evening after midnight (the formatter shows it on the
  // next day's clock). False, writing nothing, when the rule is invalid.
  bool Show(int t, int* hour, int* minute) const;
  // The UTC instant (seconds since 1970) of `t`.
  int64_t UtcSeconds(int t) const;

  // How a time in real minutes becomes a whole minute.
  enum class Rounding {
    kNearest,  // to the nearest minute, half a minute up
    kDown,     // to the minute before: candle lighting is never shown later than it is
    kUp,       // to the minute after: a time from which something is allowed is never shown earlier
  };
  // The same for a time in real minutes (the precise calculation): rounded
  // in the frame of zoneHours() (whole hours, so the shown time and the UTC
  // instant round alike), then shown as Show does. A whole number gives
  // exactly what Show gives.
  bool ShowMinutes(double t, int* hour, int* minute, Rounding rounding = Rounding::kNearest) const;
  // `t` real minutes rounded as ShowMinutes does.
  static int RoundedMinutes(double t, Rounding rounding = Rounding::kNearest);

  // The place of the sun computation for this clock: the city's latitude and
  // longitude, zoneHours() and its elevation.
  ZmanimPlace Place(const CityRec& city) const;

 private:
  GregorianDate date_;
  const DstSetting* rule_;
  suntimes::detail::Zone* zone_ = nullptr;  // kept for the life of the process
  int zoneHours_ = 0;
};
