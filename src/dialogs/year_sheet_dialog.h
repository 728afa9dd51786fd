// "Print year of Shabbat times...": a small dialog for the printer or the
// file, the year (Gregorian or Hebrew) and the paper, then the year sheet on
// that printer or into that file (PDF for a name ending in .pdf, PostScript
// otherwise).
#pragma once

#include <gtk/gtk.h>

#include <optional>

#include "calendar/types.h"
#include "forms/year_sheet_form.h"

// Runs the modal dialog over `parent`, proposing the year of `selected`.
// The request when the user confirmed; nothing on Cancel or when the window
// was closed.
std::optional<YearSheetRequest> DoYearSheetDialog(GtkWidget* parent, const GregorianDate& selected);

// Writes the sheet the request asks for. False with the reason in `error`.
bool WriteYearSheet(const YearSheetRequest& request, std::string* error);

// The menu command: the dialog, then the sheet; a failure is shown in a
// message box.
void YearSheetCommand(GtkWidget* parent, const GregorianDate& selected);
