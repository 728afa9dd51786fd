// The study cycles against an independent calendar of 151 years
// (learning_reference.tsv) and worked examples (learning_cases.tsv).
#include "calendar/learning.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "reference_data.h"

namespace {

CalendarRules RulesOf(bool diaspora) { return diaspora ? kDiasporaRules : kIsraelRules; }

// A day field of the reference: our cycle, abroad or in Israel, whose names it uses ("" for a cycle of one book).
struct Column {
  LearningCycle cycle;
  bool diaspora;
  const char* names;
};
const Column kColumns[] = {
    {LearningCycle::kMishnaYomit, true, "tractate"},      {LearningCycle::kNachYomi, true, "nach"},
    {LearningCycle::kYerushalmiYomi, true, "tractate"},   {LearningCycle::kRambamOneChapter, true, "rambam"},
    {LearningCycle::kRambamThreeChapters, true, "rambam"}, {LearningCycle::kTehillim, true, ""},
    {LearningCycle::kPirkeiAvot, true, ""},               {LearningCycle::kPirkeiAvot, false, ""},
};

// The portions as comparable tokens: "name chapter" for each whole chapter,
// page or psalm, "name c:v" or "name c:v-c:v" where verses are given.
using Tokens = std::vector<std::string>;
void AddPlace(Tokens& out, const std::string& name, const std::string& place) {  // "7", "7-8", "3+4", "1:1-4:8"
  if (place.find(':') != std::string::npos) return out.push_back(name + " " + place);
  for (const std::string& run : testdata::SplitRow(place, '+')) {
    const auto ends = testdata::SplitRow(run, '-');
    for (int c = std::stoi(ends.front()); c <= std::stoi(ends.back()); ++c)
      out.push_back(name + " " + std::to_string(c));
  }
}

Tokens OurTokens(const LearningPortion& p) {
  Tokens out;
  auto place = [](const LearningPlace& l) { return std::to_string(l.chapter) + ":" + std::to_string(l.verse); };
  for (int i = 0; i < p.count; ++i) {
    const LearningPart& part = p.parts[static_cast<size_t>(i)];
    const std::string name(LearningBookName(p.cycle, part.book));
    const bool one = part.first.chapter == part.last.chapter && part.first.verse == part.last.verse;
    if (part.first.verse == 0 && part.last.verse == 0)
      AddPlace(out, name, std::to_string(part.first.chapter) + "-" + std::to_string(part.last.chapter));
    else
      out.push_back(name + " " + place(part.first) + (one ? "" : "-" + place(part.last)));
  }
  return out;
}

// Every day of every cycle from 1950 (or the cycle's start) to 2100; the
// starts themselves are worked examples.
TEST(Learning, EveryDayMatchesIndependentCalendar) {
  std::map<std::string, std::map<std::string, std::string>> spelling;  // kind -> reference name -> ours
  for (const auto& f : testdata::ReadRows("learning_names.tsv", '\t')) spelling[f.at(0)][f.at(1)] = f.at(2);
  std::map<std::string, std::map<std::string, std::string>> names;  // cycle id -> index -> name
  AbsoluteDay first = 0;
  std::vector<testdata::Row> days;
  size_t declared = 0;
  for (const auto& f : testdata::ReadRows("learning_reference.tsv", '\t')) {
    if (f[0] == "name") names[f.at(1)][f.at(2)] = f.at(3);
    else if (f[0] == "start")
      continue;
    else if (f[0] == "days") {
      first = *testdata::IsoDay(f.at(1));
      declared = std::stoul(f.at(2));
    } else
      days.push_back(f);
  }
  ASSERT_TRUE(days.size() == declared && declared > 55000u) << days.size();
  for (size_t column = 0; column < std::size(kColumns); ++column) {
    const Column& c = kColumns[column];
    const std::string id(LearningCycleId(c.cycle));
    int mismatches = 0, portions = 0;
    for (size_t i = 0; i < days.size(); ++i) {
      ASSERT_EQ(days[i].size(), std::size(kColumns)) << "day line " << i;
      Tokens expected;
      for (const std::string& part : testdata::SplitRow(days[i][column], ',')) {
        if (part.empty()) continue;
        const size_t slash = part.find('/');
        std::string name = *c.names ? names[id][part.substr(0, slash)] : std::string(LearningBookName(c.cycle, 0));
        if (spelling[c.names].count(name)) name = spelling[c.names][name];
        AddPlace(expected, name, part.substr(slash + 1));
      }
      const AbsoluteDay d = first + static_cast<AbsoluteDay>(i);
      const Tokens actual = OurTokens(GetLearningPortion(c.cycle, d, RulesOf(c.diaspora)));
      portions += !expected.empty();
      if (expected != actual && ++mismatches <= 5)
        ADD_FAILURE() << id << (c.diaspora ? "" : " (Israel) ") << testdata::IsoOf(d) << ": expected "
                      << ::testing::PrintToString(expected) << ", got " << ::testing::PrintToString(actual);
    }
    EXPECT_EQ(mismatches, 0) << id;
    EXPECT_GT(portions, 0) << id;
  }
}

// The cycles of a published schedule, every day from their start to 2100:
// a hash of each year's "YYYY-MM-DD<TAB>text" lines, and sampled days.
uint32_t Fnv1a(const std::string& text, uint32_t hash = 0x811c9dc5u) {
  for (unsigned char c : text) hash = (hash ^ c) * 0x01000193u;
  return hash;
}

LearningCycle CycleOf(const std::string& id) {
  for (LearningCycle each : kLearningCycles)
    if (LearningCycleId(each) == id) return each;
  ADD_FAILURE() << "no cycle " << id;
  return kLearningCycles[0];
}

TEST(Learning, ScheduledCyclesMatchIndependentCalendar) {
  int years = 0;
  for (const auto& f : testdata::ReadRows("learning_schedules_reference.tsv", '\t')) {
    const LearningCycle cycle = CycleOf(f.at(1));
    auto text = [cycle](AbsoluteDay d) { return FormatLearningPortion(GetLearningPortion(cycle, d, kDiasporaRules)); };
    if (f[0] == "start") {
      const AbsoluteDay start = *testdata::IsoDay(f.at(2));
      EXPECT_TRUE(text(start - 1).empty() && !text(start).empty()) << f[1];
    } else if (f[0] == "day") {
      EXPECT_EQ(text(*testdata::IsoDay(f.at(2))), f.at(3)) << f[1] << " " << f[2];
    } else {
      ASSERT_EQ(f.at(0), "year");
      const int year = std::stoi(f.at(2));
      uint32_t hash = Fnv1a("");
      int days = 0;
      for (AbsoluteDay d = testdata::Greg(1, 1, year); d <= testdata::Greg(31, 12, year); ++d) {
        const std::string portion = text(d);
        if (!portion.empty()) hash = Fnv1a(testdata::IsoOf(d) + "\t" + portion + "\n", hash);
        days += !portion.empty();
      }
      char hex[9];
      std::snprintf(hex, sizeof hex, "%08x", hash);
      EXPECT_EQ(std::to_string(days) + " " + hex, f.at(3) + " " + f.at(4)) << f[1] << " " << year;
      ++years;
    }
  }
  EXPECT_GE(years, 81);
}

// The text of a portion as the program shows it untranslated.
std::string TextOf(LearningCycle cycle, AbsoluteDay d, const CalendarRules& rules) {
  return FormatLearningPortion(GetLearningPortion(cycle, d, rules));
}

TEST(Learning, WorkedExamples) {
  const auto cases = testdata::ReadRows("learning_cases.tsv", '\t');
  ASSERT_GT(cases.size(), 40u);
  for (const auto& c : cases) {
    const LearningCycle* cycle = nullptr;
    for (const LearningCycle& each : kLearningCycles)
      if (LearningCycleId(each) == c.at(0)) cycle = &each;
    const auto day = testdata::DayOf(c.at(1));
    ASSERT_TRUE(cycle && day) << c.at(0) << " " << c.at(1);
    EXPECT_EQ(TextOf(*cycle, *day, RulesOf(c.at(2) == "D")), c.at(3) == "-" ? "" : c.at(3)) << c.at(4);
  }
  const AbsoluteDay lastDay = AbsoluteFromGregorian(31, 12, kLastYear);
  EXPECT_NE(TextOf(LearningCycle::kTehillim, lastDay, kDiasporaRules), "");
  for (AbsoluteDay outside : {AbsoluteDay{0}, lastDay + 1, AbsoluteDay{INT64_MAX}})
    EXPECT_EQ(TextOf(LearningCycle::kMishnaYomit, outside, kDiasporaRules) +
                  TextOf(LearningCycle::kTehillim, outside, kDiasporaRules),
              "");
}

}  // namespace
