// The readings of a day: table lookups, the Shabbat and holiday rules on
// dated examples, and properties over thirty years. Dates and texts of the
// examples agree with a printed luach and with the published verse ranges in
// tests/data/leyning_reference.tsv (see readings_reference_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "calendar/reading_tables.h"
#include "calendar/readings.h"
#include "storage/settings.h"
#include "storage/translate.h"
#include "test_env.h"

namespace {

class ReadingsTest : public ::testing::Test {
 protected:
  ReadingsTest() { settingsReset(); }
  ~ReadingsTest() override { translate_done(); }

  // The record of a Gregorian date under the given setting.
  static ReadingsRec On(int year, int month, int day, int diaspora, int* result = nullptr) {
    diasporaSetFlag(diaspora);
    const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(day, month, year));
    ReadingsRec rec;
    const int r = ParashGetReadings(h.day, h.month, h.year, &rec);
    if (result) *result = r;
    return rec;
  }
  static std::vector<std::string> Torah(const ReadingsRec& rec) {
    std::vector<std::string> out;
    for (const auto& e : rec.torah)
      if (!e.text.empty()) out.push_back(e.text);
    return out;
  }
  static std::vector<std::string> Haftarot(const ReadingsRec& rec) {
    std::vector<std::string> out;
    for (const auto& h : rec.haphtarah)
      if (!h.empty()) out.push_back(h);
    return out;
  }

  testenv::TempHome home_;
};

constexpr int kIsrael = 0;
constexpr int kDiaspora = 1;
using Lines = std::vector<std::string>;

