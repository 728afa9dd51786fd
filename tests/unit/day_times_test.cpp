#include "suntimes/day_times.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "base/settings_file.h"
#include "calendar/calendar.h"
#include "calendar/rules.h"
#include "suntimes/sunrise.h"
#include "suntimes/zmanim.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// Minutes after midnight of an "HH:MM" text.
int Minutes(const std::string& clock) {
  if (clock.size() != 5 || clock[2] != ':') return -10000;
  return std::stoi(clock.substr(0, 2)) * 60 + std::stoi(clock.substr(3));
}

class DayTimesTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    setIsDST(0);  // standard time: the clock shows the sun module's minutes
    setTimeFormat(1);
  }
  static std::vector<DayTime> Of(const GregorianDate& g) {
    return DayTimesFor(CurrentCalendarRules(), CurrentOptions().times).Of(AbsoluteFromGregorian(g));
  }
  // The clock time of the first time of `kind` on the day, "none" when the
  // day has none, "----" when it is not computed.
  static std::string TimeOf(const GregorianDate& g, DayTimeKind kind) {
    for (const DayTime& t : Of(g))
      if (t.kind == kind) return t.computed ? Clock(t.time.hour * 60 + t.time.minute) : "----";
    return "none";
  }
  // Sunrise and sunset at Pforzheim in standard minutes, from the sun module.
  static int Sun(const GregorianDate& d, int which) {
    int h = 0, m = 0;
    EXPECT_EQ(GetSunsetSunrise(d.day, d.month, d.year, which, 4853, 842, 1, &h, &m), 1);
    return h * 60 + m;
  }
};

// The kept dates of the fasts, from the Hebrew calendar alone: a fast that
// falls on Shabbat moves, Taanit Ester to the Thursday before, the others to
// the Sunday after.
bool OnHebrewDate(AbsoluteDay d, int day, int month) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return h.day == day && h.month == month;
}
AbsoluteDay Kept(AbsoluteDay d, bool toThursday) {
  if (WeekdayOf(d) != kShabbat) return d;
  return toThursday ? d - 2 : d + 1;
}
bool IsMinorFast(AbsoluteDay d) {
  const int year = HebrewFromAbsolute(d).year;
  const int adar = Hebrew_Leap_Year(year) ? kAdarII : kAdar;
  return d == Kept(AbsoluteFromHebrew(3, kTishri, year), false) || OnHebrewDate(d, 10, kTevet) ||
         d == Kept(AbsoluteFromHebrew(13, adar, year), true) || d == Kept(AbsoluteFromHebrew(17, kTammuz, year), false);
}
bool IsTishaBeAv(AbsoluteDay d) { return d == Kept(AbsoluteFromHebrew(9, kAv, HebrewFromAbsolute(d).year), false); }

