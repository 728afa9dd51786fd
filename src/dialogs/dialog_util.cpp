#include "dialogs/dialog_util.h"


#include "app/widget_fonts.h"
#include "storage/settings.h"
#include "storage/translate.h"

namespace dialogs {

namespace {
void ForgetWindow(GtkWidget*, gpointer ref) { *static_cast<GtkWidget**>(ref) = nullptr; }
}  // namespace

WindowRef::WindowRef(GtkWidget* window) : window_(window) {
  if (window_) g_signal_connect(window_, "destroy", G_CALLBACK(ForgetWindow), &window_);
}

WindowRef::~WindowRef() {
  if (window_) g_signal_handlers_disconnect_by_func(window_, reinterpret_cast<gpointer>(ForgetWindow), &window_);
}

void WindowRef::Destroy() {
  if (window_) gtk_widget_destroy(window_);  // the handler clears window_
}

GtkWidget* NewDialog(const char* title, bool modal) {
  GtkWidget* dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), title);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_container_set_border_width(GTK_CONTAINER(dialog), 4);
  setFontDialog(dialog);
  // In Yiddish the buttons at the bottom read from the right too.
  setProperTextDirectionForWidget(ActionArea(dialog));
  if (modal) gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  return dialog;
}

GtkWidget* ContentArea(GtkWidget* dialog) { return GTK_DIALOG(dialog)->vbox; }
GtkWidget* ActionArea(GtkWidget* dialog) { return GTK_DIALOG(dialog)->action_area; }

void ApplyDialogFont(GtkWidget* widget) {
  setFontDialog(widget);
  // Radio and check buttons put their mark on the reading side.
  if (GTK_IS_TOGGLE_BUTTON(widget)) setProperTextDirectionForWidget(widget);
  if (GTK_IS_BUTTON(widget)) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget));
    if (child && GTK_IS_LABEL(child)) {
      setFontDialog(child);
      setProperTextDirectionForWidget(child);
    }
  }
}

GtkWidget* DialogLabel(const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  ApplyDialogFont(label);
  setProperTextDirectionForWidget(label);
  return label;
}

GtkWidget* AnswerButton(const std::string& text, int answer) {
  GtkWidget* button = gtk_button_new_with_label(text.c_str());
  ApplyDialogFont(button);
  g_signal_connect(button, "clicked", G_CALLBACK(DialogButton), GINT_TO_POINTER(answer));
  return button;
}

GtkWidget* AddActionButton(GtkWidget* dialog, const std::string& text, int answer) {
  GtkWidget* button = AnswerButton(text, answer);
  gtk_box_pack_start(GTK_BOX(ActionArea(dialog)), button, TRUE, TRUE, 0);
  return button;
}

void AddOkCancel(GtkWidget* dialog) {
  AddActionButton(dialog, translate_perform("OK"), kAnswerOk);
  AddActionButton(dialog, translate_perform("Cancel"), kAnswerCancel);
}

GtkWidget* DialogRow(std::initializer_list<GtkWidget*> widgets) {
  GtkWidget* row = gtk_hbox_new(FALSE, 4);
  // In Yiddish a row reads from the right: its first widget is packed at the
  // right end and the others follow to its left. The boxes themselves keep
  // the left-to-right direction.
  const bool rtl = isLanguageRightToLeft();
  for (GtkWidget* w : widgets) {
    if (rtl) {
      gtk_box_pack_end(GTK_BOX(row), w, FALSE, FALSE, 2);
    } else {
      gtk_box_pack_start(GTK_BOX(row), w, FALSE, FALSE, 2);
    }
  }
  return row;
}

GtkWidget* AddRow(GtkWidget* vbox, std::initializer_list<GtkWidget*> widgets) {
  GtkWidget* row = DialogRow(widgets);
  gtk_box_pack_start(GTK_BOX(vbox), row, FALSE, FALSE, 2);
  return row;
}

GtkWidget* DialogEntry(int widthChars, const std::string& text) {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), widthChars);
  gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
  ApplyDialogFont(entry);
  return entry;
}

GtkWidget* AddLabelEntryRow(GtkWidget* vbox, const std::string& label, int widthChars, const std::string& text) {
  GtkWidget* entry = DialogEntry(widthChars, text);
  AddRow(vbox, {DialogLabel(label), entry});
  return entry;
}

int WaitForAnswer() {
  idClickedButton = kAnswerPending;
  while (idClickedButton == kAnswerPending) gtk_main_iteration();
  return idClickedButton;
}

int RunUntilAccepted(GtkWidget* window, int okAnswer, int cancelAnswer, const std::function<bool()>& accept) {
  WindowRef ref(window);
  g_signal_connect(window, "destroy", G_CALLBACK(DialogDestroyAnswers), GINT_TO_POINTER(cancelAnswer));
  gtk_widget_show_all(window);
  int answer;
  do {
    answer = WaitForAnswer();
  } while (answer == okAnswer && ref.get() && !accept());
  if (!ref.get()) return cancelAnswer;
  ref.Destroy();
  return answer;
}

void ShowInputError(const std::string& message) { DialogsDoMessage(message); }

}  // namespace dialogs
