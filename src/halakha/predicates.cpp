#include "halakha/predicates.h"

#include <array>
#include <cstdio>
#include <string>

#include "base/diagnostics.h"
#include "calendar/calendar.h"
#include "calendar/torah_sections.h"
#include "base/settings.h"

namespace halakha {

namespace {

int gDiaspora = 1;

// Stands for the Adar of Purim: Adar II in a leap year, else Adar.
constexpr int kAdarOfPurim = 0;

enum class Move {
  kStays,             // the date as it is
  kSaturdayToSunday,  // a fast that would fall on Shabbat is kept on Sunday
  kBeforePurim,       // Taanit Ester: the day before Purim, the Thursday before a Sunday Purim
};

struct HolidayKey {
  std::string_view key;  // upper case
  int month;
  int day;
  int addDays;
  Move move;
};

// Example dates are for 5785 (autumn 2024 .. summer 2025).
constexpr std::array<HolidayKey, 25> kHolidayKeys = {{
    {"ROSH_HASHANA_I", kTishri, 1, 0, Move::kStays},           // Thu 3 Oct 2024
    {"ROSH_HASHANA_II", kTishri, 2, 0, Move::kStays},          // Fri 4 Oct 2024
    {"TZOM_GEDALIA", kTishri, 3, 0, Move::kSaturdayToSunday},  // 3 Tishri is Sat: Sun 6 Oct 2024
    {"YOM_KIPPUR", kTishri, 10, 0, Move::kStays},              // Sat 12 Oct 2024
    {"SUKKOT_I", kTishri, 15, 0, Move::kStays},                // Thu 17 Oct 2024
    {"SUKKOT_II", kTishri, 16, 0, Move::kStays},               // Fri 18 Oct 2024
    {"SUKKOT_VI", kTishri, 20, 0, Move::kStays},               // Tue 22 Oct 2024
    {"SUKKOT_VII", kTishri, 21, 0, Move::kStays},              // Wed 23 Oct 2024 (Hoshana Rabba)
    {"SHEMINI_ATSERES_I", kTishri, 22, 0, Move::kStays},       // Thu 24 Oct 2024
    {"SHMINI_ATSERES_I", kTishri, 22, 0, Move::kStays},        // the same day, second spelling
    {"SHEMINI_ATSERES_II", kTishri, 23, 0, Move::kStays},      // Fri 25 Oct 2024
    {"SHMINI_ATSERES_II", kTishri, 23, 0, Move::kStays},       // the same day, second spelling
    {"KHANNUKA_I", kKislev, 25, 0, Move::kStays},              // Thu 26 Dec 2024
    {"KHANNUKA_VII", kKislev, 25, 6, Move::kStays},            // Wed 1 Jan 2025 (1 Tevet)
    {"TZOM_TEVET", kTevet, 10, 0, Move::kSaturdayToSunday},    // Fri 10 Jan 2025
    {"TAANIT_ESTHER", kAdarOfPurim, 14, 0, Move::kBeforePurim},  // Thu 13 Mar 2025
    {"PURIM", kAdarOfPurim, 14, 0, Move::kStays},              // Fri 14 Mar 2025
    {"PESAKH_I", kNisan, 15, 0, Move::kStays},                 // Sun 13 Apr 2025
    {"PESAKH_II", kNisan, 16, 0, Move::kStays},                // Mon 14 Apr 2025
    {"PESAKH_VII", kNisan, 21, 0, Move::kStays},               // Sat 19 Apr 2025
    {"PESAKH_VIII", kNisan, 22, 0, Move::kStays},              // Sun 20 Apr 2025
    {"SHAVUOT_I", kSivan, 6, 0, Move::kStays},                 // Mon 2 Jun 2025
    {"SHAVUOT_II", kSivan, 7, 0, Move::kStays},                // Tue 3 Jun 2025
    {"TZOM_TAMMUZ", kTammuz, 17, 0, Move::kSaturdayToSunday},  // Sun 13 Jul 2025
    {"TISHA_BEAV", kAv, 9, 0, Move::kSaturdayToSunday},        // Sun 3 Aug 2025
}};

std::string UpperCase(std::string_view key) {
  std::string upper(key);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

int HebrewYearOf(AbsoluteDay d) { return HebrewFromAbsolute(d).year; }

int AdarOfPurim(int year) { return Hebrew_Leap_Year(year) ? kAdarII : kAdar; }

// The day of `row` in Hebrew year `year`.
AbsoluteDay HolidayInYear(const HolidayKey& row, int year) {
  const int m = row.month == kAdarOfPurim ? AdarOfPurim(year) : row.month;
  AbsoluteDay day = AbsoluteFromHebrew(row.day, m, year) + row.addDays;
  switch (row.move) {
    case Move::kStays:
      break;
    case Move::kSaturdayToSunday:
      if (WeekdayOf(day) == kShabbat) ++day;
      break;
    case Move::kBeforePurim:
      // Purim is never on Shabbat; on a Sunday the fast moves back to Thursday.
      day -= WeekdayOf(day) == kSunday ? 3 : 1;
      break;
  }
  return day;
}

// Looks the key up in Hebrew year `year`; reports an unknown key.
int HolidayByKey(std::string_view key, int year, AbsoluteDay* out) {
  const std::string upper = UpperCase(key);
  for (const HolidayKey& row : kHolidayKeys) {
    if (row.key == upper) {
      *out = HolidayInYear(row, year);
      return 1;
    }
  }
  DiagMessage("Error: Day " + std::string(upper.c_str()) + " not found\n");
  return 0;
}

bool InRange(AbsoluteDay first, AbsoluteDay x, AbsoluteDay last) { return first <= x && x <= last; }

int Flag(bool b) { return b ? 1 : 0; }

// First day of the Diaspora's Khol HaMoed, or of Israel's.
int FirstKholHaMoedDay() { return gDiaspora ? 17 : 16; }

}  // namespace

void halachaSetDiaspora(int diaspora) { gDiaspora = diaspora; }

// --- Named holidays -----------------------------------------------------------

int h_holiday2(AbsoluteDay d, std::string_view key, AbsoluteDay* out) {
  return HolidayByKey(key, HebrewYearOf(d), out);
}

AbsoluteDay h_holiday(AbsoluteDay d, std::string_view key) {
  AbsoluteDay day = 0;
  return h_holiday2(d, key, &day) ? day : 0;
}

AbsoluteDay h_holiday_prev(AbsoluteDay d, std::string_view key) {
  const HebrewDate h = HebrewFromAbsolute(d);
  // Tishri .. Adar II open a new Hebrew year: look back into the previous one.
  const int year = h.month >= kTishri ? h.year - 1 : h.year;
  AbsoluteDay day = 0;
  return HolidayByKey(key, year, &day) ? day : 0;
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

int high_holiday(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.month == kTishri && (h.day == 1 || h.day == 2 || h.day == 10));
}

int rosh_haShana(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.month == kTishri && (h.day == 1 || h.day == 2));
}

int rosh_khodesh(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.day == 30 || (h.day == 1 && h.month != kTishri));
}

