#include "dialogs/printers.h"

#include <cups/cups.h>

PrinterList PrintListPrinters() {
  PrinterList list;
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests(&dests);
  for (int i = 0; i < count; ++i) {
    // Instances are saved option sets of a queue; the queue itself is listed once.
    if (dests[i].instance || !dests[i].name) continue;
    if (dests[i].is_default) list.defaultIndex = static_cast<int>(list.names.size());
    list.names.emplace_back(dests[i].name);
  }
  cupsFreeDests(count, dests);
  return list;
}

bool PrintSendFile(const std::string& printer, const std::string& path, const std::string& title,
                   std::string* error) {
  const int job = cupsPrintFile(printer.c_str(), path.c_str(), title.c_str(), 0, nullptr);
  if (job > 0) return true;
  if (error) {
    const char* why = cupsLastErrorString();
    *error = why && *why ? why : "the print system refused the job";
  }
  return false;
}
