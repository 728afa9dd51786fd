// What the printed tables (the year sheet, the zmanim sheet) share: the
// range of their type sizes, their fonts at one size, a text cut to a
// width, and the PostScript run that paints their pages.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

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
