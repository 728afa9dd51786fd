// Hebrew numerals and Hebrew date texts, checked for every number 1..9999
// and every day of four years against a second calendar program's output
// (tests/data/hebrew_numerals.tsv, written by
// scripts/extract-hebrew-numerals.mjs).
#include "calendar/hebrew_numerals.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "calendar/types.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

struct DateRow {
  int day, month, year;
  std::string text;
};

struct Reference {
  std::map<int, std::string> numerals;  // 1..9999
  std::vector<DateRow> dates;
};

const Reference& TheReference() {
  static const Reference ref = [] {
    Reference r;
    std::ifstream in(testenv::TestDataDir() + "/hebrew_numerals.tsv");
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      const testdata::Row f = testdata::SplitRow(line, '\t');
      if (f[0] == "numeral" && f.size() == 3) {
        if (auto n = testdata::ToInt(f[1])) r.numerals[*n] = f[2];
      } else if (f[0] == "date" && f.size() == 5) {
        auto d = testdata::ToInt(f[1]), m = testdata::ToInt(f[2]), y = testdata::ToInt(f[3]);
        if (d && m && y) r.dates.push_back({*d, *m, *y, f[4]});
      }
    }
    return r;
  }();
  return ref;
}

// The one difference of convention: for 5000..5999 the reference leaves the
// thousands out, as a luach prints the year (תשפ״ז), and gives nothing at
// all for 5000; other thousands it writes as we do (ב׳תשפ״ז, ו׳א׳). Our full
// form writes every thousand (ה׳תשפ״ז, as on a title page). 15 and 16 are ט״ו
// and ט״ז in both, and neither uses final letters.
std::string ReferenceWithThousands(int n) {
  const std::string& ref = TheReference().numerals.at(n);
  return n / 1000 == 5 ? "ה׳" + ref : ref;
}

// Every number with and without its thousands (written as its last three
// digits; an exact thousand keeps its letter, since nothing else is left),
// and the days of the month.
TEST(HebrewNumerals, EveryNumberMatchesTheReference) {
  const auto& numerals = TheReference().numerals;
  ASSERT_EQ(numerals.size(), 9999u) << "tests/data/hebrew_numerals.tsv is missing or incomplete";
  int wrong = 0;
  for (int n = 1; n <= 9999; ++n) {
    const std::string full = ReferenceWithThousands(n);
    const std::string shortForm = n % 1000 == 0 ? full : numerals.at(n % 1000);
    if ((HebrewNumeral(n) != full || HebrewNumeral(n, HebrewThousands::kOmit) != shortForm) && ++wrong <= 20)
      ADD_FAILURE() << n << ": " << HebrewNumeral(n) << " / " << HebrewNumeral(n, HebrewThousands::kOmit)
                    << ", expected " << full << " / " << shortForm;
  }
  EXPECT_EQ(wrong, 0);
  for (int day = 1; day <= 30; ++day) EXPECT_EQ(HebrewDayNumeral(day), numerals.at(day)) << day;
}

TEST(HebrewNumerals, EveryDateOfFourYearsMatchesTheReference) {
  const Reference& ref = TheReference();
  ASSERT_GT(ref.dates.size(), 1400u);
  int wrong = 0;
  for (const DateRow& r : ref.dates) {
    const std::string got = HebrewDateInHebrew(r.day, r.month, r.year);
    if (got != r.text && ++wrong <= 20)
      ADD_FAILURE() << r.day << "." << r.month << "." << r.year << ": " << got << ", expected " << r.text;
  }
  EXPECT_EQ(wrong, 0);
}

TEST(HebrewNumerals, MonthNamesInALeapYearAndACommonYear) {
  EXPECT_EQ(HebrewMonthNameInHebrew(kAdar, 5785), "אדר");
  EXPECT_EQ(HebrewMonthNameInHebrew(kAdar, 5784), "אדר א׳");
  EXPECT_EQ(HebrewMonthNameInHebrew(kAdarII, 5784), "אדר ב׳");
  EXPECT_EQ(HebrewMonthNameInHebrew(kNisan, 5785), "ניסן");
  EXPECT_EQ(HebrewMonthNameInHebrew(kHeshvan, 5785), "חשון");
  EXPECT_EQ(HebrewMonthNameInHebrew(kElul, 5785), "אלול");
}

// Numbers without a Hebrew numeral are written in digits, never dropped.
TEST(HebrewNumerals, OutOfRangeIsWrittenInDigits) {
  struct Case {
    int n;
    const char* expected;
  };
  const Case numbers[] = {{0, "0"}, {-1, "-1"}, {10000, "10000"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
  for (const Case& c : numbers) {
    EXPECT_EQ(HebrewNumeral(c.n), c.expected) << c.n;
    EXPECT_EQ(HebrewNumeral(c.n, HebrewThousands::kOmit), c.expected) << c.n;
    EXPECT_EQ(HebrewDayNumeral(c.n), c.expected) << c.n;
  }
  EXPECT_EQ(HebrewDayNumeral(31), "31");
  EXPECT_EQ(HebrewDayNumeral(100), "100");
  for (int month : {0, -1, 14, INT_MAX, INT_MIN}) EXPECT_EQ(HebrewMonthNameInHebrew(month, 5785), "") << month;
  EXPECT_EQ(HebrewDateInHebrew(0, 14, 0), "0 14 0");
  EXPECT_EQ(HebrewDateInHebrew(31, kTishri, 12000), "31 תשרי 12000");
}

}  // namespace
