#include "dialogs/preferences.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "dialogs/dialog_util.h"
#include "dialogs/message.h"
#include "forms/learning_form.h"

namespace {

// The pages in the order of their tabs, with their titles (translation keys).
constexpr std::array<const char*, 8> kPageTitles = {
    "Place", "Times", "Zmanim", "Calendar", "Language and fonts", "Learning", "Month view", "Panel and reminders"};

struct PreferencesWindow {
  GtkWidget* dialog = nullptr;
  GtkWidget* notebook = nullptr;
  std::array<GtkWidget*, kPageTitles.size()> pages{};
  // Each block with the page it is on, in the order they are checked and stored.
  std::vector<std::pair<PreferencesPage, SettingsBlock>> blocks;
};

// A page scrolls when its rows grow taller than the window (the expressions
// opened under "Advanced" on a small screen).
GtkWidget* NewPage(PreferencesWindow& w, PreferencesPage page) {
  GtkWidget* rows = gtk_vbox_new(FALSE, 2);
  gtk_container_set_border_width(GTK_CONTAINER(rows), 8);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_add_with_viewport(GTK_SCROLLED_WINDOW(scrolled), rows);
  gtk_viewport_set_shadow_type(GTK_VIEWPORT(gtk_bin_get_child(GTK_BIN(scrolled))), GTK_SHADOW_NONE);
  const auto index = static_cast<size_t>(page);
  gtk_notebook_append_page(GTK_NOTEBOOK(w.notebook), scrolled,
                           dialogs::DialogLabel(translate_perform(kPageTitles[index])));
  w.pages[index] = rows;
  return rows;
}

// The pages as large as the largest one's rows, within the screen.
void SizePages(PreferencesWindow& w) {
  GtkRequisition largest = {0, 0};
  for (GtkWidget* rows : w.pages) {
    GtkRequisition r;
    gtk_widget_size_request(rows, &r);
    largest.width = std::max(largest.width, r.width);
    largest.height = std::max(largest.height, r.height);
  }
  GdkScreen* screen = gtk_widget_get_screen(w.dialog);
  const int height = std::min(largest.height + 8, gdk_screen_get_height(screen) - 160);
  for (GtkWidget* rows : w.pages) {
    GtkWidget* scrolled = gtk_widget_get_parent(gtk_widget_get_parent(rows));
    gtk_widget_set_size_request(scrolled, std::min(largest.width + 8, gdk_screen_get_width(screen) - 40), height);
  }
}

void BuildPages(PreferencesWindow& w, PreferencesOutcome* outcome) {
  using P = PreferencesPage;
  GtkWidget* place = NewPage(w, P::kPlace);
  GtkWidget* times = NewPage(w, P::kTimes);
  GtkWidget* zmanim = NewPage(w, P::kZmanim);
  GtkWidget* calendar = NewPage(w, P::kCalendar);
  GtkWidget* language = NewPage(w, P::kLanguage);
  GtkWidget* learning = NewPage(w, P::kLearning);
  GtkWidget* monthView = NewPage(w, P::kMonthView);
  GtkWidget* reminders = NewPage(w, P::kReminders);
  // Daylight saving before the place: choosing the city's own clock changes
  // on the place's page turns "Automatic" on whatever the rule says.
  w.blocks.emplace_back(P::kTimes, AddDaylightSaving(times));
  // The preset choice fills fields of the times' page and the zmanim page.
  PresetFieldWidgets preset;
  w.blocks.emplace_back(P::kPlace, AddPlaceAndShabbatTimes(place, times, calendar, &preset));
  w.blocks.emplace_back(P::kTimes, AddTimeFormat(times));
  w.blocks.emplace_back(P::kZmanim, AddZmanimChoices(zmanim, &preset));
  w.blocks.emplace_back(P::kCalendar, AddCalendarChoices(calendar));
  w.blocks.emplace_back(P::kLanguage, AddLanguageChoice(language, outcome));
  w.blocks.emplace_back(P::kLanguage, AddFontChoices(language, outcome));
  w.blocks.emplace_back(P::kLearning, AddLearningChoices(learning));
  w.blocks.emplace_back(P::kMonthView, AddMonthViewChoices(monthView));
  w.blocks.emplace_back(P::kReminders, AddReminderChoices(reminders));
}

// Every block's check, then every block's store; a refusal shows its page.
bool Accept(PreferencesWindow& w) {
  for (auto& [page, block] : w.blocks) {
    const std::string message = block.check();
    if (message.empty()) continue;
    gtk_notebook_set_current_page(GTK_NOTEBOOK(w.notebook), static_cast<int>(page));
    dialogs::ShowInputError(message);
    return false;
  }
  for (auto& [page, block] : w.blocks) {
    const std::string message = block.store();
    if (message.empty()) continue;
    gtk_notebook_set_current_page(GTK_NOTEBOOK(w.notebook), static_cast<int>(page));
    dialogs::ShowInputError(message);
    return false;
  }
  return true;
}

}  // namespace

SettingsBlock AddLearningChoices(GtkWidget* rows) {
  auto form = std::make_shared<LearningForm>(LearningFormFromSettings());
  dialogs::AddRow(rows, {dialogs::DialogLabel(translate_perform("Show the daily learning of:"))});
  auto checks = std::make_shared<std::vector<GtkWidget*>>();
  for (const LearningFormRow& row : *form) {
    checks->push_back(dialogs::NewCheckButton(row.label, row.chosen));
    dialogs::AddRow(rows, {checks->back()});
  }
  SettingsBlock block;
  block.store = [form, checks] {
    for (size_t i = 0; i < form->size(); ++i)
      (*form)[i].chosen = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON((*checks)[i])) != FALSE;
    LearningFormApply(*form);
    return std::string();
  };
  return block;
}

PreferencesOutcome ShowPreferences(PreferencesPage page) {
  PreferencesOutcome outcome;
  PreferencesWindow w;
  w.dialog = dialogs::NewDialog("Preferences", true);
  gtk_window_set_title(GTK_WINDOW(w.dialog), translate_perform("Preferences").c_str());
  w.notebook = gtk_notebook_new();
  // The tabs run from the right in a language read from the right.
  gtk_widget_set_direction(w.notebook, isLanguageRightToLeft() ? GTK_TEXT_DIR_RTL : GTK_TEXT_DIR_LTR);
  gtk_box_pack_start(GTK_BOX(dialogs::ContentArea(w.dialog)), w.notebook, TRUE, TRUE, 4);
  BuildPages(w, &outcome);
  dialogs::AddOkCancel(w.dialog);
  gtk_widget_show_all(w.notebook);
  SizePages(w);
  gtk_notebook_set_current_page(GTK_NOTEBOOK(w.notebook), static_cast<int>(page));
  outcome.confirmed = dialogs::RunOkCancel(w.dialog, [&] { return Accept(w); });
  return outcome;
}
