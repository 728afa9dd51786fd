// Cross-checks the readings of every day of 62 years against the verse
// ranges of a published source (tests/data/leyning_reference.tsv). Texts are compared
// by their verses, never their wording; the explained differences are the
// rows of tests/data/leyning_differences.tsv.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <set>
#include <tuple>

#include "base/settings.h"
#include "calendar/calendar.h"
#include "calendar/reading_tables.h"
#include "calendar/readings.h"
#include "compose/current_options.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using Verse = std::tuple<std::string, int, int>;  // book, chapter, verse; 0:0 marks a malformed range
using Verses = std::set<Verse>;
std::map<std::string, std::vector<int>> gCounts;  // verses per chapter of each book

// Adds the verses of every reference in `text`: "Exodus 22:24 - 23:19",
// "Numbers 29:17-25, 29:17-22", "Deuteronomy 33:1-end", "Isaiah 66, 1 & 23".
// A reference without a book continues the last book named; the Ketuvim
// (Psalms, the megillot, ...) are not part of our texts and are skipped.
void AddVerses(Verses& out, const std::string& text) {
  static const std::regex ref(
      R"(\b(?:((?:I{1,2} )?[A-Z][a-z]+(?: of Songs)?) )?(\d+)(?::(\d+)(?: ?- ?(?:(end)|(\d+)(?::(\d+))?))?|, (\d+) & (\d+)))");
  std::string book;
  for (std::sregex_iterator m(text.begin(), text.end(), ref), end; m != end; ++m) {
    const auto& g = *m;
    if (g[1].matched) book = gCounts.count(g[1]) ? g[1].str() : "";
    if (book.empty() || (!g[3].matched && !g[7].matched)) continue;
    const auto& counts = gCounts[book];
    auto add = [&](int c1, int v1, int c2, int v2) {
      for (int c = c1; c <= c2; ++c) {
        const int last = c >= 1 && c <= static_cast<int>(counts.size()) ? counts[c - 1] : 0;
        const int from = c == c1 ? v1 : 1, to = c == c2 ? v2 : last;
        if (c2 < c1 || from < 1 || to > last || to < from) return void(out.insert({book, 0, 0}));
        for (int v = from; v <= to; ++v) out.insert({book, c, v});
      }
    };
    const int c = std::stoi(g[2]);
    if (g[7].matched) {
      for (int i : {7, 8}) add(c, std::stoi(g[i]), c, std::stoi(g[i]));
    } else if (g[4].matched) {
      add(c, std::stoi(g[3]), static_cast<int>(counts.size()), counts.back());
    } else if (g[6].matched) {
      add(c, std::stoi(g[3]), std::stoi(g[5]), std::stoi(g[6]));
    } else {
      add(c, std::stoi(g[3]), c, g[5].matched ? std::stoi(g[5]) : std::stoi(g[3]));
    }
  }
}

// The verse runs of a set: "Exodus 22:24-23:19; Numbers 28:19-28:25".
std::string Describe(const Verses& s) {
  std::string out;
  auto place = [](const Verse& v) { return std::to_string(std::get<1>(v)) + ":" + std::to_string(std::get<2>(v)); };
  for (auto it = s.begin(), last = it; it != s.end(); it = ++last) {
    for (auto next = std::next(last); next != s.end(); last = next++) {
      const auto& [b, c, v] = *last;
      if (*next != Verse{b, c, v + 1} && *next != Verse{b, c + 1, 1}) break;
    }
    out += (out.empty() ? "" : "; ") + std::get<0>(*it) + " " + place(*it) + "-" + place(*last);
  }
  return out.empty() ? "(nothing)" : out;
}

// Torah, Ashkenazi and Sephardi Haftarah; a Haftarah text is
// "A (Sephardi ritual: B)" or "A (Sephardi add B)".
constexpr const char* kParts[3] = {"torah", "ashkenazi", "sephardi"};
using Day = std::array<Verses, 3>;
void AddHaftarah(Day& day, const std::string& text, const std::string& sephardi) {
  AddVerses(day[1], text.substr(0, text.find(" (Sephardi")));
  const size_t ritual = text.find(" (Sephardi ritual:");
  AddVerses(day[2], !sephardi.empty() ? sephardi : ritual == std::string::npos ? text : text.substr(ritual));
}

std::array<std::string, 3> Describe(const Day& d) { return {Describe(d[0]), Describe(d[1]), Describe(d[2])}; }

std::array<std::string, 3> Ours(const ReadingsRec& rec) {
  Day day;
  for (const auto& e : rec.torah) AddVerses(day[0], e);
  for (const auto& h : rec.haftarah) AddHaftarah(day, h, "");
  return Describe(day);
}

