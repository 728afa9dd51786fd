// Reading the reference tables in tests/data: comma-separated rows, lines
// starting with '#' are comments.
#pragma once

#include <charconv>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar.h"
#include "test_env.h"

namespace testdata {

using Row = std::vector<std::string>;

inline Row SplitRow(const std::string& line, char sep = ',') {
  Row fields;
  for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = line.find(sep, start);
    fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
  }
  return fields;
}

// The data rows of tests/data/<name>; empty when the file is missing.
inline std::vector<Row> ReadRows(const std::string& name, char sep = ',') {
  std::vector<Row> rows;
  std::ifstream in(testenv::TestDataDir() + "/" + name);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    rows.push_back(SplitRow(line, sep));
  }
  return rows;
}

inline std::optional<int> ToInt(std::string_view text) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

inline AbsoluteDay Greg(int d, int m, int y) { return AbsoluteFromGregorian(d, m, y); }

// YYYY-MM-DD as an absolute day, or nullopt.
inline std::optional<AbsoluteDay> IsoDay(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto y = ToInt(text.substr(0, 4)), m = ToInt(text.substr(5, 2)), d = ToInt(text.substr(8, 2));
  if (!y || !m || !d) return std::nullopt;
  return AbsoluteFromGregorian(*d, *m, *y);
}

// A day of a data file: YYYY-MM-DD, or a Hebrew day.month.year (Nisan = 1).
inline std::optional<AbsoluteDay> DayOf(const std::string& text) {
  if (text.find('-') != std::string::npos) return IsoDay(text);
  const Row f = SplitRow(text, '.');
  if (f.size() != 3) return std::nullopt;
  const auto d = ToInt(f[0]), m = ToInt(f[1]), y = ToInt(f[2]);
  if (!d || !m || !y) return std::nullopt;
  return AbsoluteFromHebrew(*d, *m, *y);
}

inline std::string IsoOf(AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  const std::string digits = std::to_string(g.year * 10000 + g.month * 100 + g.day + 100000000);
  return digits.substr(1, 4) + "-" + digits.substr(5, 2) + "-" + digits.substr(7, 2);
}

}  // namespace testdata
