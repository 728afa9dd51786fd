// The precise sun: worked astronomical values (Meeus); the program's own path (the zmanim expressions, the city's
// clock, the shown minute) against an independent program built on the same NOAA equations (sun_reference.tsv,
// candle_reference.tsv: 31 cities, every day of 2025 and 2026).
#include "suntimes/noaa_sun.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calendar/calendar.h"
#include "calendar/rules.h"
#include "reference_data.h"
#include "suntimes/calc.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timezone.h"
#include "suntimes_env.h"

namespace {

using namespace suntimes::noaa;

TEST(NoaaSun, WorkedExamples) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("julian_days.csv");
  ASSERT_GE(rows.size(), 8u);
  for (const testdata::Row& r : rows) {
    const GregorianDate g = GregorianFromAbsolute(*testdata::IsoDay(r[0]));
    EXPECT_EQ(JulianDayAt0hUtc(g.year, g.month, g.day), std::stod(r[1])) << r[0];
  }
  const SolarPosition sun = SolarPositionAt(JulianCentury(2448908.5));  // 1992 October 13.0 (examples 25.a, 28.b)
  EXPECT_NEAR(sun.declinationDeg, -7.78507, 1e-5);
  EXPECT_NEAR(sun.equationOfTimeMinutes, 13.0 + 42.7 / 60, 0.005);
  // No dip of the horizon for nonsense heights; nonsense places and the poles have no sunrise rather than a NaN.
  for (const double h : {0.0, -50.0, std::nan(""), double(INFINITY)}) EXPECT_EQ(HorizonDipDeg(h), 0.0) << h;
  EXPECT_FALSE(SolarDay(2025, 6, 1, std::nan("")).SunriseSunset(45).morning);
  for (const double lat : {std::nan(""), 90.0, -90.0}) EXPECT_FALSE(SolarDay(2025, 6, 1, 0).SunriseSunset(lat).evening);
}

// A reference file: its cities, with their zone's standard hours (the smaller of January's and July's offsets), and its
// day rows.
struct Reference {
  std::vector<CityRec> cities;
  std::vector<testdata::Row> rows;
  // The local day of a row is its date but where the clock is 12 hours from the longitude (Chatham): the reference
  // takes the day around noon there.
  int Shift(size_t city) const {
    const double ahead = cities[city].gmtOffset - cities[city].longitude / 1500.0;
    return ahead > 12 ? 1 : ahead < -12 ? -1 : 0;
  }
};

Reference Read(const std::string& file) {
  Reference ref;
  for (testdata::Row& f : testdata::ReadRows(file, '\t')) {
    if (f[0] != "city") {
      ref.rows.push_back(std::move(f));
      continue;
    }
    const auto january = testenv::ShownOffsetMinutes(f[6], UtcSecondsOf({15, 1, 2025}, 720, 0));
    const auto july = testenv::ShownOffsetMinutes(f[6], UtcSecondsOf({15, 7, 2025}, 720, 0));
    EXPECT_TRUE(january && july) << f[6];
    ref.cities.push_back({f[2],
                          std::stoi(f[3]),
                          std::stoi(f[4]),
                          std::min(january.value_or(0), july.value_or(0)) / 60,
                          f[6],
                          {},
                          std::stod(f[5]),
                          {}});
  }
  return ref;
}

// The minute the city's clock shows at seconds after 0h UTC of a day.
int ClockMinute(const CityRec& c, AbsoluteDay day, double utcSeconds) {
  const int64_t minutes = static_cast<int64_t>(std::floor(utcSeconds / 60.0));
  const int offset =
      *testenv::ShownOffsetMinutes(c.zoneName, UtcSecondsOf(GregorianFromAbsolute(day), 0, 0) + minutes * 60);
  return static_cast<int>((minutes + offset) % 1440 + 1440) % 1440;
}

