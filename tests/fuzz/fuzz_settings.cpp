// The settings file: any content is read without crashing, and a rewrite
// leaves a file whose every line reads back as the same key and value.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "storage/settings.h"
#include "storage/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string home = fuzz::Home();
  const std::string path = home + "/.lumaro/kivrasettings";
  fuzz::WriteFile(path, data, size);
  settingsInit();
  (void)SettingsGetInt("Style", 2);
  if (!SettingsSetInt("Style", 1)) return 0;
  // After the rewrite the file is canonical: parsing it again gives lines
  // that rewrite to the same bytes.
  std::string first;
  {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string line, key, value;
    while (SettingsReadLine(f, line)) {
      SettingsParseLine(line, key, value);
      first += key + "\x01" + value + "\n";
    }
    std::fclose(f);
  }
  if (SettingsGetInt("Style", 0) != 1) __builtin_trap();
  if (!SettingsSetInt("Style", 1)) __builtin_trap();
  std::string second;
  {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string line, key, value;
    while (SettingsReadLine(f, line)) {
      SettingsParseLine(line, key, value);
      second += key + "\x01" + value + "\n";
    }
    std::fclose(f);
  }
  if (first != second) __builtin_trap();
  settingsDone();
  return 0;
}
