#include "calendar/festivals.h"
#include "compose/current_options.h"
#include "compose/year_sheet.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "base/settings.h"
#include "calendar/calendar.h"
#include "calendar/rules.h"
#include "suntimes/shabbat_times.h"
#include "reference_data.h"
#include "suntimes_env.h"

namespace {


bool IsCandles(DayTimeKind k) { return k == DayTimeKind::kCandles || k == DayTimeKind::kCandlesAfterNightfall; }
bool OnSheet(DayTimeKind k) {
  return IsCandles(k) || k == DayTimeKind::kHavdalah || k == DayTimeKind::kFastBegins || k == DayTimeKind::kFastEnds;
}

class YearSheetTest : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    SunTimesTest::SetUp();
    o_ = CurrentOptions();
    o_.times.city = "Jerusalem";
    o_.times.dstRule.reset();
    o_.times.clock.format = kTimeFormat24;
  }
  // The day times in the Diaspora or in Israel.
  DayTimes Times(bool diaspora) {
    o_.rules.diaspora = diaspora;
    return DayTimesFor(o_.rules, o_.times);
  }
  std::vector<YearSheetRow> Rows(bool diaspora, AbsoluteDay first, AbsoluteDay last) {
    return YearSheetRows(Times(diaspora), {first, last});
  }
  static std::vector<YearSheetRow> RowsOn(const std::vector<YearSheetRow>& rows, AbsoluteDay date) {
    std::vector<YearSheetRow> on;
    for (const YearSheetRow& r : rows)
      if (r.date == date) on.push_back(r);
    return on;
  }
  Options o_;
};

// The occasions that are easy to get wrong: one row per evening, the
// havdalah on the row of the rest's last candles, the fasts with their begin
// and end; Yom Kippur's fast begins with its candles and ends with its havdalah.
TEST_F(YearSheetTest, KnownOccasionsMakeTheRightRows) {
  const auto cases = testenv::CaseRows("year_sheet_occasions.tsv");
  ASSERT_EQ(cases.size(), 15u);
  auto date = [](const std::string& iso) { return iso == "-" ? 0 : *testdata::IsoDay(iso); };
  for (const auto& e : cases) {
    SCOPED_TRACE(e[8]);
    const AbsoluteDay on = date(e[1]);
    const std::vector<YearSheetRow> rows = RowsOn(Rows(e[0] == "D", on - 10, on + 10), on);
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
    for (const std::optional<DayTime>* t : {&r.candles, &r.havdalah, &r.fastBegins, &r.fastEnds})
      EXPECT_TRUE(!t->has_value() || (*t)->computed);
  }
}

// The sheets of consecutive years together hold every candle-lighting,
// havdalah and fast time of those years exactly once, each on the day the
// day's times give it, and nothing else; a row's candles stand on its date
// and begin a Shabbat or a festival day.
TEST_F(YearSheetTest, ConsecutiveSheetsHoldEveryTimeOnce) {
  using Key = std::tuple<AbsoluteDay, int, int>;  // date, kind, minutes
  for (const bool diaspora : {true, false}) {
    for (const bool hebrew : {diaspora}) {
      SCOPED_TRACE(std::string(diaspora ? "Diaspora" : "Israel") + (hebrew ? ", Hebrew years" : ", Gregorian years"));
      const int from = hebrew ? 5780 : 2020, to = hebrew ? 5795 : 2035;
      const DayTimes times = Times(diaspora);
      const CalendarRules rules = o_.rules;
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

// The texts: the mark and note of candles after nightfall, the Gregorian
// year on the dates of a Hebrew-year sheet.
TEST_F(YearSheetTest, TextsOfTheRows) {
  YearSheetSetup setup;
  setup.year = 5787;
  setup.hebrewYear = true;
  setup.city = "Jerusalem";
  setup.zone = "UTC+2";
  setup.candleMinutes = 18;
  setup.havdalahValue = "8.5";
  const std::vector<YearSheetRow> rows = YearSheetRows(Times(true), HebrewYearSheetRange(5787));
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

}

}  // namespace
