#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include "reference_data.h"

namespace {

const AbsoluteDay kFirstDay = AbsoluteFromGregorian(1, 1, kFirstYear);
const AbsoluteDay kLastDay = AbsoluteFromGregorian(31, 12, kLastYear);

TEST(CalendarArithmetic, GregorianLeapYearsAndTheFirstDay) {
  EXPECT_EQ(LastDayOfGregorianMonth(2, 1900), 28);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2000), 29);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2023), 28);
  EXPECT_EQ(AbsoluteFromGregorian(1, 1, 1), 1);
  EXPECT_EQ(WeekdayOf(1), kMonday);
}

TEST(CalendarArithmetic, HebrewYearProperties) {
  for (int y = 5300; y <= 6800; ++y) {
    const AbsoluteDay ny = AbsoluteFromHebrew(1, kTishri, y);
    const int wd = WeekdayOf(ny);
    // Lo ADU Rosh: never Sunday, Wednesday or Friday.
    EXPECT_TRUE(wd != kSunday && wd != kWednesday && wd != kFriday) << "year " << y;
    const int len = Days_In_Hebrew_Year(y);
    EXPECT_EQ(len, AbsoluteFromHebrew(1, kTishri, y + 1) - ny) << "year " << y;
    if (Hebrew_Leap_Year(y)) {
      EXPECT_TRUE(len == 383 || len == 384 || len == 385) << "year " << y << " has " << len;
    } else {
      EXPECT_TRUE(len == 353 || len == 354 || len == 355) << "year " << y << " has " << len;
    }
    int sum = 0;
    for (int m = 1; m <= Last_Month_Of_Hebrew_Year(y); ++m) sum += Last_Day_Of_Hebrew_Month(m, y);
    EXPECT_EQ(sum, len) << "year " << y;
  }
}

// Every day of the program's range converts to both calendars and back, and
// consecutive days step through valid dates.
TEST(CalendarArithmetic, RoundTripEveryDay) {
  GregorianDate prevG = GregorianFromAbsolute(kFirstDay - 1);
  HebrewDate prevH = HebrewFromAbsolute(kFirstDay - 1);
  int failures = 0;
  for (AbsoluteDay d = kFirstDay; d <= kLastDay && failures < 10; ++d) {
    const GregorianDate g = GregorianFromAbsolute(d);
    const HebrewDate h = HebrewFromAbsolute(d);
    bool ok = AbsoluteFromGregorian(g) == d && AbsoluteFromHebrew(h) == d;
    ok = ok && g.day >= 1 && g.day <= LastDayOfGregorianMonth(g.month, g.year);
    ok = ok && h.day >= 1 && h.day <= Last_Day_Of_Hebrew_Month(h.month, h.year);
    ok = ok && h.month >= 1 && h.month <= Last_Month_Of_Hebrew_Year(h.year);
    // The next day is the next date of the same month, or day 1 of a new month.
    const bool gStep = (g.day == prevG.day + 1 && g.month == prevG.month && g.year == prevG.year) || g.day == 1;
    const bool hStep = (h.day == prevH.day + 1 && h.month == prevH.month && h.year == prevH.year) || h.day == 1;
    ok = ok && gStep && hStep;
    // The Hebrew year changes exactly at 1 Tishri.
    ok = ok && (h.year == prevH.year || (h.day == 1 && h.month == kTishri && h.year == prevH.year + 1));
    if (!ok) {
      ++failures;
      ADD_FAILURE() << "day " << d << ": " << g.day << "." << g.month << "." << g.year << " / " << h.day << "."
                    << h.month << "." << h.year;
    }
    prevG = g;
    prevH = h;
  }
}

// Dates from an independent calendar implementation (tests/data/reference_dates.csv):
// Gregorian year, month, day, absolute day, Hebrew day, month, year.
TEST(CalendarArithmetic, MatchesReferenceDates) {
  const auto rows = testdata::ReadRows("reference_dates.csv");
  ASSERT_GT(rows.size(), 2000u) << "reference_dates.csv missing or short";
  for (const auto& r : rows) {
    ASSERT_EQ(r.size(), 7u);
    int v[7];
    for (size_t i = 0; i < 7; ++i) v[i] = testdata::ToInt(r[i]).value_or(-1);
    EXPECT_EQ(AbsoluteFromGregorian(v[2], v[1], v[0]), v[3]) << r[3];
    EXPECT_EQ(HebrewFromAbsolute(v[3]), (HebrewDate{v[4], v[5], v[6]})) << r[3];
    EXPECT_EQ(GregorianFromAbsolute(v[3]), (GregorianDate{v[2], v[1], v[0]})) << r[3];
  }
}

}  // namespace
