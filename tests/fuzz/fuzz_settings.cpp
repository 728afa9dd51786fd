// The settings file: any content is read without crashing, and a rewrite
// leaves a file whose every line reads back as the same key and value.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "base/file_util.h"
#include "base/settings.h"
#include "base/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string home = fuzz::Home();
  const std::string path = home + "/.lumaro/kivrasettings";
  fuzz::WriteFile(path, data, size);
  settingsInit();
  (void)SettingsGetInt("Style", 2);
  if (!SettingsSetInt("Style", 1)) return 0;
  // After the rewrite the file is canonical: parsing it again gives lines
  // that rewrite to the same bytes.
  // The file's lines as parsed, one "key\x01value" per line.
  auto parsed = [&path] {
    std::string out;
    FilePtr f = OpenFile(path, "rb");
    std::string line, key, value;
    while (SettingsReadLine(f.get(), line)) {
      SettingsParseLine(line, key, value);
      out += key + "\x01" + value + "\n";
    }
    return out;
  };
  const std::string first = parsed();
  if (SettingsGetInt("Style", 0) != 1) __builtin_trap();
  if (!SettingsSetInt("Style", 1)) __builtin_trap();
  const std::string second = parsed();
  if (first != second) __builtin_trap();
  settingsDone();
  return 0;
}
