#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "test_env.h"

namespace {

const AbsoluteDay kFirstDay = AbsoluteFromGregorian(1, 1, kFirstYear);
const AbsoluteDay kLastDay = AbsoluteFromGregorian(31, 12, kLastYear);

TEST(CalendarArithmetic, WorkedDates) {
  EXPECT_EQ(AbsoluteFromGregorian(1, 1, 1970), 719163);
  EXPECT_EQ(WeekdayOf(719163), kThursday);
  EXPECT_EQ(AbsoluteFromGregorian(31, 12, 2000), 730485);
  EXPECT_EQ(AbsoluteFromGregorian(1, 1, 1), 1);
  EXPECT_EQ(WeekdayOf(1), kMonday);

  // 1 Tishri 5785 = Thursday 3 October 2024; a 355-day common year.
  EXPECT_EQ(AbsoluteFromHebrew(1, kTishri, 5785), 739162);
  EXPECT_EQ(GregorianFromAbsolute(739162), (GregorianDate{3, 10, 2024}));
  EXPECT_EQ(WeekdayOf(739162), kThursday);
  EXPECT_EQ(Days_In_Hebrew_Year(5785), 355);
  EXPECT_EQ(Long_Heshvan(5785), 1);
  EXPECT_EQ(Hebrew_Leap_Year(5785), 0);
  // 1 Tishri 5786 = Tuesday 23 September 2025; 354 days.
  EXPECT_EQ(HebrewFromAbsolute(AbsoluteFromGregorian(23, 9, 2025)), (HebrewDate{1, kTishri, 5786}));
  EXPECT_EQ(WeekdayOf(AbsoluteFromGregorian(23, 9, 2025)), kTuesday);
  EXPECT_EQ(Days_In_Hebrew_Year(5786), 354);
  // 1 Tishri 5784 = Shabbat 16 September 2023; a leap year of 383 days.
  EXPECT_EQ(HebrewFromAbsolute(AbsoluteFromGregorian(16, 9, 2023)), (HebrewDate{1, kTishri, 5784}));
  EXPECT_EQ(WeekdayOf(AbsoluteFromGregorian(16, 9, 2023)), kShabbat);
  EXPECT_EQ(Days_In_Hebrew_Year(5784), 383);
  EXPECT_EQ(Short_Kislev(5784), 1);
  // Nisan belongs to the year that began the previous Tishri: 1 Nisan 5785 is in spring 2025.
  EXPECT_EQ(GregorianFromAbsolute(AbsoluteFromHebrew(1, kNisan, 5785)), (GregorianDate{30, 3, 2025}));
}

TEST(CalendarArithmetic, MonthLengths) {
  EXPECT_EQ(LastDayOfGregorianMonth(2, 1900), 28);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2000), 29);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2024), 29);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2100), 28);
  EXPECT_EQ(LastDayOfGregorianMonth(12, 2023), 31);
  EXPECT_EQ(LastDayOfGregorianMonth(4, 2023), 30);

  // Adar has 30 days in a leap year (Adar I) and 29 otherwise.
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kAdar, 5784), 30);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kAdar, 5785), 29);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kAdarII, 5784), 29);
  EXPECT_EQ(Last_Month_Of_Hebrew_Year(5784), 13);
  EXPECT_EQ(Last_Month_Of_Hebrew_Year(5785), 12);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kHeshvan, 5785), 30);  // long Heshvan
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kKislev, 5784), 29);   // short Kislev
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kNisan, 5785), 30);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kIyar, 5785), 29);
  EXPECT_EQ(Last_Day_Of_Hebrew_Month(kElul, 5785), 29);

  // The leap years of a 19-year cycle are its years 3, 6, 8, 11, 14, 17 and 19.
  const int leapInCycle[] = {3, 6, 8, 11, 14, 17, 19};
  for (int y = 1; y <= 19; ++y) {
    const bool expected = std::find(std::begin(leapInCycle), std::end(leapInCycle), y) != std::end(leapInCycle);
    EXPECT_EQ(Hebrew_Leap_Year(y) == 1, expected) << "year " << y;
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

// Dates from an independent calendar implementation (tests/data/reference_dates.csv).
TEST(CalendarArithmetic, MatchesReferenceDates) {
  std::ifstream in(testenv::TestDataDir() + "/reference_dates.csv");
  ASSERT_TRUE(in) << "reference_dates.csv missing";
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream ss(line);
    char c;
    int gy, gm, gd, hd, hm, hy;
    long long abs;
    ss >> gy >> c >> gm >> c >> gd >> c >> abs >> c >> hd >> c >> hm >> c >> hy;
    ASSERT_TRUE(ss) << line;
    EXPECT_EQ(AbsoluteFromGregorian(gd, gm, gy), abs) << line;
    EXPECT_EQ(HebrewFromAbsolute(abs), (HebrewDate{hd, hm, hy})) << line;
    EXPECT_EQ(GregorianFromAbsolute(abs), (GregorianDate{gd, gm, gy})) << line;
    ++rows;
  }
  EXPECT_GT(rows, 2000);
}

}  // namespace
