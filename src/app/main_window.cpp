#include "app/main_window.h"

#include <gdk/gdkkeysyms.h>
#include <glib-unix.h>

#include <csignal>

#include <array>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "app/day_report.h"
#include "app/month_view.h"
#include "app/tooltips.h"
#include "base/diagnostics.h"
#include "base/settings.h"
#include "base/translate.h"
#include "calendar/month_grid.h"
#include "calendar/navigation.h"
#include "forms/first_start.h"
#include "dialogs/anniversaries_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/gtk_util.h"
#include "dialogs/message.h"
#include "dialogs/preferences.h"
#include "dialogs/print_dialog.h"
#include "dialogs/settings_dialogs.h"
#include "dialogs/widget_fonts.h"
#include "dialogs/year_sheet_dialog.h"
#include "dialogs/zmanim_sheet_dialog.h"
#include "dialogs/your_place_dialog.h"
#include "render/colors.h"
#include "storage/user_files.h"

const char* const helpMessage =
    "By clicking on the Gregorian month name, another month name can be selected for viewing.\n"
    "When clicking on the Gregorian year, another year for viewing can be selected.\n\n"
    "Information about a day (Zmanim, Halachic) can be shown by double-clicking on that day.\n\n"
    "The arrow keys move the selection by a day or a week, Page Up and Page Down by a month\n"
    "Home selects today, Enter shows the information about the selected day\n"
    "Ctrl+H shows the Hebrew months or the Gregorian ones, Ctrl+P prints, F1 shows this help\n"
    "Ctrl+Q saves the settings and quits, as Exit does\n"
    "Ctrl+, opens the Preferences, where every setting has its page\n"
    "Alt with the underlined letter of a menu opens that menu\n\n"
    "Festival days are light blue. Khol HaMoed, Rosh Khodesh and the minor festivals are light green\n"
    "Shabbat and Yom Kippur are white, the minor fasts light red and Tisha BeAv a deeper red\n"
    "The selected day is a darker shade of its colour in a dark blue frame\n"
    "Hebrew dates are blue, red on festivals. Candle lighting and havdalah are red, the times of a fast violet\n";

