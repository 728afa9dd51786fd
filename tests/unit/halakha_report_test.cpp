// The halakha report over the whole years 5700..5900, in Israel and the
// Diaspora, in the Sephardic (1) and Ashkenazi (2) rite: the days a line
// appears on in the years of halakha_year_days.tsv, the days of Selikhot and
// of Psalm 130, and rules of the sources that hold on every day; and lines of
// chosen days (halakha_lines.tsv). The exact text of chosen days, with Yom
// HaAtsmaut and Yom Yerushalayim kept or not, is in the golden files.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "halakha/halakha.h"
#include "halakha/predicates.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

// A day's report: each line and the service it is in ("-": the day notes at the top).
struct Day {
  AbsoluteDay d;
  bool israel;
  int style;
  std::vector<std::string> lines, service;

  long Count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
  long Index(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) - lines.begin(); }
  bool Followed(const std::string& line, const std::string& next) const {  // every occurrence
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i] == line && (i + 1 == lines.size() || lines[i + 1] != next)) return false;
    return true;
  }
  bool In(const std::string& where, const std::string& line) const {
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i] == line && service[i] == where) return true;
    return false;
  }
};

Day Report(AbsoluteDay d, bool israel, int style) {
  Day day{d, israel, style, {}, {}};
  std::istringstream in(HalakhaDo(d, CalendarRules{!israel, true}, style));
  std::string where = "-";
  for (std::string line; std::getline(in, line);) {
    for (const char* header : {"Shakharit", "Torah reading", "Musaf", "Minkha", "Neila", "Maariv"})
      if (line == header) where = header;
    day.lines.push_back(line);
    day.service.push_back(where);
  }
  return day;
}

bool RestDay(const Day& x, AbsoluteDay d) { return halakha::rest_day(d, CalendarRules{!x.israel, true}) != 0; }

const struct {
  const char* name;
  std::function<bool(const Day&)> holds;
} kProperties[] = {
    {"every line a header or indented by two blanks or more",
     [](const Day& x) {
       return std::all_of(x.lines.begin(), x.lines.end(),
                          [](const std::string& l) { return !l.empty() && (l[0] != ' ' || l.rfind("  ", 0) == 0); });
     }},
    {"no Havdalah between holy days; Ato Khonantanu at Maariv exactly with Havdalah",
     [](const Day& x) {
       return x.Count("  haMavdil beyn Kodesh leKodesh") + x.Count("  no Havdalah") == 0 &&
              x.In("Maariv", "  Ato Khonantanu") == (x.Count("  Havdalah") > 0);
     }},
    {"the Sephardic rite has no Yizkor, Rema's blessed half Hallel or kittel",
     [](const Day& x) {
       return x.style != 1 || x.Count("  Yizkor") + x.Count("  short Hallel") + x.Count("  Cantor wears kittel") == 0;
     }},
    {"Av haRakhamim follows every Yizkor", [](const Day& x) { return x.Followed("  Yizkor", "  Av haRakhamim"); }},
    {"Israel mentions dew in every rite",
     [](const Day& x) { return !x.israel || x.Count("  no Mashiv haRuakh") == 0; }},
    {"the Megilah of Purim morning after the Torah reading",
     [](const Day& x) { return x.Count("Megilat Ester") == 0 || x.Index("Torah reading") < x.Index("Megilat Ester"); }},
    {"one Kabbalat Shabbat line exactly on Fridays",
     [](const Day& x) {
       return x.Count("  Kabbalat Shabbat") + x.Count("  short Kabbalat Shabbat") == (WeekdayOf(x.d) == kFriday);
     }},
    {"one Tsidkatkha line at Minkha of every Saturday that is no festival or Yom Kippur",
     [](const Day& x) {
       const HebrewDate h = HebrewFromAbsolute(x.d);
       const bool plain = WeekdayOf(x.d) == kShabbat && !halakha::yom_tov(x.d, CalendarRules{!x.israel, true}) &&
                          !(h.day == 10 && h.month == kTishri);
       return x.Count("  Tsidkatkha") + x.Count("  no Tsidkatkha") == plain &&
              (!plain || x.In("Minkha", "  Tsidkatkha") || x.In("Minkha", "  no Tsidkatkha"));
     }},
    {"Ata Yatzarta in Musaf of a Shabbat Rosh Khodesh only",
     [](const Day& x) {
       const HebrewDate h = HebrewFromAbsolute(x.d);
       const bool roshKhodesh = h.day == 30 || (h.day == 1 && h.month != kTishri);
       return x.Count("  Ata Yatzarta") == (WeekdayOf(x.d) == kShabbat && roshKhodesh) &&
              x.Count("  Ata Yatzarta") == x.In("Musaf", "  Ata Yatzarta");
     }},
    {"HaMelekh haKadosh after each Zokhreynu; haMishpat only in a weekday Amida",
     [](const Day& x) {
       for (size_t i = 0; i < x.lines.size(); ++i)
         if (x.lines[i] == "  HaMelekh haMishpat" &&
             (x.service[i] == "Musaf" || RestDay(x, x.service[i] == "Maariv" ? x.d + 1 : x.d)))
           return false;
       return x.Followed("  Zokhreynu leKhayim", "  HaMelekh haKadosh");
     }},
};

