// The precise sun calculation through the program's own path: the zmanim
// expression language evaluated in real minutes, the city's clock and the
// rounding to the shown minute, against the times an independent calendar
// program built on the NOAA equations computes and shows
// (tests/data/sun_reference.tsv and candle_reference.tsv, written by
// scripts/extract-sun-reference.mjs). 31 cities on every continent, both
// hemispheres, half-hour and 45-minute zones, polar summer and winter, every
// day of 2025 and 2026.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "calendar/calendar.h"
#include "calendar/rules.h"
#include "reference_data.h"
#include "suntimes/calc.h"
#include "suntimes/calc_program.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timezone.h"
#include "test_env.h"

namespace {

constexpr SunOptions kPrecise{SunCalculation::kPrecise, false};
constexpr SunOptions kPreciseElevation{SunCalculation::kPrecise, true};

struct RefCity {
  std::string name;
  int latitude = 0, longitude = 0;
  double elevation = 0;
  std::string zone;
  int zoneHours = 0;  // standard time, whole hours (the city file's GMT field)
};

// One day of one city: the columns after the date, in seconds (sun file) or
// minutes (candle file) after 0h UTC of the date.
struct RefDay {
  int city = 0;
  GregorianDate date;
  std::vector<std::optional<double>> values;
};

struct Reference {
  std::vector<RefCity> cities;
  std::vector<RefDay> days;
  std::map<std::pair<int, AbsoluteDay>, size_t> index;

  // The reference's times of the city's local civil day `date`. Where the
  // clock is about a day away from the longitude (the Chatham Islands keep
  // 12:45 ahead of UTC at 176 deg W) the reference program, which takes the
  // day around noon at the longitude, lists that day under the previous
  // date; null when the file has no such row.
  const RefDay* Theirs(int city, const GregorianDate& date) const {
    const RefCity& c = cities[static_cast<size_t>(city)];
    const double clockAheadOfLongitudeHours = c.zoneHours - c.longitude / 100 / 15.0;
    const int shift = clockAheadOfLongitudeHours > 12 ? -1 : clockAheadOfLongitudeHours < -12 ? 1 : 0;
    const auto it = index.find({city, AbsoluteFromGregorian(date) + shift});
    return it == index.end() ? nullptr : &days[it->second];
  }
};

// The standard offset of a zone in whole hours: the smaller of the offsets of
// January and July (summer time is the larger), truncated toward zero.
int StandardZoneHours(const std::string& zone) {
  int january = 0, july = 0;
  if (!TimeZoneOffsetAt(zone, UtcSecondsOf({15, 1, 2025}, 720, 0), &january) ||
      !TimeZoneOffsetAt(zone, UtcSecondsOf({15, 7, 2025}, 720, 0), &july)) {
    ADD_FAILURE() << "zone not in the system's database: " << zone;
  }
  return std::min(january, july) / 3600;
}

// `columns` values after the date; `scale` divides them (10 for tenths of a second).
Reference Read(const std::string& file, size_t columns, double scale) {
  Reference ref;
  std::ifstream in(testenv::TestDataDir() + "/" + file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const testdata::Row f = testdata::SplitRow(line, '\t');
    if (f[0] == "city" && f.size() == 7) {
      RefCity c{f[2], testdata::ToInt(f[3]).value_or(0), testdata::ToInt(f[4]).value_or(0),
                static_cast<double>(testdata::ToInt(f[5]).value_or(0)), f[6], 0};
      c.zoneHours = StandardZoneHours(c.zone);
      ref.cities.push_back(c);
      continue;
    }
    const auto city = testdata::ToInt(f[0]);
    const auto day = f.size() == columns + 2 ? testdata::IsoDay(f[1]) : std::nullopt;
    if (!city || !day || *city < 0 || *city >= static_cast<int>(ref.cities.size())) {
      ADD_FAILURE() << "bad reference line in " << file << ": " << line;
      continue;
    }
    RefDay d{*city, GregorianFromAbsolute(*day), {}};
    for (size_t i = 0; i < columns; ++i) {
      const auto v = f[i + 2] == "-" ? std::nullopt : testdata::ToInt(f[i + 2]);
      d.values.push_back(v ? std::optional<double>(*v / scale) : std::nullopt);
    }
    ref.index[{d.city, AbsoluteFromGregorian(d.date)}] = ref.days.size();
    ref.days.push_back(std::move(d));
  }
  return ref;
}

CityRec CityOf(const RefCity& c) {
  CityRec rec;
  rec.name = c.name;
  rec.latitude = c.latitude;
  rec.longitude = c.longitude;
  rec.gmtOffset = c.zoneHours;
  rec.zoneName = c.zone;
  return rec;
}

// The clock minute (0..1439) shown in the city for a UTC instant, seconds
// after 0h UTC of the date.
int LocalClockMinute(const RefCity& c, const GregorianDate& date, double utcSeconds) {
  const int64_t utc = UtcSecondsOf(date, 0, 0) + static_cast<int64_t>(std::floor(utcSeconds));
  int offset = 0;
  TimeZoneOffsetAt(c.zone, utc, &offset);
  const int64_t minute = static_cast<int64_t>(std::floor((utcSeconds + offset) / 60.0));
  return static_cast<int>(((minute % 1440) + 1440) % 1440);
}

int ClockMinute(int hour, int minute) { return ((hour * 60 + minute) % 1440 + 1440) % 1440; }

// Days compared, within 30 s of the reference, shown as the reference shows
// them; days without sunrise or sunset in the reference (polar) must have no
// time, as the classic calculation gives none.
struct Tally {
  int compared = 0, within30 = 0, shownEqual = 0, polarWithTime = 0;
  void Add(double diffSeconds, bool shownSame) {
    ++compared;
    within30 += std::fabs(diffSeconds) <= 30;
    shownEqual += shownSame;
  }
  double Share(int n) const { return compared ? 100.0 * n / compared : 0; }
};

std::string Where(const RefCity& c, const GregorianDate& d) {
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year, d.month, d.day);
  return c.name + " " + date;
}