int khol_haMoed_Pesakh(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.month == kNisan && h.day >= FirstKholHaMoedDay() && h.day <= 20);
}

int khol_haMoed(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  const bool sukkot = h.month == kTishri && h.day >= FirstKholHaMoedDay() && h.day <= 21;
  return Flag(sukkot || khol_haMoed_Pesakh(d));
}

int day_in_omer(AbsoluteDay d) {
  const AbsoluteDay n = d - hebrDate(kNisan, 16, d) + 1;
  return n >= 1 && n <= 49 ? static_cast<int>(n) : 0;
}

int tisha_beAv(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  if (h.month != kAv) return 0;
  return Flag(h.day == 9 || (h.day == 10 && WeekdayOf(d) == kSunday));
}

int Av_15(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.month == kAv && h.day == 15);
}

int khanukah(AbsoluteDay d) {
  const AbsoluteDay first = hebrDate(kKislev, 25, d);
  return Flag(InRange(first, d, first + 7));
}

int tu_beshvat(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.month == kShevat && h.day == 15);
}

int purim(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(h.month == AdarOfPurim(h.year) && h.day == 14);
}

int shushan_purim(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  const AbsoluteDay day15 = AbsoluteFromHebrew(15, AdarOfPurim(h.year), h.year);
  if (d == day15) return 1;
  return Flag(d == day15 + 1 && WeekdayOf(day15) == kShabbat && postponeShushanPurimGetFlag() != 0);
}

int adar_14(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(Hebrew_Leap_Year(h.year) && h.month == kAdar && h.day == 14);
}

