#include "calendar/torah_sections.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "reference_data.h"
#include "base/settings.h"
#include "test_env.h"

namespace {

AbsoluteDay Greg(int d, int m, int y) { return AbsoluteFromGregorian(d, m, y); }

// The first and last Hebrew years of the program's Gregorian range.
constexpr int kFirstHebrewYear = 5343;
constexpr int kLastHebrewYear = 6761;

bool IsWeekly(int code) { return code >= 0 && code <= 52; }

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

// The dated examples; the codes of every Saturday of 5600..5860 are also in
// the comparison above.
TEST_F(TorahSections, WorkedExamples) {
  EXPECT_EQ(TorahGetYearType(5784), 9);
  EXPECT_EQ(TorahGetYearType(5785), 5);
  EXPECT_EQ(TorahGetYearType(5786), 2);
  EXPECT_EQ(TorahGetYearType(5772), 3);
  EXPECT_EQ(DetermineBereshith(5785), Greg(26, 10, 2024));
  EXPECT_EQ(DetermineBereshith(5784), Greg(14, 10, 2023));  // 23 Tishri is a Sunday

  struct Case {
    AbsoluteDay d;
    const char* israel;
    const char* diaspora;
  };
  const Case cases[] = {
      {Greg(5, 10, 2024), "52", "52"},                  // 3 Tishri 5785: Haazinu
      {Greg(12, 10, 2024), "73", "73"},                 // Yom Kippur
      {Greg(19, 10, 2024), "84", "84"},                 // Khol HaMoed Sukkot
      {Greg(16, 9, 2023), "70", "70"},                  // 5784 began on a Shabbat
      {Greg(7, 10, 2023), "200", "200"},                // Shemini Atseret
      {Greg(14, 10, 2023), "0", "0"},                   // Bereshith
      {Greg(20, 4, 2024), "27+65", "27+65"},            // Metsora before Pesakh in a leap year
      {Greg(27, 4, 2024), "90", "90"},                  // Khol HaMoed Pesakh
      {Greg(29, 3, 2025), "22+64", "22+64"},            // Pekude with Hakhodesh
      {Greg(13, 3, 2021), "21+22+64", "21+22+64"},      // three codes
      // 5772: 22 Nisan is Shabbat; the Diaspora catches up with Behar-Behukkothai.
      {Greg(14, 4, 2012), "25", "92"},
      {Greg(12, 5, 2012), "31", "30"},
      {Greg(19, 5, 2012), "32", "31+32"},
      {Greg(26, 5, 2012), "33", "33"},
  };
  for (const Case& c : cases) {
    diasporaSetFlag(0);
    EXPECT_EQ(Joined(At(c.d)), c.israel) << testdata::IsoOf(c.d) << " Israel";
    diasporaSetFlag(1);
    EXPECT_EQ(Joined(At(c.d)), c.diaspora) << testdata::IsoOf(c.d) << " Diaspora";
  }

  // A weekday writes nothing.
  ShabbatSections untouched{1, 2, 3};
  EXPECT_EQ(GetTorahSectionShabbat(Greg(25, 10, 2024), &untouched), 0);
  EXPECT_EQ(Codes(untouched), (std::vector<int>{1, 2, 3}));
}

}  // namespace
