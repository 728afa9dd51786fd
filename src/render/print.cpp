#include "render/print.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "render/drawing_ps.h"
#include "render/pdf.h"
#include "render/month_painter.h"
#include "render/ps_text_encoding.h"
#include "base/file_util.h"
#include "compose/options.h"
#include "base/text_format.h"
#include "base/translate.h"

const std::array<PrintPaperFormat, 3> PrintPaperFormats = {{
    {"Letter", "US Letter (8.5x11 inches)", 8.5, 11, kUnitInches},  // 612 x 792 points
    {"Legal", "US Legal (8.5x14 inches)", 8.5, 14, kUnitInches},    // 612 x 1008 points
    {"A4", "ISO A4 (210x297 mm)", 210, 297, kUnitMillimeters},      // 595 x 841 points
}};

namespace {

// No margin is wider than this many millimetres (far more than any paper).
constexpr double kMaxMarginMm = 10000;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

int PrintConvertMillimetersToPostscript(int mm) { return static_cast<int>(mm * 2.834645669291339); }

int PrintConvertInchesToPostscript(double inches) { return static_cast<int>(72 * inches); }

const PrintPaperFormat* PrintFindPaperFormat(std::string_view name) {
  for (const PrintPaperFormat& f : PrintPaperFormats)
    if (EqualIgnoringCase(f.name, name)) return &f;
  return nullptr;
}

void PrintSetPaper(PrintJob& job, const PrintPaperFormat& format, bool landscape) {
  auto points = [&](double v) {
    return format.unit == kUnitInches ? PrintConvertInchesToPostscript(v)
                                      : PrintConvertMillimetersToPostscript(static_cast<int>(v));
  };
  job.paperName = std::string(format.name);
  job.paperWidth = points(format.width);
  job.paperHeight = points(format.height);
  job.orientation = landscape ? 1 : 0;
  if (landscape) std::swap(job.paperWidth, job.paperHeight);
}

std::optional<int> PrintParseMarginMillimeters(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                             text[i] == '\f' || text[i] == '\v'))
    ++i;
  if (i == text.size()) return i == 0 ? std::optional<int>(0) : std::nullopt;
  if (text[i] == '+') ++i;
  // from_chars reads the number the same way whatever the locale says about
  // decimal separators; "inf", "nan" and hexadecimal are not margins.
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  if (first == last || !((*first >= '0' && *first <= '9') || *first == '.')) return std::nullopt;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != last || !std::isfinite(value) || value > kMaxMarginMm) return std::nullopt;
  return static_cast<int>(value);
}

void PrintSetMargins(PrintJob& job, int leftMm, int topMm, int rightMm, int bottomMm) {
  job.leftMargin = PrintConvertMillimetersToPostscript(leftMm);
  job.topMargin = PrintConvertMillimetersToPostscript(topMm);
  job.rightMargin = PrintConvertMillimetersToPostscript(rightMm);
  job.bottomMargin = PrintConvertMillimetersToPostscript(bottomMm);
}

PaintArea PrintArea(const PrintJob& job) {
  return {job.leftMargin, job.topMargin, job.paperWidth - job.leftMargin - job.rightMargin,
          job.paperHeight - job.topMargin - job.bottomMargin};
}

bool PrintAreaIsUsable(const PrintJob& job) {
  const PaintArea a = PrintArea(job);
  return a.width > 0 && a.height > 0 && 2 * a.width >= job.paperWidth && 2 * a.height >= job.paperHeight;
}

std::string PrintCheckYiddishFont(const Options& options) {
  // Yiddish and Hebrew pages print every text in it; English pages only
  // the Hebrew dates in Hebrew numerals.
  if (!options.text.rightToLeft() && !options.text.hebrewNumerals) return std::string();
  const std::string file = ps_unicode_font_file(options.look.printFontFile);
  std::string content;
  if (!ReadWholeFile(file, content)) {
    return FormatText(translate_perform("The Hebrew print font %s cannot be read: %s"), {file, std::strerror(errno)});
  }
  if (ps_unicode_get_font_name_from_file(file).empty())
    return FormatText(translate_perform("The Hebrew print font %s is not a PostScript font"), {file});
  return std::string();
}

namespace {

bool PaintPostScript(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                     const GregorianDate& month, const Options& options, std::string* error, MonthKind kind) {
  {
    DrawingPtr drawing = drawing_ps_new(stream, paperWidth, paperHeight, colorFlag, options);
    PaintPrintIt(*drawing, area, month, options, kind);
    drawing_ps_free(drawing);
  }
  if (std::fflush(stream) != 0 || std::ferror(stream)) {
    if (error) *error = FormatText(translate_perform("Could not write the printout: %s"), {std::strerror(errno)});
    return false;
  }
  return true;
}

// Without its font a Yiddish or Hebrew page would print in the wrong letters.
bool FontUsable(const Options& options, std::string* error) {
  const std::string problem = PrintCheckYiddishFont(options);
  if (problem.empty()) return true;
  if (error) *error = problem;
  return false;
}

}  // namespace

bool PrintToStream(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                   const GregorianDate& month, const Options& options, std::string* error, MonthKind kind) {
  return FontUsable(options, error) && PaintPostScript(stream, area, paperWidth, paperHeight, colorFlag, month, options, error, kind);
}

bool PrintToFile(const std::string& path, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                 const GregorianDate& month, const Options& options, std::string* error, MonthKind kind) {
  if (!FontUsable(options, error)) return false;
  FilePtr file = OpenFile(path, "w");
  if (!file) {
    if (error) *error = FormatText(translate_perform("Could not open %s for writing: %s"), {path, std::strerror(errno)});
    return false;
  }
  if (!PaintPostScript(file.get(), area, paperWidth, paperHeight, colorFlag, month, options, error, kind)) return false;
  if (std::fclose(file.release()) != 0) {
    if (error) *error = FormatText(translate_perform("Could not write %s: %s"), {path, std::strerror(errno)});
    return false;
  }
  return true;
}

bool PrintToPdf(const PaintArea& area, int paperWidth, int paperHeight, int colorFlag, const GregorianDate& month,
                const Options& options, std::string* pdf, std::string* error, MonthKind kind) {
  return PrintoutBytes(
      [&](std::FILE* stream, std::string* why) {
        return PrintToStream(stream, area, paperWidth, paperHeight, colorFlag, month, options, why, kind);
      },
      true, pdf, error);
}

bool PrintJobToPdfFile(const PrintJob& job, const std::string& path, const GregorianDate& month, const Options& options, std::string* error,
                       MonthKind kind) {
  // The PDF takes a moment to make: find out first whether it can be saved.
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  if (::access(dir.c_str(), W_OK | X_OK) != 0) {
    if (error) *error = FormatText(translate_perform("Could not open %s for writing: %s"), {path, std::strerror(errno)});
    return false;
  }
  std::string pdf;
  if (!PrintToPdf(PrintArea(job), job.paperWidth, job.paperHeight, job.color, month, options, &pdf, error, kind)) return false;
  return ReplaceFileAtomically(
      path, [&pdf](std::FILE* f) { return std::fwrite(pdf.data(), 1, pdf.size(), f) == pdf.size(); }, error);
}

bool PrintJobToFile(const PrintJob& job, const std::string& path, const GregorianDate& month, const Options& options, std::string* error,
                    MonthKind kind) {
  return PrintToFile(path, PrintArea(job), job.paperWidth, job.paperHeight, job.color, month, options, error, kind);
}
