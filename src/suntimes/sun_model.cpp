#include "suntimes/sun_model.h"

#include "suntimes/noaa_sun.h"
#include "suntimes/sunrise.h"

namespace {

// Why the sun does not reach the depression (or, without one, the horizon of
// sunrise and sunset) on the day, by the declination at noon. Where that
// finds a crossing (the classic almanac differs near the limit) the season
// decides: in summer the sun stays up.
MissingTime SunMissing(const ZmanimPlace& place, int day, int month, int year, std::optional<double> depression) {
  using suntimes::noaa::SunStays;
  const double latitude = suntimes::noaa::DegreesFromPacked(place.latitude);
  const suntimes::noaa::SolarDay solar(year, month, day, suntimes::noaa::DegreesFromPacked(place.longitude),
                                       place.zone * 3600.0);
  const double declination = solar.NoonDeclinationDeg();
  const double zenith =
      depression ? suntimes::noaa::DepressionZenithDeg(*depression) : suntimes::noaa::kSunriseZenithDeg;
  SunStays stays = suntimes::noaa::SunStaysAt(latitude, declination, zenith);
  if (stays == SunStays::kCrosses)
    stays = (latitude >= 0) == (declination >= 0) ? SunStays::kNearer : SunStays::kFarther;
  MissingTime missing;
  if (depression) {
    missing.reason = stays == SunStays::kNearer ? NoTimeReason::kSunStaysAbove : NoTimeReason::kSunStaysBelow;
    missing.degrees = *depression;
  } else {
    missing.reason = stays == SunStays::kNearer ? NoTimeReason::kSunDoesNotSet : NoTimeReason::kSunDoesNotRise;
  }
  return missing;
}

}  // namespace

void ClassicSun::Compute() const {
  if (computed_) return;
  computed_ = true;
  int riseHour = 0, riseMinute = 0, setHour = 0, setMinute = 0;
  exists_ = GetSunriseAndSunset(day_, month_, year_, place_.latitude, place_.longitude, place_.zone, &riseHour,
                                &riseMinute, &setHour, &setMinute) == 1;
  sunrise_ = riseHour * 60 + riseMinute;
  sunset_ = setHour * 60 + setMinute;
}

std::optional<double> ClassicSun::Sunrise() const {
  Compute();
  return exists_ ? std::optional<double>(sunrise_) : std::nullopt;
}

std::optional<double> ClassicSun::Sunset() const {
  // Candle lighting and havdalah ask for the evening alone.
  if (!computed_) {
    int setHour = 0, setMinute = 0;
    if (!GetSunset(day_, month_, year_, place_.latitude, place_.longitude, place_.zone, &setHour, &setMinute))
      return std::nullopt;
    return setHour * 60 + setMinute;
  }
  return exists_ ? std::optional<double>(sunset_) : std::nullopt;
}

std::optional<double> ClassicSun::DepressionInterval(double degrees, bool /*morning*/) const {
  const std::optional<double> sunset = Sunset();
  int hours = 0, minutes = 0;
  if (!sunset || !suntimes::detail::DegreesBelowHorizonAfterSunset(static_cast<int>(*sunset), day_, month_, year_, place_.latitude,
                                                                     place_.longitude, place_.zone, degrees, &hours,
                                                                     &minutes))
    return std::nullopt;
  if (hours < 0 || minutes < 0) return std::nullopt;
  return hours * 60 + minutes;
}

std::optional<double> ClassicSun::DepressionMoment(double degrees, bool morning) const {
  const std::optional<double> interval = DepressionInterval(degrees, morning);
  const std::optional<double> edge = morning ? Sunrise() : Sunset();
  if (!interval || !edge) return std::nullopt;
  return morning ? *edge - *interval : *edge + *interval;
}

MissingTime ClassicSun::WhyMissing(std::optional<double> depression, bool /*moment*/) const {
  // Every depression is counted from sunset here.
  return SunMissing(place_, day_, month_, year_, Sunset() ? depression : std::nullopt);
}

