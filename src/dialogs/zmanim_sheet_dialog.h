// "Print month of zmanim...": a small dialog for the printer or the file,
// the paper and its orientation, then the zmanim sheet of the month the view
// shows on that printer or into that file (PDF for a name ending in .pdf,
// PostScript otherwise).
#pragma once

#include <gtk/gtk.h>

#include <optional>
#include <string>

#include "calendar/types.h"
#include "forms/zmanim_sheet_form.h"

// Runs the modal dialog over `parent` for `month`. The request when the
// user confirmed; nothing on Cancel or when the window was closed.
std::optional<ZmanimSheetRequest> DoZmanimSheetDialog(GtkWidget* parent, const ZmanimSheetMonth& month);

// Writes the sheet the request asks for. False with the reason in `error`.
bool WriteZmanimSheet(const ZmanimSheetRequest& request, std::string* error);

// The menu command: the dialog, then the sheet; a failure is shown in a
// message box.
void ZmanimSheetCommand(GtkWidget* parent, const GregorianDate& selected, bool hebrewMonths);
