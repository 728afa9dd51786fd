#include "suntimes/timezone.h"

#include <date/date.h>
#include <date/tz.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_map>

#include "base/diagnostics.h"
#include "base/file_util.h"
#include "suntimes/calc.h"
#include "suntimes/dst.h"
#include "suntimes/noaa_sun.h"
#include "suntimes/posix_tz.h"

#if !USE_OS_TZDB
#error "the date/tz library must read the system's zoneinfo (USE_OS_TZDB)"
#endif

// A zone of the database, with the last period looked up in its table.
struct suntimes::detail::Zone {
  const date::time_zone* tz = nullptr;
  // Instants from here on follow `rule`, the rule text at the file's end.
  int64_t ruleFrom = INT64_MAX;
  PosixTz rule;
  // The span [ruleBegin, ruleEnd) of the rule's last answer, and its offset.
  int64_t ruleBegin = 0;
  int64_t ruleEnd = 0;
  int ruleOffset = 0;
  // The period [periodBegin, periodEnd) of the last table look-up.
  int64_t periodBegin = 0;
  int64_t periodEnd = 0;
  int periodOffset = 0;
};

namespace {

using suntimes::detail::Zone;

constexpr int kSecondsPerHour = 3600;
constexpr int kMinutesPerDay = 24 * 60;
constexpr int64_t kSecondsPerDay = 86400;
// Summer time moves the clocks by two hours at most (wartime double summer
// time, Antarctica/Troll); a city whose zone is further from its file's
// hours has moved (Samoa across the date line) or carries a wrong GMT field.
constexpr int kMaxSummerShift = 3 * kSecondsPerHour;

// Where the date/tz library finds the compiled zone files (it is built to
// read the system's database, not a downloaded copy).
constexpr std::string_view kZoneInfoDir = "/usr/share/zoneinfo";

// The zones looked up so far, by name; null for names the database lacks.
// Zones looked up so far, known or not (see FindZone).
constexpr size_t kMaxRememberedZones = 4096;

std::unordered_map<std::string, std::unique_ptr<Zone>>& Zones() {
  static std::unordered_map<std::string, std::unique_ptr<Zone>> zones;
  return zones;
}

int64_t Seconds(date::sys_seconds t) { return t.time_since_epoch().count(); }
date::sys_seconds SysSeconds(int64_t t) { return date::sys_seconds(std::chrono::seconds(t)); }

// The rule text of a zoneinfo file of version 2 or later: the last line,
// between the last two line feeds. False when there is none.
bool ReadFileRule(const std::string& path, PosixTz* rule) {
  std::string data;
  if (!ReadWholeFile(path, data)) return false;
  if (data.size() < 6 || data.compare(0, 4, "TZif") != 0 || data[4] < '2') return false;
  if (data.back() != '\n') return false;
  const size_t start = data.rfind('\n', data.size() - 2);
  if (start == std::string::npos) return false;
  return PosixTzParse(std::string_view(data).substr(start + 1, data.size() - start - 2), rule);
}

std::unique_ptr<Zone> LoadZone(const std::string& name) {
  auto zone = std::make_unique<Zone>();
  try {
    zone->tz = date::locate_zone(name);
    // The start of the last period of the table: the file's rule takes over
    // there (a fat file lists transitions up to 2037, a slim one fewer).
    const date::sys_info last = zone->tz->get_info(SysSeconds(int64_t{1} << 40));
    PosixTz rule;
    if (ReadFileRule(std::string(kZoneInfoDir) + "/" + name, &rule)) {
      zone->rule = rule;
      zone->ruleFrom = Seconds(last.begin);
    }
  } catch (const std::exception&) {
    // Not in the database, or no database at all.
    return nullptr;
  }
  return zone;
}

// The zone of that name, or null (reported once) when the database does not
// know it.
Zone* FindZone(std::string_view name) {
  // Most callers ask for the same zone day after day: the last zone found is
  // kept with its name (entries with a zone are never erased, so the pointer
  // stays good).
  thread_local std::string lastName;
  thread_local Zone* lastZone = nullptr;
  if (lastZone && name == lastName) return lastZone;
  auto& zones = Zones();
  const std::string key(name);
  auto it = zones.find(key);
  if (it == zones.end()) {
    std::unique_ptr<Zone> zone = TimeZoneNameIsWellFormed(name) ? LoadZone(key) : nullptr;
    if (!zone) {
      DiagWarning("Time zone " + std::string(key.c_str()) +
                  " is not in the system's time-zone database; the daylight-saving rule applies\n");
      // Unknown names are remembered so that each is reported once, but a
      // file full of made-up names must not grow the table without end: past
      // the limit they are forgotten (the database's own zones are few).
      if (zones.size() >= kMaxRememberedZones) {
        for (auto old = zones.begin(); old != zones.end();) old = old->second ? std::next(old) : zones.erase(old);
      }
    }
    it = zones.emplace(key, std::move(zone)).first;
  }
  if (it->second) {
    lastName = key;
    lastZone = it->second.get();
  }
  return it->second.get();
}

// Seconds east of Greenwich in force at `utc`. The library's look-up is
// not expected to fail once the zone is loaded; if it does, UTC is used.
int OffsetAt(Zone& zone, int64_t utc) {
  if (utc >= zone.ruleFrom) {
    if (utc < zone.ruleBegin || utc >= zone.ruleEnd) {
      const PosixTzPeriod period = PosixTzPeriodAt(zone.rule, utc);
      zone.ruleBegin = period.begin;
      zone.ruleEnd = period.end;
      zone.ruleOffset = period.offset;
    }
    return zone.ruleOffset;
  }
  if (utc >= zone.periodBegin && utc < zone.periodEnd) return zone.periodOffset;
  try {
    const date::sys_info info = zone.tz->get_info(SysSeconds(utc));
    zone.periodBegin = Seconds(info.begin);
    zone.periodEnd = Seconds(info.end);
    zone.periodOffset = static_cast<int>(info.offset.count());
  } catch (const std::exception&) {
    return 0;
  }
  return zone.periodOffset;
}

// Rounding division toward minus infinity.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }


}  // namespace

