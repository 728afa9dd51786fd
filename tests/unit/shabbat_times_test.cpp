#include "suntimes/shabbat_times.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "suntimes/sunrise.h"
#include "suntimes/timeformat.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class ShabbatTimes : public testenv::SunTimesTest {
 protected:
  struct Shown {
    std::string text;
    int candles = -1;
    int havdalah = -1;
  };
  static Shown Get(int day, int month, int year) {
    Shown s;
    s.text = "stale";
    GetShabbatTime(AbsoluteFromGregorian(day, month, year), &s.text, &s.candles, &s.havdalah);
    return s;
  }
  // Sunset in standard time at Pforzheim, from the sun module directly.
  static int Sunset(int day, int month, int year) {
    int h = 0, m = 0;
    EXPECT_EQ(GetSunsetSunrise(day, month, year, 0, 4853, 842, 1, &h, &m), 1);
    return h * 60 + m;
  }
};

TEST_F(ShabbatTimes, TimeFormat) {
  struct Case {
    int format, hour, minute;
    const char* text;
  } cases[] = {
      {0, 0, 0, "12:00AM"},   {0, 12, 0, "12:00PM"},  {0, 0, 30, "12:30AM"}, {0, 19, 5, "07:05PM"},
      {0, 11, 59, "11:59AM"}, {0, 24, 10, "12:10PM"}, {0, 25, 0, "01:00PM"}, {1, 19, 5, "19:05"},
      {1, 0, 0, "00:00"},     {1, 24, 3, "24:03"},
  };
  for (const Case& c : cases) {
    setTimeFormat(c.format);
    EXPECT_EQ(TimeformatFormatTime(c.hour, c.minute), c.text) << c.hour << ":" << c.minute;
  }
  // A right-to-left interface puts a space before the suffix.
  setTimeFormat(0);
  setLanguage(kLanguageYiddish);
  EXPECT_EQ(TimeformatFormatTime(19, 5), "07:05 PM");
  setLanguage(kLanguageEnglish);
  // Any other clock setting leaves the text alone.
  setTimeFormat(2);
  std::string text = "kept";
  TimeformatFormatTime(19, 5, &text);
  EXPECT_EQ(text, "kept");
}

TEST_F(ShabbatTimes, Expressions) {
  EXPECT_EQ(ShabbatCandleLightingExpression(), "sunset - 18");
  EXPECT_EQ(ShabbatHavdalahExpression(), "sunset + 45");
  setHavdalahValue("50 min");
  EXPECT_EQ(ShabbatHavdalahExpression(), "sunset + 50");
  setHavdalahValue("abc");
  EXPECT_EQ(ShabbatHavdalahExpression(), "sunset + 0");
  setHavdalahValue("99999999999999");
  EXPECT_EQ(ShabbatHavdalahExpression(), "sunset + 2147483647");
  setHavdalahIsMin(0);
  setHavdalahValue("8.5");
  EXPECT_EQ(ShabbatHavdalahExpression(), "sunset + degrees_below_horizon(8.5)");
}

TEST_F(ShabbatTimes, FridayAndSaturday) {
  // Friday 25 and Saturday 26 June 2010, summer time.
  Shown s = Get(25, 6, 2010);
  EXPECT_EQ(s.candles, 1);
  EXPECT_EQ(s.havdalah, 0);
  setTimeFormat(1);
  s = Get(25, 6, 2010);
  EXPECT_EQ(s.text, Clock(Sunset(25, 6, 2010) - 18 + 60));
  s = Get(26, 6, 2010);
  EXPECT_EQ(s.candles, 0);
  EXPECT_EQ(s.havdalah, 1);
  EXPECT_EQ(s.text, Clock(Sunset(26, 6, 2010) + 45 + 60));
  // An ordinary Sunday.
  s = Get(27, 6, 2010);
  EXPECT_EQ(s.candles, 0);
  EXPECT_EQ(s.havdalah, 0);
  EXPECT_EQ(s.text, "");
  // Winter: no correction.
  s = Get(24, 12, 2010);
  EXPECT_EQ(s.text, Clock(Sunset(24, 12, 2010) - 18));
  // The flags may be omitted.
  std::string text;
  GetShabbatTime(AbsoluteFromGregorian(25, 6, 2010), &text, nullptr, nullptr);
  EXPECT_EQ(text, Clock(Sunset(25, 6, 2010) - 18 + 60));
}

