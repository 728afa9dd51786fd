// The study cycles against an independent calendar of 151 years
// (learning_reference.tsv) and worked examples (learning_cases.tsv).
#include "calendar/learning.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

CalendarRules RulesOf(bool diaspora) { return diaspora ? kDiasporaRules : kIsraelRules; }

// Our spelling of the reference's names, by kind of book.
using NameMap = std::map<std::string, std::string>;
const std::map<std::string, NameMap>& OurNames() {
  static const auto names = [] {
    std::map<std::string, NameMap> n;
    for (const auto& f : testdata::ReadRows("learning_names.tsv", '\t')) n[f.at(0)][f.at(1)] = f.at(2);
    return n;
  }();
  return names;
}

// A day field of the reference: which of our cycles, whose names it uses
// ("" for a cycle of one book), and its column in a day line.
struct Column {
  LearningCycle cycle;
  bool diaspora;
  const char* names;
  size_t field;
};
const Column kColumns[] = {
    {LearningCycle::kMishnaYomit, true, "tractate", 0},      {LearningCycle::kNachYomi, true, "nach", 1},
    {LearningCycle::kYerushalmiYomi, true, "tractate", 2},   {LearningCycle::kRambamOneChapter, true, "rambam", 3},
    {LearningCycle::kRambamThreeChapters, true, "rambam", 4}, {LearningCycle::kTehillim, true, "", 5},
    {LearningCycle::kPirkeiAvot, true, "", 6},               {LearningCycle::kPirkeiAvot, false, "", 7},
};
constexpr size_t kDayFields = 8;

struct Reference {
  std::map<std::string, std::map<int, std::string>> names;  // cycle id -> index -> name
  std::map<std::string, std::string> starts;                // cycle id -> YYYY-MM-DD
  AbsoluteDay firstDay = 0;
  std::vector<testdata::Row> days;
};

// Read once: the file has a line per day for 151 years.
const Reference& LoadReference() {
  static const Reference ref = [] {
    Reference r;
    std::ifstream in(testenv::TestDataDir() + "/learning_reference.tsv");
    std::string line;
    int declared = -1;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      testdata::Row f = testdata::SplitRow(line, '\t');
      if (f[0] == "name" && f.size() == 4) {
        r.names[f[1]][testdata::ToInt(f[2]).value_or(-1)] = f[3];
      } else if (f[0] == "start" && f.size() == 3) {
        r.starts[f[1]] = f[2];
      } else if (f[0] == "days" && f.size() == 3) {
        r.firstDay = testdata::IsoDay(f[1]).value_or(0);
        declared = testdata::ToInt(f[2]).value_or(-1);
      } else {
        r.days.push_back(std::move(f));
      }
    }
    if (static_cast<int>(r.days.size()) != declared) r.days.clear();  // a cut file checks nothing
    return r;
  }();
  return ref;
}

// The portions as comparable tokens "name chapter" (one per whole chapter,
// page or psalm) or "name c:v" / "name c:v-c:v" where verses are given.
using Tokens = std::vector<std::string>;

void AddChapters(Tokens& out, const std::string& name, int first, int last) {
  for (int c = first; c <= last; ++c) out.push_back(name + " " + std::to_string(c));
}

// The reference's place texts: "7", "7-8", "3+4", "1:5", "1:1-4:8", "119:1-119:96".
void AddReferencePlace(Tokens& out, const std::string& name, const std::string& place) {
  if (place.find(':') != std::string::npos) {
    out.push_back(name + " " + place);
    return;
  }
  const size_t sep = place.find_first_of("-+");
  if (sep != std::string::npos && place[sep] == '+') {
    for (const std::string& c : testdata::SplitRow(place, '+')) out.push_back(name + " " + c);
    return;
  }
  const int first = testdata::ToInt(place.substr(0, sep)).value_or(-1);
  const int last = sep == std::string::npos ? first : testdata::ToInt(place.substr(sep + 1)).value_or(-1);
  AddChapters(out, name, first, last);
}

Tokens ReferenceTokens(const Reference& ref, const Column& column, const std::string& field) {
  Tokens out;
  if (field.empty()) return out;
  const std::string id(LearningCycleId(column.cycle));
  for (const std::string& part : testdata::SplitRow(field, ',')) {
    if (!*column.names) {
      AddReferencePlace(out, std::string(LearningBookName(column.cycle, 0)), part);
      continue;
    }
    const size_t slash = part.find('/');
    const auto index = testdata::ToInt(part.substr(0, slash));
    const auto& names = ref.names.at(id);
    const auto known = names.find(index.value_or(-1));
    std::string name = known == names.end() ? "?" : known->second;
    const NameMap& spelling = OurNames().at(column.names);
    const auto ours = spelling.find(name);
    if (ours != spelling.end()) name = ours->second;
    AddReferencePlace(out, name, part.substr(slash + 1));
  }
  return out;
}

