#include "calendar/names.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "base/translate.h"

namespace {

AbsoluteDay Heb(int d, int m, int y) { return AbsoluteFromHebrew(d, m, y); }

TEST(Names, Tables) {
  translate_init("");
  EXPECT_EQ(GetWeekdayName(6), "Shabbat");
  EXPECT_EQ(GetWeekdayName(7), "");
  EXPECT_EQ(GetWeekdayName(-1), "");
  EXPECT_EQ(GetGregorianMonthName(12), "December");
  EXPECT_EQ(GetGregorianMonthName(13), "");
  EXPECT_EQ(GetHebrewMonthName(kAdar, 5784), "Adar I");
  EXPECT_EQ(GetHebrewMonthName(kAdar, 5785), "Adar");
  EXPECT_EQ(GetHebrewMonthName(kAdarII, 5784), "Adar II");
  EXPECT_EQ(GetJewishTorahSectionName(2), "Le'h Leha");
  EXPECT_EQ(GetJewishTorahSectionName(52), "Haazinu");
  EXPECT_EQ(GetJewishTorahSectionName(53), "");
  EXPECT_EQ(GetJewishShabbatSectionName(15), "Shabbat Shirah");
  EXPECT_EQ(GetJewishShabbatSectionName(64), "Shabbat Hakhodesh");
  EXPECT_EQ(GetJewishShabbatSectionName(66), "Shabbat Shuva");
  EXPECT_EQ(GetJewishShabbatSectionName(65), "");
  EXPECT_EQ(GetJewishShabbatSectionName(0), "");
  translate_done();
}

TEST(Names, RoshKhodeshTypes) {
  // 5785: 30 Nisan and 1 Iyar are a two-day Rosh Khodesh; Iyar has 29 days,
  // so 1 Sivan is a single day. 1 Tishri is never Rosh Khodesh.
  EXPECT_EQ(GetRoshKhodeshType(HebrewDate{30, kNisan, 5785}), 1);
  EXPECT_EQ(GetRoshKhodeshType(HebrewDate{1, kIyar, 5785}), 2);
  EXPECT_EQ(GetRoshKhodeshType(HebrewDate{1, kSivan, 5785}), 0);
  EXPECT_EQ(GetRoshKhodeshType(HebrewDate{1, kAdarII, 5784}), 2);
  EXPECT_EQ(GetRoshKhodeshType(HebrewDate{1, kTishri, 5785}), -1);

  // Every month start except Tishri is Rosh Khodesh, and the type agrees
  // with the length of the month before.
  for (AbsoluteDay d = Heb(1, kTishri, 5700); d < Heb(1, kTishri, 5720); ++d) {
    const HebrewDate h = HebrewFromAbsolute(d);
    int expected = -1;
    if (h.day == 30) expected = 1;
    if (h.day == 1 && h.month != kTishri) expected = HebrewFromAbsolute(d - 1).day == 30 ? 2 : 0;
    EXPECT_EQ(GetRoshKhodeshType(h), expected) << h.day << "." << h.month << "." << h.year;
    EXPECT_EQ(IsRoshKhodeshDate(h), expected >= 0);
  }
}

TEST(Names, OmerCount) {
  EXPECT_EQ(GetOmerCount(Heb(15, kNisan, 5785)), 0);
  EXPECT_EQ(GetOmerCount(AbsoluteFromGregorian(14, 4, 2025)), 1);  // 16 Nisan 5785
  EXPECT_EQ(GetOmerCount(Heb(18, kIyar, 5785)), 33);                // Lag BeOmer
  EXPECT_EQ(GetOmerCount(Heb(5, kSivan, 5785)), 49);
  EXPECT_EQ(GetOmerCount(Heb(6, kSivan, 5785)), 0);
}

}  // namespace
