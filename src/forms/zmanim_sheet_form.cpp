#include "forms/zmanim_sheet_form.h"

#include "forms/year_sheet_form.h"

#include "base/translate.h"
#include "calendar/calendar.h"
#include "render/pdf.h"
#include "render/print.h"

ZmanimSheetMonth ZmanimSheetMonthOf(const GregorianDate& selected, bool hebrewMonths) {
  if (!hebrewMonths) return {selected.month, selected.year, false};
  const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(selected));
  return {h.month, h.year, true};
}

std::optional<ZmanimSheetRequest> ReadZmanimSheetForm(const ZmanimSheetMonth& month, int paper, bool landscape,
                                                      std::string_view printer, std::string_view path,
                                                      std::string* error) {
  if (!ZmanimSheetMonthValid(month)) {
    *error = translate_perform("The month lies beyond the years the calendar shows");
    return std::nullopt;
  }
  if (*error = SheetTargetError(paper, printer, path); !error->empty()) return std::nullopt;
  ZmanimSheetRequest r;
  r.month = month;
  r.paper = static_cast<size_t>(paper);
  r.landscape = landscape;
  if (!printer.empty()) {
    r.printer = std::string(printer);
  } else {
    r.path = std::string(path);
    r.pdf = PdfIsPdfFileName(path);
  }
  return r;
}
