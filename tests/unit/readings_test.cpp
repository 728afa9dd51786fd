// The readings of a day: the lookup rules of the tables and the Shabbat and
// holiday rules on dated examples, which agree with a printed luach. Every
// day of 62 years is compared with a published source in
// readings_reference_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "calendar/calendar.h"
#include "calendar/reading_tables.h"
#include "calendar/readings.h"
#include "compose/readings_list.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

constexpr CalendarRules kIsrael = kIsraelRules;
constexpr CalendarRules kDiaspora = kDiasporaRules;

class ReadingsTest : public ::testing::Test {
 protected:
  ReadingsTest() { settingsReset(); }
  ~ReadingsTest() override { translate_done(); }
  testenv::TempHome home_;
};

ReadingsRec On(int year, int month, int day, const CalendarRules& rules) {
  const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(day, month, year));
  ReadingsRec rec;
  ParashGetReadings(h.day, h.month, h.year, rules, &rec);
  return rec;
}

// The non-empty texts of the record, joined by "|".
std::string Torah(const ReadingsRec& rec) {
  std::string out;
  for (const std::string& t : rec.torah)
    if (!t.empty()) out += (out.empty() ? "" : "|") + t;
  return out;
}
std::string Haftarot(const ReadingsRec& rec) {
  std::string out;
  for (const auto& h : rec.haftarah)
    if (!h.empty()) out += (out.empty() ? "" : "|") + h;
  return out;
}

TEST_F(ReadingsTest, TableLookup) {
  // Wording that the translations and the Sephardi split depend on.
  EXPECT_EQ(GetTorahReading(kDiaspora, 72),
            "Tsom Gedalya, Morning: Exodus 32:11-14 and Exodus 34:1-10; Afternoon: Exodus 32:11-14 and Exodus 34:1-10");
  EXPECT_EQ(GetTorahReading(kDiaspora, 84), "Khol HaMoed Sukkot");
  // The maftir of Khanukka days 2..5 on Shabbat, the day's prince alone.
  EXPECT_EQ(GetTorahReading(kIsrael, 121), "Khanukka II, Numbers 7:18-23");
  EXPECT_EQ(GetTorahReading(kDiaspora, 124), "Khanukka V, Numbers 7:36-41");
  for (int code : {121, 122, 123, 124}) EXPECT_EQ(GetHaftarahReading(kDiaspora, code), "") << code;
  EXPECT_EQ(GetHaftarahReading(kDiaspora, 0), "Isaiah 42:5 - 43:10 (Sephardi ritual: Isaiah 42:5-21)");
  EXPECT_EQ(GetHaftarahReading(kDiaspora, 305), "I Kings 7:40-50");
  EXPECT_EQ(GetHaftarahReading(kDiaspora, 21), "I Kings 7:40-50 (Sephardi ritual: I Kings 7:13-26)");
  EXPECT_EQ(GetHaftarahReading(kDiaspora, 22), "I Kings 7:51 - 8:21 (Sephardi ritual: I Kings 7:40-50)");
  // No Israel row: the Diaspora text. An Israel "(none)" blocks the Diaspora
  // text; the Diaspora ignores Israel rows.
  EXPECT_EQ(GetTorahReading(kIsrael, 0), "Bereshith, Genesis 1:1 - 6:8");
  EXPECT_EQ(GetTorahReading(kDiaspora, 93), "Pesakh VIII, Deuteronomy 15:19 - 16:17; Numbers 28:19-25");
  EXPECT_EQ(GetHaftarahReading(kDiaspora, 75), "I Kings 8:2-21");
  EXPECT_EQ(GetTorahReading(kIsrael, 75), "Sukkot II, Numbers 29:17-19");
  for (int code : {92, 93, 53, 54, 55, 95, 96}) EXPECT_EQ(GetTorahReading(kIsrael, code), "") << code;
  for (int code : {112, 113, 115, 116, 118, 119, 120, 92, 93, 95, 96, 75, 76, 78, 79, 81, 83})
    EXPECT_EQ(GetHaftarahReading(kIsrael, code), "") << code;
  // "(none)" in the Diaspora tables, and codes no table has.
  EXPECT_EQ(GetHaftarahReading(kDiaspora, 100), "");
  EXPECT_EQ(GetTorahReading(kDiaspora, 201), "");
  for (int code : {-1, 56, 67, 114, 117, 200, 1000, 12345}) EXPECT_EQ(GetTorahReading(kDiaspora, code), "") << code;
  for (int code : {-1, 85, 313, 12345}) EXPECT_EQ(GetHaftarahReading(kDiaspora, code), "") << code;
}

