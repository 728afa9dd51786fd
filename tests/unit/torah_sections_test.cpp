#include "calendar/torah_sections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "storage/settings.h"
#include "test_env.h"

namespace {

AbsoluteDay Greg(int d, int m, int y) { return AbsoluteFromGregorian(d, m, y); }

// The first and last Hebrew years of the program's Gregorian range.
constexpr int kFirstHebrewYear = 5343;
constexpr int kLastHebrewYear = 6761;

bool IsWeekly(int code) { return code >= 0 && code <= 52; }
bool IsSpecial(int code) { return code >= 61 && code <= 65; }

std::vector<int> Codes(const ShabbatSections& s) {
  std::vector<int> v;
  for (int c : {s.c1, s.c2, s.c3})
    if (c != 1000) v.push_back(c);
  return v;
}

std::string Joined(const ShabbatSections& s) {
  std::string out;
  for (int c : Codes(s)) out += (out.empty() ? "" : "+") + std::to_string(c);
  return out;
}

class TorahSections : public ::testing::Test {
 protected:
  void SetUp() override { settingsReset(); }
  void TearDown() override { settingsReset(); }

  // The entry of Shabbat d; fails the test when there is none.
  static ShabbatSections At(AbsoluteDay d) {
    ShabbatSections s{-1, -1, -1};
    EXPECT_EQ(GetTorahSectionShabbat(d, &s), 1) << testdata::IsoOf(d);
    return s;
  }

  // The entries of every Shabbat of the Torah year that starts with Shabbat
  // Bereshith of `year`.
  static std::vector<ShabbatSections> TorahYear(int year) {
    std::vector<ShabbatSections> out;
    for (AbsoluteDay d = DetermineBereshith(year); d < DetermineBereshith(year + 1); d += 7) out.push_back(At(d));
    return out;
  }

  testenv::TempHome home_;
};

// Every Saturday of 5600..5860 against tests/data/shabbat_sections.csv (an
// independent calendar), for Israel and the Diaspora.
TEST_F(TorahSections, MatchIndependentCalendar) {
  const auto rows = testdata::ReadRows("shabbat_sections.csv");
  ASSERT_GT(rows.size(), 400u) << "shabbat_sections.csv missing or short";
  int compared = 0;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 4u);
    diasporaSetFlag(row[1] == "d" ? 1 : 0);
    const AbsoluteDay first = *testdata::IsoDay(row[2]);
    const auto entries = testdata::SplitRow(row[3], ' ');
    for (size_t k = 0; k < entries.size(); ++k) {
      const AbsoluteDay d = first + 7 * static_cast<AbsoluteDay>(k);
      EXPECT_EQ(Joined(At(d)), entries[k]) << testdata::IsoOf(d) << (row[1] == "d" ? " Diaspora" : " Israel");
      ++compared;
    }
  }
  EXPECT_GT(compared, 26000);
}

