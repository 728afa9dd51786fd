#include "dialogs/settings_dialogs.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/settings_file.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/gtk_util.h"
#include "dialogs/message.h"
#include "dialogs/preferences.h"
#include "dialogs/widget_fonts.h"
#include "forms/help_text.h"
#include "forms/language_form.h"

namespace {

std::string T(const char* key) { return translate_perform(key); }

// The radio buttons of a choice between two values, as a row after `label`.
std::vector<GtkWidget*> AddRadioRow(GtkWidget* rows, const std::string& label, const std::vector<std::string>& choices,
                                    int active) {
  std::vector<GtkWidget*> group = dialogs::NewRadioGroup(choices, active);
  GtkWidget* row = dialogs::AddRow(rows, {dialogs::DialogLabel(label)});
  for (GtkWidget* radio : group) dialogs::AddToRow(row, radio);
  return group;
}

constexpr int kSephardicButton = 0, kAshkenaziButton = 1;
constexpr int kWeekdayButton = 0, kLuachButton = 1;
constexpr int k12HourButton = 0, k24HourButton = 1;

}  // namespace

SettingsBlock AddCalendarChoices(GtkWidget* rows) {
  const auto style = AddRadioRow(rows, T("Style") + ":", {T("Sephardic"), T("Ashkenazi")},
                                 getStyle() == kStyleSephardic ? kSephardicButton : kAshkenaziButton);
  const auto yomHaAtsmaut =
      AddRadioRow(rows, T("Yom HaAtsmaut, Yom Yerushalayim") + ":", {T("weekday"), T("as the Chief Rabbinate's luach")},
                  yomHaAtsmautLuachGetFlag() ? kLuachButton : kWeekdayButton);
  GtkWidget* minorDays = dialogs::NewCheckButton(T("Show minor days and the moon"), getShowMinorDays() != 0);
  dialogs::AddRow(rows, {minorDays});
  SettingsBlock block;
  block.store = [=] {
    setStyle(dialogs::ActiveRadio(style) == kSephardicButton ? kStyleSephardic : kStyleAshkenazi);
    yomHaAtsmautLuachSetFlag(dialogs::ActiveRadio(yomHaAtsmaut) == kLuachButton ? 1 : 0);
    setShowMinorDays(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(minorDays)) ? 1 : 0);
    return std::string();
  };
  return block;
}

void DialogConfigureBackgroundImageBrowse(GtkWidget* button, gpointer entry) {
  GtkWidget* parent = gtk_widget_get_toplevel(button);
  GtkWidget* chooser = gtk_file_chooser_dialog_new("Select Image", GTK_IS_WINDOW(parent) ? GTK_WINDOW(parent) : nullptr,
                                                   GTK_FILE_CHOOSER_ACTION_OPEN, "gtk-cancel", GTK_RESPONSE_CANCEL,
                                                   "gtk-ok", GTK_RESPONSE_ACCEPT, nullptr);
  dialogs::FollowReadingDirection(chooser);
  gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
  if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    GCharPtr file(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser)));
    // The entry holds UTF-8; a file name in another encoding cannot be shown or stored.
    GCharPtr text(file ? g_filename_to_utf8(file.get(), -1, nullptr, nullptr, nullptr) : nullptr);
    if (text) {
      gtk_entry_set_text(GTK_ENTRY(entry), text.get());
    } else if (file) {
      dialogs::ShowInputError(T("The name of this file cannot be stored in the settings."));
    }
  }
  gtk_widget_destroy(chooser);
}

SettingsBlock AddMonthViewChoices(GtkWidget* rows) {
  constexpr int kChoices[] = {kWeekRightToLeftByLanguage, kWeekRightToLeftOn, kWeekRightToLeftOff};
  int active = 0;
  while (active < 2 && kChoices[active] != getWeekRightToLeft()) ++active;
  const auto week = AddRadioRow(rows, T("The week runs") + ":",
                                {T("as the language reads"), T("from right to left"), T("from left to right")}, active);
  GtkWidget* entry = dialogs::DialogEntry(40, getBackgroundImage());
  GtkWidget* browse = gtk_button_new_with_label(T("Browse...").c_str());
  dialogs::ApplyDialogFont(browse);
  g_signal_connect(browse, "clicked", G_CALLBACK(DialogConfigureBackgroundImageBrowse), entry);
  dialogs::AddRow(rows, {dialogs::DialogLabel(T("Background Image")), entry, browse});
  SettingsBlock block;
  // The path is not checked for a file (a missing one shows no image), but
  // the settings file must be able to hold it: a value it cannot hold
  // would keep every setting from being saved at exit.
  block.check = [entry] {
    if (SettingsValueIsValid(gtk_entry_get_text(GTK_ENTRY(entry)))) return std::string();
    return T("The file name cannot be stored in the settings: it is longer than 255 bytes or contains a double quote.");
  };
  block.store = [=] {
    setWeekRightToLeft(kChoices[std::max(0, dialogs::ActiveRadio(week))]);
    setBackgroundImage(gtk_entry_get_text(GTK_ENTRY(entry)));
    return std::string();
  };
  return block;
}

