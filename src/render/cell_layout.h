// The layout of one day cell of the month view: its day numbers and its
// lines of information fitted into the cell's rectangle. Font sizes shrink
// from the configured ones when the cell is too small, every line is fitted
// to the cell's width (shrunk, or cut with an ellipsis), and when the lines
// still do not fit the least important go first. No line goes silently: a
// cell that gives lines up ends in one "+N more" line that counts them and
// whose hint names them. The same layout serves the screen and paper; it
// only measures, and the painter draws what it returns.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "render/drawing.h"
#include "render/font_book.h"

// What a line of a cell is. Its row in kCellLineKinds says where it stands
// and how soon it is given up.
enum class CellLineKind : int {
  kHoliday,
  kTodayNote,       // today's Hebrew date since sunset, once the day has turned
  kTime,            // candle lighting, havdalah, the end of a fast
  kFastTime,        // "Fast begins 05:12AM", and a fast's end when the time slot is taken
  kSection,         // the weekly Torah section
  kSpecialShabbat,  // Shabbat Shekalim, Shabbat HaGadol, ...
  kRoshKhodesh,
  kYizkor,
  kAnniversary,
  kOmer,
  kMinorDay,        // Yom Kippur Katan, BeHaB, Kiddush Levana, the tekufa, ...
  kDafYomi,
  kLearning,        // the other study cycles chosen, below Daf Yomi
  kCount
};

// Where a line stands in its cell.
enum class CellPlace : int {
  kNumberRow,  // between the two day numbers when it fits there (the first such line only), else as kFlow
  kFlow,       // below the day numbers, in the order given
  kBottom,     // on the cell's lower edge, in the order given, the last one lowest
};

struct CellLineKindRow {
  CellLineKind kind;
  CellPlace place;
  // When the lines do not fit, those of the highest rank are given up
  // first. The holiday is kept longest.
  int dropRank;
  // The lines of this kind carry times and have one size through the month
  // (see SizeTimeLines): a shorter one is not drawn larger than the rest.
  bool monthSize;
};

// One row per kind, in the order of CellLineKind.
inline constexpr CellLineKindRow kCellLineKinds[] = {
    {CellLineKind::kHoliday, CellPlace::kFlow, 0, false},
    {CellLineKind::kTodayNote, CellPlace::kFlow, 1, false},
    {CellLineKind::kTime, CellPlace::kNumberRow, 2, true},
    {CellLineKind::kFastTime, CellPlace::kFlow, 2, true},
    {CellLineKind::kSection, CellPlace::kFlow, 3, false},
    {CellLineKind::kSpecialShabbat, CellPlace::kFlow, 3, false},
    {CellLineKind::kRoshKhodesh, CellPlace::kFlow, 4, false},
    {CellLineKind::kYizkor, CellPlace::kFlow, 5, false},
    {CellLineKind::kAnniversary, CellPlace::kFlow, 6, false},
    {CellLineKind::kOmer, CellPlace::kFlow, 7, false},
    {CellLineKind::kMinorDay, CellPlace::kFlow, 7, true},
    {CellLineKind::kDafYomi, CellPlace::kBottom, 8, false},
    {CellLineKind::kLearning, CellPlace::kBottom, 9, false},
};
static_assert(sizeof(kCellLineKinds) / sizeof(kCellLineKinds[0]) == static_cast<size_t>(CellLineKind::kCount),
              "one row per kind");

// The "+N more" line of the lines that do not fit is kept even after lines
// of every other kind but the holiday. It stands last, under the lines on
// the lower edge. A cell too small for it names the lines given up in the
// hint of its Gregorian day number.
inline constexpr int kMoreLineDropRank = 1;

struct CellLine {
  CellLineKind kind;
  FontRole role;
  DrawingColor color;
  std::string text;
  std::string hint;  // hover hint of the line ("" for none)
  // Shown instead of `text` where it fits whole ("00:02 (after midnight)"),
  // or empty.
  std::string longer = {};
  // Shown instead of `text` where `longer` does not fit but this does
  // ("✡ 04:11PM"), or empty.
  std::string marked = {};
};

// Everything a cell shows, lines in the order they stand.
struct CellContent {
  std::string gregorianNumber;  // drawn at the left
  std::string hebrewNumber;     // drawn at the right
  DrawingColor gregorianColor;
  DrawingColor hebrewColor;
  std::string gregorianHint;
  std::string hebrewHint;
  std::vector<CellLine> lines;
  // The size of the Gregorian day number in percent of the Hebrew one's:
  // smaller in the month view by Hebrew months.
  int gregorianPercent = 100;
};

struct CellBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct CellLayoutOptions {
  int inset = 0;           // from the cell's edges to any text
  int numberGap = 0;       // least room between a day number and a text beside it
  // The range of scales (percent of the configured sizes) the texts may
  // take, tried from the largest down.
  int largestScale = 100;
  int smallestScale = 60;
  std::string ellipsis = "...";
  std::string moreFormat = "+%d more";  // a format with one %d
  // The largest size of the lines of each kind, 0 for their scaled size.
  std::array<int, static_cast<size_t>(CellLineKind::kCount)> kindSize{};
};

// A text placed in the cell, drawn left-aligned at (box.x, box.y).
struct PlacedText {
  DrawingFont font = nullptr;
  DrawingColor color;
  CellBox box;
  std::string text;
  std::string hint;
  bool isMoreLine = false;
};

struct CellLayout {
  std::vector<PlacedText> texts;
  int scale = 100;          // percent of the configured sizes used
  int droppedLines = 0;     // lines given up, of every kind: the N of "+N more"
  int hiddenAnniversaries = 0;  // anniversaries among them
};

// Lays `content` out in `cell`: at the largest scale of the options' range
// at which every line fits, else at the smallest, giving lines up.
CellLayout LayoutCell(FontBook& fonts, const CellBox& cell, const CellContent& content,
                      const CellLayoutOptions& options);

// The largest scale of the options' range at which all lines of `content`
// fit, its anniversaries counted as one line (one of them, or the "+N more"
// line); the smallest of the range when none does. The scale a whole month
// is drawn at is the least of its cells', so the texts of all cells have the
// same sizes.
int LargestFittingScale(FontBook& fonts, const CellBox& cell, const CellContent& content,
                        const CellLayoutOptions& options);

// Sets options.kindSize of each kind that has one size through the month
// (kCellLineKinds' monthSize) to the largest size at which every line of
// that kind in `contents` fits the width of `cell` at options.largestScale,
// or to the smallest size when one does not fit even there (it is cut).
// The cells of a month share one width.
void SizeTimeLines(FontBook& fonts, const CellBox& cell, const std::vector<CellContent>& contents,
                   CellLayoutOptions& options);
