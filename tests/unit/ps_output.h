// An in-memory FILE* for tests of PostScript output, with its text as lines.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace testenv {

class MemoryFile {
 public:
  MemoryFile() : file_(open_memstream(&data_, &size_)) {}
  ~MemoryFile() {
    if (file_) std::fclose(file_);
    std::free(data_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::FILE* file() const { return file_; }
  std::string Text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    std::istringstream in(Text());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  std::FILE* file_;
};

// Switches LC_ALL to the first of a few locales with a decimal comma that
// exists, and back on destruction. available() is false when none exists.
class CommaLocale {
 public:
  CommaLocale() {
    const char* old = std::setlocale(LC_ALL, nullptr);
    old_ = old ? old : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
      if (std::setlocale(LC_ALL, name)) {
        available_ = true;
        break;
      }
    }
  }
  ~CommaLocale() { std::setlocale(LC_ALL, old_.c_str()); }
  bool available() const { return available_; }

 private:
  std::string old_;
  bool available_ = false;
};

}  // namespace testenv
