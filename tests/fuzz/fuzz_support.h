// Shared set-up of the fuzz targets: a private HOME with .lumaro/translations (in memory where
// possible: the settings writes flush to disk), made once per process and removed at exit, and a
// quick way to put the input into a file. The parsers' messages on stdout are not findings: they go
// to /dev/null unless LUMARO_FUZZ_VERBOSE is set.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

inline const std::string& Home() {
  static const std::string home = [] {
    std::string dir =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm/lumaro-fuzz-XXXXXX" : "/tmp/lumaro-fuzz-XXXXXX";
    if (!::mkdtemp(dir.data())) std::abort();
    ::setenv("HOME", dir.c_str(), 1);
    std::filesystem::create_directories(dir + "/.lumaro/translations");
    if (!std::getenv("LUMARO_FUZZ_VERBOSE")) std::freopen("/dev/null", "w", stdout);
    return dir;
  }();
  static const struct Remove {
    ~Remove() {
      std::error_code ec;
      std::filesystem::remove_all(home, ec);
    }
  } remove;
  return home;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || (size && std::fwrite(data, 1, size, f) != size)) std::abort();
  std::fclose(f);
}

}  // namespace fuzz
