// The precise sun: worked astronomical values, the zmanim language in the
// precise calculation against the reference times of many cities, and the
// sun's position at the computed times over the whole range of dates.
#include "suntimes/noaa_sun.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "suntimes/calc.h"

namespace {

using namespace suntimes::noaa;

// Julian days (Meeus, chapter 7) and the sun of 1992 October 13.0 (examples
// 25.a and 28.b).
TEST(NoaaSun, WorkedExamples) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("julian_days.csv");
  ASSERT_GE(rows.size(), 8u);
  for (const testdata::Row& r : rows) {
    const GregorianDate g = GregorianFromAbsolute(*testdata::IsoDay(r[0]));
    EXPECT_EQ(JulianDayAt0hUtc(g.year, g.month, g.day), std::stod(r[1])) << r[0];
  }
  const SolarPosition sun = SolarPositionAt(JulianCentury(2448908.5));
  EXPECT_NEAR(sun.declinationDeg, -7.78507, 1e-5);
  EXPECT_NEAR(sun.equationOfTimeMinutes, 13.0 + 42.7 / 60, 0.005);
  // No dip of the horizon for nonsense heights (real ones: the reference times below).
  for (const double h : {0.0, -50.0, std::nan(""), double(INFINITY)}) EXPECT_EQ(HorizonDipDeg(h), 0.0) << h;
  // Nonsense places and the poles have no sunrise rather than a NaN.
  EXPECT_FALSE(SolarDay(2025, 6, 1, std::nan("")).SunriseSunset(45).morning);
  for (const double lat : {std::nan(""), 90.0, -90.0}) EXPECT_FALSE(SolarDay(2025, 6, 1, 0).SunriseSunset(lat).evening);
}

// The columns of tests/data/sun_reference.tsv as expressions, and whether
// they are seen from the city's elevation (depressions never are).
struct Column {
  const char* expression;
  bool elevation;
};
constexpr std::array<Column, 10> kColumns = {{
    {"sunrise", false},
    {"sunset", false},
    {"sunrise", true},
    {"sunset", true},
    {"sunrise - degrees_below_horizon(16.1)", true},
    {"sunrise - degrees_below_horizon(8.5)", true},
    {"sunrise - degrees_below_horizon(7.083)", false},
    {"sunset + degrees_below_horizon(7.083)", false},
    {"degrees_below_horizon(8.5) + sunset", true},  // the evening interval anywhere else
    {"sunset + degrees_below_horizon(16.1)", true},
}};