void DialogsDoHelp(GtkWidget* parent, const std::string& text) {
  GdkScreen* screen = parent ? gtk_widget_get_screen(parent) : gdk_screen_get_default();
  GtkWidget* dialog = dialogs::NewDialog("Help", true);
  GtkWidget* view = gtk_text_view_new();
  gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD);
  const std::string shown = DialogsHelpText(text);
  gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), shown.c_str(), -1);
  dialogs::ApplyDialogFont(view);
  setProperTextDirectionForWidget(view);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_widget_set_size_request(scrolled, gdk_screen_get_width(screen) / 3, gdk_screen_get_height(screen) / 5);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(dialog)), scrolled, TRUE, TRUE, 2);
  dialogs::AddActionButton(dialog, T("Close"), dialogs::kAnswerCancel);
  dialogs::RunOkCancel(dialog);
}

namespace {

// The language dialog while it is open: the form and the widgets that change it.
struct LanguageDialog {
  LanguageForm form = LanguageForm::FromSettings();
  std::vector<GtkWidget*> radios;  // one per row of kLanguages
  GtkWidget* numerals = nullptr;
};

void LanguageRadioToggled(GtkToggleButton* radio, gpointer data) {
  auto* d = static_cast<LanguageDialog*>(data);
  if (!gtk_toggle_button_get_active(radio)) return;
  for (size_t i = 0; i < d->radios.size(); ++i)
    if (d->radios[i] == GTK_WIDGET(radio)) d->form.ChooseLanguage(kLanguages[i].number);
  // The check box follows the language unless the user has set it.
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(d->numerals), d->form.numeralsShown());
}

void NumeralsToggled(GtkToggleButton* box, gpointer data) {
  static_cast<LanguageDialog*>(data)->form.ShowNumerals(gtk_toggle_button_get_active(box));
}

}  // namespace

SettingsBlock AddLanguageChoice(GtkWidget* rows, PreferencesOutcome* outcome) {
  auto d = std::make_shared<LanguageDialog>();
  // A stored number no language has shows (and keeps on OK) English.
  if (!FindLanguage(d->form.language())) d->form.ChooseLanguage(kLanguageEnglish);
  std::vector<std::string> names;
  int active = 0;
  for (const LanguageRow& row : kLanguages) {
    if (row.number == d->form.language()) active = static_cast<int>(names.size());
    names.push_back(translate_perform(row.name));
  }
  d->radios = dialogs::NewRadioGroup(names, active);
  GtkWidget* row = dialogs::AddRow(rows, {dialogs::DialogLabel(T("Language:"))});
  for (GtkWidget* radio : d->radios) dialogs::AddToRow(row, radio);
  d->numerals = dialogs::NewCheckButton(T("Hebrew dates in Hebrew numerals"), d->form.numeralsShown());
  dialogs::AddRow(rows, {d->numerals});
  for (GtkWidget* radio : d->radios) g_signal_connect(radio, "toggled", G_CALLBACK(LanguageRadioToggled), d.get());
  g_signal_connect(d->numerals, "toggled", G_CALLBACK(NumeralsToggled), d.get());
  SettingsBlock block;
  block.store = [d, outcome] {
    const LanguageForm before = LanguageForm::FromSettings();
    d->form.Store();
    outcome->languageChanged =
        before.language() != d->form.language() || before.numeralsChoice() != d->form.numeralsChoice();
    return std::string();
  };
  return block;
}

SettingsBlock AddTimeFormat(GtkWidget* rows) {
  const auto format = AddRadioRow(rows, T("Clock") + ":", {T("12 hour"), T("24 hour")},
                                  getTimeFormat() != 0 ? k24HourButton : k12HourButton);
  SettingsBlock block;
  block.store = [format] {
    setTimeFormat(dialogs::ActiveRadio(format) == k24HourButton ? 1 : 0);
    return std::string();
  };
  return block;
}
