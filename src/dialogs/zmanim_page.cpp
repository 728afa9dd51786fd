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
#include "forms/zmanim_preset_form.h"

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

// The community preset: its choice list, the fields it fills, and the
// name of the preset last chosen.
struct PresetChoice {
  GtkWidget* list = nullptr;
  PresetFieldWidgets fields;
  std::string name;
  bool filling = false;  // the fields or the list are being set, not typed
};

struct ZmanimWidgets {
  std::vector<GtkWidget*> lists;
  std::vector<std::unique_ptr<SpecialTimeWidgets>> special;
  SpecialTimeExpressions openingDefaults;
  std::unique_ptr<PresetChoice> preset;
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

// ---- the community preset

PresetFormFields ReadPresetFields(const PresetFieldWidgets& f) {
  PresetFormFields form;
  form.candles = gtk_entry_get_text(GTK_ENTRY(f.candles));
  form.havdalah = gtk_entry_get_text(GTK_ENTRY(f.havdalah));
  form.havdalahIsMin = dialogs::ActiveRadio(f.havdalahUnit) == 0;
  form.preciseSun = dialogs::ActiveRadio(f.sun) == 1;
  form.sunElevation = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(f.sunElevation)) != FALSE;
  for (GtkWidget* list : f.opinions) form.opinions.push_back(dialogs::ChoiceListText(list));
  for (GtkWidget* entry : f.special) form.special.push_back(gtk_entry_get_text(GTK_ENTRY(entry)));
  return form;
}

void SetRadio(const std::vector<GtkWidget*>& group, size_t on) {
  if (on < group.size()) gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(group[on]), TRUE);
}

void FillPresetFields(const PresetFieldWidgets& f, const PresetFormFields& form) {
  gtk_entry_set_text(GTK_ENTRY(f.candles), form.candles.c_str());
  gtk_entry_set_text(GTK_ENTRY(f.havdalah), form.havdalah.c_str());
  SetRadio(f.havdalahUnit, form.havdalahIsMin ? 0 : 1);
  SetRadio(f.sun, form.preciseSun ? 1 : 0);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(f.sunElevation), form.sunElevation ? TRUE : FALSE);
  const std::vector<const ZmanimRec*> recs = ZmanimChoiceRows();
  for (size_t r = 0; r < f.opinions.size() && r < form.opinions.size(); ++r)
    gtk_combo_box_set_active(GTK_COMBO_BOX(f.opinions[r]), ZmanimOptionFromLabel(*recs[r], form.opinions[r]));
  for (size_t r = 0; r < f.special.size() && r < form.special.size(); ++r)
    gtk_entry_set_text(GTK_ENTRY(f.special[r]), form.special[r].c_str());
}

// The list shows the preset while the fields hold its choices, else
// "Custom (from ...)".
void ShowPresetState(PresetChoice& p) {
  const ZmanimPresetState state = PresetFormStateOf(p.name, ReadPresetFields(p.fields));
  p.filling = true;
  if (state.custom) {
    gtk_combo_box_set_active(GTK_COMBO_BOX(p.list), -1);
    gtk_entry_set_text(GTK_ENTRY(dialogs::ChoiceListField(p.list)), ZmanimPresetStateText(state).c_str());
  } else {
    gtk_combo_box_set_active(GTK_COMBO_BOX(p.list), static_cast<int>(state.preset - ZmanimPresets().data()));
  }
  p.filling = false;
}

void OnPresetChosen(GtkComboBox* list, gpointer data) {
  auto& p = *static_cast<PresetChoice*>(data);
  const int chosen = gtk_combo_box_get_active(list);
  if (p.filling || chosen < 0 || chosen >= static_cast<int>(ZmanimPresets().size())) return;
  const ZmanimPreset& preset = ZmanimPresets()[static_cast<size_t>(chosen)];
  p.name = std::string(preset.name);
  p.filling = true;
  FillPresetFields(p.fields, PresetFormFieldsOf(preset));
  p.filling = false;
  ShowPresetState(p);
}

void OnPresetFieldChanged(gpointer data) {
  auto& p = *static_cast<PresetChoice*>(data);
  if (!p.filling) ShowPresetState(p);
}

// The choice at the top of the page; every field it fills tells it of a change.
std::unique_ptr<PresetChoice> AddPresetChoice(GtkWidget* rows, const PresetFieldWidgets& fields) {
  auto p = std::make_unique<PresetChoice>();
  p->fields = fields;
  // An unknown stored name reads as the first preset, and is stored so.
  const ZmanimPreset* stored = ZmanimPresetByName(getZmanimPreset());
  p->name = std::string(stored ? stored->name : ZmanimPresets()[0].name);
  p->list = dialogs::NewChoiceList(PresetFormLabels(), "");
  dialogs::AddRow(rows, {dialogs::DialogLabel(translate_perform("Community preset:")), p->list});
  auto changed = +[](GtkWidget*, gpointer data) { OnPresetFieldChanged(data); };
  for (GtkWidget* entry : {fields.candles, fields.havdalah})
    g_signal_connect(entry, "changed", G_CALLBACK(changed), p.get());
  for (const auto* group : {&fields.havdalahUnit, &fields.sun})
    for (GtkWidget* button : *group) g_signal_connect(button, "toggled", G_CALLBACK(changed), p.get());
  g_signal_connect(fields.sunElevation, "toggled", G_CALLBACK(changed), p.get());
  g_signal_connect(p->list, "changed", G_CALLBACK(OnPresetChosen), p.get());
  return p;
}

// The zmanim page's own fields join the preset's once they exist.
void AddPresetFieldsOfPage(PresetChoice& p, const ZmanimWidgets& w) {
  auto changed = +[](GtkWidget*, gpointer data) { OnPresetFieldChanged(data); };
  p.fields.opinions = w.lists;
  for (GtkWidget* list : w.lists) g_signal_connect(list, "changed", G_CALLBACK(changed), &p);
  p.fields.special.clear();
  for (const auto& special : w.special) {
    p.fields.special.push_back(special->entry);
    g_signal_connect(special->entry, "changed", G_CALLBACK(changed), &p);
  }
  ShowPresetState(p);
}

std::vector<std::string> Expressions(const ZmanimWidgets& w) {
  std::vector<std::string> texts;
  for (const auto& special : w.special) texts.push_back(gtk_entry_get_text(GTK_ENTRY(special->entry)));
  return texts;
}

}  // namespace

SettingsBlock AddZmanimChoices(GtkWidget* rows, PresetFieldWidgets* preset) {
  auto w = std::make_shared<ZmanimWidgets>();
  if (preset && preset->candles) w->preset = AddPresetChoice(rows, *preset);
  AddOpinions(rows, *w);
  AddSpecialTimes(rows, *w);
  if (w->preset) AddPresetFieldsOfPage(*w->preset, *w);
  w->openingDefaults = SpecialTimeExpressions::Defaults(CurrentZmanimOpinions());
  SettingsBlock block;
  block.check = [w] { return SpecialTimesFormCheck(Expressions(*w)); };
  block.store = [w] {
    std::vector<std::string> texts;
    for (GtkWidget* list : w->lists) texts.push_back(dialogs::ChoiceListText(list));
    const std::string error = ZmanimStoreChoices(texts);
    // After the choices: a default expression follows the choice just made.
    if (error.empty()) SpecialTimesFormStore(Expressions(*w), w->openingDefaults);
    if (error.empty() && w->preset) setZmanimPreset(w->preset->name);
    return error;
  };
  return block;
}
