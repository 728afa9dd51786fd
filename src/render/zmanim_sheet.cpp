#include "render/zmanim_sheet.h"

#include <algorithm>

#include "render/colors.h"
#include "render/sheet_page.h"

namespace {

constexpr int kTitleLines = 3;  // a column title wraps onto at most this many lines, where its words allow
// Room to spare under a one-page table spreads its rows, up to half a line each.
constexpr int kMostLeadingPercent = 50;

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start < s.size()) {
    size_t end = s.find(' ', start);
    if (end == std::string::npos) end = s.size();
    if (end > start) words.push_back(s.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// `title` broken at its spaces into lines at most `width` wide (a word
// wider than that stands alone).
std::vector<std::string> WrapTitle(Drawing& d, DrawingFont font, const std::string& title, int width) {
  std::vector<std::string> lines;
  for (const std::string& word : Words(title)) {
    if (!lines.empty() && d.get_text_width(font, lines.back() + " " + word) <= width)
      lines.back() += " " + word;
    else
      lines.push_back(word);
  }
  if (lines.empty()) lines.emplace_back();
  return lines;
}

// The narrowest width from `least` on at which `title` wraps onto at most
// kTitleLines lines (its whole width at most).
int TitleWidth(Drawing& d, DrawingFont font, const std::string& title, int least) {
  const int whole = d.get_text_width(font, title);
  int width = least;
  while (width<whole&& static_cast<int>(WrapTitle(d, font, title, width).size())> kTitleLines) ++width;
  return width;
}

int HeadHeight(const SheetFonts& f, const ZmanimSheetText& text, int size, int titleLines) {
  return SheetHeadHeight(f, text.heading, size) + titleLines * f.height + 2;
}

int FootHeight(const SheetFonts& f, const ZmanimSheetText& text, int size, int pages) {
  return SheetFootHeight(f, text.notes, size, pages);
}

// The columns at one size: false when they do not fit across the area (the
// label column is then cut to what is left).
bool LayOutColumns(Drawing& d, const SheetFonts& f, const PaintArea& area, const ZmanimSheetText& text, int size,
                   ZmanimSheetLayout* layout) {
  const size_t n = text.columns.size();
  std::vector<int> natural(n, 0);
  for (size_t c = 0; c < n; ++c) {
    for (const std::string& word : Words(text.columns[c]))
      natural[c] = std::max(natural[c], d.get_text_width(f.bold, word));
    for (const auto& row : text.rows) natural[c] = std::max(natural[c], d.get_text_width(f.normal, row[c]));
    natural[c] = TitleWidth(d, f.bold, text.columns[c], natural[c]);
  }
  const int gaps = static_cast<int>(n) - 1;
  int fixed = size * gaps;
  for (size_t c = 0; c < n; ++c)
    if (c != text.labelColumn) fixed += natural[c];
  const int room = area.width - fixed;
  const bool fits = room >= natural[text.labelColumn];
  // Room to spare widens the gaps up to twice their size, then the label column.
  const int spare = fits ? room - natural[text.labelColumn] : 0;
  const int gap = size + std::min(gaps > 0 ? spare / gaps : 0, size);
  layout->width = natural;
  layout->width[text.labelColumn] = std::max(0, area.width - (fixed - size * gaps) - gap * gaps);
  layout->x.assign(n, 0);
  layout->titleLines.assign(n, {});
  layout->titleLineCount = 1;
  int x = 0;
  for (size_t c = 0; c < n; ++c) {
    layout->x[c] = x;
    x += layout->width[c] + gap;
    layout->titleLines[c] = WrapTitle(d, f.bold, text.columns[c], layout->width[c]);
    layout->titleLineCount = std::max(layout->titleLineCount, static_cast<int>(layout->titleLines[c].size()));
  }
  layout->labelsCut = !fits;
  return fits;
}

}  // namespace

ZmanimSheetLayout LayoutZmanimSheet(Drawing& d, const PaintArea& area, const ZmanimSheetText& text) {
  const long long rows = static_cast<long long>(text.rows.size());
  auto at = [&](int size, int pages) {
    const SheetFonts f = SheetFontsOf(d, size);
    ZmanimSheetLayout layout;
    layout.size = size;
    layout.pages = pages;
    layout.rowHeight = f.height;
    const bool across = LayOutColumns(d, f, area, text, size, &layout);
    const int room = area.height - HeadHeight(f, text, size, layout.titleLineCount) - FootHeight(f, text, size, pages);
    layout.rowsPerPage = std::max(1, room / f.height);
    if (pages == 1 && rows > 0 && rows <= layout.rowsPerPage) {
      const int spread = room / static_cast<int>(rows);
      layout.rowHeight = std::min(spread, f.height * (100 + kMostLeadingPercent) / 100);
    }
    return std::make_pair(layout, across);
  };
  return LargestSheetLayout<ZmanimSheetLayout>(rows, at);
}

ZmanimSheetLayout PaintZmanimSheet(Drawing& d, const PaintArea& area, const ZmanimSheetText& text,
                                   const std::function<void()>& nextPage) {
  const ZmanimSheetLayout layout = LayoutZmanimSheet(d, area, text);
  const SheetFonts f = SheetFontsOf(d, layout.size);
  const int size = layout.size;
  const bool rtl = text.rightToLeft;
  const bool color = d.get_color_mode() == kColorModeColor;
  const int rows = static_cast<int>(text.rows.size());
  const size_t columns = text.columns.size();

  auto left = [&](size_t c) {
    return rtl ? area.x + area.width - (layout.x[c] + layout.width[c]) : area.x + layout.x[c];
  };
  auto cell = [&](DrawingFont font, size_t c, int y, const std::string& s) {
    if (text.kinds[c] != ZmanimSheetColumn::kText)
      d.draw_string_center(font, left(c), layout.width[c], y, s);
    else if (rtl)
      d.draw_string_right(font, left(c) + layout.width[c], y, s);
    else
      d.draw_string_left(font, left(c), y, s);
  };
  auto colorOf = [&](size_t c) {
    if (text.kinds[c] == ZmanimSheetColumn::kCandles) return kRed;
    if (text.kinds[c] == ZmanimSheetColumn::kFast) return kFastTimeColor;
    return kBlack;
  };

  int row = 0;
  for (int page = 0; page < layout.pages; ++page) {
    if (page > 0) nextPage();
    DrawSheetHead(d, f, area, size, text.title, text.heading);
    int y = area.y + SheetHeadHeight(f, text.heading, size);
    // Column titles sit on the line above the rows.
    for (size_t c = 0; c < columns; ++c) {
      const auto& lines = layout.titleLines[c];
      int ly = y + (layout.titleLineCount - static_cast<int>(lines.size())) * f.height;
      for (const std::string& line : lines) {
        cell(f.bold, c, ly, line);
        ly += f.height;
      }
    }
    y += layout.titleLineCount * f.height;
    d.draw_line(area.x, y, area.x + area.width, y);
    y += 2;

    const int pad = (layout.rowHeight - f.height) / 2;  // the text in the middle of its row
    const int end = std::min(rows, row + layout.rowsPerPage);
    for (int first = row; row < end; ++row) {
      if (color && row % 2 == 1) {
        d.set_color(kSheetStripe);
        d.fill_rectangle(area.x, y, area.width, layout.rowHeight);
      }
      d.set_color(kBlack);
      if (row > first && text.weekStarts[static_cast<size_t>(row)]) d.draw_line(area.x, y, area.x + area.width, y);
      const auto& cells = text.rows[static_cast<size_t>(row)];
      for (size_t c = 0; c < columns; ++c) {
        if (cells[c].empty()) continue;
        d.set_color(colorOf(c));
        cell(f.normal, c, y + pad,
             c == text.labelColumn ? SheetCutToWidth(d, f.normal, cells[c], layout.width[c]) : cells[c]);
      }
      y += layout.rowHeight;
    }
    DrawSheetFoot(d, f, area, y, size, rtl, text.notes, page, layout.pages);
  }
  return layout;
}

bool ZmanimSheetToStream(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                         const ZmanimSheetText& text, const Options& options, std::string* error) {
  return SheetToStream(
      stream, paperWidth, paperHeight, colorFlag, options,
      [&](Drawing& d, const std::function<void()>& nextPage) { PaintZmanimSheet(d, area, text, nextPage); }, error);
}

bool ZmanimSheetBytes(const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                      const ZmanimSheetText& text, bool pdf, const Options& options, std::string* bytes,
                      std::string* error) {
  return SheetBytes(
      paperWidth, paperHeight, colorFlag, options,
      [&](Drawing& d, const std::function<void()>& nextPage) { PaintZmanimSheet(d, area, text, nextPage); }, pdf,
      bytes, error);
}

bool ZmanimSheetToFile(const std::string& path, bool pdf, const PaintArea& area, int paperWidth, int paperHeight,
                       int colorFlag, const ZmanimSheetText& text, const Options& options, std::string* error) {
  return SheetToFile(
      path, pdf, paperWidth, paperHeight, colorFlag, options,
      [&](Drawing& d, const std::function<void()>& nextPage) { PaintZmanimSheet(d, area, text, nextPage); }, error);
}
