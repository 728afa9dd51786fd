#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "dialogs/dialog_util.h"
#include "dialogs/preferences.h"
#include "dialogs/widget_fonts.h"
#include "forms/special_times_form.h"
#include "forms/zmanim_choice.h"

namespace {

// A special day's time: the named choice and, under "Advanced", its
// expression. Each follows the other; an expression no choice names shows
// as the user's own.
struct SpecialTimeWidgets {
  size_t row = 0;
  std::vector<SpecialTimeChoice> choices;
  GtkWidget* choice = nullptr;  // the choices, then "Your own expression"
  GtkWidget* entry = nullptr;
  bool syncing = false;
};

struct ZmanimWidgets {
  std::vector<GtkWidget*> lists;
  std::vector<std::unique_ptr<SpecialTimeWidgets>> special;
  SpecialTimeExpressions openingDefaults;
};

void ShowChoiceOfEntry(SpecialTimeWidgets& w) {
  const int chosen = SpecialTimeChoiceOf(w.row, gtk_entry_get_text(GTK_ENTRY(w.entry)));
  w.syncing = true;
  gtk_combo_box_set_active(GTK_COMBO_BOX(w.choice), chosen >= 0 ? chosen : static_cast<int>(w.choices.size()));
  w.syncing = false;
}

void OnEntryChanged(GtkEditable*, gpointer data) {
  auto& w = *static_cast<SpecialTimeWidgets*>(data);
  if (!w.syncing) ShowChoiceOfEntry(w);
}

void OnChoiceChanged(GtkComboBox* box, gpointer data) {
  auto& w = *static_cast<SpecialTimeWidgets*>(data);
  const int chosen = gtk_combo_box_get_active(box);
  if (w.syncing || chosen < 0 || chosen >= static_cast<int>(w.choices.size())) return;
  w.syncing = true;
  gtk_entry_set_text(GTK_ENTRY(w.entry), std::string(w.choices[static_cast<size_t>(chosen)].expression).c_str());
  w.syncing = false;
}

GtkWidget* RowLabel(const std::string& text) {
  GtkWidget* label = dialogs::DialogLabel(text);
  gtk_misc_set_alignment(GTK_MISC(label), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
  return label;
}

void AddOpinions(GtkWidget* rows, ZmanimWidgets& w) {
  const std::vector<const ZmanimRec*> recs = ZmanimChoiceRows();
  GtkWidget* table = gtk_table_new(static_cast<guint>(recs.size()), 2, FALSE);
  gtk_box_pack_start(GTK_BOX(rows), table, FALSE, FALSE, 4);
  for (size_t r = 0; r < recs.size(); ++r) {
    GtkWidget* list = dialogs::NewChoiceList(ZmanimOptionLabels(*recs[r]), ZmanimCurrentLabel(*recs[r]));
    setFontDialogZmanim(list);
    setFontDialogZmanim(dialogs::ChoiceListField(list));
    dialogs::AttachTableRow(table, static_cast<int>(r),
                            {RowLabel(translate_perform(ZmanimDisplayName(*recs[r]))), list});
    w.lists.push_back(list);
  }
}

// The special days' times, each a named choice, and their expressions under "Advanced".
void AddSpecialTimes(GtkWidget* rows, ZmanimWidgets& w) {
  dialogs::AddRow(rows, {dialogs::DialogLabel(translate_perform("Times of special days"))});
  const std::vector<std::string> texts = SpecialTimesFormFromSettings();
  GtkWidget* choices = gtk_table_new(static_cast<guint>(texts.size()), 2, FALSE);
  gtk_box_pack_start(GTK_BOX(rows), choices, FALSE, FALSE, 4);
  GtkWidget* advanced = gtk_expander_new(translate_perform("Advanced: the expressions").c_str());
  dialogs::ApplyDialogFont(gtk_expander_get_label_widget(GTK_EXPANDER(advanced)));
  setProperTextDirectionForWidget(advanced);
  setProperTextDirectionForWidget(gtk_expander_get_label_widget(GTK_EXPANDER(advanced)));
  gtk_box_pack_start(GTK_BOX(rows), advanced, FALSE, FALSE, 4);
  GtkWidget* expressions = gtk_table_new(static_cast<guint>(texts.size()), 2, FALSE);
  gtk_container_add(GTK_CONTAINER(advanced), expressions);
  for (size_t r = 0; r < texts.size(); ++r) {
    auto special = std::make_unique<SpecialTimeWidgets>();
    special->row = r;
    special->choices = SpecialTimeChoices(r);
    special->choice = gtk_combo_box_new_text();
    for (const SpecialTimeChoice& c : special->choices)
      gtk_combo_box_append_text(GTK_COMBO_BOX(special->choice), translate_perform(c.label).c_str());
    gtk_combo_box_append_text(GTK_COMBO_BOX(special->choice), translate_perform("Your own expression").c_str());
    setFontDialogZmanim(special->choice);
    special->entry = dialogs::DialogEntry(40, texts[r]);
    // An expression reads left to right in every language.
    gtk_widget_set_direction(special->entry, GTK_TEXT_DIR_LTR);
    const std::string label = translate_perform(kSpecialTimeRows[r].label);
    dialogs::AttachTableRow(choices, static_cast<int>(r), {RowLabel(label), special->choice});
    dialogs::AttachTableRow(expressions, static_cast<int>(r), {RowLabel(label), special->entry});
    ShowChoiceOfEntry(*special);
    g_signal_connect(special->entry, "changed", G_CALLBACK(OnEntryChanged), special.get());
    g_signal_connect(special->choice, "changed", G_CALLBACK(OnChoiceChanged), special.get());
    w.special.push_back(std::move(special));
  }
}

std::vector<std::string> Expressions(const ZmanimWidgets& w) {
  std::vector<std::string> texts;
  for (const auto& special : w.special) texts.push_back(gtk_entry_get_text(GTK_ENTRY(special->entry)));
  return texts;
}

}  // namespace

SettingsBlock AddZmanimChoices(GtkWidget* rows) {
  auto w = std::make_shared<ZmanimWidgets>();
  AddOpinions(rows, *w);
  AddSpecialTimes(rows, *w);
  w->openingDefaults = SpecialTimeExpressions::Defaults(CurrentZmanimOpinions());
  SettingsBlock block;
  block.check = [w] { return SpecialTimesFormCheck(Expressions(*w)); };
  block.store = [w] {
    std::vector<std::string> texts;
    for (GtkWidget* list : w->lists) texts.push_back(dialogs::ChoiceListText(list));
    const std::string error = ZmanimStoreChoices(texts);
    // After the choices: a default expression follows the choice just made.
    if (error.empty()) SpecialTimesFormStore(Expressions(*w), w->openingDefaults);
    return error;
  };
  return block;
}
