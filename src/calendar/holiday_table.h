// The rows of the holiday table: names and the kind of rule that dates each
// holiday. The rules themselves live in holidays.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace calendar::detail {

// How a holiday's date in a Hebrew year is found.
enum class HolidayRule : uint8_t {
  kFixed,             // day, month every year
  kDiasporaOnly,      // day, month in the Diaspora; no such day in Israel
  kIsraelDiaspora,    // day, month in Israel; diasporaDay, month in the Diaspora
  kKhanukka,          // day of Kislev, counted on into Tevet after a short Kislev
  kAdarLast,          // day of Adar II in a leap year, of Adar otherwise
  kAdarFirst,         // day of Adar I in a leap year; of month 13 (no such day) otherwise
  kTaanitEster,       // the day before Purim, or the Thursday before a Sunday Purim
  kFastOffShabbat,    // day, month; a fast on Shabbat is kept on the Sunday
  kShushanPurim,      // 15 Adar*; off Shabbat to Sunday only when that setting is on
  kYomHaShoa,         // 27 Nisan, moved off Friday and (later years) Sunday
  kYomHaAtsmaut,      // 5 Iyar, moved off Friday/Shabbat and (later years) Monday
  kYomHaZikaron,      // 4 Iyar, the day before Yom HaAtsmaut
  kShabbatHaGadol,    // the last Shabbat before 15 Nisan
};

struct HolidayRow {
  std::string_view israelName;
  std::string_view diasporaName;
  HolidayRule rule;
  int8_t day;
  int8_t month;
  int8_t diasporaDay;  // kIsraelDiaspora only
  int16_t firstYear;   // first Gregorian year shown, 0 for always
};

inline constexpr int kHolidayRows = 56;

// Indexed by holiday id.
extern const std::array<HolidayRow, kHolidayRows> kHolidayTable;

}  // namespace calendar::detail
