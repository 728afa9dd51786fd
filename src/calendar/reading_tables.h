// The fixed data behind the Torah and Haftarah readings of a day: the four
// reading tables (code -> English text) and the link from holidays to
// reading codes.
//
// Reading codes: 0..52 the weekly sections; 53, 54, 55 the three parts of
// Simkhat Tora in the Diaspora; 60 the Rosh Khodesh reading of a Shabbat;
// 61..66 the special Shabbatot; 70..124 festival, fast and Khanukka
// readings (121..124 the maftir of Khanukka days 2..5 on Shabbat); 200,
// 201, 202 Shemini Atseret and its two further parts; 300..312 substitute
// Haftarot; 1000 none.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// One row of a reading table. The text "(none)" marks a code without a
// reading; an empty text lets the Israel table fall back to the Diaspora one.
struct ReadingRow {
  int32_t code;
  std::string_view text;
};

// Code of the row that ends every reading table.
constexpr int32_t kReadingTableEnd = 12345;
// Text of a code that has no reading.
constexpr std::string_view kReadingNone = "(none)";
// Longest reading text in bytes (each lives in a 256-byte field).
constexpr size_t kReadingTextMax = 255;

// Codes that are not weekly sections.
constexpr int32_t kReadingNoCode = 1000;
constexpr int32_t kReadingSimkhatTora = 53;  // and 54, 55: its second and third parts
constexpr int32_t kReadingShabbatRoshKhodesh = 60;
constexpr int32_t kReadingShabbatShuva = 66;
constexpr int32_t kReadingYomHaAtsmaut = 97;
constexpr int32_t kReadingSheminiAtseret = 85;      // Torah text of Shemini Atseret
constexpr int32_t kReadingSheminiAtseretDay = 200;  // its Haftarah and Shabbat code
constexpr int32_t kReadingSheminiAtseretPart2 = 201;
constexpr int32_t kReadingSheminiAtseretPart3 = 202;
constexpr int32_t kReadingKholHaMoedSukkot = 84;
constexpr int32_t kReadingRoshKhodesh = 111;  // a weekday Rosh Khodesh

// The Torah and Haftarah texts, Diaspora tables first. Israel tables hold
// only the codes whose reading differs there; they are searched first.
extern const std::array<ReadingRow, 120> ReadingTorahDiaspora;
extern const std::array<ReadingRow, 31> ReadingTorahIsrael;
extern const std::array<ReadingRow, 126> ReadingHaftarahDiaspora;
extern const std::array<ReadingRow, 27> ReadingHaftarahIsrael;

// A holiday (an id of the holiday table) and the reading code of its day.
struct HolidayReadingRow {
  int32_t code;
  int32_t holidayId;
};
extern const std::array<HolidayReadingRow, 37> HolidayRecs;

// The Haftarot that replace or add to a Shabbat's own (the rules that choose
// them are in readings.cpp).
constexpr int32_t kHaftarahRoshKhodesh = 300;          // Isaiah 66, Shabbat Rosh Khodesh
constexpr int32_t kHaftarahMakharKhodesh = 301;        // I Samuel 20, the Shabbat before Rosh Khodesh
constexpr int32_t kHaftarahRoshKhodeshVerses = 302;    // the first and last verses of Isaiah 66
constexpr int32_t kHaftarahMakharKhodeshVerses = 303;  // the first and last verses of I Samuel 20:18-42
constexpr int32_t kHaftarahKhanukka1 = 304;            // first Shabbat of Khanukka
constexpr int32_t kHaftarahKhanukka2 = 305;            // second Shabbat of Khanukka
constexpr int32_t kHaftarahAharemothAlone = 306;
constexpr int32_t kHaftarahKedoshim = 307;     // Kedoshim alone, or with Aharemoth
constexpr int32_t kHaftarahKedoshimOwn = 308;  // Kedoshim after Aharemoth read its own
constexpr int32_t kHaftarahPinhas = 309;       // Pinhas before the three weeks
constexpr int32_t kHaftarahAffliction1 = 310;  // first Shabbat of the three weeks
constexpr int32_t kHaftarahAffliction2 = 311;  // second Shabbat of the three weeks
constexpr int32_t kHaftarahShabbatShuva = 312;