// Over two centuries, in Israel and the Diaspora, every day has exactly the
// special times the dates give: the fasts begin on their day (Tisha BeAv and
// Yom Kippur the evening before) and end on it, moved fasts included; the
// Khanukka lights on the eight evenings before its days with their number;
// khamets on 14 Nisan, burnt on the Friday when 14 Nisan is Shabbat. The
// evening's own time is the one EveningTimeOf gives.
TEST_F(DayTimesTest, SpecialTimesOverWholeYears) {
  for (const bool diaspora : {false, true}) {
    SCOPED_TRACE(diaspora ? "Diaspora" : "Israel");
    diasporaSetFlag(diaspora ? 1 : 0);
    const CalendarRules rules = CurrentCalendarRules();
    const DayTimes times = DayTimesFor(CurrentCalendarRules(), CurrentOptions().times);
    std::map<std::string, int> reached;
    const AbsoluteDay first = AbsoluteFromHebrew(1, kTishri, 5750);
    const AbsoluteDay last = AbsoluteFromHebrew(1, kTishri, 5950);
    for (AbsoluteDay d = first; d < last; ++d) {
      std::vector<DayTimeKind> expected;
      switch (EveningTimeOf(d, rules)) {
        case EveningTime::kCandleLighting: expected.push_back(DayTimeKind::kCandles); break;
        case EveningTime::kCandleLightingAfterNightfall: expected.push_back(DayTimeKind::kCandlesAfterNightfall); break;
        case EveningTime::kHavdalah: expected.push_back(DayTimeKind::kHavdalah); break;
        case EveningTime::kNone: break;
      }
      const bool yomKippurEve = OnHebrewDate(d + 1, 10, kTishri);
      if (IsMinorFast(d) || IsTishaBeAv(d + 1) || yomKippurEve) expected.push_back(DayTimeKind::kFastBegins);
      if (IsMinorFast(d) || IsTishaBeAv(d) || OnHebrewDate(d, 10, kTishri)) expected.push_back(DayTimeKind::kFastEnds);
      int candles = 0;
      const HebrewDate tomorrow = HebrewFromAbsolute(d + 1);
      const AbsoluteDay khanukka = AbsoluteFromHebrew(25, kKislev, tomorrow.year);
      if (d + 1 >= khanukka && d + 1 < khanukka + 8) {
        candles = static_cast<int>(d + 1 - khanukka) + 1;
        expected.push_back(DayTimeKind::kKhanukka);
      }
      const AbsoluteDay erevPesakh = AbsoluteFromHebrew(14, kNisan, HebrewFromAbsolute(d).year);
      if (d == erevPesakh) expected.push_back(DayTimeKind::kKhametsEat);
      if (d == (WeekdayOf(erevPesakh) == kShabbat ? erevPesakh - 1 : erevPesakh))
        expected.push_back(DayTimeKind::kKhametsBurn);

      std::vector<DayTimeKind> got;
      for (const DayTime& t : times.Of(d)) {
        got.push_back(t.kind);
        if (t.kind == DayTimeKind::kKhanukka && t.candles != candles) ADD_FAILURE() << d << ": " << t.candles;
      }
      std::sort(expected.begin(), expected.end());
      std::sort(got.begin(), got.end());
      if (got != expected) {
        ADD_FAILURE() << "day " << d << " (" << HebrewFromAbsolute(d).day << "." << HebrewFromAbsolute(d).month << "."
                      << HebrewFromAbsolute(d).year << ", weekday " << WeekdayOf(d) << ")";
        break;
      }
      if (IsTishaBeAv(d) && !OnHebrewDate(d, 9, kAv)) ++reached["Tisha BeAv deferred"];
      if (IsMinorFast(d) && WeekdayOf(d) == kThursday && HebrewFromAbsolute(d).day == 11) ++reached["Ester moved"];
      if (IsMinorFast(d) && WeekdayOf(d) == kSunday && OnHebrewDate(d, 4, kTishri)) ++reached["Gedalya moved"];
      if (yomKippurEve && WeekdayOf(d) == kFriday) ++reached["Yom Kippur on Shabbat"];
      if (candles && WeekdayOf(d) == kFriday) ++reached["Khanukka Friday"];
      if (candles && WeekdayOf(d) == kShabbat) ++reached["Khanukka Saturday"];
      if (WeekdayOf(erevPesakh) == kShabbat && d == erevPesakh) ++reached["Erev Pesakh on Shabbat"];
    }
    EXPECT_EQ(reached.size(), 7u);
  }
}

// At Pforzheim in standard time, with the default expressions: a minor fast
// begins 72 minutes before sunrise (the first alot opinion) and ends at
// 7.083 degrees, 35 to 55 minutes after sunset at 49 degrees north; Yom Kippur begins with
// its candles and ends with havdalah (sunset + 45); Tisha BeAv begins at
// sunset of the evening before.
TEST_F(DayTimesTest, FastTimes) {
  const GregorianDate tammuz{13, 7, 2025}, gedalya{25, 9, 2025};
  EXPECT_EQ(TimeOf(tammuz, DayTimeKind::kFastBegins), Clock(Sun(tammuz, 1) - 72));
  EXPECT_EQ(TimeOf(gedalya, DayTimeKind::kFastBegins), Clock(Sun(gedalya, 1) - 72));
  for (const GregorianDate& g : {tammuz, gedalya, GregorianDate{10, 1, 2025}, GregorianDate{13, 3, 2025}}) {
    SCOPED_TRACE(g.day);
    const int after = Minutes(TimeOf(g, DayTimeKind::kFastEnds)) - Sun(g, 0);
    EXPECT_TRUE(after >= 35 && after <= 55) << after;
  }
  const GregorianDate erevYomKippur{1, 10, 2025}, yomKippur{2, 10, 2025};
  EXPECT_EQ(TimeOf(erevYomKippur, DayTimeKind::kFastBegins), Clock(Sun(erevYomKippur, 0) - 18));
  EXPECT_EQ(TimeOf(erevYomKippur, DayTimeKind::kCandles), Clock(Sun(erevYomKippur, 0) - 18));
  EXPECT_EQ(TimeOf(yomKippur, DayTimeKind::kFastEnds), Clock(Sun(yomKippur, 0) + 45));
  EXPECT_EQ(TimeOf(yomKippur, DayTimeKind::kHavdalah), Clock(Sun(yomKippur, 0) + 45));
  // 9 Av 5785 was Shabbat: the fast began at sunset on Saturday 2 August,
  // after Shabbat's havdalah time was not yet, and ended on Sunday.
  const GregorianDate saturday{2, 8, 2025}, sunday{3, 8, 2025};
  EXPECT_EQ(TimeOf(saturday, DayTimeKind::kFastBegins), Clock(Sun(saturday, 0)));
  EXPECT_EQ(TimeOf(saturday, DayTimeKind::kHavdalah), Clock(Sun(saturday, 0) + 45));
  EXPECT_EQ(TimeOf(sunday, DayTimeKind::kFastBegins), "none");
  EXPECT_NE(TimeOf(sunday, DayTimeKind::kFastEnds), "none");
  // The order of the day: the fast's beginning before its candles, the
  // Saturday's sunset before its havdalah.
  const std::vector<DayTime> evening = Of(saturday);
  ASSERT_EQ(evening.size(), 2u);
  EXPECT_EQ(evening[0].kind, DayTimeKind::kFastBegins);
  EXPECT_EQ(evening[1].kind, DayTimeKind::kHavdalah);
}

