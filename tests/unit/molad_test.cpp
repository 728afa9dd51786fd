// The molad of months of years 2..9999 against an independent calendar
// (tests/data/molad_times.csv), its lines as the program writes them
// (tests/data/molad_lines.tsv), refusals, and translated formats; the molad
// as a moment and the tekufot of Shmuel (tests/data/tekufot.tsv).
#include "calendar/molad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/minor_days.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

std::string Text(const MoladTime& m) {  // weekday hour minute parts
  return std::to_string(m.weekday) + " " + std::to_string(m.hour) + " " + std::to_string(m.minute) + " " +
         std::to_string(m.parts);
}

TEST(Molad, MatchesIndependentCalendarAndRefuses) {
  const auto rows = testdata::ReadRows("molad_times.csv");
  ASSERT_GT(rows.size(), 1500u);
  for (const auto& r : rows) {
    MoladTime m{-1, -1, -1, -1};
    EXPECT_EQ(MoladGet(std::stoi(r.at(1)), std::stoi(r[0]), &m), 1);
    EXPECT_EQ(Text(m), r.at(2) + " " + r.at(3) + " " + r.at(4) + " " + r.at(5)) << r[1] << "/" << r[0];
  }
  // Months and years outside the calendar leave the result alone; the largest years compute without overflow.
  for (const auto& [month, year] : {std::pair{13, 5785}, {0, 5785}, {7, 0}}) {
    MoladTime m{9, 9, 9, 9};
    EXPECT_EQ(MoladGet(month, year, &m), 0) << month << "/" << year;
    EXPECT_EQ(Text(m), "9 9 9 9");
  }
  EXPECT_EQ(MoladGet(kTishri, 5785, nullptr), 0);
  MoladTime m;
  ASSERT_EQ(MoladGet(kElul, 2000000000, &m), 1);
  EXPECT_TRUE(m.weekday >= 0 && m.weekday <= 6 && m.hour >= 0 && m.hour <= 23);
}

// The lines; then formats from the translation table, used only when they
// take the same arguments in the same order.
TEST(Molad, LinesAndTranslatedFormats) {
  testenv::TempHome home;
  settingsReset();
  translate_init("");
  const auto lines = [](int month, int year, const MoladTime& m) {
    std::string l1, l2, l3;
    MoladFormatString(&l1, &l2, &l3, month, year, m);
    return l1 + "|" + l2 + "|" + l3;
  };
  for (const auto& f : testdata::ReadRows("molad_lines.tsv", '\t')) {
    const auto a = testdata::SplitRow(f.at(1), ' ');
    MoladTime m{kMonday, std::stoi(a.at(0)), 0, 0};  // an hour of a Monday, or the molad of a month
    if (f[0] == "month") MoladGet(std::stoi(a.at(0)), std::stoi(a.at(1)), &m);
    std::string text = f[0] == "next"   ? MoladRetrieveNextSimple(std::stoi(a.at(0)), *testdata::IsoDay(a.at(1)))
                       : f[0] == "hour" ? lines(kIyar, 5785, m)
                                        : lines(std::stoi(a[0]), std::stoi(a[1]), m);
    std::replace(text.begin(), text.end(), '\n', '|');
    EXPECT_EQ(text, f.at(2)) << f[0] << " " << f[1];
  }
  const std::string file = home.lumaro("molad.txt");
  testenv::WriteFile(file,
                     "\"Molad of %s %d:\" = \"Der molad fun %s %d (100%%):\"\n\"night\" = \"nakht\"\n"
                     "\"Thursday\" = \"Donershtik\"\n\"%s, %s, %d hours,\" = \"%d %s %s\"\n"
                     "\"%d minutes, %d parts\" = \"%s %n %d %d\"\n");
  translate_internal_process_file(file);
  MoladTime m;
  MoladGet(kTishri, 5785, &m);
  EXPECT_EQ(lines(kTishri, 5785, m),
            "Der molad fun Tishri 5785 (100%):|Donershtik, nakht, 3 hours,|21 minutes, 13 parts");
  translate_done();
}

}  // namespace

// The molad as a moment: its clock in Jerusalem is the molad's weekday, hour and minute.
TEST(Molad, MomentInJerusalemTime) {
  for (const auto& r : testdata::ReadRows("molad_times.csv")) {
    const int year = std::stoi(r[0]);
    if (year < 5000 || year > 6000) continue;
    const int64_t jerusalem = MoladMoment(std::stoi(r.at(1)), year) + kJerusalemMeanTimeSeconds;
    const AbsoluteDay day = UtcDayOf(jerusalem);
    const int64_t seconds = jerusalem - UtcMidnight(day);
    const std::string clock =
        std::to_string(WeekdayOf(day)) + " " + std::to_string(seconds / 3600) + " " + std::to_string(seconds / 60 % 60);
    EXPECT_EQ(clock, r.at(2) + " " + r.at(3) + " " + r.at(4)) << r[1] << "/" << r[0];
  }
}

// The tekufot: the published ones, and the Diaspora's first request for rain, which the luachot date on
// the evening of 4 December (5 December before a Gregorian leap year) in 1900..2099: the evening that
// begins the 60th day from the tekufa of Tishri, its own day the first (from 18:00 the next day's).
TEST(Tekufot, PublishedTimesAndTheRainOfTheDiaspora) {
  const auto rows = testenv::CaseRows("tekufot.tsv");
  ASSERT_EQ(rows.size(), 3u);
  for (const auto& r : rows) {
    const AbsoluteDay day = testdata::IsoDay(r.at(1)).value();
    const int64_t moment =
        UtcMidnight(day) + std::stoi(r.at(2)) * 3600 + std::stoi(r[2].substr(3)) * 60 - kJerusalemMeanTimeSeconds;
    const std::vector<Tekufa> found = TekufotBetween(moment - 86400, moment + 86400);
    ASSERT_EQ(found.size(), 1u) << r[3];
    EXPECT_EQ(found[0].moment, moment) << r[3];
    EXPECT_EQ(static_cast<int>(found[0].season), std::stoi(r[0])) << r[3];
    EXPECT_TRUE(found[0].cycleStart) << r[3];
    EXPECT_TRUE(IsBirkatHaChama(day + 1)) << r[3];
  }
  for (int year = 1900; year <= 2099; ++year) {
    const AbsoluteDay evening = AbsoluteFromGregorian(year % 4 == 3 ? 5 : 4, 12, year);
    EXPECT_EQ(TekufaDay(Season::kTishri, year) + 59 - 1, evening) << year;
  }
}
