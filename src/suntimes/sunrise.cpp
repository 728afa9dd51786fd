#include "suntimes/sunrise.h"

#include <array>
#include <cmath>
#include <cstdlib>

// All intermediate quantities are long double (the x86 80-bit format); the
// trigonometric functions, the square root and the rounding down in timeadj
// work in double on values rounded to double. The constants are the double
// values of their decimal texts. Both choices decide some minutes, so keep
// them as they are.

namespace suntimes::detail {
namespace {

using Real = long double;

// Degrees to radians and back, as the almanac rounds them.
constexpr Real kRadPerDeg = 0.01745;
constexpr Real kDegPerRad = 57.29578;

// Entry m is one more than the days before month m in a common year
// (index 0 and 13 are not used): March gives 60, so 1 March is day 61.
constexpr std::array<int, 14> monCount = {0, 1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};

// Ordinary sunrise and sunset: the sun's centre 90 deg 50 min from the zenith
// (refraction and the sun's radius).
constexpr int kSunsetZenithDegrees = 90;
constexpr int kSunsetZenithMinutes = 50;

// The almanac's constants (see M, L, adj and the declination).
constexpr Real kAnomalyPerDay = 0.9856;         // degrees of mean anomaly per day
constexpr Real kAnomalyOffset = 3.251;          // degrees
constexpr Real kCentre1 = 1.916;                // equation of the centre, degrees
constexpr Real kCentre2 = 0.020;                // second term, degrees
constexpr Real kCentre2RadPerDeg = 0.0349;      // 2 * kRadPerDeg, as rounded
constexpr Real kPerihelionLongitude = 282.565;  // degrees
constexpr Real kRaFactor = 0.91746;             // cosine of the obliquity
constexpr Real kSinObliquity = 0.39782;
constexpr Real kTimePerDay = -0.06571;  // hours per day
constexpr Real kTimeOffset = 6.62;      // hours

// Beyond this many hours a result is meaningless (and would not fit an int).
constexpr Real kMaxHours = 1.0e6;

double Sin(Real deg) { return std::sin(static_cast<double>(kRadPerDeg * deg)); }
double Cos(Real deg) { return std::cos(static_cast<double>(kRadPerDeg * deg)); }
double Tan(Real deg) { return std::tan(static_cast<double>(kRadPerDeg * deg)); }

Real todec(Real degrees, Real minutes) { return degrees + minutes / 60; }

// Mean anomaly in degrees at day count t.
Real M(Real t) { return kAnomalyPerDay * t - kAnomalyOffset; }

// True longitude in degrees (not reduced to 0..360).
Real L(Real m) {
  return m + kCentre1 * Sin(m) + kCentre2 * std::sin(static_cast<double>(kCentre2RadPerDeg * m)) + kPerihelionLongitude;
}

// Local mean time correction in hours.
Real adj(Real t) { return kTimePerDay * t - kTimeOffset; }

Real float_abs(Real x) { return x >= 0 ? x : -x; }

// Right ascension in degrees, in the quadrant of the true longitude.
Real RightAscensionDeg(Real trueLongitude) {
  Real ra = kDegPerRad * std::atan(static_cast<double>(kRaFactor * Tan(trueLongitude)));
  if (float_abs(ra + 360 - trueLongitude) > 90) ra += 180;
  if (ra > 360) ra -= 360;
  return ra;
}

struct Place {
  Real cosZenith;
  Real lngHour;  // longitude in hours, positive towards the west
  Real sinLat;
  Real cosLat;
};

// Local hour angle in degrees at approximate time t, or false when the sun
// does not reach the zenith distance that day. Also yields the right
// ascension.
bool HourAngleDeg(const Place& p, Real t, Real* hourAngle, Real* rightAscension) {
  const Real trueLongitude = L(M(t));
  *rightAscension = RightAscensionDeg(trueLongitude);
  const Real sinDecl = kSinObliquity * Sin(trueLongitude);
  const Real cosDecl = std::sqrt(static_cast<double>(1 - sinDecl * sinDecl));
  const Real cosH = (p.cosZenith - sinDecl * p.sinLat) / (cosDecl * p.cosLat);
  // A NaN (a pole, a degenerate place) fails this test as well.
  if (!(float_abs(cosH) <= 1)) return false;
  *hourAngle = kDegPerRad * std::acos(static_cast<double>(cosH));
  return true;
}

}  // namespace

int leap(int year) { return (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)) ? 1 : 0; }

int doy(int day, int month, int year) {
  return monCount[static_cast<size_t>(month)] + day + ((month > 2 && leap(year)) ? 1 : 0);
}

void timeadj(int* hour, int* minute, Real t) {
  if (t < 0) t += 24;
  *hour = static_cast<int>(std::floor(static_cast<double>(t)));
  *minute = static_cast<int>(std::floor(static_cast<double>((t - *hour) * 60 + 0.5L)));
  if (*minute > 59) {
    *hour += 1;
    *minute -= 60;
  }
  if (*hour > 24) *hour -= 24;
}

