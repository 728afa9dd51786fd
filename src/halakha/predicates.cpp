#include "halakha/predicates.h"

#include <string>

#include "base/diagnostics.h"
#include "base/diagnostics.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/names.h"
#include "calendar/torah_sections.h"

namespace halakha {

namespace {

int HebrewYearOf(AbsoluteDay d) { return HebrewFromAbsolute(d).year; }

int AdarOfPurim(int year) { return Hebrew_Leap_Year(year) ? kAdarII : kAdar; }

int Flag(bool b) { return b ? 1 : 0; }

std::string UpperCase(std::string_view key) {
  std::string upper(key);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// The festival of a key; reports an unknown one.
std::optional<Festival> KeyedFestival(std::string_view key) {
  const std::optional<Festival> f = FestivalByKey(key);
  if (!f) DiagMessage("Error: Day " + UpperCase(key) + " not found\n");
  return f;
}

// The kind of a festival where it is kept.
DayKind KindOf(Festival f, const CalendarRules& r) { return FestivalFactsOf(f, r).kind; }

// A festival kept on x whose kind passes the test.
template <class Test>
bool AnyFestivalOn(AbsoluteDay x, const CalendarRules& r, Test test) {
  for (Festival f : FestivalsOn(x, r))
    if (test(KindOf(f, r))) return true;
  return false;
}

// Kinds that are the same in Israel and the Diaspora (the high holidays and
// the fasts) are read from either column.
template <class Test>
bool AnyFestivalOn(AbsoluteDay x, Test test) {
  return AnyFestivalOn(x, kDiasporaRules, test);
}

}  // namespace

// --- Named holidays -----------------------------------------------------------

AbsoluteDay h_holiday(AbsoluteDay d, Festival f) { return FestivalDay(f, HebrewYearOf(d)); }

AbsoluteDay h_holiday_prev(AbsoluteDay d, Festival f) {
  const HebrewDate h = HebrewFromAbsolute(d);
  // Tishri .. Adar II open a new Hebrew year: look back into the previous one.
  return FestivalDay(f, h.month >= kTishri ? h.year - 1 : h.year);
}

int isDay(AbsoluteDay d, Festival f) { return Flag(h_holiday(d, f) == d); }

int h_holiday2(AbsoluteDay d, std::string_view key, AbsoluteDay* out) {
  const std::optional<Festival> f = KeyedFestival(key);
  if (!f) return 0;
  *out = h_holiday(d, *f);
  return 1;
}

AbsoluteDay h_holiday(AbsoluteDay d, std::string_view key) {
  const std::optional<Festival> f = KeyedFestival(key);
  return f ? h_holiday(d, *f) : 0;
}

AbsoluteDay h_holiday_prev(AbsoluteDay d, std::string_view key) {
  const std::optional<Festival> f = KeyedFestival(key);
  return f ? h_holiday_prev(d, *f) : 0;
}

int isDay(AbsoluteDay d, std::string_view key) { return Flag(h_holiday(d, key) == d); }

// --- Date helpers ---------------------------------------------------------------

AbsoluteDay hebrDate(int month, int day, AbsoluteDay d) {
  return AbsoluteFromHebrew(day, month, HebrewYearOf(d));
}

AbsoluteDay gregDate(int month, int day, AbsoluteDay d) {
  return AbsoluteFromGregorian(day, month, GregorianFromAbsolute(d).year);
}

int day_in_month(AbsoluteDay d) { return HebrewFromAbsolute(d).day; }
int month(AbsoluteDay d) { return HebrewFromAbsolute(d).month; }
int civil_year(AbsoluteDay d) { return GregorianFromAbsolute(d).year; }

// --- Predicates of the Hebrew date ------------------------------------------------

int high_holiday(AbsoluteDay d) { return Flag(AnyFestivalOn(d, HighHoliday)); }

int rosh_haShana(AbsoluteDay d) {
  return Flag(AnyFestivalOn(d, [](DayKind k) { return k == DayKind::kRoshHaShana; }));
}

int rosh_khodesh(AbsoluteDay d) { return IsRoshKhodeshDate(HebrewFromAbsolute(d)) ? 1 : 0; }

int khol_haMoed_Pesakh(AbsoluteDay d, const CalendarRules& r) {
  return Flag(month(d) == kNisan && khol_haMoed(d, r));
}

int khol_haMoed(AbsoluteDay d, const CalendarRules& r) {
  return Flag(AnyFestivalOn(d, r, [](DayKind k) { return k == DayKind::kKholHaMoed; }));
}

int day_in_omer(AbsoluteDay d) { return GetOmerCount(d); }

int tisha_beAv(AbsoluteDay d) { return Flag(d == hebrDate(kAv, 9, d) || isDay(d, Festival::kTishaBeAv)); }

int Av_15(AbsoluteDay d) { return isDay(d, Festival::kTuBeAv); }

int khanukah(AbsoluteDay d) { return Flag(KhanukkaOf(HebrewYearOf(d)).Contains(d)); }

int tu_beshvat(AbsoluteDay d) { return isDay(d, Festival::kTuBeShvat); }

int purim(AbsoluteDay d) { return isDay(d, Festival::kPurim); }

int shushan_purim(AbsoluteDay d, const CalendarRules& r) {
  // 15 Adar itself counts also when the day is kept on the Sunday after it.
  const int year = HebrewYearOf(d);
  return Flag(d == AbsoluteFromHebrew(15, AdarOfPurim(year), year) ||
              FestivalsOn(d, r).Contains(Festival::kShushanPurim));
}

int adar_14(AbsoluteDay d) { return Flag(FestivalsOn(d, kDiasporaRules).Contains(Festival::kPurimKatan)); }

int adar_15(AbsoluteDay d) { return Flag(FestivalsOn(d, kDiasporaRules).Contains(Festival::kShushanPurimKatan)); }

// --- Special Shabbatot ------------------------------------------------------------

int Halakha2CheckForSpecialShabbat(AbsoluteDay d, int code, const CalendarRules& r) {
  if (WeekdayOf(d) != kShabbat) return 0;
  ShabbatSections s;
  if (!GetTorahSectionShabbat(d, r, &s)) return 0;
  return Flag(s.c1 == code || s.c2 == code || s.c3 == code);
}

int shabbat_shekalim(AbsoluteDay d, const CalendarRules& r) { return Halakha2CheckForSpecialShabbat(d, 61, r); }
int shabbat_zakhor(AbsoluteDay d, const CalendarRules& r) { return Halakha2CheckForSpecialShabbat(d, 62, r); }
int shabbat_parah(AbsoluteDay d, const CalendarRules& r) { return Halakha2CheckForSpecialShabbat(d, 63, r); }
int shabbat_haKhodesh(AbsoluteDay d, const CalendarRules& r) { return Halakha2CheckForSpecialShabbat(d, 64, r); }

// --- Composite conditions -----------------------------------------------------------

int shabbat(AbsoluteDay x) { return Flag(WeekdayOf(x) == kShabbat); }

int yom_tov(AbsoluteDay x, const CalendarRules& r) {
  return Flag(AnyFestivalOn(x, r, [](DayKind k) { return k == DayKind::kYomTov; }));
}

int rest_day(AbsoluteDay x, const CalendarRules& r) { return Flag(shabbat(x) || yom_tov(x, r) || high_holiday(x)); }

int yaale_day(AbsoluteDay x, const CalendarRules& r) {
  return Flag(yom_tov(x, r) || high_holiday(x) || rosh_khodesh(x) || khol_haMoed(x, r));
}

int fast_day(AbsoluteDay x) { return Flag(AnyFestivalOn(x, FastKind)); }

int isru_khag(AbsoluteDay x, const CalendarRules& r) {
  return Flag(AnyFestivalOn(x, r, [](DayKind k) { return k == DayKind::kIsruKhag; }));
}

int luach_day(AbsoluteDay x, const CalendarRules& r, bool yerushalayim) {
  if (!r.yomHaAtsmautLuach) return 0;
  const DayFestivals on = FestivalsOn(x, r);
  return Flag(on.Contains(Festival::kYomHaAtsmaut) || (yerushalayim && on.Contains(Festival::kYomYerushalayim)));
}

}  // namespace halakha
