// Every time a day has for the user to light or fast by: the evening's
// candle lighting or havdalah (shabbat_times.h), and the times of special
// days, each a zmanim expression with a default that the user can replace:
//  - fast begins: on Tsom Gedalya, 10 Tevet, Taanit Ester and 17 Tammuz (on
//    the days they are kept) at alot haShakhar by the zmanim choice; Tisha
//    BeAv at sunset of the evening before; Yom Kippur at its eve's candle
//    lighting;
//  - fast ends: at nightfall (7.083 degrees); Yom Kippur at its havdalah;
//  - Khanukka candles on the eight evenings: Sunday..Thursday at nightfall,
//    Friday at the Shabbat candle lighting (the Khanukka lights first),
//    Saturday at havdalah;
//  - Erev Pesakh: the last time to eat khamets (end of the 4th proportional
//    hour) and to burn it (end of the 5th), by the GR"A or M"A choice for
//    kriat shema; when 14 Nisan is Shabbat the burning is on the Friday;
//  - Taanit Bekhorot: begins at dawn as the minor fasts; it ends with the
//    seder, so only the Thursday fast has "Fast ends" (at nightfall);
//  - the moments of the minor days: the window of Kiddush Levana (by the
//    style's custom), the tekufot, and the latest time of Birkat HaChama
//    (the end of the 3rd proportional hour by the kriat shema choice).
// A time belongs to the civil date on which it falls.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/minor_days.h"
#include "calendar/rules.h"
#include "calendar/types.h"
#include "suntimes/calc.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/zmanim.h"

enum class DayTimeKind : uint8_t {
  kCandles,
  kCandlesAfterNightfall,
  kHavdalah,
  kFastBegins,
  kFastEnds,
  kKhanukka,
  kKhametsEat,
  kKhametsBurn,
  kKiddushLevanaBegins,
  kKiddushLevanaEnds,
  kTekufa,
  kBirkatHaChama,
};

// Each kind: its name in lumaro-cli's output, the kind part of its
// iCalendar UID, and its English label (a translation key; the Khanukka
// labels are the formats below).
struct DayTimeKindRow {
  DayTimeKind kind;
  std::string_view name;
  std::string_view icsKind;
  std::string_view label;
};
inline constexpr DayTimeKindRow kDayTimeKinds[] = {
    {DayTimeKind::kCandles, "candles", "candle-lighting", "Candle Lighting"},
    {DayTimeKind::kCandlesAfterNightfall, "candles-after-nightfall", "candle-lighting",
     "Candle lighting after nightfall"},
    {DayTimeKind::kHavdalah, "havdalah", "havdalah", "Havdalah"},
    {DayTimeKind::kFastBegins, "fast-begins", "fast-begins", "Fast begins"},
    {DayTimeKind::kFastEnds, "fast-ends", "fast-ends", "Fast ends"},
    {DayTimeKind::kKhanukka, "khanukka", "khanukka", "Khanukka: %d candles"},
    {DayTimeKind::kKhametsEat, "khamets-eat", "khamets-eat", "Last time to eat khamets"},
    {DayTimeKind::kKhametsBurn, "khamets-burn", "khamets-burn", "Burn khamets"},
    {DayTimeKind::kKiddushLevanaBegins, "kiddush-levana-begins", "kiddush-levana-begins", "Kiddush Levana begins"},
    {DayTimeKind::kKiddushLevanaEnds, "kiddush-levana-ends", "kiddush-levana-ends", "Kiddush Levana ends"},
    {DayTimeKind::kTekufa, "tekufa", "tekufa", "Tekufa"},
    {DayTimeKind::kBirkatHaChama, "birkat-hachama", "birkat-hachama", "Latest time for Birkat HaChama"},
};
const DayTimeKindRow& DayTimeKindOf(DayTimeKind kind);

// The moments of the minor days have the names of their table.
constexpr bool SameName(DayTimeKind kind, MinorDay day) {
  for (const DayTimeKindRow& row : kDayTimeKinds)
    if (row.kind == kind) return row.name == MinorDayOf(day).name && row.icsKind == MinorDayOf(day).name;
  return false;
}
static_assert(SameName(DayTimeKind::kKiddushLevanaBegins, MinorDay::kKiddushLevanaBegins) &&
              SameName(DayTimeKind::kKiddushLevanaEnds, MinorDay::kKiddushLevanaEnds) &&
              SameName(DayTimeKind::kTekufa, MinorDay::kTekufa) &&
              SameName(DayTimeKind::kBirkatHaChama, MinorDay::kBirkatHaChama));

