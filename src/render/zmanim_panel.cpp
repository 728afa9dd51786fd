#include "render/zmanim_panel.h"

#include <algorithm>

#include "render/colors.h"
#include "compose/zmanim_text.h"

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

std::string ZmanimPanelHeading(std::string_view text) {
  std::string heading;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.find(": ") == std::string_view::npos) {
      if (!heading.empty()) heading += ", ";
      heading += line;
    }
    start = end + 1;
  }
  return heading;
}

namespace {

// The heading is drawn in the bold weight of the weekday names, at the
// size of the entries.
constexpr FontRole kHeadingRole = kFontWeekdays;
constexpr const char* kEllipsis = "\xE2\x80\xA6";

struct PanelColumns {
  int size = 0;
  int perColumn = 0;
  std::vector<int> nameWidths;   // widest name of each column
  std::vector<int> valueWidths;  // widest value of each column
  int width = 0;                 // of all columns with their gaps
};

PanelColumns ColumnsAt(FontBook& fonts, const std::vector<ZmanimPanelEntry>& entries, int size, int height,
                       int gap, int columnGap) {
  PanelColumns c;
  c.size = size;
  const int lineHeight = fonts.Height(kFontZmanim, size);
  c.perColumn = lineHeight > 0 ? (height - fonts.Height(kHeadingRole, size)) / lineHeight : 0;
  if (c.perColumn <= 0) return c;
  for (size_t first = 0; first < entries.size(); first += static_cast<size_t>(c.perColumn)) {
    const size_t last = std::min(entries.size(), first + static_cast<size_t>(c.perColumn));
    int name = 0, value = 0;
    for (size_t i = first; i < last; ++i) {
      name = std::max(name, fonts.Width(kFontZmanim, size, entries[i].name));
      value = std::max(value, fonts.Width(kFontZmanim, size, entries[i].value));
    }
    if (!c.nameWidths.empty()) c.width += columnGap;
    c.width += name + gap + value;
    c.nameWidths.push_back(name);
    c.valueWidths.push_back(value);
  }
  return c;
}

}  // namespace

void PaintInternal_Zmanim(AbsoluteDay d, const Options& options, int x, int y, int width, int height, FontBook& fonts) {
  Drawing& drawing = fonts.drawing();
  if (!options.look.backgroundImage) {
    const DrawingColor saved = drawing.GetColor();
    drawing.set_color(kCellGrey);
    drawing.fill_rectangle(x, y, width, height);
    drawing.set_color(saved);
  }
  Draw3DEffect(drawing, x, y, width, height, false);

  std::string text;
  GetZmanimForDay(d, options, &text);
  const std::vector<ZmanimPanelEntry> entries = ZmanimPanelEntries(text);
  const int pad = Get3DEffectSize(drawing) + drawing.get_x_unit(3);
  const int innerWidth = width - 2 * pad;
  const int innerHeight = height - 2 * pad;
  const int gap = drawing.get_x_unit(5);
  const int columnGap = drawing.get_x_unit(15);
  if (innerWidth <= 0 || innerHeight <= 0) return;

  // The largest size at which all columns fit, else the smallest.
  const int smallest = std::min(fonts.Smallest(), fonts.Size(kFontZmanim));
  PanelColumns columns;
  for (int size = fonts.Size(kFontZmanim); size >= smallest; --size) {
    columns = ColumnsAt(fonts, entries, size, innerHeight, gap, columnGap);
    if (columns.perColumn > 0 && columns.width <= innerWidth) break;
  }
  const int size = columns.size;
  const DrawingFont font = fonts.Font(kFontZmanim, size);
  const bool rtl = options.text.rightToLeft();
  const int start = rtl ? x + width - pad : x + pad;

  const FittedText heading = FitTextToWidth(fonts, kHeadingRole, size, size, ZmanimPanelHeading(text), innerWidth,
                                            kEllipsis);
  const int headingHeight = fonts.Height(kHeadingRole, size);
  if (headingHeight <= innerHeight) {
    const DrawingFont headingFont = fonts.Font(kHeadingRole, heading.size);
    if (rtl) {
      drawing.draw_string_right(headingFont, start, y + pad, heading.text);
    } else {
      drawing.draw_string_left(headingFont, start, y + pad, heading.text);
    }
  }
  if (columns.perColumn <= 0) return;

  // Columns that still do not fit share the width: names are cut to it.
  const int count = static_cast<int>(columns.nameWidths.size());
  const bool squeeze = columns.width > innerWidth;
  const int share = count > 0 ? (innerWidth - (count - 1) * columnGap) / count : innerWidth;
  const int lineHeight = fonts.Height(kFontZmanim, size);
  const int top = y + pad + headingHeight;
  int column = start;
  for (int col = 0; col < count; ++col) {
    const int valueWidth = columns.valueWidths[static_cast<size_t>(col)];
    const int nameWidth =
        squeeze ? std::max(0, share - gap - valueWidth) : columns.nameWidths[static_cast<size_t>(col)];
    const size_t first = static_cast<size_t>(col) * static_cast<size_t>(columns.perColumn);
    const size_t last = std::min(entries.size(), first + static_cast<size_t>(columns.perColumn));
    for (size_t i = first; i < last; ++i) {
      const int lineTop = top + static_cast<int>(i - first) * lineHeight;
      const std::string name =
          squeeze ? FitTextToWidth(fonts, kFontZmanim, size, size, entries[i].name, nameWidth, kEllipsis).text
                  : entries[i].name;
      if (rtl) {
        drawing.draw_string_right(font, column, lineTop, name);
        drawing.draw_string_right(font, column - nameWidth - gap, lineTop, entries[i].value);
      } else {
        drawing.draw_string_left(font, column, lineTop, name);
        drawing.draw_string_left(font, column + nameWidth + gap, lineTop, entries[i].value);
      }
    }
    const int advance = nameWidth + gap + valueWidth + columnGap;
    column += rtl ? -advance : advance;
  }
}
