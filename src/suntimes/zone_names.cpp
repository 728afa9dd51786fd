#include "suntimes/zone_names.h"

#include <algorithm>
#include <string_view>

#include "base/file_util.h"
#include "suntimes/cities.h"

namespace {

// The `column`-th field (from 0) of a line whose fields are separated by
// `separators`; empty when it has fewer.
std::string_view Field(std::string_view line, size_t column, std::string_view separators) {
  for (size_t i = 0; i < column; ++i) {
    const size_t end = line.find_first_of(separators);
    if (end == std::string_view::npos) return {};
    line.remove_prefix(end + 1);
  }
  return line.substr(0, line.find_first_of(separators));
}

// The names found in the lines of `path` that `pick` takes from them.
template <typename Pick>
std::vector<std::string> NamesOf(const std::string& path, Pick pick) {
  std::vector<std::string> names;
  std::string data;
  if (!ReadWholeFile(path, data)) return names;
  std::string_view rest = data;
  while (!rest.empty()) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view name = pick(rest.substr(0, end));
    if (TimeZoneNameIsWellFormed(name)) names.emplace_back(name);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

}  // namespace

std::vector<std::string> TimeZoneNames(const std::string& dir) {
  std::vector<std::string> names = NamesOf(dir + "/tzdata.zi", [](std::string_view line) {
    return line.substr(0, 2) == "Z " ? Field(line, 1, " ") : std::string_view();
  });
  const auto tableZone = [](std::string_view line) {
    return line.substr(0, 1) == "#" ? std::string_view() : Field(line, 2, "\t");
  };
  for (const char* table : {"/zone1970.tab", "/zone.tab"}) {
    if (names.empty()) names = NamesOf(dir + table, tableZone);
  }
  return names;
}
