#include "app/indicator.h"

#include <glib-unix.h>
#include <gtk/gtk.h>
#include <libayatana-appindicator/app-indicator.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>

#include "base/settings.h"
#include "base/settings_file.h"
#include "base/translate.h"
#include "compose/city_time.h"
#include "compose/current_options.h"
#include "dialogs/gtk_util.h"
#include "dialogs/message.h"
#include "forms/desktop_notify.h"
#include "forms/indicator_view.h"
#include "storage/anniversaries.h"
#include "storage/user_files.h"

namespace {

// The one indicator's state; the GTK callbacks reach it through `gIndicator`.
struct Indicator {
  AppIndicator* item = nullptr;
  GtkWidget* menu = nullptr;
  Options options;
  AnniversaryList anniversaries;
  int language = -1;        // the interface language of the loaded translations
  int64_t clockOffset = 0;  // LUMARO_NOW less the clock at start (0: the clock)
  int64_t lastLook = 0;     // the moment of the last look: reminders up to it are done
  guint timer = 0;          // the one timeout, set for the next moment anything changes
  guint reload = 0;         // an idle reload after a change of a watched file
  GObjectPtr<GFileMonitor> settingsMonitor;
  GObjectPtr<GFileMonitor> anniversariesMonitor;
};
Indicator* gIndicator = nullptr;

int64_t NowMicroseconds(const Indicator& ind) { return g_get_real_time() + ind.clockOffset * G_USEC_PER_SEC; }
int64_t Now(const Indicator& ind) { return NowMicroseconds(ind) / G_USEC_PER_SEC; }

// The settings and the anniversaries, read again (the indicator never writes them).
void LoadSettings(Indicator& ind) {
  settingsInit();
  ind.options = CurrentOptions();
  if (ind.language != ind.options.text.language) {
    translate_init(getLanguagePrefix(ind.options.text.language), ShippedTranslationsFolder());
    ind.language = ind.options.text.language;
  }
  ind.anniversaries.clear();
  if (AnniFileLoad(ind.anniversaries).readError)
    std::fprintf(stderr, "lumaro: the anniversaries file could not be read; no yortsayt reminders\n");
}

void SendReminders(Indicator& ind, int64_t now) {
  for (const Reminder& r : IndicatorRemindersToSend(ind.lastLook, now, ind.options, ind.anniversaries)) {
    std::string message;
    if (forms::SendDesktopNotification(r.summary, r.body, &message) != forms::NotifyResult::kSent)
      std::fprintf(stderr, "lumaro: the reminder \"%s\" was not shown: %s\n", r.summary.c_str(), message.c_str());
  }
  ind.lastLook = std::max(ind.lastLook, now);
}

// Trampolines of the menu commands.
// The program beside this one: the same executable without --indicator,
// with `option` when it is not null.
void SpawnLumaroWith(const char* option) {
  GCharPtr self(g_file_read_link("/proc/self/exe", nullptr));
  gchar* argv[] = {self ? self.get() : const_cast<gchar*>("lumaro"), const_cast<gchar*>(option), nullptr};
  GError* error = nullptr;
  if (!g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, &error)) {
    std::fprintf(stderr, "lumaro: cannot start the calendar: %s\n", error->message);
    g_error_free(error);
  }
}

void SpawnLumaro(GtkMenuItem*, gpointer) { SpawnLumaroWith(nullptr); }
void SpawnPreferences(GtkMenuItem*, gpointer) { SpawnLumaroWith("--preferences"); }

void ShowZmanim(GtkMenuItem*, gpointer) {
  const Indicator& ind = *gIndicator;
  const std::optional<CityTime> city = CityTime::For(ind.options.times);
  const AbsoluteDay today = city ? city->LocalDay(Now(ind)) : AbsoluteDay{0};
  std::string text;
  if (today != 0) GetZmanimForDay(today, &text);
  if (text.empty()) text = translate_perform("No zmanim: the city is not in the city file.");
  DialogsDoLongMessage(nullptr, translate_perform("Zmanim of today"), &text, nullptr, nullptr);
}

