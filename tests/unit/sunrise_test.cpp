// The almanac calculation's own interface: its conversions (worked by hand, tests/data/classic_sun_rules.csv), packed
// coordinates, far zones and the requests it refuses. Its times at real places, polar ones included, are checked
// through the zmanim language (calc_test).
#include "suntimes/sunrise.h"

#include <gtest/gtest.h>

#include "reference_data.h"

namespace {

// Sunrise (which 1) or sunset (0) in minutes, or -1 when there is none.
int Sun(int which, int day, int month, int year, int latitude, int longitude, int zone) {
  int h = 0, m = 0;
  return GetSunsetSunrise(day, month, year, which, latitude, longitude, zone, &h, &m) == 1 ? h * 60 + m : -1;
}

TEST(Sunrise, ZenithAndClockConversions) {
  const std::vector<testdata::Row> rows = testdata::ReadRows("classic_sun_rules.csv");
  ASSERT_GE(rows.size(), 13u);
  for (const testdata::Row& r : rows) {
    int a = -99, b = -99;
    if (r[0] == "zenith") suntimes::detail::DepressionZenith(std::stod(r[1]), &a, &b);
    if (r[0] == "clock") suntimes::detail::timeadj(&a, &b, std::stold(r[1]));
    EXPECT_EQ(std::to_string(a) + ":" + std::to_string(b), r[2] + ":" + r[3]) << r[0] << " " << r[1];
  }
}

TEST(Sunrise, CoordinatesZonesAndRefusedRequests) {
  // -30 is 0 deg 30 min west: one degree of longitude is four minutes; as a latitude 0 deg 30 min south: in June a
  // slightly later sunrise.
  EXPECT_NEAR(Sun(0, 21, 3, 2024, 5130, -30, 0) - Sun(0, 21, 3, 2024, 5130, 30, 0), 4, 1);
  EXPECT_GT(Sun(1, 21, 6, 2024, -30, 0, 0), Sun(1, 21, 6, 2024, 30, 0, 0));
  EXPECT_EQ(Sun(0, 21, 6, 2010, 4875, 842, 1), Sun(0, 21, 6, 2010, 4915, 842, 1));  // 48 deg 75 min = 49 deg 15 min
  // New York with zone +12: the rising, computed in the evening, is brought back by 12-hour steps; with zone -12 the
  // setting comes out before noon and is raised.
  EXPECT_EQ(Sun(1, 21, 6, 2010, 4043, -7400, 12), (Sun(1, 21, 6, 2010, 4043, -7400, -5) + 17 * 60) % 720);
  EXPECT_GE(Sun(0, 21, 6, 2010, 4043, -7400, -12), 12 * 60);
  // Refused: a month 13, depressions out of range; `which` other than 0 and 1 computes but writes nothing.
  int h = 55, m = 66;
  EXPECT_EQ(GetDegreesBelowHorizon(21, 12, 2010, 4853, 842, 1, 1.0e30L, &h, &m) +
                GetDegreesBelowHorizon(21, 12, 2010, 4853, 842, 1, -1.0e30L, &h, &m) +
                GetSunsetSunrise(1, 13, 2010, 1, 4853, 842, 1, &h, &m),
            0);
  EXPECT_EQ(GetSunsetSunrise(21, 6, 2010, 2, 4853, 842, 1, &h, &m), 1);
  EXPECT_EQ(h * 100 + m, 5566);
  // 0 deg below the horizon (zenith 90 deg) comes a few minutes before sunset (90 deg 50 min).
  ASSERT_EQ(GetDegreesBelowHorizon(21, 6, 2010, 4853, 842, 1, 0, &h, &m), 1);
  EXPECT_TRUE(h == 0 && m < 0 && m > -10) << h << ":" << m;
}

}  // namespace
