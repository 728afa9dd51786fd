#include "calendar/daf_yomi.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "reference_data.h"
#include "base/settings.h"
#include "test_env.h"

namespace {

// Tractate names of the independent calendar (tests/data/daf_yomi_pages.csv)
// and ours. It names the three small tractates that share the pages of
// Me'ilah separately.
const std::map<std::string, std::string> kTractateNames = {
    {"Berachot", "Berachos"},       {"Shabbat", "Shabbos"},          {"Eruvin", "Evurin"},
    {"Pesachim", "Pesachim"},       {"Shekalim", "Shekalim"},        {"Yoma", "Yuma"},
    {"Sukkah", "Sukah"},            {"Beitzah", "Beitzah"},          {"Rosh Hashana", "Rosh Ha'Shanah"},
    {"Taanit", "Ta'anis"},          {"Megillah", "Megilah"},         {"Moed Katan", "Moed Katan"},
    {"Chagigah", "Chagigah"},       {"Yevamot", "Yevamos"},          {"Ketubot", "Kesuvos"},
    {"Nedarim", "Nedarim"},         {"Nazir", "Nazir"},              {"Sotah", "Sotah"},
    {"Gitin", "Gitin"},             {"Kiddushin", "Kidushin"},       {"Baba Kamma", "Bava Kana"},
    {"Baba Metzia", "Bava Metzia"}, {"Baba Batra", "Bava Basra"},    {"Sanhedrin", "Sanhedrin"},
    {"Makkot", "Makos"},            {"Shevuot", "Shevuos"},          {"Avodah Zarah", "Avodah Zarah"},
    {"Horayot", "Horayos"},         {"Zevachim", "Zevachim"},        {"Menachot", "Menachos"},
    {"Chullin", "Chulin"},          {"Bechorot", "Bechoros"},        {"Arachin", "Erchin"},
    {"Temurah", "Temurah"},         {"Keritot", "Kerisus"},          {"Meilah", "Me'ilah"},
    {"Kinnim", "Me'ilah"},          {"Tamid", "Me'ilah"},            {"Midot", "Me'ilah"},
    {"Niddah", "Nidah"},
};

DafYomiRec Request(int day, int month, int year) {
  DafYomiRec rec;
  rec.sizeCheck = kDafYomiRecSize;
  rec.day = day;
  rec.month = month;
  rec.year = year;
  return rec;
}

// Pages from the cycle of 24 June 1975 on, against an independent calendar.
TEST(DafYomi, MatchesIndependentCalendar) {
  const auto rows = testdata::ReadRows("daf_yomi_pages.csv");
  ASSERT_GT(rows.size(), 2000u) << "daf_yomi_pages.csv missing or short";
  for (const auto& r : rows) {
    ASSERT_EQ(r.size(), 3u);
    const auto name = kTractateNames.find(r[1]);
    ASSERT_NE(name, kTractateNames.end()) << r[1];
    const GregorianDate g = GregorianFromAbsolute(*testdata::IsoDay(r[0]));
    EXPECT_EQ(DafYomiGetWithoutCycle(g.day, g.month, g.year), name->second + " " + r[2]) << r[0];
  }
}

TEST(DafYomi, WorkedExamples) {
  DafYomiRec rec = Request(10, 7, 1923);
  ASSERT_EQ(DafYomiGetIt(&rec), kDafYomiOk);
  EXPECT_EQ(rec.cycle, 1);
  EXPECT_EQ(rec.tractate + " " + std::to_string(rec.page), rec.shortText);
  EXPECT_EQ(rec.longText, "Cycle 1, Berachos 2");

  // The first day of cycle 14, and the day before it: the last page of a cycle.
  EXPECT_EQ(DafYomiGetWithCycle(5, 1, 2020), "Cycle 14, Berachos 2");
  EXPECT_EQ(DafYomiGetWithCycle(4, 1, 2020), "Cycle 13, Nidah 73");
  // Index 63 is the first page of Shabbos.
  EXPECT_EQ(DafYomiGetWithoutCycle(11, 9, 1923), "Shabbos 2");
  // The last day of the range.
  EXPECT_NE(DafYomiGetWithCycle(31, 12, 3000), "");
}

TEST(DafYomi, ErrorsAndMessages) {
  struct Case {
    int day, month, year, code;
  };
  const Case cases[] = {
      {9, 7, 1923, kDafYomiBeforeStart},   {29, 2, 1900, kDafYomiInvalidDate}, {31, 12, 1582, kDafYomiInvalidDate},
      {1, 1, 3001, kDafYomiInvalidDate},   {0, 1, 2024, kDafYomiInvalidDate},  {31, 4, 2024, kDafYomiInvalidDate},
      {1, 13, 2024, kDafYomiInvalidDate},  {29, 2, 2024, kDafYomiOk},
  };
  for (const Case& c : cases) {
    DafYomiRec rec = Request(c.day, c.month, c.year);
    EXPECT_EQ(DafYomiGetIt(&rec), c.code) << c.day << "." << c.month << "." << c.year;
    if (c.code != kDafYomiOk) {
      EXPECT_EQ(rec.shortText, "");
      EXPECT_EQ(DafYomiGetWithoutCycle(c.day, c.month, c.year), "");
      EXPECT_EQ(DafYomiGetWithCycle(c.day, c.month, c.year), "");
    }
  }
  EXPECT_EQ(DafYomiGetIt(nullptr), kDafYomiBadStructure);
  DafYomiRec unsized = Request(5, 1, 2020);
  unsized.sizeCheck = 799;
  EXPECT_EQ(DafYomiGetIt(&unsized), kDafYomiBadStructure);
  EXPECT_EQ(unsized.tractate, "");

  EXPECT_EQ(DafYomiGetErrorMessage(0), "No error occured");
  EXPECT_EQ(DafYomiGetErrorMessage(3), "No daf yomi for that date");
  EXPECT_EQ(DafYomiGetErrorMessage(4), "Unknown error code 4 was passed");
}

// One page a day: within a tractate the page goes up by one, a new tractate
// starts at page 2, and the cycle has 37 tractates in 2711 pages.
TEST(DafYomi, CycleIndexWalk) {
  std::string previous;
  int previousPage = 0;
  std::set<std::string> tractates;
  for (int index = 0; index < 2711; ++index) {
    std::string name;
    const int page = GetDafYomiInternal(index, &name);
    ASSERT_FALSE(name.empty()) << index;
    if (name == previous) {
      EXPECT_EQ(page, previousPage + 1) << index;
    } else {
      EXPECT_EQ(page, 2) << index;
      EXPECT_TRUE(tractates.insert(name).second) << name << " twice";
    }
    previous = name;
    previousPage = page;
  }
  EXPECT_EQ(tractates.size(), 37u);
  EXPECT_EQ(previous, "Nidah");
  EXPECT_EQ(previousPage, 73);

  for (int outside : {2711, -1}) {
    std::string name = "stale";
    EXPECT_EQ(GetDafYomiInternal(outside, &name), 0);
    EXPECT_EQ(name, "");
  }
  EXPECT_EQ(GetDafYomiInternal(63, nullptr), 2);
}

class Yizkor : public ::testing::Test {
 protected:
  void SetUp() override { settingsReset(); }
  void TearDown() override { settingsReset(); }
  testenv::TempHome home_;
};

TEST_F(Yizkor, IsraelAndDiaspora) {
  struct Case {
    int day, month;
    int israel, diaspora;
  };
  // The four days of each setting are the only ones of the year.
  const Case cases[] = {
      {10, kTishri, 1, 1}, {22, kTishri, 1, 1}, {21, kNisan, 1, 0}, {22, kNisan, 0, 1},
      {6, kSivan, 1, 0},   {7, kSivan, 0, 1},
  };
  for (int diaspora = 0; diaspora <= 1; ++diaspora) {
    diasporaSetFlag(diaspora);
    for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5785); d < AbsoluteFromHebrew(1, kTishri, 5786); ++d) {
      const HebrewDate h = HebrewFromAbsolute(d);
      int expected = 0;
      for (const Case& c : cases)
        if (c.day == h.day && c.month == h.month) expected = diaspora ? c.diaspora : c.israel;
      EXPECT_EQ(IsYizkor(d), expected) << h.day << "/" << h.month << (diaspora ? " Diaspora" : " Israel");
    }
  }
}

}  // namespace
