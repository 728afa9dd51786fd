#include "dialogs/shabbat_times_dialog.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "dialogs/city_picker.h"
#include "dialogs/dialog_util.h"
#include "base/settings.h"
#include "base/translate.h"
#include "suntimes/cities.h"
#include "forms/shabbat_form.h"

namespace {

struct ShabbatWidgets {
  GtkWidget* location = nullptr;
  GtkWidget* candleLighting = nullptr;
  GtkWidget* havdalah = nullptr;
  std::vector<GtkWidget*> havdalahUnit;  // "min", "degrees below horizon"
};

constexpr int kHavdalahMinutes = 0;
constexpr int kHavdalahDegrees = 1;

GtkWidget* BuildShabbatDialog(const ShabbatTimesForm& form, ShabbatWidgets& w) {
  auto t = [](const char* key) { return translate_perform(key); };
  GtkWidget* dialog = dialogs::NewDialog("Configure Shabbat Times", true);
  GtkWidget* rows = dialogs::DialogRows(dialog);

  w.location = NewCityPicker(ShabbatFormCities(getCityFileName()), form.location);
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("Location:")), w.location});

  w.candleLighting = dialogs::DialogEntry(2, form.candleLighting);
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("Candle Lighting:")), w.candleLighting, dialogs::DialogLabel(t("min"))});

  w.havdalah = dialogs::DialogEntry(4, form.havdalah);
  w.havdalahUnit = dialogs::NewRadioGroup({t("min"), t("degrees below horizon")},
                                          form.havdalahIsMin ? kHavdalahMinutes : kHavdalahDegrees);
  dialogs::AddRow(rows, {dialogs::DialogLabel(t("End of Shabbat:")), w.havdalah, w.havdalahUnit[kHavdalahMinutes],
                         w.havdalahUnit[kHavdalahDegrees]});
  dialogs::AddOkCancel(dialog);
  return dialog;
}

ShabbatTimesForm ReadForm(const ShabbatWidgets& w) {
  ShabbatTimesForm form;
  form.location = CityPickerChoice(w.location);
  form.candleLighting = gtk_entry_get_text(GTK_ENTRY(w.candleLighting));
  form.havdalah = gtk_entry_get_text(GTK_ENTRY(w.havdalah));
  form.havdalahIsMin = dialogs::ActiveRadio(w.havdalahUnit) == kHavdalahMinutes;
  return form;
}

}  // namespace

int DoConfigureShabbatTimes() {
  ShabbatWidgets w;
  GtkWidget* dialog = BuildShabbatDialog(ShabbatTimesFormFromSettings(), w);
  const bool confirmed = dialogs::RunOkCancel(dialog, [&] {
    const std::string error = ShabbatTimesFormApply(ReadForm(w));
    if (!error.empty()) dialogs::ShowInputError(error);  // shown untranslated, as the checks word them
    return error.empty();
  });
  return confirmed ? 1 : 0;
}
