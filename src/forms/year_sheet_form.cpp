#include "forms/year_sheet_form.h"

#include <charconv>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "compose/year_sheet.h"
#include "render/pdf.h"
#include "render/print.h"

int YearSheetProposedYear(const GregorianDate& selected, bool hebrewYear) {
  if (!hebrewYear) return selected.year;
  return HebrewFromAbsolute(AbsoluteFromGregorian(selected.day, selected.month, selected.year)).year;
}

std::optional<YearSheetRequest> ReadYearSheetForm(std::string_view yearText, bool hebrewYear, int paper,
                                                  std::string_view printer, std::string_view path,
                                                  std::string* error) {
  while (!yearText.empty() && yearText.front() == ' ') yearText.remove_prefix(1);
  while (!yearText.empty() && yearText.back() == ' ') yearText.remove_suffix(1);
  const int first = hebrewYear ? FirstHebrewSheetYear() : kFirstYear;
  const int last = hebrewYear ? LastHebrewSheetYear() : kLastYear;
  long long year = 0;
  const auto [end, ec] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
  if (yearText.empty() || ec != std::errc() || end != yearText.data() + yearText.size()) {
    *error = translate_perform("Year must be a number");
    return std::nullopt;
  }
  if (year < first || year > last) {
    *error = FormatText(translate_perform("Year must be in range %d-%d"), {first, last});
    return std::nullopt;
  }
  if (*error = SheetTargetError(paper, printer, path); !error->empty()) return std::nullopt;
  YearSheetRequest r;
  r.year = static_cast<int>(year);
  r.hebrewYear = hebrewYear;
  r.paper = static_cast<size_t>(paper);
  if (!printer.empty()) {
    r.printer = std::string(printer);
  } else {
    r.path = std::string(path);
    r.pdf = PdfIsPdfFileName(path);
  }
  return r;
}

std::string SheetTargetError(int paper, std::string_view printer, std::string_view path) {
  if (paper < 0 || static_cast<size_t>(paper) >= PrintPaperFormats.size())
    return translate_perform("Please choose a paper size");
  if (printer.empty() && path.empty()) return translate_perform("Please enter the file to print to");
  return "";
}
