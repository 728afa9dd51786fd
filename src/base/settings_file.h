// The settings file ~/.lumaro/kivrasettings: one `key: "value"` line per
// setting. Nothing is cached: every read scans the file, every write
// rewrites it whole (new content in a temporary file beside it, then renamed
// over it, so the file is always either the old or the new content).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Longest key or value kept from a line (a longer one is cut).
constexpr size_t kSettingsMaxText = 255;

// Home path ($HOME, or "." when unset), ending in "/" unless empty.
std::string SettingsGetHomePath();
// The settings directory: home path + ".lumaro".
std::string SettingsGetDirectory();
// The settings file: home path + ".lumaro/kivrasettings".
std::string SettingsGetFileName();

// Value of the first line with `key`, or `def` when there is none (an empty
// stored value replaces the default). A missing or unreadable file gives def.
std::string SettingsGet(std::string_view key, std::string_view def);
// The stored value read with atoi rules; `def` when the key is absent or its
// value does not begin with a number (with a warning on standard error).
int SettingsGetInt(std::string_view key, int def);

// Store one key: every line with that key gets the new value, or the line is
// appended. Returns false (with a message on standard error) when the file
// could not be written; the old file is then left untouched.
bool SettingsSet(std::string_view key, std::string_view value);
bool SettingsSetInt(std::string_view key, int value);
// Store several keys in one rewrite; the result equals calling SettingsSet
// for each pair in order.
bool SettingsSetMany(const std::vector<std::pair<std::string, std::string>>& keyValues);
// Rewrite the file without every line whose key contains `text`.
bool SettingsRemoveAllKeysWithBeginning(std::string_view text);

// The line grammar, exposed for tests.
// Reads one line (without its line feed); false only at end of file.
bool SettingsReadLine(std::FILE* stream, std::string& line);
// Parses `line` into key and value (both start empty; cut to kSettingsMaxText).
void SettingsParseLine(std::string_view line, std::string& key, std::string& value);
// Writes one canonical line `key: "value"` and a line feed.
void SettingsWriteLine(std::FILE* stream, std::string_view key, std::string_view value);

// A key the file can hold: ASCII letters and digits, 1..255 bytes.
bool SettingsKeyIsValid(std::string_view key);
// A value the file can hold: at most 255 bytes, no double quote, line feed or NUL.
bool SettingsValueIsValid(std::string_view value);

namespace storage {
// Test hook: called after the new content is written and flushed, before it
// replaces the settings file. Returning false aborts the write (as a failed
// rename would).
using BeforeReplaceHook = bool (*)();
void SetBeforeReplaceHookForTesting(BeforeReplaceHook hook);
}  // namespace storage
