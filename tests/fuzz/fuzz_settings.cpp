// The settings file: any content is read without crashing, and after a rewrite the file is
// canonical: its lines, read back as keys and values, rewrite to the same.
#include <string>

#include "base/file_util.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::Home() + "/.lumaro/kivrasettings";
  fuzz::WriteFile(path, data, size);
  settingsInit();
  (void)SettingsGetInt("Style", 2);
  if (!SettingsSetInt("Style", 1)) return 0;
  const auto parsed = [&path] {  // one "key\x01value" per line
    std::string out, line, key, value;
    FilePtr f = OpenFile(path, "rb");
    while (SettingsReadLine(f.get(), line)) {
      SettingsParseLine(line, key, value);
      out += key + "\x01" + value + "\n";
    }
    return out;
  };
  const std::string first = parsed();
  if (SettingsGetInt("Style", 0) != 1 || !SettingsSetInt("Style", 1) || parsed() != first) __builtin_trap();
  settingsDone();
  return 0;
}
