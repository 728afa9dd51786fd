// The zmanim of the selected day in the free end of the month grid's last
// row: name and time pairs in as many columns as needed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/types.h"
#include "compose/options.h"
#include "render/drawing.h"
#include "render/font_book.h"

struct ZmanimPanelEntry {
  std::string name;
  std::string value;
};

// Splits a zmanim text into entries at the first ": " of each line; lines
// without ": " (the heading lines) are skipped.
std::vector<ZmanimPanelEntry> ZmanimPanelEntries(std::string_view zmanimText);

// The panel's heading: the lines of a zmanim text that are not entries
// (the date and the place), joined by ", ".
std::string ZmanimPanelHeading(std::string_view zmanimText);

// Draws the panel for day d in the rectangle: the heading, then the entries
// in as many columns as needed, in the zmanim font of `fonts`, shrunk until
// the columns fit the panel's width (and names cut with an ellipsis when
// they do not fit even at the smallest size).
void PaintInternal_Zmanim(AbsoluteDay d, const Options& options, int x, int y, int width, int height, FontBook& fonts);
