// The year-sheet dialog apart from its widgets: the check of what was
// entered, and the year the dialog proposes for a date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calendar/types.h"

struct YearSheetRequest {
  int year = 0;
  bool hebrewYear = false;
  size_t paper = 0;  // index into PrintPaperFormats
  std::string printer;  // the printer's queue, or empty for the file `path`
  std::string path;
  bool pdf = false;  // the file name ends in .pdf
};

// The year the dialog shows for the selected date: its Gregorian or its
// Hebrew year.
int YearSheetProposedYear(const GregorianDate& selected, bool hebrewYear);

// The request from the dialog's texts, or nothing with `error` set to the
// translated message: the year is a whole number in the range the calendar
// shows (for a Hebrew year, the Hebrew years within it), the paper one of
// the formats, and a printer named or else the file name not empty.
std::optional<YearSheetRequest> ReadYearSheetForm(std::string_view yearText, bool hebrewYear, int paper,
                                                  std::string_view printer, std::string_view path,
                                                  std::string* error);

// The message for a sheet's print target ("" when it is good): a paper
// size of the list, and a printer or a file.
std::string SheetTargetError(int paper, std::string_view printer, std::string_view path);
