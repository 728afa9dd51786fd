// The rows of the year sheet: known occasions from a printed luach (rows of
// tests/data/year_sheet_occasions.tsv); consecutive sheets holding every
// candle-lighting, havdalah and fast time of the day times exactly once;
// the texts of the rows.
#include "compose/year_sheet.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "compose/current_options.h"
#include "reference_data.h"
#include "suntimes_env.h"

namespace {

class YearSheetTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    o_ = CurrentOptions();
    o_.times.city = "Jerusalem";
    o_.times.dstRule.reset();
    o_.times.clock.format = kTimeFormat24;
  }
  DayTimes Times(bool diaspora) {
    o_.rules.diaspora = diaspora;
    return DayTimesFor(o_.rules, o_.times, o_.style);
  }
  Options o_;
};

// One row per evening, the havdalah on the row of the rest's last candles,
// the fasts with their begin and end; Yom Kippur's fast begins with its
// candles and ends with its havdalah.
TEST_F(YearSheetTest, KnownOccasionsMakeTheRightRows) {
  const auto cases = testenv::CaseRows("year_sheet_occasions.tsv");
  ASSERT_EQ(cases.size(), 15u);
  auto date = [](const std::string& iso) { return iso == "-" ? 0 : *testdata::IsoDay(iso); };
  for (const auto& e : cases) {
    SCOPED_TRACE(e[8]);
    const AbsoluteDay on = date(e[1]);
    std::vector<YearSheetRow> rows;
    for (const YearSheetRow& r : YearSheetRows(Times(e[0] == "D"), {on - 10, on + 10}))
      if (r.date == on) rows.push_back(r);
    ASSERT_EQ(rows.size(), 1u);
    const YearSheetRow& r = rows[0];
    EXPECT_EQ(r.day, date(e[6]));
    EXPECT_EQ(!r.candles ? 0 : r.candles->kind == DayTimeKind::kCandles ? 1 : 2, std::stoi(e[2]));
    EXPECT_EQ(r.havdalah ? r.havdalahDate : 0, date(e[3]));
    EXPECT_EQ(r.fastBegins ? r.fastBeginsDate : 0, e[4] == "1" ? on : 0);
    EXPECT_EQ(r.fastEnds ? r.fastEndsDate : 0, date(e[5]));
    EXPECT_NE(r.label.find(e[7]), std::string::npos) << r.label;
    if (e[7] == "Yom Kippur" && r.fastBegins && r.candles && r.fastEnds && r.havdalah) {
      EXPECT_EQ(r.fastBegins->time.standardMinutes, r.candles->time.standardMinutes);
      EXPECT_EQ(r.fastEnds->time.standardMinutes, r.havdalah->time.standardMinutes);
    }
  }
}

