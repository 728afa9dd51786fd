#include "calendar/molad.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

// Found by argument-dependent lookup, so at global scope (internal linkage).
static bool operator==(const MoladTime& a, const MoladTime& b) {
  return a.weekday == b.weekday && a.hour == b.hour && a.minute == b.minute && a.parts == b.parts;
}
static std::ostream& operator<<(std::ostream& os, const MoladTime& m) {
  return os << "{" << m.weekday << ", " << m.hour << ":" << m.minute << ", " << m.parts << "p}";
}

namespace {

using testdata::Greg;

class Molad : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override { translate_done(); }

  static MoladTime Get(int month, int year) {
    MoladTime m{-1, -1, -1, -1};
    EXPECT_EQ(MoladGet(month, year, &m), 1) << month << "/" << year;
    return m;
  }
  static std::string Lines(int month, int year) {
    std::string l1, l2, l3;
    MoladFormatString(&l1, &l2, &l3, month, year, Get(month, year));
    return l1 + "|" + l2 + "|" + l3;
  }

  testenv::TempHome home_;
};

// tests/data/molad_times.csv: months of years 2..9999 from an independent calendar.
TEST_F(Molad, MatchIndependentCalendar) {
  const auto rows = testdata::ReadRows("molad_times.csv");
  ASSERT_GT(rows.size(), 1500u) << "molad_times.csv missing or short";
  for (const auto& r : rows) {
    ASSERT_EQ(r.size(), 6u);
    const int year = *testdata::ToInt(r[0]);
    const int month = *testdata::ToInt(r[1]);
    const MoladTime expected{*testdata::ToInt(r[2]), *testdata::ToInt(r[3]), *testdata::ToInt(r[4]),
                             *testdata::ToInt(r[5])};
    EXPECT_EQ(Get(month, year), expected) << month << "/" << year;
  }
}

TEST_F(Molad, FirstMoladAndWorkedMonths) {
  // Tishri of year 1: Sunday 23:11 and 6 parts, i.e. 11 at night.
  EXPECT_EQ(Get(kTishri, 1), (MoladTime{kSunday, 23, 11, 6}));
  EXPECT_EQ(Lines(kTishri, 1), "Molad of Tishri 1:|Sunday, night, 11 hours,|11 minutes, 6 parts");
  EXPECT_EQ(Lines(kTishri, 5785), "Molad of Tishri 5785:|Thursday, night, 3 hours,|21 minutes, 13 parts");
  EXPECT_EQ(Lines(kNisan, 5785), "Molad of Nisan 5785:|Shabbat, day, 7 hours,|46 minutes, 1 parts");
  // Adar I and Adar II of the leap year 5784 (as published: Friday 21:29 and
  // 5 parts, Sunday 10:13 and 6 parts).
  EXPECT_EQ(Lines(kAdar, 5784), "Molad of Adar I 5784:|Friday, night, 9 hours,|29 minutes, 5 parts");
  EXPECT_EQ(Lines(kAdarII, 5784), "Molad of Adar II 5784:|Sunday, day, 10 hours,|13 minutes, 6 parts");
}

TEST_F(Molad, InvalidMonthsAndYears) {
  struct Case {
    int month, year;
  };
  const Case rejected[] = {{13, 5785}, {0, 5785}, {7, 0}};
  for (const Case& c : rejected) {
    MoladTime m{9, 9, 9, 9};
    EXPECT_EQ(MoladGet(c.month, c.year, &m), 0) << c.month << "/" << c.year;
    EXPECT_EQ(m, (MoladTime{9, 9, 9, 9}));
  }
  EXPECT_EQ(MoladGet(kTishri, 5785, nullptr), 0);
  MoladTime m;
  // The largest years still compute without overflow and stay in range.
  ASSERT_EQ(MoladGet(kElul, 2000000000, &m), 1);
  EXPECT_TRUE(m.weekday >= 0 && m.weekday <= 6 && m.hour >= 0 && m.hour <= 23);
}

TEST_F(Molad, TwelveHourClock) {
  struct Case {
    int hour;
    const char* line2;
  };
  const Case cases[] = {
      {0, "Monday, night, 12 hours,"}, {5, "Monday, night, 5 hours,"}, {6, "Monday, day, 6 hours,"},
      {12, "Monday, day, 12 hours,"},  {13, "Monday, day, 1 hours,"},   {18, "Monday, night, 6 hours,"},
  };
  for (const Case& c : cases) {
    std::string l1, l2, l3;
    MoladFormatString(&l1, &l2, &l3, kIyar, 5785, MoladTime{kMonday, c.hour, 0, 0});
    EXPECT_EQ(l2, c.line2) << c.hour;
  }
}

TEST_F(Molad, AnnouncementOfTheNextMonth) {
  // A Shabbat in Elul 5784 (28 September 2024) announces Tishri 5785.
  EXPECT_EQ(MoladRetrieveNextSimple(2, Greg(28, 9, 2024)),
            "  Molad of Tishri 5785:\n   Thursday, night, 3 hours,\n   21 minutes, 13 parts");
  // The last Adar of 5785 (22 March 2025) announces Nisan of the same year.
  EXPECT_EQ(MoladRetrieveNextSimple(0, Greg(22, 3, 2025)),
            "Molad of Nisan 5785:\n Shabbat, day, 7 hours,\n 46 minutes, 1 parts");
  // Adar I 5784 (24 February 2024) is followed by Adar II; Adar II by Nisan.
  EXPECT_EQ(MoladRetrieveNextSimple(0, Greg(24, 2, 2024)).substr(0, 22), "Molad of Adar II 5784:");
  EXPECT_EQ(MoladRetrieveNextSimple(0, Greg(23, 3, 2024)).substr(0, 19), "Molad of Nisan 5784");
  // A negative indent is no indent.
  EXPECT_EQ(MoladRetrieveNextSimple(-4, Greg(22, 3, 2025)), MoladRetrieveNextSimple(0, Greg(22, 3, 2025)));
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
  MoladFormatString(&l1, &l2, &l3, kTishri, 5785, Get(kTishri, 5785));
  EXPECT_EQ(l1, "Der molad fun Tishri 5785 (100%):");
  EXPECT_EQ(l2, "Donershtik, nakht, 3 hours,");
  EXPECT_EQ(l3, "21 minutes, 13 parts");
}

}  // namespace
