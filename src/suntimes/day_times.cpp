#include "suntimes/day_times.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "suntimes/zmanim.h"

namespace {

constexpr size_t kAlot = ZmanimRecIndex("AlotHaShachar");
constexpr size_t kKriatShema = ZmanimRecIndex("KriatShema");
constexpr size_t kFourthHour = ZmanimRecIndex("Tefila");
static_assert(kAlot < ZmanimRecs.size() && kKriatShema < ZmanimRecs.size() && kFourthHour < ZmanimRecs.size());
static_assert(ZmanimKriatShema.size() == ZmanimFifthHour.size() && ZmanimKriatShema.size() == ZmanimTefila.size());

std::string OrDefault(std::string stored, std::string_view fallback) {
  return stored.empty() ? std::string(fallback) : stored;
}

DayTimeKind KindOfEvening(EveningTime e) {
  switch (e) {
    case EveningTime::kCandleLightingAfterNightfall: return DayTimeKind::kCandlesAfterNightfall;
    case EveningTime::kHavdalah: return DayTimeKind::kHavdalah;
    case EveningTime::kCandleLighting:
    case EveningTime::kNone: break;
  }
  return DayTimeKind::kCandles;
}

}  // namespace

const DayTimeKindRow& DayTimeKindOf(DayTimeKind kind) {
  for (const DayTimeKindRow& row : kDayTimeKinds)
    if (row.kind == kind) return row;
  return kDayTimeKinds[0];  // every kind has its row
}

SpecialTimeExpressions SpecialTimeExpressions::Defaults(const ZmanimOpinions& opinions) {
  SpecialTimeExpressions e;
  e.fastBegins = std::string(opinions.Expression(ZmanimRecs[kAlot]));
  e.tishaBeAvBegins = std::string(kDefaultTishaBeAvBegins);
  e.fastEnds = std::string(kDefaultNightfall);
  e.khanukka = std::string(kDefaultNightfall);
  // The opinion chosen for kriat shema decides the hours of khamets.
  const size_t opinion = opinions.Of(ZmanimRecs[kKriatShema]);
  e.khametsEat = std::string(ZmanimRecs[kFourthHour].options[opinion].expression);
  e.khametsBurn = std::string(ZmanimFifthHour[opinion].expression);
  e.birkatHaChama = std::string(ZmanimRecs[kKriatShema].options[opinion].expression);
  return e;
}

SpecialTimeExpressions SpecialTimeExpressions::WithDefaults(const ZmanimOpinions& opinions) const {
  const SpecialTimeExpressions d = Defaults(opinions);
  SpecialTimeExpressions e;
  e.fastBegins = OrDefault(fastBegins, d.fastBegins);
  e.tishaBeAvBegins = OrDefault(tishaBeAvBegins, d.tishaBeAvBegins);
  e.fastEnds = OrDefault(fastEnds, d.fastEnds);
  e.khanukka = OrDefault(khanukka, d.khanukka);
  e.khametsEat = OrDefault(khametsEat, d.khametsEat);
  e.khametsBurn = OrDefault(khametsBurn, d.khametsBurn);
  e.birkatHaChama = OrDefault(birkatHaChama, d.birkatHaChama);
  return e;
}

std::string DayTimeLabel(const DayTime& t) {
  if (t.kind == DayTimeKind::kKhanukka) {
    if (t.candles == 1) return translate_perform("Khanukka: 1 candle");
    return FormatText(translate_perform("Khanukka: %d candles"), {t.candles});
  }
  if (t.kind == DayTimeKind::kTekufa) return translate_perform(TekufaName(t.season));
  const DayTimeKindRow& row = DayTimeKindOf(t.kind);
  return translate_perform(row.label);
}

std::string DayTimeListLabel(const DayTime& t) {
  if (t.kind == DayTimeKind::kKhanukka) {
    if (t.candles == 1) return translate_perform("Khanukka, 1 candle");
    return FormatText(translate_perform("Khanukka, %d candles"), {t.candles});
  }
  return DayTimeLabel(t);
}

DayTimes::DayTimes(EveningTimes evenings, SpecialTimeExpressions expressions, int style)
    : evenings_(std::move(evenings)), expressions_(std::move(expressions)), style_(style) {}


