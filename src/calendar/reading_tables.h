// The fixed data behind the Torah and Haftarah readings of a day: the four
// reading tables (code -> English text), the link from holidays to reading
// codes, and the small tables that drive the Shabbat Haftarah substitutions.
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
constexpr int32_t kReadingSimkhatTora = 53;        // and 54, 55: its second and third parts
constexpr int32_t kReadingShabbatRoshKhodesh = 60;
constexpr int32_t kReadingShabbatShuva = 66;
constexpr int32_t kReadingSheminiAtseret = 85;     // Torah text of Shemini Atseret
constexpr int32_t kReadingSheminiAtseretDay = 200;  // its Haftarah and Shabbat code
constexpr int32_t kReadingSheminiAtseretPart2 = 201;
constexpr int32_t kReadingSheminiAtseretPart3 = 202;
constexpr int32_t kReadingKholHaMoedSukkot = 84;
constexpr int32_t kReadingRoshKhodesh = 111;  // a weekday Rosh Khodesh

// The Torah and Haftarah texts, Diaspora tables first. Israel tables hold
// only the codes whose reading differs there; they are searched first.
extern const std::array<ReadingRow, 119> ReadingTorahDiaspora;
extern const std::array<ReadingRow, 33> ReadingTorahIsrael;
extern const std::array<ReadingRow, 126> ReadingHaphtarahDiaspora;
extern const std::array<ReadingRow, 27> ReadingHaphtarahIsrael;

// A holiday (an id of the holiday table) and the reading code of its day.
struct HolidayReadingRow {
  int32_t code;
  int32_t holidayId;
};
extern const std::array<HolidayReadingRow, 37> HolidayRecs;

// A code that, in the second or third slot of a Shabbat, brings its own
// Haftarah instead of the first section's. Rule bits: kZeroRuleNotRoshKhodesh
// (not when the Shabbat has a Rosh Khodesh Haftarah bit), kZeroRuleOnlyAfter50
// (only when the first section is Nitsabim, 50).
struct ZeroRow {
  int32_t code;
  int32_t rules;
};
constexpr int32_t kZeroRuleNotRoshKhodesh = 1;
constexpr int32_t kZeroRuleOnlyAfter50 = 2;
extern const std::array<ZeroRow, 9> ZeroRecs;

// A weekly section that gets a Rosh Khodesh Haftarah bit, and which kind of
// bit (an index into RoshHodeshKinds).
struct RoshHodeshRow {
  int32_t section;
  int32_t kind;
};
extern const std::array<RoshHodeshRow, 19> RoshHodesh;

// The Haftarah bits of one kind: on Shabbat Rosh Khodesh (day 1 or 30) and
// on the Shabbat before Rosh Khodesh (day 29 or 30), in a leap and in a
// common year. On day 30 both columns apply.
struct RoshHodeshKind {
  int32_t onLeap;
  int32_t onCommon;
  int32_t beforeLeap;
  int32_t beforeCommon;
};
extern const std::array<RoshHodeshKind, 10> RoshHodeshKinds;

// Flag bits of a Torah entry; each selects a substitute Haftarah.
constexpr int32_t kHaftOwn = 2;                 // the entry's own code
constexpr int32_t kHaftRoshKhodesh = 4;         // 300
constexpr int32_t kHaftMakharKhodesh = 8;       // 301
constexpr int32_t kHaftRoshKhodeshVerses = 16;  // 302
constexpr int32_t kHaftMakharKhodeshVerses = 32;  // 303
constexpr int32_t kHaftKhanukka1 = 64;          // 304
constexpr int32_t kHaftKhanukka2 = 128;         // 305
constexpr int32_t kHaftAharemothAlone = 256;    // 306
constexpr int32_t kHaftKedoshim = 512;          // 307
constexpr int32_t kHaftKedoshimType9 = 1024;    // 308
constexpr int32_t kHaftPinhasBefore = 2048;     // 309
constexpr int32_t kHaftAffliction1 = 4096;      // 310
constexpr int32_t kHaftAffliction2 = 8192;      // 311
constexpr int32_t kHaftShabbatShuva = 16384;    // 312
// The Rosh Khodesh bits.
constexpr int32_t kHaftAnyRoshKhodesh =
    kHaftRoshKhodesh | kHaftMakharKhodesh | kHaftRoshKhodeshVerses | kHaftMakharKhodeshVerses;
// The bits that add verses to the day's Haftarah instead of replacing it.
constexpr int32_t kHaftAddsVerses = kHaftRoshKhodeshVerses | kHaftMakharKhodeshVerses;

// A substitution bit and the Haftarah code it brings.
struct HaftarahSubstitute {
  int32_t bit;
  int32_t code;
};
// In the order the substitutions are applied.
extern const std::array<HaftarahSubstitute, 13> haphtarah_table;
