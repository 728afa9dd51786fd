// Test helper of kill_while_saving.sh: saves the settings file and the anniversaries file over and
// over, switching between two known contents (40 settings lines; 300 or 400 anniversary lines),
// until it is killed; prints "ready" after the first two rounds.
//
//   atomic_writer HOME
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/settings_file.h"
#include "storage/anniversaries.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: atomic_writer HOME\n");
    return 2;
  }
  ::setenv("HOME", argv[1], 1);
  std::vector<std::pair<std::string, std::string>> settings[2];
  AnniversaryList lists[2];
  for (int v = 0; v < 2; ++v) {
    const std::string value(static_cast<size_t>(100 + 50 * v), static_cast<char>('a' + v));
    for (int i = 0; i < 40; ++i) settings[v].emplace_back("Key" + std::to_string(i), value);
    for (int i = 0; i < 300 + 100 * v; ++i) {
      AnniversaryRec rec;
      rec.name = "Version " + std::to_string(v) + " person " + std::to_string(i);
      rec.type = 'Y';
      rec.isHebrew = 1;
      rec.date = AnniDate{1 + i % 29, 1 + i % 12, 5700 + i % 80};
      AnniFileInsertSorted(lists[v], rec);
    }
  }
  for (unsigned n = 0;; ++n) {
    if (!SettingsSetMany(settings[n % 2]) || !AnniFileStore(lists[n % 2])) return 1;
    if (n == 1) {
      std::printf("ready\n");
      std::fflush(stdout);
    }
  }
}
