#include "dialogs/print_dialog.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "calendar/names.h"
#include "compose/hebrew_date_text.h"
#include "dialogs/dialog_util.h"
#include "dialogs/gtk_util.h"
#include "dialogs/message.h"
#include "dialogs/printers.h"
#include "forms/print_form.h"
#include "render/pdf.h"
#include "base/file_util.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"

namespace {

std::string T(const char* key) { return translate_perform(key); }

// The margin rows, in the order the dialog shows and reads them.
constexpr const char* kMarginLabels[4] = {"Left margin:", "Top margin:", "Right margin:", "Bottom margin:"};
constexpr const char* kDefaultMarginMm = "10";
// The object data of the file entry: the file the Browse window confirmed
// replacing, which is not asked about again.
constexpr const char* kConfirmedFileKey = "lumaro-confirmed-file";

std::string& TempDir() {
  static std::string dir = "/tmp";
  return dir;
}

struct PrintWidgets {
  PrintDestinationWidgets destination;
  GtkWidget* paper = nullptr;
  GtkWidget* landscape = nullptr;
  GtkWidget* blackWhite = nullptr;
  GtkWidget* margins[4] = {};
};

bool Active(GtkWidget* toggle) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle)); }

GtkWidget* Radio(GtkWidget* groupOf, const std::string& label) {
  GtkWidget* radio = groupOf ? gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(groupOf), label.c_str())
                             : gtk_radio_button_new_with_label(nullptr, label.c_str());
  dialogs::ApplyDialogFont(radio);
  return radio;
}

GtkWidget* TextCombo(const std::vector<std::string>& items, int active) {
  GtkWidget* combo = gtk_combo_box_new_text();
  for (const std::string& item : items) gtk_combo_box_append_text(GTK_COMBO_BOX(combo), item.c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), active);
  dialogs::ApplyDialogFont(combo);
  return combo;
}

// Reads the dialog into a job. Shows what is wrong and returns false when
// an input cannot be used.
bool ReadJob(const PrintWidgets& w, PrintJob* out) {
  PrintForm form;
  form.toPrinter = Active(w.destination.toPrinter);
  form.printerIndex = gtk_combo_box_get_active(GTK_COMBO_BOX(w.destination.printers));
  form.printers = w.destination.list.names;
  form.file = gtk_entry_get_text(GTK_ENTRY(w.destination.file));
  form.paper = gtk_combo_box_get_active(GTK_COMBO_BOX(w.paper));
  form.landscape = Active(w.landscape);
  form.blackWhite = Active(w.blackWhite);
  for (size_t i = 0; i < 4; ++i) form.margins[i] = gtk_entry_get_text(GTK_ENTRY(w.margins[i]));
  std::string error;
  if (!ReadPrintForm(form, out, &error)) {
    dialogs::ShowInputError(error);
    return false;
  }
  return !out->toFile || PrintDialogMayReplace(w.destination.file, out->filePath);
}

void SelectFileRadio(GtkWidget*, gpointer radio) {
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(radio), TRUE);
}

// Removes the file when the print is over, whatever happened.
class TempFileRemover {
 public:
  explicit TempFileRemover(std::string path) : path_(std::move(path)) {}
  ~TempFileRemover() { ::unlink(path_.c_str()); }
  TempFileRemover(const TempFileRemover&) = delete;
  TempFileRemover& operator=(const TempFileRemover&) = delete;

 private:
  std::string path_;
};

}  // namespace

GtkWidget* PrintPaperCombo() {
  std::vector<std::string> papers;
  for (const PrintPaperFormat& f : PrintPaperFormats) papers.push_back(translate_perform(f.description));
  return TextCombo(papers, 0);
}

void SetPrintTempDirForTesting(const std::string& dir) { TempDir() = dir; }

