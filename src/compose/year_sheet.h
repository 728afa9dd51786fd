// The rows of the year sheet: a year's Shabbat and festival times on one
// page, the table people hang on the wall. A row is an evening on which
// candles are lit (a Friday, the eve of a festival day, and the evening of
// a second festival day, whose candles are lit after nightfall), with the
// havdalah of the day on which that rest ends, or a fast with its begin and
// end. A fast on a Friday (the Tenth of Tevet can be) and the eve of Yom
// Kippur share the candles' row. Every time of a row is one that DayTimes
// gives for its day: nothing here decides a time or a festival date.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/types.h"
#include "compose/options.h"
#include "suntimes/day_times.h"

struct YearSheetRow {
  AbsoluteDay date = 0;            // the day of the row's first time
  AbsoluteDay day = 0;             // the day the row is for: the Shabbat or festival day, or the fast day
  std::string label;               // the festival(s), fast, or the Shabbat's Torah section, translated
  std::optional<DayTime> candles;  // kCandles or kCandlesAfterNightfall, on `date`
  std::optional<DayTime> havdalah;
  std::optional<DayTime> fastBegins;
  std::optional<DayTime> fastEnds;
  AbsoluteDay havdalahDate = 0;    // where havdalah is set
  AbsoluteDay fastBeginsDate = 0;  // where fastBegins is set
  AbsoluteDay fastEndsDate = 0;    // where fastEnds is set
};

// The days a sheet covers: a Gregorian year, or a Hebrew year (1 Tishri to
// 29 Elul).
struct YearSheetRange {
  AbsoluteDay first = 0;
  AbsoluteDay last = 0;
  bool hebrew = false;  // a Hebrew year, whose days begin at their evening
};
YearSheetRange GregorianYearSheetRange(int year);
YearSheetRange HebrewYearSheetRange(int year);
// The Hebrew years whose every day lies in the Gregorian years the program
// accepts.
int FirstHebrewSheetYear();
int LastHebrewSheetYear();

// The rows of the range, in order of their dates. A row keeps its times
// that fall just outside the range. In a Hebrew year they are the rows whose
// `day` lies in it: the sheet starts with the candles of Erev Rosh HaShana.
// In a Gregorian year they are the rows whose `date` lies in it, every
// Friday and festival eve of the year: a Friday on 31 December ends the
// sheet with the havdalah of 1 January. Labels are translated into the
// interface language; the Torah sections follow the rules of `times`.
std::vector<YearSheetRow> YearSheetRows(const DayTimes& times, const YearSheetRange& range);

// ------------------------------------------------------------ the texts

// The columns of the sheet, in reading order.
enum YearSheetColumn : int {
  kSheetWeekday,
  kSheetDate,
  kSheetHebrewDate,
  kSheetLabel,
  kSheetCandles,
  kSheetHavdalah,
  kSheetFastBegins,
  kSheetFastEnds,
  kSheetColumnCount
};
// True for the columns of times, which are centred; the others start at
// the reading side.
constexpr bool IsYearSheetTimeColumn(int column) { return column >= kSheetCandles; }

// Everything the sheet shows, translated: the title, the heading lines
// (city and zone, the minutes and degrees of the times), the column titles,
// one line of cells per row, and a note under the table.
struct YearSheetText {
  std::string title;
  std::vector<std::string> heading;
  std::array<std::string, kSheetColumnCount> columns;
  std::vector<std::array<std::string, kSheetColumnCount>> rows;
  std::vector<bool> monthStarts;  // per row: the row begins a new Gregorian month (not the first)
  // Notes under the table, each a line: what the mark of candles lit after
  // nightfall means, when a row has one; why the dashes have no time, when
  // the sun is the reason.
  std::vector<std::string> notes;
  bool rightToLeft = false;       // laid out right to left (the language)
};

// What the heading tells.
struct YearSheetSetup {
  int year = 0;
  bool hebrewYear = false;  // `year` is a Hebrew year
  std::string city;         // UTF-8
  std::string zone;         // "America/New_York", "UTC+2"
  int candleMinutes = 18;
  bool havdalahInMinutes = false;
  std::string havdalahValue;  // minutes or degrees below the horizon, as set
  bool hebrewNumerals = false;
  ClockStyle clock;  // how the times are written
  bool rightToLeft = false;  // the language is written right to left
  std::string zmanim;        // PrintoutZmanimHeading
};
// The setup from the options and the city file.
YearSheetSetup YearSheetSetupOf(int year, bool hebrewYear, const Options& options);

// The heading line of a printout with times: the city, its time zone and
// the sun calculation they come from, translated.
std::string PrintoutPlaceHeading(const Options& options);
// The heading line of the preset in force: "Zmanim: Chabad (Baal HaTanya)"
// or "Zmanim: Custom (from Chabad (Baal HaTanya))", translated.
std::string PrintoutZmanimHeading(const Options& options);

// The mark after a candle-lighting time lit after nightfall.
inline constexpr std::string_view kAfterNightfallMark = "*";
// The cell of a time that does not exist that day; a note says why.
inline constexpr std::string_view kNoTimeMark = "-";
// The notes under a sheet's table: the mark of candles lit after
// nightfall (when a row has one) and the sun's reasons for the dashes.
std::vector<std::string> SheetNotes(bool afterNightfall, const std::vector<std::string>& reasons);
// "a, b, c".
std::string JoinWithCommas(const std::vector<std::string>& parts);

YearSheetText YearSheetTextOf(const std::vector<YearSheetRow>& rows, const YearSheetSetup& setup);
// The whole sheet of a year under the options: their city, clock, times
// and rules.
YearSheetText YearSheetTextOf(int year, bool hebrewYear, const Options& options);
