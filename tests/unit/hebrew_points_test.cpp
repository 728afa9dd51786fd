// Composing Hebrew letters with their points into the presentation forms
// named by Unicode (HEBREW LETTER ALEF WITH PATAH U+FB2E, ... WITH QAMATS
// U+FB2F, VAV WITH DAGESH U+FB35, SHIN WITH SIN DOT U+FB2B, HEBREW LIGATURE
// YIDDISH YOD YOD PATAH U+FB1F), its limits, and the translation module's message.
#include "base/hebrew_points.h"

#include <gtest/gtest.h>

#include <string>

#include "base/diagnostics.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

const std::string kAlef = "\xD7\x90", kQamats = "\xD6\xB8";

TEST(HebrewPoints, ComposesLettersWithTheirPoints) {
  const auto cases = testenv::CaseRows("hebrew_points.tsv");
  ASSERT_EQ(cases.size(), 11u);
  for (const auto& c : cases) {
    const std::string& text = c.at(0);
    const std::string& composed = c.at(1);
    std::string out;
    EXPECT_EQ(ComposeHebrewPoints(text, 255, out), HebrewPointsResult::kOk) << text;
    EXPECT_EQ(out, composed) << text;
  }
}

TEST(HebrewPoints, LimitsAndBadInput) {
  std::string out = "old";
  // The room counts bytes of the result: a pointed letter is 3 bytes.
  EXPECT_EQ(ComposeHebrewPoints(kAlef + kQamats, 3, out), HebrewPointsResult::kOk);
  EXPECT_EQ(ComposeHebrewPoints(kAlef + kQamats, 2, out), HebrewPointsResult::kResultTooLong);
  EXPECT_EQ(out, "");
  // At most 1023 characters are read.
  EXPECT_EQ(ComposeHebrewPoints(std::string(1023, 'a'), 5000, out), HebrewPointsResult::kOk);
  EXPECT_EQ(out.size(), 1023u);
  EXPECT_EQ(ComposeHebrewPoints(std::string(1024, 'a'), 5000, out), HebrewPointsResult::kSourceInvalid);
  EXPECT_EQ(ComposeHebrewPoints("a\xFF", 100, out), HebrewPointsResult::kSourceInvalid);
  EXPECT_EQ(ComposeHebrewPoints("\xF0\x9F\x98\x80", 100, out), HebrewPointsResult::kSourceInvalid);  // past U+FFFF
  // The translation module's composition names its caller, and shows the text
  // as printf does (up to its first NUL) with the length of all its bytes.
  std::FILE* messages = std::tmpfile();
  ASSERT_NE(messages, nullptr);
  {
    const DiagnosticsTo redirect(messages);
    EXPECT_EQ(translate_internal_composite("label", 256, std::string("a\xFF\0b", 4)), "");
    EXPECT_EQ(translate_internal_composite("", 3, "abc"), "");  // too long: no message
    EXPECT_EQ(translate_internal_composite("", 0, "abc"), "");
  }
  EXPECT_EQ(testenv::StreamText(messages), "Error in label -> a\xFF (length: 4)\n");
}

}  // namespace
