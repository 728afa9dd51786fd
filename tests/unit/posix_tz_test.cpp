#include "suntimes/posix_tz.h"

#include <gtest/gtest.h>

#include "zdump_util.h"  // Utc()

namespace {

constexpr int kHour = 3600;

TEST(PosixTz, Parse) {
  const struct {
    const char* text;
    int standard;
    bool summer;
    int summerOffset;
  } cases[] = {
      {"EST5EDT,M3.2.0,M11.1.0", -5 * kHour, true, -4 * kHour},
      {"IST-5:30", 5 * kHour + 30 * 60, false, 0},
      {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", 10 * kHour + 30 * 60, true, 11 * kHour},
      {"IST-2IDT,M3.4.4/26,M10.5.0", 2 * kHour, true, 3 * kHour},
      {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", -2 * kHour, true, -1 * kHour},
      {"IST-1GMT0,M10.5.0,M3.5.0/1", 1 * kHour, true, 0},  // summer time "backwards" in winter
      {"<+00>0<+02>-2,M3.5.0/1,M10.5.0/3", 0, true, 2 * kHour},
      {"LMT+0:53:28", -(53 * 60 + 28), false, 0},
      {"UTC0", 0, false, 0},
  };
  for (const auto& c : cases) {
    PosixTz tz;
    ASSERT_TRUE(PosixTzParse(c.text, &tz)) << c.text;
    EXPECT_EQ(tz.standardOffset, c.standard) << c.text;
    EXPECT_EQ(tz.hasSummerTime, c.summer) << c.text;
    if (c.summer) {
      EXPECT_EQ(tz.summerOffset, c.summerOffset) << c.text;
    }
  }
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("IST-2IDT,M3.4.4/26,M10.5.0", &tz));
  EXPECT_EQ(tz.start.month * 100 + tz.start.week * 10 + tz.start.day, 344);
  EXPECT_EQ(tz.start.seconds, 26 * kHour);
  EXPECT_EQ(tz.end.seconds, 2 * kHour);  // not given: 02:00

  const char* bad[] = {"", "EST", "ES5", "EST5EDT" /* summer time without dates */, "EST5EDT,M3.2.0",
                       "EST5EDT,M13.2.0,M11.1.0", "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0",
                       "EST5EDT,J0,J365", "EST5EDT,366,J365", "EST5EDT,M3.2.0/168,M11.1.0", "EST25", "EST5:60",
                       "<AB>5", "<EST5", "EST5EDT,M3.2.0,M11.1.0x", "EST5EDT,M3.2.0,M11.1.0,", "EST5 "};
  for (const char* text : bad) EXPECT_FALSE(PosixTzParse(text, &tz)) << text;
}

// Changes given by day of the year; the expected days follow from the
// definitions: "Jn" never counts 29 February, "n" counts from 0 and does.
TEST(PosixTz, DaysOfTheYear) {
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,J60/0,J300/0", &tz));
  // J60 is 1 March in every year; 00:00 local standard time is 23:00 UTC.
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), zdump::Utc(2024, 2, 29, 23));
  EXPECT_EQ(PosixTzStartUtc(tz, 2023), zdump::Utc(2023, 2, 28, 23));
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,59/0,300/0", &tz));
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), zdump::Utc(2024, 2, 28, 23));  // 29 February
  EXPECT_EQ(PosixTzStartUtc(tz, 2023), zdump::Utc(2023, 2, 28, 23));  // 1 March
  EXPECT_EQ(PosixTzOffsetAt(tz, zdump::Utc(2024, 2, 28, 22, 59)), 1 * kHour);
  EXPECT_EQ(PosixTzOffsetAt(tz, zdump::Utc(2024, 2, 28, 23, 0)), 2 * kHour);
  // "M2.5.4": the last Thursday of February, in a leap year the 29th.
  ASSERT_TRUE(PosixTzParse("AAA-1BBB,M2.5.4/0,M10.5.0", &tz));
  EXPECT_EQ(PosixTzStartUtc(tz, 2024), zdump::Utc(2024, 2, 28, 23));
  EXPECT_EQ(PosixTzStartUtc(tz, 2023), zdump::Utc(2023, 2, 22, 23));
}

// Summer time from 1 January 00:00 to 31 December 24:00 plus the hour it
// adds is summer time all year, also across the turn of the year.
TEST(PosixTz, SummerTimeAllYear) {
  PosixTz tz;
  ASSERT_TRUE(PosixTzParse("EST5EDT4,0/0,J365/25", &tz));
  for (const int64_t t : {zdump::Utc(2030, 1, 1, 0, 0), zdump::Utc(2030, 1, 1, 4, 59), zdump::Utc(2030, 1, 1, 5, 0),
                          zdump::Utc(2030, 6, 1), zdump::Utc(2030, 12, 31, 23, 59), zdump::Utc(2031, 1, 1, 5, 0)})
    EXPECT_EQ(PosixTzOffsetAt(tz, t), -4 * kHour) << t;
}

}  // namespace
