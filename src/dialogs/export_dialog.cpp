#include "dialogs/export_dialog.h"

#include <gtk/gtk.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "forms/export_form.h"
#include "base/file_util.h"
#include "compose/csv_export.h"
#include "compose/ics_export.h"
#include "compose/learning_lines.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "suntimes/cities.h"

namespace {

using dialogs::WindowRef;

constexpr const char* kTitle = "Export to Calendar File";
constexpr const char* kChooserTitle = "Save Calendar File";

struct GFreeDeleter {
  void operator()(gchar* p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;

struct ExportDialog {
  GtkWidget* fromEntry = nullptr;
  GtkWidget* toEntry = nullptr;
  std::array<GtkWidget*, std::size(kIcsKindRows)> kinds{};
  GtkWidget* formatList = nullptr;
  GtkWidget* fileEntry = nullptr;
  // The file last chosen in the file chooser, which has asked about
  // replacing it already.
  std::string confirmedFile;
};

unsigned ChosenKinds(const ExportDialog& d) {
  unsigned kinds = 0;
  for (size_t i = 0; i < d.kinds.size(); ++i)
    if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(d.kinds[i]))) kinds |= kIcsKindRows[i].kind;
  return kinds;
}

ExportFormat ChosenFormat(const ExportDialog& d) {
  const gint active = gtk_combo_box_get_active(GTK_COMBO_BOX(d.formatList));
  return active > 0 ? kExportFormatRows[active].format : kExportFormatRows[0].format;
}

// The file name's extension follows the format chosen.
void OnFormatChanged(GtkWidget*, gpointer data) {
  ExportDialog& d = *static_cast<ExportDialog*>(data);
  const std::string file = ExportFileForFormat(gtk_entry_get_text(GTK_ENTRY(d.fileEntry)), ChosenFormat(d));
  gtk_entry_set_text(GTK_ENTRY(d.fileEntry), file.c_str());
}

// The file chooser of the "Browse..." button: its choice goes into the entry.
void OnBrowse(GtkWidget*, gpointer data) {
  ExportDialog& d = *static_cast<ExportDialog*>(data);
  GtkWidget* chooser = gtk_file_chooser_dialog_new(kChooserTitle, nullptr, GTK_FILE_CHOOSER_ACTION_SAVE, GTK_STOCK_CANCEL,
                                                   GTK_RESPONSE_CANCEL, GTK_STOCK_SAVE, GTK_RESPONSE_ACCEPT, nullptr);
  dialogs::FollowReadingDirection(chooser);
  gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
  GtkWidget* dialog = gtk_widget_get_toplevel(d.fileEntry);
  if (GTK_WIDGET_TOPLEVEL(dialog)) gtk_window_set_transient_for(GTK_WINDOW(chooser), GTK_WINDOW(dialog));
  gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
  const std::string current = ExpandHome(gtk_entry_get_text(GTK_ENTRY(d.fileEntry)));
  const GCharPtr folder(g_path_get_dirname(current.c_str()));
  const GCharPtr base(g_path_get_basename(current.c_str()));
  if (g_file_test(folder.get(), G_FILE_TEST_IS_DIR))
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), folder.get());
  if (!current.empty() && current.back() != '/')
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), base.get());
  // Either window may be closed while the chooser waits.
  WindowRef exportDialog(dialog);
  WindowRef chooserWindow(chooser);
  const gint response = gtk_dialog_run(GTK_DIALOG(chooser));
  if (response == GTK_RESPONSE_ACCEPT && chooserWindow.get() && exportDialog.get()) {
    const GCharPtr file(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser)));
    if (file) {
      gtk_entry_set_text(GTK_ENTRY(d.fileEntry), file.get());
      d.confirmedFile = file.get();
    }
  }
  chooserWindow.Destroy();
}

