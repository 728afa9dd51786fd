// Composing Hebrew letters with their points into the presentation forms
// named by Unicode (HEBREW LETTER ALEF WITH PATAH U+FB2E, ... WITH QAMATS
// U+FB2F, VAV WITH DAGESH U+FB35, SHIN WITH SIN DOT U+FB2B, HEBREW LIGATURE
// YIDDISH YOD YOD PATAH U+FB1F), its limits, and the translation module's message.
#include "base/hebrew_points.h"

#include <gtest/gtest.h>

#include <string>

#include "base/diagnostics.h"
#include "base/translate.h"

namespace {

const std::string kAlef = "\xD7\x90", kPatah = "\xD6\xB7", kQamats = "\xD6\xB8", kSegol = "\xD6\xB6";
const std::string kAlefPatah = "\xEF\xAC\xAE", kAlefQamats = "\xEF\xAC\xAF";

TEST(HebrewPoints, ComposesLettersWithTheirPoints) {
  // Pairs the table does not have and points without a letter stay; left to
  // right, each character is in one pair at most.
  const std::pair<std::string, std::string> cases[] = {{kAlef + kPatah, kAlefPatah},
                                                       {kAlef + kQamats, kAlefQamats},
                                                       {"\xD7\x95\xD6\xBC", "\xEF\xAC\xB5"},
                                                       {"\xD7\xA9\xD7\x82"
                                                        "ab",
                                                        "\xEF\xAC\xAB"
                                                        "ab"},
                                                       {"\xD7\xB2" + kPatah, "\xEF\xAC\x9F"},
                                                       {kAlef + kSegol, kAlef + kSegol},
                                                       {kPatah + kAlef, kPatah + kAlef},
                                                       {kAlef, kAlef},
                                                       {"", ""},
                                                       {kAlef + kPatah + kPatah, kAlefPatah + kPatah},
                                                       {kAlef + kAlef + kQamats, kAlef + kAlefQamats}};
  for (const auto& [text, composed] : cases) {
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
  std::rewind(messages);
  char buf[200] = {};
  const size_t n = std::fread(buf, 1, sizeof buf - 1, messages);
  std::fclose(messages);
  EXPECT_EQ(std::string(buf, n), "Error in label -> a\xFF (length: 4)\n");
}

}  // namespace