// Sunrise, sunset (with and without elevation) and depression times: the
// expression's real value within 30 s of the reference instant, and the
// time the city's clock shows equal to the reference rounded to its
// nearest minute, each on at least 99.5 % of the days.
TEST(PreciseTimes, SunTimesThroughTheExpressionLanguageAgreeWithTheReference) {
  const Reference ref = Read("sun_reference.tsv", 10, 10.0);
  ASSERT_GE(ref.cities.size(), 20u);
  ASSERT_GE(ref.days.size(), ref.cities.size() * 700);
  const struct {
    const char* label;
    size_t column;
    const char* expression;
    bool elevation;
  } checks[] = {
      {"sunrise", 0, "sunrise", false},
      {"sunset", 1, "sunset", false},
      {"sunrise, elevation", 2, "sunrise", true},
      {"sunset, elevation", 3, "sunset", true},
      {"morning 16.1 deg", 4, "sunrise - degrees_below_horizon(16.1)", false},
      {"evening 8.5 deg", 8, "sunset + degrees_below_horizon(8.5)", false},
      {"evening 7.083 deg, elev.", 7, "sunset + degrees_below_horizon(7.083)", true},
  };
  for (const auto& check : checks) {
    const ZmanimProgram program = ZmanimProgram::Compile(check.expression);
    ASSERT_TRUE(program.valid());
    Tally tally;
    for (const RefDay& d : ref.days) {
      const RefCity& c = ref.cities[static_cast<size_t>(d.city)];
      const CityRec city = CityOf(c);
      const CityClock clock(city, d.date, nullptr, true);
      ZmanimPlace place = clock.Place(city);
      place.elevationMetres = c.elevation;
      const std::optional<double> t =
          program.EvaluateMinutes(place, d.date.day, d.date.month, d.date.year, check.elevation ? kPreciseElevation : kPrecise);
      const RefDay* row = ref.Theirs(d.city, d.date);
      if (!row) continue;
      const std::optional<double>& theirs = row->values[check.column];
      const size_t rise = check.elevation ? 2 : 0;
      if (!row->values[rise] || !row->values[rise + 1]) {
        tally.polarWithTime += t.has_value();
        continue;
      }
      if (!t || !theirs) {
        // Both without a time where the sun does not reach the depression.
        if (t.has_value() != theirs.has_value()) ++tally.compared;
        continue;
      }
      // Seconds after 0h UTC of the reference row's date.
      const double rowShift = (AbsoluteFromGregorian(d.date) - AbsoluteFromGregorian(row->date)) * 86400.0;
      const double oursUtc = (*t - clock.zoneHours() * 60.0) * 60.0 + rowShift;
      int hour = 0, minute = 0;
      ASSERT_TRUE(clock.ShowMinutes(*t, &hour, &minute));
      const int expected = LocalClockMinute(c, row->date, std::floor(*theirs / 60.0 + 0.5) * 60.0);
      tally.Add(oursUtc - *theirs, ClockMinute(hour, minute) == expected);
    }
    EXPECT_GE(tally.Share(tally.within30), 99.5) << check.label;
    EXPECT_GE(tally.Share(tally.shownEqual), 99.5) << check.label;
    EXPECT_EQ(tally.polarWithTime, 0) << check.label;
  }
}

