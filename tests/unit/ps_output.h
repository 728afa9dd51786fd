// An in-memory FILE* for tests of PostScript output, and a decimal-comma locale.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace testenv {

class MemoryFile {
 public:
  MemoryFile() : file_(open_memstream(&data_, &size_)) {}
  ~MemoryFile() {
    if (file_) std::fclose(file_);
    std::free(data_);
  }
  std::FILE* file() const { return file_; }
  std::string Text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  std::FILE* file_;
};

// Switches LC_ALL to the first locale with a decimal comma that exists, and
// back on destruction. available() is false when none exists.
class CommaLocale {
 public:
  CommaLocale() : old_(std::setlocale(LC_ALL, nullptr) ? std::setlocale(LC_ALL, nullptr) : "C") {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
      if ((available_ = std::setlocale(LC_ALL, name) != nullptr)) break;
  }
  ~CommaLocale() { std::setlocale(LC_ALL, old_.c_str()); }
  bool available() const { return available_; }

 private:
  std::string old_;
  bool available_ = false;
};

}  // namespace testenv
