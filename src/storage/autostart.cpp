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

}  // namespace

std::string AutostartUserFile() { return ConfigHome() + "/autostart/" + std::string(kAutostartFileName); }

std::string AutostartEntryText(bool enabled) {
  const char* on = enabled ? "false" : "true";
  return std::string(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Lumaro reminder\n"
             "Comment=The anniversaries, birthdays and yortsayt dates of the coming week\n"
             "Exec=lumaro-cli upcoming --notify\n"
             "Icon=lumaro\n"
             "Terminal=false\n"
             "NoDisplay=true\n"
             "Hidden=") +
         on + "\nX-GNOME-Autostart-enabled=" + (enabled ? "true" : "false") + "\n";
}

bool AutostartReminderEnabled() {
  std::string text;
  if (!ReadWholeFile(AutostartUserFile(), text)) return false;
  return EntryValue(text, "Hidden") != "true" && EntryValue(text, "X-GNOME-Autostart-enabled") != "false";
}

bool AutostartSetReminderEnabled(bool enabled, std::string* error) {
  const std::string config = ConfigHome();
  if (!EnsureDirectory(config) || !EnsureDirectory(config + "/autostart")) {
    if (error) *error = "cannot create " + config + "/autostart: " + std::strerror(errno);
    return false;
  }
  const std::string text = AutostartEntryText(enabled);
  return ReplaceFileAtomically(
      AutostartUserFile(), [&text](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); },
      error);
}
