// The vocabulary of the halakha report: named holiday dates, date helpers
// and yes/no predicates on a day. Every function works in the Hebrew (or
// Gregorian) year of the day it is given. Results are 1 or 0 unless noted.
// Predicates whose answer differs between Israel and the Diaspora (or with
// the Shushan Purim custom) take the rules of the report being built.
#pragma once

#include <cstdint>
#include <string_view>

#include "calendar/festival_table.h"
#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha {

// --- Named holidays ---------------------------------------------------------
// A holiday is named by its festival id; the spelled keys of the festival
// table ("PESAKH_I", "yom_kippur", "Shmini_Atseres_I", compared without
// regard to case) name the same days. The day does not depend on
// Israel/Diaspora: "SHEMINI_ATSERES_II" is always 23 Tishri, "PESAKH_VIII"
// always 22 Nisan.

// The day of the holiday in the Hebrew year of d.
AbsoluteDay h_holiday(AbsoluteDay d, Festival f);
// Like h_holiday, but for a day in Tishri..Adar II the holiday of the previous
// Hebrew year: h_holiday_prev(d, PESAKH_I) is the last Pesakh before d, or
// for a day in 1..14 Nisan the coming one.
AbsoluteDay h_holiday_prev(AbsoluteDay d, Festival f);
// 1 when d is the holiday (after its Saturday move, where it has one).
int isDay(AbsoluteDay d, Festival f);

// The same by spelled key. h_holiday2 gives 1 and *out = the day; for an
// unknown key it prints "Error: Day <KEY> not found" on the message stream,
// returns 0 and leaves *out alone. h_holiday gives 0 for an unknown key.
int h_holiday2(AbsoluteDay d, std::string_view key, AbsoluteDay* out);
AbsoluteDay h_holiday(AbsoluteDay d, std::string_view key);
AbsoluteDay h_holiday_prev(AbsoluteDay d, std::string_view key);
int isDay(AbsoluteDay d, std::string_view key);

// --- Date helpers -----------------------------------------------------------
// Day `day` of Hebrew month `month` in the Hebrew year of d (not validated).
AbsoluteDay hebrDate(int month, int day, AbsoluteDay d);
// Day `day` of Gregorian month `month` in the Gregorian year of d (not validated).
AbsoluteDay gregDate(int month, int day, AbsoluteDay d);
// Hebrew day of month of d: 1..30.
int day_in_month(AbsoluteDay d);
// Hebrew month of d: 1 Nisan .. 13 Adar II.
int month(AbsoluteDay d);
// Gregorian year of d.
int civil_year(AbsoluteDay d);

// --- Predicates of the Hebrew date ------------------------------------------
// 1, 2 or 10 Tishri.
int high_holiday(AbsoluteDay d);
// 1 or 2 Tishri.
int rosh_haShana(AbsoluteDay d);
// Day 30 of any month, or day 1 of any month except Tishri.
int rosh_khodesh(AbsoluteDay d);
// 16 (Israel) or 17 (Diaspora) .. 20 Nisan.
int khol_haMoed_Pesakh(AbsoluteDay d, const CalendarRules& r);
// Khol HaMoed Pesakh, or 16 (Israel) or 17 (Diaspora) .. 21 Tishri
// (Hoshana Rabba included).
int khol_haMoed(AbsoluteDay d, const CalendarRules& r);
// Day of the Omer 1..49 (16 Nisan .. 5 Sivan), else 0.
int day_in_omer(AbsoluteDay d);
// 9 Av on any weekday, Shabbat included, or a Sunday 10 Av. The fast as
// observed is isDay(d, kTishaBeAv).
int tisha_beAv(AbsoluteDay d);
// 15 Av.
int Av_15(AbsoluteDay d);
// The eight days of Khanukka, 25 Kislev .. 2 or 3 Tevet.
int khanukah(AbsoluteDay d);
// 15 Shevat.
int tu_beshvat(AbsoluteDay d);
// 14 Adar (Adar II in a leap year).
int purim(AbsoluteDay d);
// 15 Adar (Adar II in a leap year); also the Sunday after when that day is a
// Shabbat and Shushan Purim is postponed.
int shushan_purim(AbsoluteDay d, const CalendarRules& r);
// 14 Adar I of a leap year (Purim Katan).
int adar_14(AbsoluteDay d);
// 15 Adar I of a leap year (Shushan Purim Katan).
int adar_15(AbsoluteDay d);

// --- Special Shabbatot (by the weekly section table) -------------------------
// d is a Saturday of a known year type and one of its section codes is `code`.
int Halakha2CheckForSpecialShabbat(AbsoluteDay d, int code, const CalendarRules& r);
int shabbat_shekalim(AbsoluteDay d, const CalendarRules& r);  // code 61
int shabbat_zakhor(AbsoluteDay d, const CalendarRules& r);    // code 62
int shabbat_parah(AbsoluteDay d, const CalendarRules& r);     // code 63
int shabbat_haKhodesh(AbsoluteDay d, const CalendarRules& r); // code 64

// --- Composite conditions -----------------------------------------------------
// Saturday.
int shabbat(AbsoluteDay x);
// A festival day: Pesakh I and VII, Shavuot I, Sukkot I, Shemini Atseret;
// in the Diaspora also Pesakh II and VIII, Shavuot II, Sukkot II and 23 Tishri.
// Rosh HaShana and Yom Kippur are high_holiday, not yom_tov.
int yom_tov(AbsoluteDay x, const CalendarRules& r);
// Shabbat, yom_tov or high_holiday.
int rest_day(AbsoluteDay x, const CalendarRules& r);
// A day with Yaale veYavo: yom_tov, high_holiday, rosh_khodesh or khol_haMoed.
int yaale_day(AbsoluteDay x, const CalendarRules& r);
// A fast as observed: Tsom Gedalya, Yom Kippur, Tsom Tevet, Taanit Ester,
// Tsom Tammuz, Tisha BeAv (the Sunday when the date is a Shabbat).
int fast_day(AbsoluteDay x);
// Isru Khag, the day after a festival: 22 Nisan, 7 Sivan and 23 Tishri in
// Israel; 23 Nisan, 8 Sivan and 24 Tishri in the Diaspora.
int isru_khag(AbsoluteDay x, const CalendarRules& r);
// Yom HaAtsmaut (or, with `yerushalayim`, Yom Yerushalayim too) in a year it
// is kept, when the rules keep these days as the Chief Rabbinate's luach.
int luach_day(AbsoluteDay x, const CalendarRules& r, bool yerushalayim);

}  // namespace halakha
