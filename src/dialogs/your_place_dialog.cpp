#include "dialogs/your_place_dialog.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "base/choices.h"
#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/city_picker.h"
#include "dialogs/dialog_util.h"
#include "forms/city_names.h"
#include "forms/shabbat_form.h"
#include "suntimes/cities.h"

namespace {

struct PlaceWidgets {
  GtkWidget* city = nullptr;
  GtkWidget* rules = nullptr;  // the line that says how the festivals are kept
  std::vector<GtkWidget*> language;
};

void ShowRules(PlaceWidgets& w) {
  gtk_label_set_text(GTK_LABEL(w.rules), FestivalRulesText(getCityFileName(), CityPickerChoice(w.city)).c_str());
}

void OnCityChosen(GtkWidget*, gpointer data) { ShowRules(*static_cast<PlaceWidgets*>(data)); }

}  // namespace

void AskYourPlace(const PlaceProposal& proposal) {
  auto t = [](const char* key) { return translate_perform(key); };
  PlaceWidgets w;
  GtkWidget* dialog = dialogs::NewDialog("Your place", true);
  gtk_window_set_title(GTK_WINDOW(dialog), t("Your place").c_str());
  GtkWidget* rows = dialogs::DialogRows(dialog);
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("The times of the calendar are computed for your place."))});
  w.city = NewCityPicker(ShabbatFormCities(getCityFileName()), Utf8FromLatin1(proposal.city));
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("Location:")), w.city});
  w.rules = dialogs::DialogLabel("");
  dialogs::AddRow(rows, {w.rules});
  std::vector<std::string> languages;
  for (const LanguageRow& row : kLanguages) languages.push_back(translate_perform(row.name));
  w.language = dialogs::NewRadioGroup(languages, proposal.language - kLanguageEnglish);
  GtkWidget* languageRow = dialogs::AddRow(rows, {dialogs::DialogLabel(t("Language:"))});
  for (GtkWidget* button : w.language) dialogs::AddToRow(languageRow, button);
  dialogs::AddOkCancel(dialog);
  // Return in the search field takes the city chosen, as OK does.
  g_signal_connect(CityPickerSearchField(w.city), "activate", G_CALLBACK(DialogButton),
                   GINT_TO_POINTER(dialogs::kAnswerOk));
  ShowRules(w);
  CityPickerOnChosen(w.city, OnCityChosen, &w);

  PlaceProposal chosen = proposal;
  dialogs::RunOkCancel(dialog, [&] {
    const std::string city = CityPickerChoice(w.city);
    std::string latin1;
    if (!city.empty() && Latin1FromUtf8(city, &latin1)) chosen.city = latin1;
    chosen.language = kLanguageEnglish + dialogs::ActiveRadio(w.language);
    return true;
  });
  ApplyPlaceProposal(chosen);
}
