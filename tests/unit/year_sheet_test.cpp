#include "compose/year_sheet.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/festivals.h"
#include "compose/current_options.h"
#include "base/settings.h"
#include "calendar/calendar.h"
#include "calendar/rules.h"
#include "suntimes/shabbat_times.h"
#include "suntimes_env.h"

namespace {

AbsoluteDay Day(int year, int month, int day) { return AbsoluteFromGregorian(day, month, year); }

bool IsCandles(DayTimeKind k) { return k == DayTimeKind::kCandles || k == DayTimeKind::kCandlesAfterNightfall; }
bool OnSheet(DayTimeKind k) {
  return IsCandles(k) || k == DayTimeKind::kHavdalah || k == DayTimeKind::kFastBegins || k == DayTimeKind::kFastEnds;
}

class YearSheetTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    setCity("Jerusalem");
    setIsDST(0);
    setTimeFormat(1);
  }
  static std::vector<YearSheetRow> Rows(bool diaspora, AbsoluteDay first, AbsoluteDay last) {
    diasporaSetFlag(diaspora ? 1 : 0);
    return YearSheetRows(DayTimesFor(CurrentCalendarRules(), CurrentOptions().times), {first, last});
  }
  static std::vector<YearSheetRow> RowsOn(const std::vector<YearSheetRow>& rows, AbsoluteDay date) {
    std::vector<YearSheetRow> on;
    for (const YearSheetRow& r : rows)
      if (r.date == date) on.push_back(r);
    return on;
  }
};