bool PrintDialogMayReplace(GtkWidget* fileEntry, const std::string& path) {
  if (!PrintReplacesFile(path)) return true;
  const char* confirmed = static_cast<const char*>(g_object_get_data(G_OBJECT(fileEntry), kConfirmedFileKey));
  if (confirmed && path == confirmed) return true;
  return DialogsDoYesNo(FormatText(translate_perform("The file %s exists. Replace it?"), {path})) == kAnswerYes;
}

void PrintDialogBrowse(GtkWidget* button, gpointer entry) {
  GtkWidget* top = gtk_widget_get_toplevel(button);
  GtkWidget* chooser = gtk_file_chooser_dialog_new(
      "Specify PostScript file to print to", GTK_WIDGET_TOPLEVEL(top) ? GTK_WINDOW(top) : nullptr,
      GTK_FILE_CHOOSER_ACTION_SAVE, GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_OK, GTK_RESPONSE_ACCEPT, nullptr);
  dialogs::FollowReadingDirection(chooser);
  gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
  const char* current = gtk_entry_get_text(GTK_ENTRY(entry));
  if (current && *current) gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(chooser), current);
  if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
      gtk_entry_set_text(GTK_ENTRY(entry), name);
      // The chooser has asked before choosing a file that is there.
      g_object_set_data_full(G_OBJECT(entry), kConfirmedFileKey, name, g_free);
    }
  }
  gtk_widget_destroy(chooser);
}

bool DoPrintDialog(GtkWidget* parent, PrintJob* job) {
  GtkWidget* dialog = dialogs::NewDialog("Select Printing Options", true);
  if (parent) {
    // Closing the program (or a signal to end it) closes the dialog with it.
    gtk_window_set_transient_for(GTK_WINDOW(dialog), GTK_WINDOW(parent));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
  }
  GtkWidget* vbox = gtk_vbox_new(FALSE, 4);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), vbox, TRUE, TRUE, 4);

  PrintWidgets w;
  w.destination = AddPrintDestinationRows(vbox);

  // The labels that open a row share one width, so the fields after them
  // (the margins and their "mm" above all) start in one column.
  GObjectPtr<GtkSizeGroup> labels(gtk_size_group_new(GTK_SIZE_GROUP_HORIZONTAL));
  auto rowLabel = [&labels](const std::string& text) {
    GtkWidget* label = dialogs::DialogLabel(text);
    gtk_misc_set_alignment(GTK_MISC(label), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
    gtk_size_group_add_widget(labels.get(), label);
    return label;
  };

  w.paper = PrintPaperCombo();
  dialogs::AddRow(vbox, {rowLabel(T("Paper Size:")), w.paper});

  GtkWidget* portrait = Radio(nullptr, T("Portrait"));
  w.landscape = Radio(portrait, T("Landscape"));
  dialogs::AddRow(vbox, {rowLabel(T("Orientation:")), portrait, w.landscape});

  w.blackWhite = Radio(nullptr, T("Black&White"));
  GtkWidget* color = Radio(w.blackWhite, T("Color"));
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(color), TRUE);
  dialogs::AddRow(vbox, {rowLabel(T("Color mode:")), w.blackWhite, color});

  for (int i = 0; i < 4; ++i) {
    w.margins[i] = dialogs::DialogEntry(6, kDefaultMarginMm);
    dialogs::AddRow(vbox, {rowLabel(T(kMarginLabels[i])), w.margins[i], dialogs::DialogLabel(T("mm"))});
  }
  dialogs::AddOkCancel(dialog);

  PrintJob read;
  const int answer = dialogs::RunUntilAccepted(dialog, dialogs::kAnswerOk, dialogs::kAnswerCancel,
                                               [&] { return ReadJob(w, &read); });
  if (answer != dialogs::kAnswerOk) return false;
  *job = read;
  return true;
}

