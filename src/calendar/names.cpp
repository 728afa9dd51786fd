#include "calendar/names.h"

#include <array>
#include <string_view>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "base/translate.h"

namespace {

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Shabbat"};

constexpr std::array<std::string_view, 12> kGregorianMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// Months 1..11 and 13; month 12 depends on the year.
constexpr std::array<std::string_view, 13> kHebrewMonthNames = {
    "Nisan", "Iyar",  "Sivan", "Tammuz", "Av",     "Elul",   "Tishri",
    "Heshvan", "Kislev", "Tevet", "Shevat", "Adar", "Adar II"};

constexpr std::array<std::string_view, 53> kTorahSectionNames = {
    "Bereshith",   "Noah",        "Le'h Leha",  "Vayera",      "Haye Sarah",  "Toledoth",
    "Vayetse",     "Vayishlah",   "Vayesheb",   "Mikkets",     "Vayiggash",   "Vayhee",
    "Shemoth",     "Vaera",       "Bo",         "Beshallah",   "Yithro",      "Mishpatim",
    "Terumah",     "Tetsavveh",   "Ki Tissa",   "Vayakhel",    "Pekude",      "Vayikra",
    "Tsav",        "Shemini",     "Tazria",     "Metsora",     "Aharemoth",   "Kedoshim",
    "Emor",        "Behar",       "Behukkothai", "Bemidbar",   "Naso",        "Behaaloteha",
    "Shelah Leha", "Korah",       "Hukath",     "Balak",       "Pinhas",      "Matoth",
    "Maseh",       "Debarim",     "Vaethanan",  "Ekeb",        "Reeh",        "Shofetim",
    "Ki Tetse",    "Ki Tabo",     "Nitsabim",   "Vayeleh",     "Haazinu"};

struct SpecialShabbat {
  int code;
  std::string_view name;
};
constexpr std::array<SpecialShabbat, 8> kSpecialShabbatNames = {{
    {15, "Shabbat Shirah"},     // Beshallah
    {43, "Shabbat Khazon"},     // Debarim
    {44, "Shabbat Nakhamu"},    // Vaethanan
    {61, "Shabbat Shekalim"},
    {62, "Shabbat Zakhor"},
    {63, "Shabbat Parah"},
    {64, "Shabbat Hakhodesh"},
    {66, "Shabbat Shuva"},
}};

std::string Translated(std::string_view english) { return translate_perform(english); }

}  // namespace

std::string GetWeekdayName(int weekday) {
  if (weekday < 0 || weekday > 6) return {};
  return Translated(kWeekdayNames[static_cast<size_t>(weekday)]);
}

std::string GetGregorianMonthName(int month) {
  if (month < 1 || month > 12) return {};
  return Translated(kGregorianMonthNames[static_cast<size_t>(month - 1)]);
}

std::string GetHebrewMonthName(int month, int year) {
  if (month < 1 || month > 13) return {};
  if (month == kAdar && Hebrew_Leap_Year(year)) return Translated("Adar I");
  return Translated(kHebrewMonthNames[static_cast<size_t>(month - 1)]);
}

std::string GetJewishTorahSectionName(int code) {
  if (code < 0 || code > 52) return {};
  return Translated(kTorahSectionNames[static_cast<size_t>(code)]);
}

std::string GetJewishShabbatSectionName(int code) {
  for (const SpecialShabbat& s : kSpecialShabbatNames)
    if (s.code == code) return Translated(s.name);
  return {};
}

int GetRoshKhodeshType(const HebrewDate& h) {
  if (!IsRoshKhodeshDate(h)) return -1;
  if (h.day == 30) return 1;
  // Day 1: a two-day Rosh Khodesh when the month before had 30 days. The
  // month before Nisan is the last month of the same Hebrew year.
  const int previous = h.month == kNisan ? Last_Month_Of_Hebrew_Year(h.year) : h.month - 1;
  return Last_Day_Of_Hebrew_Month(previous, h.year) == 30 ? 2 : 0;
}

int GetOmerCount(AbsoluteDay d) { return GetOmerCount(d, HebrewFromAbsolute(d)); }

int GetOmerCount(AbsoluteDay d, const HebrewDate& h) {
  const int64_t n = d - AbsoluteFromHebrew(16, kNisan, h.year) + 1;
  return (n >= 1 && n <= 49) ? static_cast<int>(n) : 0;
}
