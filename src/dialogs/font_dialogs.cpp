#include "dialogs/font_dialogs.h"

#include <gtk/gtk.h>

#include <array>
#include <string>
#include <vector>

#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "render/font_sizes.h"
#include "forms/font_list.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "base/text_format.h"
#include "base/translate.h"

namespace {

// U+202B RIGHT-TO-LEFT EMBEDDING: the label's Latin words ("TrueType") keep
// their place in a right-to-left sentence.
constexpr const char* kRightToLeftEmbedding = "\xE2\x80\xAB";

// Answer of the font-size dialog's third button.
constexpr int kAnswerReset = 3;

constexpr int kSmallestSize = 1;
constexpr int kLargestSize = 127;

void ShowNotSaved() {
  dialogs::ShowInputError(FormatText(translate_perform("The font sizes could not be saved in %s"),
                                     {SettingsGetFileName()}));
}

}  // namespace

bool DialogsConfigureFont() {
  const std::vector<std::string> fonts = GetFontList();
  const std::string current = getFontName();
  std::string label = translate_perform("TrueType font for displaying on screen:");
  if (isLanguageRightToLeft()) label = kRightToLeftEmbedding + label;

  GtkWidget* dialog = dialogs::NewDialog("Select Font", true);
  GtkWidget* rows = dialogs::DialogRows(dialog);
  // A stored name that differs from an installed family only in letter case
  // is shown as stored.
  GtkWidget* list = dialogs::NewChoiceList(fonts, FontListContainsIgnoringCase(fonts, current) ? current : "");
  dialogs::AddRow(rows, {dialogs::DialogLabel(label), list});
  dialogs::AddOkCancel(dialog);
  std::string chosen;
  const bool confirmed = dialogs::RunOkCancel(dialog, [&] {
    chosen = dialogs::ChoiceListText(list);
    return !chosen.empty();  // nothing chosen: the dialog just stays open
  });
  if (!confirmed) return false;
  setFontName(chosen);
  return true;
}

bool FontSize_Configure(bool yiddish) {
  FontSizeSet sizes;
  FontSize_GetDefault(&sizes, yiddish, false);
  FontSize_Load(&sizes);

  GtkWidget* dialog = dialogs::NewDialog("Configure font sizes", true);
  GtkWidget* table = gtk_table_new(kFontRoleCount, 3, FALSE);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), table, TRUE, TRUE, 4);
  std::array<GtkWidget*, kFontRoleCount> spins{};
  for (int r = 0; r < kFontRoleCount; ++r) {
    GtkWidget* label = dialogs::DialogLabel(translate_perform(kFontSizeRows[r].dialogLabel));
    gtk_misc_set_alignment(GTK_MISC(label), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
    spins[r] = gtk_spin_button_new_with_range(kSmallestSize, kLargestSize, 1);
    gtk_spin_button_set_digits(GTK_SPIN_BUTTON(spins[r]), 0);
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spins[r]), sizes.size[r]);
    dialogs::ApplyDialogFont(spins[r]);
    dialogs::AttachTableRow(table, r, {label, spins[r], dialogs::DialogLabel(translate_perform("pt"))});
  }
  // OK first in the reading direction, Reset last.
  const bool rtl = isLanguageRightToLeft();
  const std::string ok = translate_perform("OK"), reset = translate_perform("Reset");
  dialogs::AddActionButton(dialog, rtl ? reset : ok, rtl ? kAnswerReset : dialogs::kAnswerOk);
  dialogs::AddActionButton(dialog, translate_perform("Cancel"), dialogs::kAnswerCancel);
  dialogs::AddActionButton(dialog, rtl ? ok : reset, rtl ? dialogs::kAnswerOk : kAnswerReset);

  bool stored = false;
  const int answer = dialogs::RunUntilAccepted(dialog, dialogs::kAnswerOk, dialogs::kAnswerCancel, [&] {
    for (int r = 0; r < kFontRoleCount; ++r) {
      gtk_spin_button_update(GTK_SPIN_BUTTON(spins[r]));  // a number still being typed counts
      sizes.size[r] = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(spins[r]));
    }
    stored = FontSize_Store(sizes);
    if (!stored) ShowNotSaved();
    return stored;
  });
  if (answer == dialogs::kAnswerOk) return stored;
  if (answer != kAnswerReset) return false;
  if (!FontSize_Reset()) {
    ShowNotSaved();
    return false;
  }
  return true;
}
