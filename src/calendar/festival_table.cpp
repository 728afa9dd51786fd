// The festival table. Row index = holiday id. Each row notes its date in
// 5785 (or 5784 for the leap-year days) as an example.
#include "calendar/festival_table.h"

#include "calendar/types.h"

namespace calendar::detail {

namespace {

using R = DateRule;
using K = DayKind;
using T = CellTint;

constexpr FestivalFacts Facts(std::string_view name, DayKind kind, CellTint tint, bool yizkor = false) {
  return {name, kind, tint, yizkor};
}
// The same day everywhere.
constexpr FestivalRow Row(Festival id, std::string_view key, DateRule rule, int day, int month,
                          const FestivalFacts& facts, int firstYear = 0) {
  return {id, key, rule, static_cast<int8_t>(day), static_cast<int8_t>(month), 0, static_cast<int16_t>(firstYear),
          facts, facts};
}
// A day that Israel and the Diaspora keep differently.
constexpr FestivalRow Row2(Festival id, std::string_view key, DateRule rule, int day, int month,
                           const FestivalFacts& israel, const FestivalFacts& diaspora, int diasporaDay = 0) {
  return {id,     key,     rule, static_cast<int8_t>(day), static_cast<int8_t>(month), static_cast<int8_t>(diasporaDay),
          0,      israel, diaspora};
}
// A second festival day of the Diaspora: in Israel it is not a day of its own.
constexpr FestivalFacts NotInIsrael(std::string_view name) { return Facts(name, K::kNone, T::kNone); }

constexpr FestivalFacts kKholHaMoed = Facts("Khol HaMoed", K::kKholHaMoed, T::kLightGreen);
constexpr FestivalFacts kIsruKhag = Facts("Isru Khag", K::kIsruKhag, T::kNone);
constexpr FestivalFacts Eve(std::string_view name) { return Facts(name, K::kEve, T::kNone); }
constexpr FestivalFacts Khanukka(std::string_view name) { return Facts(name, K::kMinor, T::kLightGreen); }
constexpr FestivalFacts Festive(std::string_view name, bool yizkor = false) {
  return Facts(name, K::kYomTov, T::kLightBlue, yizkor);
}

constexpr std::array<FestivalRow, kFestivalCount> kRows = {{
    // 0: 3 Oct 2024
    Row(Festival::kRoshHaShanaI, "ROSH_HASHANA_I", R::kFixed, 1, kTishri,
        Facts("Rosh HaShana I", K::kRoshHaShana, T::kLightBlue)),
    // 1: 12 Oct 2024
    Row(Festival::kYomKippur, "YOM_KIPPUR", R::kFixed, 10, kTishri,
        Facts("Yom Kippur", K::kYomKippur, T::kWhite, true)),
    // 2: 17 Oct 2024
    Row2(Festival::kSukkotI, "SUKKOT_I", R::kFixed, 15, kTishri, Festive("Sukkot"),
         Festive("Sukkot I")),
    // 3: 18 Oct 2024
    Row2(Festival::kSukkotII, "SUKKOT_II", R::kFixed, 16, kTishri, kKholHaMoed, Festive("Sukkot II")),
    Row(Festival::kSukkotIII, "", R::kFixed, 17, kTishri, kKholHaMoed),           // 4: 19 Oct 2024
    Row(Festival::kSukkotIV, "", R::kFixed, 18, kTishri, kKholHaMoed),            // 5: 20 Oct 2024
    Row(Festival::kSukkotV, "", R::kFixed, 19, kTishri, kKholHaMoed),             // 6: 21 Oct 2024
    Row(Festival::kSukkotVI, "SUKKOT_VI", R::kFixed, 20, kTishri, kKholHaMoed),   // 7: 22 Oct 2024
    // 8: 23 Oct 2024
    Row(Festival::kHoshanaRabba, "SUKKOT_VII", R::kFixed, 21, kTishri,
        Facts("Hoshana Rabba", K::kKholHaMoed, T::kLightGreen)),
    // 9: 24 Oct 2024
    Row2(Festival::kSheminiAtseret, "SHEMINI_ATSERES_I", R::kFixed, 22, kTishri,
         Festive("Shemini Atseret/Simkhat Tora", true), Festive("Shemini Atseret", true)),
    // 10: 25 Oct 2024
    Row2(Festival::kSimkhatTora, "SHEMINI_ATSERES_II", R::kDiasporaOnly, 23, kTishri, NotInIsrael("Simkhat Tora"),
         Festive("Simkhat Tora")),
    // 11: 13 Apr 2025
    Row2(Festival::kPesakhI, "PESAKH_I", R::kFixed, 15, kNisan, Festive("Pesakh I"),
         Festive("Pesakh I")),
    // 12: 14 Apr 2025
    Row2(Festival::kPesakhII, "PESAKH_II", R::kFixed, 16, kNisan, kKholHaMoed, Festive("Pesakh II")),
    Row(Festival::kPesakhIII, "", R::kFixed, 17, kNisan, kKholHaMoed),  // 13: 15 Apr 2025
    Row(Festival::kPesakhIV, "", R::kFixed, 18, kNisan, kKholHaMoed),   // 14: 16 Apr 2025
    Row(Festival::kPesakhV, "", R::kFixed, 19, kNisan, kKholHaMoed),    // 15: 17 Apr 2025
    Row(Festival::kPesakhVI, "", R::kFixed, 20, kNisan, kKholHaMoed),   // 16: 18 Apr 2025
    // 17: 19 Apr 2025
    Row2(Festival::kPesakhVII, "PESAKH_VII", R::kFixed, 21, kNisan, Festive("Pesakh VII", true),
         Festive("Pesakh VII")),
    Row(Festival::kKhanukkaI, "KHANNUKA_I", R::kKhanukka, 1, kKislev, Khanukka("Khanukka I")),  // 18: 26 Dec 2024
    Row(Festival::kKhanukkaII, "", R::kKhanukka, 2, kKislev, Khanukka("Khanukka II")),         // 19: 27 Dec 2024
    Row(Festival::kKhanukkaIII, "", R::kKhanukka, 3, kKislev, Khanukka("Khanukka III")),       // 20: 28 Dec 2024
    Row(Festival::kKhanukkaIV, "", R::kKhanukka, 4, kKislev, Khanukka("Khanukka IV")),         // 21: 29 Dec 2024
    Row(Festival::kKhanukkaV, "", R::kKhanukka, 5, kKislev, Khanukka("Khanukka V")),           // 22: 30 Dec 2024
    Row(Festival::kKhanukkaVI, "", R::kKhanukka, 6, kKislev, Khanukka("Khanukka VI")),         // 23: 31 Dec 2024 (30 Kislev)
    Row(Festival::kKhanukkaVII, "KHANNUKA_VII", R::kKhanukka, 7, kKislev,
        Khanukka("Khanukka VII")),                                                          // 24: 1 Jan 2025 (1 Tevet)
    Row(Festival::kKhanukkaVIII, "", R::kKhanukka, 8, kKislev, Khanukka("Khanukka VIII")),     // 25: 2 Jan 2025 (2 Tevet)
    // 26: 2 Jun 2025
    Row2(Festival::kShavuotI, "SHAVUOT_I", R::kFixed, 6, kSivan, Festive("Shavuot", true),
         Festive("Shavuot I")),
    // 27: 13 Feb 2025
    Row(Festival::kTuBeShvat, "", R::kFixed, 15, kShevat, Facts("Tu beShvat", K::kMinor, T::kLightGreen)),
    // 28: 14 Mar 2025
    Row(Festival::kPurim, "PURIM", R::kAdarLast, 14, kAdar, Facts("Purim", K::kMinor, T::kLightGreen)),
    // 29: 13 Mar 2025
    Row(Festival::kTaanitEster, "TAANIT_ESTHER", R::kTaanitEster, 13, kAdar,
        Facts("Taanit Ester", K::kFast, T::kLightRed)),
    // 30: 3 Aug 2025 (9 Av is a Shabbat)
    Row(Festival::kTishaBeAv, "TISHA_BEAV", R::kFastOffShabbat, 9, kAv, Facts("Tisha BeAv", K::kFast, T::kDarkRed)),
    // 31: 6 Oct 2024 (4 Tishri)
    Row(Festival::kTsomGedalya, "TZOM_GEDALIA", R::kFastOffShabbat, 3, kTishri,
        Facts("Tsom Gedalya", K::kFast, T::kLightRed)),
    // 32: 10 Jan 2025; the cell keeps its colour
    Row(Festival::kTsomTevet, "TZOM_TEVET", R::kFastOffShabbat, 10, kTevet, Facts("Tsom Tevet", K::kFast, T::kNone)),
    // 33: 13 Jul 2025 (18 Tammuz)
    Row(Festival::kTsomTammuz, "TZOM_TAMMUZ", R::kFastOffShabbat, 17, kTammuz,
        Facts("Tsom Tammuz", K::kFast, T::kLightRed)),
    // 34: 16 Mar 2025 when postponed
    Row(Festival::kShushanPurim, "", R::kShushanPurim, 15, kAdar, Facts("Shushan Purim", K::kMinor, T::kNone)),
    // 35: 16 May 2025
    Row(Festival::kLagBaOmer, "", R::kFixed, 18, kIyar, Facts("Lag BeOmer", K::kMinor, T::kNone)),
    // 36: 24 Apr 2025 (26 Nisan)
    Row(Festival::kYomHaShoa, "", R::kYomHaShoa, 27, kNisan, Facts("Yom HaShoa", K::kCommemoration, T::kNone), 1951),
    // 37: 1 May 2025 (3 Iyar)
    Row(Festival::kYomHaAtsmaut, "", R::kYomHaAtsmaut, 5, kIyar, Facts("Yom HaAtsmaut", K::kCommemoration, T::kNone),
        1949),
    // 38: 26 May 2025
    Row(Festival::kYomYerushalayim, "", R::kFixed, 28, kIyar,
        Facts("Yom Yerushalayim", K::kCommemoration, T::kNone), 1969),
    // 39: 3 Jun 2025
    Row2(Festival::kShavuotII, "SHAVUOT_II", R::kDiasporaOnly, 7, kSivan, NotInIsrael("Shavuot II"),
         Festive("Shavuot II", true)),
    // 40: 20 Apr 2025
    Row2(Festival::kPesakhVIII, "PESAKH_VIII", R::kDiasporaOnly, 22, kNisan, NotInIsrael("Pesakh VIII"),
         Festive("Pesakh VIII", true)),
    // 41: 12 Apr 2025
    Row(Festival::kShabbatHaGadol, "", R::kShabbatHaGadol, 15, kNisan,
        Facts("Shabbat HaGadol", K::kSpecialShabbat, T::kNone)),
    // 42: 4 Oct 2024
    Row(Festival::kRoshHaShanaII, "ROSH_HASHANA_II", R::kFixed, 2, kTishri,
        Facts("Rosh HaShana II", K::kRoshHaShana, T::kLightBlue)),
    // 43: 30 Apr 2025 (2 Iyar)
    Row(Festival::kYomHaZikaron, "", R::kYomHaZikaron, 4, kIyar, Facts("Yom HaZikaron", K::kCommemoration, T::kNone),
        1949),
    // 44: 23 Feb 2024
    Row(Festival::kPurimKatan, "", R::kAdarFirst, 14, kAdar, Facts("Purim Katan", K::kMinor, T::kNone)),
    // 45: 24 Feb 2024
    Row(Festival::kShushanPurimKatan, "", R::kAdarFirst, 15, kAdar, Facts("Shushan Purim Katan", K::kMinor, T::kNone)),
    Row(Festival::kErevRoshHaShana, "", R::kFixed, 29, kElul, Eve("Erev Rosh HaShana")),  // 46: 22 Sep 2025
    Row(Festival::kErevYomKippur, "", R::kFixed, 9, kTishri, Eve("Erev Yom Kippur")),     // 47: 11 Oct 2024
    Row(Festival::kErevSukkot, "", R::kFixed, 14, kTishri, Eve("Erev Sukkot")),           // 48: 16 Oct 2024
    Row2(Festival::kIsruKhagSukkot, "", R::kIsraelDiaspora, 23, kTishri, kIsruKhag, kIsruKhag,
         24),                                                                      // 49: 25 / 26 Oct 2024
    Row(Festival::kErevPesakh, "", R::kFixed, 14, kNisan, Eve("Erev Pesakh")),     // 50: 12 Apr 2025
    Row2(Festival::kIsruKhagPesakh, "", R::kIsraelDiaspora, 22, kNisan, kIsruKhag, kIsruKhag,
         23),                                                                      // 51: 20 / 21 Apr 2025
    Row(Festival::kErevShavuot, "", R::kFixed, 5, kSivan, Eve("Erev Shavuot")),    // 52: 1 Jun 2025
    Row2(Festival::kIsruKhagShavuot, "", R::kIsraelDiaspora, 7, kSivan, kIsruKhag, kIsruKhag,
         8),                                                                       // 53: 3 / 4 Jun 2025
    // 54: 12 May 2025
    Row(Festival::kPesakhSheni, "", R::kFixed, 14, kIyar, Facts("Pesakh Sheni", K::kMinor, T::kLightGreen)),
    // 55: 9 Aug 2025
    Row(Festival::kTuBeAv, "", R::kFixed, 15, kAv, Facts("Tu BeAv", K::kMinor, T::kLightGreen)),
}};

// The row of each id is the id's own.
constexpr bool RowsInIdOrder() {
  for (int i = 0; i < kFestivalCount; ++i)
    if (IdOf(kRows[static_cast<size_t>(i)].id) != i) return false;
  return true;
}
static_assert(RowsInIdOrder());

// Every key names a day that is in the calendar in Israel and the Diaspora
// alike, so the day a key stands for needs no Israel/Diaspora choice.
constexpr bool KeysHaveOneDate() {
  for (const FestivalRow& row : kRows) {
    if (row.key.empty()) continue;
    if (row.rule == R::kIsraelDiaspora || row.rule == R::kShushanPurim || row.rule == R::kAdarFirst) return false;
  }
  return true;
}
static_assert(KeysHaveOneDate());

}  // namespace

const std::array<FestivalRow, kFestivalCount> kFestivalTable = kRows;

}  // namespace calendar::detail
