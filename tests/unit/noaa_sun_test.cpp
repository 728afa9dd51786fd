#include "suntimes/noaa_sun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "suntimes/sunrise.h"

namespace {

using namespace suntimes::noaa;

// ---- Worked values ---------------------------------------------------------

// Julian days of Gregorian dates at 0h UTC, worked examples of chapter 7 of
// Meeus's "Astronomical Algorithms".
TEST(NoaaSun, JulianDayWorkedExamples) {
  const struct {
    int year, month, day;
    double jd;
  } cases[] = {
      {2000, 1, 1, 2451544.5},  // J2000.0 is 1 January 2000, 12h
      {1987, 1, 27, 2446822.5},  {1988, 1, 27, 2447187.5}, {1900, 1, 1, 2415020.5}, {1600, 1, 1, 2305447.5},
      {1600, 12, 31, 2305812.5}, {1957, 10, 4, 2436115.5},  // Sputnik, 4.81 October 1957 = JD 2436116.31
      {1583, 1, 1, 2299238.5},                              // 1582 October 15 is 2299160.5, 78 days earlier
  };
  for (const auto& c : cases)
    EXPECT_EQ(JulianDayAt0hUtc(c.year, c.month, c.day), c.jd) << c.year << "-" << c.month << "-" << c.day;
  EXPECT_EQ(JulianDayAt0hUtc(1582, 10, 15), 2299160.5);
  EXPECT_DOUBLE_EQ(JulianCentury(2451545.0), 0.0);
}

// Meeus, example 25.a: the sun on 1992 October 13.0 (JDE 2448908.5), and the
// equation of time of example 28.b for the same instant.
TEST(NoaaSun, SolarPositionWorkedExample) {
  const double t = JulianCentury(2448908.5);
  EXPECT_NEAR(t, -0.072183436, 1e-9);
  EXPECT_NEAR(GeomMeanLongitudeSunDeg(t), 201.80720, 1e-5);
  EXPECT_NEAR(std::fmod(GeomMeanAnomalySunDeg(t) + 3600.0, 360.0), 278.99397, 1e-5);
  EXPECT_NEAR(EarthOrbitEccentricity(t), 0.016711668, 1e-9);
  EXPECT_NEAR(SunEquationOfCentreDeg(t), -1.89732, 1e-5);
  EXPECT_NEAR(SunTrueLongitudeDeg(t), 199.90988, 1e-5);
  EXPECT_NEAR(SunApparentLongitudeDeg(t), 199.90895, 1e-5);
  EXPECT_NEAR(MeanObliquityOfEclipticDeg(t), 23.0 + 26.0 / 60 + 24.83 / 3600, 1e-5);
  EXPECT_NEAR(CorrectedObliquityDeg(t), 23.43999, 1e-5);
  EXPECT_NEAR(SunDeclinationDeg(t), -7.78507, 1e-5);
  // +13 min 42.7 s (the low-precision series gives 13.711 minutes).
  EXPECT_NEAR(EquationOfTimeMinutes(t), 13.0 + 42.7 / 60, 0.005);
}

TEST(NoaaSun, PackedDegreesRoundingAndDip) {
  const struct {
    int packed;
    double degrees;
  } places[] = {
      {4853, 48.0 + 53.0 / 60},
      {-7400, -74.0},
      {-30, -0.5},
      {30, 0.5},
      {0, 0.0},
      {-3456, -(34 + 56.0 / 60)},
      {9000, 90.0},
      {-17634, -(176 + 34.0 / 60)},
  };
  for (const auto& p : places) EXPECT_DOUBLE_EQ(DegreesFromPacked(p.packed), p.degrees) << p.packed;
  EXPECT_DOUBLE_EQ(DegreesFromPacked(-2147483647 - 1), -(21474836 + 48.0 / 60));

  const struct {
    double seconds;
    int minutes;
  } rounding[] = {
      {0.0, 0},          {29.999, 0}, {30.0, 1},   {59.5, 1},       {89.9, 1},           {-30.0, 0},
      {-30.001, -1},     {-31.0, -1}, {-90.0, -1}, {86399.0, 1440}, {1e300, 2000000000}, {-1e300, -2000000000},
      {std::nan(""), 0},
  };
  for (const auto& r : rounding) EXPECT_EQ(RoundSecondsToMinute(r.seconds), r.minutes) << r.seconds;

  // The navigators' rule for the geometric dip: 1.93 minutes of arc times the
  // square root of the height in metres.
  for (double h : {2.0, 100.0, 800.0, 2850.0})
    EXPECT_NEAR(HorizonDipDeg(h), 1.93 / 60 * std::sqrt(h), 0.005 * 1.93 / 60 * std::sqrt(h)) << h;
  EXPECT_EQ(HorizonDipDeg(0), 0.0);
  EXPECT_EQ(HorizonDipDeg(-50), 0.0);
  EXPECT_EQ(HorizonDipDeg(std::nan("")), 0.0);
  EXPECT_EQ(HorizonDipDeg(INFINITY), 0.0);
  EXPECT_NEAR(SunriseZenithDeg(0), 90.0 + 50.0 / 60, 1e-12);
  EXPECT_DOUBLE_EQ(DepressionZenithDeg(16.1), 106.1);
}

// At the equator on an equinox the sun rises due east: the hour angle of the
// geometric horizon is 90 degrees, and a pole has none.
TEST(NoaaSun, HourAngleLimits) {
  EXPECT_NEAR(*HourAngleDeg(0, 0, 90), 90.0, 1e-12);
  EXPECT_NEAR(*HourAngleDeg(45, 0, 90), 90.0, 1e-12);
  // At 60 N with the declination 20 N the sun culminates 40 degrees from the
  // zenith and passes 100 degrees from it at midnight.
  EXPECT_NEAR(*HourAngleDeg(60, 20, 40.001), 0.0, 0.5);
  EXPECT_NEAR(*HourAngleDeg(60, 20, 99.999), 180.0, 0.5);
  EXPECT_FALSE(HourAngleDeg(60, 20, 39.999));
  EXPECT_FALSE(HourAngleDeg(60, 20, 100.001));
  EXPECT_FALSE(HourAngleDeg(90, 10, 90.8333));
  EXPECT_FALSE(HourAngleDeg(-90, -10, 90.8333));
  EXPECT_FALSE(HourAngleDeg(70, 23.4, 90.8333));   // midnight sun
  EXPECT_FALSE(HourAngleDeg(70, -23.4, 90.8333));  // polar night
  EXPECT_FALSE(HourAngleDeg(std::nan(""), 0, 90));
  // Nonsense places give no time rather than a NaN.
  const double nan = std::nan("");
  for (const auto& [lat, lon] :
       {std::pair{nan, 0.0}, std::pair{45.0, nan}, std::pair{45.0, static_cast<double>(INFINITY)}}) {
    const SunEvents direct = SunEventsUtc(2025, 6, 1, lat, lon, kSunriseZenithDeg);
    const SunEvents shared = SolarDay(2025, 6, 1, lon, nan).SunriseSunset(lat);
    EXPECT_FALSE(direct.morning || direct.evening || shared.morning || shared.evening) << lat << " " << lon;
  }
}

// ---- Against the reference data ---------------------------------------------

struct RefCity {
  std::string name;
  int latitude = 0, longitude = 0, elevation = 0;
};

struct RefDay {
  int city = 0;
  int year = 0, month = 0, day = 0;
  std::array<std::optional<double>, 10> seconds;  // the columns of the file
};

struct Reference {
  std::vector<RefCity> cities;
  std::vector<RefDay> days;
};

// tests/data/sun_reference.tsv, written by scripts/extract-sun-reference.mjs.
Reference ReadReference() {
  Reference ref;
  std::ifstream in(testenv::TestDataDir() + "/sun_reference.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const testdata::Row f = testdata::SplitRow(line, '\t');
    if (f[0] == "city" && f.size() == 7) {
      ref.cities.push_back({f[2], testdata::ToInt(f[3]).value_or(0), testdata::ToInt(f[4]).value_or(0),
                            testdata::ToInt(f[5]).value_or(0)});
      continue;
    }
    const auto city = testdata::ToInt(f[0]);
    const auto date = f.size() == 12 ? testdata::IsoDay(f[1]) : std::nullopt;
    if (!city || !date || *city < 0 || *city >= static_cast<int>(ref.cities.size())) {
      ADD_FAILURE() << "bad reference line: " << line;
      continue;
    }
    RefDay d;
    d.city = *city;
    const GregorianDate g = GregorianFromAbsolute(*date);
    d.year = g.year, d.month = g.month, d.day = g.day;
    for (size_t i = 0; i < d.seconds.size(); ++i) {
      if (f[i + 2] == "-") continue;
      const auto tenths = testdata::ToInt(f[i + 2]);
      if (!tenths) ADD_FAILURE() << "bad time in: " << line;
      if (tenths) d.seconds[i] = *tenths / 10.0;
    }
    ref.days.push_back(d);
  }
  return ref;
}

// The columns of the file: which zenith, which crossing.
struct Column {
  const char* label;
  double depression;  // < 0: sunrise or sunset
  bool elevation;
  bool morning;
};
constexpr std::array<Column, 10> kColumns = {{
    {"sunrise", -1, false, true},
    {"sunset", -1, false, false},
    {"sunrise (elevation)", -1, true, true},
    {"sunset (elevation)", -1, true, false},
    {"morning 16.1", 16.1, false, true},
    {"morning 8.5", 8.5, false, true},
    {"morning 7.083", 7.083, false, true},
    {"evening 7.083", 7.083, false, false},
    {"evening 8.5", 8.5, false, false},
    {"evening 16.1", 16.1, false, false},
}};

// The reference days of one city, for looking up neighbours.
const RefDay* Neighbour(const Reference& ref, size_t index, int step) {
  const size_t other = index + step;
  if (other >= ref.days.size() || ref.days[other].city != ref.days[index].city) return nullptr;
  return &ref.days[other];
}

struct Case {
  double diff;  // seconds, ours - reference
  int city;
  int year, month, day;
};

struct ColumnStats {
  int compared = 0, within30 = 0, roundedEqual = 0;
  int missingOurs = 0, missingTheirs = 0, missingAtBoundary = 0;
  std::vector<double> absDiffs;
  std::vector<Case> worst;
  std::vector<std::string> existence;
};

TEST(NoaaSun, AgreesWithReferenceData) {
  const Reference ref = ReadReference();
  ASSERT_GE(ref.cities.size(), 20u) << "tests/data/sun_reference.tsv missing or short";
  ASSERT_GE(ref.days.size(), 20u * 730u);

  std::array<ColumnStats, kColumns.size()> stats;
  std::map<int, double> worstByCity;
  for (size_t i = 0; i < ref.days.size(); ++i) {
    const RefDay& d = ref.days[i];
    const RefCity& c = ref.cities[d.city];
    const double lat = DegreesFromPacked(c.latitude);
    const SolarDay sun(d.year, d.month, d.day, DegreesFromPacked(c.longitude));
    const SunEvents sea = sun.SunriseSunset(lat);
    const SunEvents high = sun.SunriseSunset(lat, c.elevation);
    for (size_t k = 0; k < kColumns.size(); ++k) {
      const Column& col = kColumns[k];
      const SunEvents events = col.depression >= 0 ? sun.Depression(lat, col.depression) : (col.elevation ? high : sea);
      const std::optional<double> ours = col.morning ? events.morning : events.evening;
      const std::optional<double>& theirs = d.seconds[k];
      ColumnStats& s = stats[k];
      if (ours.has_value() != theirs.has_value()) {
        // Tolerated on the first or last day of a polar spell only: where
        // the reference changes between an event and none on the next or
        // the previous day.
        const RefDay* before = Neighbour(ref, i, -1);
        const RefDay* after = Neighbour(ref, i, 1);
        const bool boundary = (before && before->seconds[k].has_value() != theirs.has_value()) ||
                              (after && after->seconds[k].has_value() != theirs.has_value());
        (ours ? s.missingTheirs : s.missingOurs)++;
        if (boundary) s.missingAtBoundary++;
        const std::string date = testdata::IsoOf(AbsoluteFromGregorian(d.day, d.month, d.year));
        s.existence.push_back(c.name + " " + date + ": ours " + (ours ? "a time" : "none") + ", reference " +
                              (theirs ? "a time" : "none") + (boundary ? " (edge of a polar spell)" : ""));
        continue;
      }
      if (!ours) continue;
      const double diff = *ours - *theirs;
      s.compared++;
      s.absDiffs.push_back(std::fabs(diff));
      if (std::fabs(diff) <= 30) s.within30++;
      if (RoundSecondsToMinute(*ours) == RoundSecondsToMinute(*theirs)) s.roundedEqual++;
      s.worst.push_back({diff, d.city, d.year, d.month, d.day});
      double& w = worstByCity[d.city];
      w = std::max(w, std::fabs(diff));
    }
  }

  for (size_t k = 0; k < kColumns.size(); ++k) {
    ColumnStats& s = stats[k];
    ASSERT_GT(s.compared, 0) << kColumns[k].label;
    std::sort(s.absDiffs.begin(), s.absDiffs.end());
    const auto quantile = [&](double q) { return s.absDiffs[static_cast<size_t>(q * (s.absDiffs.size() - 1))]; };
    const auto share = [&](double limit) {
      return 100.0 * (std::upper_bound(s.absDiffs.begin(), s.absDiffs.end(), limit) - s.absDiffs.begin()) / s.compared;
    };
    std::printf(
        "%-20s n=%5d |diff| median %.2f s, 99%% %.2f s, max %.2f s; <=1 s %.2f%%, <=2 s %.2f%%, <=5 s %.2f%%, "
        "<=30 s %.3f%%; same minute %.3f%%; no time: ours only %d, reference only %d (%d at a polar edge)\n",
        kColumns[k].label, s.compared, quantile(0.5), quantile(0.99), s.absDiffs.back(), share(1), share(2), share(5),
        100.0 * s.within30 / s.compared, 100.0 * s.roundedEqual / s.compared, s.missingOurs, s.missingTheirs,
        s.missingAtBoundary);
    std::partial_sort(s.worst.begin(), s.worst.begin() + std::min<size_t>(3, s.worst.size()), s.worst.end(),
                      [](const Case& a, const Case& b) { return std::fabs(a.diff) > std::fabs(b.diff); });
    for (size_t w = 0; w < 3 && w < s.worst.size(); ++w)
      std::printf("    worst: %+.1f s %s %04d-%02d-%02d\n", s.worst[w].diff, ref.cities[s.worst[w].city].name.c_str(),
                  s.worst[w].year, s.worst[w].month, s.worst[w].day);
    for (const std::string& e : s.existence) std::printf("    %s\n", e.c_str());

    EXPECT_GE(s.within30, 0.995 * s.compared) << kColumns[k].label;
    EXPECT_GE(s.roundedEqual, 0.995 * s.compared) << kColumns[k].label;
    EXPECT_EQ(s.missingOurs + s.missingTheirs, s.missingAtBoundary) << kColumns[k].label;
  }
  for (const auto& [city, w] : worstByCity)
    std::printf("  %-16s worst |diff| %.2f s\n", ref.cities[city].name.c_str(), w);
}

// ---- Properties over the whole range -----------------------------------------

// Every day of 1583..3000 at latitudes from pole to pole (one a day, in turn)
// and longitudes all round: no NaN, the morning before noon and the evening
// after it, the two symmetric about noon within two minutes below 50 degrees, a
// sunrise every day below 65 degrees and never an event at the poles.
TEST(NoaaSun, WholeRangeProperties) {
  constexpr std::array<double, 12> kLatitudes = {-90, -89.9, -75, -66.6, -45, -0.5, 0, 31.77, 60, 66.6, 78.2, 90};
  const AbsoluteDay first = AbsoluteFromGregorian(1, 1, 1583);
  const AbsoluteDay last = AbsoluteFromGregorian(31, 12, 3000);
  int failures = 0;
  for (AbsoluteDay a = first; a <= last && failures < 10; ++a) {
    const GregorianDate g = GregorianFromAbsolute(a);
    const double lat = kLatitudes[static_cast<size_t>(a % kLatitudes.size())];
    const double lon = -180.0 + static_cast<double>((a * 37) % 361);
    const SolarDay sun(g.year, g.month, g.day, lon);
    const double noon = sun.NoonUtcSeconds();
    for (const double zenith : {SunriseZenithDeg(0), DepressionZenithDeg(16.1)}) {
      const SunEvents e = sun.Events(lat, zenith);
      const auto fail = [&](const char* what) {
        ++failures;
        ADD_FAILURE() << what << " on " << testdata::IsoOf(a) << " at " << lat << ", " << lon << " zenith " << zenith;
      };
      if (std::fabs(lat) == 90 && (e.morning || e.evening)) fail("an event at a pole");
      if (std::fabs(lat) < 65 && zenith < 91 && !(e.morning && e.evening)) fail("no sunrise or sunset");
      if (e.morning && !(*e.morning <= noon && *e.morning > noon - 12.5 * 3600)) fail("morning out of place");
      if (e.evening && !(*e.evening >= noon && *e.evening < noon + 12.5 * 3600)) fail("evening out of place");
      if (e.morning && e.evening && std::fabs(lat) < 50 && std::fabs((*e.morning + *e.evening) / 2 - noon) > 120)
        fail("not symmetric about noon");
    }
  }
  EXPECT_EQ(failures, 0);
}

// At each computed time the sun stands at the zenith distance asked for,
// with its position worked out afresh for that instant (cos z = sin(lat)
// sin(decl) + cos(lat) cos(decl) cos(hour angle)); and the shared day agrees
// with the event-by-event iteration.
TEST(NoaaSun, TimesSolveTheirEquation) {
  constexpr double kRad = 3.14159265358979323846 / 180;
  double worstZenith = 0, worstShared = 0;
  for (int year = 1583; year <= 3000; year += 13) {
    for (int month = 1; month <= 12; month += 1) {
      for (const double lat : {-77.85, -54.8, -33.9, 0.0, 31.77, 51.5, 64.15, 69.65, 78.2}) {
        const double lon = -170.0 + 29.0 * month;
        const SolarDay shared(year, month, 15, lon);
        for (const double zenith : {SunriseZenithDeg(0), SunriseZenithDeg(1500), 98.5, 106.1}) {
          const SunEvents direct = SunEventsUtc(year, month, 15, lat, lon, zenith);
          const SunEvents fast = shared.Events(lat, zenith);
          for (const auto& [a, b] :
               {std::pair{direct.morning, fast.morning}, std::pair{direct.evening, fast.evening}}) {
            ASSERT_EQ(a.has_value(), b.has_value()) << year << "-" << month << " " << lat << " " << zenith;
            if (!a) continue;
            worstShared = std::max(worstShared, std::fabs(*a - *b));
            const double t = JulianCentury(JulianDayAt0hUtc(year, month, 15) + *a / 86400.0);
            const SolarPosition p = SolarPositionAt(t);
            // Apparent solar time at the instant, as an hour angle from noon.
            const double hourAngle = (*a / 60.0 + p.equationOfTimeMinutes - 720.0) / 4.0 + lon;
            const double cosZ = std::sin(lat * kRad) * std::sin(p.declinationDeg * kRad) +
                                std::cos(lat * kRad) * std::cos(p.declinationDeg * kRad) * std::cos(hourAngle * kRad);
            worstZenith = std::max(worstZenith, std::fabs(std::acos(cosZ) / kRad - zenith));
          }
        }
      }
    }
  }
  std::printf("worst zenith error %.2e deg, worst shared-day difference %.4f s\n", worstZenith, worstShared);
  EXPECT_LT(worstZenith, 1e-5);
  EXPECT_LT(worstShared, 0.05);
}

// The classic almanac calculation, a different and coarser method, lands
// within a few minutes of the precise one in 1950..2050 (its error grows with
// the latitude): a check of the conventions (signs, zone, day).
TEST(NoaaSun, CloseToTheClassicCalculation) {
  const struct {
    const char* name;
    int latitude, longitude, zone;
    int toleranceMinutes;
  } places[] = {
      {"Quito", -14, -7831, -5, 3},     {"Jerusalem", 3146, 3513, 2, 3}, {"Sydney", -3352, 15112, 10, 3},
      {"New York", 4043, -7400, -5, 4}, {"Pforzheim", 4853, 842, 1, 4},  {"Helsinki", 6010, 2456, 2, 6},
  };
  for (const auto& p : places) {
    int worst = 0;
    for (AbsoluteDay a = AbsoluteFromGregorian(1, 1, 1950); a <= AbsoluteFromGregorian(31, 12, 2050); a += 5) {
      const GregorianDate g = GregorianFromAbsolute(a);
      int rh = 0, rm = 0, sh = 0, sm = 0;
      ASSERT_EQ(GetSunriseAndSunset(g.day, g.month, g.year, p.latitude, p.longitude, p.zone, &rh, &rm, &sh, &sm), 1);
      const SunEvents e =
          SolarDay(g.year, g.month, g.day, DegreesFromPacked(p.longitude)).SunriseSunset(DegreesFromPacked(p.latitude));
      ASSERT_TRUE(e.morning && e.evening) << p.name;
      const int rise = RoundSecondsToMinute(*e.morning + p.zone * 3600.0) - (rh * 60 + rm);
      const int set = RoundSecondsToMinute(*e.evening + p.zone * 3600.0) - (sh * 60 + sm);
      worst = std::max({worst, std::abs(rise), std::abs(set)});
      EXPECT_LE(std::abs(rise), p.toleranceMinutes) << p.name << " " << testdata::IsoOf(a);
      EXPECT_LE(std::abs(set), p.toleranceMinutes) << p.name << " " << testdata::IsoOf(a);
    }
    std::printf("%-10s worst difference from the classic calculation: %d min\n", p.name, worst);
  }
}

// A clock a day away from its longitude: the Chatham Islands keep 12:45
// ahead of UTC at 176 deg 34 min W. With the clock's offset the day is the
// local civil day; the reference data, which follows the longitude, has
// that day under the previous date.
TEST(NoaaSun, ClockFarFromLongitude) {
  const Reference ref = ReadReference();
  std::map<std::string, int> ids;
  for (size_t i = 0; i < ref.cities.size(); ++i) ids[ref.cities[i].name] = static_cast<int>(i);
  ASSERT_TRUE(ids.count("Waitangi") && ids.count("Auckland"));
  const RefCity& chatham = ref.cities[ids["Waitangi"]];
  const double lat = DegreesFromPacked(chatham.latitude), lon = DegreesFromPacked(chatham.longitude);
  constexpr double kChathamStandard = (12 * 60 + 45) * 60.0;
  int checked = 0;
  for (size_t i = 0; i + 1 < ref.days.size(); ++i) {
    const RefDay& previous = ref.days[i];
    const RefDay& d = ref.days[i + 1];
    if (d.city != ids["Waitangi"] || previous.city != d.city) continue;
    const SunEvents e = SolarDay(d.year, d.month, d.day, lon, kChathamStandard).SunriseSunset(lat);
    ASSERT_TRUE(e.morning && e.evening && previous.seconds[0] && previous.seconds[1]);
    EXPECT_NEAR(*e.morning, *previous.seconds[0] - 86400, 1.0) << d.year << "-" << d.month << "-" << d.day;
    EXPECT_NEAR(*e.evening, *previous.seconds[1] - 86400, 1.0) << d.year << "-" << d.month << "-" << d.day;
    // Sunrise and sunset by the local clock fall on the local day.
    EXPECT_GT(*e.morning + kChathamStandard, 3 * 3600.0);
    EXPECT_LT(*e.evening + kChathamStandard, 22 * 3600.0);
    ++checked;
  }
  EXPECT_GT(checked, 700);

  // Where clock and longitude agree the offset changes nothing.
  const RefCity& auckland = ref.cities[ids["Auckland"]];
  const double aLat = DegreesFromPacked(auckland.latitude), aLon = DegreesFromPacked(auckland.longitude);
  for (const double offset : {12 * 3600.0, 13 * 3600.0}) {
    const SunEvents a = SolarDay(2025, 1, 1, aLon, offset).SunriseSunset(aLat);
    const SunEvents b = SolarDay(2025, 1, 1, aLon).SunriseSunset(aLat);
    EXPECT_EQ(*a.morning, *b.morning);
    EXPECT_EQ(*a.evening, *b.evening);
  }
}

}  // namespace
