#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "reference_data.h"

namespace {

const AbsoluteDay kFirstDay = AbsoluteFromGregorian(1, 1, kFirstYear);
const AbsoluteDay kLastDay = AbsoluteFromGregorian(31, 12, kLastYear);

TEST(CalendarArithmetic, WorkedDates) {
  EXPECT_EQ(AbsoluteFromGregorian(1, 1, 1), 1);
  EXPECT_EQ(WeekdayOf(1), kMonday);
  EXPECT_EQ(AbsoluteFromGregorian(1, 1, 1970), 719163);
  EXPECT_EQ(WeekdayOf(719163), kThursday);

  // 1 Tishri of 5784 (a leap year), 5785 and 5786: Gregorian date, weekday,
  // days in the year, long Heshvan / short Kislev.
  struct Year {
    int year;
    GregorianDate newYear;
    int weekday, days, longHeshvan, shortKislev;
  };
  const Year years[] = {
      {5784, {16, 9, 2023}, kShabbat, 383, 0, 1},
      {5785, {3, 10, 2024}, kThursday, 355, 1, 0},
      {5786, {23, 9, 2025}, kTuesday, 354, 0, 0},
  };
  for (const Year& y : years) {
    const AbsoluteDay d = AbsoluteFromGregorian(y.newYear);
    EXPECT_EQ(HebrewFromAbsolute(d), (HebrewDate{1, kTishri, y.year}));
    EXPECT_EQ(AbsoluteFromHebrew(1, kTishri, y.year), d);
    EXPECT_EQ(WeekdayOf(d), y.weekday) << y.year;
    EXPECT_EQ(Days_In_Hebrew_Year(y.year), y.days);
    EXPECT_EQ(Long_Heshvan(y.year), y.longHeshvan) << y.year;
    EXPECT_EQ(Short_Kislev(y.year), y.shortKislev) << y.year;
    EXPECT_EQ(Hebrew_Leap_Year(y.year), y.days > 380 ? 1 : 0);
  }
  // Nisan belongs to the year that began the previous Tishri.
  EXPECT_EQ(GregorianFromAbsolute(AbsoluteFromHebrew(1, kNisan, 5785)), (GregorianDate{30, 3, 2025}));
}

TEST(CalendarArithmetic, MonthLengths) {
  EXPECT_EQ(LastDayOfGregorianMonth(2, 1900), 28);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2000), 29);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2023), 28);
  EXPECT_EQ(LastDayOfGregorianMonth(4, 2023), 30);

  // Adar has 30 days in a leap year (Adar I) and 29 otherwise.
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kAdar, 5784), 30);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kAdar, 5785), 29);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kAdarII, 5784), 29);
  EXPECT_EQ(Last_Month_Of_Hebrew_Year(5784), 13);
  EXPECT_EQ(Last_Month_Of_Hebrew_Year(5785), 12);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kNisan, 5785), 30);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kIyar, 5785), 29);

  // The leap years of a 19-year cycle are its years 3, 6, 8, 11, 14, 17 and 19.
  const int leapInCycle[] = {3, 6, 8, 11, 14, 17, 19};
  for (int y = 1; y <= 19; ++y) {
    const bool expected = std::find(std::begin(leapInCycle), std::end(leapInCycle), y) != std::end(leapInCycle);
    EXPECT_EQ(Hebrew_Leap_Year(19 * 300 + y) == 1, expected) << "year " << 19 * 300 + y;
  }
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
