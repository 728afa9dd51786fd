#include "suntimes/noaa_sun.h"

#include <cmath>

namespace suntimes::noaa {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadPerDeg = kPi / 180.0;
constexpr double kDegPerRad = 180.0 / kPi;

constexpr double kMinutesPerDay = 24.0 * 60.0;
constexpr double kMinutesPerHalfDay = kMinutesPerDay / 2.0;
// The Earth turns one degree in four minutes.
constexpr double kMinutesPerDegree = kMinutesPerDay / 360.0;

// Iteration of an event time: stop when it moves less than this (0.6 ms),
// or after this many passes (a few suffice; near the polar limit, where the
// hour angle changes fastest with the declination, a few more).
constexpr double kConvergedMinutes = 1.0e-5;
constexpr int kMaxPasses = 12;

// cos(latitude) * cos(declination) below this: a pole, where the sun moves
// parallel to the horizon and has no hour angle of rising.
constexpr double kMinCosProduct = 1.0e-12;

// Seconds beyond which RoundSecondsToMinute clamps (2e9 minutes).
constexpr double kMaxRoundedSeconds = 1.2e11;

double SinDeg(double deg) { return std::sin(deg * kRadPerDeg); }
double CosDeg(double deg) { return std::cos(deg * kRadPerDeg); }

// Degrees reduced to [0, 360).
double Reduce360(double deg) {
  const double r = std::fmod(deg, 360.0);
  return r < 0 ? r + 360.0 : r;
}

// Longitude of the Moon's ascending node, degrees: drives the nutation terms
// of the apparent longitude and of the obliquity.
double MoonNodeLongitudeDeg(double t) { return 125.04 - 1934.136 * t; }

// Minutes after 0h UTC of a Julian day at 0h UTC, as Julian centuries.
double CenturyAt(double julianDay0h, double minutes) { return JulianCentury(julianDay0h + minutes / kMinutesPerDay); }

// Mean noon at a longitude, minutes after 0h UTC: 12:00 at Greenwich, four
// minutes earlier for each degree east.
double MeanNoonMinutes(double longitudeDeg) { return kMinutesPerHalfDay - kMinutesPerDegree * longitudeDeg; }

// The time of a crossing, minutes after 0h UTC, for an hour angle and the
// equation of time, around `meanNoonMinutes`.
double CrossingMinutes(double meanNoonMinutes, double hourAngleDeg, double equationOfTimeMinutes, bool morning) {
  const double offset = kMinutesPerDegree * hourAngleDeg;
  return (morning ? meanNoonMinutes - offset : meanNoonMinutes + offset) - equationOfTimeMinutes;
}

// The parts of the hour-angle equation that do not change while a crossing
// is refined: cos H = (cos z - sin(lat) sin(decl)) / (cos(lat) cos(decl)).
struct HourAngleTerms {
  double cosZenith, sinLat, cosLat;
  HourAngleTerms(double latitudeDeg, double zenithDeg)
      : cosZenith(CosDeg(zenithDeg)), sinLat(SinDeg(latitudeDeg)), cosLat(CosDeg(latitudeDeg)) {}

  std::optional<double> HourAngleDeg(double declinationDeg) const {
    const double decl = declinationDeg * kRadPerDeg;
    const double cosProduct = cosLat * std::cos(decl);
    if (!(cosProduct > kMinCosProduct)) return std::nullopt;
    const double cosH = (cosZenith - sinLat * std::sin(decl)) / cosProduct;
    // A NaN from a non-finite argument fails this test as well.
    if (!(std::fabs(cosH) <= 1.0)) return std::nullopt;
    return std::acos(cosH) * kDegPerRad;
  }
};

// Refines one crossing: `positionAt(minutes)` gives the solar position at a
// time of the day. Starts from the position at mean noon; nullopt when at
// some pass the sun does not reach the zenith distance.
template <typename PositionAt>
std::optional<double> RefineCrossing(double meanNoonMinutes, const HourAngleTerms& terms, bool morning,
                                     const SolarPosition& atNoon, PositionAt positionAt) {
  SolarPosition position = atNoon;
  double minutes = meanNoonMinutes;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    const std::optional<double> hourAngle = terms.HourAngleDeg(position.declinationDeg);
    if (!hourAngle) return std::nullopt;
    const double next = CrossingMinutes(meanNoonMinutes, *hourAngle, position.equationOfTimeMinutes, morning);
    if (!std::isfinite(next)) return std::nullopt;  // a non-finite longitude
    const bool converged = std::fabs(next - minutes) < kConvergedMinutes;
    minutes = next;
    if (converged) break;
    position = positionAt(minutes);
  }
  return minutes * 60.0;
}

}  // namespace

