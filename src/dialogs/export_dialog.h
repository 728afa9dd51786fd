// "Export to calendar file...": a range of dates, the kinds of events, a
// format and a file name; writes the iCalendar file that lumaro-cli ics
// writes, or the comma-separated file of lumaro-cli csv.
#pragma once

#include <string>

#include "calendar/types.h"

// Runs the dialog with the dates from `today` to a year later proposed.
// Returns 1 when a file was written, 0 when the user cancelled. Wrong input
// and a file that cannot be written are shown to the user and the dialog
// stays open.
int DialogsDoExport(const GregorianDate& today);

namespace dialogs {
// The file name the dialog offers at first.
inline constexpr const char* kExportDefaultFile = "~/lumaro.ics";
}  // namespace dialogs
