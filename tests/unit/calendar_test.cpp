// The calendar arithmetic: dates of an independent calendar implementation
// (tests/data/reference_dates.csv), every day and year of the program's range,
// and the names, Rosh Khodesh days and Omer count of the days.
#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include "base/translate.h"
#include "calendar/festivals.h"
#include "calendar/names.h"
#include "reference_data.h"

namespace {

// Gregorian year, month, day, absolute day, Hebrew day, month, year.
TEST(CalendarArithmetic, MatchesReferenceDates) {
  const auto rows = testdata::ReadRows("reference_dates.csv");
  ASSERT_GT(rows.size(), 2000u);
  for (const auto& r : rows) {
    int v[7];
    for (size_t i = 0; i < 7; ++i) v[i] = testdata::ToInt(r.at(i)).value_or(-1);
    EXPECT_EQ(AbsoluteFromGregorian(v[2], v[1], v[0]), v[3]) << r[3];
    EXPECT_EQ(HebrewFromAbsolute(v[3]), (HebrewDate{v[4], v[5], v[6]})) << r[3];
    EXPECT_EQ(GregorianFromAbsolute(v[3]), (GregorianDate{v[2], v[1], v[0]})) << r[3];
  }
  EXPECT_EQ(LastDayOfGregorianMonth(2, 1900), 28);
  EXPECT_EQ(LastDayOfGregorianMonth(2, 2000), 29);
  EXPECT_EQ(WeekdayOf(1), kMonday);
}

// Every day converts to both calendars and back, and the next day is the
// next date of the same month or day 1 of a month; the Hebrew year changes
// exactly at 1 Tishri. Lo ADU Rosh: 1 Tishri never on Sunday, Wednesday or
// Friday; 353..355 days in a common year, 383..385 in a leap year, the sum of its months.
TEST(CalendarArithmetic, RoundTripEveryDayAndYear) {
  const AbsoluteDay first = AbsoluteFromGregorian(1, 1, kFirstYear), last = AbsoluteFromGregorian(31, 12, kLastYear);
  GregorianDate prevG = GregorianFromAbsolute(first - 1);
  HebrewDate prevH = HebrewFromAbsolute(first - 1);
  int failures = 0;
  for (AbsoluteDay d = first; d <= last && failures < 10; ++d) {
    const GregorianDate g = GregorianFromAbsolute(d);
    const HebrewDate h = HebrewFromAbsolute(d);
    // Every month start but Tishri is Rosh Khodesh: one day (0) after a month of 29 days, else the 30th (1) and the 1st
    // (2).
    const int roshKhodesh = h.day == 30 ? 1 : h.day == 1 && h.month != kTishri ? (prevH.day == 30 ? 2 : 0) : -1;
    const bool ok = GetRoshKhodeshType(h) == roshKhodesh && IsRoshKhodeshDate(h) == (roshKhodesh >= 0) &&
                    AbsoluteFromGregorian(g) == d && AbsoluteFromHebrew(h) == d && g.day >= 1 &&
                    g.day <= LastDayOfGregorianMonth(g.month, g.year) && h.day >= 1 &&
                    h.day <= Last_Day_Of_Hebrew_Month(h.month, h.year) && h.month >= 1 &&
                    h.month <= Last_Month_Of_Hebrew_Year(h.year) &&
                    (g.day == 1 || (g.day == prevG.day + 1 && g.month == prevG.month && g.year == prevG.year)) &&
                    (h.day == 1 || (h.day == prevH.day + 1 && h.month == prevH.month && h.year == prevH.year)) &&
                    (h.year == prevH.year || (h.day == 1 && h.month == kTishri && h.year == prevH.year + 1));
    if (h.day == 1 && h.month == kTishri) {
      const int wd = WeekdayOf(d), len = Days_In_Hebrew_Year(h.year), shortest = Hebrew_Leap_Year(h.year) ? 383 : 353;
      int sum = 0;
      for (int m = 1; m <= Last_Month_Of_Hebrew_Year(h.year); ++m) sum += Last_Day_Of_Hebrew_Month(m, h.year);
      EXPECT_TRUE(wd != kSunday && wd != kWednesday && wd != kFriday && len >= shortest && len <= shortest + 2 &&
                  sum == len && AbsoluteFromHebrew(1, kTishri, h.year + 1) - d == len)
          << h.year << " has " << len;
    }
    failures += !ok;
    if (!ok)
      ADD_FAILURE() << "day " << d << ": " << g.day << "." << g.month << "." << g.year << " / " << h.day << "."
                    << h.month << "." << h.year;
    prevG = g;
    prevH = h;
  }
}

// The names of weekdays, months and sections (calendar_names.tsv, from a printed luach).
TEST(Names, Tables) {
  translate_init("");
  for (const auto& f : testdata::ReadRows("calendar_names.tsv", '\t')) {
    const int n = std::stoi(f.at(1));
    EXPECT_EQ(f[0] == "weekday"   ? GetWeekdayName(n)
              : f[0] == "month"   ? GetGregorianMonthName(n)
              : f[0] == "section" ? GetJewishTorahSectionName(n)
              : f[0] == "shabbat" ? GetJewishShabbatSectionName(n)
                                  : GetHebrewMonthName(n, std::stoi(f[0])),
              f.at(2))
        << f[0] << " " << n;
  }
  translate_done();
}

TEST(Names, OmerCount) {
  // From the second evening of Pesakh (16 Nisan) to the eve of Shavuot; Lag BaOmer is 18 Iyar.
  const AbsoluteDay omer = AbsoluteFromHebrew(16, kNisan, 5785);
  EXPECT_EQ(GetOmerCount(omer - 1), 0);
  EXPECT_EQ(GetOmerCount(omer), 1);
  EXPECT_EQ(GetOmerCount(AbsoluteFromHebrew(18, kIyar, 5785)), 33);
  EXPECT_EQ(GetOmerCount(omer + 48), 49);
  EXPECT_EQ(GetOmerCount(omer + 49), 0);
}

}  // namespace
