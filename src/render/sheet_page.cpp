#include "render/sheet_page.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/text_format.h"
#include "base/translate.h"
#include "base/utf8.h"
#include "render/drawing_ps.h"
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
