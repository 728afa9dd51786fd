// Day predicates of the halakha report: what the golden day reports do not
// show. Known dates come from printed calendars for 5782..5785; the counts
// over whole years hold in every Jewish calendar.
#include "halakha/predicates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/holidays.h"
#include "base/settings.h"
#include "halakha/seasons.h"
#include "halakha/takhanun.h"
#include "test_env.h"

namespace {

using namespace halakha;

AbsoluteDay G(int year, int month, int day) { return AbsoluteFromGregorian(day, month, year); }
AbsoluteDay Heb(int day, int month, int year) { return AbsoluteFromHebrew(day, month, year); }

// Every day of Hebrew year y.
std::vector<AbsoluteDay> DaysOfYear(int y) {
  std::vector<AbsoluteDay> days;
  for (AbsoluteDay d = Heb(1, kTishri, y); d < Heb(1, kTishri, y + 1); ++d) days.push_back(d);
  return days;
}

class Predicates : public ::testing::Test {
 protected:
  void SetUp() override { settingsReset(); }
  testenv::TempHome home_;
};

// The keyed holidays of 5785, as a printed calendar lists them; the fasts
// and Purim follow below.
TEST_F(Predicates, HolidayKeysOf5785) {
  struct Row {
    const char* key;
    AbsoluteDay expected;
  };
  const Row rows[] = {
      {"ROSH_HASHANA_I", G(2024, 10, 3)},
      {"ROSH_HASHANA_II", G(2024, 10, 4)},
      {"YOM_KIPPUR", G(2024, 10, 12)},
      {"SUKKOT_I", G(2024, 10, 17)},
      {"SUKKOT_II", G(2024, 10, 18)},
      {"SUKKOT_VII", G(2024, 10, 23)},
      {"SHEMINI_ATSERES_I", G(2024, 10, 24)},
      {"SHMINI_ATSERES_I", G(2024, 10, 24)},
      {"SHEMINI_ATSERES_II", G(2024, 10, 25)},
      {"SHMINI_ATSERES_II", G(2024, 10, 25)},
      {"KHANNUKA_I", G(2024, 12, 26)},
      {"KHANNUKA_VII", G(2025, 1, 1)},
      {"PESAKH_I", G(2025, 4, 13)},
      {"PESAKH_II", G(2025, 4, 14)},
      {"PESAKH_VIII", G(2025, 4, 20)},
      {"SHAVUOT_I", G(2025, 6, 2)},
      {"SHAVUOT_II", G(2025, 6, 3)},
  };
  // Any day of the Hebrew year finds the same dates.
  for (AbsoluteDay ref : {G(2024, 10, 3), G(2025, 2, 1), G(2025, 9, 21)}) {
    for (const Row& r : rows) {
      EXPECT_EQ(h_holiday(ref, r.key), r.expected) << r.key << " from day " << ref;
      AbsoluteDay out = 0;
      EXPECT_EQ(h_holiday2(ref, r.key, &out), 1) << r.key;
      EXPECT_EQ(out, r.expected) << r.key;
      EXPECT_EQ(isDay(r.expected, r.key), 1) << r.key;
      EXPECT_EQ(isDay(r.expected + 1, r.key), 0) << r.key;
    }
  }
}

TEST_F(Predicates, KeysIgnoreCaseAndUnknownKeysFail) {
  const AbsoluteDay ref = G(2024, 11, 1);
  EXPECT_EQ(h_holiday(ref, "Pesakh_I"), G(2025, 4, 13));
  EXPECT_EQ(isDay(G(2024, 10, 12), "yom_kippur"), 1);

  testing::internal::CaptureStdout();
  AbsoluteDay out = 12345;
  EXPECT_EQ(h_holiday2(ref, "lag_beomer", &out), 0);
  EXPECT_EQ(out, 12345) << "an unknown key leaves the result alone";
  EXPECT_EQ(h_holiday(ref, ""), 0);
  EXPECT_EQ(h_holiday_prev(ref, "purim~"), 0);
  EXPECT_EQ(isDay(ref, "NONE"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Error: Day LAG_BEOMER not found\nError: Day  not found\nError: Day PURIM~ not found\n"
            "Error: Day NONE not found\n");
}

TEST_F(Predicates, PreviousYearLookupAndDateHelpers) {
  // From Tishri .. Adar the previous Hebrew year: the last Pesakh before.
  EXPECT_EQ(h_holiday_prev(G(2024, 10, 3), "PESAKH_I"), G(2024, 4, 23));  // 1 Tishri 5785
  EXPECT_EQ(h_holiday_prev(G(2025, 3, 29), "PESAKH_I"), G(2024, 4, 23));  // 29 Adar 5785
  // From Nisan .. Elul the same year, even when Pesakh still lies ahead.
  EXPECT_EQ(h_holiday_prev(G(2025, 3, 30), "PESAKH_I"), G(2025, 4, 13));  // 1 Nisan 5785
  EXPECT_EQ(h_holiday_prev(G(2025, 9, 22), "PESAKH_I"), G(2025, 4, 13));  // 29 Elul 5785
  // 30 Adar I of a leap year has no counterpart in the common year before.
  EXPECT_EQ(h_holiday_prev(Heb(30, kAdar, 5784), "PESAKH_I"), G(2023, 4, 6));
  EXPECT_EQ(h_holiday_prev(Heb(29, kAdarII, 5784), "PURIM"), G(2023, 3, 7));

  const AbsoluteDay ref = G(2024, 11, 1);  // 30 Tishri 5785
  EXPECT_EQ(hebrDate(kNisan, 15, ref), G(2025, 4, 13));
  EXPECT_EQ(gregDate(1, 1, ref), G(2024, 1, 1));
}

TEST_F(Predicates, ShushanPurimFollowsTheCustom) {
  const CalendarRules postponed{true, true}, notPostponed{true, false};
  // 5785: 15 Adar is Shabbat 15 March 2025.
  EXPECT_EQ(shushan_purim(G(2025, 3, 15), postponed), 1);
  EXPECT_EQ(shushan_purim(G(2025, 3, 16), postponed), 1);
  EXPECT_EQ(shushan_purim(G(2025, 3, 17), postponed), 0);
  EXPECT_EQ(shushan_purim(G(2025, 3, 16), notPostponed), 0);
  // 5784: 15 Adar II is Monday 25 March 2024; the custom changes nothing.
  for (const CalendarRules& r : {postponed, notPostponed}) {
    EXPECT_EQ(shushan_purim(G(2024, 3, 25), r), 1);
    EXPECT_EQ(shushan_purim(G(2024, 3, 26), r), 0);
    EXPECT_EQ(shushan_purim(G(2024, 2, 24), r), 0) << "15 Adar I";
  }
}

// The special Shabbatot of 5785 are in the golden day reports.
TEST_F(Predicates, SpecialShabbatOnlyOnShabbat) {
  EXPECT_EQ(Halakha2CheckForSpecialShabbat(G(2025, 3, 29), 22, kDiasporaRules), 1) << "Pekude is read with Hakhodesh";
  for (AbsoluteDay d = G(2025, 2, 1); d < G(2025, 4, 1); ++d) {
    if (WeekdayOf(d) == kShabbat) continue;
    for (int code : {61, 62, 63, 64, 1000}) EXPECT_EQ(Halakha2CheckForSpecialShabbat(d, code, kDiasporaRules), 0) << d;
  }
}

// Days the golden day reports do not show.
TEST_F(Predicates, TakhanunAndSummerRequest) {
  struct Row {
    const char* what;
    AbsoluteDay day;
    int expected;
  };
  const Row noTakhanun[] = {
      {"ordinary Wednesday", G(2024, 11, 13), 0}, {"Rosh Khodesh Heshvan", G(2024, 11, 2), 1},
      {"Shushan Purim Katan", G(2024, 2, 24), 1}, {"1 Nisan", G(2025, 3, 30), 1},
      {"30 Nisan", G(2025, 4, 28), 1},            {"17 Iyar", G(2025, 5, 15), 0},
      {"1 Sivan", G(2025, 5, 28), 1},             {"9 Sivan", G(2025, 6, 5), 0},
      {"25 Tishri", G(2024, 10, 27), 0},
  };
  for (const Row& r : noTakhanun) EXPECT_EQ(takhanun_free(r.day, kDiasporaRules), r.expected) << r.what;
  // Isru Khag, the day after the festival where it is kept: 7 Sivan and
  // 23 Tishri in Israel, 8 Sivan and 24 Tishri abroad, without Takhanun
  // there. After Pesakh it is in Nisan, which has none anyway.
  struct IsruKhag {
    AbsoluteDay day;
    int israel, diaspora;  // isru_khag; takhanun_free is the same but for Nisan
  };
  const IsruKhag isruKhag[] = {
      {G(2025, 6, 3), 1, 0},    // 7 Sivan 5785, Shavuot II abroad
      {G(2025, 6, 4), 0, 1},    // 8 Sivan
      {G(2024, 10, 25), 1, 0},  // 23 Tishri 5785, Simkhat Tora abroad
      {G(2024, 10, 26), 0, 1},  // 24 Tishri
      {G(2025, 4, 20), 1, 0},   // 22 Nisan
      {G(2025, 4, 21), 0, 1},   // 23 Nisan
  };
  for (const IsruKhag& k : isruKhag) {
    const bool nisan = month(k.day) == kNisan;
    EXPECT_EQ(isru_khag(k.day, kIsraelRules), k.israel) << "Israel " << k.day;
    EXPECT_EQ(isru_khag(k.day, kDiasporaRules), k.diaspora) << "Diaspora " << k.day;
    EXPECT_EQ(takhanun_free(k.day, kIsraelRules), nisan ? 1 : k.israel) << "Israel " << k.day;
    EXPECT_EQ(takhanun_free(k.day, kDiasporaRules), nisan ? 1 : k.diaspora) << "Diaspora " << k.day;
  }
  EXPECT_EQ(festive_no_takhanun(G(2024, 11, 2), kDiasporaRules), 0) << "Rosh Khodesh alone";

  const Row summer[] = {  // Diaspora, Israel in the last rows
      {"Pesakh I 5784", G(2024, 4, 23), 0},
      {"Pesakh II 5784", G(2024, 4, 24), 1},
      {"summer", G(2024, 7, 1), 1},
      {"after 6 Heshvan", G(2024, 11, 8), 1},
      {"5 December 2023 (before a leap year)", G(2023, 12, 5), 1},
      {"6 December 2023", G(2023, 12, 6), 0},
      {"1 Nisan 5785", G(2025, 3, 30), 0},
  };
  for (const Row& r : summer) EXPECT_EQ(summer_request(r.day, kDiasporaRules), r.expected) << r.what;
  EXPECT_EQ(summer_request(G(2024, 4, 24), kIsraelRules), 1) << "Israel, Pesakh II";
  EXPECT_EQ(summer_request(G(2025, 1, 15), kIsraelRules), 0) << "Israel, winter";
}

// The first weekday asking for rain, once a year: in Israel 7 Heshvan, abroad
// 5 December (6 December in a Gregorian year before a leap year), each moved
// to the Sunday when it is a Shabbat.
TEST_F(Predicates, FirstRainRequestOncePerYear) {
  for (int y = 5750; y <= 5850; ++y) {
    const AbsoluteDay heshvan7 = Heb(7, kHeshvan, y);
    const int civil = GregorianFromAbsolute(heshvan7).year;
    const AbsoluteDay december = G(civil, 12, civil % 4 == 3 ? 6 : 5);
    const auto sunday = [](AbsoluteDay x) { return WeekdayOf(x) == kShabbat ? x + 1 : x; };
    for (const auto& [rules, expected] : {std::pair{kIsraelRules, sunday(heshvan7)},
                                          std::pair{kDiasporaRules, sunday(december)}}) {
      std::vector<AbsoluteDay> days;
      for (AbsoluteDay d : DaysOfYear(y))
        if (first_rain_request(d, rules)) days.push_back(d);
      EXPECT_EQ(days, std::vector<AbsoluteDay>{expected}) << y << (rules.diaspora ? " Diaspora" : " Israel");
    }
  }
}

// Counts that hold in every Hebrew year, in Israel and in the Diaspora.
TEST_F(Predicates, YearlyCounts) {
  for (int y = 5750; y <= 5850; ++y) {
    for (int diaspora : {0, 1}) {
      const CalendarRules r{diaspora != 0, true};
      int yomTov = 0, fasts = 0, kholHaMoed = 0, khanukka = 0, seven = 0, omer = 0, tishaDate = 0;
      int omerSum = 0;
      for (AbsoluteDay d : DaysOfYear(y)) {
        yomTov += yom_tov(d, r);
        fasts += fast_day(d);
        kholHaMoed += khol_haMoed(d, r);
        khanukka += khanukah(d);
        seven += khanukka_seven(d);
        if (khanukka_seven(d)) {
          EXPECT_EQ(khanukah(d), 1);
        }
        if (day_in_omer(d)) {
          ++omer;
          omerSum += day_in_omer(d);
        }
        tishaDate += tisha_beAv(d);
        // A fast is never kept on Shabbat, except Yom Kippur.
        if (fast_day(d) && shabbat(d)) {
          EXPECT_TRUE(isDay(d, "YOM_KIPPUR")) << d;
        }
        if (isDay(d, "TISHA_BEAV")) {
          EXPECT_EQ(tisha_beAv(d), 1);
        }
        // Taanit Ester falls on Monday, Wednesday or Thursday.
        if (isDay(d, "TAANIT_ESTHER")) {
          EXPECT_TRUE(WeekdayOf(d) == kMonday || WeekdayOf(d) == kWednesday || WeekdayOf(d) == kThursday) << d;
        }
        if (rest_day(d, r)) {
          EXPECT_TRUE(shabbat(d) || yom_tov(d, r) || high_holiday(d));
        }
      }
      EXPECT_EQ(yomTov, diaspora ? 10 : 5) << y;
      EXPECT_EQ(fasts, 6) << y;
      EXPECT_EQ(kholHaMoed, diaspora ? 9 : 11) << y;
      EXPECT_EQ(khanukka, 8) << y;
      EXPECT_EQ(seven, 7) << y;
      EXPECT_EQ(omer, 49) << y;
      EXPECT_EQ(omerSum, 49 * 50 / 2) << y;
      // 9 Av, and 10 Av as well when the fast is put off to it.
      const bool putOff = WeekdayOf(Heb(9, kAv, y)) == kShabbat;
      EXPECT_EQ(tishaDate, putOff ? 2 : 1) << y;
    }
  }
}

}  // namespace
