#include "dialogs/zmanim_dialog.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "compose/current_options.h"
#include "dialogs/widget_fonts.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "base/settings.h"
#include "base/translate.h"
#include "forms/special_times_form.h"
#include "forms/zmanim_choice.h"

namespace {

// Under the choices: the expressions of the special days' times, one entry
// a row. Returns the entries in the order of kSpecialTimeRows.
std::vector<GtkWidget*> AddSpecialTimes(GtkWidget* dialog) {
  GtkWidget* heading = dialogs::DialogLabel(translate_perform("Times of special days"));
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), heading, FALSE, FALSE, 4);
  const std::vector<std::string> texts = SpecialTimesFormFromSettings();
  GtkWidget* table = gtk_table_new(static_cast<guint>(texts.size()), 2, FALSE);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), table, TRUE, TRUE, 4);
  std::vector<GtkWidget*> entries;
  for (size_t r = 0; r < texts.size(); ++r) {
    GtkWidget* label = dialogs::DialogLabel(translate_perform(kSpecialTimeRows[r].label));
    gtk_misc_set_alignment(GTK_MISC(label), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
    GtkWidget* entry = dialogs::DialogEntry(40, texts[r]);
    // An expression reads left to right in every language.
    gtk_widget_set_direction(entry, GTK_TEXT_DIR_LTR);
    dialogs::AttachTableRow(table, static_cast<int>(r), {label, entry});
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

int ZmanimdlgDoDialog() {
  const std::vector<const ZmanimRec*> rows = ZmanimChoiceRows();
  GtkWidget* dialog = dialogs::NewDialog("Configure Zmanim", true);
  GtkWidget* table = gtk_table_new(static_cast<guint>(rows.size()), 2, FALSE);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), table, TRUE, TRUE, 4);
  std::vector<GtkWidget*> lists;
  for (size_t r = 0; r < rows.size(); ++r) {
    GtkWidget* label = dialogs::DialogLabel(translate_perform(ZmanimDisplayName(*rows[r])));
    gtk_misc_set_alignment(GTK_MISC(label), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
    GtkWidget* list = dialogs::NewChoiceList(ZmanimOptionLabels(*rows[r]), ZmanimCurrentLabel(*rows[r]));
    setFontDialogZmanim(list);
    setFontDialogZmanim(dialogs::ChoiceListField(list));
    dialogs::AttachTableRow(table, static_cast<int>(r), {label, list});
    lists.push_back(list);
  }
  const std::vector<GtkWidget*> expressions = AddSpecialTimes(dialog);
  const SpecialTimeExpressions openingDefaults = SpecialTimeExpressions::Defaults(CurrentZmanimOpinions());
  dialogs::AddOkCancel(dialog);
  const bool confirmed = dialogs::RunOkCancel(dialog, [&] {
    std::vector<std::string> special;
    for (GtkWidget* entry : expressions) special.push_back(gtk_entry_get_text(GTK_ENTRY(entry)));
    std::string error = SpecialTimesFormCheck(special);
    if (error.empty()) {
      std::vector<std::string> texts;
      for (GtkWidget* list : lists) texts.push_back(dialogs::ChoiceListText(list));
      error = ZmanimStoreChoices(texts);
    }
    if (!error.empty()) {
      dialogs::ShowInputError(error);
      return false;
    }
    // After the choices: a default expression follows the choice just made.
    SpecialTimesFormStore(special, openingDefaults);
    return true;
  });
  return confirmed ? 1 : 0;
}
