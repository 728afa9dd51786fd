#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/preferences.h"
#include "storage/autostart.h"

namespace {

// A reminder of the page: its check box (a translation key) and, for those
// given ahead of their time, the field of minutes.
struct ReminderRow {
  std::string_view label;
  std::string_view flagKey;
  std::string_view minutesKey;  // "" for a reminder at its own time
};
constexpr ReminderRow kReminderRows[] = {
    {"Candle lighting", "ReminderCandles", "ReminderCandlesMinutes"},
    {"The Omer count, at nightfall", "ReminderOmer", ""},
    {"A yortsayt, on the evening before", "ReminderYortsayt", ""},
    {"The beginning of a fast", "ReminderFast", "ReminderFastMinutes"},
    {"The last night of Kiddush Levana, at nightfall", "ReminderKiddushLevana", ""},
};

constexpr int kLongestLead = 1440;  // minutes: a day

struct ReminderWidgets {
  GtkWidget* panel = nullptr;
  bool inPanel = false;          // as the page opened
  std::vector<GtkWidget*> turn;  // sunset, nightfall
  std::vector<GtkWidget*> checks;
  std::vector<GtkWidget*> minutes;  // null where the row has none
};

// The panel's date, started at once when the user puts it there (a second
// one only says that one runs), by the program that runs this page (no
// other program, such as a test, is started with --indicator).
void StartIndicator() {
  gchar* self = g_file_read_link("/proc/self/exe", nullptr);
  gchar* name = self ? g_path_get_basename(self) : nullptr;
  if (name && std::string_view(name) == "lumaro") {
    gchar* argv[] = {self, const_cast<gchar*>("--indicator"), nullptr};
    g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, nullptr);
  }
  g_free(name);
  g_free(self);
}

void ShowMinutesInUse(GtkToggleButton* check, gpointer minutes) {
  gtk_widget_set_sensitive(GTK_WIDGET(minutes), gtk_toggle_button_get_active(check));
}

}  // namespace

SettingsBlock AddReminderChoices(GtkWidget* rows) {
  auto t = [](const char* key) { return translate_perform(key); };
  auto w = std::make_shared<ReminderWidgets>();
  w->inPanel = IndicatorAutostartEnabled();
  w->panel = dialogs::NewCheckButton(t("Show the Hebrew date in the panel, from each login"), w->inPanel);
  dialogs::AddRow(rows, {w->panel});
  w->turn = dialogs::NewRadioGroup({t("sunset"), t("nightfall (the end of Shabbat)")},
                                   getDateTurn() == kDateTurnHavdalah ? 1 : 0);
  GtkWidget* turnRow = dialogs::AddRow(rows, {dialogs::DialogLabel(t("The Hebrew date turns at") + ":")});
  for (GtkWidget* radio : w->turn) dialogs::AddToRow(turnRow, radio);

  dialogs::AddRow(rows, {dialogs::DialogLabel(t("Reminders, shown while the calendar is in the panel:"))});
  for (const ReminderRow& row : kReminderRows) {
    GtkWidget* check = dialogs::NewCheckButton(translate_perform(row.label), getReminderSetting(row.flagKey) != 0);
    GtkWidget* minutes = nullptr;
    if (row.minutesKey.empty()) {
      dialogs::AddRow(rows, {check});
    } else {
      minutes = gtk_spin_button_new_with_range(0, kLongestLead, 5);
      gtk_spin_button_set_digits(GTK_SPIN_BUTTON(minutes), 0);
      gtk_spin_button_set_value(GTK_SPIN_BUTTON(minutes), getReminderSetting(row.minutesKey));
      dialogs::ApplyDialogFont(minutes);
      dialogs::AddRow(rows, {check, minutes, dialogs::DialogLabel(t("minutes before"))});
      g_signal_connect(check, "toggled", G_CALLBACK(ShowMinutesInUse), minutes);
      ShowMinutesInUse(GTK_TOGGLE_BUTTON(check), minutes);
    }
    w->checks.push_back(check);
    w->minutes.push_back(minutes);
  }
  SettingsBlock block;
  block.store = [w] {
    const bool inPanel = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w->panel)) != FALSE;
    if (inPanel != w->inPanel) {
      std::string error;
      if (!SetIndicatorAutostart(inPanel, &error)) return error;
      w->inPanel = inPanel;
      if (inPanel) StartIndicator();
    }
    setDateTurn(dialogs::ActiveRadio(w->turn) == 1 ? kDateTurnHavdalah : kDateTurnSunset);
    for (size_t i = 0; i < w->checks.size(); ++i) {
      const ReminderRow& row = kReminderRows[i];
      setReminderSetting(row.flagKey, gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w->checks[i])) ? 1 : 0);
      if (!w->minutes[i]) continue;
      gtk_spin_button_update(GTK_SPIN_BUTTON(w->minutes[i]));  // a number still being typed counts
      setReminderSetting(row.minutesKey, gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(w->minutes[i])));
    }
    return std::string();
  };
  return block;
}