void Quit(GtkMenuItem*, gpointer) { gtk_main_quit(); }

GtkWidget* AppendItem(GtkWidget* menu, const std::string& label, GCallback activate) {
  GtkWidget* item = gtk_menu_item_new_with_label(label.c_str());
  if (activate)
    g_signal_connect(item, "activate", activate, nullptr);
  else
    gtk_widget_set_sensitive(item, FALSE);
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
  return item;
}

struct CommandEntry {
  const char* label;
  GCallback activate;
};
// "Preferences..." opens the calendar, whose menus hold the settings.
const CommandEntry kCommands[] = {
    {"Open Lumaro", G_CALLBACK(SpawnLumaro)},
    {"Zmanim of today...", G_CALLBACK(ShowZmanim)},
    {"Preferences...", G_CALLBACK(SpawnPreferences)},
    {"Quit", G_CALLBACK(Quit)},
};

void FillMenu(Indicator& ind, const IndicatorView& view) {
  GList* children = gtk_container_get_children(GTK_CONTAINER(ind.menu));
  for (GList* c = children; c; c = c->next) gtk_widget_destroy(GTK_WIDGET(c->data));
  g_list_free(children);
  AppendItem(ind.menu, view.title, nullptr);
  for (const std::string& fact : view.facts) AppendItem(ind.menu, fact, nullptr);
  gtk_menu_shell_append(GTK_MENU_SHELL(ind.menu), gtk_separator_menu_item_new());
  for (const CommandEntry& c : kCommands) AppendItem(ind.menu, translate_perform(c.label), c.activate);
  gtk_widget_show_all(ind.menu);
}

gboolean OnTimer(gpointer);

// Sends what is due, shows the present and sets the timer for the next change.
void Refresh(Indicator& ind) {
  const int64_t now = Now(ind);
  SendReminders(ind, now);
  const IndicatorView view = IndicatorViewAt(now, ind.options);
  app_indicator_set_label(ind.item, view.label.c_str(), view.label.c_str());
  app_indicator_set_title(ind.item, view.title.c_str());
  FillMenu(ind, view);
  const int64_t wake = IndicatorNextWake(now, view, ind.options, ind.anniversaries);
  if (ind.timer) g_source_remove(ind.timer);
  // A little after the moment, so the clock read then is past it.
  const int64_t ms = std::max<int64_t>(0, (wake * G_USEC_PER_SEC - NowMicroseconds(ind)) / 1000) + 20;
  ind.timer = g_timeout_add(static_cast<guint>(std::min<int64_t>(ms, G_MAXUINT)), OnTimer, nullptr);
}

gboolean OnTimer(gpointer) {
  gIndicator->timer = 0;
  Refresh(*gIndicator);
  return G_SOURCE_REMOVE;
}

gboolean OnReload(gpointer) {
  gIndicator->reload = 0;
  LoadSettings(*gIndicator);
  Refresh(*gIndicator);
  return G_SOURCE_REMOVE;
}

// A watched file changed: read everything again once the changes settle.
void OnFileChanged(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer) {
  if (event == G_FILE_MONITOR_EVENT_ATTRIBUTE_CHANGED || event == G_FILE_MONITOR_EVENT_PRE_UNMOUNT) return;
  if (!gIndicator->reload) gIndicator->reload = g_timeout_add(200, OnReload, nullptr);
}

GObjectPtr<GFileMonitor> Watch(const std::string& path) {
  GObjectPtr<GFile> file(g_file_new_for_path(path.c_str()));
  GObjectPtr<GFileMonitor> monitor(g_file_monitor_file(file.get(), G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr));
  if (monitor) g_signal_connect(monitor.get(), "changed", G_CALLBACK(OnFileChanged), nullptr);
  return monitor;
}

// The computer woke from a suspend: the timer counted none of the sleep.
void OnSleep(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters, gpointer) {
  gboolean starting = TRUE;
  g_variant_get(parameters, "(b)", &starting);
  if (!starting) Refresh(*gIndicator);
}