// The fast's beginning follows the alot choice; its end, the Tisha BeAv
// beginning and the Khanukka lights follow their own settings; a setting
// that is not an expression gives no time (and its message), not a crash.
TEST_F(DayTimesTest, ExpressionsFromTheSettings) {
  const GregorianDate tammuz{13, 7, 2025};
  SettingsSet("ZmanimAlotHaShachar", "AlotHashachar16");
  EXPECT_EQ(SpecialTimeExpressionsInUse().fastBegins, "sunrise - degrees_below_horizon(16.1)");
  const int earlier = Sun(tammuz, 1) - Minutes(TimeOf(tammuz, DayTimeKind::kFastBegins));
  // 16.1 degrees at 49 N in July: some two and a half hours before sunrise.
  EXPECT_TRUE(earlier > 120 && earlier < 180) << earlier;
  setTimeFastBegins("sunrise - 90");
  setTimeFastEnds("sunset + 40");
  setTimeTishaBeAvBegins("sunset - 10");
  setTimeKhanukka("sunset + 30");
  EXPECT_EQ(TimeOf(tammuz, DayTimeKind::kFastBegins), Clock(Sun(tammuz, 1) - 90));
  EXPECT_EQ(TimeOf(tammuz, DayTimeKind::kFastEnds), Clock(Sun(tammuz, 0) + 40));
  EXPECT_EQ(TimeOf({2, 8, 2025}, DayTimeKind::kFastBegins), Clock(Sun({2, 8, 2025}, 0) - 10));
  EXPECT_EQ(TimeOf({15, 12, 2025}, DayTimeKind::kKhanukka), Clock(Sun({15, 12, 2025}, 0) + 30));
  // Yom Kippur keeps its candles and havdalah.
  EXPECT_EQ(TimeOf({2, 10, 2025}, DayTimeKind::kFastEnds), Clock(Sun({2, 10, 2025}, 0) + 45));
  setTimeFastEnds("sunset + + 40");
  CaptureStdout();
  EXPECT_EQ(TimeOf(tammuz, DayTimeKind::kFastEnds), "----");
  EXPECT_EQ(TimeOf(tammuz, DayTimeKind::kFastBegins), Clock(Sun(tammuz, 1) - 90));  // the others still work
  EXPECT_NE(GetCapturedStdout().find("sunset + + 40"), std::string::npos);
}

// Khanukka 5786 (evenings 14 to 21 December 2025): one to eight candles,
// Sunday to Thursday at nightfall, on Friday at the Shabbat candle lighting
// and before the Shabbat candles, on Saturday at havdalah and after it.
TEST_F(DayTimesTest, KhanukkaLights) {
  const std::string nightfall = TimeOf({14, 12, 2025}, DayTimeKind::kFastEnds);  // no fast that day
  EXPECT_EQ(nightfall, "none");
  for (int n = 1; n <= 8; ++n) {
    const GregorianDate g{13 + n, 12, 2025};
    SCOPED_TRACE(n);
    const std::vector<DayTime> times = Of(g);
    const auto lights = std::find_if(times.begin(), times.end(), [](const DayTime& t) { return t.kind == DayTimeKind::kKhanukka; });
    ASSERT_NE(lights, times.end());
    EXPECT_EQ(lights->candles, n);
    const int minutes = lights->time.hour * 60 + lights->time.minute;
    const int weekday = WeekdayOf(AbsoluteFromGregorian(g));
    if (weekday == kFriday) {
      ASSERT_EQ(times.size(), 2u);
      EXPECT_EQ(times[0].kind, DayTimeKind::kKhanukka);  // lit first
      EXPECT_EQ(times[1].kind, DayTimeKind::kCandles);
      EXPECT_EQ(minutes, Sun(g, 0) - 18);
    } else if (weekday == kShabbat) {
      ASSERT_EQ(times.size(), 2u);
      EXPECT_EQ(times[0].kind, DayTimeKind::kHavdalah);
      EXPECT_EQ(times[1].kind, DayTimeKind::kKhanukka);
      EXPECT_EQ(minutes, Sun(g, 0) + 45);
    } else {
      ASSERT_EQ(times.size(), 1u);
      EXPECT_TRUE(minutes - Sun(g, 0) >= 35 && minutes - Sun(g, 0) <= 55) << minutes - Sun(g, 0);
    }
  }
  DayTime t;
  t.kind = DayTimeKind::kKhanukka;
  t.candles = 1;
  EXPECT_EQ(DayTimeLabel(t), "Khanukka: 1 candle");
  EXPECT_EQ(DayTimeListLabel(t), "Khanukka, 1 candle");
  t.candles = 3;
  EXPECT_EQ(DayTimeLabel(t), "Khanukka: 3 candles");
  EXPECT_EQ(DayTimeListLabel(t), "Khanukka, 3 candles");
}

