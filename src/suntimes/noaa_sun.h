// The precise sun: the solar position equations of the NOAA solar
// calculator (the low-precision solar theory of Meeus's "Astronomical
// Algorithms", chapters 7, 22, 25 and 28), evaluated in double precision and
// in seconds, and the times at which the sun's centre reaches a given zenith
// distance in the morning and in the evening.
//
// Everything here is a pure function of its arguments: no settings, no time
// zones, no rounding. Times are seconds after 0h UTC of the civil date asked
// for; they may be negative or beyond 86400 (sunrise in Auckland falls on
// the previous UTC day). Rounding to the minute is the caller's job
// (RoundSecondsToMinute).
//
// Angles are decimal degrees, north and east positive. The program's packed
// places (degrees * 100 + minutes) convert with DegreesFromPacked.
#pragma once

#include <array>
#include <optional>

namespace suntimes::noaa {

// ---- Zenith distances, in degrees ----------------------------------------

// The sun's centre on the mathematical horizon.
inline constexpr double kGeometricZenithDeg = 90.0;
// Refraction at the horizon (34') and the sun's semidiameter (16'): the
// upper limb appears on the horizon when the centre is 90 deg 50 min from
// the zenith.
inline constexpr double kHorizonRefractionDeg = 34.0 / 60.0;
inline constexpr double kSolarSemidiameterDeg = 16.0 / 60.0;
inline constexpr double kSunriseZenithDeg = kGeometricZenithDeg + kHorizonRefractionDeg + kSolarSemidiameterDeg;
// Mean radius of the Earth used for the dip of the horizon.
inline constexpr double kEarthRadiusMetres = 6371000.0;

// Decimal degrees of a packed place: sign * (degrees + minutes / 60), so
// 4853 gives 48.8833 (48 deg 53 min N), -7400 gives -74 and -30 gives -0.5.
constexpr double DegreesFromPacked(int packed) {
  const long long magnitude = packed < 0 ? -static_cast<long long>(packed) : packed;
  const double degrees = static_cast<double>(magnitude / 100) + static_cast<double>(magnitude % 100) / 60.0;
  return packed < 0 ? -degrees : degrees;
}

// Zenith distance of the sun's centre `depressionDeg` below the geometric
// horizon (no refraction, no semidiameter): 16.1 gives 106.1.
constexpr double DepressionZenithDeg(double depressionDeg) { return kGeometricZenithDeg + depressionDeg; }

// Dip of the sea horizon for an eye `elevationMetres` above it, in degrees:
// acos(R / (R + h)) with R = kEarthRadiusMetres (no terrestrial refraction).
// About 0.0293 * sqrt(h) degrees: 0.91 deg at 800 m. A negative, zero or
// non-finite elevation gives 0.
double HorizonDipDeg(double elevationMetres);

// Zenith distance of sunrise and sunset seen from `elevationMetres`:
// kSunriseZenithDeg plus the dip (90.8333 at sea level).
double SunriseZenithDeg(double elevationMetres);

// ---- The solar position, step by step ------------------------------------
// t is Julian centuries of 36525 days from J2000.0 (JD 2451545.0), with UT
// used for dynamical time as the NOAA calculator does.

// Julian day at 0h UTC of a Gregorian date (any year from 1 on; 1 January
// 2000 gives 2451544.5).
constexpr double JulianDayAt0hUtc(int year, int month, int day) {
  // January and February count as months 13 and 14 of the year before.
  long long y = year, m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  const long long a = y / 100;
  const long long b = 2 - a + a / 4;
  // floor(365.25 * (y + 4716)) and floor(30.6001 * (m + 1)) in integers.
  const long long yearDays = (1461 * (y + 4716)) / 4;
  const long long monthDays = (306001 * (m + 1)) / 10000;
  return static_cast<double>(yearDays + monthDays + day + b) - 1524.5;
}
static_assert(JulianDayAt0hUtc(2000, 1, 1) == 2451544.5);
static_assert(JulianDayAt0hUtc(1600, 1, 1) == 2305447.5);

// Julian centuries from J2000.0 of a Julian day.
constexpr double JulianCentury(double julianDay) { return (julianDay - 2451545.0) / 36525.0; }

// Geometric mean longitude of the sun, degrees [0, 360).
double GeomMeanLongitudeSunDeg(double t);
// Geometric mean anomaly of the sun, degrees (not reduced).
double GeomMeanAnomalySunDeg(double t);
// Eccentricity of the Earth's orbit (about 0.0167).
double EarthOrbitEccentricity(double t);
// Equation of the centre, degrees [-1.92, 1.92].
double SunEquationOfCentreDeg(double t);
// True longitude of the sun, degrees.
double SunTrueLongitudeDeg(double t);
// Apparent longitude (nutation and aberration applied), degrees.
double SunApparentLongitudeDeg(double t);
// Mean obliquity of the ecliptic, degrees (23.44 now).
double MeanObliquityOfEclipticDeg(double t);
// Obliquity corrected for nutation, degrees.
double CorrectedObliquityDeg(double t);
// Declination of the sun, degrees [-23.45, 23.45].
double SunDeclinationDeg(double t);
// Equation of time (apparent minus mean solar time), minutes [-14.3, 16.5].
double EquationOfTimeMinutes(double t);

// The sun's declination and the equation of time at one instant.
struct SolarPosition {
  double declinationDeg;
  double equationOfTimeMinutes;
};
SolarPosition SolarPositionAt(double t);

// Hour angle, degrees [0, 180], at which the sun's centre stands `zenithDeg`
// from the zenith at a latitude, for a declination; nullopt when the sun
// never reaches that zenith distance (polar day or night, a depression not
// reached), at the poles themselves and for non-finite arguments.
std::optional<double> HourAngleDeg(double latitudeDeg, double declinationDeg, double zenithDeg);

// Where the sun's centre stays on a day of that declination when it does not
// cross `zenithDeg`: nearer the zenith all day (it does not sink so far: a
// polar day, white nights) or farther all day (a polar night).
enum class SunStays : unsigned char { kCrosses, kNearer, kFarther };
SunStays SunStaysAt(double latitudeDeg, double declinationDeg, double zenithDeg);

// ---- Times of one day ----------------------------------------------------

// The day's two crossings of one zenith distance, in seconds after 0h UTC of
// the date; each nullopt when it does not happen.
struct SunEvents {
  std::optional<double> morning;  // rising through the zenith distance
  std::optional<double> evening;  // setting through it
};

// The crossings of `zenithDeg` on a Gregorian date at a place, each found by
// evaluating the solar position at the time of the event and repeating until
// the time moves by less than a millisecond (the published method stops
// after the second pass). The day is the solar day around mean noon at the
// longitude, 12:00 UTC - longitude / 15 hours.
SunEvents SunEventsUtc(int year, int month, int day, double latitudeDeg, double longitudeDeg, double zenithDeg);

// The solar quantities of one day at one longitude, worked out once and
// shared by all the events of that day (sunrise, sunset and any number of
// depressions), which then cost a few trigonometric calls each. The results
// agree with SunEventsUtc within a few milliseconds.
class SolarDay {
 public:
  // The solar day around mean noon at the longitude, as SunEventsUtc.
  SolarDay(int year, int month, int day, double longitudeDeg);
  // The solar day whose noon is nearest to noon of the local clock, for a
  // clock `utcOffsetSeconds` east of UTC on that date. This differs from the
  // constructor above only where the clock is about a day away from the
  // longitude (the Chatham Islands: 12:45 ahead at 176 deg W).
  SolarDay(int year, int month, int day, double longitudeDeg, double utcOffsetSeconds);