template <size_t N>
std::vector<int32_t> Codes(const std::array<ReadingRow, N>& table) {
  std::vector<int32_t> out;
  for (const ReadingRow& r : table) out.push_back(r.code);
  return out;
}
std::vector<int32_t> CodeRun(int32_t a, int32_t b) {
  std::vector<int32_t> out;
  for (int32_t i = a; i <= b; ++i) out.push_back(i);
  return out;
}
std::vector<int32_t> Join(std::initializer_list<std::vector<int32_t>> parts) {
  std::vector<int32_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// ---------------------------------------------------------------- tables

TEST_F(ReadingsTest, TablesHoldExactlyTheirCodesInOrder) {
  EXPECT_EQ(Codes(ReadingTorahDiaspora),
            Join({CodeRun(0, 55), CodeRun(60, 66), CodeRun(70, 85), {201, 202}, CodeRun(86, 113), {115, 116, 118, 119, 120, 12345}}));
  EXPECT_EQ(Codes(ReadingTorahIsrael),
            Join({{89, 112, 113, 115, 116, 118, 119, 120, 91, 90, 92, 93}, CodeRun(74, 85),
                  {201, 202, 53, 54, 55, 94, 95, 96, 12345}}));
  EXPECT_EQ(Codes(ReadingHaphtarahDiaspora),
            Join({CodeRun(0, 55), CodeRun(60, 66), CodeRun(300, 312), CodeRun(70, 84), {200}, CodeRun(86, 113),
                  {115, 116, 118, 119, 120, 12345}}));
  EXPECT_EQ(Codes(ReadingHaphtarahIsrael),
            Join({{89, 112, 113, 115, 116, 118, 119, 120, 91, 90, 92, 93, 96, 95}, CodeRun(74, 84), {200, 12345}}));
}

TEST_F(ReadingsTest, FixedRowsAreWordForWord) {
  struct Row {
    bool torah;
    int diaspora;
    int code;
    const char* text;  // as returned, "(none)" already emptied
  };
  const Row rows[] = {
      {true, kDiaspora, 15, "Beshallah, Shabbat Shirah, Exodus 13:17 - 17:16"},
      {true, kDiaspora, 53, "Simkhat Tora, Deuteronomy 33:1-end"},
      {true, kDiaspora, 54, "Genesis 1:1 - 2:3"},
      {true, kDiaspora, 55, "Numbers 29:35 - 30:1"},
      {true, kDiaspora, 60, "Rosh Khodesh, Numbers 28:9-15"},
      {true, kDiaspora, 111, "Rosh Khodesh, Numbers 28:1-15"},
      {true, kDiaspora, 66, "Shabbat Shuva"},
      {true, kDiaspora, 84, "Khol HaMoed Sukkot"},
      {true, kDiaspora, 85, "Shemini Atseret, Deuteronomy 14:22 - 16:17; Numbers 29:35 - 30:1"},
      {true, kDiaspora, 201, ""},
      {true, kDiaspora, 202, ""},
      {true, kDiaspora, 105, "Khanukka VI, Numbers 7:42-47"},
      {true, kDiaspora, 106, "Khanukka VI, Numbers 7:42-47"},
      {true, kDiaspora, 107, "Khanukka VII, Numbers 7:48-59"},
      {true, kDiaspora, 108, "Khanukka VII, Numbers 7:48-53"},
      {true, kDiaspora, 115, "Pesakh IV, Exodus 22:24 - 23:19; Numbers 28:19-25"},
      {true, kDiaspora, 116, "Pesakh IV, Exodus 13:1-16; Numbers 28:19-25"},
      {true, kDiaspora, 118, "Pesakh V, Exodus 34:1-26; Numbers 28:19-25"},
      {true, kDiaspora, 119, "Pesakh V, Exodus 22:24 - 23:19; Numbers 28:19-25"},
      {true, kDiaspora, 72,
       "Tsom Gedalya, Morning: Exodus 32:11-14 and Exodus 34:1-10; Afternoon: Exodus 32:11-14 and Exodus 34:1-10"},
      {true, kIsrael, 85, "Shemini Atseret/Simkhat Tora"},
      {true, kIsrael, 201, "Deuteronomy 33:1 - 34:12"},
      {true, kIsrael, 202, "Genesis 1:1 - 2:3; Numbers 29:35 - 30:1"},
      {true, kIsrael, 75, "Sukkot II, Numbers 29:17-19"},
      {false, kDiaspora, 0, "Isaiah 42:5 - 43:10 (Sephardi ritual: Isaiah 42:5-21)"},
      {false, kDiaspora, 300, "Isaiah 66:1-24"},
      {false, kDiaspora, 301, "I Samuel 20:18-42"},
      {false, kDiaspora, 302, "Isaiah 66, 1 & 23"},
      {false, kDiaspora, 303, "I Samuel 20, 18 & 42"},
      {false, kDiaspora, 304, "Zechariah 2:14 - 4:7"},
      {false, kDiaspora, 305, "I Kings 7:40-50 (Sephardi add I Kings 7:13-26)"},
      {false, kDiaspora, 312, "Hosea 14:2-10; Micah 7:18-20 or Hosea 14:2-10; Joel 2:15-27"},
      {false, kDiaspora, 200, "I Kings 8:54-66"},
      {false, kIsrael, 200, "Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.code) + (r.diaspora ? " Diaspora" : " Israel"));
    EXPECT_EQ(r.torah ? GetTorahReading(r.diaspora, r.code) : GetHaphtarahReading(r.diaspora, r.code), r.text);
  }
  for (int code : {92, 93, 53, 54, 55, 95, 96}) EXPECT_EQ(GetTorahReading(kIsrael, code), "") << code;
  for (int code : {112, 113, 115, 116, 118, 119, 120, 92, 93, 95, 96, 75, 76, 78, 79, 81, 83})
    EXPECT_EQ(GetHaphtarahReading(kIsrael, code), "") << code;
}

TEST_F(ReadingsTest, LookupTriesIsraelFirstAndEmptiesNone) {
  // No Israel row: the Diaspora text.
  EXPECT_EQ(GetTorahReading(kIsrael, 0), "Bereshith, Genesis 1:1 - 6:8");
  // An Israel "(none)" blocks the Diaspora text; the Diaspora ignores Israel rows.
  EXPECT_EQ(GetTorahReading(kIsrael, 93), "");
  EXPECT_EQ(GetTorahReading(kDiaspora, 93), "Pesakh VIII, Deuteronomy 15:19 - 16:17; Numbers 28:19-25");
  EXPECT_EQ(GetHaphtarahReading(kIsrael, 75), "");
  EXPECT_EQ(GetHaphtarahReading(kDiaspora, 75), "I Kings 8:2-21");
  // "(none)" in the Diaspora table, and codes no table has.
  EXPECT_EQ(GetHaphtarahReading(kDiaspora, 100), "");
  for (int code : {-1, 56, 67, 114, 117, 200, 999, 1000, 12345}) EXPECT_EQ(GetTorahReading(kDiaspora, code), "") << code;
  for (int code : {-1, 85, 201, 313, 1000, 12345}) EXPECT_EQ(GetHaphtarahReading(kDiaspora, code), "") << code;
}

TEST_F(ReadingsTest, MyLoadStringNumbersFollowTheDiasporaSetting) {
  for (int code : {0, 93, 300, 312}) {
    EXPECT_EQ(GetTorahBase(code), 1);
    EXPECT_EQ(GetHaphtarahBase(code), 2000);
  }
  diasporaSetFlag(kDiaspora);
  EXPECT_EQ(MyLoadString(nullptr, 1), GetTorahReading(kDiaspora, 0));
  EXPECT_EQ(MyLoadString(nullptr, 94), GetTorahReading(kDiaspora, 93));
  EXPECT_EQ(MyLoadString(nullptr, 2312), GetHaphtarahReading(kDiaspora, 312));
  EXPECT_EQ(MyLoadString(nullptr, 2075), "I Kings 8:2-21");
  diasporaSetFlag(kIsrael);
  EXPECT_EQ(MyLoadString(nullptr, 94), "");
  EXPECT_EQ(MyLoadString(nullptr, 2075), "");
  EXPECT_EQ(MyLoadString(nullptr, 2200), "Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)");
  // Outside the two ranges, and the ends of the ranges.
  for (int n : {-5, 0, 1000, 1001, 1999, 3001, 1 << 30}) EXPECT_EQ(MyLoadString(nullptr, n), "") << n;
}

TEST_F(ReadingsTest, AddParshaFillsTheNextFreeEntry) {
  ReadingsRec rec;
  AddParsha(&rec, "a", 4);
  EXPECT_EQ(rec.torah[0].text, "a");
  EXPECT_EQ(rec.torah[0].flags, 4);
  AddParsha(&rec, "b", 8);
  EXPECT_EQ(rec.torah[1].text, "b");
  AddParsha(&rec, "c", 16);
  EXPECT_EQ(rec.torah[2].text, "c");
  AddParsha(&rec, "d", 32);  // entry 3 again: the flags add up
  EXPECT_EQ(rec.torah[2].text, "d");
  EXPECT_EQ(rec.torah[2].flags, 16 | 32);
  // An empty first entry is filled first.
  ReadingsRec gap;
  gap.torah[1].text = "x";
  AddParsha(&gap, "y", 2);
  EXPECT_EQ(gap.torah[0].text, "y");
  AddParsha(nullptr, "z", 2);  // no record: nothing happens
}

// ---------------------------------------------------------------- weekdays and holidays

TEST_F(ReadingsTest, OrdinaryWeekdaysHaveNoReadings) {
  int result = -1;
  // Monday 4 and Thursday 7 November 2024 (3 and 6 Heshvan 5785).
  for (int day : {4, 7}) {
    const ReadingsRec rec = On(2024, 11, day, kDiaspora, &result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Torah(rec).empty() && Haftarot(rec).empty()) << day;
  }
}

TEST_F(ReadingsTest, WeekdayRoshKhodeshAndKhanukka) {
  // Friday 1 November 2024 is 30 Tishri.
  EXPECT_EQ(Torah(On(2024, 11, 1, kDiaspora)), Lines{"Rosh Khodesh, Numbers 28:1-15"});
  // Khanukka VI on 30 Kislev (31 December 2024) and VII on 1 Tevet: the
  // Rosh Khodesh variants and no Haftarah.
  ReadingsRec rec = On(2024, 12, 31, kDiaspora);
  EXPECT_EQ(Torah(rec), (Lines{"Khanukka VI, Numbers 7:42-47", "Rosh Khodesh, Numbers 28:1-15"}));
  EXPECT_TRUE(Haftarot(rec).empty());
  rec = On(2025, 1, 1, kIsrael);
  EXPECT_EQ(Torah(rec), (Lines{"Khanukka VII, Numbers 7:48-53", "Rosh Khodesh, Numbers 28:1-15"}));
  // 2 Tevet 5784 (14 December 2023) is not Rosh Khodesh.
  EXPECT_EQ(Torah(On(2023, 12, 14, kDiaspora)), Lines{"Khanukka VII, Numbers 7:48-59"});
}

TEST_F(ReadingsTest, PesakhDiffersBetweenIsraelAndDiaspora) {
  // 16 Nisan 5785, Monday 14 April 2025.
  ReadingsRec rec = On(2025, 4, 14, kIsrael);
  EXPECT_EQ(Torah(rec), Lines{"Pesakh II, Leviticus 22:26 - 23:44; Numbers 28:19-25"});
  EXPECT_TRUE(Haftarot(rec).empty());
  rec = On(2025, 4, 14, kDiaspora);
  EXPECT_EQ(Torah(rec), Lines{"Pesakh II, Leviticus 22:26 - 23:44; Numbers 28:16-25"});
  EXPECT_EQ(Haftarot(rec), Lines{"II Kings 23:1-9; II Kings 23:21-25"});
  // 17 Nisan 5780 was a Shabbat; on Sunday 12 April 2020 the Diaspora reads
  // the passage it missed, Israel goes on in order.
  EXPECT_EQ(Torah(On(2020, 4, 12, kDiaspora)), Lines{"Pesakh IV, Exodus 13:1-16; Numbers 28:19-25"});
  EXPECT_EQ(Torah(On(2020, 4, 12, kIsrael)), Lines{"Pesakh IV, Exodus 22:24 - 23:19; Numbers 28:19-25"});
  EXPECT_EQ(Torah(On(2020, 4, 13, kDiaspora)), Lines{"Pesakh V, Exodus 22:24 - 23:19; Numbers 28:19-25"});
  // 22 Nisan (Sunday 20 April 2025): only the Diaspora has an eighth day.
  EXPECT_EQ(Torah(On(2025, 4, 20, kDiaspora)), Lines{"Pesakh VIII, Deuteronomy 15:19 - 16:17; Numbers 28:19-25"});
  EXPECT_TRUE(Torah(On(2025, 4, 20, kIsrael)).empty());
}

TEST_F(ReadingsTest, SheminiAtseretAndSimkhatTora) {
  // 22 Tishri 5785, Thursday 24 October 2024.
  ReadingsRec rec = On(2024, 10, 24, kIsrael);
  EXPECT_EQ(Torah(rec), (Lines{"Shemini Atseret/Simkhat Tora", "Deuteronomy 33:1 - 34:12",
                               "Genesis 1:1 - 2:3; Numbers 29:35 - 30:1"}));
  EXPECT_EQ(Haftarot(rec), Lines{"Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)"});
  rec = On(2024, 10, 24, kDiaspora);
  EXPECT_EQ(Torah(rec), Lines{"Shemini Atseret, Deuteronomy 14:22 - 16:17; Numbers 29:35 - 30:1"});
  EXPECT_EQ(Haftarot(rec), Lines{"I Kings 8:54-66"});
  rec = On(2024, 10, 25, kDiaspora);
  EXPECT_EQ(Torah(rec), (Lines{"Simkhat Tora, Deuteronomy 33:1-end", "Genesis 1:1 - 2:3", "Numbers 29:35 - 30:1"}));
  EXPECT_EQ(Haftarot(rec), Lines{"Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)"});
  EXPECT_TRUE(Torah(On(2024, 10, 25, kIsrael)).empty());
  // Shemini Atseret on Shabbat 21 October 1989 (5750) in Israel.
  rec = On(1989, 10, 21, kIsrael);
  EXPECT_EQ(Torah(rec).size(), 3u);
  EXPECT_EQ(Haftarot(rec), Lines{"Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)"});
}

// ---------------------------------------------------------------- Shabbat

TEST_F(ReadingsTest, ShabbatReturnsItsCodes) {
  diasporaSetFlag(kDiaspora);
  ReadingsRec rec;
  ReadingsIds ids;
  // Shabbat Khol HaMoed, 17 Tishri 5785.
  EXPECT_EQ(ParashGetReadingsWithIDs(17, kTishri, 5785, &rec, &ids), 1);
  EXPECT_EQ(ids.found, 1);
  EXPECT_EQ(ids.c1, 77);
  EXPECT_EQ(ids.c2, 1000);
  EXPECT_EQ(Torah(rec), Lines{"Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:17-22"});
  EXPECT_EQ(Haftarot(rec), Lines{"Ezekiel 38:18 - 39:16"});
  // A weekday leaves the codes alone; no record is needed.
  ReadingsIds untouched;
  EXPECT_EQ(ParashGetReadingsWithIDs(18, kTishri, 5785, nullptr, &untouched), 0);
  EXPECT_EQ(untouched.found, 0);
}

TEST_F(ReadingsTest, ShabbatRoshKhodeshWithAndWithoutKhanukka) {
  // 1 Adar I 5784, 10 February 2024: Mishpatim and the full Rosh Khodesh Haftarah.
  ReadingsRec rec = On(2024, 2, 10, kDiaspora);
  EXPECT_EQ(Torah(rec), (Lines{"Mishpatim, Exodus 21:1 - 24:18", "Rosh Khodesh, Numbers 28:9-15"}));
  EXPECT_EQ(Haftarot(rec), Lines{"Isaiah 66:1-24"});
  // 30 Kislev 5780, 28 December 2019: the first Shabbat of Khanukka is Rosh
  // Khodesh and the day before Rosh Khodesh.
  rec = On(2019, 12, 28, kDiaspora);
  EXPECT_EQ(Torah(rec), (Lines{"Mikkets, Genesis 41:1 - 44:17", "Khanukka VI, Numbers 7:42-47",
                               "Rosh Khodesh, Numbers 28:9-15"}));
  ASSERT_GE(Haftarot(rec).size(), 2u);
  EXPECT_EQ(Haftarot(rec)[0], "Zechariah 2:14 - 4:7");
  EXPECT_EQ(Haftarot(rec)[1], "Isaiah 66, 1 & 23");
  // Regression guard (our own output): day 30 also adds the Makhar Khodesh verses.
  EXPECT_EQ(Haftarot(rec).size(), 3u);
}

TEST_F(ReadingsTest, ShabbatShuva) {
  // 3 Tishri 5785, 5 October 2024.
  const ReadingsRec rec = On(2024, 10, 5, kIsrael);
  EXPECT_EQ(Torah(rec), (Lines{"Haazinu, Deuteronomy 32:1-52", "Shabbat Shuva"}));
  EXPECT_EQ(rec.torah[1].flags & kHaftShabbatShuva, kHaftShabbatShuva);
  EXPECT_EQ(Haftarot(rec), Lines{"Hosea 14:2-10; Micah 7:18-20 or Hosea 14:2-10; Joel 2:15-27"});
  // A week later is Yom Kippur, not Shabbat Shuva.
  EXPECT_EQ(Torah(On(2024, 10, 12, kIsrael)).size(), 1u);
}

TEST_F(ReadingsTest, TheThreeWeeks) {
  const std::string kFirst = "Jeremiah 1:1 - 2:3";
  const std::string kSecond = "Jeremiah 2:4-28; Jeremiah 3:4 (Sephardi ritual: Jeremiah 2:4-28; Jeremiah 4:1-2)";
  // 5785: Matoth and Maseh together. Pinhas (19 July 2025) reads the first
  // Haftarah, Matoth-Maseh on 1 Av (26 July) the second and the Rosh Khodesh verses.
  ReadingsRec rec = On(2025, 7, 19, kDiaspora);
  EXPECT_TRUE(rec.torah[0].flags & kHaftAffliction1);
  EXPECT_EQ(Haftarot(rec), Lines{kFirst});
  rec = On(2025, 7, 26, kDiaspora);
  EXPECT_TRUE(rec.torah[1].flags & kHaftAffliction2);
  EXPECT_EQ(Haftarot(rec), (Lines{kSecond, "Isaiah 66, 1 & 23"}));
  // 5765: separate. Pinhas before 17 Tammuz (23 July 2005) keeps its own,
  // Matoth (30 July) and Maseh (6 August, 1 Av) read the two.
  rec = On(2005, 7, 23, kDiaspora);
  EXPECT_TRUE(rec.torah[0].flags & kHaftPinhasBefore);
  EXPECT_EQ(Haftarot(rec), Lines{"I Kings 18:46 - 19:21"});
  rec = On(2005, 7, 30, kDiaspora);
  EXPECT_TRUE(rec.torah[0].flags & kHaftAffliction1);
  EXPECT_EQ(Haftarot(rec), Lines{kFirst});
  EXPECT_EQ(Haftarot(On(2005, 8, 6, kDiaspora)), (Lines{kSecond, "Isaiah 66, 1 & 23"}));
  // 5782: separate in Israel, together in the Diaspora, on the same days.
  EXPECT_EQ(Haftarot(On(2022, 7, 16, kIsrael)), Lines{"I Kings 18:46 - 19:21"});
  EXPECT_EQ(Haftarot(On(2022, 7, 23, kIsrael)), Lines{kFirst});
  EXPECT_EQ(Haftarot(On(2022, 7, 30, kIsrael)), Lines{kSecond});
  EXPECT_EQ(Torah(On(2022, 7, 16, kDiaspora)), Lines{"Balak, Numbers 22:2 - 25:9"});
  EXPECT_EQ(Haftarot(On(2022, 7, 23, kDiaspora)), Lines{kFirst});
  EXPECT_EQ(Torah(On(2022, 7, 30, kDiaspora)).size(), 2u);
  EXPECT_EQ(Haftarot(On(2022, 7, 30, kDiaspora)), Lines{kSecond});
  // Year type 0 (5777): Maseh brings its own Haftarah and the second of the
  // three weeks, the same reading, listed once (22 July 2017).
  EXPECT_EQ(Haftarot(On(2017, 7, 22, kDiaspora)), Lines{kSecond});
}

// Each substitution bit on a real Shabbat: the entry that carries it and the
// Haftarah it brings. The dates were found by scanning 5770..5800.
TEST_F(ReadingsTest, EveryHaftarahBitIsReachedByARealDate) {
  struct Case {
    int year, month, day;
    int diaspora;
    int32_t bit;
    size_t entry;      // 0-based
    int32_t haftarah;  // the code whose Haftarah must be listed
  };
  const Case cases[] = {
      {2010, 2, 27, kDiaspora, kHaftOwn, 1, 62},            // Tetsavveh and Zakhor
      {2010, 1, 16, kDiaspora, kHaftRoshKhodesh, 1, 300},   // Vaera on 1 Shevat
      {2009, 10, 17, kDiaspora, kHaftMakharKhodesh, 0, 301},  // Bereshith on 29 Tishri
      {2012, 3, 24, kDiaspora, kHaftRoshKhodeshVerses, 2, 302},  // Vayikra and Hakhodesh on 1 Nisan
      {2010, 2, 13, kDiaspora, kHaftMakharKhodeshVerses, 1, 303},  // Mishpatim and Shekalim on 29 Shevat
      {2009, 12, 12, kDiaspora, kHaftKhanukka1, 0, 304},    // Vayesheb, Khanukka I
      {2009, 12, 19, kDiaspora, kHaftKhanukka2, 0, 305},    // Mikkets, Khanukka VIII
      {2011, 2, 26, kIsrael, kHaftKhanukka2, 0, 305},       // Vayakhel alone
      {2024, 5, 4, kDiaspora, kHaftAharemothAlone, 0, 306},
      {2010, 4, 24, kDiaspora, kHaftKedoshim, 1, 307},      // Aharemoth-Kedoshim
      {2024, 5, 11, kIsrael, kHaftKedoshimType9, 0, 308},   // 5784 is of type 9
      {2011, 7, 16, kDiaspora, kHaftPinhasBefore, 0, 309},
      {2010, 7, 3, kDiaspora, kHaftAffliction1, 0, 310},
      {2010, 7, 10, kIsrael, kHaftAffliction2, 1, 311},
      {2009, 9, 26, kDiaspora, kHaftShabbatShuva, 1, 312},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
    const ReadingsRec rec = On(c.year, c.month, c.day, c.diaspora);
    EXPECT_TRUE(rec.torah[c.entry].flags & c.bit) << "bit " << c.bit;
    const std::string expected = GetHaphtarahReading(c.diaspora, c.haftarah);
    ASSERT_FALSE(expected.empty());
    EXPECT_NE(std::find(rec.haphtarah.begin(), rec.haphtarah.end(), expected), rec.haphtarah.end()) << expected;
  }
}

// The Rosh Khodesh bits sit on the Rosh Khodesh entry of Shabbat Rosh
// Khodesh; the section's own Haftarah must still give way to Isaiah 66, and
// the added verses of bits 16 and 32 must not remove the day's Haftarah.
TEST_F(ReadingsTest, RoshKhodeshHaftarahRulesOnTheDayItself) {
  // Israel, Kedoshim on 1 Iyar 5760 (6 May 2000).
  EXPECT_EQ(Haftarot(On(2000, 5, 6, kIsrael)), Lines{"Isaiah 66:1-24"});
  // Tazria-Metsora on 1 Iyar 5756 (20 April 1996).
  EXPECT_EQ(Haftarot(On(1996, 4, 20, kDiaspora)), Lines{"Isaiah 66:1-24"});
  // Reeh on 29 Av 5754 (6 August 1994): its own Haftarah and the Makhar
  // Khodesh verses.
  EXPECT_EQ(Haftarot(On(1994, 8, 6, kDiaspora)), (Lines{"Isaiah 54:11 - 55:5", "I Samuel 20, 18 & 42"}));
}

// ---------------------------------------------------------------- properties

bool HasHolidayReading(const HebrewDate& h) {
  for (const HolidayReadingRow& row : HolidayRecs) {
    const HebrewDate date = GetJewishHolidayDate(row.holidayId, h.year);
    if (date.day != 0 && date == h) return true;
  }
  return false;
}

TEST_F(ReadingsTest, EveryReachedCodeHasATextAndOtherDaysHaveNone) {
  for (int diaspora : {kIsrael, kDiaspora}) {
    diasporaSetFlag(diaspora);
    for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5770); d < AbsoluteFromHebrew(1, kTishri, 5800); ++d) {
      const HebrewDate h = HebrewFromAbsolute(d);
      ReadingsRec rec;
      ReadingsIds ids;
      const int result = ParashGetReadingsWithIDs(h.day, h.month, h.year, &rec, &ids);
      const std::string where = std::to_string(h.day) + "." + std::to_string(h.month) + "." +
                                std::to_string(h.year) + (diaspora ? " Diaspora" : " Israel");
      if (WeekdayOf(d) == kShabbat) {
        ASSERT_EQ(result, 1) << where;
        const int32_t codes[3] = {ids.c1, ids.c2, ids.c3};
        for (size_t i = 0; i < 3; ++i) {
          if (codes[i] != 1000) {
            EXPECT_FALSE(rec.torah[i].text.empty()) << where << " code " << codes[i];
          }
        }
        EXPECT_FALSE(rec.haphtarah[0].empty()) << where;
      } else if (HasHolidayReading(h) || IsDateRoshHodesh(d)) {
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(rec.torah[0].text.empty()) << where;
      } else {
        EXPECT_TRUE(Torah(rec).empty() && Haftarot(rec).empty()) << where;
      }
    }
  }
}

