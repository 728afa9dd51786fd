#include "suntimes/shabbat_times.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "calendar/calendar.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/timeformat.h"
#include "suntimes/timezone.h"

namespace {

// A festival day of the Hebrew calendar and the time its evening shows.
struct HolidayTimeRow {
  int day;
  int month;
  HolidayTime time;
  bool diasporaOnly;
};

// Consulted only for Sunday..Thursday; a Friday or Saturday gets its own time.
constexpr std::array<HolidayTimeRow, 13> kHolidayTimes = {{
    {29, kElul, HolidayTime::kCandleLighting, false},                 // eve of Rosh Hashana (29 Elul 5785: 22.9.2025)
    {9, kTishri, HolidayTime::kCandleLighting, false},                // eve of Yom Kippur
    {10, kTishri, HolidayTime::kHavdalah, false},                     // end of Yom Kippur
    {14, kTishri, HolidayTime::kCandleLighting, false},               // eve of Sukkot
    {15, kTishri, HolidayTime::kCandleLightingAfterNightfall, true},  // second day of Sukkot
    {21, kTishri, HolidayTime::kCandleLighting, false},               // eve of Shemini Atzeret (Hoshana Rabba)
    {22, kTishri, HolidayTime::kCandleLightingAfterNightfall, true},  // Simkhat Torah
    {14, kNisan, HolidayTime::kCandleLighting, false},                // eve of Pesakh (14 Nisan 5785: 12.4.2025)
    {15, kNisan, HolidayTime::kCandleLightingAfterNightfall, true},   // second day of Pesakh
    {20, kNisan, HolidayTime::kCandleLighting, false},                // eve of the seventh day of Pesakh
    {21, kNisan, HolidayTime::kCandleLightingAfterNightfall, true},   // last day of Pesakh
    {5, kSivan, HolidayTime::kCandleLighting, false},                 // eve of Shavuot
    {6, kSivan, HolidayTime::kCandleLightingAfterNightfall, true},    // second day of Shavuot
}};

// atoi of a settings text, clamped to the int range instead of overflowing:
// leading blanks, an optional sign and digits; anything else gives 0.
int AtoiClamped(const std::string& text) {
  errno = 0;
  const long v = std::strtol(text.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

void SetFlag(int* flag, int value) {
  if (flag) *flag = value;
}

}  // namespace

std::string ShabbatCandleLightingExpression() { return "sunset - " + std::to_string(getCandleLightingMin()); }

std::string ShabbatHavdalahExpression() {
  if (getHavdalahIsMin()) return "sunset + " + std::to_string(AtoiClamped(getHavdalahValue()));
  return "sunset + degrees_below_horizon(" + getHavdalahValue() + ")";
}

HolidayTime GetHolidayTimeKind(const HebrewDate& date, bool diaspora) {
  for (const HolidayTimeRow& row : kHolidayTimes) {
    if (row.day == date.day && row.month == date.month && (diaspora || !row.diasporaOnly)) return row.time;
  }
  return HolidayTime::kNone;
}

void GetTimeOfHoliday(AbsoluteDay day, std::string* expression, std::string_view candleExpression,
                      std::string_view havdalahExpression) {
  switch (GetHolidayTimeKind(HebrewFromAbsolute(day), diasporaGetFlag() != 0)) {
    case HolidayTime::kCandleLighting:
      *expression = candleExpression;
      break;
    case HolidayTime::kCandleLightingAfterNightfall:
    case HolidayTime::kHavdalah:
      *expression = havdalahExpression;
      break;
    case HolidayTime::kNone:
      break;
  }
}

bool GetShabbatTimeValue(AbsoluteDay day, const std::string& cityFile, std::string_view city,
                         const DstSetting* rule, bool automaticZone, std::string_view candleExpression,
                         std::string_view havdalahExpression, ShabbatTimeValue* value) {
  *value = ShabbatTimeValue{};

  // Which time the day gets and the expression that computes it.
  HolidayTime kind = HolidayTime::kNone;
  const int weekday = WeekdayOf(day);
  if (weekday == kFriday) {
    kind = HolidayTime::kCandleLighting;
  } else if (weekday == kShabbat) {
    kind = HolidayTime::kHavdalah;
  } else {
    kind = GetHolidayTimeKind(HebrewFromAbsolute(day), diasporaGetFlag() != 0);
  }
  std::string_view expression;
  switch (kind) {
    case HolidayTime::kNone:
      return false;
    case HolidayTime::kCandleLighting:
      expression = candleExpression;
      value->isCandleLighting = 1;
      break;
    case HolidayTime::kCandleLightingAfterNightfall:
      expression = havdalahExpression;
      value->isCandleLighting = 1;
      break;
    case HolidayTime::kHavdalah:
      expression = havdalahExpression;
      value->isHavdalah = 1;
      break;
  }

  CityRec place;
  if (!CityGet(cityFile, city, &place)) return false;
  const GregorianDate g = GregorianFromAbsolute(day);
  const CityClock clock(place, g, rule, automaticZone);
  const int t = CalculateZmanim(place.latitude, place.longitude, clock.zoneHours(), g.day, g.month, g.year, expression);
  if (t == kNoTime) return false;
  int hour = 0, minute = 0;
  if (!clock.Show(t, &hour, &minute)) return false;
  value->standardMinutes = t;
  value->gmtOffset = clock.zoneHours();
  value->hour = hour;
  value->minute = minute;
  return true;
}

bool GetShabbatTimeValue(AbsoluteDay day, ShabbatTimeValue* value) {
  const DstSetting dst = getDSTstruct();
  return GetShabbatTimeValue(day, getCityFileName(), getCity(), getIsDST() ? &dst : nullptr, getDSTAutomatic() != 0,
                             ShabbatCandleLightingExpression(), ShabbatHavdalahExpression(), value);
}

void GetShabbatTime2(AbsoluteDay day, std::string* text, const std::string& cityFile, std::string_view city,
                     const DstSetting* rule, bool automaticZone, std::string_view candleExpression,
                     std::string_view havdalahExpression, int* isCandleLighting, int* isHavdalah) {
  text->clear();
  ShabbatTimeValue value;
  const bool shown = GetShabbatTimeValue(day, cityFile, city, rule, automaticZone, candleExpression,
                                         havdalahExpression, &value);
  SetFlag(isCandleLighting, value.isCandleLighting);
  SetFlag(isHavdalah, value.isHavdalah);
  if (shown) TimeformatFormatTime(value.hour, value.minute, text);
}

void GetShabbatTime(AbsoluteDay day, std::string* text, int* isCandleLighting, int* isHavdalah) {
  const DstSetting dst = getDSTstruct();
  GetShabbatTime2(day, text, getCityFileName(), getCity(), getIsDST() ? &dst : nullptr, getDSTAutomatic() != 0,
                  ShabbatCandleLightingExpression(), ShabbatHavdalahExpression(), isCandleLighting, isHavdalah);
}
