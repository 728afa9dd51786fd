// Helpers shared by the unit tests: a private HOME per test, file helpers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

inline std::string TestDataDir() {
  const char* env = std::getenv("LUMARO_TEST_DATADIR");
  return env ? env : LUMARO_TEST_DATADIR;
}

// `actual` against tests/data/golden/NAME from its first line starting "=="
// (above it the header); on a difference the actual text goes to the temp dir.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::string golden = ReadFile(TestDataDir() + "/golden/" + name);
  const size_t start = golden.rfind("==", 0) == 0 ? 0 : std::min(golden.size(), golden.find("\n==") + 1);
  if (golden.substr(start) == actual) return;
  WriteFile(testing::TempDir() + name + ".actual", actual);
  ADD_FAILURE() << "differs from golden/" << name << "; see " << testing::TempDir() << name << ".actual";
}

// A field of a case file with its escapes resolved: \t, \n, \\ and \xHH.
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

// The rows of tests/data/<name>, tab-separated, escapes resolved; lines that
// are empty or start with '#' are comments. A missing file fails the test.
inline std::vector<std::vector<std::string>> CaseRows(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(TestDataDir() + "/" + name);
  EXPECT_TRUE(in.good()) << name;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> row;
    for (size_t start = 0;;) {
      const size_t end = line.find('\t', start);
      row.push_back(Unescape(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace testenv