// Every day of 2025-2026 in cities from pole to pole: nearly all times within
// 30 s (99.9 %) and the same minute when rounded (99.5 %); a time exists on the same days as in
// the reference except on the first or last day of a polar spell. With
// LUMARO_SUN_REPORT set, our times go to that file in the reference's format
// for scripts/sun-reference-report.py.
TEST(NoaaSun, ZmanimAgreeWithTheReferenceTimesOfManyCities) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("sun_reference.tsv", '\t');
  std::ofstream report(std::getenv("LUMARO_SUN_REPORT") ? std::getenv("LUMARO_SUN_REPORT") : "/dev/null");
  std::array<ZmanimProgram, kColumns.size()> programs;
  for (size_t k = 0; k < kColumns.size(); ++k) programs[k] = ZmanimProgram::Compile(kColumns[k].expression);
  std::map<std::string, ZmanimPlace> cities;
  std::array<int, kColumns.size()> compared{}, within30{}, sameMinute{};
  for (size_t i = 0; i < rows.size(); ++i) {
    const testdata::Row& r = rows[i];
    if (r[0] == "city") {
      const int lon = std::stoi(r[4]), zone = static_cast<int>(std::lround(DegreesFromPacked(lon) / 15));
      cities[r[1]] = {std::stoi(r[3]), lon, zone, std::stod(r[5])};
      report << "city\t" << r[1] << "\t" << r[2] << "\n";
      continue;
    }
    ASSERT_EQ(r.size(), 12u) << r[0] << " " << r[1];
    const ZmanimPlace& place = cities.at(r[0]);
    const GregorianDate g = GregorianFromAbsolute(*testdata::IsoDay(r[1]));
    report << r[0] << "\t" << r[1];
    for (size_t k = 0; k < kColumns.size(); ++k) {
      const std::optional<double> ours =
          programs[k].EvaluateMinutes(place, g.day, g.month, g.year, {SunCalculation::kPrecise, kColumns[k].elevation});
      const std::optional<double> seconds = ours ? std::optional(*ours * 60 - place.zone * 3600.0) : std::nullopt;
      report << "\t" << (seconds ? std::to_string(std::lround(*seconds * 10)) : "-");
      // A depression is measured from sunset: none on a day without one.
      const auto exists = [&](size_t j) {
        return rows[j][k + 2] != "-" && (k < 4 || rows[j][kColumns[k].elevation ? 5 : 3] != "-");
      };
      if (seconds.has_value() != exists(i)) {
        // Tolerated where the neighbouring day of the reference differs.
        const auto differs = [&](size_t j) { return j < rows.size() && rows[j][0] == r[0] && exists(j) != exists(i); };
        EXPECT_TRUE(differs(i - 1) || differs(i + 1)) << kColumns[k].expression << " in " << r[0] << " on " << r[1];
        continue;
      }
      if (!seconds) continue;
      const double theirs = std::stod(r[k + 2]) / 10;
      ++compared[k];
      within30[k] += std::fabs(*seconds - theirs) <= 30;
      sameMinute[k] += RoundSecondsToMinute(*seconds) == RoundSecondsToMinute(theirs);
    }
    report << "\n";
  }
  ASSERT_GE(compared[0], 20 * 700);
  for (size_t k = 0; k < kColumns.size(); ++k) {
    EXPECT_GT(compared[k], compared[0] * 0.9) << kColumns[k].expression;
    EXPECT_GE(within30[k], 0.999 * compared[k]) << kColumns[k].expression;
    EXPECT_GE(sameMinute[k], 0.995 * compared[k]) << kColumns[k].expression;
  }
}

// At each computed time from 1583 to 3000 the sun, its position worked out
// afresh for that instant, stands at the zenith distance asked for:
// cos z = sin(lat) sin(decl) + cos(lat) cos(decl) cos(hour angle).
TEST(NoaaSun, TimesSolveTheirEquation) {
  constexpr double kRad = 3.14159265358979323846 / 180;
  for (int year = 1583; year <= 3000; year += 13) {
    for (int month = 1; month <= 12; ++month) {
      const double lon = -170.0 + 29.0 * month;
      const SolarDay day(year, month, 15, lon);
      for (const double lat : {-77.85, -33.9, 0.0, 31.77, 64.15, 69.65}) {
        for (const double zenith : {SunriseZenithDeg(0), SunriseZenithDeg(1500), 98.5, 106.1}) {
          const SunEvents e = day.Events(lat, zenith);
          for (const std::optional<double>& at : {e.morning, e.evening}) {
            if (!at) continue;
            const SolarPosition p = SolarPositionAt(JulianCentury(JulianDayAt0hUtc(year, month, 15) + *at / 86400));
            const double hourAngle = (*at / 60 + p.equationOfTimeMinutes - 720) / 4 + lon;
            const double cosZ = std::sin(lat * kRad) * std::sin(p.declinationDeg * kRad) +
                                std::cos(lat * kRad) * std::cos(p.declinationDeg * kRad) * std::cos(hourAngle * kRad);
            ASSERT_NEAR(std::acos(cosZ) / kRad, zenith, 1e-5) << year << "-" << month << " at " << lat;
          }
          // Below the polar circles the sun rises and sets every day, the morning first.
          if (std::fabs(lat) < 65 && zenith < 91) {
            EXPECT_TRUE(e.morning && e.evening && *e.morning < *e.evening) << year << "-" << month << " at " << lat;
          }
        }
      }
    }
  }
}

}  // namespace