// The dated examples, "?" where a part is not checked.
TEST_F(ReadingsTest, DatedExamples) {
  const std::string kJer1 = "Jeremiah 1:1 - 2:3";
  const std::string kJer2 = "Jeremiah 2:4-28; Jeremiah 3:4 (Sephardi ritual: Jeremiah 2:4-28; Jeremiah 4:1-2)";
  const std::string kRkVerses = "Isaiah 66, 1 & 23";
  const std::string kRk = "Rosh Khodesh, Numbers 28:1-15";
  const std::string kJoshua = "Joshua 1:1-18 (Sephardi ritual: Joshua 1:1-9)";
  struct Case {
    int year, month, day;
    CalendarRules rules;
    std::string torah, haftarot;
  };
  const Case cases[] = {
      {2024, 11, 4, kDiaspora, "", ""},  // an ordinary Monday
      // Weekday Rosh Khodesh (30 Tishri 5785) and Khanukka on Rosh Khodesh
      // or not (2 Tevet 5784 is not).
      {2024, 11, 1, kDiaspora, kRk, ""},
      {2024, 12, 31, kDiaspora, kRk + "|Khanukka VI, Numbers 7:42-47", ""},
      {2025, 1, 1, kIsrael, kRk + "|Khanukka VII, Numbers 7:48-53", ""},
      {2023, 12, 14, kDiaspora, "Khanukka VII, Numbers 7:48-59", ""},
      // Pesakh 5785: 16 Nisan, and 22 Nisan abroad only.
      {2025, 4, 14, kIsrael, "Pesakh II, Leviticus 22:26 - 23:44; Numbers 28:19-25", ""},
      {2025, 4, 14, kDiaspora, "Pesakh II, Leviticus 22:26 - 23:44; Numbers 28:16-25",
       "II Kings 23:1-9; II Kings 23:21-25"},
      {2025, 4, 20, kDiaspora, "Pesakh VIII, Deuteronomy 15:19 - 16:17; Numbers 28:19-25", "?"},
      {2025, 4, 20, kIsrael, "", ""},
      // 17 Nisan 5780 was a Shabbat: on Sunday the Diaspora reads the
      // passage it missed, Israel goes on in order.
      {2020, 4, 12, kDiaspora, "Pesakh IV, Exodus 13:1-16; Numbers 28:19-25", "?"},
      {2020, 4, 12, kIsrael, "Pesakh IV, Exodus 22:24 - 23:19; Numbers 28:19-25", "?"},
      {2020, 4, 13, kDiaspora, "Pesakh V, Exodus 22:24 - 23:19; Numbers 28:19-25", "?"},
      // Shemini Atseret and Simkhat Tora 5785; Shemini Atseret on Shabbat 5750.
      {2024, 10, 24, kIsrael,
       "Shemini Atseret/Simkhat Tora|Deuteronomy 33:1 - 34:12|Genesis 1:1 - 2:3; Numbers 29:35 - 30:1", kJoshua},
      {2024, 10, 24, kDiaspora, "Shemini Atseret, Deuteronomy 14:22 - 16:17; Numbers 29:35 - 30:1", "I Kings 8:54-66"},
      {2024, 10, 25, kDiaspora, "Simkhat Tora, Deuteronomy 33:1-end|Genesis 1:1 - 2:3|Numbers 29:35 - 30:1", kJoshua},
      {2024, 10, 25, kIsrael, "", "?"},
      {1989, 10, 21, kIsrael, "?", kJoshua},
      // Shabbat Khol HaMoed Sukkot and Shabbat Shuva 5785.
      {2024, 10, 19, kDiaspora, "Shabbat Khol HaMoed Sukkot, Exodus 33:12 - 34:26; Numbers 29:17-22",
       "Ezekiel 38:18 - 39:16"},
      {2024, 10, 5, kIsrael, "Haazinu, Deuteronomy 32:1-52|Shabbat Shuva",
       "Hosea 14:2-10; Micah 7:18-20 or Hosea 14:2-10; Joel 2:15-27"},
      // Shabbat Rosh Khodesh: 1 Adar I 5784, and 30 Kislev 5780 in Khanukka,
      // which also adds the Makhar Khodesh verses (our own output).
      {2024, 2, 10, kDiaspora, "Mishpatim, Exodus 21:1 - 24:18|Rosh Khodesh, Numbers 28:9-15", "Isaiah 66:1-24"},
      {2019, 12, 28, kDiaspora,
       "Mikkets, Genesis 41:1 - 44:17|Rosh Khodesh, Numbers 28:9-15|Khanukka VI, Numbers 7:42-47",
       "Zechariah 2:14 - 4:7|" + kRkVerses + "|I Samuel 20, 18 & 42"},
      // The section's own Haftarah gives way to Isaiah 66 on Rosh Khodesh
      // (Kedoshim 1 Iyar 5760 in Israel, Tazria-Metsora 1 Iyar 5756); the
      // added verses do not remove it (Reeh, 29 Av 5754).
      {2000, 5, 6, kIsrael, "?", "Isaiah 66:1-24"},
      {1996, 4, 20, kDiaspora, "?", "Isaiah 66:1-24"},
      {1994, 8, 6, kDiaspora, "?", "Isaiah 54:11 - 55:5|I Samuel 20, 18 & 42"},
      // The three weeks. 5785: Matoth-Maseh together; Pinhas reads the first
      // Haftarah of affliction, 1 Av the second and the Rosh Khodesh verses.
      {2025, 7, 19, kDiaspora, "?", kJer1},
      {2025, 7, 26, kDiaspora, "?", kJer2 + "|" + kRkVerses},
      // 5765: apart; Pinhas before 17 Tammuz keeps its own.
      {2005, 7, 23, kDiaspora, "?", "I Kings 18:46 - 19:21"},
      {2005, 7, 30, kDiaspora, "?", kJer1},
      {2005, 8, 6, kDiaspora, "?", kJer2 + "|" + kRkVerses},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day) +
                 (c.rules.diaspora ? " Diaspora" : " Israel"));
    const ReadingsRec rec = On(c.year, c.month, c.day, c.rules);
    if (c.torah != "?") {
      EXPECT_EQ(Torah(rec), c.torah);
    }
    if (c.haftarot != "?") {
      EXPECT_EQ(Haftarot(rec), c.haftarot);
    }
  }
}

