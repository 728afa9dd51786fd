// Day-cell colours (Shabbat, Rosh Khodesh, holidays) and the bevelled
// frames of the month view. Every text colour reads on every cell colour,
// selected or not, and on today's mark at a contrast of at least 4.5:1
// (tests/data/text_contrast.tsv).
#pragma once

#include <string_view>

#include "calendar/festival_table.h"
#include "calendar/types.h"
#include "render/drawing.h"

constexpr DrawingColor kBlack{0, 0, 0};
constexpr DrawingColor kWhite{65535, 65535, 65535};
constexpr DrawingColor kBlue{0, 0, 49344};               // #0000C0: Hebrew dates, festival and section names
constexpr DrawingColor kRed{41120, 0, 0};                // #A00000: festival dates, candle lighting, havdalah
constexpr DrawingColor kFastTimeColor{28784, 0, 37008};  // #700090: the times of a fast, apart from the red candles
constexpr DrawingColor kCellGrey{56540, 56540, 56540};   // #DCDCDC: ordinary day cell, the month view's ground
// The selection's frame, drawn inside the bevel on any tint.
constexpr DrawingColor kSelectedFrame{0, 0, 32768};  // #000080
constexpr DrawingColor kFrameDark{32768, 32768, 32768};
constexpr DrawingColor kFrameLight{50000, 50000, 50000};
// The bar along the top of today's cell, in the gap above its texts: orange, apart from the selection's
// darker shade and navy frame.
constexpr DrawingColor kTodayMark{59392, 30720, 0};  // #E87800

// The selected day's cell: its own colour `cell` darker by a tenth.
constexpr DrawingColor SelectedCellColor(const DrawingColor& cell) {
  return {cell.red * 9 / 10, cell.green * 9 / 10, cell.blue * 9 / 10};
}

// Named colours: "light-green", "light-blue", "yellow" (all full: white),
// "light-red", "dark-red". Another name leaves `color` unchanged.
void PaintGetColor(std::string_view name, DrawingColor* color);
// Shabbat cells are "yellow" (white).
void GetShabbatColor(DrawingColor* color);
// Applies the colour of a holiday on day d: the Rosh Khodesh tint when d is
// Rosh Khodesh, then the holiday's own tint, if it has one (kNone for a day
// without a holiday).
void GetHolidayColor(AbsoluteDay d, CellTint tint, DrawingColor* color);
// Frame thickness: 2 units on the screen, 0 on paper.
int Get3DEffectSize(Drawing& drawing);
// A bevelled frame (screen) or a black outline (paper); raised unless pressed.
void Draw3DEffect(Drawing& drawing, int x, int y, int width, int height, bool pressed);
