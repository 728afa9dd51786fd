#include "dialogs/year_dialog.h"

#include <cerrno>
#include <cstdlib>

#include "calendar/types.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "forms/export_form.h"
#include "base/text_format.h"
#include "base/translate.h"

int DialogsDoYear(int currentYear) {
  GtkWidget* dialog = dialogs::NewDialog("Select Year", true);
  GtkWidget* vbox = gtk_vbox_new(FALSE, 4);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), vbox, TRUE, TRUE, 4);
  GtkWidget* entry =
      dialogs::AddLabelEntryRow(vbox, translate_perform("Year:"), 6, std::to_string(currentYear));
  dialogs::AddOkCancel(dialog);
  int year = 0;
  const int answer = dialogs::RunUntilAccepted(dialog, dialogs::kAnswerOk, dialogs::kAnswerCancel, [&] {
    std::string error;
    year = ParseYearText(gtk_entry_get_text(GTK_ENTRY(entry)), &error);
    if (year == 0) dialogs::ShowInputError(error);
    return year != 0;
  });
  return answer == dialogs::kAnswerOk ? year : 0;
}
