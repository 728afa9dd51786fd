// The zmanim sheet: a month of days on one page, a row per day with its
// dates, its holiday or Torah section, the zmanim the user chose and the
// day's candle-lighting, havdalah and fast times. Every time is one that
// the zmanim list or DayTimes gives for its day: nothing here computes one.
#pragma once

#include <string>
#include <vector>

#include "calendar/types.h"
#include "compose/options.h"

// The days of a sheet: a Gregorian month, or a Hebrew month (1..13, Nisan
// first, as the calendar counts them).
struct ZmanimSheetMonth {
  int month = 0;
  int year = 0;
  bool hebrew = false;
};
// True when the month exists and all its days lie in the years the
// program accepts.
bool ZmanimSheetMonthValid(const ZmanimSheetMonth& m);
AbsoluteDay ZmanimSheetFirstDay(const ZmanimSheetMonth& m);
AbsoluteDay ZmanimSheetLastDay(const ZmanimSheetMonth& m);

// What a column holds: text from the reading side, or times, centred (the
// candles in red, the fasts in their colour).
enum class ZmanimSheetColumn { kText, kTime, kCandles, kFast };

// The sheet's title: "Zmanim of December 2026", "Zmanim of Nisan 5787".
std::string ZmanimSheetTitle(const ZmanimSheetMonth& m, bool hebrewNumerals);

// Everything the sheet shows, translated: the title, the heading lines, the
// column titles and one line of cells per day, in reading order, and notes
// under the table.
struct ZmanimSheetText {
  std::string title;
  // The place and calculation line; room for more lines (a community's
  // customs) that the painter sets the same way.
  std::vector<std::string> heading;
  std::vector<std::string> columns;
  std::vector<ZmanimSheetColumn> kinds;  // per column
  size_t labelColumn = 0;                // the column that is cut when the page is too narrow
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> weekStarts;  // per row: a Sunday after the first row, set off by a line
  std::vector<std::string> notes;
  bool rightToLeft = false;
};

// The sheet of month `m` under the options: their city, clock, opinions and
// rules. Empty rows when the city is not found.
ZmanimSheetText ZmanimSheetTextOf(const ZmanimSheetMonth& m, const Options& options);

// The column titles and the rows as RFC 4180 CSV: UTF-8, lines ended by
// CR LF, a field quoted when it holds a comma, a quote or a line break.
std::string ZmanimSheetCsv(const ZmanimSheetText& text);
