// The special times of a day (candles, havdalah, fasts, Khanukka, khamets): which days get them, from the Hebrew
// calendar alone over two centuries, and the times of chosen days against a reviewed golden file.
#include "suntimes/day_times.h"

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/rules.h"
#include "compose/current_options.h"
#include "compose/zmanim_text.h"
#include "suntimes/sunrise.h"
#include "suntimes_env.h"

namespace {

using testenv::Clock;

bool On(AbsoluteDay d, int day, int month) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return h.day == day && h.month == month;
}
// The days on which work is forbidden, as a printed luach lists them (the last five only in the Diaspora).
bool FestivalDay(AbsoluteDay d, bool diaspora) {
  static constexpr std::pair<int, int> kDays[] = {
      {1, kTishri}, {2, kTishri},  {10, kTishri}, {15, kTishri}, {22, kTishri}, {15, kNisan}, {21, kNisan},
      {6, kSivan},  {16, kTishri}, {23, kTishri}, {16, kNisan},  {22, kNisan},  {7, kSivan}};
  return std::any_of(kDays, kDays + (diaspora ? 13 : 8), [d](const auto& f) { return On(d, f.first, f.second); });
}
// The kept date of a fast: on Shabbat Taanit Ester moves to the Thursday before, the others to the Sunday after.
AbsoluteDay Kept(int day, int month, int year, bool toThursday = false) {
  const AbsoluteDay d = AbsoluteFromHebrew(day, month, year);
  return WeekdayOf(d) != kShabbat ? d : toThursday ? d - 2 : d + 1;
}
bool IsMinorFast(AbsoluteDay d) {
  const int y = HebrewFromAbsolute(d).year;
  return d == Kept(3, kTishri, y) || On(d, 10, kTevet) ||
         d == Kept(13, Hebrew_Leap_Year(y) ? kAdarII : kAdar, y, true) || d == Kept(17, kTammuz, y);
}
bool IsTishaBeAv(AbsoluteDay d) { return d == Kept(9, kAv, HebrewFromAbsolute(d).year); }

class DayTimesTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    o_ = CurrentOptions();
    o_.times.dstRule.reset();  // standard time: the clock shows the sun module's minutes
    o_.times.clock.format = kTimeFormat24;
  }
  Options o_;
};