std::string PlaceText(const LearningPlace& p) { return std::to_string(p.chapter) + ":" + std::to_string(p.verse); }

Tokens OurTokens(const LearningPortion& p) {
  Tokens out;
  for (int i = 0; i < p.count; ++i) {
    const LearningPart& part = p.parts[static_cast<size_t>(i)];
    const std::string name(LearningBookName(p.cycle, part.book));
    if (part.first.verse == 0 && part.last.verse == 0) {
      AddChapters(out, name, part.first.chapter, part.last.chapter);
    } else if (part.first.chapter == part.last.chapter && part.first.verse == part.last.verse) {
      out.push_back(name + " " + PlaceText(part.first));
    } else {
      out.push_back(name + " " + PlaceText(part.first) + "-" + PlaceText(part.last));
    }
  }
  return out;
}

std::string Joined(const Tokens& tokens) {
  std::string s;
  for (const std::string& t : tokens) s += (s.empty() ? "" : " | ") + t;
  return s;
}

// Every day of every cycle from 1950 (or the cycle's start) to 2100.
TEST(Learning, EveryDayMatchesIndependentCalendar) {
  const Reference& ref = LoadReference();
  ASSERT_GT(ref.days.size(), 55000u) << "learning_reference.tsv missing or cut short";
  for (const Column& column : kColumns) {
    const std::string label = std::string(LearningCycleId(column.cycle)) + (column.diaspora ? "" : " (Israel)");
    int mismatches = 0;
    int portions = 0;
    for (size_t i = 0; i < ref.days.size(); ++i) {
      const testdata::Row& row = ref.days[i];
      ASSERT_EQ(row.size(), kDayFields) << "day line " << i;
      const AbsoluteDay d = ref.firstDay + static_cast<AbsoluteDay>(i);
      const Tokens expected = ReferenceTokens(ref, column, row[column.field]);
      const Tokens actual = OurTokens(GetLearningPortion(column.cycle, d, RulesOf(column.diaspora)));
      if (!expected.empty()) ++portions;
      if (expected != actual && ++mismatches <= 5) {
        ADD_FAILURE() << label << " " << testdata::IsoOf(d) << ": expected [" << Joined(expected) << "], got ["
                      << Joined(actual) << "]";
      }
    }
    EXPECT_EQ(mismatches, 0) << label;
    EXPECT_GT(portions, 0) << label;
  }
}

// The reference's first day of each cycle that counts from a start date.
TEST(Learning, StartDatesMatchIndependentCalendar) {
  const Reference& ref = LoadReference();
  for (LearningCycle cycle : kLearningCycles) {
    const auto start = ref.starts.find(std::string(LearningCycleId(cycle)));
    if (LearningCycleStart(cycle) == 0) {
      EXPECT_EQ(start, ref.starts.end()) << LearningCycleId(cycle);
      continue;
    }
    ASSERT_NE(start, ref.starts.end()) << LearningCycleId(cycle);
    EXPECT_EQ(testdata::IsoOf(LearningCycleStart(cycle)), start->second) << LearningCycleId(cycle);
  }
}

TEST(Learning, WorkedExamples) {
  const auto cases = testdata::ReadRows("learning_cases.tsv", '\t');
  ASSERT_GT(cases.size(), 40u);
  for (const auto& c : cases) {
    const auto cycle = LearningCycleFromId(c.at(0));
    const auto day = testdata::DayOf(c.at(1));
    ASSERT_TRUE(cycle && day) << c.at(0) << " " << c.at(1);
    EXPECT_EQ(GetLearningText(*cycle, *day, RulesOf(c.at(2) == "D")), c.at(3) == "-" ? "" : c.at(3)) << c.at(4);
  }
  EXPECT_EQ(LearningCycleFromId("daf-yomi"), std::nullopt);
  EXPECT_EQ(GetLearningText(LearningCycle::kTehillim, 0, kDiasporaRules), "");
  const AbsoluteDay lastDay = AbsoluteFromGregorian(31, 12, kLastYear);
  EXPECT_NE(GetLearningText(LearningCycle::kTehillim, lastDay, kDiasporaRules), "");
  EXPECT_EQ(GetLearningText(LearningCycle::kTehillim, lastDay + 1, kDiasporaRules), "");
  EXPECT_EQ(GetLearningText(LearningCycle::kMishnaYomit, INT64_MAX, kDiasporaRules), "");
}

}  // namespace
