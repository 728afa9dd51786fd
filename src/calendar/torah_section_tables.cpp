// The Shabbat lists, written in runs the way a printed table gives them:
// Run(a, b) is a Shabbat for each of the sections a..b; Week(x, y, z) is one
// Shabbat with up to three codes (sections read together, a special Shabbat,
// or a festival). The lists are expanded to one entry per Shabbat at compile
// time, and each list's length is checked against its year type.
//
// Codes: 0..52 weekly sections; 61 Shekalim, 62 Zakhor, 63 Parah,
// 64 Hakhodesh, 65 the Shabbat before Pesakh; festivals on Shabbat: 70 Rosh
// HaShana, 73 Yom Kippur, 74 Sukkot, 84 Khol HaMoed Sukkot, 200 Shemini
// Atseret, 89 Pesakh I, 90 Khol HaMoed Pesakh, 91 Pesakh VII, 92 Pesakh VIII,
// 96 Shavuot II; 1000 an empty slot.
#include "calendar/torah_section_tables.h"

namespace calendar::detail {

namespace {

constexpr int16_t kEmpty = 1000;

struct Item {
  int16_t first;
  int16_t last;  // a run when isRun, otherwise the second code
  int16_t third;
  bool isRun;
};

constexpr Item Run(int first, int last) {
  return {static_cast<int16_t>(first), static_cast<int16_t>(last), kEmpty, true};
}
constexpr Item Week(int c1, int c2 = kEmpty, int c3 = kEmpty) {
  return {static_cast<int16_t>(c1), static_cast<int16_t>(c2), static_cast<int16_t>(c3), false};
}

template <size_t M>
constexpr size_t CountShabbatot(const Item (&items)[M]) {
  size_t n = 0;
  for (const Item& item : items) n += item.isRun ? static_cast<size_t>(item.last - item.first + 1) : 1;
  return n;
}

template <size_t N, size_t M>
constexpr std::array<ShabbatEntry, N> Expand(const Item (&items)[M]) {
  std::array<ShabbatEntry, N> out{};
  size_t k = 0;
  for (const Item& item : items) {
    if (item.isRun) {
      for (int code = item.first; code <= item.last; ++code) out[k++] = {static_cast<int16_t>(code), kEmpty, kEmpty};
    } else {
      out[k++] = {item.first, item.last, item.third};
    }
  }
  return out;
}

// One entry per Shabbat of a list written in runs.
template <const auto& items>
constexpr auto ExpandList() {
  return Expand<CountShabbatot(items)>(items);
}

// clang-format off
// Year type 0, e.g. 5773; also type 6, e.g. 5764.
constexpr Item torahReadingsAItems[] = {
    Run(0, 16), Week(17, 61), Week(18), Week(19, 62), Week(20, 63), Week(21, 22, 64), Week(23), Week(24, 65),
    Week(90), Week(25), Week(26, 27), Week(28, 29), Week(30), Week(31, 32), Run(33, 40), Week(41, 42),
    Run(43, 49), Week(50, 51), Week(52), Week(73), Week(84)};
// Year type 1, e.g. 5761.
constexpr Item torahReadingsBItems[] = {
    Run(0, 16), Week(17, 61), Week(18, 62), Week(19), Week(20, 63), Week(21, 22, 64), Week(23), Week(24, 65),
    Week(91), Week(25), Week(26, 27), Week(28, 29), Week(30), Week(31, 32), Run(33, 40), Week(41, 42),
    Run(43, 52), Week(84)};
// Year type 2, e.g. 5762; also type 4, e.g. 5780.
constexpr Item torahReadingsCDiasporaItems[] = {
    Run(0, 16), Week(17, 61), Week(18), Week(19, 62), Week(20, 63), Week(21, 22, 64), Week(23), Week(24, 65),
    Week(90), Week(25), Week(26, 27), Week(28, 29), Week(30), Week(31, 32), Week(33), Week(96),
    Run(34, 37), Week(38, 39), Week(40), Week(41, 42),
    Run(43, 49), Week(50, 51), Week(70), Week(52), Week(74), Week(200)};
constexpr Item torahReadingsCIsraelItems[] = {
    Run(0, 16), Week(17, 61), Week(18), Week(19, 62), Week(20, 63), Week(21, 22, 64), Week(23), Week(24, 65),
    Week(90), Week(25), Week(26, 27), Week(28, 29), Week(30), Week(31, 32), Run(33, 40), Week(41, 42),
    Run(43, 49), Week(50, 51), Week(70), Week(52), Week(74), Week(200)};
// Year type 3, e.g. 5772.
constexpr Item torahReadingsDDiasporaItems[] = {
    Run(0, 16), Week(17, 61), Week(18), Week(19, 62), Week(20), Week(21, 22, 63), Week(23, 64), Week(24, 65),
    Week(89), Week(92), Week(25), Week(26, 27), Week(28, 29), Week(30), Week(31, 32), Run(33, 40), Week(41, 42),
    Run(43, 52), Week(84)};
constexpr Item torahReadingsDIsraelItems[] = {
    Run(0, 16), Week(17, 61), Week(18), Week(19, 62), Week(20), Week(21, 22, 63), Week(23, 64), Week(24, 65),
    Week(89), Week(25), Week(26, 27), Week(28, 29), Run(30, 40), Week(41, 42),
    Run(43, 52), Week(84)};
// Year type 5, e.g. 5785.
constexpr Item torahReadingsFItems[] = {
    Run(0, 17), Week(18, 61), Week(19, 62), Week(20), Week(21, 63), Week(22, 64), Week(23), Week(24, 65),
    Week(91), Week(25), Week(26, 27), Week(28, 29), Week(30), Week(31, 32), Run(33, 40), Week(41, 42),
    Run(43, 52), Week(84)};
// Year type 7, e.g. 5790; also type 13, e.g. 5760.
constexpr Item torahReadingsHDiasporaItems[] = {
    Run(0, 20), Week(21, 61), Week(22), Week(23, 62), Week(24, 63), Week(25, 64), Week(26), Week(27, 65),
    Week(90), Run(28, 33), Week(96), Run(34, 37), Week(38, 39), Week(40), Week(41, 42),
    Run(43, 49), Week(50, 51), Week(70), Week(52), Week(74), Week(200)};
constexpr Item torahReadingsHIsraelItems[] = {
    Run(0, 20), Week(21, 61), Week(22), Week(23, 62), Week(24, 63), Week(25, 64), Week(26), Week(27, 65),
    Week(90), Run(28, 40), Week(41, 42),
    Run(43, 49), Week(50, 51), Week(70), Week(52), Week(74), Week(200)};
// Year type 8, e.g. 5765.
constexpr Item torahReadingsIItems[] = {
    Run(0, 21), Week(22, 61), Week(23, 62), Week(24), Week(25, 63), Week(26, 64), Week(27), Week(28, 65),
    Week(91), Run(29, 52), Week(84)};
// Year type 9, e.g. 5784.
constexpr Item torahReadingsJItems[] = {
    Run(0, 20), Week(21, 61), Week(22), Week(23, 62), Week(24, 63), Week(25, 64), Week(26), Week(27, 65),
    Week(90), Run(28, 40), Week(41, 42),
    Run(43, 49), Week(50, 51), Week(52), Week(73), Week(84)};
// Year type 10, e.g. 5782; also type 11, e.g. 5776.
constexpr Item torahReadingsKDiasporaItems[] = {
    Run(0, 20), Week(21, 61), Week(22), Week(23, 62), Week(24), Week(25, 63), Week(26, 64), Week(27, 65),
    Week(89), Week(92), Run(28, 40), Week(41, 42),
    Run(43, 52), Week(84)};
constexpr Item torahReadingsKIsraelItems[] = {
    Run(0, 20), Week(21, 61), Week(22), Week(23, 62), Week(24), Week(25, 63), Week(26, 64), Week(27, 65),
    Week(89), Run(28, 52), Week(84)};
// Year type 12, e.g. 5771.
constexpr Item torahReadingsMItems[] = {
    Run(0, 21), Week(22, 61), Week(23), Week(24, 62), Week(25, 63), Week(26, 64), Week(27), Week(28, 65),
    Week(90), Run(29, 49), Week(50, 51), Week(52), Week(73), Week(84)};
// clang-format on

constexpr auto torahReadingsA = ExpandList<torahReadingsAItems>();
constexpr auto torahReadingsB = ExpandList<torahReadingsBItems>();
constexpr auto torahReadingsCDiaspora = ExpandList<torahReadingsCDiasporaItems>();
constexpr auto torahReadingsCIsrael = ExpandList<torahReadingsCIsraelItems>();
constexpr auto torahReadingsDDiaspora = ExpandList<torahReadingsDDiasporaItems>();
constexpr auto torahReadingsDIsrael = ExpandList<torahReadingsDIsraelItems>();
constexpr auto torahReadingsF = ExpandList<torahReadingsFItems>();
constexpr auto torahReadingsHDiaspora = ExpandList<torahReadingsHDiasporaItems>();
constexpr auto torahReadingsHIsrael = ExpandList<torahReadingsHIsraelItems>();
constexpr auto torahReadingsI = ExpandList<torahReadingsIItems>();
constexpr auto torahReadingsJ = ExpandList<torahReadingsJItems>();
constexpr auto torahReadingsKDiaspora = ExpandList<torahReadingsKDiasporaItems>();
constexpr auto torahReadingsKIsrael = ExpandList<torahReadingsKIsraelItems>();
constexpr auto torahReadingsM = ExpandList<torahReadingsMItems>();

// Lists that a second year type shares.
constexpr const auto& torahReadingsEDiaspora = torahReadingsCDiaspora;
constexpr const auto& torahReadingsEIsrael = torahReadingsCIsrael;
constexpr const auto& torahReadingsG = torahReadingsA;
constexpr const auto& torahReadingsLDiaspora = torahReadingsKDiaspora;
constexpr const auto& torahReadingsLIsrael = torahReadingsKIsrael;
constexpr const auto& torahReadingsNDiaspora = torahReadingsHDiaspora;
constexpr const auto& torahReadingsNIsrael = torahReadingsHIsrael;

template <size_t N>
constexpr SectionList ListOf(const std::array<ShabbatEntry, N>& list) {
  return {list.data(), N};
}

}  // namespace

// {weekday of 1 Tishri, days, weekday of 15 Nisan, Shabbatot}; the comment names
// the type and a year of it.
constexpr std::array<YearTypeRow, kYearTypeCount> YearTypes = {{
    {1, 353, 2, 50},  // 0: 5773
    {6, 353, 0, 50},  // 1: 5761
    {2, 354, 4, 51},  // 2: 5762
    {4, 354, 6, 51},  // 3: 5772
    {1, 355, 4, 51},  // 4: 5780
    {4, 355, 0, 51},  // 5: 5785
    {6, 355, 2, 50},  // 6: 5764
    {1, 383, 4, 55},  // 7: 5790
    {4, 383, 0, 55},  // 8: 5765
    {6, 383, 2, 54},  // 9: 5784
    {2, 384, 6, 55},  // 10: 5782
    {1, 385, 6, 55},  // 11: 5776
    {4, 385, 2, 55},  // 12: 5771
    {6, 385, 4, 55},  // 13: 5760
}};

constexpr std::array<SectionList, kYearTypeCount> ParashiothDiaspora = {{
    ListOf(torahReadingsA),  // 0
    ListOf(torahReadingsB),  // 1
    ListOf(torahReadingsCDiaspora),  // 2
    ListOf(torahReadingsDDiaspora),  // 3
    ListOf(torahReadingsEDiaspora),  // 4
    ListOf(torahReadingsF),  // 5
    ListOf(torahReadingsG),  // 6
    ListOf(torahReadingsHDiaspora),  // 7
    ListOf(torahReadingsI),  // 8
    ListOf(torahReadingsJ),  // 9
    ListOf(torahReadingsKDiaspora),  // 10
    ListOf(torahReadingsLDiaspora),  // 11
    ListOf(torahReadingsM),  // 12
    ListOf(torahReadingsNDiaspora),  // 13
}};

constexpr std::array<SectionList, kYearTypeCount> ParashiothIsrael = {{
    ListOf(torahReadingsA),  // 0
    ListOf(torahReadingsB),  // 1
    ListOf(torahReadingsCIsrael),  // 2
    ListOf(torahReadingsDIsrael),  // 3
    ListOf(torahReadingsEIsrael),  // 4
    ListOf(torahReadingsF),  // 5
    ListOf(torahReadingsG),  // 6
    ListOf(torahReadingsHIsrael),  // 7
    ListOf(torahReadingsI),  // 8
    ListOf(torahReadingsJ),  // 9
    ListOf(torahReadingsKIsrael),  // 10
    ListOf(torahReadingsLIsrael),  // 11
    ListOf(torahReadingsM),  // 12
    ListOf(torahReadingsNIsrael),  // 13
}};

// Every list holds exactly one entry per Shabbat of its year type.
constexpr bool ListsFitYearTypes() {
  for (int t = 0; t < kYearTypeCount; ++t) {
    const auto i = static_cast<size_t>(t);
    if (ParashiothDiaspora[i].count != static_cast<size_t>(YearTypes[i].shabbatot)) return false;
    if (ParashiothIsrael[i].count != static_cast<size_t>(YearTypes[i].shabbatot)) return false;
  }
  return true;
}
static_assert(ListsFitYearTypes(), "a Shabbat list does not match its year type");

}  // namespace calendar::detail
