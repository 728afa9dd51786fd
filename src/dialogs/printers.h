// The system's printers, through the CUPS library: the queues the print
// dialog offers, and handing a finished PostScript file to one of them.
// Without a running print system the list is simply empty.
#pragma once

#include <string>
#include <vector>

struct PrinterList {
  std::vector<std::string> names;  // queue names, in the order CUPS lists them
  int defaultIndex = -1;           // the system's default queue, -1 if none
};

PrinterList PrintListPrinters();

// Queues the file `path` on `printer` under the job title `title`. The file
// is uploaded before this returns, so the caller may delete it at once.
// False, with the print system's reason in `error`, when the job was refused.
bool PrintSendFile(const std::string& printer, const std::string& path, const std::string& title,
                   std::string* error);
