// The precise sun calculation through the program's own path (the zmanim
// expressions, the city's clock, the rounding to the shown minute) against
// an independent calendar program built on the NOAA equations
// (tests/data/sun_reference.tsv, candle_reference.tsv): 31 cities, every day
// of 2025 and 2026.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/rules.h"
#include "reference_data.h"
#include "suntimes/calc.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timezone.h"
#include "suntimes_env.h"
#include "test_env.h"

namespace {

struct RefDay {
  size_t city = 0;
  AbsoluteDay day = 0;
  std::vector<std::optional<double>> values;  // seconds (sun) or minutes (candles) after 0h UTC
};

struct Reference {
  std::vector<CityRec> cities;
  std::vector<int> elevation;
  std::vector<RefDay> days;
  std::map<std::pair<size_t, AbsoluteDay>, const RefDay*> index;
  // The reference's row of a local day: it takes the day around noon at the
  // longitude, a day off where the clock is 12 hours from it (Chatham).
  const RefDay* Of(size_t city, AbsoluteDay day) const {
    const double ahead = cities[city].gmtOffset - cities[city].longitude / 1500.0;
    const auto it = index.find({city, day + (ahead > 12 ? -1 : ahead < -12 ? 1 : 0)});
    return it == index.end() ? nullptr : it->second;
  }
};

Reference Read(const std::string& file, size_t columns, double scale) {
  Reference ref;
  std::ifstream in(testenv::TestDataDir() + "/" + file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const testdata::Row f = testdata::SplitRow(line, '\t');
    if (f[0] == "city") {  // the standard hours: the smaller of January's and July's offsets
      const auto january = testenv::ShownOffsetMinutes(f[6], UtcSecondsOf({15, 1, 2025}, 720, 0));
      const auto july = testenv::ShownOffsetMinutes(f[6], UtcSecondsOf({15, 7, 2025}, 720, 0));
      EXPECT_TRUE(january && july) << f[6];
      ref.cities.push_back({f[2], *testdata::ToInt(f[3]), *testdata::ToInt(f[4]), std::min(january.value_or(0), july.value_or(0)) / 60, f[6], {}, {}});
      ref.elevation.push_back(*testdata::ToInt(f[5]));
      continue;
    }
    RefDay d{static_cast<size_t>(*testdata::ToInt(f[0])), *testdata::IsoDay(f[1]), {}};
    for (size_t i = 0; i < columns; ++i) {
      const auto v = testdata::ToInt(f[i + 2]);
      d.values.push_back(v ? std::optional<double>(*v / scale) : std::nullopt);
    }
    ref.days.push_back(std::move(d));
  }
  for (const RefDay& d : ref.days) ref.index[{d.city, d.day}] = &d;
  return ref;
}

// The minute the city's clock shows for seconds after 0h UTC of a day.
int ClockMinute(const CityRec& c, AbsoluteDay day, double utcSeconds) {
  const GregorianDate g = GregorianFromAbsolute(day);
  const int64_t utc = UtcSecondsOf(g, 0, 0) + static_cast<int64_t>(std::floor(utcSeconds / 60.0)) * 60;
  const int offset = testenv::ShownOffsetMinutes(c.zoneName, utc).value_or(0);
  return static_cast<int>((static_cast<int64_t>(std::floor(utcSeconds / 60.0)) + offset) % 1440 + 1440) % 1440;
}

// Sun and depression times: within 30 s of the reference, and shown as it
// shows them rounded to the minute, on 99.5 % of the days; no time on days
// the reference has no sunrise or sunset.
TEST(PreciseTimes, SunTimesAgreeWithTheReference) {
  const Reference ref = Read("sun_reference.tsv", 10, 10.0);
  ASSERT_GE(ref.days.size(), 31u * 700);
  const std::tuple<size_t, const char*, bool> checks[] = {
      {0, "sunrise", false}, {1, "sunset", false}, {2, "sunrise", true}, {3, "sunset", true},
      {4, "sunrise - degrees_below_horizon(16.1)", false}, {8, "sunset + degrees_below_horizon(8.5)", false},
      {7, "sunset + degrees_below_horizon(7.083)", true}};
  for (const auto& [column, expression, elevation] : checks) {
    const ZmanimProgram program = ZmanimProgram::Compile(expression);
    int compared = 0, near = 0, same = 0, polar = 0;
    for (const RefDay& d : ref.days) {
      const CityRec& c = ref.cities[d.city];
      const GregorianDate g = GregorianFromAbsolute(d.day);
      const CityClock clock(c, g, nullptr, true);
      ZmanimPlace place = clock.Place(c);
      place.elevationMetres = ref.elevation[d.city];
      const auto t = program.EvaluateMinutes(place, g.day, g.month, g.year, {SunCalculation::kPrecise, elevation});
      const RefDay* row = ref.Of(d.city, d.day);
      if (!row) continue;
      const auto& theirs = row->values[column];
      if (!row->values[elevation ? 2 : 0] || !row->values[elevation ? 3 : 1]) {
        polar += t.has_value();
        continue;
      }
      ++compared;
      if (!t || !theirs) {
        same += near += t.has_value() == theirs.has_value();
        continue;
      }
      const double ours = (*t - clock.zoneHours() * 60.0) * 60.0 + (d.day - row->day) * 86400.0;
      int hour = 0, minute = 0;
      ASSERT_TRUE(clock.ShowMinutes(*t, &hour, &minute));
      near += std::fabs(ours - *theirs) <= 30;
      same += (hour * 60 + minute) % 1440 == ClockMinute(c, row->day, std::floor(*theirs / 60.0 + 0.5) * 60.0);
    }
    EXPECT_GE(near, compared * 0.995) << expression << " " << elevation;
    EXPECT_GE(same, compared * 0.995) << expression << " " << elevation;
    EXPECT_EQ(polar, 0) << expression;
    EXPECT_GT(compared, 31 * 600) << expression;
  }
}

// The month view's evening time (Friday candles 18 minutes before sunset
// rounded down; havdalah 72 minutes after it or at 8.5 degrees, to the
// nearest minute; with and without elevation) for cities of a city file.
TEST(PreciseTimes, EveningTimesOfTheMonthView) {
  testenv::TempHome home;
  const Reference ref = Read("candle_reference.tsv", 5, 1.0);
  const std::string file = home.lumaro("cities");
  {
    std::ofstream out(file);
    for (size_t i = 0; i < ref.cities.size(); ++i) {
      const CityRec& c = ref.cities[i];
      const int lat = std::abs(c.latitude), lon = std::abs(c.longitude);
      out << '"' << c.name << "\", " << lat / 100 << ',' << lat % 100 << (c.latitude < 0 ? " S, " : " N, ") << lon / 100
          << ',' << lon % 100 << (c.longitude < 0 ? " W, GMT" : " E, GMT") << (c.gmtOffset < 0 ? "" : "+") << c.gmtOffset
          << ", " << c.zoneName << ", elevation=" << ref.elevation[i] << "\n";
    }
  }
  for (const auto& [degrees, elevation] : {std::pair{false, false}, {true, false}, {false, true}}) {
    int compared = 0, equal = 0;
    for (size_t i = 0; i < ref.cities.size(); ++i) {
      const EveningTimes evenings(kDiasporaRules, file, ref.cities[i].name, nullptr, true, "sunset - 18",
                                  degrees ? "sunset + degrees_below_horizon(8.5)" : "sunset + 72",
                                  SunOptions{SunCalculation::kPrecise, elevation}, ClockStyle{});
      for (const RefDay& d : ref.days) {
        ShabbatTimeValue value;
        const bool shown = d.city == i && evenings.Value(d.day, &value);
        if (d.city != i || (!value.isCandleLighting && !value.isHavdalah)) continue;
        const bool candles = EveningTimeOf(d.day, kDiasporaRules) == EveningTime::kCandleLighting;
        const RefDay* row = ref.Of(i, d.day);
        if (!row) continue;
        const auto& theirs = row->values[candles ? (elevation ? 3 : 0) : elevation ? 4 : degrees ? 2 : 1];
        if (!row->values[elevation ? 3 : 0]) {
          EXPECT_FALSE(shown) << ref.cities[i].name << " " << d.day;
          continue;
        }
        ++compared;
        equal += shown && theirs ? (value.hour * 60 + value.minute) % 1440 == ClockMinute(ref.cities[i], row->day, *theirs * 60.0)
                                 : shown == theirs.has_value();
      }
    }
    EXPECT_GE(compared, 31 * 200);
    EXPECT_GE(equal, compared * 0.995) << degrees << elevation;
  }
}

}  // namespace
