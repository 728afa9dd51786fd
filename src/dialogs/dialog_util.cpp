#include "dialogs/dialog_util.h"

#include <algorithm>

#include "dialogs/widget_fonts.h"
#include "base/settings.h"
#include "base/translate.h"

int32_t idClickedButton = kAnswerPending;

void DialogButton(GtkWidget*, gpointer answer) { idClickedButton = GPOINTER_TO_INT(answer); }

void DialogDestroyAnswers(GtkWidget*, gpointer answer) {
  if (idClickedButton == kAnswerPending) idClickedButton = GPOINTER_TO_INT(answer);
}

void DialogButtonDestroy(GtkWidget* window, gpointer) { DialogDestroyAnswers(window, GINT_TO_POINTER(kAnswerNo)); }

void DialogDestroy(GtkWidget*, gpointer window) { gtk_widget_destroy(GTK_WIDGET(window)); }

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
  // GTK's order: Cancel, then OK at the end of the reading direction (at the
  // left in Yiddish and Hebrew), as in the file choosers.
  const bool rtl = isLanguageRightToLeft();
  AddActionButton(dialog, translate_perform(rtl ? "OK" : "Cancel"), rtl ? kAnswerOk : kAnswerCancel);
  AddActionButton(dialog, translate_perform(rtl ? "Cancel" : "OK"), rtl ? kAnswerCancel : kAnswerOk);
}

void FollowReadingDirection(GtkWidget* chooser) {
  if (isLanguageRightToLeft()) gtk_widget_set_direction(ActionArea(chooser), GTK_TEXT_DIR_RTL);
}

GtkWidget* DialogRow(std::initializer_list<GtkWidget*> widgets) {
  GtkWidget* row = gtk_hbox_new(FALSE, 4);
  for (GtkWidget* w : widgets) AddToRow(row, w);
  return row;
}

void AddToRow(GtkWidget* row, GtkWidget* widget) {
  // Right to left a row reads from the right: its first widget is packed at the
  // right end and the others follow to its left. The boxes themselves keep
  // the left-to-right direction.
  if (isLanguageRightToLeft()) {
    gtk_box_pack_end(GTK_BOX(row), widget, FALSE, FALSE, 2);
  } else {
    gtk_box_pack_start(GTK_BOX(row), widget, FALSE, FALSE, 2);
  }
}

GtkWidget* AddRow(GtkWidget* vbox, std::initializer_list<GtkWidget*> widgets) {
  GtkWidget* row = DialogRow(widgets);
  gtk_box_pack_start(GTK_BOX(vbox), row, FALSE, FALSE, 2);
  return row;
}

GtkWidget* DialogRows(GtkWidget* dialog) {
  GtkWidget* vbox = gtk_vbox_new(FALSE, 4);
  gtk_box_pack_start(GTK_BOX(ContentArea(dialog)), vbox, TRUE, TRUE, 4);
  return vbox;
}

void AttachTableRow(GtkWidget* table, int row, std::initializer_list<GtkWidget*> widgets) {
  const int columns = static_cast<int>(widgets.size());
  const bool rtl = isLanguageRightToLeft();
  int column = 0;
  for (GtkWidget* w : widgets) {
    const int at = rtl ? columns - 1 - column : column;
    gtk_table_attach(GTK_TABLE(table), w, at, at + 1, row, row + 1, GTK_FILL, GTK_FILL, 4, 2);
    ++column;
  }
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

std::vector<GtkWidget*> NewRadioGroup(const std::vector<std::string>& labels, int active) {
  std::vector<GtkWidget*> group;
  GSList* members = nullptr;
  for (const std::string& label : labels) {
    GtkWidget* radio = gtk_radio_button_new_with_label(members, label.c_str());
    members = gtk_radio_button_get_group(GTK_RADIO_BUTTON(radio));
    ApplyDialogFont(radio);
    group.push_back(radio);
  }
  if (active >= 0 && active < static_cast<int>(group.size()))
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(group[active]), TRUE);
  return group;
}

int ActiveRadio(const std::vector<GtkWidget*>& group) {
  for (size_t i = 0; i < group.size(); ++i)
    if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(group[i]))) return static_cast<int>(i);
  return -1;
}

GtkWidget* NewCheckButton(const std::string& label, bool active) {
  GtkWidget* check = gtk_check_button_new_with_label(label.c_str());
  ApplyDialogFont(check);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), active ? TRUE : FALSE);
  return check;
}

GtkWidget* NewChoiceList(const std::vector<std::string>& entries, const std::string& text) {
  GtkWidget* list = gtk_combo_box_entry_new_text();
  int selected = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    gtk_combo_box_append_text(GTK_COMBO_BOX(list), entries[i].c_str());
    if (selected < 0 && entries[i] == text) selected = static_cast<int>(i);
  }
  GtkWidget* field = ChoiceListField(list);
  gtk_editable_set_editable(GTK_EDITABLE(field), FALSE);
  // As wide as the longest entry, not the entry's default width.
  glong widest = g_utf8_strlen(text.c_str(), -1);
  for (const std::string& e : entries) widest = std::max(widest, g_utf8_strlen(e.c_str(), -1));
  gtk_entry_set_width_chars(GTK_ENTRY(field), static_cast<gint>(std::max<glong>(widest, 2) + 1));
  if (selected >= 0) {
    gtk_combo_box_set_active(GTK_COMBO_BOX(list), selected);
  } else {
    gtk_entry_set_text(GTK_ENTRY(field), text.c_str());
  }
  setFontDialog(list);
  setFontDialog(field);
  setProperTextDirectionForWidget(field);
  return list;
}

GtkWidget* ChoiceListField(GtkWidget* list) { return gtk_bin_get_child(GTK_BIN(list)); }

std::string ChoiceListText(GtkWidget* list) { return gtk_entry_get_text(GTK_ENTRY(ChoiceListField(list))); }

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

bool RunOkCancel(GtkWidget* dialog, const std::function<bool()>& accept) {
  return RunUntilAccepted(dialog, kAnswerOk, kAnswerCancel, accept) == kAnswerOk;
}

}  // namespace dialogs
