#include "base/hebrew_points.h"

#include <gtest/gtest.h>

#include <string>

#include "base/diagnostics.h"
#include "base/translate.h"

namespace {

// UTF-8 of the Hebrew letters and points used below.
const std::string kAlef = "\xD7\x90", kPatah = "\xD6\xB7", kQamats = "\xD6\xB8", kSegol = "\xD6\xB6";
const std::string kVav = "\xD7\x95", kDagesh = "\xD6\xBC", kShin = "\xD7\xA9", kSinDot = "\xD7\x82";
const std::string kDoubleYod = "\xD7\xB2";

std::string Compose(const std::string& text, size_t maxBytes = 255) {
  std::string out;
  EXPECT_EQ(ComposeHebrewPoints(text, maxBytes, out), HebrewPointsResult::kOk) << text;
  return out;
}

// Expected forms from the Unicode character names: HEBREW LETTER ALEF WITH
// PATAH is U+FB2E, ... WITH QAMATS U+FB2F, VAV WITH DAGESH U+FB35, SHIN WITH
// SIN DOT U+FB2B, HEBREW LIGATURE YIDDISH YOD YOD PATAH U+FB1F.
TEST(HebrewPoints, ComposesLettersWithTheirPoints) {
  EXPECT_EQ(Compose(kAlef + kPatah), "\xEF\xAC\xAE");
  EXPECT_EQ(Compose(kAlef + kQamats), "\xEF\xAC\xAF");
  EXPECT_EQ(Compose(kVav + kDagesh), "\xEF\xAC\xB5");
  EXPECT_EQ(Compose(kShin + kSinDot + "ab"), "\xEF\xAC\xAB" "ab");
  EXPECT_EQ(Compose(kDoubleYod + kPatah), "\xEF\xAC\x9F");
  // Pairs the table does not have, and points without a letter, stay as they are.
  EXPECT_EQ(Compose(kAlef + kSegol), kAlef + kSegol);
  EXPECT_EQ(Compose(kPatah + kAlef), kPatah + kAlef);
  EXPECT_EQ(Compose(kAlef), kAlef);
  // Left to right, each character in one pair at most: the second patah has no letter.
  EXPECT_EQ(Compose(kAlef + kPatah + kPatah), "\xEF\xAC\xAE" + kPatah);
  EXPECT_EQ(Compose(kAlef + kAlef + kQamats), kAlef + "\xEF\xAC\xAF");
  EXPECT_EQ(Compose(""), "");
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
}

// The translation module's composition keeps its name and its message.
TEST(HebrewPoints, TranslateWrapperReportsUnreadableText) {
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
  // As printf shows a text: up to its first NUL; the length counts all bytes.
  EXPECT_EQ(std::string(buf, n), "Error in label -> a\xFF (length: 4)\n");
}

}  // namespace