// Each column of sun_reference_columns.tsv, in the city's own clock: a time on the same days as the reference (but for
// the first or last day of a polar spell), within 30 s and on the shown minute on the shares given. With
// LUMARO_SUN_REPORT set, our times go to that file in the reference's format for scripts/sun-reference-report.py.
TEST(NoaaSun, ZmanimAgreeWithTheReferenceTimesOfManyCities) {
  const Reference ref = Read("sun_reference.tsv");
  const auto columns = testenv::CaseRows("sun_reference_columns.tsv");
  ASSERT_TRUE(ref.rows.size() >= 31u * 700 && columns.size() == 10u);
  std::ofstream report(std::getenv("LUMARO_SUN_REPORT") ? std::getenv("LUMARO_SUN_REPORT") : "/dev/null");
  for (size_t i = 0; i < ref.cities.size(); ++i) report << "city\t" << i << "\t" << ref.cities[i].name << "\n";
  std::vector<ZmanimProgram> programs;
  for (const auto& column : columns) programs.push_back(ZmanimProgram::Compile(column[0]));
  std::vector<int> compared(columns.size()), near(columns.size()), same(columns.size());
  for (size_t i = 0; i < ref.rows.size(); ++i) {
    const testdata::Row& r = ref.rows[i];
    const size_t city = std::stoul(r[0]);
    const CityRec& c = ref.cities[city];
    const AbsoluteDay day = *testdata::IsoDay(r[1]);
    const GregorianDate g = GregorianFromAbsolute(day + ref.Shift(city));
    const CityClock clock(c, g, nullptr, true);
    report << r[0] << "\t" << r[1];
    for (size_t k = 0; k < columns.size(); ++k) {
      const bool elevation = columns[k][1] == "1";
      const auto t =
          programs[k].EvaluateMinutes(clock.Place(c), g.day, g.month, g.year, {SunCalculation::kPrecise, elevation});
      const double seconds = t ? (*t - clock.zoneHours() * 60.0) * 60.0 + ref.Shift(city) * 86400.0 : 0;
      report << "\t" << (t ? std::to_string(std::lround(seconds * 10)) : "-");
      // A depression after "sunrise -" or "sunset +" is the moment itself, also on a day without sunset; any other
      // is measured from sunset, none on a day without one.
      const bool moment = columns[k][0].rfind("sunrise - ", 0) == 0 || columns[k][0].rfind("sunset + ", 0) == 0;
      const auto exists = [&](size_t j) {
        return ref.rows[j][k + 2] != "-" && (k < 4 || moment || ref.rows[j][elevation ? 5 : 3] != "-");
      };
      if (t.has_value() != exists(i)) {  // tolerated where the neighbouring day of the reference differs
        const auto differs = [&](size_t j) {
          return j < ref.rows.size() && ref.rows[j][0] == r[0] && exists(j) != exists(i);
        };
        EXPECT_TRUE(differs(i - 1) || differs(i + 1)) << columns[k][0] << " in " << c.name << " on " << r[1];
        continue;
      }
      if (!t) continue;
      const double theirs = std::stod(r[k + 2]) / 10;
      int hour = 0, minute = 0;
      ASSERT_TRUE(clock.ShowMinutes(*t, &hour, &minute));
      ++compared[k];
      near[k] += std::fabs(seconds - theirs) <= 30;
      same[k] += (hour * 60 + minute) % 1440 == ClockMinute(c, day, std::floor(theirs / 60 + 0.5) * 60);
    }
    report << "\n";
  }
  ASSERT_GE(compared[0], 20 * 700);
  for (size_t k = 0; k < columns.size(); ++k) {
    EXPECT_GT(compared[k], compared[0] * 0.9) << columns[k][0];
    EXPECT_GE(near[k], std::stod(columns[k][2]) * compared[k]) << columns[k][0] << " " << columns[k][1];
    EXPECT_GE(same[k], std::stod(columns[k][3]) * compared[k]) << columns[k][0] << " " << columns[k][1];
  }
}

// The month view's evening time (Friday candles 18 minutes before sunset rounded down; havdalah 72 minutes after it or
// at 8.5 degrees, to the nearest minute; with and without elevation) for the reference's cities written as a city file.
TEST(NoaaSun, EveningTimesOfTheMonthView) {
  testenv::TempHome home;
  const Reference ref = Read("candle_reference.tsv");
  std::ostringstream cities;
  for (const CityRec& c : ref.cities) {
    const int lat = std::abs(c.latitude), lon = std::abs(c.longitude);
    cities << '"' << c.name << "\", " << lat / 100 << ',' << lat % 100 << (c.latitude < 0 ? " S, " : " N, ")
           << lon / 100 << ',' << lon % 100 << (c.longitude < 0 ? " W, GMT" : " E, GMT") << (c.gmtOffset < 0 ? "" : "+")
           << c.gmtOffset << ", " << c.zoneName << ", elevation=" << *c.elevationMetres << "\n";
  }
  testenv::WriteFile(home.lumaro("cities"), cities.str());
  for (const auto& [degrees, elevation] : {std::pair{false, false}, {true, false}, {false, true}}) {
    int compared = 0, equal = 0;
    for (size_t i = 0; i < ref.cities.size(); ++i) {
      const EveningTimes evenings(kDiasporaRules, home.lumaro("cities"), ref.cities[i].name, nullptr, true,
                                  "sunset - 18", degrees ? "sunset + degrees_below_horizon(8.5)" : "sunset + 72",
                                  SunOptions{SunCalculation::kPrecise, elevation}, ClockStyle{});
      for (const testdata::Row& r : ref.rows) {
        const AbsoluteDay day = *testdata::IsoDay(r[1]), local = day + ref.Shift(i);
        ShabbatTimeValue value;
        const bool shown = std::stoul(r[0]) == i && evenings.Value(local, &value);
        if (std::stoul(r[0]) != i || (!value.isCandleLighting && !value.isHavdalah)) continue;
        const bool candles = EveningTimeOf(local, kDiasporaRules) == EveningTime::kCandleLighting;
        const std::string& theirs = r[2 + (candles ? (elevation ? 3 : 0) : elevation ? 4 : degrees ? 2 : 1)];
        // Without sunset only a havdalah by degrees can have a time (a polar night's nightfall).
        if (r[elevation ? 5 : 2] == "-" && !(degrees && !candles)) {
          EXPECT_FALSE(shown) << ref.cities[i].name << " " << r[1];
          continue;
        }
        ++compared;
        equal += shown && theirs != "-" ? (value.hour * 60 + value.minute) % 1440 ==
                                              ClockMinute(ref.cities[i], day, std::stoi(theirs) * 60.0)
                                        : shown == (theirs != "-");
      }
    }
    EXPECT_GE(compared, 31 * 200);
    EXPECT_GE(equal, compared * 0.995) << degrees << elevation;
  }
}

}  // namespace