int adar_15(AbsoluteDay d) {
  const HebrewDate h = HebrewFromAbsolute(d);
  return Flag(Hebrew_Leap_Year(h.year) && h.month == kAdar && h.day == 15);
}

// --- Special Shabbatot ------------------------------------------------------------

int Halacha2CheckForSpecialShabbat(AbsoluteDay d, int code) {
  if (WeekdayOf(d) != kShabbat) return 0;
  ShabbatSections s;
  if (!GetTorahSectionShabbat(d, &s)) return 0;
  return Flag(s.c1 == code || s.c2 == code || s.c3 == code);
}

int shabbat_shekalim(AbsoluteDay d) { return Halacha2CheckForSpecialShabbat(d, 61); }
int shabbat_zakhor(AbsoluteDay d) { return Halacha2CheckForSpecialShabbat(d, 62); }
int shabbat_parah(AbsoluteDay d) { return Halacha2CheckForSpecialShabbat(d, 63); }
int shabbat_haKhodesh(AbsoluteDay d) { return Halacha2CheckForSpecialShabbat(d, 64); }

// --- Composite conditions -----------------------------------------------------------

int shabbat(AbsoluteDay x) { return Flag(WeekdayOf(x) == kShabbat); }

int yom_tov(AbsoluteDay x) {
  static constexpr std::string_view kEverywhere[] = {"PESAKH_I", "PESAKH_VII", "SHAVUOT_I", "SUKKOT_I",
                                                     "SHEMINI_ATSERES_I"};
  static constexpr std::string_view kSecondDays[] = {"PESAKH_II", "PESAKH_VIII", "SHAVUOT_II", "SUKKOT_II",
                                                     "SHEMINI_ATSERES_II"};
  for (std::string_view key : kEverywhere)
    if (isDay(x, key)) return 1;
  if (gDiaspora)
    for (std::string_view key : kSecondDays)
      if (isDay(x, key)) return 1;
  return 0;
}

int rest_day(AbsoluteDay x) { return Flag(shabbat(x) || yom_tov(x) || high_holiday(x)); }

int yaale_day(AbsoluteDay x) { return Flag(yom_tov(x) || high_holiday(x) || rosh_khodesh(x) || khol_haMoed(x)); }

int fast_day(AbsoluteDay x) {
  static constexpr std::string_view kFasts[] = {"TZOM_GEDALIA", "YOM_KIPPUR",  "TZOM_TEVET",
                                                 "TAANIT_ESTHER", "TZOM_TAMMUZ", "TISHA_BEAV"};
  for (std::string_view key : kFasts)
    if (isDay(x, key)) return 1;
  return 0;
}

int khanukka_seven(AbsoluteDay x) {
  return Flag(InRange(h_holiday(x, "KHANNUKA_I"), x, h_holiday(x, "KHANNUKA_VII")));
}

int festive_no_takhanun(AbsoluteDay x) {
  return Flag(khol_haMoed(x) ||
              rosh_haShana(x + 1) ||  // the eve of Rosh HaShana
              month(x) == kNisan ||
              day_in_omer(x) == 33 ||  // Lag BeOmer
              InRange(hebrDate(kSivan, 1, x), x, h_holiday(x, "SHAVUOT_I")) ||
              tisha_beAv(x) || Av_15(x) ||
              InRange(h_holiday(x, "YOM_KIPPUR") - 1, x, h_holiday(x, "SHMINI_ATSERES_I") - 1) ||
              khanukah(x) || tu_beshvat(x) || purim(x) || shushan_purim(x) || adar_14(x) || adar_15(x));
}

int takhanun_free(AbsoluteDay x) { return Flag(rosh_khodesh(x) || festive_no_takhanun(x)); }

int summer_request(AbsoluteDay x) {
  const AbsoluteDay pesakh = h_holiday_prev(x, "PESAKH_I");
  if (pesakh >= x) return 0;
  AbsoluteDay lastDay;
  if (gDiaspora) {
    // Rain is asked for from the evening of 4 December, 5 December in the
    // Gregorian year before a leap year.
    const int year = civil_year(pesakh);
    lastDay = gregDate(12, year % 4 == 3 ? 5 : 4, pesakh);
  } else {
    // In Israel from the evening of 6 Heshvan after the Pesakh.
    lastDay = AbsoluteFromHebrew(6, kHeshvan, HebrewYearOf(pesakh) + 1);
  }
  return Flag(x <= lastDay);
}

}  // namespace halakha