bool PrintIt(const PrintJob& job, const GregorianDate& month, std::string* error, MonthKind kind) {
  const Options options = CurrentOptions();
  // A file name ending in .pdf gets PDF, any other PostScript.
  if (job.toFile)
    return PdfIsPdfFileName(job.filePath) ? PrintJobToPdfFile(job, job.filePath, month, options, error, kind)
                                          : PrintJobToFile(job, job.filePath, month, options, error, kind);

  std::string title = "Lumaro: " + GetGregorianMonthName(month.month) + " " + std::to_string(month.year);
  if (kind == MonthKind::kHebrew) {
    const HebrewDate h = HebrewFromAbsolute(AbsoluteFromGregorian(month));
    title = "Lumaro: " + HebrewMonthNameText(h.month, h.year, false) + " " + std::to_string(h.year);
  }
  return PrintPostScriptOnPrinter(
      job.printerName, title,
      [&](std::FILE* stream, std::string* why) {
        return PrintToStream(stream, PrintArea(job), job.paperWidth, job.paperHeight, job.color, month, options, why, kind);
      },
      error);
}

bool PrintPostScriptOnPrinter(const std::string& printer, const std::string& title,
                              const std::function<bool(std::FILE*, std::string*)>& write, std::string* error) {
  // A printer job is written to a private temporary file, handed to the
  // print system and removed.
  std::string path = TempDir() + "/lumaro-print-XXXXXX";
  const int fd = ::mkstemp(path.data());
  if (fd < 0) {
    if (error) *error = FormatText(T("Could not create a temporary file: %s"), {std::strerror(errno)});
    return false;
  }
  TempFileRemover remover(path);
  FilePtr file(::fdopen(fd, "w"));
  if (!file) {
    ::close(fd);
    if (error) *error = FormatText(T("Could not create a temporary file: %s"), {std::strerror(errno)});
    return false;
  }
  if (!write(file.get(), error)) return false;
  if (std::fclose(file.release()) != 0) {
    if (error) *error = FormatText(T("Could not write %s: %s"), {path, std::strerror(errno)});
    return false;
  }
  std::string why;
  if (!PrintSendFile(printer, path, title, &why)) {
    if (error) *error = FormatText(T("The printer %s did not take the job: %s"), {printer, why});
    return false;
  }
  return true;
}

PrintDestinationWidgets AddPrintDestinationRows(GtkWidget* vbox) {
  PrintDestinationWidgets w;
  w.list = PrintListPrinters();
  // Destination: a printer of the system, or a file.
  w.toPrinter = Radio(nullptr, T("Printer:"));
  const int chosenPrinter = w.list.names.empty() ? -1 : (w.list.defaultIndex >= 0 ? w.list.defaultIndex : 0);
  w.printers = TextCombo(w.list.names, chosenPrinter);
  dialogs::AddRow(vbox, {w.toPrinter, w.printers});
  w.toFile = Radio(w.toPrinter, T("File:"));
  w.file = dialogs::DialogEntry(30, "");
  GtkWidget* browse = gtk_button_new_with_label(T("Browse...").c_str());
  dialogs::ApplyDialogFont(browse);
  g_signal_connect(browse, "clicked", G_CALLBACK(PrintDialogBrowse), w.file);
  g_signal_connect(browse, "clicked", G_CALLBACK(SelectFileRadio), w.toFile);
  dialogs::AddRow(vbox, {w.toFile, w.file, browse});
  // With no printer to choose, printing can only go to a file.
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.list.names.empty() ? w.toFile : w.toPrinter), TRUE);
  return w;
}

bool ReadPrintDestination(const PrintDestinationWidgets& w, std::string* printer, std::string* path) {
  std::string error;
  if (ReadPrintDestinationForm(Active(w.toPrinter), gtk_combo_box_get_active(GTK_COMBO_BOX(w.printers)), w.list.names,
                               gtk_entry_get_text(GTK_ENTRY(w.file)), printer, path, &error))
    return true;
  dialogs::ShowInputError(error);
  return false;
}

void PrintCommand(GtkWidget* parent, const GregorianDate& month, MonthKind kind) {
  PrintJob job;
  if (!DoPrintDialog(parent, &job)) return;
  std::string error;
  if (!PrintIt(job, month, &error, kind)) DialogsDoMessage(error);
}