// The occasions that are easy to get wrong, each with the dates of the
// published calendar: one row per evening, the havdalah on the row of the
// rest's last candles, the fasts with their begin and end.
TEST_F(YearSheetTest, KnownOccasionsMakeTheRightRows) {
  struct Expect {
    const char* what;
    bool diaspora;
    AbsoluteDay date;
    int candles;               // 0 none, 1 before sunset, 2 after nightfall
    AbsoluteDay havdalahDate;  // 0: the row has no havdalah
    bool fast;                 // begins on the row's date (or its evening)
    AbsoluteDay fastEndsDate;
    AbsoluteDay day;
    const char* label;  // a part the label must hold
  };
  const Expect cases[] = {
      // Shavuot 5786: Friday 22 and Shabbat 23 May 2026 in the Diaspora. The
      // Friday is the eve of the second day and a Friday: one row.
      {"Shavuot I eve", true, Day(2026, 5, 21), 1, 0, false, 0, Day(2026, 5, 22), "Shavuot I"},
      {"Shavuot II on Shabbat", true, Day(2026, 5, 22), 1, Day(2026, 5, 23), false, 0, Day(2026, 5, 23), "Shavuot II"},
      // In Israel one day, on the Friday: its evening is Shabbat's.
      {"Shavuot in Israel", false, Day(2026, 5, 21), 1, 0, false, 0, Day(2026, 5, 22), "Shavuot"},
      {"Shabbat after Shavuot", false, Day(2026, 5, 22), 1, Day(2026, 5, 23), false, 0, Day(2026, 5, 23), "Naso"},
      // Rosh HaShana 5787: Shabbat 12 and Sunday 13 September 2026.
      {"Erev Rosh HaShana", false, Day(2026, 9, 11), 1, 0, false, 0, Day(2026, 9, 12), "Rosh HaShana I"},
      {"Rosh HaShana II", false, Day(2026, 9, 12), 2, Day(2026, 9, 13), false, 0, Day(2026, 9, 13), "Rosh HaShana II"},
      // Yom Kippur 5787, Monday 21 September 2026: the fast with the candles.
      {"Yom Kippur", true, Day(2026, 9, 20), 1, Day(2026, 9, 21), true, Day(2026, 9, 21), Day(2026, 9, 21),
       "Yom Kippur"},
      // Yom Kippur 5785 on Shabbat, 12 October 2024.
      {"Yom Kippur on Shabbat", true, Day(2024, 10, 11), 1, Day(2024, 10, 12), true, Day(2024, 10, 12),
       Day(2024, 10, 12), "Yom Kippur"},
      // Tisha BeAv 5786, Thursday 23 July 2026, begins the evening before.
      {"Tisha BeAv", true, Day(2026, 7, 22), 0, 0, true, Day(2026, 7, 23), Day(2026, 7, 23), "Tisha BeAv"},
      // 9 Av 5785 was Shabbat, 2 August 2025: the fast from Saturday's
      // sunset to Sunday; the Shabbat's havdalah stays with the Friday.
      {"Shabbat Khazon", true, Day(2025, 8, 1), 1, Day(2025, 8, 2), false, 0, Day(2025, 8, 2), "Debarim"},
      {"Tisha BeAv postponed", true, Day(2025, 8, 2), 0, 0, true, Day(2025, 8, 3), Day(2025, 8, 3), "Tisha BeAv"},
      // 10 Tevet 5784 was a Friday, 22 December 2023: fast and Shabbat candles in one row.
      {"Tenth of Tevet on Friday", true, Day(2023, 12, 22), 1, Day(2023, 12, 23), true, Day(2023, 12, 22),
       Day(2023, 12, 22), "Vayiggash"},
      // Pesakh 5786 in Israel: one festival day, Thursday 2 April 2026, then
      // a Shabbat of Khol HaMoed; the seventh day on Wednesday 8 April.
      {"Pesakh in Israel", false, Day(2026, 4, 1), 1, Day(2026, 4, 2), false, 0, Day(2026, 4, 2), "Pesakh I"},
      {"Shabbat Khol HaMoed", false, Day(2026, 4, 3), 1, Day(2026, 4, 4), false, 0, Day(2026, 4, 4), "Khol HaMoed"},
      {"Pesakh VII in Israel", false, Day(2026, 4, 7), 1, Day(2026, 4, 8), false, 0, Day(2026, 4, 8), "Pesakh VII"},
  };
  for (const Expect& e : cases) {
    SCOPED_TRACE(e.what);
    const std::vector<YearSheetRow> rows = Rows(e.diaspora, e.date - 10, e.date + 10);
    const std::vector<YearSheetRow> on = RowsOn(rows, e.date);
    ASSERT_EQ(on.size(), 1u);
    const YearSheetRow& r = on[0];
    EXPECT_EQ(r.day, e.day);
    EXPECT_EQ(r.candles.has_value(), e.candles != 0);
    if (r.candles && e.candles) {
      EXPECT_EQ(r.candles->kind, e.candles == 1 ? DayTimeKind::kCandles : DayTimeKind::kCandlesAfterNightfall);
    }
    EXPECT_EQ(r.havdalah.has_value(), e.havdalahDate != 0);
    if (r.havdalah) {
      EXPECT_EQ(r.havdalahDate, e.havdalahDate);
    }
    EXPECT_EQ(r.fastBegins.has_value(), e.fast);
    EXPECT_EQ(r.fastEnds.has_value(), e.fast);
    if (r.fastBegins) {
      EXPECT_EQ(r.fastBeginsDate, e.date);
    }
    if (r.fastEnds) {
      EXPECT_EQ(r.fastEndsDate, e.fastEndsDate);
    }
    EXPECT_NE(r.label.find(e.label), std::string::npos) << r.label;
    // Yom Kippur's fast begins with its candles and ends with its havdalah.
    if (std::string(e.label) == "Yom Kippur" && r.candles && r.fastBegins && r.havdalah && r.fastEnds) {
      EXPECT_EQ(r.fastBegins->time.standardMinutes, r.candles->time.standardMinutes);
      EXPECT_EQ(r.fastEnds->time.standardMinutes, r.havdalah->time.standardMinutes);
    }
    for (const std::optional<DayTime>* t : {&r.candles, &r.havdalah, &r.fastBegins, &r.fastEnds})
      if (t->has_value()) {
        EXPECT_TRUE((*t)->computed);
      }
  }
}

