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

// A translation filled by FormatPlainOr must have the plain conversions of
// its arguments; anything else falls back to the program's own text.
TEST(TextFormat, PlainFormatOrTheProgramsText) {
  const std::string key = "%d minutes, %d parts";
  EXPECT_EQ(FormatPlainOr("%d minutn, %d khalokim", key, {21, 13}), "21 minutn, 13 khalokim");
  EXPECT_EQ(FormatPlainOr("100%% %d %d", key, {21, 13}), "100% 21 13");
  const char* rejected[] = {"%s %d", "%d", "%d %d %d", "%02d %d", "%ld %d", "%d %d %", "%n %d", "% d %d"};
  for (const char* format : rejected) EXPECT_EQ(FormatPlainOr(format, key, {21, 13}), "21 minutes, 13 parts") << format;
  EXPECT_EQ(FormatPlainOr("%d", "%d!", {"text"}), "%d!");  // not even the fallback matches
}

TEST(TextFormat, DayMonthYear) {
  EXPECT_EQ(DayMonthYearText(5, 3, 2025), "5.3.2025");
  EXPECT_EQ(DayMonthYearText(31, 12, 1583), "31.12.1583");
  EXPECT_EQ(DayMonthYearText(1, 7, 5785), "1.7.5785");
}

}  // namespace
