// Helpers shared by the unit tests: a private HOME, files, the case files under tests/data.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace testenv {

// Sets (or with null clears) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name), had_(std::getenv(name) != nullptr) {
    if (had_) old_ = std::getenv(name);
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_;
  std::string old_;
};

inline std::string MakeTempDir() {
  char tmpl[] = "/tmp/lumaro-test-XXXXXX";
  if (!::mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
  return tmpl;
}

// HOME is a fresh temporary directory for the lifetime of the object.
class TempHome {
 public:
  explicit TempHome(bool withLumaroDir = true) : path_(MakeTempDir()), home_("HOME", path_.c_str()) {
    if (withLumaroDir) std::filesystem::create_directory(path_ + "/.lumaro");
  }
  ~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }

  const std::string& path() const { return path_; }
  std::string lumaro(const std::string& name) const { return path_ + "/.lumaro/" + name; }

 private:
  std::string path_;
  ScopedEnv home_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

// All that was written to a temporary file, which is closed.
inline std::string StreamText(std::FILE* f) {
  std::string text;
  std::fflush(f);
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
  std::fclose(f);
  return text;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline std::string TestDataDir() {
  const char* env = std::getenv("LUMARO_TEST_DATADIR");
  return env ? env : LUMARO_TEST_DATADIR;
}

// `actual` against tests/data/golden/NAME below its header (up to the first "==" line).
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::string golden = ReadFile(TestDataDir() + "/golden/" + name);
  const size_t start = golden.rfind("==", 0) == 0 ? 0 : std::min(golden.size(), golden.find("\n==") + 1);
  if (golden.substr(start) == actual) return;
  WriteFile(testing::TempDir() + name + ".actual", actual);
  ADD_FAILURE() << "differs from golden/" << name << "; see " << testing::TempDir() << name << ".actual";
}

// A field of a case file with its escapes resolved: \t, \n, \r, \\ and \xHH.
inline std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
    } else if (s[i + 1] == 'x' && i + 3 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      const char c = s[++i];
      out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
  }
  return out;
}

// The rows of tests/data/<name>, tab-separated, escapes resolved, '#' lines skipped; a missing file fails.
inline std::vector<std::vector<std::string>> CaseRows(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(TestDataDir() + "/" + name);
  EXPECT_TRUE(in.good()) << name;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    rows.emplace_back();
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
      end = line.find('\t', start);
      rows.back().push_back(Unescape(line.substr(start, end - start)));  // to the end when npos
    }
  }
  return rows;
}

}  // namespace testenv
