#include "render/zmanim_panel.h"

#include <algorithm>

#include "render/colors.h"
#include "base/settings.h"
#include "suntimes/zmanim.h"

namespace {
constexpr size_t kMaxField = 255;
}

std::vector<ZmanimPanelEntry> ZmanimPanelEntries(std::string_view text) {
  std::vector<ZmanimPanelEntry> entries;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    const size_t sep = line.find(": ");
    if (sep != std::string_view::npos) {
      entries.push_back({std::string(line.substr(0, std::min(sep, kMaxField))),
                         std::string(line.substr(sep + 2, kMaxField))});
    }
    start = end + 1;
  }
  return entries;
}

void PaintInternal_Zmanim(AbsoluteDay d, int x, int y, int width, int height, Drawing& drawing, DrawingFont font) {
  if (!isBackgroundImage()) {
    const DrawingColor saved = drawing.GetColor();
    drawing.set_color(kCellGrey);
    drawing.fill_rectangle(x, y, width, height);
    drawing.set_color(saved);
  }
  Draw3DEffect(drawing, x, y, width, height, false);

  std::string text;
  GetZmanimForDay(d, &text);
  const std::vector<ZmanimPanelEntry> entries = ZmanimPanelEntries(text);
  const int lineHeight = drawing.get_text_height(font);
  if (lineHeight <= 0) return;
  const int perColumn = height / lineHeight;
  if (perColumn <= 0) return;

  const bool rtl = isLanguageRightToLeft();
  int column = rtl ? x + width - 5 : x + 5;
  const size_t n = entries.size();
  for (size_t first = 0; first < n; first += static_cast<size_t>(perColumn)) {
    const size_t last = std::min(n, first + static_cast<size_t>(perColumn));
    int nameWidth = 0, valueWidth = 0;
    for (size_t i = first; i < last; ++i) {
      nameWidth = std::max(nameWidth, drawing.get_text_width(font, entries[i].name));
      valueWidth = std::max(valueWidth, drawing.get_text_width(font, entries[i].value));
    }
    const int gap = drawing.get_x_unit(5);
    for (size_t i = first; i < last; ++i) {
      const int top = y + static_cast<int>(i - first) * lineHeight;
      if (rtl) {
        drawing.draw_string_right(font, column, top, entries[i].name);
        drawing.draw_string_right(font, column - nameWidth - gap, top, entries[i].value);
      } else {
        drawing.draw_string_left(font, column, top, entries[i].name);
        drawing.draw_string_left(font, column + nameWidth + gap, top, entries[i].value);
      }
    }
    const int advance = nameWidth + valueWidth + drawing.get_x_unit(20);
    column += rtl ? -advance : advance;
  }
}