void DepressionZenith(Real degrees, int* zenithDegrees, int* zenithMinutes) {
  // The sum is exact in extended precision, so a depression stored slightly
  // below its decimal text loses a minute.
  const Real z = degrees + 90;
  *zenithDegrees = static_cast<int>(z);
  *zenithMinutes = static_cast<int>((z - *zenithDegrees) * 60);
}

namespace {

// What the almanac method works out for a day: it depends on the day of the
// year, not on the year, so a range of years asks the same questions again
// and again. The last answers are kept, each with the whole question.
struct SunQuestion {
  int n, zenithDegrees, zenithMinutes, lonDegrees, lonMinutes, lonEast, latDegrees, latMinutes, latSouth, zone;
  bool operator==(const SunQuestion& o) const {
    return n == o.n && zenithDegrees == o.zenithDegrees && zenithMinutes == o.zenithMinutes &&
           lonDegrees == o.lonDegrees && lonMinutes == o.lonMinutes && lonEast == o.lonEast &&
           latDegrees == o.latDegrees && latMinutes == o.latMinutes && latSouth == o.latSouth && zone == o.zone;
  }
};

struct SunAnswer {
  Real rise = 0;
  Real set = 0;
  Real setNear = 0;  // mean noon plus the evening's hour angle, local hours
  int result = 0;
};

SunAnswer Work(const SunQuestion& q) {
  Place p{};
  p.cosZenith = Cos(todec(q.zenithDegrees, q.zenithMinutes));
  p.lngHour = (q.lonEast ? -1 : 1) * todec(q.lonDegrees, q.lonMinutes) / 15;
  const Real latitudeDeg = (q.latSouth ? -1 : 1) * todec(q.latDegrees, q.latMinutes);
  p.cosLat = Cos(latitudeDeg);
  p.sinLat = Sin(latitudeDeg);

  const Real tRise = q.n + (p.lngHour + 6) / 24;
  const Real tSet = q.n + (p.lngHour + 18) / 24;
  Real hRise = 0, raRise = 0, hSet = 0, raSet = 0;
  // Both events are always worked out; either failing fails the day.
  const bool riseOk = HourAngleDeg(p, tRise, &hRise, &raRise);
  const bool setOk = HourAngleDeg(p, tSet, &hSet, &raSet);

  const Real utRise = (360 - hRise) / 15 + raRise / 15 + adj(tRise) + p.lngHour;
  const Real utSet = hSet / 15 + raSet / 15 + adj(tSet) + p.lngHour;
  SunAnswer a;
  a.rise = utRise + q.zone;
  a.set = utSet + q.zone;
  // The right ascension leaves the time open by half days; the evening's
  // crossing lies its hour angle after mean noon (within the equation of
  // time), which tells the half day.
  a.setNear = 12 + p.lngHour + q.zone + hSet / 15;
  a.result = (float_abs(a.rise) < kMaxHours && float_abs(a.set) < kMaxHours && riseOk && setOk) ? 1 : 0;
  return a;
}

}  // namespace

int suntime(int day, int month, int year, int zenithDegrees, int zenithMinutes, int lonDegrees, int lonMinutes,
            int lonEast, int latDegrees, int latMinutes, int latSouth, int zone, Real* rise, Real* set, Real* setNear) {
  const SunQuestion q{doy(day, month, year), zenithDegrees, zenithMinutes, lonDegrees, lonMinutes, lonEast,
                      latDegrees, latMinutes, latSouth, zone};
  struct Slot {
    bool used = false;
    SunQuestion question{};
    SunAnswer answer;
  };
  thread_local std::array<Slot, 1024> kept{};
  const size_t index = (static_cast<size_t>(q.n) * 7 + static_cast<size_t>(q.zenithDegrees) * 131 +
                        static_cast<size_t>(q.zenithMinutes) * 17) %
                       kept.size();
  Slot& slot = kept[index];
  if (!slot.used || !(slot.question == q)) {
    slot.used = true;
    slot.question = q;
    slot.answer = Work(q);
  }
  if (rise) *rise = slot.answer.rise;
  *set = slot.answer.set;
  if (setNear) *setNear = slot.answer.setNear;
  return slot.answer.result;
}

}  // namespace suntimes::detail

