// Hebrew letters with their points composed into one character. Yiddish
// writes a few letters with a point (komets alef, pasekh alef, melupm vov,
// khirek yud, ...); fonts for printing have these as single pointed letters
// (the presentation forms U+FB1D..U+FB4E), so the printout composes each
// letter and point of this table before it looks the characters up.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

struct HebrewPointComposition {
  char16_t letter;
  char16_t point;     // the point that follows the letter
  char16_t composed;  // the pointed letter
};

// Every composition the program makes, in the order the print encoding lists
// the pointed letters.
inline constexpr std::array<HebrewPointComposition, 11> kHebrewPointCompositions = {{
    {0x05D0, 0x05B7, 0xFB2E},  // alef + patah
    {0x05D0, 0x05B8, 0xFB2F},  // alef + qamats
    {0x05D1, 0x05BF, 0xFB4C},  // bet + rafe
    {0x05D5, 0x05BC, 0xFB35},  // vav + dagesh
    {0x05D9, 0x05B4, 0xFB1D},  // yod + hiriq
    {0x05DB, 0x05BC, 0xFB3B},  // kaf + dagesh
    {0x05E4, 0x05BC, 0xFB44},  // pe + dagesh
    {0x05E4, 0x05BF, 0xFB4E},  // pe + rafe
    {0x05E9, 0x05C2, 0xFB2B},  // shin + sin dot
    {0x05EA, 0x05BC, 0xFB4A},  // tav + dagesh
    {0x05F2, 0x05B7, 0xFB1F},  // double yod + patah
}};

// The composed form of `letter` followed by `point`, or 0 when the table has none.
constexpr char16_t ComposedHebrewLetter(char16_t letter, char16_t point) {
  for (const HebrewPointComposition& row : kHebrewPointCompositions)
    if (row.letter == letter && row.point == point) return row.composed;
  return 0;
}

enum class HebrewPointsResult {
  kOk,
  // The source is not UTF-8 of characters up to U+FFFF, or longer than
  // 1023 characters.
  kSourceInvalid,
  // The composed text is longer than the room given.
  kResultTooLong,
};

// `utf8` with every letter + point pair of the table replaced by its pointed
// letter, left to right, into `out` when it fits in `maxBytes`.
HebrewPointsResult ComposeHebrewPoints(std::string_view utf8, size_t maxBytes, std::string& out);
