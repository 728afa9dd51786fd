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

std::vector<std::string> Names(const AnniversaryList& list) {
  std::vector<std::string> names;
  for (const AnniversaryRec& r : list) names.push_back(r.name);
  return names;
}

TEST(AnniversaryList, SortedByBytesEqualNamesInInsertionOrder) {
  AnniversaryList list;
  AnniFileInit(list);
  AnniFileInsertSorted(list, Rec("rivka"));
  AnniFileInsertSorted(list, Rec("Moshe", 'Y'));
  AnniFileInsertSorted(list, Rec("\xD7\x90"));  // alef: bytes above ASCII sort last
  AnniFileInsertSorted(list, Rec("Moshe", 'A'));
  AnniFileInsertSorted(list, Rec("Aaron"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Aaron", "Moshe", "Moshe", "rivka", "\xD7\x90"}));
  EXPECT_EQ(list[1].type, 'Y');
  EXPECT_EQ(list[2].type, 'A');
  AnniversaryRec out = Rec("untouched");
  EXPECT_FALSE(AnniFileGet(list, 5, out));
  EXPECT_FALSE(AnniFileGet(list, -1, out));
  EXPECT_EQ(out.name, "untouched");

  // Modify keeps the position even when the name changes.
  ASSERT_TRUE(AnniFileModify(list, 0, Rec("Zvi")));
  EXPECT_EQ(Names(list).front(), "Zvi");
  EXPECT_FALSE(AnniFileModify(list, 9, Rec("x")));

  EXPECT_FALSE(AnniFileRemove(list, 5));
  ASSERT_TRUE(AnniFileRemove(list, 1));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Zvi", "Moshe", "rivka", "\xD7\x90"}));
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
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Aaron", "Moshe", "Moshe", "Zvi"}));
  // Equal names keep their file order.
  EXPECT_EQ(list[1].type, 'Y');
  EXPECT_EQ(list[2].type, 'A');
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

TEST(AnniversaryFile, FailureBeforeTheRenameKeepsTheOldFile) {
  TempHome home;
  const std::string old = "\"old\" B 1.1.2000 0\n";
  WriteFile(AnniFileGetFilename(), old);
  storage::SetAnniBeforeReplaceHookForTesting([] { return false; });
  std::string error;
  const bool ok = AnniFileStore(AnniversaryList{Rec("new")}, &error);
  storage::SetAnniBeforeReplaceHookForTesting(nullptr);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFile(AnniFileGetFilename()), old);
  // No temporary file is left behind.
  const auto entries = std::filesystem::directory_iterator(home.path() + "/.lumaro");
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
}

TEST(AnniversaryFile, StoreCreatesTheFolderOrReportsWhyNot) {
  {
    TempHome home(false);
    ASSERT_TRUE(AnniFileStore(AnniversaryList{Rec("x")}));
    EXPECT_EQ(ReadFile(home.lumaro("kivraanni")), "\"x\" B 1.1.2000 0\n");
  }
  TempHome home(false);
  WriteFile(home.path() + "/.lumaro", "not a folder");
  std::string error;
  EXPECT_FALSE(AnniFileStore(AnniversaryList{Rec("x")}, &error));
  EXPECT_NE(error.find(".lumaro"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(home.path() + "/.lumaro"), "not a folder");
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
AbsoluteDay Heb(int d, int m, int y) { return AbsoluteFromHebrew(d, m, y); }

// The text of a day's entries; the result tells whether there are any.
std::string On(AbsoluteDay day) {
  std::string text = "junk";
  const int found = AnnifileGetForDay(day, nullptr, &text);
  EXPECT_EQ(found, text.empty() ? 0 : 1) << text;
  return text;
}

TEST_F(AnniversaryDayTest, EntriesOfOneDayInNameOrder) {
  Write("\"Rivka\" B H 10.1.5770 0\n\"Moshe\" Y H 10.1.5760 0\n\"Other\" A H 11.1.5770 0\n");
  std::string types;
  EXPECT_EQ(AnnifileGetForDay(Heb(10, 1, 5784), &types, nullptr), 1);
  EXPECT_EQ(types, "YB");
  EXPECT_EQ(On(Heb(10, 1, 5784)), "yortsayt: Moshe\nBirthday: Rivka\n");
  EXPECT_EQ(On(Heb(11, 1, 5784)), "Anniversary: Other\n");
  EXPECT_EQ(On(Heb(12, 1, 5784)), "");
}

TEST_F(AnniversaryDayTest, GregorianEntriesAndAfterSunset) {
  // 2 March 2014 was 30 Adar I 5774. In 5780, a common year, a yortsayt of
  // that day falls on 30 Shevat (25 February 2020) and a birthday on 1 Nisan
  // (26 March 2020); the day before, 29 Adar I, gives 29 Adar (25 March).
  Write("\"Death\" Y 2.3.2014 0\n\"Birth\" B 2.3.2014 0\n"
        "\"Evening birth\" B 1.3.2014 1\n\"Day birth\" B 1.3.2014 0\n");
  EXPECT_EQ(On(Greg(25, 2, 2020)), "yortsayt: Death\n");
  EXPECT_EQ(On(Greg(26, 3, 2020)), "Birthday: Birth\nBirthday: Evening birth\n");
  EXPECT_EQ(On(Greg(25, 3, 2020)), "Birthday: Day birth\n");
}

TEST_F(AnniversaryDayTest, NothingInTheYearOfTheEvent) {
  Write("\"B\" B H 10.1.5780 0\n\"G\" B 2.3.2014 0\n");
  EXPECT_EQ(On(Heb(10, 1, 5779)) + On(Heb(10, 1, 5780)) + On(Greg(2, 3, 2014)), "");
  EXPECT_EQ(On(Heb(10, 1, 5781)), "Birthday: B\n");
}

TEST_F(AnniversaryDayTest, FollowsChangesOfTheFile) {
  const AbsoluteDay day = Heb(10, 1, 5784);
  EXPECT_EQ(On(day), "");  // no file yet
  Write("\"First\" B H 10.1.5770 0\n");
  EXPECT_EQ(On(day), "Birthday: First\n");
  // Stored through the program (a new file renamed over the old one).
  ASSERT_TRUE(AnniFileStore(AnniversaryList{Rec("Second", 'A', 1, {10, 1, 5770})}));
  EXPECT_EQ(On(day), "Anniversary: Second\n");
  // Rewritten in place with the same size.
  Write("\"Third!\" Y H 10.1.5770 0\n");
  EXPECT_EQ(On(day), "yortsayt: Third!\n");
  std::filesystem::remove(home_.lumaro("kivraanni"));
  EXPECT_EQ(On(day), "");
  // Another HOME is another file.
  Write("\"Mine\" B H 10.1.5770 0\n");
  {
    TempHome other;
    EXPECT_EQ(On(day), "");
  }
  EXPECT_EQ(On(day), "Birthday: Mine\n");
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
