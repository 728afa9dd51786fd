#include "calendar/daf_yomi.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "calendar/calendar.h"
#include "calendar/festivals.h"

namespace {

struct Tractate {
  std::string_view name;
  int32_t firstPage;
  int32_t lastPage;
};

// The tractates in the order of the cycle; every one starts at page 2. The
// comment gives the cycle index of the tractate's first page.
constexpr std::array<Tractate, 37> kDafYomis = {{
    {"Berachos", 2, 64},        // 0 (5 January 2020)
    {"Shabbos", 2, 157},        // 63
    {"Evurin", 2, 105},         // 219
    {"Pesachim", 2, 121},       // 323
    {"Shekalim", 2, 22},        // 443
    {"Yuma", 2, 88},            // 464
    {"Sukah", 2, 56},           // 551
    {"Beitzah", 2, 40},         // 606
    {"Rosh Ha'Shanah", 2, 35},  // 645
    {"Ta'anis", 2, 31},         // 679
    {"Megilah", 2, 32},         // 709
    {"Moed Katan", 2, 29},      // 740
    {"Chagigah", 2, 27},        // 768
    {"Yevamos", 2, 122},        // 794
    {"Kesuvos", 2, 112},        // 915
    {"Nedarim", 2, 91},         // 1026
    {"Nazir", 2, 66},           // 1116
    {"Sotah", 2, 49},           // 1181
    {"Gitin", 2, 90},           // 1229
    {"Kidushin", 2, 82},        // 1318
    {"Bava Kana", 2, 119},      // 1399
    {"Bava Metzia", 2, 119},    // 1517
    {"Bava Basra", 2, 176},     // 1635
    {"Sanhedrin", 2, 113},      // 1810
    {"Makos", 2, 24},           // 1922
    {"Shevuos", 2, 49},         // 1945
    {"Avodah Zarah", 2, 76},    // 1993
    {"Horayos", 2, 14},         // 2068
    {"Zevachim", 2, 120},       // 2081
    {"Menachos", 2, 110},       // 2200
    {"Chulin", 2, 142},         // 2309
    {"Bechoros", 2, 61},        // 2450
    {"Erchin", 2, 34},          // 2510
    {"Temurah", 2, 34},         // 2543
    {"Kerisus", 2, 28},         // 2576
    {"Me'ilah", 2, 37},         // 2603
    {"Nidah", 2, 73},           // 2639 .. 2710
}};

constexpr int PagesOf(const Tractate& t) { return t.lastPage - t.firstPage + 1; }

constexpr int CycleLength() {
  int total = 0;
  for (const Tractate& t : kDafYomis) total += PagesOf(t);
  return total;
}
constexpr int kCycleDays = CycleLength();
static_assert(kCycleDays == kDafYomiCyclePages, "one page a day, 2711 pages a cycle");

// Day 0 of cycle 1.
constexpr GregorianDate kCycleAnchor{10, 7, 1923};

bool ValidDate(int day, int month, int year) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return false;
  return day >= 1 && day <= LastDayOfGregorianMonth(month, year);
}

}  // namespace

namespace {

// Pages of the cycle before each tractate, and after the last.
constexpr std::array<int, kDafYomis.size() + 1> PagesBefore() {
  std::array<int, kDafYomis.size() + 1> before{};
  for (size_t i = 0; i < kDafYomis.size(); ++i) before[i + 1] = before[i] + PagesOf(kDafYomis[i]);
  return before;
}
constexpr auto kPagesBefore = PagesBefore();

// The tractate whose pages hold cycle index 0..2710: the last one starting
// at or before it.
size_t TractateIndexOf(int index) {
  return static_cast<size_t>(std::upper_bound(kPagesBefore.begin(), kPagesBefore.end(), index) -
                             kPagesBefore.begin()) - 1;
}

}  // namespace

int GetDafYomiInternal(int index, std::string* tractate) {
  if (tractate) tractate->clear();
  if (index < 0 || index >= kCycleDays) return 0;
  const size_t i = TractateIndexOf(index);
  if (tractate) *tractate = kDafYomis[i].name;
  return index - kPagesBefore[i] + kDafYomis[i].firstPage;
}

int DafYomiTractateCount() { return static_cast<int>(kDafYomis.size()); }

std::string_view DafYomiTractateName(int tractate) {
  if (tractate < 0 || tractate >= DafYomiTractateCount()) return {};
  return kDafYomis[static_cast<size_t>(tractate)].name;
}

DafYomiPlace DafYomiPlaceAt(int index) {
  if (index < 0 || index >= kCycleDays) return {};
  const size_t i = TractateIndexOf(index);
  return {static_cast<int>(i), index - kPagesBefore[i] + kDafYomis[i].firstPage};
}

int DafYomiGetIt(DafYomiRec* rec) {
  if (rec == nullptr || rec->sizeCheck != kDafYomiRecSize) return kDafYomiBadStructure;
  if (!ValidDate(rec->day, rec->month, rec->year)) return kDafYomiInvalidDate;
  const int64_t n = AbsoluteFromGregorian(rec->day, rec->month, rec->year) - AbsoluteFromGregorian(kCycleAnchor);
  if (n < 0) return kDafYomiBeforeStart;
  rec->cycle = static_cast<int32_t>(n / kCycleDays + 1);
  rec->page = GetDafYomiInternal(static_cast<int>(n % kCycleDays), &rec->tractate);
  rec->shortText = rec->tractate + " " + std::to_string(rec->page);
  rec->longText = "Cycle " + std::to_string(rec->cycle) + ", " + rec->shortText;
  return kDafYomiOk;
}

namespace {

// The page of a date, or an empty text when there is none.
std::string DafYomiText(int day, int month, int year) {
  DafYomiRec rec;
  rec.sizeCheck = kDafYomiRecSize;
  rec.day = day;
  rec.month = month;
  rec.year = year;
  if (DafYomiGetIt(&rec) != kDafYomiOk) return std::string();
  return rec.shortText;
}

}  // namespace

std::string DafYomiGetWithoutCycle(int day, int month, int year) { return DafYomiText(day, month, year); }

DafYomiPage DafYomiPageOf(AbsoluteDay d) {
  static const AbsoluteDay anchor = AbsoluteFromGregorian(kCycleAnchor);
  const int64_t n = d - anchor;
  if (n < 0) return {};
  const int index = static_cast<int>(n % kCycleDays);
  const size_t i = TractateIndexOf(index);
  return {kDafYomis[i].name, index - kPagesBefore[i] + kDafYomis[i].firstPage};
}

bool IsYizkor(AbsoluteDay d, const CalendarRules& rules) {
  for (Festival f : FestivalsOn(d, rules))
    if (FestivalFactsOf(f, rules).yizkor) return true;
  return false;
}