// Every day of two centuries, in Israel and the Diaspora, has exactly the times the dates give: candles on Friday and
// before a festival day (after nightfall when that evening ends Shabbat or a festival day), havdalah after Shabbat or a
// festival day (every case reached); the fasts begin on their day (Tisha BeAv and Yom Kippur the evening before) and
// end on it; Khanukka's lights on the eight evenings before its days with their number; khamets on 14 Nisan, burnt on
// the Friday when 14 Nisan is Shabbat.
TEST_F(DayTimesTest, SpecialTimesOverWholeYears) {
  using K = DayTimeKind;
  using E = EveningTime;
  const K kinds[] = {K::kCandles, K::kCandlesAfterNightfall, K::kCandlesAfterNightfall, K::kCandles, K::kHavdalah,
                     K::kHavdalah};
  const E evenings[] = {E::kCandleLighting,
                        E::kCandleLightingAfterNightfall,
                        E::kCandleLightingAfterNightfall,
                        E::kCandleLighting,
                        E::kHavdalah,
                        E::kHavdalah,
                        E::kNone};
  for (const bool diaspora : {false, true}) {
    SCOPED_TRACE(diaspora ? "Diaspora" : "Israel");
    o_.rules.diaspora = diaspora;
    const DayTimes times = DayTimesFor(o_.rules, o_.times, o_.style);
    std::array<int, 7> reached{};
    for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5750); d < AbsoluteFromHebrew(1, kTishri, 5950); ++d) {
      const bool today = FestivalDay(d, diaspora), tomorrow = FestivalDay(d + 1, diaspora);
      const bool shabbat = WeekdayOf(d) == kShabbat;
      const size_t c = WeekdayOf(d) == kFriday ? 0
                       : tomorrow && today     ? 1
                       : tomorrow && shabbat   ? 2
                       : tomorrow              ? 3
                       : shabbat               ? 4
                       : today                 ? 5
                                               : 6;
      ++reached[c];
      ASSERT_EQ(IsFestivalDay(d, o_.rules), today) << d;
      ASSERT_EQ(EveningTimeOf(d, o_.rules), evenings[c]) << d;
      std::vector<K> expected;
      if (c < 6) expected.push_back(kinds[c]);
      if (IsMinorFast(d) || IsTishaBeAv(d + 1) || On(d + 1, 10, kTishri)) expected.push_back(K::kFastBegins);
      if (IsMinorFast(d) || IsTishaBeAv(d) || On(d, 10, kTishri)) expected.push_back(K::kFastEnds);
      const AbsoluteDay khanukka = AbsoluteFromHebrew(25, kKislev, HebrewFromAbsolute(d + 1).year);
      const int candles = d + 1 >= khanukka && d + 1 < khanukka + 8 ? static_cast<int>(d + 1 - khanukka) + 1 : 0;
      if (candles) expected.push_back(K::kKhanukka);
      const AbsoluteDay erevPesakh = AbsoluteFromHebrew(14, kNisan, HebrewFromAbsolute(d).year);
      // The firstborn fast on the eve of Pesakh, or on Thursday when the eve is Shabbat, where alone it ends.
      const bool thursdayFast = WeekdayOf(erevPesakh) == kShabbat && d == erevPesakh - 2;
      if (thursdayFast || (d == erevPesakh && WeekdayOf(d) != kShabbat)) expected.push_back(K::kFastBegins);
      if (thursdayFast) expected.push_back(K::kFastEnds);
      if (d == erevPesakh) expected.push_back(K::kKhametsEat);
      if (d == (WeekdayOf(erevPesakh) == kShabbat ? erevPesakh - 1 : erevPesakh)) expected.push_back(K::kKhametsBurn);
      std::vector<K> got;
      for (const DayTime& t : times.Of(d)) {
        // The moments of the moon and the sun are checked against their own reference.
        if (t.minorDay && t.kind != K::kFastBegins && t.kind != K::kFastEnds) continue;
        got.push_back(t.kind);
        ASSERT_TRUE(t.kind != K::kKhanukka || t.candles == candles) << d << ": " << t.candles;
      }
      std::sort(expected.begin(), expected.end());
      std::sort(got.begin(), got.end());
      ASSERT_EQ(got, expected) << "day " << d;
    }
    for (int n : reached) EXPECT_GT(n, 0);
  }
}

// The times of chosen days at Pforzheim in standard time, with the sun's rising and setting beside them, against a
// reviewed golden file: minor fasts, Yom Kippur, the deferred Tisha BeAv, khamets in a plain year and when 14 Nisan is
// Shabbat, by the GR"A and M"A hours, the alot by 16.1 degrees, expressions of one's own, and the zmanim lists that end
// with the special times.
TEST_F(DayTimesTest, DaysAsReviewed) {
  const GregorianDate days[] = {{10, 1, 2025}, {13, 3, 2025}, {11, 4, 2025}, {12, 4, 2025}, {13, 7, 2025},
                                {2, 8, 2025},  {3, 8, 2025},  {25, 9, 2025}, {1, 10, 2025}, {2, 10, 2025},
                                {15, 12, 2025}, {22, 4, 2024}};
  std::string got;
  auto list = [&](const char* title) {
    got += std::string("== ") + title + "\n";
    for (const GregorianDate& g : days) {
      std::string sun;
      for (const int which : {1, 0}) {
        int h = 0, m = 0;
        EXPECT_EQ(GetSunsetSunrise(g.day, g.month, g.year, which, 4853, 842, 1, &h, &m), 1);
        sun += (which ? " (sun " : "-") + Clock(h * 60 + m);
      }
      got += std::to_string(g.day) + "." + std::to_string(g.month) + "." + std::to_string(g.year) + sun + "):";
      for (const DayTime& t : DayTimesFor(o_.rules, o_.times, o_.style).Of(AbsoluteFromGregorian(g)))
        got += " " + std::string(DayTimeKindOf(t.kind).name) + (t.candles ? std::to_string(t.candles) : "") + " " +
               (t.computed ? Clock(t.time.hour * 60 + t.time.minute) : "----");
      got += "\n";
    }
  };
  list("default expressions");
  for (const GregorianDate& g : {GregorianDate{19, 12, 2025}, GregorianDate{2, 8, 2025}, GregorianDate{11, 4, 2025}}) {
    std::string text;
    GetZmanimForDay(AbsoluteFromGregorian(g), o_, &text);
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
  testenv::ExpectGolden("day_times.txt", got);
}

}  // namespace
