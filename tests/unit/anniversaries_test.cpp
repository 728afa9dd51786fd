// The anniversaries file, its list and the date rules of anniversaries,
// birthdays and yortsayt.
#include "compose/anniversary_lines.h"
#include "storage/anniversaries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "base/settings.h"
#include "base/translate.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

HebrewDate Anniversary(char type, HebrewDate event, int year) {
  AnniversaryCalc calc;
  calc.event = event;
  calc.type = type;
  calc.year = year;
  AnniGetAnniversary(calc);
  return calc.result;
}

TEST(AnniversaryRules, KnownDates) {
  const auto rows = testdata::ReadRows("anniversary_rules.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  auto date = [](const std::string& text) { return HebrewFromAbsolute(*testdata::DayOf(text)); };
  for (const auto& f : rows) {
    const HebrewDate r = Anniversary(f.at(0)[0], date(f.at(1)), *testdata::ToInt(f.at(2)));
    EXPECT_EQ(r, date(f.at(3))) << f.at(4) << ": got " << r.day << "." << r.month << "." << r.year;
  }
}

// ---------------------------------------------------------------- the list

AnniversaryRec Rec(const std::string& name, char type = 'B', int isHebrew = 0, AnniDate date = {1, 1, 2000},
                   int afterSunset = 0) {
  return AnniversaryRec{name, type, isHebrew, date, afterSunset};
}

std::string Names(const AnniversaryList& list) {
  std::string names;
  for (const AnniversaryRec& r : list) names += r.name + r.type + " ";
  return names;
}

// Sorted by bytes, equal names in insertion order; Modify keeps the
// position; indexes out of range are refused.
TEST(AnniversaryList, SortedByBytes) {
  AnniversaryList list;
  const char* names[] = {"rivka", "Moshe", "\xD7\x90", "Moshe", "Aaron"};  // alef: bytes above ASCII sort last
  for (int i = 0; i < 5; ++i) AnniFileInsertSorted(list, Rec(names[i], "BYBAB"[i]));
  EXPECT_EQ(Names(list), "AaronB MosheY MosheA rivkaB \xD7\x90" "B ");
  AnniversaryRec out = Rec("untouched");
  EXPECT_FALSE(AnniFileGet(list, 5, out) || AnniFileGet(list, -1, out) || AnniFileModify(list, 9, out) || AnniFileRemove(list, 5));
  EXPECT_EQ(out.name, "untouched");
  ASSERT_TRUE(AnniFileModify(list, 0, Rec("Zvi")) && AnniFileRemove(list, 1));
  EXPECT_EQ(Names(list), "ZviB MosheA rivkaB \xD7\x90" "B ");
}

// ---------------------------------------------------------------- the file

TEST(AnniversaryFile, ParseLine) {
  auto rows = testdata::ReadRows("anniversary_lines.tsv", '\t');
  ASSERT_GT(rows.size(), 15u);
  for (const char* refused : {"\"M\" B 1.1.2000 0\r", "\"\xE9t\xE9\" B 1.1.2000 0", "# \"M\" B 1.1.2000 0"})
    rows.push_back({refused, "-"});
  for (const auto& f : rows) {
    AnniversaryRec rec = Rec("before");
    EXPECT_EQ(AnniParseLine(f.at(0), rec), f.at(1) != "-") << f.at(0);
    EXPECT_EQ(f.at(1) == "-" ? rec.name : AnniFormatLine(rec), f.at(1) == "-" ? "before" : f.at(1)) << f.at(0);
  }
}

TEST(AnniversaryFile, ParseWholeFile) {
  AnniversaryList list;
  const std::string content =
      "# my anniversaries\n"
      "\"Zvi\" A 1.1.2000 0\n"
      "\n\n\n"
      "\"Moshe\" Y H 30.8.5770 0\n"
      "\"Moshe\" B 2.3.1985 1\r\n"         // skipped: carriage return
      "\"Moshe\" A 5.5.1990 0\n"
      "\"Room #5\" B 1.1.2000 0\n"          // skipped: becomes an unterminated name
      "   \n"
      "\"Aaron\" B 7.7.1977 0";             // no final line feed
  const AnniLoadResult r = AnniFileParse(content, list);
  EXPECT_EQ(Names(list), "AaronB MosheY MosheA ZviA ");  // equal names in file order
  EXPECT_EQ(r.skippedLines, 2);  // blank lines and the comment are not counted
  EXPECT_FALSE(r.readError);
}

TEST(AnniversaryFile, StoreAndLoadKeepEveryName) {
  TempHome home;
  AnniversaryList list;
  for (const char* name : {"plain", "with \"quotes\"", "back\\slash\\", "\\\"", "trailing space ", "\xD7\xA9\xD7\xA8\xD7\x94"})
    AnniFileInsertSorted(list, Rec(name, 'Y', 1, {29, 13, 5784}));
  AnniFileInsertSorted(list, Rec("gregorian", 'A', 0, {29, 2, 2024}, 1));
  std::string error;
  ASSERT_TRUE(AnniFileStore(list, &error)) << error;
  AnniversaryList loaded;
  const AnniLoadResult r = AnniFileLoad(loaded);
  EXPECT_TRUE(r.exists);
  EXPECT_EQ(r.skippedLines, 0);
  EXPECT_EQ(loaded, list);
  EXPECT_NE(ReadFile(AnniFileGetFilename()).find("\"gregorian\" A 29.2.2024 1\n"), std::string::npos);
}

TEST(AnniversaryFile, MissingAndUnreadableFiles) {
  TempHome home;
  AnniversaryList list{Rec("left over")};
  AnniLoadResult r = AnniFileLoad(list);
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(!r.exists && !r.readError);
  // A folder where the file should be is a read error, not an empty list.
  std::filesystem::create_directory(home.lumaro("kivraanni"));
  list.push_back(Rec("left over"));
  r = AnniFileLoad(list);
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(r.exists && r.readError);
}

// ---------------------------------------------------------------- day query

class AnniversaryDayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsReset();
    translate_init("");
  }
  void TearDown() override { translate_done(); }
  void Write(const std::string& content) { WriteFile(home_.lumaro("kivraanni"), content); }

  TempHome home_;
};

