// The zmanim of the selected day in the free end of the month grid's last
// row: name and time pairs in as many columns as needed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/types.h"
#include "render/drawing.h"

struct ZmanimPanelEntry {
  std::string name;
  std::string value;
};

// Splits a zmanim text into entries at the first ": " of each line; lines
// without ": " (the heading lines) are skipped.
std::vector<ZmanimPanelEntry> ZmanimPanelEntries(std::string_view zmanimText);

// Draws the panel for day d in the rectangle, with the zmanim font.
void PaintInternal_Zmanim(AbsoluteDay d, int x, int y, int width, int height, Drawing& drawing, DrawingFont font);
