// A private HOME with a small city file, default settings and an empty
// translation table, for the tests of the day's times; and the reader of the
// tab-separated case files under tests/data.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace testenv {

class SunTimesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(home_.lumaro("cities"),
              "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n"
              "\"Frankfurt (Main)\", 50,7 N, 8,41 E, GMT+1\n"
              "\"Helsinki\", 60,10 N, 24,56 E, GMT+2\n"
              "\"Longyearbyen\", 78,13 N, 15,38 E, GMT+1\n"
              "\"Jerusalem\", 31,46 N, 35,13 E, GMT+2\n"
              "\"Sydney\", 33,52 S, 151,12 E, GMT+10\n");
    settingsReset();
    translate_init("english");
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  TempHome home_;
};

// "HH:MM" of a time in minutes, as the 24-hour clock shows it.
inline std::string Clock(int minutes) {
  const int h = minutes / 60, m = minutes % 60;
  return std::string(1, static_cast<char>('0' + h / 10)) + static_cast<char>('0' + h % 10) + ":" +
         static_cast<char>('0' + m / 10) + static_cast<char>('0' + m % 10);
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
      out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
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
