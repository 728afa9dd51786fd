// Holiday dates against an independent calendar (tests/data/holiday_dates.csv,
// 5700..5860, Israel and the Diaspora), and the names and holiday lines of
// chosen days from printed luachs (holiday_names.tsv, special_days.tsv).
#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <string>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

// The date of holiday `id` in year `year`, "" when it has none there or is
// not yet kept then (before its first Gregorian year).
std::string DateOf(int id, int year, bool diaspora) {
  const HebrewDate h = GetJewishHolidayDate(id, year, CalendarRules{diaspora, false});
  const bool exists = h.day > 0 && h.month >= 1 && h.month <= Last_Month_Of_Hebrew_Year(h.year) &&
                      h.day <= Last_Day_Of_Hebrew_Month(h.month, h.year);
  const AbsoluteDay d = exists ? AbsoluteFromHebrew(h) : 0;
  return !exists || GregorianFromAbsolute(d).year < GetJewishHolidayFirstYear(id) ? "" : testdata::IsoOf(d);
}

// The reference never postpones Shushan Purim (off here; see special_days.tsv),
// and moves a Sunday Yom HaShoa (36) to Monday in every year, where we keep
// it on Sunday before 5757.
TEST(Holidays, MatchIndependentCalendar) {
  const auto rows = testdata::ReadRows("holiday_dates.csv");
  ASSERT_GT(rows.size(), 100u);
  const testdata::Row& header = rows[0];  // year, then ids, with i or d for one setting only
  int compared = 0, sundayYomHaShoa = 0;
  for (size_t r = 1; r < rows.size(); ++r) {
    const int year = std::stoi(rows[r].at(0));
    for (size_t c = 1; c < header.size(); ++c) {
      const int id = std::stoi(header[c]);
      for (bool diaspora : {false, true}) {
        if (header[c].back() == (diaspora ? 'i' : 'd')) continue;
        const std::string ours = DateOf(id, year, diaspora);
        std::string expected = rows[r].at(c);
        if (id == 36 && year <= 5756 && !ours.empty() && WeekdayOf(*testdata::IsoDay(ours)) == kSunday &&
            expected == testdata::IsoOf(*testdata::IsoDay(ours) + 1)) {
          expected = ours;
          ++sundayYomHaShoa;
        }
        if (GregorianFromAbsolute(testdata::IsoDay(expected).value_or(0)).year < GetJewishHolidayFirstYear(id))
          expected = "";
        EXPECT_EQ(ours, expected) << "holiday " << id << " in " << year << (diaspora ? " (Diaspora)" : " (Israel)");
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 15000);
  EXPECT_EQ(sundayYomHaShoa, 2 * 15);  // 5713 .. 5753, both settings
}

// Names by id, the holiday line of chosen days, ids outside the table, and
// translation of the names (not of the Rosh Khodesh suffix).
TEST(Holidays, NamesAndSpecialDays) {
  testenv::TempHome home;
  settingsReset();
  translate_init("");
  for (const auto& f : testdata::ReadRows("holiday_names.tsv", '\t'))
    for (int diaspora : {0, 1})
      EXPECT_EQ(GetJewishHolidayName(std::stoi(f.at(0)), diaspora ? kDiasporaRules : kIsraelRules), f.at(1 + diaspora))
          << f[0];
  for (const auto& f : testdata::ReadRows("special_days.tsv", '\t')) {
    const CalendarRules rules{f.at(1) == "D", f.at(2) == "1"};
    EXPECT_EQ(GetSpecialDay(*testdata::IsoDay(f.at(0)), rules), f.at(3) == "-" ? "" : f.at(3)) << f[0] << " " << f[1];
  }
  EXPECT_EQ(GetJewishHolidayCount(), 56);
  EXPECT_EQ(GetJewishHolidayName(56, kDiasporaRules), "");
  EXPECT_EQ(GetJewishHolidayDate(56, 5785, kDiasporaRules), (HebrewDate{0, 0, 0}));
  EXPECT_EQ(GetJewishHolidayDate(-1, 5785, kDiasporaRules), (HebrewDate{0, 0, 0}));
  const std::string file = home.lumaro("holidays.txt");
  testenv::WriteFile(file, "\"Khanukka VI\" = \"Chanukah 6\"\n\"Rosh Khodesh\" = \"New Moon\"\n");
  translate_internal_process_file(file);
  EXPECT_EQ(GetSpecialDay(AbsoluteFromGregorian(31, 12, 2024), kDiasporaRules), "Chanukah 6, Rosh Khodesh");
  EXPECT_EQ(GetSpecialDay(AbsoluteFromGregorian(1, 11, 2024), kDiasporaRules), "Rosh Khodesh");
  translate_done();
  settingsReset();
}

}  // namespace
