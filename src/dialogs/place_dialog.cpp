#include "dialogs/place_dialog.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "dialogs/city_picker.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "forms/place_form.h"
#include "forms/shabbat_form.h"
#include "storage/user_places.h"
#include "suntimes/zone_names.h"

namespace {

enum class PlaceAction { kAdd, kEdit, kRemove };

constexpr const char* kButtonsKey = "lumaro-place-buttons";

// The row's state: the picker it works on, the buttons offered for the
// user's own places, and the action waiting to run.
struct PlaceButtons {
  GtkWidget* picker = nullptr;
  GtkWidget* edit = nullptr;
  GtkWidget* remove = nullptr;
  PlaceAction action = PlaceAction::kAdd;
  guint idle = 0;
};

struct PlaceWidgets {
  GtkWidget* name = nullptr;
  GtkWidget* latitude = nullptr;
  GtkWidget* longitude = nullptr;
  GtkWidget* zone = nullptr;  // a picker of the zones
  GtkWidget* elevation = nullptr;
  GtkWidget* candles = nullptr;
};

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

// The chosen city in the file's encoding ("" when none or not encodable).
std::string ChosenLatin1(GtkWidget* picker) {
  std::string latin1;
  return Latin1FromUtf8(CityPickerChoice(picker), &latin1) ? latin1 : std::string();
}

// A row of the label (as wide as the others of `labels`, so the fields
// line up), the field and a hint after it.
GtkWidget* AddField(GtkWidget* rows, GtkSizeGroup* labels, const std::string& label, GtkWidget* field,
                    const std::string& hint = "") {
  GtkWidget* name = dialogs::DialogLabel(label);
  gtk_misc_set_alignment(GTK_MISC(name), isLanguageRightToLeft() ? 1.0f : 0.0f, 0.5f);
  gtk_size_group_add_widget(labels, name);
  GtkWidget* row = dialogs::AddRow(rows, {name, field});
  if (!hint.empty()) dialogs::AddToRow(row, dialogs::DialogLabel(hint));
  return field;
}

GtkWidget* BuildPlaceDialog(const char* title, const PlaceForm& form, PlaceWidgets& w) {
  auto t = [](const char* key) { return translate_perform(key); };
  GtkWidget* dialog = dialogs::NewDialog(title, true);
  GtkWidget* rows = dialogs::DialogRows(dialog);
  GtkSizeGroup* labels = gtk_size_group_new(GTK_SIZE_GROUP_HORIZONTAL);
  const std::string example = t("for example %s or %s");
  w.name = AddField(rows, labels, t("Name:"), dialogs::DialogEntry(30, form.name));
  w.latitude = AddField(rows, labels, t("Latitude:"), dialogs::DialogEntry(14, form.latitude),
                        FormatText(example, {PlaceExample("31.7767"), PlaceExample("31 46 N")}));
  w.longitude = AddField(rows, labels, t("Longitude:"), dialogs::DialogEntry(14, form.longitude),
                         FormatText(example, {PlaceExample("35.2167"), PlaceExample("35 13 E")}));
  std::vector<CityChoice> zones;
  for (const std::string& zone : TimeZoneNames()) zones.push_back({zone, "", CitySearchKey(zone)});
  w.zone = AddField(rows, labels, t("Time zone:"), NewCityPicker(std::move(zones), form.zone));
  w.elevation =
      AddField(rows, labels, t("Elevation:"), dialogs::DialogEntry(6, form.elevation), t("metres (may be left empty)"));
  w.candles = AddField(rows, labels, t("Candle lighting:"), dialogs::DialogEntry(3, form.candles),
                       t("minutes before sunset (may be left empty)"));
  g_object_unref(labels);  // the labels hold it
  dialogs::AddOkCancel(dialog);
  return dialog;
}

PlaceForm ReadWidgets(const PlaceWidgets& w) {
  PlaceForm form;
  form.name = gtk_entry_get_text(GTK_ENTRY(w.name));
  form.latitude = gtk_entry_get_text(GTK_ENTRY(w.latitude));
  form.longitude = gtk_entry_get_text(GTK_ENTRY(w.longitude));
  // The zone chosen in the list, else what was typed to search it.
  form.zone = CityPickerChoice(w.zone);
  if (form.zone.empty()) form.zone = gtk_entry_get_text(GTK_ENTRY(CityPickerSearchField(w.zone)));
  form.elevation = gtk_entry_get_text(GTK_ENTRY(w.elevation));
  form.candles = gtk_entry_get_text(GTK_ENTRY(w.candles));
  return form;
}

// The place dialog for a new place (`editing` empty) or for the user's place
// `editing` (ISO-8859-1). Returns the name (UTF-8) of the place saved, or
// nothing when the user cancelled.
std::optional<std::string> RunPlaceDialog(const std::string& editing, const PlaceForm& form) {
  PlaceWidgets w;
  GtkWidget* dialog = BuildPlaceDialog(editing.empty() ? "Add a Place" : "Edit Place", form, w);
  const std::string file = getCityFileName();
  const std::vector<std::string> zones = TimeZoneNames();
  std::string saved;
  const bool confirmed = dialogs::RunOkCancel(dialog, [&] {
    PlaceLine place;
    std::string error = ReadPlaceForm(ReadWidgets(w), zones, CityGetAll(file), editing, CurrentYear(), &place);
    if (error.empty()) {
      std::string reason;
      const bool written = editing.empty() ? UserPlaceAdd(file, place.line, &reason)
                                           : UserPlaceReplace(file, editing, place.line, &reason);
      if (!written) error = FormatText(translate_perform("The city file %s could not be changed: %s"), {file, reason});
    }
    if (!error.empty()) dialogs::ShowInputError(error);
    saved = Utf8FromLatin1(place.city.name);
    return error.empty();
  });
  if (!confirmed) return std::nullopt;
  return saved;
}

// Asks, then removes the user's place `name` (ISO-8859-1); true when removed.
bool RemovePlace(const std::string& name) {
  const std::string question =
      FormatText(translate_perform("Remove the place %s from the city file?"), {Utf8FromLatin1(name)});
  if (DialogsDoYesNo(question) != kAnswerYes) return false;
  std::string reason;
  if (UserPlaceRemove(getCityFileName(), name, &reason)) return true;
  DialogsDoMessage(
      FormatText(translate_perform("The city file %s could not be changed: %s"), {getCityFileName(), reason}));
  return false;
}

void UpdateButtons(PlaceButtons& b) {
  const std::string name = ChosenLatin1(b.picker);
  const bool own = !name.empty() && UserPlaceFind(getCityFileName(), name).has_value();
  gtk_widget_set_sensitive(b.edit, own);
  gtk_widget_set_sensitive(b.remove, own);
}

// Runs the action of the button pressed, from the main loop (the place
// dialog waits in a loop of its own; the location dialog goes on waiting).
gboolean RunAction(gpointer data) {
  auto& b = *static_cast<PlaceButtons*>(data);
  b.idle = 0;
  dialogs::WindowRef picker(b.picker);
  const int32_t waiting = idClickedButton;
  const std::string chosen = ChosenLatin1(b.picker);
  std::optional<std::string> select;
  if (b.action == PlaceAction::kAdd) {
    select = RunPlaceDialog("", PlaceForm{});
  } else if (const std::optional<CityRec> own = UserPlaceFind(getCityFileName(), chosen)) {
    if (b.action == PlaceAction::kEdit) select = RunPlaceDialog(chosen, PlaceFormOf(*own));
    if (b.action == PlaceAction::kRemove && RemovePlace(chosen)) select = "";
  }
  idClickedButton = waiting;  // the answers of the dialogs just shown are not the location dialog's
  if (!picker.get()) return FALSE;
  if (select) CityPickerSetCities(b.picker, ShabbatFormCities(getCityFileName()), *select);
  UpdateButtons(b);
  return FALSE;
}

void Pressed(GtkWidget* button, gpointer data) {
  auto& b = *static_cast<PlaceButtons*>(data);
  if (b.idle) return;
  b.action = static_cast<PlaceAction>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), kButtonsKey)));
  b.idle = g_idle_add(RunAction, &b);
}