namespace {

GtkWidget* vboxWindow = nullptr;
// The main window's accelerators, those of the menu items.
GtkAccelGroup* menuKeys = nullptr;
// The check item of the Hebrew-month view (rebuilt with the menus).
GtkWidget* hebrewMonthsItem = nullptr;
GtkWidget* minorDaysItem = nullptr;
GtkWidget* weekItem = nullptr;

constexpr int kSeparator = -1;

// The menus, in order.
enum MenuIndex { kProgramMenu, kSettingsMenu, kHelpMenu };
// With the letter that opens each with Alt underlined (a translation names its own).
constexpr std::array<std::string_view, 3> kMenuTitles = {"_Program", "_Settings", "_Help"};

// A command of a menu, with the key that runs it from the main window
// (shown beside the label; key 0: none).
struct MenuItemRow {
  MenuIndex menu;
  std::string_view label;
  int id;
  guint key = 0;
  GdkModifierType modifiers = static_cast<GdkModifierType>(0);
};

constexpr MenuItemRow kMenuItems[] = {
    {kProgramMenu, "Display information about current day...", kCmdDayReport, GDK_Return},
    {kProgramMenu, "Jump to today!", kCmdToday, GDK_Home},
    {kProgramMenu, "Hebrew months", kCmdHebrewMonths, GDK_h, GDK_CONTROL_MASK},
    {kProgramMenu, "Anniversaries/Birthdays/yortsayt", kCmdAnniversaries},
    {kProgramMenu, "Print...", kCmdPrint, GDK_p, GDK_CONTROL_MASK},
    {kProgramMenu, "Print year of Shabbat times...", kCmdYearSheet},
    {kProgramMenu, "Print month of zmanim...", kCmdZmanimSheet},
    {kProgramMenu, "Export to calendar file...", kCmdExport},
    {kProgramMenu, "", kSeparator},
    {kProgramMenu, "Exit", kCmdExit, GDK_q, GDK_CONTROL_MASK},
    {kSettingsMenu, "Preferences...", kCmdPreferences, GDK_comma, GDK_CONTROL_MASK},
    {kSettingsMenu, "Show minor days and the moon", kCmdMinorDays},
    {kSettingsMenu, "Week from right to left", kCmdWeekRightToLeft},
    {kSettingsMenu, "", kSeparator},
    {kSettingsMenu, "Set Israel/Diaspora & Style...", kCmdIsraelDiasporaStyle},
    {kSettingsMenu, "Configure Shabbat Times...", kCmdShabbatTimes},
    {kSettingsMenu, "Configure Zmanim...", kCmdZmanim},
    {kSettingsMenu, "Configure Daily Learning...", kCmdLearning},
    {kSettingsMenu, "Configure Daylight Savings Time...", kCmdDaylightSaving},
    {kSettingsMenu, "Configure Time Format...", kCmdTimeFormat},
    {kSettingsMenu, "Configure Background Image...", kCmdBackgroundImage},
    {kSettingsMenu, "Font", kCmdFont},
    {kSettingsMenu, "Font Sizes", kCmdFontSizes},
    {kSettingsMenu, "Select Language...", kCmdLanguage},
    {kHelpMenu, "Help", kCmdHelp, GDK_F1},
    {kHelpMenu, "", kSeparator},
    {kHelpMenu, "About this program...", kCmdAbout},
};

// Keyboard navigation: day steps through absolute days, pages by month; both
// Enter keys open the day report (the menu item shows Return). Left and Right
// step to the cell the eye sees there: in a right-to-left week Left is the
// next day.
enum class KeyAction { kDayReport, kPreviousMonth, kNextMonth, kStepDays, kStepColumns };
struct KeyRow {
  guint keyval;
  KeyAction action;
  int days;
};
constexpr KeyRow kKeys[] = {
    {GDK_Return, KeyAction::kDayReport, 0},      {GDK_KP_Enter, KeyAction::kDayReport, 0},
    {GDK_Page_Up, KeyAction::kPreviousMonth, 0}, {GDK_Page_Down, KeyAction::kNextMonth, 0},
    {GDK_Left, KeyAction::kStepColumns, -1},     {GDK_Right, KeyAction::kStepColumns, 1},
    {GDK_Up, KeyAction::kStepDays, -7},          {GDK_Down, KeyAction::kStepDays, 7},
};

void OnMenuItemActivate(GtkWidget* item, gpointer data) { HandleMenuItem(item, GPOINTER_TO_INT(data)); }

// Whether the week of the month view runs from right to left now.
bool WeekRightToLeftNow() { return WeekRightToLeftFor(getWeekRightToLeft(), getLanguage()); }

// The week's direction chosen by the check item: the language's own
// direction is stored as "by language", so it follows a change of language.
void ChooseWeekRightToLeft(bool on) {
  const bool byLanguage = on == WeekRightToLeftFor(kWeekRightToLeftByLanguage, getLanguage());
  setWeekRightToLeft(byLanguage ? kWeekRightToLeftByLanguage : on ? kWeekRightToLeftOn : kWeekRightToLeftOff);
}

void SetFontForAllChildrenCB(GtkWidget* widget, gpointer) { setFontMenu(widget); }

// The check items show what the settings name, without running their commands.
void SyncCheckItem(GtkWidget* item, int id, bool on) {
  if (!item || gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item)) == (on ? TRUE : FALSE)) return;
  g_signal_handlers_block_by_func(item, reinterpret_cast<gpointer>(OnMenuItemActivate), GINT_TO_POINTER(id));
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), on ? TRUE : FALSE);
  g_signal_handlers_unblock_by_func(item, reinterpret_cast<gpointer>(OnMenuItemActivate), GINT_TO_POINTER(id));
}

void SyncCheckItems() {
  SyncCheckItem(hebrewMonthsItem, kCmdHebrewMonths, getHebrewMonthView() != 0);
  SyncCheckItem(minorDaysItem, kCmdMinorDays, getShowMinorDays() != 0);
  SyncCheckItem(weekItem, kCmdWeekRightToLeft, WeekRightToLeftNow());
}

// The Preferences window at `page`; what it changed is shown at once.
void OpenPreferences(PreferencesPage page) {
  const PreferencesOutcome outcome = ShowPreferences(page);
  if (!outcome.confirmed) return;
  // A new language needs its translations loaded before the labels are made.
  if (outcome.languageChanged || outcome.fontsChanged) {
    MainWindowRebuild(outcome.languageChanged);
    return;
  }
  SyncCheckItems();
  MainWindowRedraw();
}