TEST_F(ShabbatTimes, HolidayTable) {
  struct Case {
    int day, month;
    HolidayTime diaspora, israel;
  } cases[] = {
      {29, kElul, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {1, kTishri, HolidayTime::kNone, HolidayTime::kNone},
      {2, kTishri, HolidayTime::kNone, HolidayTime::kNone},
      {9, kTishri, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {10, kTishri, HolidayTime::kHavdalah, HolidayTime::kHavdalah},
      {14, kTishri, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {15, kTishri, HolidayTime::kCandleLightingAfterNightfall, HolidayTime::kNone},
      {16, kTishri, HolidayTime::kNone, HolidayTime::kNone},
      {21, kTishri, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {22, kTishri, HolidayTime::kCandleLightingAfterNightfall, HolidayTime::kNone},
      {23, kTishri, HolidayTime::kNone, HolidayTime::kNone},
      {14, kNisan, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {15, kNisan, HolidayTime::kCandleLightingAfterNightfall, HolidayTime::kNone},
      {20, kNisan, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {21, kNisan, HolidayTime::kCandleLightingAfterNightfall, HolidayTime::kNone},
      {22, kNisan, HolidayTime::kNone, HolidayTime::kNone},
      {5, kSivan, HolidayTime::kCandleLighting, HolidayTime::kCandleLighting},
      {6, kSivan, HolidayTime::kCandleLightingAfterNightfall, HolidayTime::kNone},
      {14, kAdar, HolidayTime::kNone, HolidayTime::kNone},
  };
  for (const Case& c : cases) {
    const HebrewDate h{c.day, c.month, 5785};
    EXPECT_EQ(GetHolidayTimeKind(h, true), c.diaspora) << c.day << "." << c.month;
    EXPECT_EQ(GetHolidayTimeKind(h, false), c.israel) << c.day << "." << c.month;
  }
  // GetTimeOfHoliday copies one of the two expressions, or nothing.
  std::string e = "unchanged";
  GetTimeOfHoliday(AbsoluteFromHebrew(9, kTishri, 5786), &e, "C", "H");
  EXPECT_EQ(e, "C");
  GetTimeOfHoliday(AbsoluteFromHebrew(10, kTishri, 5786), &e, "C", "H");
  EXPECT_EQ(e, "H");
  GetTimeOfHoliday(AbsoluteFromHebrew(6, kSivan, 5785), &e, "C", "H");
  EXPECT_EQ(e, "H");  // second day: lit after nightfall
  e = "unchanged";
  GetTimeOfHoliday(AbsoluteFromHebrew(1, kTishri, 5786), &e, "C", "H");
  EXPECT_EQ(e, "unchanged");
}

TEST_F(ShabbatTimes, FestivalEvenings) {
  setTimeFormat(1);
  struct Case {
    const char* what;
    GregorianDate date;
    HebrewDate hebrew;
    int candles, havdalah;
    int minutesAfterSunset;  // standard time; every date lies in summer time
  } cases[] = {
      {"Rosh Hashana eve, Monday", {22, 9, 2025}, {29, kElul, 5785}, 1, 0, -18},
      {"Yom Kippur eve, Wednesday", {1, 10, 2025}, {9, kTishri, 5786}, 1, 0, -18},
      {"end of Yom Kippur, Thursday", {2, 10, 2025}, {10, kTishri, 5786}, 0, 1, 45},
      {"Yom Kippur eve on a Friday", {11, 10, 2024}, {9, kTishri, 5785}, 1, 0, -18},
      {"Yom Kippur on Shabbat", {12, 10, 2024}, {10, kTishri, 5785}, 0, 1, 45},
      {"Sukkot eve, Monday", {6, 10, 2025}, {14, kTishri, 5786}, 1, 0, -18},
      {"second day of Sukkot, Tuesday", {7, 10, 2025}, {15, kTishri, 5786}, 1, 0, 45},
      {"Simkhat Torah eve, Tuesday", {14, 10, 2025}, {22, kTishri, 5786}, 1, 0, 45},
      {"Pesakh eve on Shabbat: havdalah", {12, 4, 2025}, {14, kNisan, 5785}, 0, 1, 45},
      {"second seder, Sunday", {13, 4, 2025}, {15, kNisan, 5785}, 1, 0, 45},
      {"Shavuot eve, Sunday", {1, 6, 2025}, {5, kSivan, 5785}, 1, 0, -18},
      {"second day of Shavuot, Monday", {2, 6, 2025}, {6, kSivan, 5785}, 1, 0, 45},
      {"first day of Rosh Hashana, Tuesday", {23, 9, 2025}, {1, kTishri, 5786}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const AbsoluteDay d = AbsoluteFromGregorian(c.date);
    ASSERT_EQ(HebrewFromAbsolute(d), c.hebrew);
    const Shown s = Get(c.date.day, c.date.month, c.date.year);
    EXPECT_EQ(s.candles, c.candles);
    EXPECT_EQ(s.havdalah, c.havdalah);
    if (c.candles || c.havdalah) {
      EXPECT_EQ(s.text, Clock(Sunset(c.date.day, c.date.month, c.date.year) + c.minutesAfterSunset + 60));
    } else {
      EXPECT_EQ(s.text, "");
    }
  }
  // In Israel the second festival days are not kept.
  diasporaSetFlag(0);
  for (GregorianDate g : {GregorianDate{13, 4, 2025}, GregorianDate{2, 6, 2025}, GregorianDate{7, 10, 2025}}) {
    const Shown s = Get(g.day, g.month, g.year);
    EXPECT_EQ(s.candles, 0);
    EXPECT_EQ(s.havdalah, 0);
    EXPECT_EQ(s.text, "");
  }
  // ...but Yom Kippur is.
  EXPECT_EQ(Get(2, 10, 2025).havdalah, 1);
}

TEST_F(ShabbatTimes, NoTimeButTheFlagsStay) {
  // Havdalah by 8.5 deg in Helsinki in early summer: the sun never gets there.
  setCity("Helsinki");
  setHavdalahIsMin(0);
  setHavdalahValue("8.5");
  Shown s = Get(19, 6, 2010);
  EXPECT_EQ(s.havdalah, 1);
  EXPECT_EQ(s.text, "");
  // In winter it does.
  EXPECT_NE(Get(18, 12, 2010).text, "");

  // A city that is not in the file.
  setCity("Atlantis");
  s = Get(25, 6, 2010);
  EXPECT_EQ(s.candles, 1);
  EXPECT_EQ(s.text, "");

  // A negative candle-lighting setting makes an expression that does not
  // parse: the message is printed and no time shown.
  setCity("Pforzheim");
  setCandleLightingMin(-5);
  CaptureStdout();
  s = Get(25, 6, 2010);
  const std::string out = GetCapturedStdout();
  EXPECT_EQ(s.candles, 1);
  EXPECT_EQ(s.text, "");
  EXPECT_NE(out.find("  Original expression: sunset - -5\n"), std::string::npos) << out;

  // An invalid daylight-saving rule shows nothing; daylight saving off shows
  // standard time.
  setCandleLightingMin(18);
  DstSetting broken;
  broken.endMonth = 0;
  setDSTstruct(broken);
  EXPECT_EQ(Get(25, 6, 2010).text, "");
  setIsDST(0);
  setTimeFormat(1);
  EXPECT_EQ(Get(25, 6, 2010).text, Clock(Sunset(25, 6, 2010) - 18));
}

// The unformatted value behind the text: the moment in standard time, and
// the clock the month view shows.
TEST_F(ShabbatTimes, ValueBeforeFormatting) {
  ShabbatTimeValue v;
  ASSERT_TRUE(GetShabbatTimeValue(AbsoluteFromGregorian(25, 6, 2010), &v));
  EXPECT_EQ(v.isCandleLighting, 1);
  EXPECT_EQ(v.isHavdalah, 0);
  EXPECT_EQ(v.standardMinutes, Sunset(25, 6, 2010) - 18);
  EXPECT_EQ(v.gmtOffset, 1);
  EXPECT_EQ(Clock(v.hour * 60 + v.minute), Clock(Sunset(25, 6, 2010) - 18 + 60));  // summer time
  ASSERT_TRUE(GetShabbatTimeValue(AbsoluteFromGregorian(26, 6, 2010), &v));
  EXPECT_EQ(v.isHavdalah, 1);
  EXPECT_EQ(v.standardMinutes, Sunset(26, 6, 2010) + 45);
  // A weekday gets nothing; an unknown city or a broken rule keep the flag.
  EXPECT_FALSE(GetShabbatTimeValue(AbsoluteFromGregorian(27, 6, 2010), &v));
  EXPECT_EQ(v.isCandleLighting + v.isHavdalah, 0);
  setCity("Atlantis");
  EXPECT_FALSE(GetShabbatTimeValue(AbsoluteFromGregorian(25, 6, 2010), &v));
  EXPECT_EQ(v.isCandleLighting, 1);
  setCity("Pforzheim");
  DstSetting broken;
  broken.startWeekday = 7;
  setDSTstruct(broken);
  EXPECT_FALSE(GetShabbatTimeValue(AbsoluteFromGregorian(25, 6, 2010), &v));
  EXPECT_EQ(v.isCandleLighting, 1);
}

TEST_F(ShabbatTimes, SouthernHemisphere) {
  // Sydney with its own rule (first Sunday of October to first Sunday of
  // April): summer time in December, none in June.
  setCity("Sydney");
  DstSetting sydney;
  sydney.startWeekNo = 1;
  sydney.startMonth = 10;
  sydney.endWeekNo = 1;
  sydney.endMonth = 4;
  setDSTstruct(sydney);
  setTimeFormat(1);
  int h = 0, m = 0;
  ASSERT_EQ(GetSunsetSunrise(24, 12, 2010, 0, -3352, 15112, 10, &h, &m), 1);
  EXPECT_EQ(Get(24, 12, 2010).text, Clock(h * 60 + m - 18 + 60));
  ASSERT_EQ(GetSunsetSunrise(25, 6, 2010, 0, -3352, 15112, 10, &h, &m), 1);
  EXPECT_EQ(Get(25, 6, 2010).text, Clock(h * 60 + m - 18));
}

}  // namespace