TEST_F(ReadingsTest, ShabbatReturnsItsCodes) {
  ReadingsRec rec;
  ReadingsIds ids;
  // Shabbat Khol HaMoed, 17 Tishri 5785.
  EXPECT_TRUE(ParashGetReadingsWithIDs(17, kTishri, 5785, kDiaspora, &rec, &ids));
  EXPECT_TRUE(ids.found);
  EXPECT_EQ(ids.c1, 77);
  EXPECT_EQ(ids.c2, 1000);
  // A weekday leaves the codes alone; no record is needed.
  ReadingsIds untouched;
  EXPECT_FALSE(ParashGetReadingsWithIDs(18, kTishri, 5785, kDiaspora, nullptr, &untouched));
  EXPECT_FALSE(untouched.found);
}

// Each Haftarah rule on a real Shabbat (found by scanning 5770..5800): the
// Haftarah it brings is listed.
TEST_F(ReadingsTest, EveryHaftarahRuleIsReachedByARealDate) {
  struct Case {
    int year, month, day;
    CalendarRules rules;
    int32_t haftarah;  // the code whose Haftarah must be listed
  };
  const Case cases[] = {
      {2010, 2, 27, kDiaspora, 62},                            // Tetsavveh and Zakhor read Zakhor's own
      {2010, 1, 16, kDiaspora, kHaftarahRoshKhodesh},          // Vaera on 1 Shevat
      {2009, 10, 17, kDiaspora, kHaftarahMakharKhodesh},       // Bereshith on 29 Tishri
      {2012, 3, 24, kDiaspora, kHaftarahRoshKhodeshVerses},    // Vayikra and Hakhodesh on 1 Nisan
      {2010, 2, 13, kDiaspora, kHaftarahMakharKhodeshVerses},  // Mishpatim and Shekalim on 29 Shevat
      {2009, 12, 12, kDiaspora, kHaftarahKhanukka1},           // Vayesheb, Khanukka I
      {2009, 12, 19, kDiaspora, kHaftarahKhanukka2},           // Mikkets, Khanukka VIII
      {2024, 5, 4, kDiaspora, kHaftarahAharemothAlone},
      {2010, 4, 24, kDiaspora, kHaftarahKedoshim},             // Aharemoth-Kedoshim
      {2024, 5, 11, kIsrael, kHaftarahKedoshimOwn},            // 5784 is of type 9
      {2011, 7, 16, kDiaspora, kHaftarahPinhas},
      {2010, 7, 3, kDiaspora, kHaftarahAffliction1},
      {2010, 7, 10, kIsrael, kHaftarahAffliction2},
      {2009, 9, 26, kDiaspora, kHaftarahShabbatShuva},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
    const std::string expected = GetHaftarahReading(c.rules, c.haftarah);
    ASSERT_FALSE(expected.empty());
    const ReadingsRec rec = On(c.year, c.month, c.day, c.rules);
    EXPECT_NE(std::find(rec.haftarah.begin(), rec.haftarah.end(), expected), rec.haftarah.end()) << expected;
  }
}

TEST_F(ReadingsTest, ReadingsListIsTranslatedAndTheHeadingIsNoFormatString) {
  const std::string dir = home_.path() + "/.lumaro/translations";
  std::filesystem::create_directories(dir);
  testenv::WriteFile(dir + "/yiddish.readings",
                     "\"Readings for %d.%d.%d:\" = \"Leyenungen %d/%d/%d:\"\n"
                     "\"Rosh Khodesh\" = \"RK\"\n");
  translate_init("yiddish");
  // Friday 1 November 2024, 30 Tishri.
  EXPECT_EQ(BuildReadingsList(AbsoluteFromGregorian(1, 11, 2024), kDiasporaRules, isHebrewNumerals()), "Leyenungen 1/11/2024:\nRK, Numbers 28:1-15\n");
  // A translated heading whose conversions do not fit is shown as it is.
  testenv::WriteFile(dir + "/yiddish.readings", "\"Readings for %d.%d.%d:\" = \"%s%n %d %d %d %d:\"\n");
  translate_init("yiddish");
  EXPECT_EQ(BuildReadingsList(AbsoluteFromGregorian(1, 11, 2024), kDiasporaRules, isHebrewNumerals()), "%s%n %d %d %d %d:\nRosh Khodesh, Numbers 28:1-15\n");
}

}  // namespace