// The defaults of the special days' expressions that do not depend on the
// zmanim choices.
inline constexpr std::string_view kDefaultNightfall = "sunset + degrees_below_horizon(7.083)";
inline constexpr std::string_view kDefaultTishaBeAvBegins = "sunset";

// The expressions of the special days' times.
struct SpecialTimeExpressions {
  std::string fastBegins;       // the minor fasts, on the fast day
  std::string tishaBeAvBegins;  // on the evening before
  std::string fastEnds;
  std::string khanukka;  // Sunday..Thursday evenings
  std::string khametsEat;
  std::string khametsBurn;
  // Not a choice of its own: the end of the 3rd hour by the kriat shema opinion.
  std::string birkatHaChama;

  // The defaults: alot haShakhar and the 4th/5th hour by the zmanim
  // opinions, nightfall, sunset.
  static SpecialTimeExpressions Defaults(const ZmanimOpinions& opinions);
  // These expressions with every empty one replaced by its default.
  SpecialTimeExpressions WithDefaults(const ZmanimOpinions& opinions) const;
};

// One time of a day.
struct DayTime {
  DayTimeKind kind = DayTimeKind::kCandles;
  int candles = 0;             // kKhanukka: the lights of that evening, 1..8
  Season season = Season::kNisan;  // kTekufa: which one
  bool minorDay = false;       // a time of a minor day (Taanit Bekhorot, the moon, the sun)
  bool atEveningTime = false;  // the moment of the day's candle lighting or havdalah
  bool computed = false;       // false: the city is unknown, or the time does not exist that day
  ShabbatTimeValue time;       // when computed
};

// The translated label: "Fast begins", "Khanukka: 3 candles", "Tekufat Tevet" ...
std::string DayTimeLabel(const DayTime& t);
// The same for a "<label>: <time>" list, without a ": " of its own
// ("Khanukka, 3 candles").
std::string DayTimeListLabel(const DayTime& t);

// The times of many days for one place, one clock and one set of
// expressions (each read once, when a day first needs it).
class DayTimes {
 public:
  // `style` (1 Sephardic, 2 Ashkenazi) decides the window of Kiddush Levana.
  DayTimes(EveningTimes evenings, SpecialTimeExpressions expressions, int style);

  // The times of day d that it has, computed or not, in order of the day:
  // by the moment where computed (a tie keeps the Khanukka lights before
  // the Shabbat candles and after havdalah), those not computed last.
  std::vector<DayTime> Of(AbsoluteDay d) const;
  const EveningTimes& evenings() const { return evenings_; }

  // The first and the last evening of the Kiddush Levana of the Hebrew month
  // of d + 1 at this place: the first whose night (nightfall to dawn, by the
  // fast's expressions; local midnight where the sun gives neither) still
  // has time after the window opens, the last whose nightfall comes before
  // it closes; and the tekufa of day d there. Nothing when the city is unknown.
  PlaceMoments PlaceMomentsOf(AbsoluteDay d) const;

 private:
  // The expressions, in the order of SpecialTimeExpressions.
  enum Slot : size_t {
    kFastBeginsSlot,
    kTishaBeAvSlot,
    kFastEndsSlot,
    kKhanukkaSlot,
    kEatSlot,
    kBurnSlot,
    kBirkatHaChamaSlot,
    kSlots
  };
  // A special time from its expression.
  DayTime Special(AbsoluteDay d, DayTimeKind kind, Slot slot) const;
  const ZmanimProgram& Program(Slot slot) const;
  // The moments of the minor days that fall on d.
  void AddMoments(AbsoluteDay d, std::vector<DayTime>* times) const;
  // The UTC moment of the dawn (kFastBeginsSlot) or nightfall (kFastEndsSlot)
  // of d; where the sun gives none, the midnight that begins d or ends it.
  int64_t NightEdge(AbsoluteDay d, Slot slot, int zoneHours) const;

  EveningTimes evenings_;
  SpecialTimeExpressions expressions_;
  int style_;
  mutable std::array<std::optional<ZmanimProgram>, kSlots> programs_;
};

// True for the kinds that are not the evening's candle lighting or havdalah.
constexpr bool IsSpecialDayTime(DayTimeKind k) {
  return k != DayTimeKind::kCandles && k != DayTimeKind::kCandlesAfterNightfall && k != DayTimeKind::kHavdalah;
}
