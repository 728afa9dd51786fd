// The anniversaries file, its list, the entries of a day as the file changes,
// and the date rules of anniversaries, birthdays and yortsayt.
#include "storage/anniversaries.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "compose/anniversary_lines.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using namespace testenv;

// The rows: type, event, year, expected day, source.
TEST(AnniversaryRules, KnownDates) {
  const auto rows = testdata::ReadRows("anniversary_rules.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  auto date = [](const std::string& text) { return HebrewFromAbsolute(*testdata::DayOf(text)); };
  for (const auto& f : rows) {
    AnniversaryCalc calc;
    calc.type = f.at(0)[0];
    calc.event = date(f.at(1));
    calc.year = *testdata::ToInt(f.at(2));
    AnniGetAnniversary(calc);
    const HebrewDate& r = calc.result;
    EXPECT_EQ(r, date(f.at(3))) << f.at(4) << ": got " << r.day << "." << r.month << "." << r.year;
  }
}

// Events in Adar over 5780-5800: each type's own rule and the entry's choice
// of Adar I, Adar II or both in a leap year.
TEST(AnniversaryRules, AdarChoices) {
  const auto rows = testdata::ReadRows("adar_anniversaries.tsv", '\t');
  ASSERT_GT(rows.size(), 2000u);
  auto date = [](const std::string& text) { return HebrewFromAbsolute(*testdata::DayOf(text)); };
  const std::map<std::string, AdarChoice> choices = {{"usual", AdarChoice::kUsual},
                                                     {"1", AdarChoice::kAdarI},
                                                     {"2", AdarChoice::kAdarII},
                                                     {"both", AdarChoice::kBoth}};
  for (const auto& f : rows) {
    std::string days;
    for (AbsoluteDay d : AnniDaysInYear(date(f.at(1)), f.at(0)[0], choices.at(f.at(3)), *testdata::ToInt(f.at(2)))) {
      const HebrewDate h = HebrewFromAbsolute(d);
      days += (days.empty() ? "" : " ") + DayMonthYearText(h.day, h.month, h.year);
    }
    EXPECT_EQ(days, f.at(4)) << f[0] << " " << f[1] << " in " << f[2] << ", " << f[3];
  }
}

AnniversaryRec Rec(const std::string& name, char type = 'B', int isHebrew = 0, AnniDate date = {1, 1, 2000},
                   int afterSunset = 0) {
  return AnniversaryRec{name, type, isHebrew, date, afterSunset};
}

std::string Names(const AnniversaryList& list) {
  std::string names;
  for (const AnniversaryRec& r : list) names += r.name + r.type + " ";
  return names;
}

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

TEST(AnniversaryFile, ParseWholeFileAndEditTheList) {
  AnniversaryList list;
  // Skipped: a line with a carriage return, a name with '#' (the rest is a comment); no final line feed.
  const AnniLoadResult r = AnniFileParse(
      "# my anniversaries\n\"Zvi\" A 1.1.2000 0\n\n\n\n\"Moshe\" Y H 30.8.5770 0\n"
      "\"Moshe\" B 2.3.1985 1\r\n\"Moshe\" A 5.5.1990 0\n\"Room #5\" B 1.1.2000 0\n"
      "   \n\"Aaron\" B 7.7.1977 0",
      list);
  EXPECT_EQ(Names(list), "AaronB MosheY MosheA ZviA ");  // equal names in file order
  EXPECT_TRUE(r.skippedLines == 2 && !r.readError);      // blank lines and the comment are not counted
  // Sorted by bytes (those above ASCII last); Modify keeps the position; indexes out of range are refused.
  AnniFileInsertSorted(list, Rec("\xD7\x90"));
  AnniFileInsertSorted(list, Rec("rivka"));
  AnniversaryRec out = Rec("untouched");
  EXPECT_FALSE(AnniFileGet(list, 6, out) || AnniFileGet(list, -1, out) || AnniFileModify(list, 9, out) ||
               AnniFileRemove(list, 6));
  ASSERT_TRUE(AnniFileModify(list, 0, Rec("Zvi")) && AnniFileRemove(list, 1) && AnniFileGet(list, 0, out));
  EXPECT_EQ(Names(list) + out.name,
            "ZviB MosheA ZviA rivkaB \xD7\x90"
            "B Zvi");
}

// Files of earlier versions come back byte for byte when nothing changed; a
// changed entry is rewritten in its place with its new fields, a removed one
// leaves the lines around it; a bad field costs the field only.
TEST(AnniversaryFile, OldFilesWrittenBackAsTheyWere) {
  for (const char* name : {"/kivraanni_old", "/e2e/anniversaries"}) {
    const std::string old = ReadFile(TestDataDir() + name);
    AnniversaryList list;
    AnniFileParse(old, list);
    EXPECT_FALSE(list.empty());
    EXPECT_EQ(AnniFileContent(list), old) << name;
  }
  std::string old = ReadFile(TestDataDir() + "/kivraanni_old");
  AnniversaryList list, again;
  AnniFileParse(old, list);
  ASSERT_EQ(Names(list), "AaronB EsterY LeahB MosheY MosheB ZviA ");
  list[1].burial = AnniDate{15, 4, 2025};
  ASSERT_TRUE(AnniFileRemove(list, 0));
  const std::string aaron = "\"Aaron\" B 7.7.1977 0#his note\n";
  old.erase(old.find(aaron), aaron.size());
  EXPECT_EQ(AnniFileContent(list), old + "#burial=15.4.2025");
  AnniFileParse(AnniFileContent(list), again);
  EXPECT_EQ(again, list);
  const AnniLoadResult r = AnniFileParse("\"A\" B 1.1.2000 0\n\"M\" Y 5.4.2025 0#burial=4.4.2025 x\n", list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].note + (list[1].burial ? " burial" : ""), "burial=4.4.2025 x");
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].substr(0, 8), "line 2: ");
}