GtkWidget* ActionButton(const std::string& label, PlaceAction action, PlaceButtons* b) {
  GtkWidget* button = gtk_button_new_with_label(label.c_str());
  dialogs::ApplyDialogFont(button);
  g_object_set_data(G_OBJECT(button), kButtonsKey, GINT_TO_POINTER(static_cast<int>(action)));
  g_signal_connect(button, "clicked", G_CALLBACK(Pressed), b);
  return button;
}

void DeleteButtons(gpointer data) {
  auto* b = static_cast<PlaceButtons*>(data);
  if (b->idle) g_source_remove(b->idle);
  delete b;
}

}  // namespace

void AddPlaceButtonsRow(GtkWidget* rows, GtkWidget* picker) {
  auto* b = new PlaceButtons;
  b->picker = picker;
  GtkWidget* add = ActionButton(translate_perform("Add a place..."), PlaceAction::kAdd, b);
  b->edit = ActionButton(translate_perform("Edit place..."), PlaceAction::kEdit, b);
  b->remove = ActionButton(translate_perform("Remove place"), PlaceAction::kRemove, b);
  GtkWidget* row = dialogs::AddRow(rows, {add, b->edit, b->remove});
  g_object_set_data_full(G_OBJECT(row), kButtonsKey, b, DeleteButtons);
  CityPickerOnChosen(
      picker, [](GtkWidget*, gpointer data) { UpdateButtons(*static_cast<PlaceButtons*>(data)); }, b);
  UpdateButtons(*b);
}
