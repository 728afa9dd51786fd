// The holiday table. Row index = holiday id; ids are stable because the
// readings tables and the day cells refer to them. Each row notes its date
// in 5785 (or 5784 for the leap-year days) as an example.
#include "calendar/holiday_table.h"

#include "calendar/types.h"

namespace calendar::detail {

namespace {

using R = HolidayRule;

constexpr HolidayRow Fixed(std::string_view name, int day, int month, int firstYear = 0) {
  return {name, name, R::kFixed, static_cast<int8_t>(day), static_cast<int8_t>(month), 0,
          static_cast<int16_t>(firstYear)};
}
constexpr HolidayRow Named(std::string_view israel, std::string_view diaspora, int day, int month) {
  return {israel, diaspora, R::kFixed, static_cast<int8_t>(day), static_cast<int8_t>(month), 0, 0};
}
constexpr HolidayRow DiasporaOnly(std::string_view name, int day, int month) {
  return {name, name, R::kDiasporaOnly, static_cast<int8_t>(day), static_cast<int8_t>(month), 0, 0};
}
constexpr HolidayRow IsraelDiaspora(std::string_view name, int israelDay, int diasporaDay, int month) {
  return {name, name, R::kIsraelDiaspora, static_cast<int8_t>(israelDay), static_cast<int8_t>(month),
          static_cast<int8_t>(diasporaDay), 0};
}
constexpr HolidayRow Ruled(std::string_view name, HolidayRule rule, int day, int month, int firstYear = 0) {
  return {name, name, rule, static_cast<int8_t>(day), static_cast<int8_t>(month), 0,
          static_cast<int16_t>(firstYear)};
}

}  // namespace

const std::array<HolidayRow, kHolidayRows> kHolidayTable = {{
    Fixed("Rosh HaShana I", 1, kTishri),                                       // 0: 3 Oct 2024
    Fixed("Yom Kippur", 10, kTishri),                                          // 1: 12 Oct 2024
    Named("Sukkot", "Sukkot I", 15, kTishri),                                  // 2: 17 Oct 2024
    Named("Khol HaMoed", "Sukkot II", 16, kTishri),                            // 3: 18 Oct 2024
    Fixed("Khol HaMoed", 17, kTishri),                                         // 4: 19 Oct 2024
    Fixed("Khol HaMoed", 18, kTishri),                                         // 5: 20 Oct 2024
    Fixed("Khol HaMoed", 19, kTishri),                                         // 6: 21 Oct 2024
    Fixed("Khol HaMoed", 20, kTishri),                                         // 7: 22 Oct 2024
    Fixed("Hoshana Rabba", 21, kTishri),                                       // 8: 23 Oct 2024
    Named("Shemini Atseret/Simkhat Tora", "Shemini Atseret", 22, kTishri),     // 9: 24 Oct 2024
    DiasporaOnly("Simkhat Tora", 23, kTishri),                                 // 10: 25 Oct 2024
    Fixed("Pesakh I", 15, kNisan),                                             // 11: 13 Apr 2025
    Named("Khol HaMoed", "Pesakh II", 16, kNisan),                             // 12: 14 Apr 2025
    Fixed("Khol HaMoed", 17, kNisan),                                          // 13: 15 Apr 2025
    Fixed("Khol HaMoed", 18, kNisan),                                          // 14: 16 Apr 2025
    Fixed("Khol HaMoed", 19, kNisan),                                          // 15: 17 Apr 2025
    Fixed("Khol HaMoed", 20, kNisan),                                          // 16: 18 Apr 2025
    Fixed("Pesakh VII", 21, kNisan),                                           // 17: 19 Apr 2025
    Ruled("Khanukka I", R::kKhanukka, 25, kKislev),                            // 18: 26 Dec 2024
    Ruled("Khanukka II", R::kKhanukka, 26, kKislev),                           // 19: 27 Dec 2024
    Ruled("Khanukka III", R::kKhanukka, 27, kKislev),                          // 20: 28 Dec 2024
    Ruled("Khanukka IV", R::kKhanukka, 28, kKislev),                           // 21: 29 Dec 2024
    Ruled("Khanukka V", R::kKhanukka, 29, kKislev),                            // 22: 30 Dec 2024
    Ruled("Khanukka VI", R::kKhanukka, 30, kKislev),                           // 23: 31 Dec 2024 (30 Kislev)
    Ruled("Khanukka VII", R::kKhanukka, 31, kKislev),                          // 24: 1 Jan 2025 (1 Tevet)
    Ruled("Khanukka VIII", R::kKhanukka, 32, kKislev),                         // 25: 2 Jan 2025 (2 Tevet)
    Named("Shavuot", "Shavuot I", 6, kSivan),                                  // 26: 2 Jun 2025
    Fixed("Tu beShvat", 15, kShevat),                                          // 27: 13 Feb 2025
    Ruled("Purim", R::kAdarLast, 14, kAdar),                                   // 28: 14 Mar 2025
    Ruled("Taanit Ester", R::kTaanitEster, 13, kAdar),                         // 29: 13 Mar 2025
    Ruled("Tisha BeAv", R::kFastOffShabbat, 9, kAv),                           // 30: 3 Aug 2025
    Ruled("Tsom Gedalya", R::kFastOffShabbat, 3, kTishri),                     // 31: 6 Oct 2024 (4 Tishri)
    Ruled("Tsom Tevet", R::kFastOffShabbat, 10, kTevet),                       // 32: 10 Jan 2025
    Ruled("Tsom Tammuz", R::kFastOffShabbat, 17, kTammuz),                     // 33: 13 Jul 2025 (18 Tammuz)
    Ruled("Shushan Purim", R::kShushanPurim, 15, kAdar),                       // 34: 16 Mar 2025 when postponed
    Fixed("Lag BeOmer", 18, kIyar),                                            // 35: 16 May 2025
    Ruled("Yom HaShoa", R::kYomHaShoa, 27, kNisan, 1951),                      // 36: 24 Apr 2025 (26 Nisan)
    Ruled("Yom HaAtsmaut", R::kYomHaAtsmaut, 5, kIyar, 1949),                  // 37: 1 May 2025 (3 Iyar)
    Fixed("Yom Yerushalayim", 28, kIyar, 1969),                                // 38: 26 May 2025
    DiasporaOnly("Shavuot II", 7, kSivan),                                     // 39: 3 Jun 2025
    DiasporaOnly("Pesakh VIII", 22, kNisan),                                   // 40: 20 Apr 2025
    Ruled("Shabbat HaGadol", R::kShabbatHaGadol, 15, kNisan),                  // 41: 12 Apr 2025
    Fixed("Rosh HaShana II", 2, kTishri),                                      // 42: 4 Oct 2024
    Ruled("Yom HaZikaron", R::kYomHaZikaron, 4, kIyar, 1949),                  // 43: 30 Apr 2025 (2 Iyar)
    Ruled("Purim Katan", R::kAdarFirst, 14, kAdar),                            // 44: 23 Feb 2024
    Ruled("Shushan Purim Katan", R::kAdarFirst, 15, kAdar),                    // 45: 24 Feb 2024
    Fixed("Erev Rosh HaShana", 29, kElul),                                     // 46: 22 Sep 2025
    Fixed("Erev Yom Kippur", 9, kTishri),                                      // 47: 11 Oct 2024
    Fixed("Erev Sukkot", 14, kTishri),                                         // 48: 16 Oct 2024
    IsraelDiaspora("Isru Khag", 23, 24, kTishri),                              // 49: 25 / 26 Oct 2024
    Fixed("Erev Pesakh", 14, kNisan),                                          // 50: 12 Apr 2025
    IsraelDiaspora("Isru Khag", 22, 23, kNisan),                               // 51: 20 / 21 Apr 2025
    Fixed("Erev Shavuot", 5, kSivan),                                          // 52: 1 Jun 2025
    IsraelDiaspora("Isru Khag", 7, 8, kSivan),                                 // 53: 3 / 4 Jun 2025
    Fixed("Pesakh Sheni", 14, kIyar),                                          // 54: 12 May 2025
    Fixed("Tu BeAv", 15, kAv),                                                 // 55: 9 Aug 2025
}};

}  // namespace calendar::detail
