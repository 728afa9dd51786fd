// Hebrew numerals and dates against a second calendar program's output for every number 1..9999 and every day of
// four years (hebrew_numerals.tsv, by scripts/extract-hebrew-numerals.mjs); month names and numbers outside that
// range (hebrew_numeral_cases.tsv).
#include "calendar/hebrew_numerals.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "calendar/types.h"
#include "reference_data.h"

namespace {

TEST(HebrewNumerals, EveryNumberAndDateMatchesTheReference) {
  std::map<int, std::string> numerals;
  int dates = 0, wrong = 0;
  for (const auto& f : testdata::ReadRows("hebrew_numerals.tsv", '\t')) {
    if (f.at(0) == "numeral") {
      numerals[std::stoi(f.at(1))] = f.at(2);
      continue;
    }
    const std::string got = HebrewDateInHebrew(std::stoi(f.at(1)), std::stoi(f.at(2)), std::stoi(f.at(3)));
    if (++dates && got != f.at(4) && ++wrong <= 20)
      ADD_FAILURE() << f[1] << "." << f[2] << "." << f[3] << ": " << got << ", expected " << f[4];
  }
  ASSERT_EQ(numerals.size(), 9999u);
  EXPECT_GT(dates, 1400);
  // For 5000..5999 the reference leaves the thousands out, as a luach prints
  // the year (and gives nothing for 5000); our full form writes every thousand
  // (ה׳תשפ״ז, as on a title page). The short form writes the last three digits;
  // an exact thousand keeps its letter.
  for (int n = 1; n <= 9999; ++n) {
    const std::string full = (n / 1000 == 5 ? "ה׳" : "") + numerals[n];
    const std::string shortForm = n % 1000 == 0 ? full : numerals[n % 1000];
    if ((HebrewNumeral(n) != full || HebrewNumeral(n, HebrewThousands::kOmit) != shortForm) && ++wrong <= 20)
      ADD_FAILURE() << n << ": " << HebrewNumeral(n) << " / " << HebrewNumeral(n, HebrewThousands::kOmit)
                    << ", expected " << full << " / " << shortForm;
  }
  for (int day = 1; day <= 30; ++day) EXPECT_EQ(HebrewDayNumeral(day), numerals[day]) << day;
  EXPECT_EQ(wrong, 0);
}

TEST(HebrewNumerals, OutOfRangeAndMonthNames) {
  const auto rows = testdata::ReadRows("hebrew_numeral_cases.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (const auto& f : rows) {
    const auto a = testdata::SplitRow(f.at(1), ' ');
    const int n = std::stoi(a.at(0));
    std::string got = f[0] == "number"  ? HebrewNumeral(n) + "|" + HebrewNumeral(n, HebrewThousands::kOmit)
                      : f[0] == "day"   ? HebrewDayNumeral(n)
                      : f[0] == "month" ? HebrewMonthNameInHebrew(n, std::stoi(a.at(1)))
                                        : HebrewDateInHebrew(n, std::stoi(a.at(1)), std::stoi(a.at(2)));
    EXPECT_EQ(got, f.at(2)) << f[0] << " " << f[1];
  }
}

}  // namespace
