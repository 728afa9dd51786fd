// The login reminder: an XDG autostart entry that runs
// `lumaro-cli upcoming --notify` when the user logs in; and likewise the
// panel indicator (`lumaro --indicator`, "Show in the panel"). The installed entry
// (/etc/xdg/autostart/lumaro-reminder.desktop) is hidden, so the reminder is
// off until the user turns it on; the user's choice is a file of the same
// name in $XDG_CONFIG_HOME/autostart (~/.config/autostart), which takes the
// place of the installed one.
#pragma once

#include <string>
#include <string_view>

// The file name shared by the installed entry and the user's.
inline constexpr std::string_view kAutostartFileName = "lumaro-reminder.desktop";
inline constexpr std::string_view kIndicatorAutostartFileName = "lumaro-indicator.desktop";

// $XDG_CONFIG_HOME/autostart/lumaro-reminder.desktop, or
// $HOME/.config/autostart/... when XDG_CONFIG_HOME is unset or not absolute.
std::string AutostartUserFile();
// The text of the entry, turned on or off (Hidden, and the key some
// desktops read instead).
std::string AutostartEntryText(bool enabled);
// True when the user's entry exists and is not hidden (the installed entry
// alone means off).
bool AutostartReminderEnabled();
// Writes the user's entry (atomically, creating the folders it needs).
// False with the reason in `error` when it could not be written.
bool AutostartSetReminderEnabled(bool enabled, std::string* error);

// The same four for the panel indicator's entry (lumaro-indicator.desktop).
std::string IndicatorAutostartUserFile();
std::string IndicatorAutostartEntryText(bool enabled);
bool IndicatorAutostartEnabled();
bool SetIndicatorAutostart(bool enabled, std::string* error);
