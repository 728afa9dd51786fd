#include "storage/autostart.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/file_util.h"

namespace {

std::string ConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.config";
}

// The value of `key` in the [Desktop Entry] group, or "" when it is not there.
std::string EntryValue(const std::string& text, std::string_view key) {
  bool inEntry = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line[0] == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    if (!inEntry || line.compare(0, key.size(), key) != 0) continue;
    std::string_view rest = line.substr(key.size());
    while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    if (rest.empty() || rest[0] != '=') continue;
    rest.remove_prefix(1);
    while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    return std::string(rest);
  }
  return {};
}

// What an entry starts, by which name.
struct EntryKind {
  std::string_view fileName;
  std::string_view name;
  std::string_view comment;
  std::string_view exec;
};

constexpr EntryKind kReminder{kAutostartFileName, "Lumaro reminder",
                              "The anniversaries, birthdays and yortsayt dates of the coming week",
                              "lumaro-cli upcoming --notify"};
constexpr EntryKind kIndicator{kIndicatorAutostartFileName, "Lumaro in the panel",
                               "The Hebrew date and the day's times in the panel, with reminders",
                               "lumaro --indicator"};

std::string UserFile(const EntryKind& kind) { return ConfigHome() + "/autostart/" + std::string(kind.fileName); }

std::string EntryText(const EntryKind& kind, bool enabled) {
  std::string text = "[Desktop Entry]\nType=Application\nName=";
  text.append(kind.name).append("\nComment=").append(kind.comment).append("\nExec=").append(kind.exec);
  text += "\nIcon=lumaro\nTerminal=false\nNoDisplay=true\nHidden=";
  return text + (enabled ? "false" : "true") + "\nX-GNOME-Autostart-enabled=" + (enabled ? "true" : "false") + "\n";
}

bool Enabled(const EntryKind& kind) {
  std::string text;
  if (!ReadWholeFile(UserFile(kind), text)) return false;
  return EntryValue(text, "Hidden") != "true" && EntryValue(text, "X-GNOME-Autostart-enabled") != "false";
}

bool SetEnabled(const EntryKind& kind, bool enabled, std::string* error) {
  const std::string config = ConfigHome();
  if (!EnsureDirectory(config) || !EnsureDirectory(config + "/autostart")) {
    if (error) *error = "cannot create " + config + "/autostart: " + std::strerror(errno);
    return false;
  }
  const std::string text = EntryText(kind, enabled);
  return ReplaceFileAtomically(
      UserFile(kind), [&text](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); },
      error);
}

}  // namespace

std::string AutostartUserFile() { return UserFile(kReminder); }
std::string AutostartEntryText(bool enabled) { return EntryText(kReminder, enabled); }
bool AutostartReminderEnabled() { return Enabled(kReminder); }
bool AutostartSetReminderEnabled(bool enabled, std::string* error) { return SetEnabled(kReminder, enabled, error); }

std::string IndicatorAutostartUserFile() { return UserFile(kIndicator); }
std::string IndicatorAutostartEntryText(bool enabled) { return EntryText(kIndicator, enabled); }
bool IndicatorAutostartEnabled() { return Enabled(kIndicator); }
bool SetIndicatorAutostart(bool enabled, std::string* error) { return SetEnabled(kIndicator, enabled, error); }
