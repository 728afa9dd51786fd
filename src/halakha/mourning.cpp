#include "halakha/mourning.h"

#include "calendar/anniversary_dates.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"

namespace halakha {

namespace {

constexpr int kShivaDays = 7;
constexpr int kShloshimDays = 30;
// The first yortsayt follows the day of burial when the burial was this
// many days or more after the death.
constexpr int kLateBurialDays = 3;
// A festival that may shorten mourning begins within this many days.
constexpr int kLookAheadDays = kShloshimDays + 1;

// The festival of day d that is a day of the festival proper: Rosh HaShana,
// Yom Kippur, a festival day or Khol HaMoed (Hoshana Rabba included).
std::optional<Festival> FestivalProperOn(AbsoluteDay d, const CalendarRules& rules) {
  for (Festival f : FestivalsOn(d, rules)) {
    const DayKind kind = FestivalFactsOf(f, rules).kind;
    if (WorkForbidden(kind) || kind == DayKind::kKholHaMoed) return f;
  }
  return std::nullopt;
}
bool InFestival(AbsoluteDay d, const CalendarRules& rules) { return FestivalProperOn(d, rules).has_value(); }

// The last day of the festival that holds d (Sukkot runs on into Shemini
// Atseret and, in the Diaspora, Simkhat Tora).
AbsoluteDay LastFestivalDay(AbsoluteDay d, const CalendarRules& rules) {
  while (InFestival(d + 1, rules)) ++d;
  return d;
}

// The first day of the next festival that begins after `after` and on or
// before `until`, or nothing.
std::optional<AbsoluteDay> FestivalBeginning(AbsoluteDay after, AbsoluteDay until, const CalendarRules& rules) {
  for (AbsoluteDay d = after + 1; d <= until; ++d)
    if (InFestival(d, rules) && !InFestival(d - 1, rules)) return d;
  return std::nullopt;
}

// What a day of a festival that cancelled shiva counts towards the thirty:
// Shavuot and Shemini Atseret count seven each (their days of making up the
// offerings), every other day one, a Diaspora second day too.
int ThirtyCount(AbsoluteDay d, const CalendarRules& rules) {
  const DayFestivals on = FestivalsOn(d, rules);
  return on.Contains(Festival::kShavuotI) || on.Contains(Festival::kSheminiAtseret) ? kShivaDays : 1;
}

// A day of the festival kept in the Diaspora only (its second last day):
// one buried during the festival counts it as the first day of shiva.
bool DiasporaOnlyDay(AbsoluteDay d, const CalendarRules& rules) {
  return rules.diaspora && InFestival(d, rules) && !InFestival(d, kIsraelRules);
}

}  // namespace

AbsoluteDay AddHebrewMonths(const HebrewDate& date, int months) {
  int month = date.month;
  int year = date.year;
  for (int i = 0; i < months; ++i) {
    if (month == kElul) {
      month = kTishri;
      ++year;
    } else if (month == Last_Month_Of_Hebrew_Year(year)) {
      month = kNisan;
    } else {
      ++month;
    }
  }
  return AbsoluteFromHebrew(HebrewDate{1, month, year}) + date.day - 1;
}

MourningDates MourningDatesOf(const MourningLoss& loss, const CalendarRules& rules) {
  MourningDates out;
  const AbsoluteDay burial = loss.burial;
  // Shiva: from the burial, or after the festival during which the burial was.
  AbsoluteDay shivaFirst = burial;
  if (InFestival(burial, rules)) {
    const AbsoluteDay last = LastFestivalDay(burial, rules);
    const bool lastCounts = DiasporaOnlyDay(last, rules);
    shivaFirst = lastCounts ? last : last + 1;
    out.shivaWhy = lastCounts ? ShivaEnd::kAfterFestivalLast : ShivaEnd::kAfterFestival;
    AbsoluteDay start = burial;
    while (InFestival(start - 1, rules)) --start;
    out.shivaFestival = FestivalProperOn(start, rules);
    out.shivaFestivalStart = start;
  }
  out.shivaEnd = shivaFirst + kShivaDays - 1;
  // Shloshim: always counted from the burial; the festival days count.
  out.shloshimEnd = burial + kShloshimDays - 1;
  AbsoluteDay mourningFrom = shivaFirst;
  const auto next = FestivalBeginning(shivaFirst, shivaFirst + kLookAheadDays, rules);
  if (next && *next <= out.shivaEnd) {
    // A festival during shiva cancels the rest of it; shiva counts as seven
    // days towards the thirty, the festival's days their own, and the rest
    // of the thirty follow the festival.
    out.shivaEnd = *next - 1;
    out.shivaWhy = ShivaEnd::kFestivalCancels;
    out.shivaFestival = FestivalProperOn(*next, rules);
    out.shivaFestivalStart = *next;
    const AbsoluteDay last = LastFestivalDay(*next, rules);
    int counted = 0;
    for (AbsoluteDay d = *next; d <= last; ++d) counted += ThirtyCount(d, rules);
    out.shloshimEnd = last + (kShloshimDays - kShivaDays - counted);
    out.shloshimWhy = ShloshimEnd::kFestivalCounts;
    out.shloshimFestival = out.shivaFestival;
    out.shloshimFestivalStart = *next;
    out.festivalDaysCounted = counted;
    mourningFrom = last;
  }
  // A festival that begins once shiva is over cancels the rest of shloshim.
  const auto later = FestivalBeginning(mourningFrom, out.shloshimEnd, rules);
  if (later && *later > out.shivaEnd) {
    out.shloshimEnd = *later - 1;
    out.shloshimWhy = ShloshimEnd::kFestivalCancels;
    out.shloshimFestival = FestivalProperOn(*later, rules);
    out.shloshimFestivalStart = *later;
  }
  // The year: counted in Hebrew months from the day of death.
  const HebrewDate death = HebrewFromAbsolute(loss.death);
  out.kaddishLast = AddHebrewMonths(death, 11) - 1;
  out.twelveMonthsEnd = AddHebrewMonths(death, 12) - 1;
  AnniversaryCalc calc;
  calc.event = death;
  calc.type = kAnniYortsayt;
  calc.year = death.year + 1;
  AnniDeath(calc);
  out.yortsayt = AbsoluteFromHebrew(calc.result);
  if (burial - loss.death >= kLateBurialDays) {
    calc.event = HebrewFromAbsolute(burial);
    calc.year = calc.event.year + 1;
    AnniDeath(calc);
    out.firstYortsaytByBurial = AbsoluteFromHebrew(calc.result);
  }
  return out;
}

}  // namespace halakha
