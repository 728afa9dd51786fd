// Printing from the program: the print dialog ("Select Printing Options")
// and the print path that turns its job into PostScript for a file or for
// one of the system's printers.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "calendar/types.h"
#include "render/print.h"

// Runs the modal print dialog over `parent`. True when the user confirmed
// and `job` is filled; false on Cancel or when the window was closed.
bool DoPrintDialog(GtkWidget* parent, PrintJob* job);

// Prints the month of `month` (Gregorian, or Hebrew by `kind`) as `job` says: into its file, or through a
// private temporary file to its printer. False, with the reason in `error`,
// when nothing was printed.
bool PrintIt(const PrintJob& job, const GregorianDate& month, std::string* error,
             MonthKind kind = MonthKind::kGregorian);

// Tests: the directory of the temporary files of printer jobs ("/tmp").
void SetPrintTempDirForTesting(const std::string& dir);

// "Browse..." of the dialog: a save-file chooser whose choice goes into the
// entry given as `entry`.
void PrintDialogBrowse(GtkWidget* button, gpointer entry);

// The paper sizes of PrintPaperFormats as a drop-down list (translated),
// the first one chosen.
GtkWidget* PrintPaperCombo();

// The menu's print command: the dialog, then the printout; a failure is
// shown in a message box.
void PrintCommand(GtkWidget* parent, const GregorianDate& month, MonthKind kind = MonthKind::kGregorian);
