#include "base/translate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "reference_data.h"
#include "test_env.h"

namespace {

using testenv::TempHome;
using testenv::WriteFile;

class TranslateTest : public ::testing::Test {
 protected:
  TranslateTest() { std::filesystem::create_directories(home_.path() + "/.lumaro/translations"); }
  ~TranslateTest() override { translate_done(); }

  std::string PathOf(const std::string& name) { return home_.path() + "/.lumaro/translations/yiddish." + name; }
  void Write(const std::string& name, const std::string& content) { WriteFile(PathOf(name), content); }

  // Loads the yiddish files and returns what was printed on standard error.
  std::string LoadCapturingErrors() {
    ::testing::internal::CaptureStderr();
    translate_init("yiddish");
    return ::testing::internal::GetCapturedStderr();
  }

  TempHome home_;
};

// The entry syntax and the error messages, from files of cases.
TEST_F(TranslateTest, EntrySyntaxAndErrorMessages) {
  const std::string dir = testenv::TestDataDir() + "/translate/";
  Write("gui", testenv::ReadFile(dir + "entries.txt"));
  EXPECT_EQ(LoadCapturingErrors(), "");
  const auto entries = testdata::ReadRows("translate/entries.tsv", '\t');
  ASSERT_GT(entries.size(), 10u);
  for (const auto& f : entries) EXPECT_EQ(translate_perform(f.at(0)), f.at(1)) << f.at(0);
  translate_done();
  Write("gui", testenv::ReadFile(dir + "errors.txt"));
  std::string expected;
  for (const auto& f : testdata::ReadRows("translate/errors.tsv", '\t'))
    expected += "File " + PathOf("gui") + ", line " + f.at(0) + ": " + f.at(1) + "\n";
  EXPECT_EQ(LoadCapturingErrors(), expected);
  EXPECT_EQ(translate_perform("Good"), "ok");
  EXPECT_EQ(translate_perform("Cont"), "a");
}

TEST_F(TranslateTest, LastFileWinsAndUnknownKeysAreRemembered) {
  Write("calendar", "\"Sunday\" = \"from calendar\"\n\"Monday\" = \"first\"\n\"Monday\" = \"second\"\n");
  Write("other", "\"Sunday\" = \"from other\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_perform("Sunday"), "from other");
  EXPECT_EQ(translate_perform("Monday"), "second");
  const size_t before = translate_internal_entry_count();
  EXPECT_EQ(translate_perform("Not translated"), "Not translated");
  EXPECT_EQ(translate_perform("Not translated"), "Not translated");
  EXPECT_EQ(translate_internal_entry_count(), before + 1);
  EXPECT_EQ(translate_replace("Not translated; Sunday"), "Not translated; from other");
}

TEST_F(TranslateTest, ReplaceLongestKeyFirst) {
  Write("halakha",
        "\"Rosh\" = \"R\"\n"
        "\"Rosh HaShana\" = \"RH\"\n"
        "\"  Hallel\" = \"  H\"\n"
        "\"loop\" = \"loop!\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_replace("Rosh HaShana and Rosh Khodesh\n  Hallel\n"), "RH and R Khodesh\n  H\n");
  // A value containing its own key is substituted 11 times and then left.
  EXPECT_EQ(translate_replace("loop"), "loop" + std::string(11, '!'));
  // The text is never cut below the limit the day report needs.
  const std::string big(20000, 'x');
  EXPECT_EQ(translate_replace(big), big);
  // ... and never grows beyond it.
  std::string many;
  for (int i = 0; i < 3000; ++i) many += "loop ";
  EXPECT_LE(translate_replace(many).size(), kTranslateReplaceMax);
}

TEST_F(TranslateTest, ReloadSeesChangedAndMissingFiles) {
  Write("gui", "\"Exit\" = \"one\"\n");
  translate_init("yiddish");
  EXPECT_EQ(translate_perform("Exit"), "one");
  translate_done();
  translate_init("english");  // no english files: every look-up returns its key
  EXPECT_EQ(translate_perform("Exit"), "Exit");
  translate_done();
  Write("gui", "\"Exit\" = \"two, longer\"\n");
  translate_init("yiddish");
  EXPECT_EQ(translate_perform("Exit"), "two, longer");
  translate_done();
  ::unsetenv("HOME");
  translate_init("yiddish");
  EXPECT_EQ(translate_perform("Exit"), "Exit");
}

}  // namespace
