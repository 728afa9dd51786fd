// The translation tables: the entry syntax and its error messages (cases in
// tests/data/translate), which entry wins, phrase replacement, reloading;
// translated formats and help texts.
#include "base/translate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/text_format.h"
#include "forms/help_text.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

class TranslateTest : public ::testing::Test {
 protected:
  TranslateTest() { std::filesystem::create_directories(home_.lumaro("translations")); }
  ~TranslateTest() override { translate_done(); }

  std::string PathOf(const std::string& name) { return home_.lumaro("translations/yiddish." + name); }
  void Write(const std::string& name, const std::string& content) { testenv::WriteFile(PathOf(name), content); }

  // Loads the yiddish files anew; what was printed on standard error.
  static std::string LoadCapturingErrors() {
    translate_done();
    ::testing::internal::CaptureStderr();
    translate_init("yiddish");
    return ::testing::internal::GetCapturedStderr();
  }

  testenv::TempHome home_;
};

TEST_F(TranslateTest, EntrySyntaxAndErrorMessages) {
  const std::string dir = testenv::TestDataDir() + "/translate/";
  Write("gui", testenv::ReadFile(dir + "entries.txt"));
  EXPECT_EQ(LoadCapturingErrors(), "");
  const auto entries = testdata::ReadRows("translate/entries.tsv", '\t');
  ASSERT_GT(entries.size(), 10u);
  for (const auto& f : entries) EXPECT_EQ(translate_perform(f.at(0)), f.at(1)) << f.at(0);
  Write("gui", testenv::ReadFile(dir + "errors.txt"));
  std::string expected;
  for (const auto& f : testdata::ReadRows("translate/errors.tsv", '\t'))
    expected += "File " + PathOf("gui") + ", line " + f.at(0) + ": " + f.at(1) + "\n";
  EXPECT_EQ(LoadCapturingErrors(), expected);
  EXPECT_EQ(translate_perform("Good") + translate_perform("Cont"), "oka");
}

TEST_F(TranslateTest, LastEntryWinsUnknownKeysStay) {
  Write("calendar", "\"Sunday\" = \"from calendar\"\n\"Monday\" = \"first\"\n\"Monday\" = \"second\"\n");
  Write("other", "\"Sunday\" = \"from other\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_perform("Sunday") + "|" + translate_perform("Monday"), "from other|second");
  EXPECT_EQ(translate_perform("Not translated"), "Not translated");
  EXPECT_EQ(translate_replace("Not translated; Sunday"), "Not translated; from other");
}

TEST_F(TranslateTest, ReplaceLongestKeyFirst) {
  Write("halakha", "\"Rosh\" = \"R\"\n\"Rosh HaShana\" = \"RH\"\n\"  Hallel\" = \"  H\"\n\"loop\" = \"loop!\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_replace("Rosh HaShana and Rosh Khodesh\n  Hallel\n"), "RH and R Khodesh\n  H\n");
  // A value containing its own key is substituted 11 times and then left.
  EXPECT_EQ(translate_replace("loop"), "loop" + std::string(11, '!'));
  // The text is never cut below the limit the day report needs, nor grows beyond it.
  const std::string big(20000, 'x');
  EXPECT_EQ(translate_replace(big), big);
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
  Write("gui", "\"Exit\" = \"two, longer\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_perform("Exit"), "two, longer");
  ::unsetenv("HOME");
  LoadCapturingErrors();
  EXPECT_EQ(translate_perform("Exit"), "Exit");
}

// A copy of an earlier version's files keeps its entries; the texts it
// lacks come from the shipped files.
TEST_F(TranslateTest, ShippedFilesFillWhatTheUsersLack) {
  const std::string shipped = home_.lumaro("shipped");
  std::filesystem::create_directories(shipped);
  testenv::WriteFile(shipped + "/yiddish.gui", "\"Exit\" = \"shipped\"\n\"Help\" = \"new\"\n");
  Write("gui", "\"Exit\" = \"the user's\"\n");
  translate_init("yiddish", shipped);
  EXPECT_EQ(translate_perform("Exit") + "|" + translate_perform("Help"), "the user's|new");
  EXPECT_EQ(translate_replace("Help and Exit"), "new and the user's");
}

// Each line of a help text is translated as a whole, then given a full stop;
// the marks of the times follow.
TEST_F(TranslateTest, HelpTexts) {
  Write("gui", "\"Click the year.\" = \"Klik dem yor\"\n\"the year\" = \"WRONG\"\n\"End of the fast\" = \"Sof\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(DialogsHelpText("Click the year.\nSee the year\nDone.\n\nLast"),
            "Klik dem yor.\nSee the year.\nDone.\n\nLast.\n\nIn a narrow day cell a mark stands before the time:\n"
            "\u2721 Candle lighting.\n\u2605 Havdalah, end of Shabbat or festival.\n\u2729 Sof.");
  EXPECT_EQ(DialogsHelpText("\n\n") + DialogsHelpText(""), "\n\n");
}

// A format that does not match its arguments is never filled (it could read
// arguments that are not there); FormatPlainOr then gives the program's text.
TEST(TextFormat, FillsOnlyMatchingFormats) {
  EXPECT_EQ(FormatText("Molad of %s %d:", {"Tishri", 5785}), "Molad of Tishri 5785:");
  EXPECT_EQ(FormatText("%02d:%02d %ld", {7, 5, -12}), "07:05 -12");
  EXPECT_EQ(FormatText("100%% %5s|%-5s|", {"ab", "cd"}), "100%    ab|cd   |");
  for (const char* format : {"%s L'Omer", "%d %d", "%n%x%p", "%d trailing %", "%99999999d", "%.3f"})
    EXPECT_EQ(FormatText(format, {33}), format);
  EXPECT_EQ(FormatText("%d", {1, 2}), "%d");
  const std::string key = "%d minutes, %d parts";
  EXPECT_EQ(FormatPlainOr("%d minutn, %d khalokim", key, {21, 13}), "21 minutn, 13 khalokim");
  EXPECT_EQ(FormatPlainOr("100%% %d %d", key, {21, 13}), "100% 21 13");
  for (const char* format : {"%s %d", "%d", "%d %d %d", "%02d %d", "%ld %d", "%d %d %", "%n %d", "% d %d"})
    EXPECT_EQ(FormatPlainOr(format, key, {21, 13}), "21 minutes, 13 parts") << format;
  EXPECT_EQ(FormatPlainOr("%d", "%d!", {"text"}), "%d!");  // not even the fallback matches
}

}  // namespace
