// The halakha report over whole years: how often and on which days a line
// appears is fixed by the calendar (eight Khanukka evenings, 49 Omer
// evenings, one Megilah evening ...), so these checks are independent
// of how the rules are written. The exact text of chosen days is in the
// golden files of the day report.
#include "halakha/halacha.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

AbsoluteDay G(int year, int month, int day) { return AbsoluteFromGregorian(day, month, year); }
AbsoluteDay Heb(int day, int month, int year) { return AbsoluteFromHebrew(day, month, year); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The lines under a service header up to the next one ("" for the day notes).
std::vector<std::string> Service(const std::string& text, const std::string& header) {
  static const std::vector<std::string> kHeaders = {"Shakharit", "Torah reading", "Musaf",
                                                    "Minkha",    "Neila",         "Maariv"};
  std::vector<std::string> out;
  bool inside = header.empty();
  for (const std::string& line : Lines(text)) {
    if (Has(kHeaders, line)) {
      inside = line == header;
    } else if (inside) {
      out.push_back(line);
    }
  }
  return out;
}

// The report of every day of a Hebrew year.
class YearReports {
 public:
  YearReports(int year, int diaspora, int style) {
    diasporaSetFlag(diaspora);
    for (AbsoluteDay d = Heb(1, kTishri, year); d < Heb(1, kTishri, year + 1); ++d)
      reports_[d] = HalachaDo(d, diaspora, style);
  }
  // The days whose report has `line` in `service`.
  std::vector<AbsoluteDay> DaysWith(const std::string& service, const std::string& line) const {
    std::vector<AbsoluteDay> days;
    for (const auto& [d, text] : reports_)
      if (Has(Service(text, service), line)) days.push_back(d);
    return days;
  }
  const std::map<AbsoluteDay, std::string>& all() const { return reports_; }

 private:
  std::map<AbsoluteDay, std::string> reports_;
};

class HalakhaReport : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  testenv::TempHome home_;
};