// The page each settings command opens.
struct PreferencesCommand {
  int id;
  PreferencesPage page;
};
constexpr PreferencesCommand kPreferencesCommands[] = {
    {kCmdPreferences, PreferencesPage::kPlace},        {kCmdShabbatTimes, PreferencesPage::kPlace},
    {kCmdDaylightSaving, PreferencesPage::kTimes},     {kCmdTimeFormat, PreferencesPage::kTimes},
    {kCmdZmanim, PreferencesPage::kZmanim},            {kCmdIsraelDiasporaStyle, PreferencesPage::kCalendar},
    {kCmdLanguage, PreferencesPage::kLanguage},        {kCmdFont, PreferencesPage::kLanguage},
    {kCmdFontSizes, PreferencesPage::kLanguage},       {kCmdLearning, PreferencesPage::kLearning},
    {kCmdBackgroundImage, PreferencesPage::kMonthView},
};

}  // namespace

void SetFontForAllChildren(GtkWidget* container) {
  gtk_container_foreach(GTK_CONTAINER(container), SetFontForAllChildrenCB, nullptr);
}

void internalAddMenu(GtkWidget* menuBar, const char* label, GtkWidget* submenu) {
  GtkWidget* item = gtk_menu_item_new_with_mnemonic(label);
  gtk_widget_show(item);
  gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), submenu);
  SetFontForAllChildren(item);
  gtk_menu_shell_append(GTK_MENU_SHELL(menuBar), item);
}

GtkWidget* internalAddMenuItem(GtkWidget* menu, const char* label, int id) {
  GtkWidget* item;
  if (id == kSeparator) {
    item = gtk_separator_menu_item_new();
  } else if (id == kCmdHebrewMonths || id == kCmdMinorDays || id == kCmdWeekRightToLeft) {
    item = gtk_check_menu_item_new_with_label(label);
    int on = id == kCmdHebrewMonths ? getHebrewMonthView() : getShowMinorDays();
    if (id == kCmdWeekRightToLeft) on = WeekRightToLeftNow();
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), on ? TRUE : FALSE);
    setProperTextDirectionForWidget(gtk_bin_get_child(GTK_BIN(item)));
    g_signal_connect(item, "activate", G_CALLBACK(OnMenuItemActivate), GINT_TO_POINTER(id));
    (id == kCmdHebrewMonths ? hebrewMonthsItem : id == kCmdMinorDays ? minorDaysItem : weekItem) = item;
  } else {
    item = gtk_menu_item_new_with_label(label);
    setProperTextDirectionForWidget(gtk_bin_get_child(GTK_BIN(item)));
    g_signal_connect(item, "activate", G_CALLBACK(OnMenuItemActivate), GINT_TO_POINTER(id));
  }
  SetFontForAllChildren(item);
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
  gtk_widget_show(item);
  return item;
}

GtkWidget* createMenuBar() {
  GtkWidget* menuBar = gtk_menu_bar_new();
  setProperTextDirectionForWidget(menuBar);
  std::array<GtkWidget*, kMenuTitles.size()> menus{};
  for (GtkWidget*& m : menus) m = gtk_menu_new();
  for (const MenuItemRow& row : kMenuItems) {
    const std::string label(row.label);
    GtkWidget* item = internalAddMenuItem(menus[row.menu], translate_perform(label).c_str(), row.id);
    if (row.key && menuKeys)
      gtk_widget_add_accelerator(item, "activate", menuKeys, row.key, row.modifiers, GTK_ACCEL_VISIBLE);
  }
  for (size_t i = 0; i < menus.size(); ++i)
    internalAddMenu(menuBar, translate_perform(kMenuTitles[i]).c_str(), menus[i]);
  return menuBar;
}

void HandleMenuItem(GtkWidget* item, int id) {
  for (const PreferencesCommand& command : kPreferencesCommands) {
    if (command.id != id) continue;
    OpenPreferences(command.page);
    return;
  }
  switch (id) {
    case kCmdExit:
      // Destroying the window runs MainWindowDestroy: settings written, loop left.
      if (gMainWindow) gtk_widget_destroy(gMainWindow);
      break;
    case kCmdToday:
      MainToday();
      MainWindowRedraw();
      break;
    case kCmdAbout:
      DialogsDoAbout();
      break;
    case kCmdAnniversaries:
      AnniDoDialog();
      MainWindowRedraw();
      break;
    case kCmdDayReport:
      showYom();
      break;
    case kCmdExport: {
      const GregorianDate today = LocalToday();
      DialogsDoExport(ClampedToday(today.day, today.month, today.year));
      break;
    }
    case kCmdPrint:
      PrintCommand(gMainWindow, SelectedDate(), MonthViewKind());
      break;
    case kCmdMinorDays:
      if (item && GTK_IS_CHECK_MENU_ITEM(item)) {
        setShowMinorDays(gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item)) ? 1 : 0);
        MainWindowRedraw();
      }
      break;
    case kCmdWeekRightToLeft:
      if (item && GTK_IS_CHECK_MENU_ITEM(item)) {
        ChooseWeekRightToLeft(gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item)));
        MainWindowRedraw();
      }
      break;
    case kCmdHebrewMonths:
      // From the check item its new state; from the key the other view.
      if (item && GTK_IS_CHECK_MENU_ITEM(item)) {
        setHebrewMonthView(gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item)) ? 1 : 0);
      } else {
        setHebrewMonthView(getHebrewMonthView() ? 0 : 1);
      }
      SyncCheckItems();
      MainWindowRedraw();
      break;
    case kCmdYearSheet:
      YearSheetCommand(gMainWindow, SelectedDate());
      break;
    case kCmdZmanimSheet:
      ZmanimSheetCommand(gMainWindow, SelectedDate(), MonthViewKind() == MonthKind::kHebrew);
      break;
    case kCmdHelp:
      DialogsDoHelp(gMainWindow, helpMessage);
      break;
    default:
      break;
  }
}