  // The crossings of `zenithDeg` at `latitudeDeg`, seconds after 0h UTC of
  // the date given to the constructor.
  SunEvents Events(double latitudeDeg, double zenithDeg) const;
  // Sunrise and sunset seen from `elevationMetres` (0 for sea level).
  SunEvents SunriseSunset(double latitudeDeg, double elevationMetres = 0) const {
    return Events(latitudeDeg, SunriseZenithDeg(elevationMetres));
  }
  // The sun `depressionDeg` below the geometric horizon.
  SunEvents Depression(double latitudeDeg, double depressionDeg) const {
    return Events(latitudeDeg, DepressionZenithDeg(depressionDeg));
  }
  // Solar noon (the sun on the meridian), seconds after 0h UTC of the date.
  double NoonUtcSeconds() const;
  // The declination at mean noon, degrees.
  double NoonDeclinationDeg() const { return nodes_[1].declinationDeg; }

 private:
  void Init(int year, int month, int day, double longitudeDeg, int dayShift);
  // Declination and equation of time, quadratic through the three nodes, at
  // `minutes` after 0h UTC of the date.
  SolarPosition At(double minutes) const;

  double meanNoonMinutes_ = 0;               // middle node, minutes after 0h UTC of the date
  std::array<SolarPosition, 3> nodes_ = {};  // at the middle node - 12 h, at it, + 12 h
};

// Seconds to whole minutes, to the nearest minute with half a minute going
// up: 59.5 s gives 1, -30 s gives 0, -31 s gives -1. Seconds beyond about
// +-1.2e11 (and NaN) are clamped so the result always fits an int.
int RoundSecondsToMinute(double seconds);

}  // namespace suntimes::noaa
