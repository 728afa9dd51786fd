#include "compose/zmanim_sheet.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/names.h"
#include "compose/csv_export.h"
#include "compose/day_info.h"
#include "compose/hebrew_date_text.h"
#include "compose/year_sheet.h"
#include "compose/zmanim_text.h"
#include "suntimes/cities.h"
#include "suntimes/day_times.h"
#include "suntimes/missing_time.h"
#include "suntimes/timeformat.h"
#include "suntimes/zmanim.h"

namespace {

// The day's own times, each with its column after the zmanim.
enum DayTimeColumn : size_t { kCandlesColumn, kHavdalahColumn, kFastBeginsColumn, kFastEndsColumn, kDayTimeColumns };
constexpr std::array<DayTimeKind, kDayTimeColumns> kDayTimeTitles = {DayTimeKind::kCandles, DayTimeKind::kHavdalah,
                                                                     DayTimeKind::kFastBegins, DayTimeKind::kFastEnds};

std::optional<size_t> DayTimeColumnOf(DayTimeKind kind) {
  switch (kind) {
    case DayTimeKind::kCandles:
    case DayTimeKind::kCandlesAfterNightfall:
      return kCandlesColumn;
    case DayTimeKind::kHavdalah:
      return kHavdalahColumn;
    case DayTimeKind::kFastBegins:
      return kFastBeginsColumn;
    case DayTimeKind::kFastEnds:
      return kFastEndsColumn;
    default:
      return std::nullopt;
  }
}

void AddOnce(std::vector<std::string>& parts, const std::string& text) {
  if (!text.empty() && std::find(parts.begin(), parts.end(), text) == parts.end()) parts.push_back(text);
}

// The day's holiday, Rosh Khodesh, and on Shabbat its Torah section and
// special Shabbat, as one line.
std::string DayLabel(AbsoluteDay d, const Options& options) {
  const DayInformation info = PaintInternal_GetDayInformation(d, options.rules, options.text.language);
  std::vector<std::string> parts;
  for (const std::string* line : {&info.holiday, &info.roshKhodesh, &info.torahSection, &info.specialShabbat}) {
    std::string text = *line;
    std::replace(text.begin(), text.end(), '\n', ' ');
    AddOnce(parts, text);
  }
  return JoinWithCommas(parts);
}

// A time's cell, or the dash with the sun's reason kept for the notes.
std::string TimeCell(bool computed, const ShabbatTimeValue& t, const ClockStyle& clock,
                     std::vector<std::string>& reasons) {
  if (computed) return TimeformatListedTime(t.hour, t.minute, clock);
  if (t.missing.bySun()) AddOnce(reasons, MissingTimeText(t.missing));
  return std::string(kNoTimeMark);
}

std::string CsvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) line += (i ? "," : "") + CsvField(cells[i]);
  return line + "\r\n";
}

}  // namespace

bool ZmanimSheetMonthValid(const ZmanimSheetMonth& m) {
  if (!m.hebrew) return m.month >= 1 && m.month <= 12 && m.year >= kFirstYear && m.year <= kLastYear;
  // The Hebrew years whose every day lies in the Gregorian years accepted.
  if (m.year < FirstHebrewSheetYear() || m.year > LastHebrewSheetYear()) return false;
  return m.month >= 1 && m.month <= Last_Month_Of_Hebrew_Year(m.year);
}

AbsoluteDay ZmanimSheetFirstDay(const ZmanimSheetMonth& m) {
  return m.hebrew ? AbsoluteFromHebrew(1, m.month, m.year) : AbsoluteFromGregorian(1, m.month, m.year);
}

AbsoluteDay ZmanimSheetLastDay(const ZmanimSheetMonth& m) {
  const int days = m.hebrew ? Last_Day_Of_Hebrew_Month(m.month, m.year) : LastDayOfGregorianMonth(m.month, m.year);
  return ZmanimSheetFirstDay(m) + days - 1;
}

