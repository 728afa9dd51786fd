// Whole-year properties of the halakha report, 5700..5900, Israel and the
// Diaspora, Sephardic and Ashkenazi: which lines a day may have and in what
// order, and the days of Selikhot and of Psalm 130, counted from the calendar.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/readings.h"
#include "halakha/halakha.h"
#include "halakha/predicates.h"

namespace {

struct Day {
  AbsoluteDay d;
  bool israel;
  int style;
  std::vector<std::string> lines, service;  // each line and the service it is in

  long Count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
  long Index(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  }
  // Every occurrence of `line` has `next` right after it.
  bool Followed(const std::string& line, const std::string& next) const {
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

Day Report(AbsoluteDay d, bool israel, int style, bool luach = false) {
  Day day{d, israel, style, {}, {}};
  std::istringstream in(HalakhaDo(d, CalendarRules{!israel, true, luach}, style));
  std::string where;
  for (std::string line; std::getline(in, line);) {
    for (const char* header : {"Shakharit", "Torah reading", "Musaf", "Minkha", "Neila", "Maariv"})
      if (line == header) where = header;
    day.lines.push_back(line);
    day.service.push_back(where);
  }
  return day;
}

bool RoshKhodesh(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return h.day == 30 || (h.day == 1 && h.month != kTishri);
}

bool RestDay(const Day& x, AbsoluteDay d) { return halakha::rest_day(d, CalendarRules{!x.israel, true}) != 0; }

const struct {
  const char* name;
  std::function<bool(const Day&)> holds;
} kProperties[] = {
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
       const long n = x.Count("  Tsidkatkha") + x.Count("  no Tsidkatkha");
       return n == plain && (!plain || x.In("Minkha", "  Tsidkatkha") || x.In("Minkha", "  no Tsidkatkha"));
     }},
    {"Ata Yatzarta in Musaf of a Shabbat Rosh Khodesh only",
     [](const Day& x) {
       return x.Count("  Ata Yatzarta") == (WeekdayOf(x.d) == kShabbat && RoshKhodesh(x.d)) &&
              x.Count("  Ata Yatzarta") == x.In("Musaf", "  Ata Yatzarta");
     }},
    {"HaMelekh haKadosh after each Zokhreynu; haMishpat only in a weekday Amida",
     [](const Day& x) {
       if (!x.Followed("  Zokhreynu leKhayim", "  HaMelekh haKadosh")) return false;
       for (size_t i = 0; i < x.lines.size(); ++i) {
         if (x.lines[i] != "  HaMelekh haMishpat") continue;
         const bool maariv = x.service[i] == "Maariv";
         if (x.service[i] == "Musaf" || RestDay(x, maariv ? x.d + 1 : x.d)) return false;
       }
       return true;
     }},
    {"Yom HaAtsmaut and Yom Yerushalayim: weekdays with no reading, or as the luach Hallel, no Takhanun, a reading",
     [](const Day& x) {
       const CalendarRules weekday{!x.israel, true, false}, luach{!x.israel, true, true};
       const DayFestivals on = FestivalsOn(x.d, weekday);
       const bool atsmaut = on.Contains(Festival::kYomHaAtsmaut);
       if (!atsmaut && !on.Contains(Festival::kYomYerushalayim)) return true;
       const HebrewDate h = HebrewFromAbsolute(x.d);
       ReadingsRec asWeekday, asLuach;
       ParashGetReadings(h.day, h.month, h.year, weekday, &asWeekday, x.style);
       ParashGetReadings(h.day, h.month, h.year, luach, &asLuach, x.style);
       const Day l = Report(x.d, x.israel, x.style, true);
       return x.Count("  full Hallel") == 0 && asWeekday.torah[0].empty() && asLuach.torah[0].empty() != atsmaut &&
              l.Count("  full Hallel") == 1 && l.In("Shakharit", "  no Takhanun") && l.In("Minkha", "  no Takhanun") &&
              l.Count("  Haftarah") == atsmaut;
     }},
};

// The evenings before the mornings of Selikhot in one Hebrew year: those
// before the weekdays from 3 to 9 Tishri and from `first` to 29 Elul.
std::vector<AbsoluteDay> SelikhotEvenings(int year, AbsoluteDay first) {
  std::vector<AbsoluteDay> evenings;
  for (AbsoluteDay morning = AbsoluteFromHebrew(3, kTishri, year); morning <= AbsoluteFromHebrew(9, kTishri, year);
       ++morning)
    if (WeekdayOf(morning) != kShabbat) evenings.push_back(morning - 1);
  for (AbsoluteDay morning = first; morning <= AbsoluteFromHebrew(29, kElul, year); ++morning)
    if (WeekdayOf(morning) != kShabbat) evenings.push_back(morning - 1);
  return evenings;
}

TEST(HalakhaYearProperties, FourVariantsOverTwoCenturies) {
  for (int year = 5700; year <= 5900; ++year) {
    // Ashkenazim begin on the Sunday after the Saturday among 19..25 Elul.
    AbsoluteDay sunday = AbsoluteFromHebrew(20, kElul, year);
    while (WeekdayOf(sunday) != kSunday) ++sunday;
    for (bool israel : {true, false}) {
      for (int style : {1, 2}) {
        SCOPED_TRACE(std::to_string(year) + (israel ? " Israel" : " Diaspora") + " style " + std::to_string(style));
        std::vector<AbsoluteDay> selikhot, psalm130;
        for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, year); d < AbsoluteFromHebrew(1, kTishri, year + 1); ++d) {
          const Day x = Report(d, israel, style);
          for (const auto& p : kProperties) ASSERT_TRUE(p.holds(x)) << p.name << ", day " << d;
          if (x.In("Maariv", "Selikhot")) selikhot.push_back(d);
          if (x.In("Shakharit", "  Shir haMaalot miMaamakim")) psalm130.push_back(d);
        }
        // The Sephardic rite from 2 Elul; Psalm 130 on all ten days is Ashkenazi.
        EXPECT_EQ(selikhot, SelikhotEvenings(year, style == 1 ? AbsoluteFromHebrew(2, kElul, year) : sunday));
        std::vector<AbsoluteDay> tenDays;
        for (int day = 1; day <= 10; ++day) tenDays.push_back(AbsoluteFromHebrew(day, kTishri, year));
        if (style == 2) {
          EXPECT_EQ(psalm130, tenDays);
        }
      }
    }
  }
}

}  // namespace
