#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/preferences.h"

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
  std::vector<GtkWidget*> turn;  // sunset, nightfall
  std::vector<GtkWidget*> checks;
  std::vector<GtkWidget*> minutes;  // null where the row has none
};

void ShowMinutesInUse(GtkToggleButton* check, gpointer minutes) {
  gtk_widget_set_sensitive(GTK_WIDGET(minutes), gtk_toggle_button_get_active(check));
}

}  // namespace

SettingsBlock AddReminderChoices(GtkWidget* rows) {
  auto t = [](const char* key) { return translate_perform(key); };
  auto w = std::make_shared<ReminderWidgets>();
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
