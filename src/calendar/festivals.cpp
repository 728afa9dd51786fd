#include "calendar/festivals.h"

#include <cstdint>

#include "calendar/calendar.h"

using calendar::detail::kFestivalTable;

namespace {

constexpr HebrewDate kNoDate{0, 0, 0};

const FestivalRow& RowOf(Festival f) { return kFestivalTable[static_cast<size_t>(IdOf(f))]; }

// Adar II in a leap year, Adar otherwise: the month of Purim.
int PurimMonth(int year) { return Hebrew_Leap_Year(year) ? kAdarII : kAdar; }

// `date` shifted by `days` on the absolute day line.
HebrewDate Shifted(const HebrewDate& date, int days) { return HebrewFromAbsolute(AbsoluteFromHebrew(date) + days); }

// The weekday-dependent rules convert the base date to an absolute day,
// move that day and convert back.
HebrewDate Moved(int day, int month, int year, int (*shift)(int weekday, int year)) {
  const AbsoluteDay base = AbsoluteFromHebrew(day, month, year);
  const int delta = shift(WeekdayOf(base), year);
  return delta == 0 ? HebrewDate{day, month, year} : HebrewFromAbsolute(base + delta);
}

// A fast that falls on Shabbat is kept on the Sunday.
int FastOffShabbat(int weekday, int) { return weekday == kShabbat ? 1 : 0; }

// Yom HaShoa: off Friday (and Shabbat) back to Thursday; from 5757 a Sunday
// date moves on to Monday.
int YomHaShoaShift(int weekday, int year) {
  if (weekday == kShabbat) return -2;
  if (weekday == kFriday) return -1;
  if (year > 5756 && weekday == kSunday) return 1;
  return 0;
}

// Yom HaAtsmaut: off Shabbat and Friday back to Thursday; from 5764 a Monday
// date moves on to Tuesday.
int YomHaAtsmautShift(int weekday, int year) {
  if (weekday == kShabbat) return -2;
  if (weekday == kFriday) return -1;
  if (year > 5763 && weekday == kMonday) return 1;
  return 0;
}

// Yom HaZikaron, the eve of Yom HaAtsmaut: off Friday and Thursday back to
// Wednesday; from 5764 a Sunday date moves on to Monday.
int YomHaZikaronShift(int weekday, int year) {
  if (weekday == kFriday) return -2;
  if (weekday == kThursday) return -1;
  if (year > 5763 && weekday == kSunday) return 1;
  return 0;
}

HebrewDate TaanitEster(int year) {
  const HebrewDate purim{14, PurimMonth(year), year};
  // A Sunday Purim puts the fast on Thursday: never on Shabbat or Friday.
  const int back = WeekdayOf(AbsoluteFromHebrew(purim)) == kSunday ? 3 : 1;
  return Shifted(purim, -back);
}

HebrewDate ShabbatHaGadol(int year) {
  AbsoluteDay d = AbsoluteFromHebrew(15, kNisan, year) - 1;
  while (WeekdayOf(d) != kShabbat) --d;
  return HebrewFromAbsolute(d);
}

// Day n (1..8) of Khanukka: after a 29-day Kislev the count goes on in Tevet.
HebrewDate KhanukkaDay(int n, int year) {
  const int dayOfKislev = 24 + n;
  const int kislevDays = Last_Day_Of_Hebrew_Month(kKislev, year);
  if (dayOfKislev <= kislevDays) return {dayOfKislev, kKislev, year};
  return {dayOfKislev - kislevDays, kTevet, year};
}

HebrewDate ComputeDate(const FestivalRow& row, int year, const CalendarRules& rules) {
  const int day = row.day;
  const int month = row.month;
  switch (row.rule) {
    case DateRule::kFixed:
      return {day, month, year};
    case DateRule::kDiasporaOnly:
      return rules.diaspora ? HebrewDate{day, month, year} : kNoDate;
    case DateRule::kIsraelDiaspora:
      return {rules.diaspora ? row.diasporaDay : day, month, year};
    case DateRule::kKhanukka:
      return KhanukkaDay(day, year);
    case DateRule::kAdarLast:
      return {day, PurimMonth(year), year};
    case DateRule::kAdarFirst:
      // In a common year month 13 does not exist, so this date matches no day.
      return {day, Hebrew_Leap_Year(year) ? kAdar : kAdarII, year};
    case DateRule::kTaanitEster:
      return TaanitEster(year);
    case DateRule::kFastOffShabbat:
      return Moved(day, month, year, FastOffShabbat);
    case DateRule::kShushanPurim:
      if (!rules.postponeShushanPurim) return {day, PurimMonth(year), year};
      return Moved(day, PurimMonth(year), year, FastOffShabbat);
    case DateRule::kYomHaShoa:
      return Moved(day, month, year, YomHaShoaShift);
    case DateRule::kYomHaAtsmaut:
      return Moved(day, month, year, YomHaAtsmautShift);
    case DateRule::kYomHaZikaron:
      return Moved(day, month, year, YomHaZikaronShift);
    case DateRule::kShabbatHaGadol:
      return ShabbatHaGadol(year);
  }
  return kNoDate;
}

// The absolute day of a date that exists in its year, or 0.
AbsoluteDay DayOfDate(const HebrewDate& h) {
  if (h.day < 1 || h.month < 1 || h.month > Last_Month_Of_Hebrew_Year(h.year)) return 0;
  if (h.day > Last_Day_Of_Hebrew_Month(h.month, h.year)) return 0;
  return AbsoluteFromHebrew(h);
}

// The festivals of one Hebrew year under one set of rules, computed once:
// the month view, the dump and the halakha report ask for the same year
// many times in a row.
struct FestivalYear {
  int year = 0;
  bool valid = false;
  CalendarRules rules;
  std::array<HebrewDate, kFestivalCount> dates{};
  // The festivals shown on each day of the year, as bits of their ids (a
  // festival is shown from its first Gregorian year on): day start + i has
  // the bits of festivalsOfDay[i].
  AbsoluteDay start = 0;  // 1 Tishri
  int length = 0;         // days in the year
  std::array<uint64_t, 385> festivalsOfDay{};
};
static_assert(kFestivalCount <= 64, "one bit per festival");

void Compute(FestivalYear& y, int year, const CalendarRules& rules) {
  y.start = AbsoluteFromHebrew(1, kTishri, year);
  y.length = Days_In_Hebrew_Year(year);
  y.festivalsOfDay.fill(0);
  for (int id = 0; id < kFestivalCount; ++id) {
    const FestivalRow& row = kFestivalTable[static_cast<size_t>(id)];
    const HebrewDate date = ComputeDate(row, year, rules);
    y.dates[static_cast<size_t>(id)] = date;
    const AbsoluteDay day = date.day == 0 ? 0 : DayOfDate(date);
    if (day == 0 || (row.firstYear != 0 && row.firstYear > GregorianFromAbsolute(day).year)) continue;
    y.festivalsOfDay[static_cast<size_t>(day - y.start)] |= uint64_t{1} << id;
  }
  y.year = year;
  y.rules = rules;
  y.valid = true;
}

size_t RulesSlot(const CalendarRules& rules) {
  return (rules.diaspora ? 2 : 0) + (rules.postponeShushanPurim ? 1 : 0);
}

// Two years for each of the four combinations of rules (a year and the one
// before it, which the halakha report looks back into).
const FestivalYear& FestivalYearOf(int year, const CalendarRules& rules) {
  thread_local std::array<FestivalYear, 8> cache{};
  const size_t slot = 2 * RulesSlot(rules) + (static_cast<unsigned>(year) & 1u);
  FestivalYear& y = cache[slot];
  if (!y.valid || y.year != year) Compute(y, year, rules);
  return y;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// Second spellings of keys.
struct KeyAlias {
  std::string_view key;
  Festival festival;
};
constexpr std::array<KeyAlias, 2> kKeyAliases = {{
    {"SHMINI_ATSERES_I", Festival::kSheminiAtseret},
    {"SHMINI_ATSERES_II", Festival::kSimkhatTora},
}};

}  // namespace

HebrewDate FestivalDate(Festival f, int year, const CalendarRules& rules) {
  return FestivalYearOf(year, rules).dates[static_cast<size_t>(IdOf(f))];
}

const FestivalFacts& FestivalFactsOf(Festival f, const CalendarRules& rules) {
  const FestivalRow& row = RowOf(f);
  return rules.diaspora ? row.diaspora : row.israel;
}

int FestivalFirstYear(Festival f) { return RowOf(f).firstYear; }

AbsoluteDay FestivalDay(Festival f, int year) {
  // Keyed days do not depend on the rules; the Diaspora's give every row a date.
  return AbsoluteFromHebrew(FestivalDate(f, year, kDiasporaRules));
}

std::optional<Festival> FestivalByKey(std::string_view key) {
  for (const FestivalRow& row : kFestivalTable)
    if (!row.key.empty() && EqualIgnoringCase(row.key, key)) return row.id;
  for (const KeyAlias& alias : kKeyAliases)
    if (EqualIgnoringCase(alias.key, key)) return alias.festival;
  return std::nullopt;
}

bool DayFestivals::Contains(Festival f) const {
  for (Festival g : *this)
    if (g == f) return true;
  return false;
}

void DayFestivals::Add(Festival f) {
  if (count_ < ids_.size()) ids_[count_++] = f;
}

DayFestivals FestivalsOfYear(const FestivalYear& y, AbsoluteDay d) {
  DayFestivals out;
  for (uint64_t bits = y.festivalsOfDay[static_cast<size_t>(d - y.start)]; bits != 0; bits &= bits - 1)
    out.Add(FestivalOfId(__builtin_ctzll(bits)));
  return out;
}

DayFestivals FestivalsOn(AbsoluteDay d, const HebrewDate& h, const CalendarRules& rules) {
  return FestivalsOfYear(FestivalYearOf(h.year, rules), d);
}

namespace {

// The festival year holding day d. Days are asked for in runs: the year of
// the last answer usually holds the next day too, and then no Hebrew date is
// needed.
const FestivalYear& YearHolding(AbsoluteDay d, const CalendarRules& rules) {
  thread_local std::array<const FestivalYear*, 4> last{};
  const FestivalYear*& y = last[RulesSlot(rules)];
  if (y == nullptr || !y->valid || d < y->start || d >= y->start + y->length || !SameFestivalDates(y->rules, rules))
    y = &FestivalYearOf(HebrewFromAbsolute(d).year, rules);
  return *y;
}

// The bits of the festivals on which work is forbidden under `rules`.
uint64_t WorkForbiddenBits(const CalendarRules& rules) {
  uint64_t bits = 0;
  for (int id = 0; id < kFestivalCount; ++id)
    if (WorkForbidden(FestivalFactsOf(FestivalOfId(id), rules).kind)) bits |= uint64_t{1} << id;
  return bits;
}

}  // namespace

DayFestivals FestivalsOn(AbsoluteDay d, const CalendarRules& rules) { return FestivalsOfYear(YearHolding(d, rules), d); }

KhanukkaDays KhanukkaOf(int year) {
  const AbsoluteDay first = AbsoluteFromHebrew(25, kKislev, year);
  return {first, first + 7};
}

AbsoluteDay ShabbatShuvaOf(int year) { return SaturdayOnOrAfter(AbsoluteFromHebrew(1, kTishri, year) + 1); }

bool IsFestivalDay(AbsoluteDay d, const CalendarRules& rules) {
  static const std::array<uint64_t, 4> kWorkForbidden = {
      WorkForbiddenBits({false, false}), WorkForbiddenBits({false, true}), WorkForbiddenBits({true, false}),
      WorkForbiddenBits({true, true})};
  const FestivalYear& y = YearHolding(d, rules);
  return (y.festivalsOfDay[static_cast<size_t>(d - y.start)] & kWorkForbidden[RulesSlot(rules)]) != 0;
}
