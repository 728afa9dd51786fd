#include "calendar/minor_days.h"

#include "calendar/calendar.h"
#include "calendar/festivals.h"

namespace {

constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 24 * kHour;

// The tekufa of Nisan of 5769: Tuesday 7 April 2009, 18:00 in Jerusalem
// (1970-01-01 + 14341 days), the first of a 28-year cycle.
constexpr int64_t kCycleTekufa = 14341 * kDay + 18 * kHour - kJerusalemMeanTimeSeconds;
// 91 days 7 1/2 hours; four of them make the year of 365 1/4 days.
constexpr int64_t kSeasonSeconds = 91 * kDay + 7 * kHour + 30 * 60;
constexpr int64_t kSeasonsPerCycle = 28 * 4;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

bool IsYomKippurKatan(AbsoluteDay d) {
  // The day before Rosh Khodesh, or that day moved back from Friday or Shabbat.
  const int weekday = WeekdayOf(d);
  if (weekday == kFriday || weekday == kShabbat) return false;
  for (AbsoluteDay eve = d; eve <= d + (weekday == kThursday ? 2 : 0); ++eve) {
    const HebrewDate next = HebrewFromAbsolute(eve + 1);
    // The first day of Rosh Khodesh: day 30, or day 1 after a month of 29 days.
    const HebrewDate first = HebrewFromAbsolute(eve);
    if (!IsRoshKhodeshDate(next) || IsRoshKhodeshDate(first)) continue;
    const HebrewDate month = next.day == 30 ? HebrewFromAbsolute(eve + 2) : next;
    if (month.month == kTishri || month.month == kHeshvan || month.month == kTevet || month.month == kIyar) continue;
    if (eve == d || WeekdayOf(eve) == kFriday || WeekdayOf(eve) == kShabbat) return true;
  }
  return false;
}

AbsoluteDay TaanitBekhorotDay(int year) {
  const AbsoluteDay eve = FestivalDay(Festival::kErevPesakh, year);
  return WeekdayOf(eve) == kShabbat ? eve - 2 : eve;
}

bool IsLeilSelikhot(AbsoluteDay d) {
  if (WeekdayOf(d) != kShabbat) return false;
  const HebrewDate h = HebrewFromAbsolute(d);
  return h.month == kElul && h.day >= 19 && h.day <= 25;
}

bool IsShabbatMevarkhim(AbsoluteDay d) {
  if (WeekdayOf(d) != kShabbat) return false;
  const HebrewDate h = HebrewFromAbsolute(d);
  return h.month != kElul && h.day >= 23 && h.day <= 29;
}

bool IsBirkatHaChama(AbsoluteDay d) {
  if (WeekdayOf(d) != kWednesday) return false;
  // The cycle's tekufa is at 18:00 of the Tuesday in Jerusalem.
  const int64_t tekufa = UtcMidnight(d - 1) + 18 * kHour - kJerusalemMeanTimeSeconds;
  const int64_t n = FloorDiv(tekufa - kCycleTekufa, kSeasonSeconds);
  return tekufa - kCycleTekufa == n * kSeasonSeconds && n % kSeasonsPerCycle == 0;
}

MoonWindow KiddushLevanaWindow(int month, int year, int style) {
  const int64_t molad = MoladMoment(month, year);
  if (style == 1) return {molad + 7 * kDay, molad + 15 * kDay};
  // Half of 29 days 12 hours 793 parts, to the part: 14 days 18 hours 22
  // minutes and 1 part (3 1/3 seconds).
  return {molad + 3 * kDay, molad + 14 * kDay + 18 * kHour + 22 * 60 + 3};
}

std::vector<Tekufa> TekufotBetween(int64_t first, int64_t last) {
  std::vector<Tekufa> out;
  for (int64_t n = FloorDiv(first - kCycleTekufa + kSeasonSeconds - 1, kSeasonSeconds);; ++n) {
    const int64_t moment = kCycleTekufa + n * kSeasonSeconds;
    if (moment >= last) break;
    const int64_t inCycle = ((n % kSeasonsPerCycle) + kSeasonsPerCycle) % kSeasonsPerCycle;
    out.push_back({static_cast<Season>(inCycle % 4), moment, inCycle == 0});
  }
  return out;
}

AbsoluteDay TekufaDay(Season season, int year) {
  const AbsoluteDay first = AbsoluteFromGregorian(1, 1, year);
  for (const Tekufa& t : TekufotBetween(UtcMidnight(first), UtcMidnight(first + 366))) {
    if (t.season == season) return UtcDayOf(t.moment + kJerusalemMeanTimeSeconds + 6 * kHour);
  }
  return 0;  // every season has a tekufa in every year
}

std::string_view TekufaName(Season season) {
  switch (season) {
    case Season::kNisan: return "Tekufat Nisan";
    case Season::kTammuz: return "Tekufat Tammuz";
    case Season::kTishri: return "Tekufat Tishri";
    case Season::kTevet: return "Tekufat Tevet";
  }
  return "Tekufa";
}
