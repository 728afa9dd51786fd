#include "dialogs/zmanim_sheet_dialog.h"

#include "base/translate.h"
#include "compose/current_options.h"
#include "compose/zmanim_sheet.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "dialogs/print_dialog.h"
#include "render/print.h"
#include "render/zmanim_sheet.h"

namespace {

std::string T(const char* key) { return translate_perform(key); }

constexpr int kSheetMarginMm = 10;

}  // namespace

std::optional<ZmanimSheetRequest> DoZmanimSheetDialog(GtkWidget* parent, const ZmanimSheetMonth& month) {
  GtkWidget* dialog = dialogs::NewDialog(T("Print month of zmanim").c_str(), true);
  if (parent) {
    gtk_window_set_transient_for(GTK_WINDOW(dialog), GTK_WINDOW(parent));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
  }
  GtkWidget* vbox = gtk_vbox_new(FALSE, 4);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), vbox, TRUE, TRUE, 4);

  const PrintDestinationWidgets destination = AddPrintDestinationRows(vbox);
  // The sheet's title names the month it prints.
  if (ZmanimSheetMonthValid(month))
    dialogs::AddRow(vbox, {dialogs::DialogLabel(ZmanimSheetTitle(month, CurrentOptions().text.hebrewNumerals))});
  GtkWidget* paper = PrintPaperCombo();
  dialogs::AddRow(vbox, {dialogs::DialogLabel(T("Paper Size:")), paper});
  GtkWidget* landscape = dialogs::NewCheckButton(T("Landscape"), true);
  dialogs::AddRow(vbox, {landscape});
  dialogs::AddOkCancel(dialog);

  std::optional<ZmanimSheetRequest> request;
  const int answer = dialogs::RunUntilAccepted(dialog, dialogs::kAnswerOk, dialogs::kAnswerCancel, [&] {
    std::string error, printer, path;
    if (!ReadPrintDestination(destination, &printer, &path)) return false;
    request = ReadZmanimSheetForm(month, gtk_combo_box_get_active(GTK_COMBO_BOX(paper)),
                                  gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(landscape)), printer, path, &error);
    if (!request) {
      dialogs::ShowInputError(error);
      return false;
    }
    return !request->printer.empty() || PrintDialogMayReplace(destination.file, request->path);
  });
  if (answer != dialogs::kAnswerOk) return std::nullopt;
  return request;
}

bool WriteZmanimSheet(const ZmanimSheetRequest& request, std::string* error) {
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[request.paper], request.landscape);
  PrintSetMargins(job, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm);
  const Options options = CurrentOptions();
  const ZmanimSheetText text = ZmanimSheetTextOf(request.month, options);
  if (!request.printer.empty()) {
    return PrintPostScriptOnPrinter(
        request.printer, "Lumaro: " + text.title,
        [&](std::FILE* stream, std::string* why) {
          return ZmanimSheetToStream(stream, PrintArea(job), job.paperWidth, job.paperHeight, job.color, text, options,
                                     why);
        },
        error);
  }
  return ZmanimSheetToFile(request.path, request.pdf, PrintArea(job), job.paperWidth, job.paperHeight, job.color, text,
                           options, error);
}

void ZmanimSheetCommand(GtkWidget* parent, const GregorianDate& selected, bool hebrewMonths) {
  const std::optional<ZmanimSheetRequest> request =
      DoZmanimSheetDialog(parent, ZmanimSheetMonthOf(selected, hebrewMonths));
  if (!request) return;
  std::string error;
  if (!WriteZmanimSheet(*request, &error)) DialogsDoMessage(error);
}