// Years 5782..5786 cover 9 Av on Shabbat (5782), a leap year (5784), Rosh
// HaShana on Shabbat (5784) and Yom Kippur on Shabbat (5785).
TEST_F(HalakhaReport, YearlyFacts) {
  for (int year = 5782; year <= 5786; ++year) {
    for (int diaspora : {0, 1}) {
      SCOPED_TRACE("year " + std::to_string(year) + (diaspora ? " Diaspora" : " Israel"));
      const YearReports r(year, diaspora, 2);
      const AbsoluteDay pesakh = Heb(15, kNisan, year);
      const AbsoluteDay shavuot = Heb(6, kSivan, year);
      const AbsoluteDay khanukka = Heb(25, kKislev, year);

      // The Omer is counted on the 49 evenings from the first night of
      // Pesakh's second day to the night before Erev Shavuot.
      const auto omer = r.DaysWith("Maariv", "  Sefirat haOmer");
      ASSERT_EQ(omer.size(), 49u);
      EXPECT_EQ(omer.front(), pesakh);
      EXPECT_EQ(omer.back(), shavuot - 2);

      // Yizkor: Yom Kippur, Shemini Atseret, last day of Pesakh and of Shavuot.
      const std::vector<AbsoluteDay> yizkor = {
          Heb(10, kTishri, year), Heb(22, kTishri, year), diaspora ? pesakh + 7 : pesakh + 6,
          diaspora ? shavuot + 1 : shavuot};
      EXPECT_EQ(r.DaysWith("Torah reading", "  Yizkor"), yizkor);

      // Khanukka: the synagogue lights on the eight evenings before its
      // eight days: before Minkha on a Friday (by Maariv it is Shabbat), with
      // Havdalah after Shabbat, before Maariv on the other evenings. In the
      // morning it lights again except on Shabbat, and says Al haNisim and
      // whole Hallel on all eight days.
      std::vector<AbsoluteDay> fridays, saturdays, weekdays;
      for (AbsoluteDay d = khanukka - 1; d < khanukka + 7; ++d)
        (WeekdayOf(d) == kFriday ? fridays : WeekdayOf(d) == kShabbat ? saturdays : weekdays).push_back(d);
      EXPECT_EQ(r.DaysWith("Minkha", "  Light candles before Minkha"), fridays);
      EXPECT_EQ(r.DaysWith("Maariv", "  Light Khannuka candles before Havdalah"), saturdays);
      EXPECT_EQ(r.DaysWith("Maariv", "  Light candles before Maariv"), weekdays);
      for (int i = 0; i < 8; ++i) {
        const AbsoluteDay d = khanukka + i;
        const std::string& text = r.all().at(d);
        EXPECT_TRUE(Has(Service(text, "Shakharit"), "  Al haNisim")) << "day " << i + 1;
        EXPECT_TRUE(Has(Service(text, "Shakharit"), "  full Hallel")) << "day " << i + 1;
        EXPECT_EQ(Has(Service(text, "Shakharit"), "  Light candles before Shakharit in synagogue "),
                  WeekdayOf(d) != kShabbat)
            << "day " << i + 1;
      }

      // Whole Hallel: Sukkot with Shemini Atseret (and Simkhat Tora), the
      // eight days of Khanukka, the first day(s) of Pesakh and Shavuot.
      EXPECT_EQ(r.DaysWith("Shakharit", "  full Hallel").size(), diaspora ? 21u : 18u);
      // Half Hallel: Rosh Khodesh outside Khanukka and the rest of Pesakh
      // (six days both in Israel and in the Diaspora).
      size_t roshKhodesh = 0;
      std::vector<AbsoluteDay> allRoshKhodesh;
      for (const auto& [d, text] : r.all()) {
        const HebrewDate h = HebrewFromAbsolute(d);
        const bool rc = h.day == 30 || (h.day == 1 && h.month != kTishri);
        if (rc) allRoshKhodesh.push_back(d);
        if (rc && !(d >= khanukka && d < khanukka + 8)) ++roshKhodesh;
      }
      EXPECT_EQ(r.DaysWith("Shakharit", "  short Hallel").size(), roshKhodesh + 6);
      // Psalm 104 is the psalm of Rosh Khodesh alone, in Khanukka too.
      EXPECT_EQ(r.DaysWith("Shakharit", "  Barekhi nafshi (Psalm 104)"), allRoshKhodesh);

      // Birkat haKhodesh on the Shabbat before every month but Tishri, with
      // the molad of the coming month right after it.
      const auto mevarkhim = r.DaysWith("Torah reading", "  Birkat haKhodesh");
      EXPECT_EQ(mevarkhim.size(), Hebrew_Leap_Year(year) ? 12u : 11u);
      for (AbsoluteDay d : mevarkhim) {
        EXPECT_EQ(WeekdayOf(d), kShabbat);
        EXPECT_NE(HebrewFromAbsolute(d).month, kElul);
        const auto lines = Lines(r.all().at(d));
        const auto at = std::find(lines.begin(), lines.end(), "  Birkat haKhodesh");
        ASSERT_NE(at + 1, lines.end());
        EXPECT_EQ((at + 1)->rfind("  Molad of ", 0), 0u) << *(at + 1);
      }

      // The Megilah is read on the evening that begins Purim.
      const AbsoluteDay purim = Heb(14, Hebrew_Leap_Year(year) ? kAdarII : kAdar, year);
      EXPECT_EQ(r.DaysWith("Maariv", "  Megilat Ester"), std::vector<AbsoluteDay>{purim - 1});
      EXPECT_EQ(r.DaysWith("Torah reading", "Megilat Ester"), std::vector<AbsoluteDay>{purim});

      // The scrolls of the festivals: Shir haShirim and Kohelet on the one
      // Shabbat among the seven days from the first day of Pesakh (Israel) or
      // the second (abroad), and from the second day of Sukkot; Ruth on the
      // last day of Shavuot.
      const std::pair<const char*, AbsoluteDay> festivalScrolls[] = {{"  Megilat Shir haShirim", pesakh + diaspora},
                                                                     {"  Megilat Kohelet", Heb(16, kTishri, year)}};
      for (const auto& [scroll, first] : festivalScrolls) {
        const auto days = r.DaysWith("Shakharit", scroll);
        ASSERT_EQ(days.size(), 1u) << scroll;
        EXPECT_EQ(WeekdayOf(days[0]), kShabbat) << scroll;
        EXPECT_GE(days[0], first) << scroll;
        EXPECT_LT(days[0], first + 7) << scroll;
      }
      EXPECT_EQ(r.DaysWith("Shakharit", "  Megilat Ruth"), std::vector<AbsoluteDay>{shavuot + diaspora});

      // Hakafot: in the evening and the morning of Simkhat Tora.
      const AbsoluteDay simkhatTora = Heb(diaspora ? 23 : 22, kTishri, year);
      EXPECT_EQ(r.DaysWith("Shakharit", "Hakafot"), std::vector<AbsoluteDay>{simkhatTora});
      EXPECT_EQ(r.DaysWith("Maariv", "  Hakafot"), std::vector<AbsoluteDay>{simkhatTora - 1});
      const auto scrolls = Service(r.all().at(simkhatTora), "Torah reading");
      ASSERT_FALSE(scrolls.empty());
      EXPECT_EQ(scrolls[0].rfind("  3 sifrey torah; ", 0), 0u) << scrolls[0];

      // Sitting in the Sukkah on Shemini Atseret is a custom of the Diaspora.
      EXPECT_EQ(r.DaysWith("", "  All meals in the Sukkah (without berakha)").size(), diaspora ? 1u : 0u);
      EXPECT_EQ(r.DaysWith("", "  All meals in the Sukkah (with berakha)").size(), 7u);

      // Tisha BeAv: the scroll of Lamentations once, on the night the fast begins.
      const AbsoluteDay av9 = Heb(9, kAv, year);
      const AbsoluteDay fast = WeekdayOf(av9) == kShabbat ? av9 + 1 : av9;
      EXPECT_EQ(r.DaysWith("Maariv", "  Megilat Eykha"), std::vector<AbsoluteDay>{fast - 1});
      EXPECT_EQ(r.DaysWith("Shakharit", "  No tallit or tefillin until Minkha"), std::vector<AbsoluteDay>{fast});
      EXPECT_EQ(r.DaysWith("Torah reading", "  Kinot"), std::vector<AbsoluteDay>{fast});
      EXPECT_EQ(r.DaysWith("Minkha", "  Tallit and tefillin with berakha"), std::vector<AbsoluteDay>{fast});

      // Avinu Malkeynu from Rosh HaShana to Yom Kippur: at Shakharit on every
      // weekday but the eve of Yom Kippur, at Minkha not on Friday either,
      // at Neila always; on a Shabbat at most "no Avinu Malkeynu".
      for (int day = 1; day <= 10; ++day) {
        const AbsoluteDay d = Heb(day, kTishri, year);
        const std::string& text = r.all().at(d);
        const bool weekday = WeekdayOf(d) != kShabbat && day != 9;
        EXPECT_EQ(Has(Service(text, "Shakharit"), "  Avinu Malkeynu"), weekday) << day << " Tishri";
        EXPECT_EQ(Has(Service(text, "Minkha"), "  Avinu Malkeynu"), weekday && WeekdayOf(d) != kFriday)
            << day << " Tishri";
        EXPECT_EQ(Has(Service(text, "Neila"), "  Avinu Malkeynu"), day == 10) << day << " Tishri";
      }

      for (const auto& [d, text] : r.all()) {
        // A festival that runs into Shabbat has no Havdalah, and the second
        // day of Rosh HaShana after Shabbat makes Havdalah in kiddush.
        EXPECT_EQ(text.find("haMavdil beyn Kodesh leKodesh"), std::string::npos) << d;
        EXPECT_FALSE(Has(Lines(text), "  no Havdalah")) << d;
        // Going out of Shabbat, a festival day or a high holiday into a
        // weekday or Khol HaMoed: Ato Khonantanu in the Amida and Havdalah.
        EXPECT_EQ(Has(Service(text, "Maariv"), "  Ato Khonantanu"), Has(Lines(text), "  Havdalah")) << d;
        // Every line is a header or indented by two to six blanks.
        for (const std::string& line : Lines(text)) {
          ASSERT_FALSE(line.empty()) << d;
          if (line[0] == ' ') {
            EXPECT_EQ(line.rfind("  ", 0), 0u) << d << ": '" << line << "'";
          }
        }
      }
    }
  }
}

