#include <gtk/gtk.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/city_picker.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "dialogs/place_dialog.h"
#include "dialogs/preferences.h"
#include "forms/city_names.h"
#include "forms/shabbat_form.h"
#include "suntimes/cities.h"

namespace {

struct ShabbatWidgets {
  GtkWidget* location = nullptr;
  GtkWidget* candleLighting = nullptr;
  GtkWidget* havdalah = nullptr;
  std::vector<GtkWidget*> havdalahUnit;  // "min", "degrees below horizon"
  std::vector<GtkWidget*> sun;           // "classic", "precise"
  GtkWidget* sunElevation = nullptr;
  // Under the list: the city's own clock changes can be used.
  GtkWidget* cityZoneRow = nullptr;
  GtkWidget* useCityZone = nullptr;
  // The candle minutes a city put into the field, and what the field held
  // before: a city without minutes of its own gives the user's back.
  std::optional<std::string> candlesFilled;
  std::string candlesBefore;
  IsraelRulesChoice rules = IsraelRulesChoice::kCity;  // how the festivals are kept
  std::vector<GtkWidget*> rulesLines;                  // ... said under the list and the choice
  std::vector<GtkWidget*> rulesButtons;                // by the place, Israel, the Diaspora
};

// ---- the festivals: as the place keeps them, or by choice

constexpr IsraelRulesChoice kRulesOfButton[] = {IsraelRulesChoice::kCity, IsraelRulesChoice::kIsrael,
                                                IsraelRulesChoice::kDiaspora};

void ShowRules(const ShabbatWidgets& w) {
  const std::string line = FestivalRulesText(w.rules, getCityFileName(), CityPickerChoice(w.location));
  for (GtkWidget* label : w.rulesLines) gtk_label_set_text(GTK_LABEL(label), line.c_str());
}

void RulesToggled(GtkToggleButton*, gpointer data) {
  auto& w = *static_cast<ShabbatWidgets*>(data);
  const int active = dialogs::ActiveRadio(w.rulesButtons);
  if (active >= 0) w.rules = kRulesOfButton[active];
  ShowRules(w);
}

// The line that says how the festivals are kept: under the list of cities
// and, with the choice of it, on the calendar's page.
void AddRulesLine(GtkWidget* rows, ShabbatWidgets& w) {
  w.rulesLines.push_back(dialogs::DialogLabel(""));
  dialogs::AddRow(rows, {w.rulesLines.back()});
}

void AddRulesRows(GtkWidget* rows, ShabbatWidgets& w) {
  auto t = [](const char* key) { return translate_perform(key); };
  int active = 0;
  while (kRulesOfButton[active] != w.rules) ++active;
  w.rulesButtons = dialogs::NewRadioGroup({t("by the place"), t("Israel"), t("Diaspora")}, active);
  GtkWidget* row = dialogs::AddRow(rows, {dialogs::DialogLabel(t("Israel/Diaspora") + ":")});
  for (GtkWidget* button : w.rulesButtons) {
    dialogs::AddToRow(row, button);
    g_signal_connect(button, "toggled", G_CALLBACK(RulesToggled), &w);
  }
  AddRulesLine(rows, w);
  ShowRules(w);
}

// ---- what a chosen city brings: its candle minutes, the offer of its zone

void FillCandles(ShabbatWidgets& w, const std::optional<int>& minutes) {
  const std::string now = gtk_entry_get_text(GTK_ENTRY(w.candleLighting));
  if (minutes) {
    if (!w.candlesFilled) w.candlesBefore = now;
    w.candlesFilled = std::to_string(*minutes);
    gtk_entry_set_text(GTK_ENTRY(w.candleLighting), w.candlesFilled->c_str());
  } else if (w.candlesFilled) {
    if (now == *w.candlesFilled) gtk_entry_set_text(GTK_ENTRY(w.candleLighting), w.candlesBefore.c_str());
    w.candlesFilled.reset();
  }
}

void ShowCityChoice(ShabbatWidgets& w, const ShabbatCityChoice& choice, bool fillCandles) {
  if (fillCandles) FillCandles(w, choice.candleMinutes);
  if (choice.offerCityZone) {
    // The row stays out of the dialog's show_all; shown here on its own.
    gtk_widget_set_no_show_all(w.cityZoneRow, FALSE);
    gtk_widget_show_all(w.cityZoneRow);
    gtk_widget_set_no_show_all(w.cityZoneRow, TRUE);
  } else {
    gtk_widget_hide(w.cityZoneRow);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.useCityZone), FALSE);
  }
}

void OnCityChosen(GtkWidget* picker, gpointer data) {
  auto& w = *static_cast<ShabbatWidgets*>(data);
  ShowCityChoice(w, ShabbatTimesCityChosen(CityPickerChoice(picker)), true);
  ShowRules(w);
}

