#include "forms/print_form.h"

#include <sys/stat.h>

#include "base/text_format.h"
#include "base/translate.h"

bool ReadPrintDestinationForm(bool toPrinter, int printerIndex, const std::vector<std::string>& printers,
                              const std::string& file, std::string* printer, std::string* path, std::string* error) {
  printer->clear();
  path->clear();
  if (toPrinter) {
    if (printerIndex < 0 || static_cast<size_t>(printerIndex) >= printers.size()) {
      *error = translate_perform("Please choose a printer, or print to a file");
      return false;
    }
    *printer = printers[static_cast<size_t>(printerIndex)];
    return true;
  }
  *path = file;
  if (path->empty()) {
    *error = translate_perform("Please enter the file to print to");
    return false;
  }
  return true;
}

bool ReadPrintForm(const PrintForm& form, PrintJob* out, std::string* error) {
  PrintJob job;
  if (!ReadPrintDestinationForm(form.toPrinter, form.printerIndex, form.printers, form.file, &job.printerName,
                                &job.filePath, error))
    return false;
  job.toFile = job.printerName.empty() ? 1 : 0;
  if (form.paper < 0 || static_cast<size_t>(form.paper) >= PrintPaperFormats.size()) {
    *error = translate_perform("Please choose a paper size");
    return false;
  }
  PrintSetPaper(job, PrintPaperFormats[static_cast<size_t>(form.paper)], form.landscape);
  job.color = form.blackWhite ? 0 : 1;
  int mm[4] = {};
  for (size_t i = 0; i < 4; ++i) {
    const std::optional<int> value = PrintParseMarginMillimeters(form.margins[i]);
    if (!value) {
      *error = FormatText(translate_perform("The margin \"%s\" is not a number of millimetres (for example 10 or 12.5)"),
                          {form.margins[i]});
      return false;
    }
    mm[i] = *value;
  }
  PrintSetMargins(job, mm[0], mm[1], mm[2], mm[3]);
  if (!PrintAreaIsUsable(job)) {
    *error = translate_perform("The margins must leave at least half the paper's width and half its height");
    return false;
  }
  *out = job;
  return true;
}

bool PrintReplacesFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}