using testdata::Greg;

// The types and text of a day's entries; the result tells whether there are any.
std::string On(AbsoluteDay day) {
  std::string types = "junk", text = "junk";
  const int found = AnnifileGetForDay(day, &types, &text);
  EXPECT_EQ(found, text.empty() ? 0 : 1) << text;
  return types.empty() && text.empty() ? "-" : types + " " + text;
}

TEST_F(AnniversaryDayTest, EntriesOfADay) {
  const auto rows = testdata::ReadRows("anniversary_days.tsv", '\t');
  ASSERT_GT(rows.size(), 8u);
  for (const auto& f : rows) {
    Write(testenv::Unescape(f.at(0)));
    EXPECT_EQ(On(*testdata::DayOf(f.at(1))), f.at(2) == "-" ? "-" : f[2] + " " + testenv::Unescape(f.at(3))) << f[0] << " " << f[1];
  }
}

TEST_F(AnniversaryDayTest, FollowsChangesOfTheFile) {
  const AbsoluteDay day = AbsoluteFromHebrew(10, 1, 5784);
  EXPECT_EQ(On(day), "-");  // no file yet
  Write("\"First\" B H 10.1.5770 0\n");
  EXPECT_EQ(On(day), "B Birthday: First\n");
  // Stored through the program (a new file renamed over the old one).
  ASSERT_TRUE(AnniFileStore(AnniversaryList{Rec("Second", 'A', 1, {10, 1, 5770})}));
  EXPECT_EQ(On(day), "A Anniversary: Second\n");
  // Rewritten in place with the same size.
  Write("\"Third!\" Y H 10.1.5770 0\n");
  EXPECT_EQ(On(day), "Y yortsayt: Third!\n");
  std::filesystem::remove(home_.lumaro("kivraanni"));
  EXPECT_EQ(On(day), "-");
  // Another HOME is another file.
  Write("\"Mine\" B H 10.1.5770 0\n");
  {
    TempHome other;
    EXPECT_EQ(On(day), "-");
  }
  EXPECT_EQ(On(day), "B Birthday: Mine\n");
}

// The index kept between calls gives the same answers as placing every entry
// of the file in the day's year afresh.
TEST_F(AnniversaryDayTest, AgreesWithTheRulesForEveryDay) {
  std::string content;
  AnniversaryList list;
  for (int i = 0; i < 40; ++i) {
    const AnniDate date = i % 2 ? AnniDate{1 + i % 29, 1 + i % 12, 5740 + i} : AnniDate{1 + i % 28, 1 + i % 12, 1980 + i};
    const AnniversaryRec r = Rec("P" + std::to_string(i), "ABY"[i % 3], i % 2, date, i % 2 ? 0 : i % 4 == 0);
    content += AnniFormatLine(r) + "\n";
    AnniFileInsertSorted(list, r);
  }
  Write(content);
  for (AbsoluteDay d = Greg(1, 1, 2024); d <= Greg(31, 12, 2025); ++d) {
    std::string expectedTypes;
    const int year = HebrewFromAbsolute(d).year;
    for (const AnniversaryRec& r : list)
      if (HebrewFromAbsolute(AnniEventDay(r)).year < year && AnniDayInYear(r, year) == d) expectedTypes += r.type;
    std::string types;
    ASSERT_EQ(AnnifileGetForDay(d, &types, nullptr), expectedTypes.empty() ? 0 : 1);
    ASSERT_EQ(types, expectedTypes);
  }
}

}  // namespace
