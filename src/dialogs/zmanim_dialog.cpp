#include "dialogs/zmanim_dialog.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "dialogs/widget_fonts.h"
#include "dialogs/dialog_util.h"
#include "base/settings.h"
#include "base/translate.h"
#include "forms/zmanim_choice.h"

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
  dialogs::AddOkCancel(dialog);
  const bool confirmed = dialogs::RunOkCancel(dialog, [&] {
    std::vector<std::string> texts;
    for (GtkWidget* list : lists) texts.push_back(dialogs::ChoiceListText(list));
    const std::string error = ZmanimStoreChoices(texts);
    if (!error.empty()) dialogs::ShowInputError(error);
    return error.empty();
  });
  return confirmed ? 1 : 0;
}
