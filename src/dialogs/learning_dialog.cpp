#include "dialogs/learning_dialog.h"

#include <gtk/gtk.h>

#include <array>
#include <tuple>

#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "forms/learning_form.h"

bool DialogsConfigureLearning() {
  LearningForm form = LearningFormFromSettings();
  GtkWidget* dialog = dialogs::NewDialog("Daily Learning", true);
  GtkWidget* rows = dialogs::DialogRows(dialog);
  dialogs::AddRow(rows, {dialogs::DialogLabel(translate_perform("Show the daily learning of:"))});
  std::array<GtkWidget*, std::tuple_size<LearningForm>::value> checks{};
  for (size_t i = 0; i < form.size(); ++i) {
    checks[i] = dialogs::NewCheckButton(form[i].label, form[i].chosen);
    dialogs::AddRow(rows, {checks[i]});
  }
  dialogs::AddOkCancel(dialog);
  // The buttons are read before the dialog is destroyed.
  const bool confirmed = dialogs::RunOkCancel(dialog, [&] {
    for (size_t i = 0; i < form.size(); ++i)
      form[i].chosen = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(checks[i])) != FALSE;
    return true;
  });
  return confirmed && LearningFormApply(form);
}
