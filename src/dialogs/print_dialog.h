// Printing from the program: the print dialog ("Select Printing Options")
// and the print path that turns its job into PostScript for a file or for
// one of the system's printers.
#pragma once

#include <gtk/gtk.h>

#include <cstdio>
#include <functional>
#include <string>

#include "calendar/types.h"
#include "dialogs/printers.h"
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
// Asks before printing over the file `path` when it is there (not again for
// the file the Browse window of `fileEntry` chose); true to go on.
bool PrintDialogMayReplace(GtkWidget* fileEntry, const std::string& path);

// The paper sizes of PrintPaperFormats as a drop-down list (translated),
// the first one chosen.
GtkWidget* PrintPaperCombo();

// The rows "Printer:" (the system's queues, its default chosen) and "File:"
// (an entry with "Browse..."), packed into `vbox`; with no printer the file
// is chosen. Both print dialogs start with them.
struct PrintDestinationWidgets {
  GtkWidget* toPrinter = nullptr;
  GtkWidget* printers = nullptr;
  GtkWidget* toFile = nullptr;
  GtkWidget* file = nullptr;
  PrinterList list;
};
PrintDestinationWidgets AddPrintDestinationRows(GtkWidget* vbox);

// Reads the rows: the chosen printer's name (`path` empty), or the file
// (`printer` empty). Shows what is missing and returns false when neither
// can be used.
bool ReadPrintDestination(const PrintDestinationWidgets& w, std::string* printer, std::string* path);

// Hands the PostScript that `write` puts onto a stream to `printer` under the
// job title `title`, through a private temporary file that is removed
// afterwards. False, with the reason in `error`, when nothing was printed.
bool PrintPostScriptOnPrinter(const std::string& printer, const std::string& title,
                              const std::function<bool(std::FILE*, std::string*)>& write, std::string* error);

// The menu's print command: the dialog, then the printout; a failure is
// shown in a message box.
void PrintCommand(GtkWidget* parent, const GregorianDate& month, MonthKind kind = MonthKind::kGregorian);