TEST(HalakhaReport, WholeYears) {
  std::map<std::string, std::vector<testdata::Row>> listed;  // style year D|IL -> rows
  for (const auto& f : testdata::ReadRows("halakha_year_days.tsv", '\t'))
    listed[f.at(0) + f.at(1) + f.at(2)].push_back(f);
  ASSERT_EQ(listed.size(), 16u);
  for (int year = 5700; year <= 5900; ++year) {
    // Ashkenazim begin Selikhot on the Sunday after the Saturday among 19..25 Elul, the Sephardim on 2 Elul.
    AbsoluteDay sunday = AbsoluteFromHebrew(20, kElul, year);
    while (WeekdayOf(sunday) != kSunday) ++sunday;
    for (bool israel : {true, false}) {
      for (int style : {1, 2}) {
        SCOPED_TRACE(std::to_string(year) + (israel ? " Israel" : " Diaspora") + " style " + std::to_string(style));
        const auto& rows = listed[std::to_string(style) + std::to_string(year) + (israel ? "IL" : "D")];
        std::vector<std::set<AbsoluteDay>> found(rows.size());
        std::vector<AbsoluteDay> selikhot, psalm130, expectedSelikhot, tenDays;
        for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, year); d < AbsoluteFromHebrew(1, kTishri, year + 1); ++d) {
          const Day x = Report(d, israel, style);
          for (const auto& p : kProperties) ASSERT_TRUE(p.holds(x)) << p.name << ", day " << d;
          if (x.In("Maariv", "Selikhot")) selikhot.push_back(d);
          if (x.In("Shakharit", "  Shir haMaalot miMaamakim")) psalm130.push_back(d);
          for (size_t r = 0; r < rows.size(); ++r)
            if (x.In(rows[r].at(3), rows[r].at(4))) found[r].insert(d);
        }
        // The evenings before the weekdays from 3 to 9 Tishri and from the first day to 29 Elul.
        for (AbsoluteDay m = AbsoluteFromHebrew(3, kTishri, year); m <= AbsoluteFromHebrew(9, kTishri, year); ++m)
          if (WeekdayOf(m) != kShabbat) expectedSelikhot.push_back(m - 1);
        for (AbsoluteDay m = style == 1 ? AbsoluteFromHebrew(2, kElul, year) : sunday;
             m <= AbsoluteFromHebrew(29, kElul, year); ++m)
          if (WeekdayOf(m) != kShabbat) expectedSelikhot.push_back(m - 1);
        EXPECT_EQ(selikhot, expectedSelikhot);
        for (int day = 1; day <= 10; ++day) tenDays.push_back(AbsoluteFromHebrew(day, kTishri, year));
        EXPECT_TRUE(style == 1 || psalm130 == tenDays) << year;  // Psalm 130 on all ten days is Ashkenazi
        for (size_t r = 0; r < rows.size(); ++r) {
          std::set<AbsoluteDay> expected;
          for (const auto& range : testdata::SplitRow(rows[r].at(5), ' ')) {
            const auto ends = testdata::SplitRow(range, '.');  // first..last, or "-" for none
            if (range != "-")
              for (AbsoluteDay d = *testdata::IsoDay(ends.front()); d <= *testdata::IsoDay(ends.back()); ++d)
                expected.insert(d);
          }
          EXPECT_EQ(found[r], expected) << rows[r][3] << ": '" << rows[r][4] << "'";
        }
      }
    }
  }
}

// How often a line appears in the report of a chosen day.
TEST(HalakhaReport, LinesOfChosenDays) {
  const auto rows = testdata::ReadRows("halakha_lines.tsv", '\t');
  ASSERT_GT(rows.size(), 5u);
  for (const auto& f : rows)
    EXPECT_EQ(Report(*testdata::IsoDay(f.at(0)), f.at(1) != "D", std::stoi(f.at(2))).Count(f.at(3)), std::stoi(f.at(4)))
        << f[0] << ": " << f.at(5);
}

}  // namespace
