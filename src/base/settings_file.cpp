#include "base/settings_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/file_util.h"

namespace {

// Bytes of one physical line that are looked at; the rest of a longer line is
// skipped (keys and values are cut to kSettingsMaxText anyway).
constexpr size_t kMaxLineScan = 65536;

storage::BeforeReplaceHook gBeforeReplaceHook = nullptr;

bool IsKeyChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

struct Line {
  std::string key;
  std::string value;
};

// Reads and parses every line of the settings file; false when it cannot be opened.
bool ReadAllLines(std::vector<Line>& lines) {
  FilePtr f = OpenFile(SettingsGetFileName(), "rb");
  if (!f) return false;
  std::string raw;
  while (SettingsReadLine(f.get(), raw)) {
    Line l;
    SettingsParseLine(raw, l.key, l.value);
    lines.push_back(std::move(l));
  }
  return true;
}

// Rewrites the settings file from `lines` through a temporary file.
bool WriteAllLines(const std::vector<Line>& lines) {
  const std::string dir = SettingsGetDirectory();
  if (!EnsureDirectory(dir)) {
    DiagWarning("Error: could not create the settings directory " + std::string(dir.c_str()) + "; settings not saved\n");
    return false;
  }
  std::string error;
  const bool ok = ReplaceFileAtomically(
      SettingsGetFileName(),
      [&](std::FILE* out) {
        for (const Line& l : lines) SettingsWriteLine(out, l.key, l.value);
        return true;
      },
      &error, [] { return gBeforeReplaceHook ? gBeforeReplaceHook() : true; });
  if (!ok) DiagWarning("Fatal error: Could not save the settings: " + std::string(error.c_str()) + "\n");
  return ok;
}

}  // namespace

namespace storage {
void SetBeforeReplaceHookForTesting(BeforeReplaceHook hook) { gBeforeReplaceHook = hook; }
}  // namespace storage

std::string SettingsGetHomePath() {
  const char* home = std::getenv("HOME");
  std::string path = home ? home : ".";
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

std::string SettingsGetDirectory() { return SettingsGetHomePath() + ".lumaro"; }

std::string SettingsGetFileName() { return SettingsGetDirectory() + "/kivrasettings"; }

bool SettingsReadLine(std::FILE* stream, std::string& line) {
  line.clear();
  int c = std::getc(stream);
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    if (line.size() < kMaxLineScan) line.push_back(static_cast<char>(c));
    c = std::getc(stream);
  }
  return true;
}

void SettingsParseLine(std::string_view line, std::string& key, std::string& value) {
  key.clear();
  value.clear();
  // A NUL byte ends the line's content, as it would end a C string.
  const size_t nul = line.find('\0');
  if (nul != std::string_view::npos) line = line.substr(0, nul);

  size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  const size_t keyStart = i;
  while (i < line.size() && IsKeyChar(static_cast<unsigned char>(line[i]))) ++i;
  key.assign(line.substr(keyStart, std::min(i - keyStart, kSettingsMaxText)));

  while (i < line.size() && line[i] == ' ') ++i;
  if (i >= line.size() || line[i] != ':') return;
  ++i;
  while (i < line.size() && line[i] == ' ') ++i;
  if (i >= line.size() || line[i] != '"') return;
  ++i;
  const size_t valueStart = i;
  while (i < line.size() && line[i] != '"') ++i;
  value.assign(line.substr(valueStart, std::min(i - valueStart, kSettingsMaxText)));
}

void SettingsWriteLine(std::FILE* stream, std::string_view key, std::string_view value) {
  std::fwrite(key.data(), 1, key.size(), stream);
  std::fputs(": \"", stream);
  std::fwrite(value.data(), 1, value.size(), stream);
  std::fputs("\"\n", stream);
}

bool SettingsKeyIsValid(std::string_view key) {
  if (key.empty() || key.size() > kSettingsMaxText) return false;
  for (char c : key)
    if (!IsKeyChar(static_cast<unsigned char>(c))) return false;
  return true;
}

bool SettingsValueIsValid(std::string_view value) {
  return value.size() <= kSettingsMaxText && value.find_first_of(std::string_view("\"\n\0", 3)) == std::string_view::npos;
}

std::string SettingsGet(std::string_view key, std::string_view def) {
  FilePtr f = OpenFile(SettingsGetFileName(), "rb");
  if (!f) return std::string(def);
  std::string raw, k, v;
  while (SettingsReadLine(f.get(), raw)) {
    SettingsParseLine(raw, k, v);
    if (k == key) return v;
  }
  return std::string(def);
}

int SettingsGetInt(std::string_view key, int def) {
  const std::string v = SettingsGet(key, std::to_string(def));
  // A value that does not begin with a number (an empty one, from a line
  // written by hand without its quotes) is no choice of the user's: it would
  // read as 0, which for the minutes of candle lighting is sunset itself.
  const size_t digit = v.find_first_not_of(" \t+-");
  if (digit == std::string::npos || v[digit] < '0' || v[digit] > '9') {
    DiagWarning("Warning: the setting " + std::string(key) + " is \"" + v.substr(0, 40) +
                "\", which is not a number; the default " + std::to_string(def) + " is used\n");
    return def;
  }
  return std::atoi(v.c_str());
}

bool SettingsSetMany(const std::vector<std::pair<std::string, std::string>>& keyValues) {
  for (const auto& [key, value] : keyValues) {
    if (!SettingsKeyIsValid(key) || !SettingsValueIsValid(value)) {
      const std::string shown = key.substr(0, 64);
      DiagWarning("Error: setting \"" + std::string(shown.c_str()) + "\" cannot be stored (invalid key or value)\n");
      return false;
    }
  }
  std::vector<Line> lines;
  ReadAllLines(lines);
  for (const auto& [key, value] : keyValues) {
    bool found = false;
    for (Line& l : lines) {
      if (l.key == key) {
        l.value = value;
        found = true;
      }
    }
    if (!found) lines.push_back({key, value});
  }
  return WriteAllLines(lines);
}

bool SettingsSet(std::string_view key, std::string_view value) {
  return SettingsSetMany({{std::string(key), std::string(value)}});
}

bool SettingsSetInt(std::string_view key, int value) { return SettingsSet(key, std::to_string(value)); }

bool SettingsRemoveAllKeysWithBeginning(std::string_view text) {
  std::vector<Line> lines;
  ReadAllLines(lines);
  std::vector<Line> kept;
  for (Line& l : lines)
    if (l.key.find(text) == std::string::npos) kept.push_back(std::move(l));
  return WriteAllLines(kept);
}