// The row under the list, hidden unless the city offers its zone.
void AddCityZoneRow(GtkWidget* rows, ShabbatWidgets& w, const std::string& location) {
  w.useCityZone = dialogs::NewCheckButton(translate_perform("Use them"), false);
  w.cityZoneRow = dialogs::AddRow(
      rows, {dialogs::DialogLabel(translate_perform("This city's own clock changes can be used:")), w.useCityZone});
  gtk_widget_set_no_show_all(w.cityZoneRow, TRUE);
  ShowCityChoice(w, ShabbatTimesCityChosen(location), false);
  CityPickerOnChosen(w.location, OnCityChosen, &w);
}

// ----

constexpr int kHavdalahMinutes = 0;
constexpr int kHavdalahDegrees = 1;
constexpr int kSunClassic = 0;
constexpr int kSunPrecise = 1;

// The elevation applies to the precise calculation only.
void SunChoiceToggled(GtkToggleButton*, gpointer data) {
  auto* w = static_cast<ShabbatWidgets*>(data);
  gtk_widget_set_sensitive(w->sunElevation, dialogs::ActiveRadio(w->sun) == kSunPrecise);
}

// The block of the sun calculation: which one, and the elevation check box.
void AddSunRows(GtkWidget* rows, const ShabbatTimesForm& form, ShabbatWidgets& w) {
  auto t = [](const char* key) { return translate_perform(key); };
  w.sun = dialogs::NewRadioGroup({t("classic"), t("precise")}, form.preciseSun ? kSunPrecise : kSunClassic);
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("Sun calculation:")), w.sun[kSunClassic], w.sun[kSunPrecise]});
  w.sunElevation = dialogs::NewCheckButton(t("Use elevation for sunrise and sunset"), form.sunElevation);
  dialogs::AddRow(rows, {w.sunElevation});
  g_signal_connect(w.sun[kSunPrecise], "toggled", G_CALLBACK(SunChoiceToggled), &w);
  SunChoiceToggled(nullptr, &w);
}

// The place's rows, the times' rows and the festivals' rules.
void AddShabbatRows(GtkWidget* place, GtkWidget* times, GtkWidget* calendar, const ShabbatTimesForm& form,
                    ShabbatWidgets& w) {
  auto t = [](const char* key) { return translate_perform(key); };
  w.location = NewCityPicker(ShabbatFormCities(getCityFileName()), form.location);
  dialogs::AddRow(place, {dialogs::DialogLabel(t("Location:")), w.location});
  AddPlaceButtonsRow(place, w.location);
  AddRulesLine(place, w);
  AddCityZoneRow(place, w, form.location);
  AddRulesRows(calendar, w);

  w.candleLighting = dialogs::DialogEntry(2, form.candleLighting);
  dialogs::AddRow(times,
                  {dialogs::DialogLabel(t("Candle Lighting:")), w.candleLighting, dialogs::DialogLabel(t("min"))});
  w.havdalah = dialogs::DialogEntry(4, form.havdalah);
  w.havdalahUnit = dialogs::NewRadioGroup({t("min"), t("degrees below horizon")},
                                          form.havdalahIsMin ? kHavdalahMinutes : kHavdalahDegrees);
  dialogs::AddRow(times, {dialogs::DialogLabel(t("End of Shabbat:")), w.havdalah, w.havdalahUnit[kHavdalahMinutes],
                          w.havdalahUnit[kHavdalahDegrees]});
  AddSunRows(times, form, w);
}

ShabbatTimesForm ReadForm(const ShabbatWidgets& w) {
  ShabbatTimesForm form;
  form.location = CityPickerChoice(w.location);
  form.candleLighting = gtk_entry_get_text(GTK_ENTRY(w.candleLighting));
  form.havdalah = gtk_entry_get_text(GTK_ENTRY(w.havdalah));
  form.havdalahIsMin = dialogs::ActiveRadio(w.havdalahUnit) == kHavdalahMinutes;
  form.preciseSun = dialogs::ActiveRadio(w.sun) == kSunPrecise;
  form.sunElevation = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.sunElevation)) != 0;
  form.useCityZone = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w.useCityZone));
  form.rules = w.rules;
  return form;
}

}  // namespace

SettingsBlock AddPlaceAndShabbatTimes(GtkWidget* place, GtkWidget* times, GtkWidget* calendar,
                                      PresetFieldWidgets* preset) {
  auto w = std::make_shared<ShabbatWidgets>();
  const ShabbatTimesForm form = ShabbatTimesFormFromSettings();
  w->rules = form.rules;
  AddShabbatRows(place, times, calendar, form, *w);
  if (preset) {
    preset->candles = w->candleLighting;
    preset->havdalah = w->havdalah;
    preset->havdalahUnit = w->havdalahUnit;
    preset->sun = w->sun;
    preset->sunElevation = w->sunElevation;
  }
  SettingsBlock block;
  // The messages are shown untranslated, as the checks word them.
  block.check = [w] { return ShabbatTimesFormCheck(ReadForm(*w)); };
  block.store = [w] { return ShabbatTimesFormApply(ReadForm(*w)); };
  return block;
}
