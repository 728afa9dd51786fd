// The print dialogs apart from their widgets: the check of what was
// entered, in the order the dialogs make it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "render/print.h"

// The destination rows: the printer chosen (`printerIndex` into `printers`)
// when `toPrinter`, else the file. Sets `printer` (then `path` is empty) or
// `path`; false with the translated message in `error` when neither can be
// used.
bool ReadPrintDestinationForm(bool toPrinter, int printerIndex, const std::vector<std::string>& printers,
                              const std::string& file, std::string* printer, std::string* path, std::string* error);

struct PrintForm {
  bool toPrinter = false;
  int printerIndex = -1;
  std::vector<std::string> printers;
  std::string file;
  int paper = 0;  // index into PrintPaperFormats
  bool landscape = false;
  bool blackWhite = false;
  std::array<std::string, 4> margins;  // left, top, right, bottom: millimetres as typed
};

// The job the form describes, or false with the translated message of the
// first failing check in `error`: the destination, the paper, each margin,
// and at least half the paper's width and height left by the margins.
bool ReadPrintForm(const PrintForm& form, PrintJob* job, std::string* error);

// True when printing to the file `path` would replace one that is there:
// the print dialogs ask first.
bool PrintReplacesFile(const std::string& path);
