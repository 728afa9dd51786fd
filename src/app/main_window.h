// The main window: menu bar, month view and status line; the menu
// dispatcher and the keyboard navigation of the selected date.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "app/main_widgets.h"
#include "app/selected_date.h"

// The help text.
extern const char* const helpMessage;

// Menu command ids.
enum MenuCommand : int {
  kCmdExit = 1,
  kCmdAbout = 2,
  kCmdIsraelDiasporaStyle = 3,
  kCmdAnniversaries = 4,
  kCmdShabbatTimes = 5,
  kCmdDaylightSaving = 6,
  kCmdZmanim = 7,
  kCmdToday = 8,
  kCmdDayReport = 9,
  kCmdTimeFormat = 10,
  kCmdBackgroundImage = 11,
  kCmdHelp = 12,
  kCmdPrint = 13,
  kCmdLanguage = 14,
  kCmdFont = 15,
  kCmdFontSizes = 16,
  kCmdExport = 17,
  kCmdLearning = 18,
  kCmdYearSheet = 19,
  kCmdHebrewMonths = 20,     // switches the month view between Gregorian and Hebrew months
  kCmdMinorDays = 21,        // shows or hides the minor days and the moon in the month view
  kCmdWeekRightToLeft = 22,  // turns the week of the month view from right to left or back
  kCmdPreferences = 23,      // the Preferences window at its first page
  kCmdZmanimSheet = 24,      // the zmanim sheet of the month shown
};

// Builds the window content (menu bar, drawing area, status label).
void windowCreate();
// Removes the window content (hints included); the window stays.
void windowDestroy();
GtkWidget* createMenuBar();
void internalAddMenu(GtkWidget* menuBar, const char* label, GtkWidget* submenu);
// Appends an item (a check item for the two views) to `menu` and returns it.
GtkWidget* internalAddMenuItem(GtkWidget* menu, const char* label, int id);
// The menu dispatcher.
void HandleMenuItem(GtkWidget* item, int id);
void SetFontForAllChildren(GtkWidget* container);
gboolean MainWindowKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer data);
// Closes every window, dialogs waiting for an answer included (as if
// cancelled), and then the main window: what a termination signal does.
void MainWindowTerminate();
// Destroy handler of the main window: writes the settings and leaves the loop.
void MainWindowDestroy(GtkWidget* widget, gpointer data);
// Rebuilds the window content (menus, month view, status line) so every
// label is made again; with `reloadTranslations` the translations of the
// current language are loaded first. The selected date stays.
void MainWindowRebuild(bool reloadTranslations);
// Creates and shows the full-screen main window (start-up steps 7 to 9).
void MainWindowOpen();
// The whole program: start-up, main loop, shutdown.
int LumaroMain(int argc, char** argv);
// LumaroMain then opens the Preferences at the page of the panel and the reminders.
void MainWindowOpenPreferencesAtStart();
