#include "storage/user_places.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/file_util.h"

namespace {

// One line of the file: [begin, end) without its line end, next the start
// of the following line.
struct LineSpan {
  size_t begin = 0;
  size_t end = 0;
  size_t next = 0;
};

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The place of a marked line; nothing for another line.
std::optional<CityRec> MarkedPlace(std::string_view line) {
  const size_t hash = line.find('#');
  if (hash == std::string_view::npos || TrimBlanks(line.substr(hash)) != kUserPlaceMark) return std::nullopt;
  CityRec city;
  std::string error;
  if (!CityProcessLine(line.substr(0, hash), &city, &error)) return std::nullopt;
  return city;
}

// The line of `data` marked for the place `name`.
std::optional<LineSpan> FindMarkedLine(std::string_view data, std::string_view name) {
  for (size_t pos = 0; pos < data.size();) {
    const size_t lf = data.find('\n', pos);
    LineSpan span{pos, lf == std::string_view::npos ? data.size() : lf, 0};
    span.next = lf == std::string_view::npos ? data.size() : lf + 1;
    const std::optional<CityRec> place = MarkedPlace(data.substr(span.begin, span.end - span.begin));
    if (place && place->name == name) return span;
    pos = span.next;
  }
  return std::nullopt;
}

std::string Marked(std::string_view line) { return std::string(line) + "  " + std::string(kUserPlaceMark); }

// The file's content; a missing file reads as empty when `missingIsEmpty`.
bool ReadCityFile(const std::string& path, bool missingIsEmpty, std::string* data, std::string* error) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 && errno == ENOENT && missingIsEmpty) return true;
  if (ReadWholeFile(path, *data)) return true;
  if (error) *error = "cannot read " + path + ": " + std::strerror(errno);
  return false;
}

// The file a link points to is changed, not the link.
std::string TargetOf(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::canonical(path, ec);
  return ec ? path : target.string();
}

bool WriteCityFile(const std::string& path, const std::string& data, std::string* error) {
  return ReplaceFileAtomically(
      path, [&](std::FILE* out) { return std::fwrite(data.data(), 1, data.size(), out) == data.size(); }, error);
}

// Replaces the marked line of `name` (with its line end when `line` is
// null) by `line`.
bool ChangeMarkedLine(const std::string& cityFile, std::string_view name, const std::string_view* line,
                      std::string* error) {
  const std::string path = TargetOf(cityFile);
  std::string data;
  if (!ReadCityFile(path, false, &data, error)) return false;
  const std::optional<LineSpan> span = FindMarkedLine(data, name);
  if (!span) {
    if (error) *error = "the place is not among the places you added to " + cityFile;
    return false;
  }
  if (line) {
    // A line that ended in CR keeps it.
    const bool cr = span->end > span->begin && data[span->end - 1] == '\r';
    data.replace(span->begin, span->end - span->begin, Marked(*line) + (cr ? "\r" : ""));
  } else {
    data.erase(span->begin, span->next - span->begin);
  }
  return WriteCityFile(path, data, error);
}

}  // namespace

std::optional<CityRec> UserPlaceFind(const std::string& cityFile, std::string_view name) {
  std::string data;
  if (!ReadWholeFile(cityFile, data)) return std::nullopt;
  const std::optional<LineSpan> span = FindMarkedLine(data, name);
  if (!span) return std::nullopt;
  return MarkedPlace(std::string_view(data).substr(span->begin, span->end - span->begin));
}

bool UserPlaceAdd(const std::string& cityFile, std::string_view line, std::string* error) {
  const std::string path = TargetOf(cityFile);
  std::string data;
  if (!ReadCityFile(path, true, &data, error)) return false;
  const size_t lf = data.find('\n');
  const std::string lineEnd = lf != std::string::npos && lf > 0 && data[lf - 1] == '\r' ? "\r\n" : "\n";
  if (!data.empty() && data.back() != '\n') data += lineEnd;  // the last line gets its end
  data += Marked(line) + lineEnd;
  return WriteCityFile(path, data, error);
}

bool UserPlaceReplace(const std::string& cityFile, std::string_view name, std::string_view line, std::string* error) {
  return ChangeMarkedLine(cityFile, name, &line, error);
}

bool UserPlaceRemove(const std::string& cityFile, std::string_view name, std::string* error) {
  return ChangeMarkedLine(cityFile, name, nullptr, error);
}
