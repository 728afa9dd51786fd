// Printing a month: paper formats, unit conversions, the print job the
// print dialog fills, and the path that paints the month onto PostScript.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/month_grid.h"
#include "calendar/types.h"
#include "compose/options.h"
#include "render/drawing.h"

enum PrintUnit : int { kUnitInches = 1, kUnitMillimeters = 2 };

struct PrintPaperFormat {
  std::string_view name;         // short name: "Letter", "Legal", "A4"
  std::string_view description;  // shown in the dialog (translated there)
  double width;
  double height;
  PrintUnit unit;
};

extern const std::array<PrintPaperFormat, 3> PrintPaperFormats;

// The print dialog's result. Sizes and margins are in points; the paper
// size is already turned for the orientation.
struct PrintJob {
  int32_t toFile = 0;  // 1 = write filePath, 0 = send to printerName
  std::string printerName;
  std::string filePath;
  int32_t paperWidth = 0;
  int32_t paperHeight = 0;
  std::string paperName;
  int32_t orientation = 0;  // 0 = portrait, 1 = landscape
  int32_t color = 1;        // 1 = colour, 0 = black and white
  int32_t leftMargin = 0;
  int32_t rightMargin = 0;
  int32_t topMargin = 0;
  int32_t bottomMargin = 0;
};

// Whole millimetres and inches in points, truncated toward zero.
int PrintConvertMillimetersToPostscript(int mm);
int PrintConvertInchesToPostscript(double inches);

// The format with this short name (letter case ignored), or null.
const PrintPaperFormat* PrintFindPaperFormat(std::string_view name);
// Sets the job's paper name and size from `format` (millimetre sizes
// truncated to whole millimetres first) and the orientation, swapping width
// and height for landscape.
void PrintSetPaper(PrintJob& job, const PrintPaperFormat& format, bool landscape);

// Margins are written in millimetres: a decimal number with a point,
// optionally preceded by blanks, and nothing after it; empty text is 0. The
// value is truncated to whole millimetres. No value when the text is not
// such a number, or is negative or larger than any paper.
std::optional<int> PrintParseMarginMillimeters(std::string_view text);
// Sets the four margins from millimetres.
void PrintSetMargins(PrintJob& job, int leftMm, int topMm, int rightMm, int bottomMm);

// The printable area in the painter's top-down points: the paper less the margins.
PaintArea PrintArea(const PrintJob& job);
// True when the margins leave at least half the paper's width and half its
// height to print on: wider margins would print the month as a sliver.
bool PrintAreaIsUsable(const PrintJob& job);

// Paints the month of `month` (its day is the selected day; a Gregorian or,
// by `kind`, a Hebrew month) as PostScript
// onto `stream`. False, with the reason in `error`, when the output cannot
// be made: when the page needs the Hebrew print font (PrintCheckYiddishFont)
// and it cannot be read, or when writing fails.
bool PrintToStream(std::FILE* stream, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                   const GregorianDate& month, const Options& options, std::string* error,
                   MonthKind kind = MonthKind::kGregorian);
// The same into the file `path` (created or truncated).
bool PrintToFile(const std::string& path, const PaintArea& area, int paperWidth, int paperHeight, int colorFlag,
                 const GregorianDate& month, const Options& options, std::string* error,
                   MonthKind kind = MonthKind::kGregorian);
// The print job's month into its file; printer jobs go through the print
// dialog's side, which owns the system's print spooler.
bool PrintJobToFile(const PrintJob& job, const std::string& path, const GregorianDate& month, const Options& options, std::string* error,
                   MonthKind kind = MonthKind::kGregorian);

// The month as PDF (render/pdf.h: the same PostScript through Ghostscript)
// into `pdf`; false with the reason in `error`.
bool PrintToPdf(const PaintArea& area, int paperWidth, int paperHeight, int colorFlag, const GregorianDate& month,
                const Options& options, std::string* pdf, std::string* error,
                   MonthKind kind = MonthKind::kGregorian);
// The print job's month as PDF into the file `path`, which is replaced only
// when the whole PDF was made.
bool PrintJobToPdfFile(const PrintJob& job, const std::string& path, const GregorianDate& month, const Options& options, std::string* error,
                   MonthKind kind = MonthKind::kGregorian);
// Why the Hebrew print font cannot be used, when the page needs it: in
// Yiddish and Hebrew, and in English with Hebrew numerals on. "" when it
// can be used or is not needed.
std::string PrintCheckYiddishFont(const Options& options);
