#include "base/text_format.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFormat, FillsMatchingConversions) {
  EXPECT_EQ(FormatText("%d L'Omer", {33}), "33 L'Omer");
  EXPECT_EQ(FormatText("Molad of %s %d:", {"Tishri", 5785}), "Molad of Tishri 5785:");
  EXPECT_EQ(FormatText("%02d:%02d", {7, 5}), "07:05");
  EXPECT_EQ(FormatText("%d.%d.%d", {1, 2, 2024}), "1.2.2024");
  EXPECT_EQ(FormatText("100%% %s", {"sure"}), "100% sure");
  EXPECT_EQ(FormatText("%5s|%-5s|", {"ab", "cd"}), "   ab|cd   |");
  EXPECT_EQ(FormatText("no conversions", {}), "no conversions");
  EXPECT_EQ(FormatText("%ld", {-12}), "-12");
}

// A translated format that does not match its arguments must never read
// arguments that are not there: the format comes back unchanged.
TEST(TextFormat, MismatchedFormatsAreNotFilled) {
  EXPECT_EQ(FormatText("%s L'Omer", {33}), "%s L'Omer");
  EXPECT_EQ(FormatText("%d %d", {1}), "%d %d");
  EXPECT_EQ(FormatText("%d", {1, 2}), "%d");
  EXPECT_EQ(FormatText("%n%x%p", {1}), "%n%x%p");
  EXPECT_EQ(FormatText("trailing %", {}), "trailing %");
  EXPECT_EQ(FormatText("%99999999d", {1}), "%99999999d");
  EXPECT_EQ(FormatText("%.3f", {1}), "%.3f");
}

}  // namespace
