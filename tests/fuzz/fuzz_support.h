// Shared set-up of the fuzz targets: a private HOME with a .lumaro folder,
// made once per process, and a quick way to put the input into a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fuzz {

inline const std::string& Home() {
  static const std::string home = [] {
    // In memory where possible: the settings writes flush to disk.
    struct stat st {};
    std::string tmpl = ::stat("/dev/shm", &st) == 0 ? "/dev/shm/lumaro-fuzz-XXXXXX" : "/tmp/lumaro-fuzz-XXXXXX";
    const char* dir = ::mkdtemp(tmpl.data());
    if (!dir) std::abort();
    ::setenv("HOME", dir, 1);
    static std::string removeAtExit = dir;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removeAtExit, ec);
    });
    const std::string lumaro = std::string(dir) + "/.lumaro";
    ::mkdir(lumaro.c_str(), 0700);
    ::mkdir((lumaro + "/translations").c_str(), 0700);
    // Messages of the parsers would flood the output; they are not findings.
    if (!std::getenv("LUMARO_FUZZ_VERBOSE")) {
      std::freopen("/dev/null", "w", stdout);
    }
    return std::string(dir);
  }();
  return home;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace fuzz