// Khamets: eaten until the end of the 4th proportional hour of 14 Nisan and
// burnt by the end of the 5th, each hour a twelfth of sunrise..sunset; by the
// M"A opinion the day runs from 72 minutes before sunrise to 72 after
// sunset. 14 Nisan 5785 was Shabbat: the burning was on Friday 11 April.
TEST_F(DayTimesTest, Khamets) {
  auto hourEnd = [](const GregorianDate& g, int n, bool ma) {
    const int rise = Sun(g, 1) - (ma ? 72 : 0), set = Sun(g, 0) + (ma ? 72 : 0);
    return rise + n * (set - rise) / 12;
  };
  auto near = [](const std::string& shown, int minutes) {
    return std::abs(Minutes(shown) - minutes) <= 1;  // the hour is computed to the second
  };
  const GregorianDate monday{22, 4, 2024}, friday{11, 4, 2025}, shabbat{12, 4, 2025};
  for (const bool ma : {false, true}) {
    SCOPED_TRACE(ma ? "M\"A" : "GR\"A");
    if (ma) SettingsSet("ZmanimKriatShema", "KriatShemaMA");
    EXPECT_TRUE(near(TimeOf(monday, DayTimeKind::kKhametsEat), hourEnd(monday, 4, ma)));
    EXPECT_TRUE(near(TimeOf(monday, DayTimeKind::kKhametsBurn), hourEnd(monday, 5, ma)));
    EXPECT_TRUE(near(TimeOf(shabbat, DayTimeKind::kKhametsEat), hourEnd(shabbat, 4, ma)));
    EXPECT_EQ(TimeOf(shabbat, DayTimeKind::kKhametsBurn), "none");
    EXPECT_TRUE(near(TimeOf(friday, DayTimeKind::kKhametsBurn), hourEnd(friday, 5, ma)));
    EXPECT_EQ(TimeOf(friday, DayTimeKind::kKhametsEat), "none");
  }
}

// Times that do not exist are listed as not computed: alot at 16.1 degrees
// in a Helsinki June night, any time of a city the file does not have.
TEST_F(DayTimesTest, TimesThatDoNotExist) {
  setCity("Helsinki");
  SettingsSet("ZmanimAlotHaShachar", "AlotHashachar16");
  const GregorianDate tammuz{13, 7, 2025};
  EXPECT_EQ(TimeOf(tammuz, DayTimeKind::kFastBegins), "----");
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(tammuz), &text);
  EXPECT_NE(text.find("\nFast begins: ----\n"), std::string::npos) << text;
  setCity("Atlantis");
  for (const DayTime& t : Of(tammuz)) EXPECT_FALSE(t.computed);
  EXPECT_EQ(Of(tammuz).size(), 2u);
}

// The zmanim list of a day ends with its special times, labelled; the
// candle-lighting and havdalah times are not zmanim lines.
TEST_F(DayTimesTest, ZmanimListEndsWithTheSpecialTimes) {
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(19, 12, 2025), &text);  // Friday, the sixth evening of Khanukka
  const size_t lights = text.find("Khanukka, 6 candles: ");
  ASSERT_NE(lights, std::string::npos) << text;
  EXPECT_GT(lights, text.find("tset haKokhavim: "));
  EXPECT_EQ(text.find("Candle Lighting"), std::string::npos);
  GetZmanimForDay(AbsoluteFromGregorian(2, 8, 2025), &text);  // the evening before a deferred Tisha BeAv
  const std::string end = "\nFast begins: " + Clock(Sun({2, 8, 2025}, 0)) + "\n";
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  GetZmanimForDay(AbsoluteFromGregorian(11, 4, 2025), &text);
  EXPECT_NE(text.find("\nBurn khamets: "), std::string::npos);
  EXPECT_EQ(text.find("Last time to eat khamets"), std::string::npos);
}

}  // namespace