// Checks the input and writes the file; false (after telling the user why)
// keeps the dialog open.
bool Export(ExportDialog& d) {
  ExportForm form{gtk_entry_get_text(GTK_ENTRY(d.fromEntry)), gtk_entry_get_text(GTK_ENTRY(d.toEntry)), ChosenKinds(d),
                  gtk_entry_get_text(GTK_ENTRY(d.fileEntry)), ChosenFormat(d)};
  ExportRequest r;
  std::string problem;
  if (!ReadExportForm(form, &r, &problem)) {
    dialogs::ShowInputError(problem);
    return false;
  }
  const std::string& path = r.path;
  if (r.exists && path != d.confirmedFile &&
      DialogsDoYesNo(FormatText(translate_perform("The file %s exists. Replace it?"), {path})) != kAnswerYes)
    return false;

  ExportResult result;
  std::string error;
  const bool written = ReplaceFileAtomically(
      path,
      [&](std::FILE* f) {
        const ExportTextSink sink = [f](std::string_view piece) {
          return std::fwrite(piece.data(), 1, piece.size(), f) == piece.size();
        };
        const Options options = CurrentOptions();
        result = r.format == ExportFormat::kCsv ? CsvWriteCalendar(r.first, r.last, r.kinds, options, false, sink)
                                                : IcsWriteCalendar(r.first, r.last, r.kinds, options, sink);
        return result.written;
      },
      &error);
  if (!written) {
    dialogs::ShowInputError(
        FormatText(translate_perform("The calendar file %s could not be written: %s"), {path, error}));
    return false;
  }
  DialogsDoMessage(FormatText(translate_perform("%d events were written to %s"), {result.events, path}));
  return true;
}

}  // namespace

int DialogsDoExport(const GregorianDate& today) {
  ExportDialog d;
  GtkWidget* dialog = dialogs::NewDialog(kTitle, true);
  GtkWidget* vbox = gtk_vbox_new(FALSE, 4);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), vbox, TRUE, TRUE, 4);
  const ExportDates dates = ExportProposedDates(today);
  d.fromEntry = dialogs::AddLabelEntryRow(vbox, translate_perform("From date:"), 10, dates.from);
  d.toEntry = dialogs::AddLabelEntryRow(vbox, translate_perform("To date:"), 10, dates.to);
  // Daf Yomi and the daily learning start as the daily learning settings choose them.
  const unsigned preset = IcsDefaultKinds();
  for (size_t i = 0; i < d.kinds.size(); ++i) {
    d.kinds[i] = gtk_check_button_new_with_label(translate_perform(kIcsKindRows[i].label).c_str());
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(d.kinds[i]), (preset & kIcsKindRows[i].kind) != 0);
    dialogs::ApplyDialogFont(d.kinds[i]);
    dialogs::AddRow(vbox, {d.kinds[i]});
  }
  std::vector<std::string> formats;
  for (const ExportFormatRow& row : kExportFormatRows) formats.push_back(translate_perform(row.label));
  d.formatList = dialogs::NewChoiceList(formats, formats[0]);
  dialogs::AddRow(vbox, {dialogs::DialogLabel(translate_perform("Format:")), d.formatList});
  d.fileEntry = dialogs::DialogEntry(30, dialogs::kExportDefaultFile);
  g_signal_connect(d.formatList, "changed", G_CALLBACK(OnFormatChanged), &d);
  GtkWidget* browse = gtk_button_new_with_label(translate_perform("Browse...").c_str());
  dialogs::ApplyDialogFont(browse);
  g_signal_connect(browse, "clicked", G_CALLBACK(OnBrowse), &d);
  dialogs::AddRow(vbox, {dialogs::DialogLabel(translate_perform("File:")), d.fileEntry, browse});
  dialogs::AddOkCancel(dialog);
  const int answer =
      dialogs::RunUntilAccepted(dialog, dialogs::kAnswerOk, dialogs::kAnswerCancel, [&d] { return Export(d); });
  return answer == dialogs::kAnswerOk ? 1 : 0;
}