// The sun of one day at one place: sunrise and sunset in minutes after
// standard midnight of the zone.
class PreciseSun::Day {
 public:
  Day(const ZmanimPlace& place, int day, int month, int year, bool elevation)
      : latitudeDeg_(suntimes::noaa::DegreesFromPacked(place.latitude)),
        zoneMinutes_(place.zone * 60.0),
        solar_(year, month, day, suntimes::noaa::DegreesFromPacked(place.longitude), place.zone * 3600.0) {
    const suntimes::noaa::SunEvents sun = solar_.SunriseSunset(latitudeDeg_, elevation ? place.elevationMetres : 0.0);
    // As in the classic calculation, a day needs both to have either.
    if (sun.morning && sun.evening) {
      sunrise = Local(*sun.morning);
      sunset = Local(*sun.evening);
    }
  }

  std::optional<double> DepressionInterval(double degrees, bool morning) const {
    if (!sunrise) return std::nullopt;
    const suntimes::noaa::SunEvents at = solar_.Depression(latitudeDeg_, degrees);
    const std::optional<double>& event = morning ? at.morning : at.evening;
    if (!event) return std::nullopt;
    const double interval = morning ? *sunrise - Local(*event) : Local(*event) - *sunset;
    if (!(interval >= 0)) return std::nullopt;
    return interval;
  }

  std::optional<double> DepressionMoment(double degrees, bool morning) const {
    // On a day with sunrise and sunset the moment is worked out as the sum
    // it stands for, as it always was.
    if (sunrise) {
      const std::optional<double> interval = DepressionInterval(degrees, morning);
      if (!interval) return std::nullopt;
      return morning ? *sunrise - *interval : *sunset + *interval;
    }
    const suntimes::noaa::SunEvents at = solar_.Depression(latitudeDeg_, degrees);
    const std::optional<double>& event = morning ? at.morning : at.evening;
    if (!event) return std::nullopt;
    return Local(*event);
  }

  std::optional<double> sunrise, sunset;

 private:
  // Seconds after 0h UTC to minutes after standard midnight.
  double Local(double utcSeconds) const { return utcSeconds / 60.0 + zoneMinutes_; }

  double latitudeDeg_;
  double zoneMinutes_;
  suntimes::noaa::SolarDay solar_;
};

// The day last asked for on this thread: a day's zmanim list evaluates many
// expressions for one place and date.
const PreciseSun::Day& PreciseSun::day() const {
  struct Key {
    int latitude, longitude, zone, day, month, year;
    double elevationMetres;
    bool operator==(const Key& o) const {
      return latitude == o.latitude && longitude == o.longitude && zone == o.zone && day == o.day &&
             month == o.month && year == o.year && elevationMetres == o.elevationMetres;
    }
  };
  // Only the elevation that is used tells days apart.
  const Key key{place_.latitude, place_.longitude, place_.zone, day_, month_, year_,
                elevation_ ? place_.elevationMetres : 0.0};
  thread_local std::optional<Key> lastKey;
  thread_local std::optional<Day> last;
  if (!last || !(*lastKey == key)) {
    last.emplace(place_, day_, month_, year_, elevation_);
    lastKey = key;
  }
  return *last;
}

std::optional<double> PreciseSun::Sunrise() const { return day().sunrise; }
std::optional<double> PreciseSun::Sunset() const { return day().sunset; }
std::optional<double> PreciseSun::DepressionInterval(double degrees, bool morning) const {
  return day().DepressionInterval(degrees, morning);
}
std::optional<double> PreciseSun::DepressionMoment(double degrees, bool morning) const {
  return day().DepressionMoment(degrees, morning);
}

MissingTime PreciseSun::WhyMissing(std::optional<double> depression, bool moment) const {
  // An interval from a sunrise or sunset that does not happen has none.
  const bool bySunriseSunset = !day().sunrise && !moment;
  return SunMissing(place_, day_, month_, year_, bySunriseSunset ? std::nullopt : depression);
}
