#include "render/font_sizes.h"

#include "base/settings_file.h"

const std::array<FontSizeRow, kFontRoleCount> kFontSizeRows = {{
    {"FontSizeCaption1", "Caption with Gregorian month name:"},
    {"FontSizeCaption2", "Caption with Jewish month name:"},
    {"FontSizeWeekdays", "Weekdays:"},
    {"FontSizeImportant1", "Holidays:"},
    {"FontSizeImportant2", "Torah sections, Yizkor, Rosh Khodesh:"},
    {"FontSizeDayNumbers", "Day numbers:"},
    {"FontSizeOmer", "Omer count:"},
    {"FontSizeDafYomi", "Daf Yomi:"},
    {"FontSizeShabbatTime", "Shabbat times:"},
    {"FontSizeAnniversaries", "Anniversaries/birthdays/yortsayt:"},
    {"FontSizeZmanim", "Zmanim:"},
}};

namespace {

// Defaults in role order: English screen, English printer, Yiddish screen,
// Yiddish printer. On paper the holiday line and the Shabbat time are at
// least as large as the Omer and Daf Yomi lines.
constexpr std::array<std::array<int32_t, kFontRoleCount>, 4> kDefaults = {{
    {22, 16, 16, 14, 14, 16, 12, 12, 14, 12, 14},
    {22, 16, 16, 16, 16, 16, 16, 16, 16, 14, 14},
    {22, 16, 16, 16, 14, 16, 12, 12, 14, 12, 14},
    {26, 26, 16, 20, 20, 18, 18, 18, 18, 16, 14},
}};

}  // namespace

void FontSize_GetDefault(FontSizeSet* set, bool yiddish, bool printer) {
  set->size = kDefaults[(yiddish ? 2 : 0) + (printer ? 1 : 0)];
}

int32_t FontSize_Internal_Get(FontRole role, int32_t def) { return SettingsGetInt(kFontSizeRows[role].key, def); }

bool FontSize_Internal_Reset() { return SettingsRemoveAllKeysWithBeginning("FontSize"); }

void FontSize_Load(FontSizeSet* set) {
  for (int r = 0; r < kFontRoleCount; ++r)
    set->size[r] = FontSize_Internal_Get(static_cast<FontRole>(r), set->size[r]);
}

bool FontSize_Store(const FontSizeSet& set) {
  std::vector<std::pair<std::string, std::string>> keyValues;
  for (int r = 0; r < kFontRoleCount; ++r)
    keyValues.emplace_back(std::string(kFontSizeRows[r].key), std::to_string(set.size[r]));
  return SettingsSetMany(keyValues);
}

bool FontSize_Reset() { return FontSize_Internal_Reset(); }