const ZmanimProgram& DayTimes::Program(Slot slot) const {
  std::optional<ZmanimProgram>& program = programs_[slot];
  if (!program) {
    const std::string* texts[kSlots] = {&expressions_.fastBegins,  &expressions_.tishaBeAvBegins,
                                        &expressions_.fastEnds,    &expressions_.khanukka,
                                        &expressions_.khametsEat,  &expressions_.khametsBurn,
                                        &expressions_.birkatHaChama};
    program = ZmanimProgram::Compile(*texts[slot]);
  }
  return *program;
}

DayTime DayTimes::Special(AbsoluteDay d, DayTimeKind kind, Slot slot) const {
  DayTime t;
  t.kind = kind;
  t.computed = evenings_.Evaluate(d, Program(slot), &t.time);
  return t;
}

std::vector<DayTime> DayTimes::Of(AbsoluteDay d) const {
  const CalendarRules& rules = evenings_.rules();
  ShabbatTimeValue evening;
  const bool eveningComputed = evenings_.Value(d, &evening);
  // A time at the moment of the evening's candle lighting or havdalah.
  auto atEvening = [&](DayTimeKind kind) {
    DayTime t;
    t.kind = kind;
    t.atEveningTime = true;
    t.computed = eveningComputed;
    t.time = evening;
    return t;
  };
  const int weekday = WeekdayOf(d);
  const DayFestivals today = FestivalsOn(d, rules);
  const DayFestivals tomorrow = FestivalsOn(d + 1, rules);
  std::vector<DayTime> times;

  // Khamets: eaten until the 4th hour of 14 Nisan, burnt by its 5th; the
  // burning moves to the Friday when 14 Nisan is Shabbat.
  if (today.Contains(Festival::kErevPesakh)) {
    times.push_back(Special(d, DayTimeKind::kKhametsEat, kEatSlot));
    if (weekday != kShabbat) times.push_back(Special(d, DayTimeKind::kKhametsBurn, kBurnSlot));
  }
  if (tomorrow.Contains(Festival::kErevPesakh) && WeekdayOf(d + 1) == kShabbat)
    times.push_back(Special(d, DayTimeKind::kKhametsBurn, kBurnSlot));

  // The Khanukka lights of the evening before day n of Khanukka.
  const int khanukka = KhanukkaOf(HebrewFromAbsolute(d + 1).year).DayOf(d + 1);
  DayTime lights;
  if (khanukka > 0) {
    const bool shabbatTime = (weekday == kFriday && evening.kind == EveningTime::kCandleLighting) ||
                             (weekday == kShabbat && evening.kind == EveningTime::kHavdalah);
    lights = shabbatTime ? atEvening(DayTimeKind::kKhanukka) : Special(d, DayTimeKind::kKhanukka, kKhanukkaSlot);
    lights.candles = khanukka;
    if (weekday == kFriday) times.push_back(lights);  // lit before the Shabbat candles
  }

  if (evening.kind != EveningTime::kNone) times.push_back(atEvening(KindOfEvening(evening.kind)));

  // Fasts. A full fast begins the evening before: Yom Kippur with its
  // candles, Tisha BeAv at sunset; the minor fasts at dawn.
  for (Festival f : tomorrow) {
    const DayKind kind = FestivalFactsOf(f, rules).kind;
    if (kind == DayKind::kYomKippur && evening.kind == EveningTime::kCandleLighting) {
      times.push_back(atEvening(DayTimeKind::kFastBegins));
    } else if (f == Festival::kTishaBeAv) {
      times.push_back(Special(d, DayTimeKind::kFastBegins, kTishaBeAvSlot));
    }
  }
  for (Festival f : today) {
    const DayKind kind = FestivalFactsOf(f, rules).kind;
    if (kind == DayKind::kFast && f != Festival::kTishaBeAv)
      times.push_back(Special(d, DayTimeKind::kFastBegins, kFastBeginsSlot));
  }
  // Taanit Bekhorot begins at dawn; it ends with the seder, and only when it
  // is kept on the Thursday at nightfall.
  const bool firstborn = d == TaanitBekhorotDay(HebrewFromAbsolute(d).year);
  if (firstborn) {
    times.push_back(Special(d, DayTimeKind::kFastBegins, kFastBeginsSlot));
    times.back().minorDay = true;
  }
  for (Festival f : today) {
    const DayKind kind = FestivalFactsOf(f, rules).kind;
    if (kind == DayKind::kFast) {
      times.push_back(Special(d, DayTimeKind::kFastEnds, kFastEndsSlot));
    } else if (kind == DayKind::kYomKippur && evening.kind == EveningTime::kHavdalah) {
      times.push_back(atEvening(DayTimeKind::kFastEnds));
    }
  }

  if (firstborn && weekday == kThursday) {
    times.push_back(Special(d, DayTimeKind::kFastEnds, kFastEndsSlot));
    times.back().minorDay = true;
  }

  if (khanukka > 0 && weekday != kFriday) times.push_back(lights);  // after havdalah on Saturday
  AddMoments(d, &times);

  std::stable_sort(times.begin(), times.end(), [](const DayTime& a, const DayTime& b) {
    return (a.computed ? a.time.standardMinutes : INT_MAX) < (b.computed ? b.time.standardMinutes : INT_MAX);
  });
  return times;
}

