// The festival table: one row per festival, fast and special day of the
// Hebrew year, with everything the program knows of it: its names, the rule
// that dates it, what kind of day it is (which also decides its evening
// times: a day on which work is forbidden has candle lighting on the evening
// before and havdalah after), its cell tint, Yizkor, and the key the halakha
// rules call it by. The holiday ids
// (0..55) are the row numbers; the readings tables refer to them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Holiday ids. The order is fixed: stored data and the readings tables use
// the numbers.
enum class Festival : uint8_t {
  kRoshHaShanaI,        // 0
  kYomKippur,           // 1
  kSukkotI,             // 2
  kSukkotII,            // 3: Khol HaMoed in Israel
  kSukkotIII,           // 4
  kSukkotIV,            // 5
  kSukkotV,             // 6
  kSukkotVI,            // 7
  kHoshanaRabba,        // 8
  kSheminiAtseret,      // 9
  kSimkhatTora,         // 10: the Diaspora's 23 Tishri
  kPesakhI,             // 11
  kPesakhII,            // 12: Khol HaMoed in Israel
  kPesakhIII,           // 13
  kPesakhIV,            // 14
  kPesakhV,             // 15
  kPesakhVI,            // 16
  kPesakhVII,           // 17
  kKhanukkaI,           // 18
  kKhanukkaII,          // 19
  kKhanukkaIII,         // 20
  kKhanukkaIV,          // 21
  kKhanukkaV,           // 22
  kKhanukkaVI,          // 23
  kKhanukkaVII,         // 24
  kKhanukkaVIII,        // 25
  kShavuotI,            // 26
  kTuBeShvat,           // 27
  kPurim,               // 28
  kTaanitEster,         // 29
  kTishaBeAv,           // 30
  kTsomGedalya,         // 31
  kTsomTevet,           // 32
  kTsomTammuz,          // 33
  kShushanPurim,        // 34
  kLagBaOmer,           // 35
  kYomHaShoa,           // 36
  kYomHaAtsmaut,        // 37
  kYomYerushalayim,     // 38
  kShavuotII,           // 39
  kPesakhVIII,          // 40
  kShabbatHaGadol,      // 41
  kRoshHaShanaII,       // 42
  kYomHaZikaron,        // 43
  kPurimKatan,          // 44
  kShushanPurimKatan,   // 45
  kErevRoshHaShana,     // 46
  kErevYomKippur,       // 47
  kErevSukkot,          // 48
  kIsruKhagSukkot,      // 49
  kErevPesakh,          // 50
  kIsruKhagPesakh,      // 51
  kErevShavuot,         // 52
  kIsruKhagShavuot,     // 53
  kPesakhSheni,         // 54
  kTuBeAv,              // 55
};

inline constexpr int kFestivalCount = 56;

constexpr int IdOf(Festival f) { return static_cast<int>(f); }
constexpr Festival FestivalOfId(int id) { return static_cast<Festival>(id); }

// How a festival's date in a Hebrew year is found.
enum class DateRule : uint8_t {
  kFixed,             // day, month every year
  kDiasporaOnly,      // day, month in the Diaspora; no such day in Israel
  kIsraelDiaspora,    // day, month in Israel; diasporaDay, month in the Diaspora
  kKhanukka,          // day 1..8 of Khanukka, counted from 25 Kislev
  kAdarLast,          // day of Adar II in a leap year, of Adar otherwise
  kAdarFirst,         // day of Adar I in a leap year; of month 13 (no such day) otherwise
  kTaanitEster,       // the day before Purim, or the Thursday before a Sunday Purim
  kFastOffShabbat,    // day, month; a fast on Shabbat is kept on the Sunday
  kShushanPurim,      // 15 Adar*; off Shabbat to Sunday only when that custom is chosen
  kYomHaShoa,         // 27 Nisan, moved off Friday and (later years) Sunday
  kYomHaAtsmaut,      // 5 Iyar, moved off Friday/Shabbat and (later years) Monday
  kYomHaZikaron,      // 4 Iyar, the day before Yom HaAtsmaut
  kShabbatHaGadol,    // the last Shabbat before 15 Nisan
};

// What kind of day a festival is, in Israel or in the Diaspora.
enum class DayKind : uint8_t {
  kNone,            // not a day of its own there (Israel's 23 Tishri, 22 Nisan, 7 Sivan)
  kRoshHaShana,     // work forbidden
  kYomKippur,       // work forbidden; a fast
  kYomTov,          // a festival day: work forbidden
  kKholHaMoed,      // the intermediate days, Hoshana Rabba included
  kFast,            // the minor fasts and Tisha BeAv
  kMinor,           // Khanukka, Purim, Tu beShvat, Lag BaOmer and the like
  kEve,             // the eve of a festival
  kIsruKhag,        // the day after a festival
  kCommemoration,   // the days of the State of Israel's calendar
  kSpecialShabbat,  // Shabbat HaGadol
};

// A day on which work is forbidden.
constexpr bool WorkForbidden(DayKind k) {
  return k == DayKind::kRoshHaShana || k == DayKind::kYomKippur || k == DayKind::kYomTov;
}
// Rosh HaShana and Yom Kippur.
constexpr bool HighHoliday(DayKind k) { return k == DayKind::kRoshHaShana || k == DayKind::kYomKippur; }
// A fast as it is kept.
constexpr bool FastKind(DayKind k) { return k == DayKind::kYomKippur || k == DayKind::kFast; }

// The background tint of a day cell. The eves and most minor days have none
// of their own (a Rosh Khodesh tint still shows).
enum class CellTint : uint8_t {
  kNone,
  kLightGreen,  // Khol HaMoed, Hoshana Rabba, Khanukka, Purim, Tu beShvat, Pesakh Sheni, Tu BeAv
  kLightBlue,   // the festival days
  kWhite,       // Yom Kippur
  kLightRed,    // the fasts of Gedalya, Ester and Tammuz
  kDarkRed,     // Tisha BeAv
};

// What a festival is where it is kept.
struct FestivalFacts {
  std::string_view name;  // English display name, also the translation key
  DayKind kind;
  CellTint tint;
  bool yizkor;  // Yizkor is said
};

struct FestivalRow {
  Festival id;
  // The name by which the halakha rules look the day up, or empty. The day
  // a key stands for is where the date rule puts it in the calendar, in
  // Israel too ("PESAKH_VIII" is 22 Nisan everywhere).
  std::string_view key;
  DateRule rule;
  int8_t day;
  int8_t month;
  int8_t diasporaDay;  // kIsraelDiaspora only
  int16_t firstYear;   // first Gregorian year shown, 0 for always
  FestivalFacts israel;
  FestivalFacts diaspora;
};

namespace calendar::detail {
// Indexed by holiday id.
extern const std::array<FestivalRow, kFestivalCount> kFestivalTable;
}  // namespace calendar::detail
