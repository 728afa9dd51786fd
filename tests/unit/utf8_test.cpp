// UTF-8 validation against the C library's converter, cutting at character
// boundaries, and the converter handle itself.
#include "base/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/iconv_handle.h"

namespace {

// Random byte strings biased towards lead and continuation bytes (every
// boundary of the sequence lengths, overlong forms, surrogates, cut sequences).
TEST(Utf8, ValidationAgreesWithIconv) {
  const IconvHandle toUtf32("UTF-32LE", "UTF-8");
  ASSERT_TRUE(toUtf32.IsOpen());
  std::mt19937 rng(17);
  const unsigned char interesting[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                       0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xF8, 0xFF};
  int valid = 0;
  for (int n = 0; n < 200000; ++n) {
    std::string s(rng() % 6, '\0');
    for (char& ch : s) {
      const unsigned r = rng();
      ch = static_cast<char>(r % 2 ? interesting[(r >> 1) % sizeof interesting] : 0x80 + ((r >> 8) & 0x3F));
    }
    std::string out;
    const bool iconvValid = toUtf32.Convert(s, s.size() * 4 + 4, out);
    ASSERT_EQ(IsValidUtf8(s), iconvValid) << testing::PrintToString(s);
    valid += iconvValid;
  }
  EXPECT_GT(valid, 1000);  // both kinds were tried
  EXPECT_EQ(Utf8SequenceLength("a\xD7\x90", 1), 2u);
  EXPECT_FALSE(IsValidUtf8(std::string_view("a\xD7\x90", 2)));  // the view ends inside the alef
}

TEST(Utf8, CutNeverSplitsACharacter) {
  const std::string alefBet = "\xD7\x90\xD7\x91";  // two 2-byte letters
  const std::pair<size_t, std::string> cases[] = {
      {4, alefBet}, {3, "\xD7\x90"}, {2, "\xD7\x90"}, {1, ""}, {10, alefBet}};
  for (const auto& [max, expected] : cases) EXPECT_EQ(CutUtf8(alefBet, max), expected) << max;
  EXPECT_EQ(CutUtf8("ab\xE2\x82\xAC", 4), "ab");    // inside the euro sign
  EXPECT_EQ(Utf8CutLength("\x80\x80\x80", 2), 0u);  // nothing but continuation bytes
}

TEST(IconvHandle, ConvertsAndFailsCleanly) {
  const IconvHandle toLatin1("ISO-8859-1", "UTF-8");
  std::string out;
  EXPECT_FALSE(toLatin1.Convert("\xD7\x90", 8, out));  // alef has no Latin-1 form
  EXPECT_FALSE(toLatin1.Convert("\xC3\xBC", 0, out));  // no room
  ASSERT_TRUE(toLatin1.Convert("Z\xC3\xBCrich", 8, out));  // the handle works again after failures
  EXPECT_EQ(out, "Z\xFCrich");
  EXPECT_FALSE(IconvHandle("NO-SUCH-ENCODING", "UTF-8").Convert("a", 8, out));
}

}  // namespace