TEST(ReadingsReference, EveryDayMatchesThePublishedReadings) {
  testenv::TempHome home;
  settingsReset();
  std::map<std::pair<std::string, std::string>, Day> published;  // {YYYY-MM-DD, D|IL}
  std::map<int, Day> sections;
  // The other custom's Torah reading of a holiday (the Khanukka weekdays of
  // Israel and of the Sephardim), and the holiday of each published day.
  std::map<std::string, Verses> alt;
  std::map<std::pair<std::string, std::string>, std::string> holidayOf;
  // The Ketuvim are left out on both sides: their references are skipped.
  const std::set<std::string> ketuvim = {"Ruth", "Lamentations", "Esther", "Ecclesiastes", "Song of Songs", "Daniel"};
  for (auto f : testdata::ReadRows("leyning_reference.tsv", '\t')) {
    f.resize(std::max<size_t>(f.size(), 7));
    if (f[0] == "alt") {
      AddVerses(alt[f[1]], f[2]);
    } else if (f[0] == "verses") {
      if (ketuvim.count(f[1])) continue;
      for (const auto& n : testdata::SplitRow(f[2])) gCounts[f[1]].push_back(std::stoi(n));
    } else if (f[0] == "section" || (f[0] == "date" && f[3] != "Erev Simchat Torah" && f[3] != "Erev Tish'a B'Av")) {
      // The evening readings of the eves of Simkhat Tora and Tisha BeAv are not part of a day's readings here.
      const size_t o = f[0] == "date" ? 1 : 0;
      for (const char* s : {"D", "IL"}) {
        if (o && f[2] != "*" && f[2] != s) continue;
        Day& day = o ? published[{f[1], s}] : sections[std::stoi(f[1])];
        if (o) holidayOf[{f[1], s}] = f[3];
        AddVerses(day[0], f[3 + o]);
        AddHaftarah(day, f[4 + o], f[5 + o]);
      }
    }
  }
  // setting, part, ours, published -> uses
  std::map<std::array<std::string, 4>, int> known;
  for (const auto& f : testdata::ReadRows("leyning_differences.tsv", '\t'))
    for (const char* s : {"D", "IL"})
      for (const char* p : kParts)
        if ((f[0] == "*" || f[0] == s) && (f[1] == p || (f[1] == "haftarah" && p != std::string("torah"))))
          known[{s, p, f[2], f[3]}] = 0;
  ASSERT_GT(known.size(), 20u);

  int compared = 0, unexplained = 0;
  // Israel (Ashkenazi), the Diaspora in the Ashkenazi and in the Sephardic custom.
  for (const auto& [diaspora, style] : {std::pair{0, kStyleAshkenazi}, {1, kStyleAshkenazi}, {1, kStyleSephardic}}) {
    // Yom HaAtsmaut kept as the Chief Rabbinate's luach, the one setting with its reading.
    const CalendarRules rules{diaspora != 0, true, true};
    const bool otherCustom = !diaspora || style == kStyleSephardic;
    for (AbsoluteDay d = AbsoluteFromHebrew(1, kTishri, 5750); d < AbsoluteFromHebrew(1, kTishri, 5813); ++d) {
      const HebrewDate h = HebrewFromAbsolute(d);
      ReadingsRec rec;
      ReadingsIds ids;
      // Saturdays return 1 and a text for every code; other days 0.
      ASSERT_EQ(ParashGetReadingsWithIDs(h.day, h.month, h.year, rules, &rec, &ids, style), WeekdayOf(d) == kShabbat);
      const int32_t codes[3] = {ids.c1, ids.c2, ids.c3};
      for (size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(codes[i] != kReadingNoCode && rec.torah[i].empty()) << testdata::IsoOf(d);
      const char* setting = diaspora ? "D" : "IL";
      const std::pair<std::string, std::string> key{testdata::IsoOf(d), setting};
      Day reference = published[key];
      const auto other = alt.find(holidayOf[key]);
      if (otherCustom && other != alt.end()) reference[0] = other->second;
      const auto ours = Ours(rec), theirs = Describe(reference);
      for (size_t part = 0; part < 3; ++part, ++compared) {
        if (ours[part] == theirs[part]) continue;
        auto k = known.find({setting, kParts[part], ours[part], theirs[part]});
        if (k != known.end()) {
          ++k->second;
        } else if (++unexplained <= 20) {
          ADD_FAILURE() << setting << " " << testdata::IsoOf(d) << " " << kParts[part] << "\n  ours:      "
                        << ours[part] << "\n  published: " << theirs[part];
        }
      }
    }
  }
  EXPECT_EQ(unexplained, 0);
  EXPECT_GT(compared, 3 * 3 * 22000);
  for (const auto& [k, uses] : known) EXPECT_GT(uses, 0) << "never needed: " << k[0] << " " << k[1] << " " << k[2];

  // Vayelekh (51) never reads its own Haftarah in these years (Shabbat Shuva
  // takes its place): its row is compared with the published section directly.
  ReadingsRec vayelekh;
  vayelekh.haftarah[0] = GetHaftarahReading(kDiasporaRules, 51);
  const auto ours = Ours(vayelekh), theirs = Describe(sections.at(51));
  EXPECT_EQ(ours[1] + " / " + ours[2], theirs[1] + " / " + theirs[2]);
}

}  // namespace