// Stored and loaded back whole; a missing file is an empty list, a folder in
// its place a read error.
TEST(AnniversaryFile, StoreAndLoad) {
  TempHome home;
  AnniversaryList list{Rec("left over")}, loaded{Rec("left over")};
  AnniLoadResult r = AnniFileLoad(loaded);
  EXPECT_TRUE(loaded.empty() && !r.exists && !r.readError);
  for (const char* name : {"plain", "with \"quotes\"", "back\\slash\\", "\\\"", "trailing space ", "\xD7\xA9\xD7\xA8\xD7\x94"})
    AnniFileInsertSorted(list, Rec(name, 'Y', 1, {29, 13, 5784}));
  AnniFileInsertSorted(list, Rec("gregorian", 'A', 0, {29, 2, 2024}, 1));
  std::string error;
  ASSERT_TRUE(AnniFileStore(list, &error)) << error;
  r = AnniFileLoad(loaded);
  EXPECT_TRUE(r.exists && r.skippedLines == 0 && loaded == list);
  EXPECT_NE(ReadFile(AnniFileGetFilename()).find("\"gregorian\" A 29.2.2024 1\n"), std::string::npos);
  std::filesystem::remove(home.lumaro("kivraanni"));
  std::filesystem::create_directory(home.lumaro("kivraanni"));
  r = AnniFileLoad(loaded);
  EXPECT_TRUE(loaded.empty() && r.exists && r.readError);
}

class AnniversaryDayTest : public ::testing::Test {
 protected:
  AnniversaryDayTest() {
    settingsReset();
    translate_init("");
  }
  ~AnniversaryDayTest() override { translate_done(); }
  void Write(const std::string& content) { WriteFile(home_.lumaro("kivraanni"), content); }
  TempHome home_;
};

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
  // Rewritten in place with the same size and its time of modification set
  // back (the time of change still moves, after the next tick of file times).
  struct stat st {};
  ASSERT_EQ(::stat(home_.lumaro("kivraanni").c_str(), &st), 0);
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::usleep(30000);
  Write("\"Third!\" Y H 10.1.5770 0\n");
  ASSERT_EQ(::utimensat(AT_FDCWD, home_.lumaro("kivraanni").c_str(), times, 0), 0);
  EXPECT_EQ(On(day), "Y yortsayt: Third!\n");
  std::filesystem::remove(home_.lumaro("kivraanni"));
  EXPECT_EQ(On(day), "-");
  Write("\"Mine\" B H 10.1.5770 0\n");
  EXPECT_EQ(
      [&] {
        TempHome other;
        return On(day);
      }(),
      "-");  // another HOME is another file
  EXPECT_EQ(On(day), "B Birthday: Mine\n");
}

}  // namespace