void WatchSuspend() {
  GDBusConnection* system = g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, nullptr);
  if (!system) return;  // no system bus: the timer alone, late after a suspend
  g_dbus_connection_signal_subscribe(system, "org.freedesktop.login1", "org.freedesktop.login1.Manager",
                                     "PrepareForSleep", "/org/freedesktop/login1", nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                     OnSleep, nullptr, nullptr);
}

enum class Ownership { kOwned, kTaken, kNoBus };

// Takes the indicator's name on the session bus (kept until the process ends).
Ownership OwnBusName() {
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  if (!bus) {
    g_error_free(error);
    return Ownership::kNoBus;
  }
  constexpr guint32 kDoNotQueue = 4;
  constexpr guint32 kPrimaryOwner = 1;
  GVariant* reply =
      g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                  "RequestName", g_variant_new("(su)", kIndicatorBusName, kDoNotQueue),
                                  G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
  if (!reply) {
    g_error_free(error);
    return Ownership::kNoBus;
  }
  guint32 answer = 0;
  g_variant_get(reply, "(u)", &answer);
  g_variant_unref(reply);
  return answer == kPrimaryOwner ? Ownership::kOwned : Ownership::kTaken;
}

// The folder of the shipped icon when it is there (an uninstalled build).
std::string IconFolder() {
  const std::string dir = FindDataDir();
  struct stat st {};
  if (dir.empty() || ::stat((dir + "/icons/lumaro.svg").c_str(), &st) != 0) return {};
  return dir + "/icons";
}

gboolean OnTerminationSignal(gpointer) {
  gtk_main_quit();
  return G_SOURCE_REMOVE;
}

}  // namespace

int IndicatorMain(int argc, char** argv) {
  gtk_init(&argc, &argv);
  switch (OwnBusName()) {
    case Ownership::kTaken:
      std::fprintf(stderr, "lumaro: the panel indicator is already running in this session\n");
      return 0;
    case Ownership::kNoBus:
      std::fprintf(stderr, "lumaro: no session bus; the indicator is shown in the system tray if there is one\n");
      break;
    case Ownership::kOwned:
      break;
  }
  // A new user gets the shipped city file and translations, as in the calendar.
  std::string installError;
  if (!InstallDefaultUserFiles(&installError) && !installError.empty())
    std::fprintf(stderr, "lumaro: %s\n", installError.c_str());
  Indicator ind;
  gIndicator = &ind;
  LoadSettings(ind);
  // A clock set for a test or a demonstration runs on from the moment it names.
  const ClockOverride clock = ReadClockOverride(ind.options.times);
  if (clock.set && !clock.moment) {
    std::fprintf(stderr, "lumaro: %s\n", clock.error.c_str());
    return 2;
  }
  if (clock.moment) ind.clockOffset = *clock.moment - g_get_real_time() / G_USEC_PER_SEC;
  ind.lastLook = Now(ind) - kReminderGraceSeconds - 1;

  ind.item = app_indicator_new("lumaro", "lumaro", APP_INDICATOR_CATEGORY_APPLICATION_STATUS);
  const std::string icons = IconFolder();
  if (!icons.empty()) app_indicator_set_icon_theme_path(ind.item, icons.c_str());
  ind.menu = gtk_menu_new();
  app_indicator_set_menu(ind.item, GTK_MENU(ind.menu));
  app_indicator_set_status(ind.item, APP_INDICATOR_STATUS_ACTIVE);
  ind.settingsMonitor = Watch(SettingsGetFileName());
  ind.anniversariesMonitor = Watch(AnniFileGetFilename());
  WatchSuspend();
  Refresh(ind);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) g_unix_signal_add(sig, OnTerminationSignal, nullptr);
  gtk_main();
  if (ind.timer) g_source_remove(ind.timer);
  if (ind.reload) g_source_remove(ind.reload);
  g_object_unref(ind.item);
  gIndicator = nullptr;
  translate_done();
  return 0;
}