double HorizonDipDeg(double elevationMetres) {
  if (!(elevationMetres > 0) || !std::isfinite(elevationMetres)) return 0.0;
  return std::acos(kEarthRadiusMetres / (kEarthRadiusMetres + elevationMetres)) * kDegPerRad;
}

double SunriseZenithDeg(double elevationMetres) { return kSunriseZenithDeg + HorizonDipDeg(elevationMetres); }

double GeomMeanLongitudeSunDeg(double t) { return Reduce360(280.46646 + t * (36000.76983 + t * 0.0003032)); }

double GeomMeanAnomalySunDeg(double t) { return 357.52911 + t * (35999.05029 - 0.0001537 * t); }

double EarthOrbitEccentricity(double t) { return 0.016708634 - t * (0.000042037 + 0.0000001267 * t); }

double SunEquationOfCentreDeg(double t) {
  const double m = GeomMeanAnomalySunDeg(t);
  return SinDeg(m) * (1.914602 - t * (0.004817 + 0.000014 * t)) + SinDeg(2 * m) * (0.019993 - 0.000101 * t) +
         SinDeg(3 * m) * 0.000289;
}

double SunTrueLongitudeDeg(double t) { return GeomMeanLongitudeSunDeg(t) + SunEquationOfCentreDeg(t); }

double SunApparentLongitudeDeg(double t) {
  return SunTrueLongitudeDeg(t) - 0.00569 - 0.00478 * SinDeg(MoonNodeLongitudeDeg(t));
}

double MeanObliquityOfEclipticDeg(double t) {
  // 23 deg 26 min 21.448 sec - 46.8150" T - 0.00059" T^2 + 0.001813" T^3
  const double seconds = 21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813));
  return 23.0 + (26.0 + seconds / 60.0) / 60.0;
}

double CorrectedObliquityDeg(double t) {
  return MeanObliquityOfEclipticDeg(t) + 0.00256 * CosDeg(MoonNodeLongitudeDeg(t));
}

double SunDeclinationDeg(double t) {
  return std::asin(SinDeg(CorrectedObliquityDeg(t)) * SinDeg(SunApparentLongitudeDeg(t))) * kDegPerRad;
}

double EquationOfTimeMinutes(double t) {
  const double l0 = GeomMeanLongitudeSunDeg(t) * kRadPerDeg;
  const double m = GeomMeanAnomalySunDeg(t) * kRadPerDeg;
  const double e = EarthOrbitEccentricity(t);
  const double halfObliquity = CorrectedObliquityDeg(t) * kRadPerDeg / 2.0;
  const double y = std::tan(halfObliquity) * std::tan(halfObliquity);
  const double sinM = std::sin(m);
  const double radians = y * std::sin(2 * l0) - 2 * e * sinM + 4 * e * y * sinM * std::cos(2 * l0) -
                         0.5 * y * y * std::sin(4 * l0) - 1.25 * e * e * std::sin(2 * m);
  return radians * kDegPerRad * kMinutesPerDegree;
}

SolarPosition SolarPositionAt(double t) { return {SunDeclinationDeg(t), EquationOfTimeMinutes(t)}; }

std::optional<double> HourAngleDeg(double latitudeDeg, double declinationDeg, double zenithDeg) {
  return HourAngleTerms(latitudeDeg, zenithDeg).HourAngleDeg(declinationDeg);
}

