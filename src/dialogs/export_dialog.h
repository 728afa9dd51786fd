// "Export to calendar file...": a range of Gregorian years, the kinds of
// events and a file name; writes the iCalendar file that lumaro-cli ics
// writes, for whole years.
#pragma once

#include <string>

// Runs the dialog with both years preset to `currentYear`. Returns 1 when a
// file was written, 0 when the user cancelled. Wrong input and a file that
// cannot be written are shown to the user and the dialog stays open.
int DialogsDoExport(int currentYear);

namespace dialogs {
// The file name the dialog offers at first.
inline constexpr const char* kExportDefaultFile = "~/lumaro.ics";
}  // namespace dialogs