// ---------------------------------------------------------------- the list

TEST_F(ReadingsTest, ReadingsListHeadingAndLines) {
  translate_init("english");
  diasporaSetFlag(kIsrael);
  EXPECT_EQ(BuildReadingsList(AbsoluteFromGregorian(5, 10, 2024)),
            "Readings for 5.10.2024:\n"
            "Haazinu, Deuteronomy 32:1-52\n"
            "Shabbat Shuva\n"
            "Hosea 14:2-10; Micah 7:18-20 or Hosea 14:2-10; Joel 2:15-27\n");
  EXPECT_EQ(BuildReadingsList(AbsoluteFromGregorian(4, 11, 2024)), "");
}

TEST_F(ReadingsTest, ReadingsListIsTranslatedAndTheHeadingIsNoFormatString) {
  const std::string dir = home_.path() + "/.lumaro/translations";
  std::filesystem::create_directories(dir);
  testenv::WriteFile(dir + "/yiddish.readings",
                     "\"Readings for %d.%d.%d:\" = \"Leyenungen %d/%d/%d:\"\n"
                     "\"Rosh Khodesh\" = \"RK\"\n");
  translate_init("yiddish");
  diasporaSetFlag(kDiaspora);
  // Friday 1 November 2024, 30 Tishri.
  EXPECT_EQ(BuildReadingsList(AbsoluteFromGregorian(1, 11, 2024)), "Leyenungen 1/11/2024:\nRK, Numbers 28:1-15\n");
  // A translated heading whose conversions do not fit is shown as it is.
  testenv::WriteFile(dir + "/yiddish.readings", "\"Readings for %d.%d.%d:\" = \"%s%n %d %d %d %d:\"\n");
  translate_init("yiddish");
  EXPECT_EQ(BuildReadingsList(AbsoluteFromGregorian(1, 11, 2024)), "%s%n %d %d %d %d:\nRosh Khodesh, Numbers 28:1-15\n");
}

}  // namespace
