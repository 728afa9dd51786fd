#include "suntimes/day_times.h"

#include "compose/current_options.h"
#include "compose/zmanim_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

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

class DayTimesTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    o_ = CurrentOptions();
    o_.times.dstRule.reset();  // standard time: the clock shows the sun module's minutes
    o_.times.clock.format = kTimeFormat24;
  }
  std::vector<DayTime> Of(const GregorianDate& g) const {
    return DayTimesFor(o_.rules, o_.times).Of(AbsoluteFromGregorian(g));
  }
  Options o_;
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
    o_.rules.diaspora = diaspora;
    const CalendarRules& rules = o_.rules;
    const DayTimes times = DayTimesFor(rules, o_.times);
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
        ADD_FAILURE() << "day " << d;
        break;
      }
    }
  }
}

// The times of chosen days at Pforzheim in standard time, with the sun's
// rising and setting beside them, against a reviewed golden file: minor
// fasts, Yom Kippur, the deferred Tisha BeAv, khamets in a plain year and
// when 14 Nisan is Shabbat, by the GR"A and M"A hours, the alot by 16.1
// degrees, expressions of one's own, and the zmanim lists that end with
// the special times. A setting that is not an expression gives no time and
// its message, the other times still there.
TEST_F(DayTimesTest, DaysAsReviewed) {
  const GregorianDate days[] = {{10, 1, 2025}, {13, 3, 2025}, {11, 4, 2025}, {12, 4, 2025}, {13, 7, 2025},
                                {2, 8, 2025},  {3, 8, 2025},  {25, 9, 2025}, {1, 10, 2025}, {2, 10, 2025},
                                {15, 12, 2025}, {22, 4, 2024}};
  std::string got;
  auto list = [&](const char* title) {
    got += std::string("== ") + title + "\n";
    for (const GregorianDate& g : days) {
      got += std::to_string(g.day) + "." + std::to_string(g.month) + "." + std::to_string(g.year) + " (sun " +
             Clock(Sun(g, 1)) + "-" + Clock(Sun(g, 0)) + "):";
      for (const DayTime& t : Of(g))
        got += " " + std::string(DayTimeKindOf(t.kind).name) + (t.candles ? std::to_string(t.candles) : "") + " " +
               (t.computed ? Clock(t.time.hour * 60 + t.time.minute) : "----");
      got += "\n";
    }
  };
  list("default expressions");
  for (const GregorianDate& g : {GregorianDate{19, 12, 2025}, GregorianDate{2, 8, 2025}, GregorianDate{11, 4, 2025}}) {
    std::string text;
    GetZmanimForDay(AbsoluteFromGregorian(g), o_.rules, o_.times, &text);
    got += "== zmanim of " + std::to_string(g.day) + "." + std::to_string(g.month) + "\n" + text;
  }
  ASSERT_TRUE(testenv::Choose(o_.times.opinions, "ZmanimKriatShema", "KriatShemaMA") &&
              testenv::Choose(o_.times.opinions, "ZmanimAlotHaShachar", "AlotHashachar16"));
  list("M\"A hours, alot at 16.1 degrees");
  o_.times.special.fastBegins = "sunrise - 90";
  o_.times.special.fastEnds = "sunset + 40";
  o_.times.special.tishaBeAvBegins = "sunset - 10";
  o_.times.special.khanukka = "sunset + 30";
  list("fast begins sunrise - 90, ends sunset + 40, Tisha BeAv sunset - 10, Khanukka sunset + 30");
  o_.times.special.fastEnds = "sunset + + 40";
  CaptureStdout();
  list("fast ends sunset + + 40");
  EXPECT_NE(GetCapturedStdout().find("sunset + + 40"), std::string::npos);
  testenv::ExpectGolden("day_times.txt", got);
}

}  // namespace
