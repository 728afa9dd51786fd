// The page of the year sheet: its table laid out so that no two columns
// touch, at the largest type size that fits the rows on one page, on two
// pages (or more) when even the smallest size does not. Text widths are
// those the printer shows (the Drawing measures them from the print fonts).
// In Yiddish and Hebrew the columns run from right to left.
#pragma once

#include <array>
#include <cstdio>
#include <functional>
#include <string>

#include "compose/year_sheet.h"
#include "render/drawing.h"
#include "render/sheet_page.h"

struct YearSheetLayout {
  int size = kSheetLargestSize;  // of the table and the heading; the title is larger
  int pages = 1;
  int rowsPerPage = 0;
  int rowHeight = 0;
  // Each column's left edge and width from the area's left edge, as read
  // left to right (mirrored on the page for a right-to-left language).
  std::array<int, kSheetColumnCount> x{};
  std::array<int, kSheetColumnCount> width{};
  bool labelsCut = false;  // some label had to be shortened to its column
};

// The layout of `text` in `area`.
YearSheetLayout LayoutYearSheet(Drawing& drawing, const PaintArea& area, const YearSheetText& text);

// Paints the sheet; `nextPage` ends a page before the next one begins.
// Returns the layout it painted by.
YearSheetLayout PaintYearSheet(Drawing& drawing, const PaintArea& area, const YearSheetText& text,
                               const std::function<void()>& nextPage);

// The sheet as PostScript onto `stream`, or as PostScript or PDF into the
// file `path`, which is replaced only when the whole printout was made.
// False with the reason in `error`, also when the page needs the Hebrew
// print font and it cannot be read.
bool YearSheetToStream(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                       const YearSheetText& text, const Options& options, std::string* error);
// The sheet in memory as PostScript or (with `pdf`) as PDF.
bool YearSheetBytes(const PaintArea& area, int paperWidth, int paperHeight, int colorFlag, const YearSheetText& text,
                    bool pdf, const Options& options, std::string* bytes, std::string* error);
bool YearSheetToFile(const std::string& path, bool pdf, const PaintArea& area, int paperWidth, int paperHeight,
                     int colorFlag, const YearSheetText& text, const Options& options, std::string* error);
