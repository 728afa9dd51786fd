#include "calendar/names.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "storage/translate.h"

namespace {

AbsoluteDay Heb(int d, int m, int y) { return AbsoluteFromHebrew(d, m, y); }

TEST(Names, Tables) {
  translate_init("");
  EXPECT_EQ(GetWeekdayName(0), "Sunday");
  EXPECT_EQ(GetWeekdayName(6), "Shabbat");
  EXPECT_EQ(GetWeekdayName(7), "");
  EXPECT_EQ(GetWeekdayName(-1), "");
  EXPECT_EQ(GetGregorianMonthName(1), "January");
  EXPECT_EQ(GetGregorianMonthName(12), "December");
  EXPECT_EQ(GetGregorianMonthName(13), "");
  EXPECT_EQ(GetHebrewMonthName(kAdar, 5784), "Adar I");
  EXPECT_EQ(GetHebrewMonthName(kAdar, 5785), "Adar");
  EXPECT_EQ(GetHebrewMonthName(kAdarII, 5784), "Adar II");
  EXPECT_EQ(GetHebrewMonthName(kTishri, 5785), "Tishri");
  EXPECT_EQ(GetHebrewMonthName(kHeshvan, 5785), "Heshvan");
  EXPECT_EQ(GetJewishTorahSectionName(0), "Bereshith");
  EXPECT_EQ(GetJewishTorahSectionName(2), "Le'h Leha");
  EXPECT_EQ(GetJewishTorahSectionName(28), "Aharemoth");
  EXPECT_EQ(GetJewishTorahSectionName(52), "Haazinu");
  EXPECT_EQ(GetJewishTorahSectionName(53), "");
  EXPECT_EQ(GetJewishTorahSectionName(61), "");
  EXPECT_EQ(GetJewishTorahSectionName(1000), "");
  EXPECT_EQ(GetJewishShabbatSectionName(15), "Shabbat Shirah");
  EXPECT_EQ(GetJewishShabbatSectionName(61), "Shabbat Shekalim");
  EXPECT_EQ(GetJewishShabbatSectionName(64), "Shabbat Hakhodesh");
  EXPECT_EQ(GetJewishShabbatSectionName(66), "Shabbat Shuva");
  EXPECT_EQ(GetJewishShabbatSectionName(65), "");
  EXPECT_EQ(GetJewishShabbatSectionName(0), "");
  translate_done();
}

TEST(Names, RoshKhodeshTypes) {
  // 5785: Nisan has 30 days, so 30 Nisan and 1 Iyar are a two-day Rosh Khodesh.
  EXPECT_EQ(GetRoshHodeshType(Heb(30, kNisan, 5785)), 1);
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kIyar, 5785)), 2);
  // Iyar has 29 days: 1 Sivan is a single day.
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kSivan, 5785)), 0);
  // 1 Nisan of a leap year follows Adar II (29 days).
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kNisan, 5784)), 0);
  // 30 Adar I and 1 Adar II of 5784.
  EXPECT_EQ(GetRoshHodeshType(Heb(30, kAdar, 5784)), 1);
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kAdarII, 5784)), 2);
  // 1 Tishri is Rosh HaShana, never Rosh Khodesh.
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kTishri, 5785)), -1);
  EXPECT_EQ(IsDateRoshHodesh(Heb(1, kTishri, 5785)), 0);
  // 1 Heshvan follows 30-day Tishri.
  EXPECT_EQ(GetRoshHodeshType(Heb(30, kTishri, 5785)), 1);
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kHeshvan, 5785)), 2);
  EXPECT_EQ(GetRoshHodeshType(Heb(15, kHeshvan, 5785)), -1);
  EXPECT_EQ(GetRoshHodeshType(Heb(29, kElul, 5785)), -1);
  // 1 Tevet follows Kislev: 30 days in 5785 (two days), 29 in 5784 (one day).
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kTevet, 5785)), 2);
  EXPECT_EQ(GetRoshHodeshType(Heb(1, kTevet, 5784)), 0);

  // Over a range: every month start except Tishri is Rosh Khodesh, and the
  // type agrees with the length of the month before.
  for (AbsoluteDay d = Heb(1, kTishri, 5700); d < Heb(1, kTishri, 5720); ++d) {
    const HebrewDate h = HebrewFromAbsolute(d);
    const int t = GetRoshHodeshType(d);
    EXPECT_EQ(IsDateRoshHodesh(d), t >= 0 ? 1 : 0);
    if (h.day == 30) {
      EXPECT_EQ(t, 1);
    }
    if (h.day == 1 && h.month != kTishri) {
      EXPECT_EQ(t, HebrewFromAbsolute(d - 1).day == 30 ? 2 : 0);
    }
    if (h.day != 1 && h.day != 30) {
      EXPECT_EQ(t, -1);
    }
  }
}

TEST(Names, OmerCount) {
  EXPECT_EQ(GetOmerCount(Heb(15, kNisan, 5785)), 0);
  EXPECT_EQ(GetOmerCount(Heb(16, kNisan, 5785)), 1);
  EXPECT_EQ(GetOmerCount(Heb(18, kIyar, 5785)), 33);  // Lag BeOmer
  EXPECT_EQ(GetOmerCount(Heb(5, kSivan, 5785)), 49);
  EXPECT_EQ(GetOmerCount(Heb(6, kSivan, 5785)), 0);
  EXPECT_EQ(GetOmerCount(Heb(1, kTishri, 5785)), 0);
  // Sunday 13 April 2025 = 15 Nisan 5785 (first Seder night was the evening before).
  EXPECT_EQ(GetOmerCount(AbsoluteFromGregorian(14, 4, 2025)), 1);
  EXPECT_EQ(GetOmerCount(AbsoluteFromGregorian(1, 6, 2025)), 49);
}

}  // namespace
