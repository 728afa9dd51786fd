#include "base/translate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

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

TEST_F(TranslateTest, EntrySyntax) {
  Write("gui",
        "# a comment line\n"
        "   /* another comment\n"
        "\t\n"
        "\"Exit\" = \"\xD7\x90\xD7\x95\xD7\x99\xD7\xA1\"\n"
        "  \"Help\"\t=\t\"Hilf\"   # trailing comment\n"
        "\"Hash\" = \"a # b\"\n"
        "\"Comment\" = \"a /* b\" /* trailing */\n"
        "\"Quo\\\"te\" = \"v\"\n"
        "\"Esc\" = \"x\\\"y\"\n"
        "\"Double\" = \"\"Value\"\n"
        "\"Crlf\" = \"w\"\r\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_perform("Exit"), "\xD7\x90\xD7\x95\xD7\x99\xD7\xA1");
  EXPECT_EQ(translate_perform("Help"), "Hilf");
  EXPECT_EQ(translate_perform("Hash"), "a # b");          // comment marker inside the quotes
  EXPECT_EQ(translate_perform("Comment"), "a /* b");
  EXPECT_EQ(translate_perform("Quo\"te"), "v");           // backslash dropped in the key
  EXPECT_EQ(translate_perform("Esc"), "x\\\"y");          // kept in the value
  EXPECT_EQ(translate_perform("Double"), "Value");        // a second opening quote is skipped
  EXPECT_EQ(translate_perform("Crlf"), "w");
}

TEST_F(TranslateTest, ContinuationLines) {
  Write("halakha",
        "\"Long\" = \"first part\n"
        "second part\"  # done\n"
        "\"Spaced\" = \"ends in blank \n"
        "rest\"\n"
        "\"Split key\n"
        "\" = \"joined\"\n");
  EXPECT_EQ(LoadCapturingErrors(), "");
  EXPECT_EQ(translate_perform("Long"), "first part second part");
  EXPECT_EQ(translate_perform("Spaced"), "ends in blank rest");
  EXPECT_EQ(translate_perform("Split key "), "joined");
}

TEST_F(TranslateTest, ErrorMessagesWithLineNumbers) {
  Write("gui",
        "\"Good\" = \"ok\"\n"
        "Exit = \"x\"\n"                         // 2: key start
        "\"Open = \"x\n"                          // 3: three quotes, key "Open = " then no '='
        "\"Key\" \"x\"\n"                          // 4: no '='
        "\"Key\" = x\n"                            // 5: no value start
        "\"Key\" = \"x\" junk\n"                   // 6: invalid characters
        "no quote at all\n"                        // 7: key start
        "\"Cont\" = \"a\n"                         // 8: open value
        "b\" junk\n"                               // 9: invalid characters after continuation
        "b\\\"\n"                                  // 10: only quote escaped
        "\"Unclosed key\n");                       // 11: last line, one quote at the start
  const std::string err = LoadCapturingErrors();
  const std::string f = "File " + PathOf("gui") + ", line ";
  EXPECT_EQ(err,
            f + "2: \" (key start) expected\n" +
            f + "3: = (separator between key and value) expected\n" +
            f + "4: = (separator between key and value) expected\n" +
            f + "5: \" (value start) expected\n" +
            f + "6: Invalid characters after key-value-pair encountered\n" +
            f + "7: \" (key start) expected\n" +
            f + "9: Invalid characters after key-value-pair encountered\n" +
            f + "10: Internal error: \" expected\n" +
            f + "11: \" (key end) expected\n");
  // Reading goes on after errors; the dropped continuation leaves the value as it was.
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

TEST_F(TranslateTest, Composite) {
  translate_init("english");
  // alef + qamats -> U+FB2F; alef + segol has no composite.
  EXPECT_EQ(translate_internal_composite("", 256, "\xD7\x90\xD6\xB8"), "\xEF\xAC\xAF");
  EXPECT_EQ(translate_internal_composite("", 256, "\xD7\x90\xD6\xB6"), "\xD7\x90\xD6\xB6");
  // shin + sin dot, then plain text.
  EXPECT_EQ(translate_internal_composite("", 256, "\xD7\xA9\xD7\x82" "ab"), "\xEF\xAC\xAB" "ab");
  // A result that does not fit is empty.
  EXPECT_EQ(translate_internal_composite("", 3, "abc"), "");
  // Invalid UTF-8 is reported on standard output and gives an empty result.
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(translate_internal_composite("label", 256, "a\xFF"), "");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error in label -> a\xFF (length: 2)\n");
  // Composition does not need a loaded table.
  translate_done();
  EXPECT_EQ(translate_internal_composite("", 256, "\xD7\x95\xD6\xBC"), "\xEF\xAC\xB5");
}

}  // namespace
