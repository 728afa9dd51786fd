// What the printed tables (the year sheet, the zmanim sheet) share: the
// range of their type sizes, their fonts at one size, a text cut to a
// width, the title and heading above the table and the notes and page
// number below it, and the PostScript or PDF run that paints their pages.
#pragma once

#include <cstdio>
#include <functional>
#include <algorithm>
#include <string>
#include <vector>

#include "compose/options.h"
#include "render/drawing.h"

// Type sizes in points on paper.
inline constexpr int kSheetLargestSize = 10;
inline constexpr int kSheetSmallestSize = 5;
inline constexpr DrawingColor kSheetStripe{61440, 61440, 61440};  // every other row, in colour

// The fonts of one size; the title's is larger.
struct SheetFonts {
  DrawingFont normal = nullptr;
  DrawingFont bold = nullptr;
  DrawingFont title = nullptr;
  int height = 0;
  int titleHeight = 0;
};
SheetFonts SheetFontsOf(Drawing& d, int size);

// `text` cut at a character boundary and ended with "..." so that it is at
// most `width` wide.
std::string SheetCutToWidth(Drawing& d, DrawingFont font, const std::string& text, int width);

// The pages `paint` draws (calling its `nextPage` between them) as PostScript
// onto `stream`. False with the reason in `error` when the page needs the
// Hebrew print font and it cannot be read, or the stream fails.
using SheetPainter = std::function<void(Drawing& d, const std::function<void()>& nextPage)>;
bool SheetToStream(std::FILE* stream, int paperWidth, int paperHeight, int colorFlag, const Options& options,
                   const SheetPainter& paint, std::string* error);

// The layout of `rows` rows at the largest size at which they go down the
// fewest pages and the columns across (the smallest size cuts labels when it
// must). `at(size, pages)` gives the layout at one size on that many pages
// (with its rowsPerPage) and whether its columns fit across.
template <typename Layout, typename At>
Layout LargestSheetLayout(long long rows, const At& at) {
  int pages = 1;
  for (;;) {
    for (int size = kSheetLargestSize; size >= kSheetSmallestSize; --size) {
      const auto [layout, across] = at(size, pages);
      if (static_cast<long long>(layout.rowsPerPage) * pages >= rows && (across || size == kSheetSmallestSize))
        return layout;
    }
    // Not even at the smallest size: as many pages as that size needs.
    const Layout smallest = at(kSheetSmallestSize, pages + 1).first;
    pages = static_cast<int>(std::max<long long>(pages + 1, (rows + smallest.rowsPerPage - 1) / smallest.rowsPerPage));
  }
}

// Draws the title and the heading lines centred from the top of `area`;
// the height they take (with the space under them) is SheetHeadHeight.
int SheetHeadHeight(const SheetFonts& f, const std::vector<std::string>& heading, int size);
void DrawSheetHead(Drawing& d, const SheetFonts& f, const PaintArea& area, int size, const std::string& title,
                   const std::vector<std::string>& heading);
// The height below the rows: the notes (on the last page) and "2/3" when
// there are several pages; DrawSheetFoot draws them from `y`.
int SheetFootHeight(const SheetFonts& f, const std::vector<std::string>& notes, int size, int pages);
void DrawSheetFoot(Drawing& d, const SheetFonts& f, const PaintArea& area, int y, int size, bool rightToLeft,
                   const std::vector<std::string>& notes, int page, int pages);

// The pages as PostScript or PDF bytes, and as a file replaced only once
// it is whole.
bool SheetBytes(int paperWidth, int paperHeight, int colorFlag, const Options& options, const SheetPainter& paint,
                bool pdf, std::string* bytes, std::string* error);
bool SheetToFile(const std::string& path, bool pdf, int paperWidth, int paperHeight, int colorFlag,
                 const Options& options, const SheetPainter& paint, std::string* error);