// The commands' keys reach their menu items as accelerators, after this.
gboolean MainWindowKeyPress(GtkWidget*, GdkEventKey* event, gpointer) {
  for (const KeyRow& key : kKeys) {
    if (key.keyval != event->keyval) continue;
    switch (key.action) {
      case KeyAction::kDayReport:
        showYom();
        return TRUE;
      case KeyAction::kPreviousMonth:
        SetSelectedDate(PreviousMonthOf(MonthViewKind(), SelectedDate()));
        break;
      case KeyAction::kNextMonth:
        SetSelectedDate(NextMonthOf(MonthViewKind(), SelectedDate()));
        break;
      case KeyAction::kStepDays:
        SetSelectedDate(StepDays(SelectedDate(), key.days));
        break;
      case KeyAction::kStepColumns:
        SetSelectedDate(StepDays(SelectedDate(), WeekRightToLeftNow() ? -key.days : key.days));
        break;
    }
    MainWindowRedraw();
    return TRUE;
  }
  return FALSE;
}

void windowCreate() {
  if (!menuKeys) {
    menuKeys = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(gMainWindow), menuKeys);
    g_object_unref(menuKeys);  // the window keeps it
  }
  vboxWindow = gtk_vbox_new(FALSE, 1);
  gtk_container_set_border_width(GTK_CONTAINER(vboxWindow), 1);
  gtk_container_add(GTK_CONTAINER(gMainWindow), vboxWindow);
  gtk_widget_show(vboxWindow);

  GtkWidget* menuBar = createMenuBar();
  gtk_box_pack_start(GTK_BOX(vboxWindow), menuBar, FALSE, TRUE, 0);
  gtk_widget_show(menuBar);

  drawingArea = gtk_drawing_area_new();
  // The month's ground is the ordinary day's grey, whatever the theme's.
  GdkColor ground = {0, static_cast<guint16>(kCellGrey.red), static_cast<guint16>(kCellGrey.green),
                     static_cast<guint16>(kCellGrey.blue)};
  gtk_widget_modify_bg(drawingArea, GTK_STATE_NORMAL, &ground);
  g_signal_connect(drawingArea, "expose-event", G_CALLBACK(MainWindowPaint), nullptr);
  g_signal_connect(drawingArea, "button-press-event", G_CALLBACK(MainWindowButtonPress), nullptr);
  gtk_widget_add_events(drawingArea, GDK_BUTTON_PRESS_MASK);
  gtk_box_pack_start(GTK_BOX(vboxWindow), drawingArea, TRUE, TRUE, 0);
  gtk_widget_show(drawingArea);

  GtkWidget* status = gtk_label_new("");
  // A long hint is cut rather than widening the window.
  gtk_label_set_ellipsize(GTK_LABEL(status), PANGO_ELLIPSIZE_END);
  setFontStatusbar(status);
  setProperTextDirectionForWidget(status);
  gtk_box_pack_start(GTK_BOX(vboxWindow), status, FALSE, TRUE, 0);
  gtk_widget_show(status);

  tooltips_init(status, drawingArea);
}

void windowDestroy() {
  tooltips_done();
  if (vboxWindow) gtk_widget_destroy(vboxWindow);
  vboxWindow = nullptr;
  hebrewMonthsItem = minorDaysItem = weekItem = nullptr;
  drawingArea = nullptr;
}

void MainWindowRebuild(bool reloadTranslations) {
  windowDestroy();
  if (reloadTranslations) {
    translate_done();
    translate_init(getLanguagePrefix(getLanguage()), ShippedTranslationsFolder());
  }
  windowCreate();
}