namespace {

using suntimes::detail::DepressionZenith;
using suntimes::detail::kSunsetZenithDegrees;
using suntimes::detail::kSunsetZenithMinutes;
using suntimes::detail::suntime;
using suntimes::detail::timeadj;

// A packed coordinate split into whole degrees and minutes plus its sign.
struct Split {
  int degrees;
  int minutes;
};

Split SplitPacked(int packed) { return {std::abs(packed / 100), std::abs(packed % 100)}; }

bool ValidDate(int day, int month) { return month >= 1 && month <= 12 && day >= -1000 && day <= 1000; }

// The hour of hour:minute moved by whole half days to lie nearest `near`
// hours: the afternoon for an ordinary sunset, past 24 for one after
// midnight.
int NearestHalfDay(int hour, int minute, long double near) {
  const long double t = hour + minute / 60.0L;
  const long double halfDays = std::floor((near - t) / 12 + 0.5L);
  if (!(std::fabs(halfDays) < 1000)) return hour;
  return hour + 12 * static_cast<int>(halfDays);
}

}  // namespace

int GetSunriseAndSunset(int day, int month, int year, int latitude, int longitude, int zone, int* riseHour,
                        int* riseMinute, int* setHour, int* setMinute) {
  if (!ValidDate(day, month)) return 0;
  const Split lat = SplitPacked(latitude);
  const Split lon = SplitPacked(longitude);
  long double rise = 0, set = 0, setNear = 0;
  if (!suntime(day, month, year, kSunsetZenithDegrees, kSunsetZenithMinutes, lon.degrees, lon.minutes, longitude >= 0,
               lat.degrees, lat.minutes, latitude < 0, zone, &rise, &set, &setNear))
    return 0;
  timeadj(riseHour, riseMinute, rise);
  timeadj(setHour, setMinute, set);
  // Keep sunrise in the morning even when the zone pushes the computed hour
  // past midnight; sunset in the afternoon, or past 24 after midnight.
  while (*riseHour > 12) *riseHour -= 12;
  *setHour = NearestHalfDay(*setHour, *setMinute, setNear);
  return 1;
}

int GetSunset(int day, int month, int year, int latitude, int longitude, int zone, int* setHour, int* setMinute) {
  if (!ValidDate(day, month)) return 0;
  const Split lat = SplitPacked(latitude);
  const Split lon = SplitPacked(longitude);
  long double set = 0, setNear = 0;
  if (!suntime(day, month, year, kSunsetZenithDegrees, kSunsetZenithMinutes, lon.degrees, lon.minutes, longitude >= 0,
               lat.degrees, lat.minutes, latitude < 0, zone, nullptr, &set, &setNear))
    return 0;
  timeadj(setHour, setMinute, set);
  *setHour = NearestHalfDay(*setHour, *setMinute, setNear);
  return 1;
}

int GetSunsetSunrise(int day, int month, int year, int which, int latitude, int longitude, int zone, int* hour,
                     int* minute) {
  int riseHour = 0, riseMinute = 0, setHour = 0, setMinute = 0;
  if (!GetSunriseAndSunset(day, month, year, latitude, longitude, zone, &riseHour, &riseMinute, &setHour, &setMinute))
    return 0;
  if (which == 1) {
    *hour = riseHour;
    *minute = riseMinute;
  } else if (which == 0) {
    *hour = setHour;
    *minute = setMinute;
  }
  return 1;
}

int GetDegreesBelowHorizon(int day, int month, int year, int latitude, int longitude, int zone, long double degrees,
                           int* hours, int* minutes) {
  int riseHour = 0, riseMinute = 0, setHour = 0, setMinute = 0;
  if (!GetSunriseAndSunset(day, month, year, latitude, longitude, zone, &riseHour, &riseMinute, &setHour, &setMinute))
    return 0;
  return suntimes::detail::DegreesBelowHorizonAfterSunset(setHour * 60 + setMinute, day, month, year, latitude,
                                                          longitude, zone, degrees, hours, minutes);
}

int suntimes::detail::DegreesBelowHorizonAfterSunset(int sunset, int day, int month, int year, int latitude,
                                                     int longitude, int zone, long double degrees, int* hours,
                                                     int* minutes) {
  if (!ValidDate(day, month)) return 0;
  // The sun never stands more than 90 degrees below (or above) the horizon;
  // such a request also could not be turned into whole degrees safely.
  if (!(degrees >= -90 && degrees <= 90)) return 0;
  const Split lat = SplitPacked(latitude);
  const Split lon = SplitPacked(longitude);
  int zenithDegrees = 0, zenithMinutes = 0;
  DepressionZenith(degrees, &zenithDegrees, &zenithMinutes);
  long double set = 0, setNear = 0;
  if (!suntime(day, month, year, zenithDegrees, zenithMinutes, lon.degrees, lon.minutes, longitude >= 0, lat.degrees,
               lat.minutes, latitude < 0, zone, nullptr, &set, &setNear))
    return 0;
  int h = 0, m = 0;
  timeadj(&h, &m, set);
  h = NearestHalfDay(h, m, setNear);  // as sunset
  const int d = (h * 60 + m) - sunset;
  *hours = d / 60;
  *minutes = d % 60;
  return 1;
}