bool TimeZoneIsKnown(std::string_view zoneName) { return FindZone(zoneName) != nullptr; }

bool CityKeepsIsraelRules(const CityRec& city) {
  constexpr std::string_view kIsrael = "Asia/Jerusalem";
  if (city.zoneName == kIsrael) return true;
  // An old name of the zone (Asia/Tel_Aviv) is a link to it.
  return city.zoneName.rfind("Asia/", 0) == 0 && CanonicalTimeZoneName(city.zoneName) == kIsrael;
}

std::string CanonicalTimeZoneName(std::string_view zoneName) {
  if (!FindZone(zoneName)) return {};
  // The database keeps old names as links to the zone's file.
  std::error_code error;
  const std::filesystem::path dir = std::filesystem::canonical(std::string(kZoneInfoDir), error);
  const std::filesystem::path file = std::filesystem::canonical(dir / std::string(zoneName), error);
  if (error) return std::string(zoneName);
  const std::string relative = file.lexically_relative(dir).string();
  if (relative.empty() || relative.rfind("..", 0) == 0 || !FindZone(relative)) return std::string(zoneName);
  return relative;
}

size_t TimeZonesRemembered() { return Zones().size(); }

int64_t UtcSecondsOf(const GregorianDate& date, int minutes, int offsetSeconds) {
  const date::sys_days day = date::year{date.year} / date.month / date.day;
  return day.time_since_epoch().count() * kSecondsPerDay + int64_t{minutes} * 60 - offsetSeconds;
}

CityClock::CityClock(const CityRec& city, const GregorianDate& date, const DstSetting* rule, bool automatic)
    : date_(date), rule_(rule), zoneHours_(city.gmtOffset) {
  if (!automatic || city.zoneName.empty()) return;
  zone_ = FindZone(city.zoneName);
  if (!zone_) return;
  // The sun computation keeps the standard time of the file, as the rule
  // path uses it, unless the zone's offset at noon of the date lies further
  // from it than summer time can explain.
  const int noonOffset = OffsetAt(*zone_, UtcSecondsOf(date, 12 * 60, city.gmtOffset * kSecondsPerHour));
  if (std::abs(noonOffset - city.gmtOffset * kSecondsPerHour) > kMaxSummerShift) zoneHours_ = noonOffset / kSecondsPerHour;
}

int64_t CityClock::UtcSeconds(int t) const { return UtcSecondsOf(date_, t, zoneHours_ * kSecondsPerHour); }

bool CityClock::Show(int t, int* hour, int* minute) const {
  if (!zone_) {
    // The rule's correction in hours (0 or 1). A time it moves past midnight
    // counts on (24:10), one before midnight shows as the evening's clock
    // time, as on the zone path, never as a negative number of minutes.
    int shift = 0;
    int scratch = 0;
    if (!Daylight_Correction(date_.day, date_.month, date_.year, &shift, &scratch, rule_)) return false;
    int64_t local = int64_t{t} + 60 * shift;
    if (local < 0) local -= FloorDiv(local, kMinutesPerDay) * kMinutesPerDay;
    if (local > INT_MAX) local = INT_MAX;
    *hour = static_cast<int>(local / 60);
    *minute = static_cast<int>(local % 60);
    return true;
  }
  const int offset = OffsetAt(*zone_, UtcSeconds(t));
  // Seconds after local midnight of the date, rounded to whole minutes
  // (offsets of local mean time carry seconds).
  const int64_t local = int64_t{t} * 60 - int64_t{zoneHours_} * kSecondsPerHour + offset;
  int64_t m = FloorDiv(local + 30, 60);
  if (m < 0) m += kMinutesPerDay;
  if (m > INT_MAX) m = INT_MAX;
  *hour = static_cast<int>(m / 60);
  *minute = static_cast<int>(m % 60);
  return true;
}

int CityClock::RoundedMinutes(double t, Rounding rounding) {
  if (rounding == Rounding::kNearest) return suntimes::noaa::RoundSecondsToMinute(t * 60.0);
  if (rounding == Rounding::kUp) return suntimes::noaa::RoundSecondsToMinute(std::ceil(t - 1e-8) * 60.0);
  // Down: the nearest-minute rounding of the start of the minute; a time
  // within a microsecond of a whole minute counts as that minute.
  return suntimes::noaa::RoundSecondsToMinute(std::floor(t + 1e-8) * 60.0);
}

bool CityClock::ShowMinutes(double t, int* hour, int* minute, Rounding rounding) const {
  return Show(RoundedMinutes(t, rounding), hour, minute);
}

ZmanimPlace CityClock::Place(const CityRec& city) const {
  ZmanimPlace place;
  place.latitude = city.latitude;
  place.longitude = city.longitude;
  place.zone = zoneHours_;
  place.elevationMetres = city.elevationMetres.value_or(0.0);
  return place;
}
