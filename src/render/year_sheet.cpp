#include "render/year_sheet.h"

#include <algorithm>

#include "render/colors.h"
#include "render/sheet_page.h"

namespace {

// The height of everything above the rows and below them on a page.
int HeadHeight(const SheetFonts& f, const YearSheetText& text, int size) {
  return SheetHeadHeight(f, text.heading, size) + f.height + 2;
}
int FootHeight(const SheetFonts& f, const YearSheetText& text, int size, int pages) {
  return SheetFootHeight(f, text.notes, size, pages);
}

// The columns at one size: false when they do not fit across the area
// (the label column may then still be cut to what is left).
bool LayOutColumns(Drawing& d, const SheetFonts& f, const PaintArea& area, const YearSheetText& text, int size,
                   YearSheetLayout* layout) {
  std::array<int, kSheetColumnCount> natural{};
  for (int c = 0; c < kSheetColumnCount; ++c) {
    natural[c] = d.get_text_width(f.bold, text.columns[c]);
    for (const auto& row : text.rows) natural[c] = std::max(natural[c], d.get_text_width(f.normal, row[c]));
  }
  const int gaps = kSheetColumnCount - 1;
  int fixed = size * gaps;
  for (int c = 0; c < kSheetColumnCount; ++c)
    if (c != kSheetLabel) fixed += natural[c];
  const int room = area.width - fixed;
  const bool fits = room >= natural[kSheetLabel];
  // Room to spare widens the gaps, up to three times their size, and then
  // the label column.
  const int spare = fits ? room - natural[kSheetLabel] : 0;
  const int gap = size + std::min(spare / gaps, 2 * size);
  layout->width = natural;
  layout->width[kSheetLabel] = std::max(0, area.width - (fixed - size * gaps) - gap * gaps);
  int x = 0;
  for (int c = 0; c < kSheetColumnCount; ++c) {
    layout->x[c] = x;
    x += layout->width[c] + gap;
  }
  layout->labelsCut = !fits;
  return fits;
}

}  // namespace

YearSheetLayout LayoutYearSheet(Drawing& d, const PaintArea& area, const YearSheetText& text) {
  const long long rows = static_cast<long long>(text.rows.size());
  // The layout at one size on `pages` pages.
  auto at = [&](int size, int pages) {
    const SheetFonts f = SheetFontsOf(d, size);
    YearSheetLayout layout;
    layout.size = size;
    layout.pages = pages;
    layout.rowHeight = f.height;
    layout.rowsPerPage =
        std::max(1, (area.height - HeadHeight(f, text, size) - FootHeight(f, text, size, pages)) / f.height);
    const bool across = LayOutColumns(d, f, area, text, size, &layout);
    return std::make_pair(layout, across);
  };
  return LargestSheetLayout<YearSheetLayout>(rows, at);
}

YearSheetLayout PaintYearSheet(Drawing& d, const PaintArea& area, const YearSheetText& text,
                               const std::function<void()>& nextPage) {
  const YearSheetLayout layout = LayoutYearSheet(d, area, text);
  const SheetFonts f = SheetFontsOf(d, layout.size);
  const int size = layout.size;
  const bool rtl = text.rightToLeft;
  const bool color = d.get_color_mode() == kColorModeColor;
  const int rows = static_cast<int>(text.rows.size());

  auto left = [&](int c) { return rtl ? area.x + area.width - (layout.x[c] + layout.width[c]) : area.x + layout.x[c]; };
  // A cell: times centred, other texts from the reading side.
  auto cell = [&](DrawingFont font, int c, int y, const std::string& s) {
    if (IsYearSheetTimeColumn(c))
      d.draw_string_center(font, left(c), layout.width[c], y, s);
    else if (rtl)
      d.draw_string_right(font, left(c) + layout.width[c], y, s);
    else
      d.draw_string_left(font, left(c), y, s);
  };
  auto colorOf = [](int c) {
    if (c == kSheetCandles) return kRed;
    if (c == kSheetFastBegins || c == kSheetFastEnds) return kFastTimeColor;
    return kBlack;
  };

  int row = 0;
  for (int page = 0; page < layout.pages; ++page) {
    if (page > 0) nextPage();
    DrawSheetHead(d, f, area, size, text.title, text.heading);
    int y = area.y + SheetHeadHeight(f, text.heading, size);
    for (int c = 0; c < kSheetColumnCount; ++c) cell(f.bold, c, y, text.columns[c]);
    y += f.height;
    d.draw_line(area.x, y, area.x + area.width, y);
    y += 2;

    const int end = std::min(rows, row + layout.rowsPerPage);
    for (int first = row; row < end; ++row) {
      if (color && row % 2 == 1) {
        d.set_color(kSheetStripe);
        d.fill_rectangle(area.x, y, area.width, layout.rowHeight);
      }
      d.set_color(kBlack);
      if (row > first && text.monthStarts[static_cast<size_t>(row)]) d.draw_line(area.x, y, area.x + area.width, y);
      const auto& cells = text.rows[static_cast<size_t>(row)];
      for (int c = 0; c < kSheetColumnCount; ++c) {
        if (cells[c].empty()) continue;
        d.set_color(colorOf(c));
        cell(f.normal, c, y, c == kSheetLabel ? SheetCutToWidth(d, f.normal, cells[c], layout.width[c]) : cells[c]);
      }
      y += layout.rowHeight;
    }
    DrawSheetFoot(d, f, area, y, size, rtl, text.notes, page, layout.pages);
  }
  return layout;
}

bool YearSheetToStream(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                       const YearSheetText& text, const Options& options, std::string* error) {
  return SheetToStream(
      stream, paperWidth, paperHeight, colorFlag, options,
      [&](Drawing& d, const std::function<void()>& nextPage) { PaintYearSheet(d, area, text, nextPage); }, error);
}

bool YearSheetBytes(const PaintArea& area, int paperWidth, int paperHeight, int colorFlag, const YearSheetText& text,
                    bool pdf, const Options& options, std::string* bytes, std::string* error) {
  return SheetBytes(
      paperWidth, paperHeight, colorFlag, options,
      [&](Drawing& d, const std::function<void()>& nextPage) { PaintYearSheet(d, area, text, nextPage); }, pdf, bytes,
      error);
}

bool YearSheetToFile(const std::string& path, bool pdf, const PaintArea& area, int paperWidth, int paperHeight,
                     int colorFlag, const YearSheetText& text, const Options& options, std::string* error) {
  return SheetToFile(
      path, pdf, paperWidth, paperHeight, colorFlag, options,
      [&](Drawing& d, const std::function<void()>& nextPage) { PaintYearSheet(d, area, text, nextPage); }, error);
}
