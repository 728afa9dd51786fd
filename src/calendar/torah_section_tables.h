// The Shabbat lists of the weekly Torah sections: the 14 year types and, per
// type, the entry of every Shabbat from Shabbat Bereshith on, for Israel and
// the Diaspora. The lookup lives in torah_sections.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace calendar::detail {

// Section codes of one Shabbat; 1000 marks an empty slot.
struct ShabbatEntry {
  int16_t c1;
  int16_t c2;
  int16_t c3;
};

// A year type: weekday of 1 Tishri, days in the year, weekday of 15 Nisan
// (weekdays as AbsoluteDay mod 7), and the number of Shabbatot from Shabbat
// Bereshith to the day before next year's.
struct YearTypeRow {
  int64_t newYearWeekday;
  int64_t days;
  int64_t pesakhWeekday;
  int64_t shabbatot;
};

// The entries of one list, week 0 first.
struct SectionList {
  const ShabbatEntry* entries;
  size_t count;
};

inline constexpr int kYearTypeCount = 14;

extern const std::array<YearTypeRow, kYearTypeCount> YearTypes;
extern const std::array<SectionList, kYearTypeCount> ParashiothDiaspora;
extern const std::array<SectionList, kYearTypeCount> ParashiothIsrael;

}  // namespace calendar::detail
