// The Preferences window: every setting of the program on the pages of one
// window, confirmed or cancelled together.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

enum class PreferencesPage { kPlace, kTimes, kZmanim, kCalendar, kLanguage, kLearning, kMonthView, kReminders };

// What OK changed beyond what a redraw shows: a new language needs its
// translations loaded, a new font or font size the window made again.
struct PreferencesOutcome {
  bool confirmed = false;
  bool languageChanged = false;
  bool fontsChanged = false;
};

// Opens the window at `page` and waits. On OK every page's fields are
// checked first (a refusal shows its page and the message, and the window
// stays open) and then stored; Cancel or closing the window changes nothing.
PreferencesOutcome ShowPreferences(PreferencesPage page);

// The settings of a block of a page: `check` gives the translated message
// of the first wrong field ("" when all are right) and changes nothing;
// `store` sets the settings from the fields ("" or the message of a file
// that could not be written).
struct SettingsBlock {
  std::function<std::string()> check = [] { return std::string(); };
  std::function<std::string()> store;
};

// The fields of the pages that a community preset fills, gathered as the
// pages are built, for the preset choice at the top of the zmanim page.
struct PresetFieldWidgets {
  GtkWidget* candles = nullptr;
  GtkWidget* havdalah = nullptr;
  std::vector<GtkWidget*> havdalahUnit;  // minutes, degrees
  std::vector<GtkWidget*> sun;           // classic, precise
  GtkWidget* sunElevation = nullptr;
  std::vector<GtkWidget*> opinions;  // the choice lists of ZmanimChoiceRows
  std::vector<GtkWidget*> special;   // the expressions of kSpecialTimeRows
};

// The blocks, each adding its rows to the vertical box `rows`.
// The place (city, the user's own places, the city's clock changes) and,
// on `times`, candle lighting, the end of Shabbat and the sun calculation;
// the festivals' rules (Israel or the Diaspora) are added to `calendar`.
SettingsBlock AddPlaceAndShabbatTimes(GtkWidget* place, GtkWidget* times, GtkWidget* calendar,
                                      PresetFieldWidgets* preset = nullptr);
// Daylight saving: considered or not, automatic by the city's zone, or a rule.
SettingsBlock AddDaylightSaving(GtkWidget* rows);
// The zmanim opinions and the times of special days; with `preset` (its
// times' fields already there) the community preset choice above them.
SettingsBlock AddZmanimChoices(GtkWidget* rows, PresetFieldWidgets* preset = nullptr);
// The style, Yom HaAtsmaut, the minor days.
SettingsBlock AddCalendarChoices(GtkWidget* rows);
// The 12- or 24-hour clock.
SettingsBlock AddTimeFormat(GtkWidget* rows);
// The language and the Hebrew numerals.
SettingsBlock AddLanguageChoice(GtkWidget* rows, PreferencesOutcome* outcome);
// The screen font and the font sizes of the month view.
SettingsBlock AddFontChoices(GtkWidget* rows, PreferencesOutcome* outcome);
// The study cycles shown.
SettingsBlock AddLearningChoices(GtkWidget* rows);
// The week's direction and the background image.
SettingsBlock AddMonthViewChoices(GtkWidget* rows);
// When the Hebrew date turns, and the reminders with their lead times.
SettingsBlock AddReminderChoices(GtkWidget* rows);
