#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

class Holidays : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }

  // The day holiday `id` falls on in Hebrew year `year`, or 0 when it does
  // not occur (no date, or a date no day of that year has).
  static AbsoluteDay DayOf(int id, int year, const CalendarRules& rules) {
    const HebrewDate h = GetJewishHolidayDate(id, year, rules);
    if (h.day == 0) return 0;
    if (h.month < 1 || h.month > Last_Month_Of_Hebrew_Year(h.year)) return 0;
    if (h.day > Last_Day_Of_Hebrew_Month(h.month, h.year)) return 0;
    return AbsoluteFromHebrew(h);
  }

  testenv::TempHome home_;
};

// Every date of tests/data/holiday_dates.csv (an independent calendar,
// 5700..5860) for Israel and the Diaspora. Shushan Purim there is never postponed, so the
// postponement is off here and tested on its own below. A date before the
// holiday's first year is not shown by us and is left out of the comparison.
TEST_F(Holidays, MatchIndependentCalendar) {
  const auto rows = testdata::ReadRows("holiday_dates.csv");
  ASSERT_GT(rows.size(), 100u) << "holiday_dates.csv missing or short";
  const testdata::Row& header = rows[0];
  ASSERT_EQ(header[0], "year");

  int compared = 0;
  int sundayYomHaShoa = 0;
  for (size_t r = 1; r < rows.size(); ++r) {
    const auto& row = rows[r];
    ASSERT_EQ(row.size(), header.size()) << "row " << r;
    const int year = *testdata::ToInt(row[0]);
    for (size_t c = 1; c < header.size(); ++c) {
      std::string column = header[c];
      char setting = 'b';  // both
      if (column.back() == 'i' || column.back() == 'd') {
        setting = column.back();
        column.pop_back();
      }
      const int id = *testdata::ToInt(column);
      for (int diaspora = 0; diaspora <= 1; ++diaspora) {
        if ((setting == 'i' && diaspora) || (setting == 'd' && !diaspora)) continue;
        const CalendarRules rules{diaspora != 0, false};
        const int firstYear = GetJewishHolidayFirstYear(id);
        auto shown = [&](const std::string& iso) {
          if (iso.empty()) return iso;
          return GregorianFromAbsolute(*testdata::IsoDay(iso)).year < firstYear ? std::string() : iso;
        };
        const AbsoluteDay ours = DayOf(id, year, rules);
        std::string expected = shown(row[c]);
        // The one rule where the sources part: before 5757 we keep a Sunday
        // Yom HaShoa on Sunday, the other calendar moves it to Monday in
        // every year.
        if (id == 36 && year <= 5756 && !expected.empty() && WeekdayOf(*testdata::IsoDay(expected)) == kMonday &&
            WeekdayOf(ours) == kSunday && ours + 1 == *testdata::IsoDay(expected)) {
          expected = testdata::IsoOf(ours);
          ++sundayYomHaShoa;
        }
        const std::string actual = shown(ours ? testdata::IsoOf(ours) : std::string());
        EXPECT_EQ(actual, expected) << "holiday " << id << " in " << year << (diaspora ? " (Diaspora)" : " (Israel)");
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 15000);
  EXPECT_EQ(sundayYomHaShoa, 2 * 15);  // 5713 .. 5753, both settings
}

// The names of the ids, the special day of chosen dates, and ids outside the table.
TEST_F(Holidays, NamesAndSpecialDays) {
  for (const auto& f : testdata::ReadRows("holiday_names.tsv", '\t')) {
    for (int diaspora : {0, 1})
      EXPECT_EQ(GetJewishHolidayName(*testdata::ToInt(f.at(0)), diaspora ? kDiasporaRules : kIsraelRules),
                f.at(diaspora ? 2 : 1))
          << f.at(0);
  }
  for (const auto& f : testdata::ReadRows("special_days.tsv", '\t')) {
    const CalendarRules rules{f.at(1) == "D", f.at(2) == "1"};
    EXPECT_EQ(GetSpecialDay(*testdata::IsoDay(f.at(0)), rules), f.at(3) == "-" ? "" : f.at(3)) << f.at(0) << " " << f.at(1);
  }
  EXPECT_EQ(GetJewishHolidayCount(), 56);
  EXPECT_EQ(GetJewishHolidayName(56, kDiasporaRules), "");
  EXPECT_EQ(GetJewishHolidayDate(56, 5785, kDiasporaRules), (HebrewDate{0, 0, 0}));
  EXPECT_EQ(GetJewishHolidayDate(-1, 5785, kDiasporaRules), (HebrewDate{0, 0, 0}));
}

// Names go through the translation table; the Rosh Khodesh suffix does not.
TEST_F(Holidays, SpecialDayTranslatesNamesOnly) {
  const std::string file = home_.lumaro("holidays.txt");
  testenv::WriteFile(file, "\"Khanukka VI\" = \"Chanukah 6\"\n\"Rosh Khodesh\" = \"New Moon\"\n");
  translate_internal_process_file(file);
  EXPECT_EQ(GetSpecialDay(AbsoluteFromGregorian(31, 12, 2024), kDiasporaRules), "Chanukah 6, Rosh Khodesh");
  EXPECT_EQ(GetSpecialDay(AbsoluteFromGregorian(1, 11, 2024), kDiasporaRules), "Rosh Khodesh");
}

}  // namespace