void MainWindowDestroy(GtkWidget*, gpointer) {
  if (!settingsDone()) DiagWarning("Lumaro: the settings could not be saved\n");
  BackgroundImageCacheDone();
  tooltips_done();
  vboxWindow = nullptr;
  hebrewMonthsItem = minorDaysItem = weekItem = nullptr;
  drawingArea = nullptr;
  menuKeys = nullptr;
  gMainWindow = nullptr;
  if (gtk_main_level() > 0) gtk_main_quit();
}

void MainWindowOpen() {
  gMainWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GdkScreen* screen = gdk_screen_get_default();
  // Maximised under a window manager, which keeps its panels free and lets
  // the user resize; without one the window covers the screen. Its content
  // asks for no size of its own, so any size down to small screens works.
  gtk_window_move(GTK_WINDOW(gMainWindow), 0, 0);
  gtk_window_set_default_size(GTK_WINDOW(gMainWindow), gdk_screen_get_width(screen), gdk_screen_get_height(screen));
  gtk_window_maximize(GTK_WINDOW(gMainWindow));
  gtk_window_set_title(GTK_WINDOW(gMainWindow), "Lumaro");
  g_signal_connect(gMainWindow, "key-press-event", G_CALLBACK(MainWindowKeyPress), nullptr);
  windowCreate();
  g_signal_connect(gMainWindow, "destroy", G_CALLBACK(MainWindowDestroy), nullptr);
  gtk_widget_show(gMainWindow);
}

void MainWindowTerminate() {
  // Every other window goes first: a dialog or popup waiting for an answer
  // then returns as cancelled, and its wait loop ends.
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l; l = l->next) g_object_ref(l->data);
  for (GList* l = all; l; l = l->next) {
    GtkWidget* w = GTK_WIDGET(l->data);
    if (w == gMainWindow) continue;
    GtkWidget* child = GTK_IS_BIN(w) ? gtk_bin_get_child(GTK_BIN(w)) : nullptr;
    if (child && GTK_IS_MENU(child)) {
      gtk_menu_popdown(GTK_MENU(child));
    } else if (GTK_WINDOW(w)->type == GTK_WINDOW_TOPLEVEL) {
      gtk_widget_destroy(w);
    }
  }
  for (GList* l = all; l; l = l->next) g_object_unref(l->data);
  g_list_free(all);
  if (gMainWindow) gtk_widget_destroy(gMainWindow);
}

namespace {
// A request to end the session (logout, kill) closes the windows the normal
// way, so the settings are written as on "Exit".
gboolean OnTerminationSignal(gpointer) {
  MainWindowTerminate();
  return TRUE;
}
}  // namespace

namespace {

// Set by --preferences: the window opens with the Preferences at the page
// of the panel and the reminders (the panel's own "Preferences...").
bool gPreferencesAtStart = false;

gboolean OpenPreferencesAtStart(gpointer) {
  OpenPreferences(PreferencesPage::kReminders);
  return G_SOURCE_REMOVE;
}

}  // namespace

void MainWindowOpenPreferencesAtStart() { gPreferencesAtStart = true; }

int LumaroMain(int argc, char** argv) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  gtk_init(&argc, &argv);
  gdk_rgb_init();
  BackgroundImageCacheInit();
  // A new user gets the shipped city file and translations at once.
  std::string installError;
  if (!InstallDefaultUserFiles(&installError) && !installError.empty())
    DiagWarning("Lumaro: " + std::string(installError.c_str()) + "\n");
  settingsInit();
  // A new user is offered a place and a language before anything shows a time.
  const bool firstStart = settingsFileWasMissing();
  const PlaceProposal proposal = firstStart ? ProposePlace() : PlaceProposal{};
  if (firstStart) ApplyPlaceProposal(proposal);
  ChooseScreenFont();
  MainToday();
  translate_init(getLanguagePrefix(getLanguage()), ShippedTranslationsFolder());
  if (firstStart) {
    AskYourPlace(proposal);
    translate_init(getLanguagePrefix(getLanguage()), ShippedTranslationsFolder());
    if (!settingsDone()) DiagWarning("Lumaro: the settings could not be saved\n");
  }
  MainWindowOpen();
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) g_unix_signal_add(sig, OnTerminationSignal, nullptr);
  if (gPreferencesAtStart) g_idle_add(OpenPreferencesAtStart, nullptr);
  gtk_main();
  translate_done();
  return 0;
}
