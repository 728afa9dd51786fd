// Test helper: saves the settings file and the anniversaries file over and
// over, switching between two known contents, until it is killed. The
// kill-while-saving test checks that each file is always one of the two.
//
//   atomic_writer HOME
#include <cstdio>
#include <cstdlib>
#include <string>

#include "storage/anniversaries.h"
#include "base/settings_file.h"

namespace {

std::vector<std::pair<std::string, std::string>> Settings(int version) {
  std::vector<std::pair<std::string, std::string>> kv;
  for (int i = 0; i < 40; ++i)
    kv.emplace_back("Key" + std::to_string(i), std::string(100 + 50 * version, static_cast<char>('a' + version)));
  return kv;
}

AnniversaryList Anniversaries(int version) {
  AnniversaryList list;
  for (int i = 0; i < 300 + 100 * version; ++i) {
    AnniversaryRec rec;
    rec.name = "Version " + std::to_string(version) + " person " + std::to_string(i);
    rec.type = 'Y';
    rec.isHebrew = 1;
    rec.date = AnniDate{1 + i % 29, 1 + i % 12, 5700 + i % 80};
    AnniFileInsertSorted(list, rec);
  }
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: atomic_writer HOME\n");
    return 2;
  }
  ::setenv("HOME", argv[1], 1);
  const AnniversaryList lists[2] = {Anniversaries(0), Anniversaries(1)};
  for (unsigned n = 0;; ++n) {
    const int v = static_cast<int>(n % 2);
    if (!SettingsSetMany(Settings(v))) return 1;
    if (!AnniFileStore(lists[v])) return 1;
    if (n == 1) {
      std::printf("ready\n");
      std::fflush(stdout);
    }
  }
}
