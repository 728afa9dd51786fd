#include "forms/help_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/translate.h"
#include "test_env.h"

namespace {

TEST(HelpText, LinesGetAFullStopAndEmptyLinesStayEmpty) {
  testenv::TempHome home;
  translate_init("english");
  EXPECT_EQ(DialogsHelpText("First line\nSecond line.\n\nThird line\n"), "First line.\nSecond line.\n\nThird line.\n");
  EXPECT_EQ(DialogsHelpText("no line feed"), "no line feed.");
  EXPECT_EQ(DialogsHelpText("\n\n"), "\n\n");
  EXPECT_EQ(DialogsHelpText(""), "");
  translate_done();
}

TEST(HelpText, EachLineIsTranslatedAsAWhole) {
  testenv::TempHome home;
  std::filesystem::create_directories(home.path() + "/.lumaro/translations");
  testenv::WriteFile(home.path() + "/.lumaro/translations/yiddish.gui",
                     "\"Click the year.\" = \"Klik dem yor\"\n\"the year\" = \"WRONG\"\n");
  translate_init("yiddish");
  // The translation lacks the full stop, so it gets one; the phrase inside
  // the other line is not replaced.
  EXPECT_EQ(DialogsHelpText("Click the year.\nSee the year\n"), "Klik dem yor.\nSee the year.\n");
  translate_done();
}

}  // namespace