// Saturdays, and only Saturdays, get an entry over the whole range of days.
TEST_F(TorahSections, EverySaturdayAndNoOtherDay) {
  for (int diaspora = 0; diaspora <= 1; ++diaspora) {
    diasporaSetFlag(diaspora);
    int failures = 0;
    for (AbsoluteDay d = Greg(1, 1, kFirstYear); d <= Greg(31, 12, kLastYear) && failures < 5; ++d) {
      int32_t c1 = -7, c2 = -7, c3 = -7;
      const int found = GetTorahSectionShabbat(d, &c1, &c2, &c3);
      const bool ok = WeekdayOf(d) == kShabbat ? (found == 1 && c1 != -7 && c2 != -7 && c3 != -7)
                                               : (found == 0 && c1 == -7 && c2 == -7 && c3 == -7);
      if (!ok) {
        ++failures;
        ADD_FAILURE() << testdata::IsoOf(d) << " returned " << found;
      }
    }
  }
  // Null pointers are allowed in the three-pointer form.
  EXPECT_EQ(GetTorahSectionShabbat(Greg(26, 10, 2024), nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(GetTorahSectionShabbat(Greg(26, 10, 2024), nullptr), 1);
}

// The lists hold each weekly section exactly once per Torah year, in order,
// and every year type occurs.
TEST_F(TorahSections, EachSectionOncePerYearInOrder) {
  std::set<int> types;
  for (int diaspora = 0; diaspora <= 1; ++diaspora) {
    diasporaSetFlag(diaspora);
    for (int year = kFirstHebrewYear; year <= kLastHebrewYear; ++year) {
      const int type = TorahGetYearType(year);
      ASSERT_NE(type, kNoYearType) << year;
      types.insert(type);
      std::vector<int> weekly;
      for (const ShabbatSections& s : TorahYear(year))
        for (int c : Codes(s))
          if (IsWeekly(c)) weekly.push_back(c);
      std::vector<int> expected(53);
      for (int i = 0; i < 53; ++i) expected[static_cast<size_t>(i)] = i;
      ASSERT_EQ(weekly, expected) << year << (diaspora ? " Diaspora" : " Israel");
    }
  }
  EXPECT_EQ(types.size(), 14u);
  EXPECT_EQ(*types.rbegin(), 13);
}

// Festivals occupy exactly the Shabbatot that are festival days, with the
// second days only in the Diaspora.
TEST_F(TorahSections, FestivalCodesOnTheirDates) {
  // The festival code of a Hebrew date on Shabbat, or -1 for a weekday reading.
  auto festival = [](const HebrewDate& h, bool diaspora) {
    if (h.month == kTishri) {
      if (h.day == 1) return 70;
      if (h.day == 10) return 73;
      if (h.day == 15) return 74;
      if (h.day >= 16 && h.day <= 20) return 84;
      if (h.day == 22) return 200;
    }
    if (h.month == kNisan) {
      if (h.day == 15) return 89;
      if (h.day >= 16 && h.day <= 20) return 90;
      if (h.day == 21) return 91;
      if (h.day == 22 && diaspora) return 92;
    }
    if (h.month == kSivan && h.day == 7 && diaspora) return 96;
    return -1;
  };
  for (int diaspora = 0; diaspora <= 1; ++diaspora) {
    diasporaSetFlag(diaspora);
    for (int year = kFirstHebrewYear; year <= kLastHebrewYear; ++year) {
      const AbsoluteDay from = DetermineBereshith(year);
      const AbsoluteDay to = DetermineBereshith(year + 1);
      for (AbsoluteDay d = from; d < to; d += 7) {
        const ShabbatSections s = At(d);
        const int expected = festival(HebrewFromAbsolute(d), diaspora != 0);
        if (expected >= 0) {
          ASSERT_EQ(Codes(s), std::vector<int>{expected}) << testdata::IsoOf(d);
        } else {
          ASSERT_TRUE(IsWeekly(s.c1)) << testdata::IsoOf(d) << " has " << Joined(s);
        }
      }
    }
  }
}

// The special Shabbatot and the sections tied to a date, by their rules:
// Shekalim on or before 1 Adar (Adar II), Zakhor before Purim, Hakhodesh on
// or before 1 Nisan and Parah the week before, the Shabbat before Pesakh
// (Tsav in a common year, Metsora or Aharemoth in a leap year), Debarim on
// the Shabbat of 3..9 Av, Nitsabim on the last Shabbat before Rosh HaShana.
TEST_F(TorahSections, SpecialShabbatotAndAnchoredSections) {
  auto saturdayOnOrBefore = [](AbsoluteDay d) {
    while (WeekdayOf(d) != kShabbat) --d;
    return d;
  };
  for (int diaspora = 0; diaspora <= 1; ++diaspora) {
    diasporaSetFlag(diaspora);
    for (int year = kFirstHebrewYear; year <= kLastHebrewYear; ++year) {
      const bool leap = Hebrew_Leap_Year(year);
      const int adar = leap ? kAdarII : kAdar;
      const AbsoluteDay shekalim = saturdayOnOrBefore(AbsoluteFromHebrew(1, adar, year));
      const AbsoluteDay zakhor = saturdayOnOrBefore(AbsoluteFromHebrew(13, adar, year));
      const AbsoluteDay hakhodesh = saturdayOnOrBefore(AbsoluteFromHebrew(1, kNisan, year));
      const AbsoluteDay beforePesakh = saturdayOnOrBefore(AbsoluteFromHebrew(14, kNisan, year));

      // Each special code once in the Hebrew year, on its Shabbat, after the section.
      const std::pair<int, AbsoluteDay> specials[] = {
          {61, shekalim}, {62, zakhor}, {63, hakhodesh - 7}, {64, hakhodesh}, {65, beforePesakh}};
      const AbsoluteDay yearEnd = AbsoluteFromHebrew(1, kTishri, year + 1);
      for (AbsoluteDay d = saturdayOnOrBefore(AbsoluteFromHebrew(7, kTishri, year)); d < yearEnd; d += 7) {
        const ShabbatSections s = At(d);
        EXPECT_FALSE(IsSpecial(s.c1)) << testdata::IsoOf(d);
        const auto codes = Codes(s);
        for (const auto& [code, day] : specials) {
          const bool has = std::find(codes.begin(), codes.end(), code) != codes.end();
          EXPECT_EQ(has, d == day) << "code " << code << " on " << testdata::IsoOf(d);
        }
      }
      const int gadol = At(beforePesakh).c1;
      if (leap) {
        EXPECT_TRUE(gadol == 27 || gadol == 28) << year;
      } else {
        EXPECT_EQ(gadol, 24) << year;
      }
      EXPECT_EQ(At(saturdayOnOrBefore(AbsoluteFromHebrew(9, kAv, year))).c1, 43) << year;
      EXPECT_EQ(At(saturdayOnOrBefore(AbsoluteFromHebrew(29, kElul, year))).c1, 50) << year;
    }
  }
}

// Israel and the Diaspora read the same sections except in years where a
// second festival day is a Shabbat: from that Shabbat the Diaspora is one
// section behind until it reads a pair that Israel reads apart.
TEST_F(TorahSections, IsraelAndDiasporaComeBackIntoStep) {
  int splitYears = 0;
  for (int year = kFirstHebrewYear; year <= kLastHebrewYear; ++year) {
    diasporaSetFlag(0);
    const auto israel = TorahYear(year);
    diasporaSetFlag(1);
    const auto diaspora = TorahYear(year);
    ASSERT_EQ(israel.size(), diaspora.size());

    const AbsoluteDay bereshith = DetermineBereshith(year);
    std::vector<size_t> differ;
    for (size_t k = 0; k < israel.size(); ++k)
      if (Codes(israel[k]) != Codes(diaspora[k])) differ.push_back(k);

    // The Shabbat that is a second festival day abroad, if any.
    const AbsoluteDay pesakh8 = AbsoluteFromHebrew(22, kNisan, year);
    const AbsoluteDay shavuot2 = AbsoluteFromHebrew(7, kSivan, year);
    AbsoluteDay second = 0;
    if (WeekdayOf(pesakh8) == kShabbat) second = pesakh8;
    if (WeekdayOf(shavuot2) == kShabbat) second = shavuot2;
    if (second == 0) {
      EXPECT_TRUE(differ.empty()) << year;
      continue;
    }
    ++splitYears;
    ASSERT_FALSE(differ.empty()) << year;
    // The difference starts on that Shabbat, runs without a gap and ends
    // before the last Shabbat of the Torah year.
    EXPECT_EQ(bereshith + 7 * static_cast<AbsoluteDay>(differ.front()), second) << year;
    EXPECT_EQ(differ.back() - differ.front() + 1, differ.size()) << year;
    EXPECT_LT(differ.back() + 1, israel.size()) << year;
    const int code = diaspora[differ.front()].c1;
    EXPECT_TRUE(code == 92 || code == 96) << year;
    for (size_t k : differ) EXPECT_TRUE(IsWeekly(israel[k].c1)) << year;
  }
  EXPECT_GT(splitYears, 100);
}

// The dated examples.
TEST_F(TorahSections, WorkedExamples) {
  EXPECT_EQ(TorahGetYearType(5784), 9);
  EXPECT_EQ(TorahGetYearType(5785), 5);
  EXPECT_EQ(TorahGetYearType(5786), 2);
  EXPECT_EQ(DetermineBereshith(5785), Greg(26, 10, 2024));
  EXPECT_EQ(DetermineBereshith(5784), Greg(14, 10, 2023));  // 23 Tishri is a Sunday

  for (int diaspora = 0; diaspora <= 1; ++diaspora) {
    diasporaSetFlag(diaspora);
    // The Shabbatot of Tishri 5785 close the list of 5784.
    EXPECT_EQ(Joined(At(Greg(5, 10, 2024))), "52");   // 3 Tishri: Haazinu
    EXPECT_EQ(Joined(At(Greg(12, 10, 2024))), "73");  // Yom Kippur
    EXPECT_EQ(Joined(At(Greg(19, 10, 2024))), "84");  // Khol HaMoed Sukkot
    EXPECT_EQ(Joined(At(Greg(26, 10, 2024))), "0");   // Bereshith
    // 5784 began on a Shabbat.
    EXPECT_EQ(Joined(At(Greg(16, 9, 2023))), "70");
    EXPECT_EQ(Joined(At(Greg(23, 9, 2023))), "52");
    EXPECT_EQ(Joined(At(Greg(30, 9, 2023))), "74");
    EXPECT_EQ(Joined(At(Greg(7, 10, 2023))), "200");
    EXPECT_EQ(Joined(At(Greg(14, 10, 2023))), "0");
    // Khol HaMoed Pesakh 5784 (Shabbat 27 April 2024) and the Shabbat before
    // Pesakh (Metsora in a leap year).
    EXPECT_EQ(Joined(At(Greg(27, 4, 2024))), "90");
    EXPECT_EQ(Joined(At(Greg(20, 4, 2024))), "27+65");
    // 5785: Vayakhel-Pekude apart, Shabbat Hakhodesh with Pekude.
    EXPECT_EQ(Joined(At(Greg(22, 3, 2025))), "21+63");
    EXPECT_EQ(Joined(At(Greg(29, 3, 2025))), "22+64");
    // Three codes: Vayakhel-Pekude and Shabbat Hakhodesh (5781, 13 March 2021).
    EXPECT_EQ(Joined(At(Greg(13, 3, 2021))), "21+22+64");
  }

  // 5772 (type 3): 22 Nisan is Shabbat 14 April 2012.
  EXPECT_EQ(TorahGetYearType(5772), 3);
  diasporaSetFlag(1);
  EXPECT_EQ(Joined(At(Greg(14, 4, 2012))), "92");
  EXPECT_EQ(Joined(At(Greg(12, 5, 2012))), "30");     // Emor
  EXPECT_EQ(Joined(At(Greg(19, 5, 2012))), "31+32");  // Behar-Behukkothai
  diasporaSetFlag(0);
  EXPECT_EQ(Joined(At(Greg(14, 4, 2012))), "25");     // Shemini
  EXPECT_EQ(Joined(At(Greg(5, 5, 2012))), "30");
  EXPECT_EQ(Joined(At(Greg(12, 5, 2012))), "31");
  EXPECT_EQ(Joined(At(Greg(19, 5, 2012))), "32");
  // Back in step with Bemidbar on 26 May 2012.
  EXPECT_EQ(Joined(At(Greg(26, 5, 2012))), "33");
  diasporaSetFlag(1);
  EXPECT_EQ(Joined(At(Greg(26, 5, 2012))), "33");

  // A weekday writes nothing.
  ShabbatSections untouched{1, 2, 3};
  EXPECT_EQ(GetTorahSectionShabbat(Greg(25, 10, 2024), &untouched), 0);
  EXPECT_EQ(Codes(untouched), (std::vector<int>{1, 2, 3}));
}

}  // namespace
