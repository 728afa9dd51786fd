// The eleven point sizes of the month view's text roles: defaults by
// language and device, and their settings keys ("FontSize...").
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum FontRole : int {
  kFontCaption1 = 0,    // Gregorian month and year
  kFontCaption2,        // Hebrew date range
  kFontWeekdays,
  kFontImportant1,      // holiday line
  kFontImportant2,      // Yizkor, Torah section, special Shabbat, Rosh Khodesh lines
  kFontDayNumbers,
  kFontOmer,
  kFontDafYomi,
  kFontShabbatTime,
  kFontAnniversaries,
  kFontZmanim,
  kFontRoleCount
};

struct FontSizeSet {
  std::array<int32_t, kFontRoleCount> size{};
};

struct FontSizeRow {
  std::string_view key;
  std::string_view dialogLabel;
};
// Settings key and font-size dialog label of each role, in role order.
extern const std::array<FontSizeRow, kFontRoleCount> kFontSizeRows;

// The defaults for a language in Hebrew letters (`yiddish`: Yiddish and
// Hebrew) or English on screen or paper.
void FontSize_GetDefault(FontSizeSet* set, bool yiddish, bool printer);
// Each stored "FontSize..." key replaces the value already in the set.
void FontSize_Load(FontSizeSet* set);
// Stores the eleven keys. False when the settings file could not be written.
bool FontSize_Store(const FontSizeSet& set);
// Removes every key containing "FontSize", so the defaults apply again.
// False when the settings file could not be written.
bool FontSize_Reset();
// Per-key helpers.
int32_t FontSize_Internal_Get(FontRole role, int32_t def);
bool FontSize_Internal_Reset();
