// Day-cell colours (Shabbat, Rosh Khodesh, holidays) and the bevelled
// frames of the month view.
#pragma once

#include <string_view>

#include "calendar/festival_table.h"
#include "calendar/types.h"
#include "render/drawing.h"

constexpr DrawingColor kBlack{0, 0, 0};
constexpr DrawingColor kWhite{65535, 65535, 65535};
constexpr DrawingColor kBlue{0, 0, 65535};
constexpr DrawingColor kRed{65535, 0, 0};
constexpr DrawingColor kFastTimeColor{36864, 0, 45056};  // the times of a fast: violet, apart from the red candles
constexpr DrawingColor kCellGrey{53248, 53248, 53248};      // ordinary day cell
constexpr DrawingColor kFrameDark{32768, 32768, 32768};
constexpr DrawingColor kFrameLight{50000, 50000, 50000};
constexpr DrawingColor kTodayMark{59392, 30720, 0};  // the bar along the top of today's cell: orange

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
