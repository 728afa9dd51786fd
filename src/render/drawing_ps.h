// The PostScript backend of the drawing interface: the painter's operations
// become a one-page PostScript (level 2) program. The header is written when
// the Drawing is made, the closing "showpage" when it is destroyed.
//
// Coordinates are points (1/72 inch) in the painter's top-down frame; a
// painter y becomes page height - y. Fonts are the standard Helvetica and
// Courier, 6 points smaller than the screen sizes asked for. In Yiddish and
// Hebrew every font is "RTLFontB", the embedded Hebrew print font
// re-encoded for Hebrew text; in English with Hebrew numerals on the page
// embeds it too and shows in it the texts that hold Hebrew letters. Text
// widths are those the printer will show, read from the fonts' own metrics
// (render/ps_font_metrics.h).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "compose/options.h"
#include "render/drawing.h"

// A Drawing that writes to `stream` (which stays the caller's to close) for a
// page of `pageWidth` x `pageHeight` points, in colour when `colorFlag` is
// non-zero, else in black and white.
DrawingPtr drawing_ps_new(std::FILE* stream, int pageWidth, int pageHeight, int colorFlag, const Options& options);
// Ends the page and begins the next one of the same size; the fonts made
// stay usable. Does nothing for a Drawing that is not a PostScript one.
void drawing_ps_next_page(Drawing& drawing);
// Screen font sizes are larger than paper needs: a font asked for at n
// prints at n - kDrawingPsSizeReduction points.
inline constexpr int kDrawingPsSizeReduction = 6;
// Writes the footer and frees the Drawing with its fonts.
inline void drawing_ps_free(DrawingPtr& drawing) { drawing.reset(); }

// A text as the inside of a PostScript string literal: "(", ")" and "\" get
// a backslash, control characters become octal escapes, other bytes stay.
std::string drawing_ps_escape(std::string_view text);