// Hebrew-year sheets in the Diaspora, Gregorian ones in Israel: in order,
// one row a date, each time (computed) once on the day the day's times give
// it, a row's candles beginning a Shabbat or festival day.
TEST_F(YearSheetTest, ConsecutiveSheetsHoldEveryTimeOnce) {
  using Key = std::tuple<AbsoluteDay, int, int>;  // date, kind, minutes
  for (const bool diaspora : {true, false}) {
    SCOPED_TRACE(diaspora ? "Diaspora, Hebrew years" : "Israel, Gregorian years");
    const int from = diaspora ? 5780 : 2020, to = diaspora ? 5795 : 2035;
    auto range = [diaspora](int year) { return diaspora ? HebrewYearSheetRange(year) : GregorianYearSheetRange(year); };
    const DayTimes times = Times(diaspora);
    std::map<Key, int> shown, expected;
    AbsoluteDay previousDate = 0;
    for (int year = from; year <= to; ++year)
      for (const YearSheetRow& r : YearSheetRows(times, range(year))) {
        EXPECT_GT(r.date, previousDate);
        previousDate = r.date;
        const AbsoluteDay of = diaspora ? r.day : r.date;  // a Hebrew year by its days, a Gregorian one by its evenings
        EXPECT_TRUE(range(year).first <= of && of <= range(year).last);
        for (const auto& [t, date] : {std::pair{&r.candles, r.date},
                                      {&r.havdalah, r.havdalahDate},
                                      {&r.fastBegins, r.fastBeginsDate},
                                      {&r.fastEnds, r.fastEndsDate}}) {
          if (*t) ++shown[Key{date, static_cast<int>((*t)->kind), (*t)->time.standardMinutes}];
          EXPECT_TRUE(!*t || (*t)->computed) << date;
        }
        EXPECT_TRUE(!r.candles || WeekdayOf(r.date + 1) == kShabbat || IsFestivalDay(r.date + 1, o_.rules)) << r.date;
        EXPECT_TRUE(!r.havdalah || (r.havdalahDate - r.date >= 1 && r.havdalahDate - r.date <= 3)) << r.date;
        EXPECT_EQ(r.fastBegins.has_value(), r.fastEnds.has_value());
        EXPECT_FALSE(r.label.empty());
      }
    // Every time of the days well inside the years, from the day's times.
    const AbsoluteDay first = range(from).first + 5, last = range(to).last - 5;
    for (AbsoluteDay d = first; d <= last; ++d)
      for (const DayTime& t : times.Of(d))
        if (t.minorDay) {
          continue;  // the fast of the firstborn is not on the sheet
        } else if (t.kind == DayTimeKind::kCandles || t.kind == DayTimeKind::kCandlesAfterNightfall ||
            t.kind == DayTimeKind::kHavdalah || t.kind == DayTimeKind::kFastBegins || t.kind == DayTimeKind::kFastEnds)
          ++expected[Key{d, static_cast<int>(t.kind), t.time.standardMinutes}];
    for (auto it = shown.begin(); it != shown.end();)
      it = std::get<0>(it->first) >= first && std::get<0>(it->first) <= last ? std::next(it) : shown.erase(it);
    EXPECT_TRUE(shown == expected) << shown.size() << " times shown, " << expected.size() << " expected";
  }
}

// A Gregorian sheet from its first Friday or festival eve to its last, a
// Hebrew one from Erev Rosh HaShana (rows of tests/data/year_sheet_ends.tsv).
TEST_F(YearSheetTest, SheetsBeginAndEndOnTheirOwnEvenings) {
  const auto cases = testenv::CaseRows("year_sheet_ends.tsv");
  ASSERT_EQ(cases.size(), 5u);
  for (const auto& e : cases) {
    SCOPED_TRACE(e[0] + " " + e[1]);
    const int year = std::stoi(e[1]);
    const auto rows =
        YearSheetRows(Times(e[0] == "D"), e[2] == "1" ? HebrewYearSheetRange(year) : GregorianYearSheetRange(year));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().date, *testdata::IsoDay(e[3]));
    EXPECT_EQ(rows.back().date, *testdata::IsoDay(e[4]));
  }
}

// The mark and note of candles after nightfall, the Gregorian year on the
// dates of a Hebrew-year sheet.
TEST_F(YearSheetTest, TextsOfTheRows) {
  const YearSheetSetup setup{5787, true, "Jerusalem", "UTC+2", 18, false, "8.5", false, {}, false, "Zmanim: Chabad"};
  const std::vector<YearSheetRow> rows = YearSheetRows(Times(true), HebrewYearSheetRange(5787));
  const YearSheetText text = YearSheetTextOf(rows, setup);
  ASSERT_EQ(text.rows.size(), rows.size());
  EXPECT_EQ(text.title, "Shabbat and festival times 5787");
  EXPECT_EQ(text.heading[0], "Jerusalem, time zone UTC+2");
  EXPECT_EQ(text.heading[1], "Candle lighting 18 minutes before sunset, havdalah at 8.5 degrees below the horizon");
  EXPECT_EQ(text.heading[2], "Zmanim: Chabad");
  // Saturday 12 September 2026, Rosh HaShana II: lit after nightfall.
  EXPECT_EQ(text.rows[1][kSheetDate], "12 September 2026");
  EXPECT_EQ(text.rows[1][kSheetHebrewDate], "1 Tishri");
  EXPECT_EQ(text.rows[1][kSheetCandles].back(), '*');
  EXPECT_EQ(text.notes.size(), 1u);
}

}  // namespace
