#include "dialogs/year_sheet_dialog.h"

#include <string>
#include <vector>

#include "compose/current_options.h"
#include "base/translate.h"
#include "compose/year_sheet.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "dialogs/print_dialog.h"
#include "render/print.h"
#include "render/year_sheet.h"

namespace {

std::string T(const char* key) { return translate_perform(key); }

constexpr int kSheetMarginMm = 10;

struct SheetWidgets {
  GtkWidget* year = nullptr;
  std::vector<GtkWidget*> kind;  // Gregorian, Hebrew
  GtkWidget* paper = nullptr;
  PrintDestinationWidgets destination;
  GregorianDate selected;
};

// Choosing the other calendar proposes the selected date's year in it.
void OnKindToggled(GtkWidget* button, gpointer data) {
  if (!gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button))) return;
  const auto* w = static_cast<const SheetWidgets*>(data);
  const bool hebrew = button == w->kind[1];
  gtk_entry_set_text(GTK_ENTRY(w->year), std::to_string(YearSheetProposedYear(w->selected, hebrew)).c_str());
}

}  // namespace

std::optional<YearSheetRequest> DoYearSheetDialog(GtkWidget* parent, const GregorianDate& selected) {
  GtkWidget* dialog = dialogs::NewDialog(T("Print year of Shabbat times").c_str(), true);
  if (parent) {
    gtk_window_set_transient_for(GTK_WINDOW(dialog), GTK_WINDOW(parent));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
  }
  GtkWidget* vbox = gtk_vbox_new(FALSE, 4);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), vbox, TRUE, TRUE, 4);

  SheetWidgets w;
  w.selected = selected;
  w.destination = AddPrintDestinationRows(vbox);
  w.year = dialogs::AddLabelEntryRow(vbox, T("Year:"), 6, std::to_string(selected.year));
  w.kind = dialogs::NewRadioGroup({T("Gregorian year"), T("Hebrew year")}, 0);
  dialogs::AddRow(vbox, {w.kind[0], w.kind[1]});
  for (GtkWidget* radio : w.kind) g_signal_connect(radio, "toggled", G_CALLBACK(OnKindToggled), &w);

  w.paper = PrintPaperCombo();
  dialogs::AddRow(vbox, {dialogs::DialogLabel(T("Paper Size:")), w.paper});
  dialogs::AddOkCancel(dialog);

  std::optional<YearSheetRequest> request;
  const int answer = dialogs::RunUntilAccepted(dialog, dialogs::kAnswerOk, dialogs::kAnswerCancel, [&] {
    std::string error, printer, path;
    if (!ReadPrintDestination(w.destination, &printer, &path)) return false;
    request = ReadYearSheetForm(gtk_entry_get_text(GTK_ENTRY(w.year)), dialogs::ActiveRadio(w.kind) == 1,
                                gtk_combo_box_get_active(GTK_COMBO_BOX(w.paper)), printer, path, &error);
    if (!request) {
      dialogs::ShowInputError(error);
      return false;
    }
    return !request->printer.empty() || PrintDialogMayReplace(w.destination.file, request->path);
  });
  if (answer != dialogs::kAnswerOk) return std::nullopt;
  return request;
}

bool WriteYearSheet(const YearSheetRequest& request, std::string* error) {
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[request.paper], false);
  PrintSetMargins(job, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm);
  const Options options = CurrentOptions();
  const YearSheetText text = YearSheetTextOf(request.year, request.hebrewYear, options);
  if (!request.printer.empty()) {
    return PrintPostScriptOnPrinter(
        request.printer, "Lumaro: " + text.title,
        [&](std::FILE* stream, std::string* why) {
          return YearSheetToStream(stream, PrintArea(job), job.paperWidth, job.paperHeight, job.color, text, options, why);
        },
        error);
  }
  return YearSheetToFile(request.path, request.pdf, PrintArea(job), job.paperWidth, job.paperHeight, job.color, text,
                         options, error);
}

void YearSheetCommand(GtkWidget* parent, const GregorianDate& selected) {
  const std::optional<YearSheetRequest> request = DoYearSheetDialog(parent, selected);
  if (!request) return;
  std::string error;
  if (!WriteYearSheet(*request, &error)) DialogsDoMessage(error);
}
