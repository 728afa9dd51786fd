#include <gtk/gtk.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/settings_file.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/preferences.h"
#include "forms/font_list.h"
#include "render/font_sizes.h"

namespace {

// U+202B RIGHT-TO-LEFT EMBEDDING: the label's Latin words ("TrueType") keep
// their place in a right-to-left sentence.
constexpr const char* kRightToLeftEmbedding = "\xE2\x80\xAB";

constexpr int kSmallestSize = 1;
constexpr int kLargestSize = 127;

std::string NotSavedMessage() {
  return FormatText(translate_perform("The font sizes could not be saved in %s"), {SettingsGetFileName()});
}

struct FontWidgets {
  std::string font;  // as stored
  GtkWidget* list = nullptr;
  FontSizeSet loaded, defaults;
  std::array<GtkWidget*, kFontRoleCount> spins{};
};

void ResetSizes(GtkWidget*, gpointer data) {
  const auto& w = *static_cast<const FontWidgets*>(data);
  for (int r = 0; r < kFontRoleCount; ++r) gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.spins[r]), w.defaults.size[r]);
}

void AddFontRows(GtkWidget* rows, FontWidgets& w) {
  const std::vector<std::string> fonts = GetFontList();
  std::string label = translate_perform("TrueType font for displaying on screen:");
  if (isLanguageRightToLeft()) label = kRightToLeftEmbedding + label;
  // A stored name that differs from an installed family only in letter case,
  // or names none, is shown as stored.
  w.list = dialogs::NewChoiceList(fonts, w.font);
  dialogs::AddRow(rows, {dialogs::DialogLabel(label), w.list});

  GtkWidget* table = gtk_table_new(kFontRoleCount, 3, FALSE);
  gtk_box_pack_start(GTK_BOX(rows), table, FALSE, FALSE, 4);
  for (int r = 0; r < kFontRoleCount; ++r) {
    GtkWidget* name = dialogs::DialogLabel(translate_perform(kFontSizeRows[r].dialogLabel));
    gtk_misc_set_alignment(GTK_MISC(name), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
    w.spins[r] = gtk_spin_button_new_with_range(kSmallestSize, kLargestSize, 1);
    gtk_spin_button_set_digits(GTK_SPIN_BUTTON(w.spins[r]), 0);
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.spins[r]), w.loaded.size[r]);
    dialogs::ApplyDialogFont(w.spins[r]);
    dialogs::AttachTableRow(table, r, {name, w.spins[r], dialogs::DialogLabel(translate_perform("pt"))});
  }
  GtkWidget* reset = gtk_button_new_with_label(translate_perform("Default font sizes").c_str());
  dialogs::ApplyDialogFont(reset);
  g_signal_connect(reset, "clicked", G_CALLBACK(ResetSizes), &w);
  dialogs::AddRow(rows, {reset});
}

}  // namespace

SettingsBlock AddFontChoices(GtkWidget* rows, PreferencesOutcome* outcome) {
  auto w = std::make_shared<FontWidgets>();
  w->font = getFontName();
  FontSize_GetDefault(&w->defaults, isLanguageRightToLeft(), false);
  w->loaded = w->defaults;
  FontSize_Load(&w->loaded);
  AddFontRows(rows, *w);
  SettingsBlock block;
  block.store = [w, outcome] {
    const std::string font = dialogs::ChoiceListText(w->list);
    if (!font.empty() && font != w->font) {
      setFontName(font);
      outcome->fontsChanged = true;
    }
    FontSizeSet sizes;
    for (int r = 0; r < kFontRoleCount; ++r) {
      gtk_spin_button_update(GTK_SPIN_BUTTON(w->spins[r]));  // a number still being typed counts
      sizes.size[r] = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(w->spins[r]));
    }
    if (sizes.size == w->loaded.size) return std::string();
    outcome->fontsChanged = true;
    // Sizes back at the defaults are removed, so the defaults of a language chosen later apply.
    const bool saved = sizes.size == w->defaults.size ? FontSize_Reset() : FontSize_Store(sizes);
    return saved ? std::string() : NotSavedMessage();
  };
  return block;
}
