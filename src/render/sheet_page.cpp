#include "render/sheet_page.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/file_util.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "base/utf8.h"
#include "render/colors.h"
#include "render/drawing_ps.h"
#include "render/pdf.h"
#include "render/print.h"

namespace {

constexpr int kTitleGrowth = 4;  // the title is this many points larger than the table
constexpr std::string_view kEllipsis = "...";

}  // namespace

SheetFonts SheetFontsOf(Drawing& d, int size) {
  SheetFonts f;
  f.normal = d.use_font("helvetica", size + kDrawingPsSizeReduction, "normal", "r");
  f.bold = d.use_font("helvetica", size + kDrawingPsSizeReduction, "bold", "r");
  f.title = d.use_font("helvetica", size + kTitleGrowth + kDrawingPsSizeReduction, "bold", "r");
  f.height = std::max(d.get_text_height(f.normal), d.get_text_height(f.bold));
  f.titleHeight = d.get_text_height(f.title);
  return f;
}

std::string SheetCutToWidth(Drawing& d, DrawingFont font, const std::string& text, int width) {
  if (d.get_text_width(font, text) <= width) return text;
  size_t keep = text.size();
  while (keep > 0) {
    keep = Utf8CutLength(text, keep - 1);
    const std::string shorter = text.substr(0, keep) + std::string(kEllipsis);
    if (d.get_text_width(font, shorter) <= width) return shorter;
  }
  return std::string();
}

bool SheetToStream(std::FILE* stream, int paperWidth, int paperHeight, int colorFlag, const Options& options,
                   const SheetPainter& paint, std::string* error) {
  // Without its font a Yiddish or Hebrew page would print in the wrong letters.
  const std::string problem = PrintCheckYiddishFont(options);
  if (!problem.empty()) {
    if (error) *error = problem;
    return false;
  }
  {
    DrawingPtr drawing = drawing_ps_new(stream, paperWidth, paperHeight, colorFlag, options);
    Drawing& d = *drawing;
    paint(d, [&d] { drawing_ps_next_page(d); });
    drawing_ps_free(drawing);
  }
  if (std::fflush(stream) != 0 || std::ferror(stream)) {
    if (error) *error = FormatText(translate_perform("Could not write the printout: %s"), {std::strerror(errno)});
    return false;
  }
  return true;
}

int SheetHeadHeight(const SheetFonts& f, const std::vector<std::string>& heading, int size) {
  return f.titleHeight + size / 2 + static_cast<int>(heading.size()) * f.height + size / 2;
}

void DrawSheetHead(Drawing& d, const SheetFonts& f, const PaintArea& area, int size, const std::string& title,
                   const std::vector<std::string>& heading) {
  int y = area.y;
  d.set_color(kBlack);
  d.draw_string_center(f.title, area.x, area.width, y, SheetCutToWidth(d, f.title, title, area.width));
  y += f.titleHeight + size / 2;
  for (const std::string& line : heading) {
    d.draw_string_center(f.normal, area.x, area.width, y, SheetCutToWidth(d, f.normal, line, area.width));
    y += f.height;
  }
}

int SheetFootHeight(const SheetFonts& f, const std::vector<std::string>& notes, int size, int pages) {
  int h = 0;
  if (!notes.empty()) h += size / 2 + static_cast<int>(notes.size()) * f.height;
  if (pages > 1) h += size / 2 + f.height;
  return h;
}

void DrawSheetFoot(Drawing& d, const SheetFonts& f, const PaintArea& area, int y, int size, bool rightToLeft,
                   const std::vector<std::string>& notes, int page, int pages) {
  d.set_color(kBlack);
  if (page == pages - 1 && !notes.empty()) {
    y += size / 2;
    for (const std::string& line : notes) {
      const std::string note = SheetCutToWidth(d, f.normal, line, area.width);
      if (rightToLeft)
        d.draw_string_right(f.normal, area.x + area.width, y, note);
      else
        d.draw_string_left(f.normal, area.x, y, note);
      y += f.height;
    }
  }
  if (pages > 1) {
    const std::string number = std::to_string(page + 1) + "/" + std::to_string(pages);
    d.draw_string_center(f.normal, area.x, area.width, area.y + area.height - f.height, number);
  }
}

bool SheetBytes(int paperWidth, int paperHeight, int colorFlag, const Options& options, const SheetPainter& paint,
                bool pdf, std::string* bytes, std::string* error) {
  return PrintoutBytes(
      [&](std::FILE* stream, std::string* why) {
        return SheetToStream(stream, paperWidth, paperHeight, colorFlag, options, paint, why);
      },
      pdf, bytes, error);
}

bool SheetToFile(const std::string& path, bool pdf, int paperWidth, int paperHeight, int colorFlag,
                 const Options& options, const SheetPainter& paint, std::string* error) {
  std::string content;
  if (!SheetBytes(paperWidth, paperHeight, colorFlag, options, paint, pdf, &content, error)) return false;
  return ReplaceFileAtomically(
      path, [&content](std::FILE* f) { return std::fwrite(content.data(), 1, content.size(), f) == content.size(); },
      error);
}
