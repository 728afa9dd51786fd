// The zmanim-sheet dialog apart from its widgets: the month it prints for
// the month view, and the check of what was chosen.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calendar/types.h"
#include "compose/zmanim_sheet.h"

struct ZmanimSheetRequest {
  ZmanimSheetMonth month;
  size_t paper = 0;  // index into PrintPaperFormats
  bool landscape = true;
  std::string printer;  // the printer's queue, or empty for the file `path`
  std::string path;
  bool pdf = false;  // the file name ends in .pdf
};

// The month of the selected date: its Gregorian month, or its Hebrew month
// when the view shows Hebrew months.
ZmanimSheetMonth ZmanimSheetMonthOf(const GregorianDate& selected, bool hebrewMonths);

// The request, or nothing with `error` set to the translated message: the
// month lies in the years the calendar shows, the paper is one of the
// formats, and a printer is named or else the file name is not empty.
std::optional<ZmanimSheetRequest> ReadZmanimSheetForm(const ZmanimSheetMonth& month, int paper, bool landscape,
                                                      std::string_view printer, std::string_view path,
                                                      std::string* error);