void DayTimes::AddMoments(AbsoluteDay d, std::vector<DayTime>* times) const {
  auto add = [&](DayTimeKind kind, int64_t moment, CityClock::Rounding rounding) -> DayTime* {
    DayTime t;
    t.kind = kind;
    t.minorDay = true;
    t.computed = evenings_.Moment(d, moment, rounding, &t.time);
    if (!t.computed) return nullptr;
    times->push_back(t);
    return &times->back();
  };
  // Kiddush Levana: the window of the month of the day, or of a neighbour
  // where the city's clock is far from Jerusalem's. The window is never
  // shown wider than it is.
  HebrewDate seen{};
  for (AbsoluteDay near : {d - 1, d + 1}) {
    const HebrewDate h = HebrewFromAbsolute(near);
    if (h.month == seen.month && h.year == seen.year) continue;
    seen = h;
    const MoonWindow window = KiddushLevanaWindow(h.month, h.year, style_);
    add(DayTimeKind::kKiddushLevanaBegins, window.begins, CityClock::Rounding::kUp);
    add(DayTimeKind::kKiddushLevanaEnds, window.ends, CityClock::Rounding::kDown);
  }
  for (const Tekufa& tekufa : TekufotBetween(UtcMidnight(d - 1), UtcMidnight(d + 2))) {
    if (DayTime* t = add(DayTimeKind::kTekufa, tekufa.moment, CityClock::Rounding::kNearest)) t->season = tekufa.season;
  }
  if (IsBirkatHaChama(d)) {
    times->push_back(Special(d, DayTimeKind::kBirkatHaChama, kBirkatHaChamaSlot));
    times->back().minorDay = true;
  }
}

int64_t DayTimes::NightEdge(AbsoluteDay d, Slot slot, int zoneHours) const {
  ShabbatTimeValue value;
  if (evenings_.Evaluate(d, Program(slot), &value))
    return UtcMidnight(d) + (int64_t{value.standardMinutes} - 60 * int64_t{value.gmtOffset}) * 60;
  // No such time (the sun does not sink so far): the night is its midnight.
  return UtcMidnight(slot == kFastEndsSlot ? d + 1 : d) - int64_t{zoneHours} * 3600;
}

PlaceMoments DayTimes::PlaceMomentsOf(AbsoluteDay d) const {
  const std::optional<int> zoneHours = evenings_.ZoneHours(d);
  if (!zoneHours) return {};
  const HebrewDate h = HebrewFromAbsolute(d + 1);
  const MoonWindow window = KiddushLevanaWindow(h.month, h.year, style_);
  const AbsoluteDay opens = UtcDayOf(window.begins);
  const AbsoluteDay closes = UtcDayOf(window.ends);
  PlaceMoments place;
  for (const Tekufa& tekufa : TekufotBetween(UtcMidnight(d - 1), UtcMidnight(d + 2))) {
    ShabbatTimeValue value;
    if (evenings_.Moment(d, tekufa.moment, CityClock::Rounding::kNearest, &value)) place.tekufa = tekufa.season;
  }
  // The first evening whose dawn comes after the window opens.
  for (AbsoluteDay e = opens - 2; e <= opens + 1; ++e) {
    if (NightEdge(e + 1, kFastBeginsSlot, *zoneHours) > window.begins) {
      place.moonFirst = e;
      break;
    }
  }
  // The last evening whose nightfall comes before it closes.
  for (AbsoluteDay e = closes + 1; e >= closes - 2; --e) {
    if (NightEdge(e, kFastEndsSlot, *zoneHours) < window.ends) {
      place.moonLast = e;
      break;
    }
  }
  return place;
}