std::string ZmanimSheetTitle(const ZmanimSheetMonth& m, bool hebrewNumerals) {
  const std::string month =
      m.hebrew ? HebrewMonthNameText(m.month, m.year, hebrewNumerals) + " " + HebrewYearText(m.year, hebrewNumerals)
               : GetGregorianMonthName(m.month) + " " + std::to_string(m.year);
  return FormatText(translate_perform("Zmanim of %s"), {month});
}

ZmanimSheetText ZmanimSheetTextOf(const ZmanimSheetMonth& m, const Options& options) {
  const CityFileSnapshot cityFile;  // one look at the city file for the whole sheet
  const bool numerals = options.text.hebrewNumerals;
  ZmanimSheetText text;
  text.rightToLeft = options.text.rightToLeft();
  text.title = ZmanimSheetTitle(m, numerals);
  text.heading.push_back(PrintoutPlaceHeading(options));
  text.heading.push_back(PrintoutZmanimHeading(options));

  text.columns = {translate_perform("Day"), translate_perform("Hebrew date"),
                  translate_perform("Holiday or Torah section")};
  text.labelColumn = 2;
  const size_t firstTime = text.columns.size();
  for (const ZmanimRec& rec : ZmanimRecs) text.columns.push_back(translate_perform(ZmanimDisplayName(rec)));
  const size_t firstDayTime = text.columns.size();
  for (DayTimeKind kind : kDayTimeTitles) text.columns.push_back(translate_perform(DayTimeKindOf(kind).label));
  text.kinds.assign(firstTime, ZmanimSheetColumn::kText);
  text.kinds.resize(firstDayTime, ZmanimSheetColumn::kTime);
  text.kinds.insert(text.kinds.end(), {ZmanimSheetColumn::kCandles, ZmanimSheetColumn::kTime, ZmanimSheetColumn::kFast,
                                       ZmanimSheetColumn::kFast});

  const DayTimes times = DayTimesFor(options.rules, options.times, options.style);
  const ClockStyle& clock = options.times.clock;
  std::vector<std::string> reasons;
  bool afterNightfall = false;
  for (AbsoluteDay d = ZmanimSheetFirstDay(m); d <= ZmanimSheetLastDay(m); ++d) {
    const std::vector<ZmanOfDay> zmanim = ZmanimOfDay(d, options);
    if (zmanim.empty()) return text;  // no city
    const GregorianDate g = GregorianFromAbsolute(d);
    std::vector<std::string> cells(text.columns.size());
    cells[0] = GetWeekdayName(WeekdayOf(d)) + " " + std::to_string(g.day) + " " + GetGregorianMonthName(g.month);
    cells[1] = HebrewDayMonthText(HebrewFromAbsolute(d), numerals);
    cells[2] = DayLabel(d, options);
    for (size_t i = 0; i < zmanim.size(); ++i)
      cells[firstTime + i] = TimeCell(zmanim[i].shown, zmanim[i].time, clock, reasons);
    for (const DayTime& t : times.Of(d)) {
      const std::optional<size_t> column = DayTimeColumnOf(t.kind);
      if (t.minorDay || !column) continue;  // the fast of the firstborn and the moments are not on the sheet
      std::string& cell = cells[firstDayTime + *column];
      if (!cell.empty()) cell += " ";
      cell += TimeCell(t.computed, t.time, clock, reasons);
      if (t.kind == DayTimeKind::kCandlesAfterNightfall && t.computed) {
        cell += std::string(kAfterNightfallMark);
        afterNightfall = true;
      }
    }
    text.weekStarts.push_back(!text.rows.empty() && WeekdayOf(d) == kSunday);
    text.rows.push_back(std::move(cells));
  }
  text.notes = SheetNotes(afterNightfall, reasons);
  return text;
}

std::string ZmanimSheetCsv(const ZmanimSheetText& text) {
  std::string csv = CsvLine(text.columns);
  for (const std::vector<std::string>& row : text.rows) csv += CsvLine(row);
  return csv;
}