// The month view's path: EveningTimes picks the day's time (Friday candles,
// Saturday and festival-end havdalah) for a city of a city file and shows it
// on the city's own clock as the reference shows it: candle lighting 18
// minutes before sunset rounded down, havdalah 72 minutes after it or at 8.5
// degrees rounded to the nearest minute, with and without elevation.
TEST(PreciseTimes, EveningTimesOfTheMonthViewFollowThePreciseCalculation) {
  const Reference ref = Read("candle_reference.tsv", 5, 1.0);
  ASSERT_GE(ref.cities.size(), 20u);
  const std::string file = testing::TempDir() + "precise_times_cities";
  {
    std::ofstream out(file);
    for (const RefCity& c : ref.cities) {
      const int lat = std::abs(c.latitude), lon = std::abs(c.longitude);
      char line[256];
      std::snprintf(line, sizeof line, "\"%s\", %d,%d %c, %d,%d %c, GMT%+d, %s, elevation=%d\n", c.name.c_str(),
                    lat / 100, lat % 100, c.latitude < 0 ? 'S' : 'N', lon / 100, lon % 100, c.longitude < 0 ? 'W' : 'E',
                    c.zoneHours, c.zone.c_str(), static_cast<int>(c.elevation));
      out << line;
    }
  }
  const CalendarRules diaspora{true, true};
  const struct {
    bool degrees, elevation;
  } variants[] = {{false, false}, {true, false}, {false, true}};
  for (const auto& variant : variants) {
    const bool degrees = variant.degrees;
    const size_t candleColumn = variant.elevation ? 3 : 0;
    const size_t havdalahColumn = variant.elevation ? 4 : degrees ? 2 : 1;
    int compared = 0, equal = 0;
    std::string firstDifference;
    for (size_t i = 0; i < ref.cities.size(); ++i) {
      const RefCity& c = ref.cities[i];
      const EveningTimes evenings(diaspora, file, c.name, nullptr, true, "sunset - 18",
                                  degrees ? "sunset + degrees_below_horizon(8.5)" : "sunset + 72",
                                  variant.elevation ? kPreciseElevation : kPrecise);
      for (const RefDay& d : ref.days) {
        if (d.city != static_cast<int>(i)) continue;
        ShabbatTimeValue value;
        const bool shown = evenings.Value(AbsoluteFromGregorian(d.date), &value);
        if (!value.isCandleLighting && !value.isHavdalah) continue;
        const bool candles = value.isCandleLighting && EveningTimeOf(AbsoluteFromGregorian(d.date), diaspora) ==
                                                           EveningTime::kCandleLighting;
        const RefDay* row = ref.Theirs(d.city, d.date);
        if (!row) continue;
        const std::optional<double>& theirs = row->values[candles ? candleColumn : havdalahColumn];
        // No sunset (polar day or night): no time, as in the classic calculation.
        if (!row->values[candleColumn]) {
          EXPECT_FALSE(shown) << Where(c, d.date);
          continue;
        }
        ++compared;
        if (!shown || !theirs) {
          if (shown == theirs.has_value()) ++equal;
          continue;
        }
        if (ClockMinute(value.hour, value.minute) == LocalClockMinute(c, row->date, *theirs * 60.0)) {
          ++equal;
        } else if (firstDifference.empty()) {
          firstDifference = Where(c, d.date) + (candles ? " candles" : " havdalah");
        }
      }
    }
    std::printf("month view, havdalah %s%s: %d of %d days equal; first difference: %s\n",
                degrees ? "8.5 deg" : "72 min", variant.elevation ? ", elevation" : "", equal, compared,
                firstDifference.c_str());
    EXPECT_GE(compared, 31 * 200);
    EXPECT_GE(100.0 * equal / compared, 99.5);
  }
  std::remove(file.c_str());
}

}  // namespace
