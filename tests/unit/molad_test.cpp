#include "calendar/molad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

class Molad : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override { translate_done(); }

  // weekday hour minute parts
  static std::string Get(int month, int year) {
    MoladTime m{-1, -1, -1, -1};
    EXPECT_EQ(MoladGet(month, year, &m), 1) << month << "/" << year;
    return Text(m);
  }
  static std::string Text(const MoladTime& m) {
    return std::to_string(m.weekday) + " " + std::to_string(m.hour) + " " + std::to_string(m.minute) + " " +
           std::to_string(m.parts);
  }

  testenv::TempHome home_;
};

// tests/data/molad_times.csv: months of years 2..9999 from an independent calendar.
TEST_F(Molad, MatchIndependentCalendar) {
  const auto rows = testdata::ReadRows("molad_times.csv");
  ASSERT_GT(rows.size(), 1500u) << "molad_times.csv missing or short";
  for (const auto& r : rows)
    EXPECT_EQ(Get(std::stoi(r.at(1)), std::stoi(r[0])), r.at(2) + " " + r.at(3) + " " + r.at(4) + " " + r.at(5)) << r[1] << "/" << r[0];
}

TEST_F(Molad, Lines) {
  const auto rows = testdata::ReadRows("molad_lines.tsv", '\t');
  ASSERT_GT(rows.size(), 15u);
  for (const auto& f : rows) {
    const auto a = testdata::SplitRow(f.at(1), ' ');
    std::string text;
    if (f[0] == "next") {
      text = MoladRetrieveNextSimple(std::stoi(a.at(0)), *testdata::IsoDay(a.at(1)));
      std::replace(text.begin(), text.end(), '\n', '|');
    } else {
      std::string l1, l2, l3;
      const bool hour = f[0] == "hour";
      MoladTime m{kMonday, hour ? std::stoi(a[0]) : 0, 0, 0};
      if (!hour) MoladGet(std::stoi(a.at(0)), std::stoi(a.at(1)), &m);
      MoladFormatString(&l1, &l2, &l3, hour ? kIyar : std::stoi(a[0]), hour ? 5785 : std::stoi(a[1]), m);
      text = l1 + "|" + l2 + "|" + l3;
    }
    EXPECT_EQ(text, f.at(2)) << f[0] << " " << f[1];
  }
}

// Months and years outside the calendar are refused and leave the result
// alone; the largest years compute without overflow.
TEST_F(Molad, InvalidMonthsAndYears) {
  for (const auto& [month, year] : {std::pair{13, 5785}, {0, 5785}, {7, 0}}) {
    MoladTime m{9, 9, 9, 9};
    EXPECT_EQ(MoladGet(month, year, &m), 0) << month << "/" << year;
    EXPECT_EQ(Text(m), "9 9 9 9");
  }
  EXPECT_EQ(MoladGet(kTishri, 5785, nullptr), 0);
  MoladTime m;
  ASSERT_EQ(MoladGet(kElul, 2000000000, &m), 1);
  EXPECT_TRUE(m.weekday >= 0 && m.weekday <= 6 && m.hour >= 0 && m.hour <= 23);
}

// The format strings are looked up in the translation table. A translation
// that does not take the same arguments in the same order is not used: the
// values must never meet a format they were not written for.
TEST_F(Molad, TranslatedFormats) {
  const std::string file = home_.lumaro("molad.txt");
  testenv::WriteFile(file,
                     "\"Molad of %s %d:\" = \"Der molad fun %s %d (100%%):\"\n"
                     "\"night\" = \"nakht\"\n"
                     "\"Thursday\" = \"Donershtik\"\n"
                     "\"%s, %s, %d hours,\" = \"%d %s %s\"\n"
                     "\"%d minutes, %d parts\" = \"%s %n %d %d\"\n");
  translate_internal_process_file(file);
  std::string l1, l2, l3;
  MoladTime m;
  MoladGet(kTishri, 5785, &m);
  MoladFormatString(&l1, &l2, &l3, kTishri, 5785, m);
  EXPECT_EQ(l1, "Der molad fun Tishri 5785 (100%):");
  EXPECT_EQ(l2, "Donershtik, nakht, 3 hours,");
  EXPECT_EQ(l3, "21 minutes, 13 parts");
}

}  // namespace