// Sephardic Selikhot: every morning from 2 Elul to 9 Tishri except Shabbat
// and Rosh HaShana, each on the evening before.
TEST_F(HalakhaReport, SephardicSelikhotEveryMorningOfTheSeason) {
  for (int year = 5784; year <= 5786; ++year) {
    for (int diaspora : {0, 1}) {
      SCOPED_TRACE("year " + std::to_string(year) + (diaspora ? " Diaspora" : " Israel"));
      std::vector<AbsoluteDay> expected;
      for (AbsoluteDay morning = Heb(3, kTishri, year); morning <= Heb(9, kTishri, year); ++morning)
        if (WeekdayOf(morning) != kShabbat) expected.push_back(morning - 1);
      for (AbsoluteDay morning = Heb(2, kElul, year); morning <= Heb(29, kElul, year); ++morning)
        if (WeekdayOf(morning) != kShabbat) expected.push_back(morning - 1);
      const YearReports r(year, diaspora, 1);
      EXPECT_EQ(r.DaysWith("Maariv", "Selikhot"), expected);
      for (AbsoluteDay d : expected) {
        const auto lines = Lines(r.all().at(d));
        EXPECT_EQ(lines.back(), "Selikhot") << d;
      }
    }
  }
}

TEST_F(HalakhaReport, StyleOtherThanOneOrTwo) {
  // A style that is neither 1 nor 2 takes the branch that does not name one:
  // on Shavuot "Ketuva" (not Akdamut) and "no Mashiv haRuakh" (not Morid haTal).
  const AbsoluteDay shavuot = G(2025, 6, 2);
  const auto lines = Lines(HalachaDo(shavuot, 1, 7));
  EXPECT_TRUE(Has(lines, "  Ketuva"));
  EXPECT_TRUE(Has(lines, "  no Mashiv haRuakh"));
  EXPECT_FALSE(Has(lines, "  Akdamut"));
  EXPECT_FALSE(Has(lines, "  Morid haTal"));
}

}  // namespace