// The sheets of consecutive years together hold every candle-lighting,
// havdalah and fast time of those years exactly once, each on the day the
// day's times give it, and nothing else; a row's candles stand on its date
// and begin a Shabbat or a festival day.
TEST_F(YearSheetTest, ConsecutiveSheetsHoldEveryTimeOnce) {
  using Key = std::tuple<AbsoluteDay, int, int>;  // date, kind, minutes
  for (const bool diaspora : {true, false}) {
    for (const bool hebrew : {true, false}) {
      SCOPED_TRACE(std::string(diaspora ? "Diaspora" : "Israel") + (hebrew ? ", Hebrew years" : ", Gregorian years"));
      const int from = hebrew ? 5780 : 2020, to = hebrew ? 5795 : 2035;
      diasporaSetFlag(diaspora ? 1 : 0);
      const DayTimes times = DayTimesFor(CurrentCalendarRules(), CurrentOptions().times);
      const CalendarRules rules = CurrentCalendarRules();
      std::map<Key, int> shown;
      AbsoluteDay previousDate = 0;
      for (int year = from; year <= to; ++year) {
        const YearSheetRange range = hebrew ? HebrewYearSheetRange(year) : GregorianYearSheetRange(year);
        for (const YearSheetRow& r : YearSheetRows(times, range)) {
          EXPECT_GT(r.date, previousDate);  // in order, one row a date
          previousDate = r.date;
          EXPECT_TRUE(range.first <= r.day && r.day <= range.last);
          auto add = [&](const std::optional<DayTime>& t, AbsoluteDay date) {
            if (t) ++shown[Key{date, static_cast<int>(t->kind), t->time.standardMinutes}];
          };
          add(r.candles, r.date);
          add(r.havdalah, r.havdalahDate);
          add(r.fastBegins, r.fastBeginsDate);
          add(r.fastEnds, r.fastEndsDate);
          if (r.candles) {
            EXPECT_TRUE(WeekdayOf(r.date + 1) == kShabbat || IsFestivalDay(r.date + 1, rules))
                << GregorianFromAbsolute(r.date).year << "-" << GregorianFromAbsolute(r.date).month << "-"
                << GregorianFromAbsolute(r.date).day;
          }
          if (r.havdalah) {
            EXPECT_TRUE(r.havdalahDate - r.date >= 1 && r.havdalahDate - r.date <= 3);
          }
          EXPECT_EQ(r.fastBegins.has_value(), r.fastEnds.has_value());
          EXPECT_FALSE(r.label.empty());
        }
      }
      // Every time of the days well inside the years, from the day's times.
      const AbsoluteDay first = (hebrew ? HebrewYearSheetRange(from) : GregorianYearSheetRange(from)).first + 5;
      const AbsoluteDay last = (hebrew ? HebrewYearSheetRange(to) : GregorianYearSheetRange(to)).last - 5;
      std::map<Key, int> expected;
      for (AbsoluteDay d = first; d <= last; ++d)
        for (const DayTime& t : times.Of(d))
          if (OnSheet(t.kind)) ++expected[Key{d, static_cast<int>(t.kind), t.time.standardMinutes}];
      std::map<Key, int> inside;
      for (const auto& [key, count] : shown)
        if (std::get<0>(key) >= first && std::get<0>(key) <= last) inside[key] = count;
      EXPECT_EQ(inside.size(), expected.size());
      for (const auto& [key, count] : expected) {
        const auto it = inside.find(key);
        const GregorianDate g = GregorianFromAbsolute(std::get<0>(key));
        EXPECT_TRUE(it != inside.end() && it->second == count)
            << g.year << "-" << g.month << "-" << g.day << " kind " << std::get<1>(key);
      }
    }
  }
}

// The texts: the mark and note of candles after nightfall, a time that
// cannot be computed (no dawn in the Arctic summer) shown as "-", the
// Gregorian year on the dates of a Hebrew-year sheet.
TEST_F(YearSheetTest, TextsOfTheRows) {
  diasporaSetFlag(1);
  YearSheetSetup setup;
  setup.year = 5787;
  setup.hebrewYear = true;
  setup.city = "Jerusalem";
  setup.zone = "UTC+2";
  setup.candleMinutes = 18;
  setup.havdalahValue = "8.5";
  const std::vector<YearSheetRow> rows = YearSheetRows(DayTimesFor(CurrentCalendarRules(), CurrentOptions().times), HebrewYearSheetRange(5787));
  const YearSheetText text = YearSheetTextOf(rows, setup);
  ASSERT_EQ(text.rows.size(), rows.size());
  EXPECT_EQ(text.title, "Shabbat and festival times 5787");
  EXPECT_EQ(text.heading[0], "Jerusalem, time zone UTC+2");
  EXPECT_EQ(text.heading[1], "Candle lighting 18 minutes before sunset, havdalah at 8.5 degrees below the horizon");
  // Saturday 12 September 2026, Rosh HaShana II: lit after nightfall.
  EXPECT_EQ(text.rows[1][kSheetDate], "12 September 2026");
  EXPECT_EQ(text.rows[1][kSheetHebrewDate], "1 Tishri");
  EXPECT_EQ(text.rows[1][kSheetCandles].back(), '*');
  EXPECT_FALSE(text.note.empty());

  setCity("Longyearbyen");
  const YearSheetRange june{Day(2026, 7, 1), Day(2026, 7, 5)};  // 17 Tammuz, Thursday 2 July 2026
  const std::vector<YearSheetRow> north = YearSheetRows(DayTimesFor(CurrentCalendarRules(), CurrentOptions().times), june);
  bool sawFast = false;
  for (const YearSheetRow& r : north) {
    if (!r.fastBegins) continue;
    sawFast = true;
    EXPECT_FALSE(r.fastBegins->computed);  // the sun never sinks 16 degrees there in July
    EXPECT_EQ(YearSheetTextOf({r}, setup).rows[0][kSheetFastBegins], "-");
  }
  EXPECT_TRUE(sawFast);
}

}  // namespace
