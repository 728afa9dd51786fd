// Helpers shared by the unit tests: a private HOME per test, file helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testenv {

// Points HOME at a fresh temporary directory for the lifetime of the object
// and restores the old value afterwards.
class TempHome {
 public:
  explicit TempHome(bool withLumaroDir = true) {
    char tmpl[] = "/tmp/lumaro-test-XXXXXX";
    const char* dir = ::mkdtemp(tmpl);
    EXPECT_NE(dir, nullptr);
    path_ = dir ? dir : "/tmp";
    if (const char* old = std::getenv("HOME")) {
      hadOld_ = true;
      old_ = old;
    }
    ::setenv("HOME", path_.c_str(), 1);
    if (withLumaroDir) std::filesystem::create_directory(path_ + "/.lumaro");
  }
  ~TempHome() {
    if (hadOld_) {
      ::setenv("HOME", old_.c_str(), 1);
    } else {
      ::unsetenv("HOME");
    }
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::string& path() const { return path_; }
  std::string lumaro(const std::string& name) const { return path_ + "/.lumaro/" + name; }

 private:
  std::string path_;
  std::string old_;
  bool hadOld_ = false;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A data-file field with \n, \r, \t and \\ written as escapes.
inline std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] == '\\' && i + 1 < text.size() ? text[++i] : '\0';
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c ? c : text[i];
  }
  return out;
}

inline std::string TestDataDir() {
  const char* env = std::getenv("LUMARO_TEST_DATADIR");
  return env ? env : LUMARO_TEST_DATADIR;
}

}  // namespace testenv