SunStays SunStaysAt(double latitudeDeg, double declinationDeg, double zenithDeg) {
  // cos H = numerator / product outside [-1, 1], compared without dividing
  // so that the poles (product 0) are answered too.
  const double numerator = CosDeg(zenithDeg) - SinDeg(latitudeDeg) * SinDeg(declinationDeg);
  const double product = CosDeg(latitudeDeg) * CosDeg(declinationDeg);
  if (numerator > product) return SunStays::kFarther;
  if (numerator < -product) return SunStays::kNearer;
  return SunStays::kCrosses;
}

SunEvents SunEventsUtc(int year, int month, int day, double latitudeDeg, double longitudeDeg, double zenithDeg) {
  const double jd0 = JulianDayAt0hUtc(year, month, day);
  const double noon = MeanNoonMinutes(longitudeDeg);
  const SolarPosition atNoon = SolarPositionAt(CenturyAt(jd0, noon));
  const auto positionAt = [jd0](double minutes) { return SolarPositionAt(CenturyAt(jd0, minutes)); };
  const HourAngleTerms terms(latitudeDeg, zenithDeg);
  return {RefineCrossing(noon, terms, true, atNoon, positionAt),
          RefineCrossing(noon, terms, false, atNoon, positionAt)};
}

SolarDay::SolarDay(int year, int month, int day, double longitudeDeg) { Init(year, month, day, longitudeDeg, 0); }

SolarDay::SolarDay(int year, int month, int day, double longitudeDeg, double utcOffsetSeconds) {
  // Whole days between mean noon at the longitude and noon of the clock.
  const double clockNoon = kMinutesPerHalfDay - utcOffsetSeconds / 60.0;
  const double days = (clockNoon - MeanNoonMinutes(longitudeDeg)) / kMinutesPerDay;
  const int dayShift = std::isfinite(days) && std::fabs(days) < 2 ? static_cast<int>(std::lround(days)) : 0;
  Init(year, month, day, longitudeDeg, dayShift);
}

void SolarDay::Init(int year, int month, int day, double longitudeDeg, int dayShift) {
  meanNoonMinutes_ = MeanNoonMinutes(longitudeDeg) + dayShift * kMinutesPerDay;
  const double jd0 = JulianDayAt0hUtc(year, month, day);
  for (int i = 0; i < 3; ++i)
    nodes_[i] = SolarPositionAt(CenturyAt(jd0, meanNoonMinutes_ + (i - 1) * kMinutesPerHalfDay));
}

SolarPosition SolarDay::At(double minutes) const {
  // Lagrange through the nodes at u = -1, 0, 1.
  const double u = (minutes - meanNoonMinutes_) / kMinutesPerHalfDay;
  const auto quadratic = [u](double f0, double f1, double f2) {
    return f1 + u * (f2 - f0) / 2.0 + u * u * (f2 - 2.0 * f1 + f0) / 2.0;
  };
  return {quadratic(nodes_[0].declinationDeg, nodes_[1].declinationDeg, nodes_[2].declinationDeg),
          quadratic(nodes_[0].equationOfTimeMinutes, nodes_[1].equationOfTimeMinutes, nodes_[2].equationOfTimeMinutes)};
}

SunEvents SolarDay::Events(double latitudeDeg, double zenithDeg) const {
  const auto positionAt = [this](double minutes) { return At(minutes); };
  const HourAngleTerms terms(latitudeDeg, zenithDeg);
  return {RefineCrossing(meanNoonMinutes_, terms, true, nodes_[1], positionAt),
          RefineCrossing(meanNoonMinutes_, terms, false, nodes_[1], positionAt)};
}

double SolarDay::NoonUtcSeconds() const {
  double minutes = meanNoonMinutes_ - nodes_[1].equationOfTimeMinutes;
  for (int pass = 0; pass < 3; ++pass) minutes = meanNoonMinutes_ - At(minutes).equationOfTimeMinutes;
  return minutes * 60.0;
}

int RoundSecondsToMinute(double seconds) {
  if (std::isnan(seconds)) return 0;
  if (seconds > kMaxRoundedSeconds) seconds = kMaxRoundedSeconds;
  if (seconds < -kMaxRoundedSeconds) seconds = -kMaxRoundedSeconds;
  return static_cast<int>(std::floor(seconds / 60.0 + 0.5));
}

}  // namespace suntimes::noaa
