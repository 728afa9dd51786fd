#include "storage/anniversaries.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>

#include "calendar/calendar.h"
#include "base/file_util.h"
#include "base/settings_file.h"
#include "base/text_format.h"
#include "base/utf8.h"

// ------------------------------------------------------------ list operations

void AnniFileInit(AnniversaryList& list) { list.clear(); }

void AnniFileDone(AnniversaryList& list) { AnniversaryList().swap(list); }

void AnniFileInsertSorted(AnniversaryList& list, const AnniversaryRec& rec) {
  const auto at = std::upper_bound(list.begin(), list.end(), rec, [](const AnniversaryRec& a, const AnniversaryRec& b) {
    return a.name < b.name;  // std::string compares byte-wise, as unsigned char
  });
  list.insert(at, rec);
}

namespace {
bool ValidIndex(const AnniversaryList& list, int index) {
  return index >= 0 && static_cast<size_t>(index) < list.size();
}
}  // namespace

bool AnniFileGet(const AnniversaryList& list, int index, AnniversaryRec& rec) {
  if (!ValidIndex(list, index)) return false;
  rec = list[static_cast<size_t>(index)];
  return true;
}

bool AnniFileModify(AnniversaryList& list, int index, const AnniversaryRec& rec) {
  if (!ValidIndex(list, index)) return false;
  list[static_cast<size_t>(index)] = rec;
  return true;
}

bool AnniFileRemove(AnniversaryList& list, int index) {
  if (!ValidIndex(list, index)) return false;
  list.erase(list.begin() + index);
  return true;
}

// ------------------------------------------------------------ the file

std::string AnniFileGetFilename() { return SettingsGetDirectory() + "/kivraanni"; }

namespace {

// Numbers in the file are unsigned decimals; anything longer than this many
// digits cannot be a date or a flag.
constexpr int kMaxDigits = 6;

class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}

  bool AtEnd() const { return pos_ >= line_.size(); }
  char Peek() const { return AtEnd() ? '\0' : line_[pos_]; }
  bool Take(char c) {
    if (Peek() != c || AtEnd()) return false;
    ++pos_;
    return true;
  }
  void SkipSpaces() {
    while (!AtEnd() && line_[pos_] == ' ') ++pos_;
  }
  // The name between double quotes, after its opening quote: a backslash
  // makes the next character literal. False when the closing quote is missing.
  bool QuotedRest(std::string& out) {
    out.clear();
    while (!AtEnd()) {
      const char c = line_[pos_++];
      if (c == '"') return true;
      if (c == '\\') {
        if (AtEnd()) return false;
        out.push_back(line_[pos_++]);
      } else {
        out.push_back(c);
      }
    }
    return false;
  }
  // Unsigned decimal digits; none count as 0. False when there are too many.
  bool Number(int32_t& value) {
    value = 0;
    int digits = 0;
    while (!AtEnd() && line_[pos_] >= '0' && line_[pos_] <= '9') {
      if (++digits > kMaxDigits) return false;
      value = value * 10 + (line_[pos_] - '0');
      ++pos_;
    }
    return true;
  }

 private:
  std::string_view line_;
  size_t pos_ = 0;
};

bool IsType(char c) { return c == kAnniAnniversary || c == kAnniBirthday || c == kAnniYortsayt; }

}  // namespace

std::string AnniFormatLine(const AnniversaryRec& rec) {
  std::string line = "\"";
  for (char c : rec.name) {
    if (c == '"' || c == '\\') line.push_back('\\');
    line.push_back(c);
  }
  line += "\" ";
  line.push_back(rec.type);
  line += rec.isHebrew ? " H " : " ";
  line += DayMonthYearText(rec.date.day, rec.date.month, rec.date.year);
  line += " " + std::to_string(rec.afterSunset);
  return line;
}

bool AnniParseLine(std::string_view line, AnniversaryRec& rec) {
  // A NUL byte ends the line's content, as it would end a C string.
  line = line.substr(0, line.find('\0'));
  line = line.substr(0, line.find('#'));
  LineReader r(line);
  AnniversaryRec out;
  r.SkipSpaces();
  if (!r.Take('"') || !r.QuotedRest(out.name)) return false;
  r.SkipSpaces();
  if (!IsType(r.Peek())) return false;
  out.type = r.Peek();
  r.Take(out.type);
  r.SkipSpaces();
  if (r.Take('H')) {
    out.isHebrew = 1;
    r.SkipSpaces();
  }
  int32_t flag = 0;
  if (!r.Number(out.date.day) || !r.Take('.') || !r.Number(out.date.month) || !r.Take('.') ||
      !r.Number(out.date.year))
    return false;
  r.SkipSpaces();
  if (!r.Number(flag) || !r.AtEnd()) return false;
  // Entries the program could not show or place are left out: a flag other
  // than 0 or 1, a date that does not exist, a name that is not UTF-8.
  if (flag > 1 || !AnniDateIsValid(out.isHebrew, out.date) || !IsValidUtf8(out.name)) return false;
  out.afterSunset = flag;
  rec = std::move(out);
  return true;
}

AnniLoadResult AnniFileParse(std::string_view content, AnniversaryList& list) {
  AnniFileInit(list);
  AnniLoadResult result;
  result.exists = true;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = content.substr(start, end - start);
    start = end + 1;
    AnniversaryRec rec;
    if (AnniParseLine(line, rec)) {
      AnniFileInsertSorted(list, rec);
    } else {
      // Empty lines and pure comments are not losses.
      const std::string_view body = line.substr(0, line.find('#'));
      if (body.find_first_not_of(' ') != std::string_view::npos) ++result.skippedLines;
    }
  }
  return result;
}

AnniLoadResult AnniFileLoad(AnniversaryList& list) {
  AnniFileInit(list);
  const std::string path = AnniFileGetFilename();
  std::string content;
  if (!ReadWholeFile(path, content)) {
    AnniLoadResult result;
    struct stat st {};
    result.exists = ::stat(path.c_str(), &st) == 0;
    result.readError = result.exists;
    return result;
  }
  return AnniFileParse(content, list);
}

namespace {
storage::BeforeReplaceHook gAnniBeforeReplaceHook = nullptr;
}  // namespace

namespace storage {
void SetAnniBeforeReplaceHookForTesting(BeforeReplaceHook hook) { gAnniBeforeReplaceHook = hook; }
}  // namespace storage

bool AnniFileWriteCopy(const std::string& path, std::string_view content, std::string* error) {
  const std::string dir = SettingsGetDirectory();
  errno = 0;
  if (!EnsureDirectory(dir)) {
    const int e = errno;
    struct stat st {};
    const bool notFolder = ::stat(dir.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
    if (error) *error = "cannot create the folder " + dir + ": " + (notFolder ? "a file of that name is in the way" : std::strerror(e));
    return false;
  }
  return ReplaceFileAtomically(
      path, [&](std::FILE* out) { return std::fwrite(content.data(), 1, content.size(), out) == content.size(); },
      error, [] { return gAnniBeforeReplaceHook ? gAnniBeforeReplaceHook() : true; });
}

bool AnniFileStore(const AnniversaryList& list, std::string* error) {
  std::string content;
  for (const AnniversaryRec& rec : list) content += AnniFormatLine(rec) + "\n";
  return AnniFileWriteCopy(AnniFileGetFilename(), content, error);
}

// ------------------------------------------------------------ day query

namespace {

// The month view asks for every day cell, so the parsed file and the days
// of its entries in each Hebrew year asked for are kept until the file
// changes. The answers are the same as reading the file on every call.
struct DayIndex {
  std::string path;
  FileStamp stamp;
  AnniversaryList list;
  std::vector<int> eventYears;  // Hebrew year of each entry's event
  // Hebrew year -> (day, entry index) for every entry placed in that year, in list order.
  std::map<int, std::vector<std::pair<AbsoluteDay, int>>> byYear;
};

constexpr size_t kMaxCachedYears = 64;

DayIndex& TheDayIndex() {
  static DayIndex index;
  return index;
}

void Refresh(DayIndex& index) {
  const std::string path = AnniFileGetFilename();
  // Stamp first: a change while reading makes the next call read again.
  const FileStamp stamp = FileStampOf(path);
  if (path == index.path && stamp == index.stamp) return;
  index.path = path;
  index.stamp = stamp;
  index.byYear.clear();
  AnniFileLoad(index.list);
  index.eventYears.clear();
  for (const AnniversaryRec& rec : index.list) index.eventYears.push_back(HebrewFromAbsolute(AnniEventDay(rec)).year);
}

const std::vector<std::pair<AbsoluteDay, int>>& DaysInYear(DayIndex& index, int year) {
  auto it = index.byYear.find(year);
  if (it != index.byYear.end()) return it->second;
  if (index.byYear.size() >= kMaxCachedYears) index.byYear.clear();
  std::vector<std::pair<AbsoluteDay, int>> days;
  for (size_t i = 0; i < index.list.size(); ++i) {
    // No anniversary in the year of the event itself or before.
    if (year > index.eventYears[i]) days.emplace_back(AnniDayInYear(index.list[i], year), static_cast<int>(i));
  }
  return index.byYear.emplace(year, std::move(days)).first->second;
}

}  // namespace

std::vector<AnniversaryRec> AnniFileEntriesOnDay(AbsoluteDay day) {
  DayIndex& index = TheDayIndex();
  Refresh(index);
  std::vector<AnniversaryRec> entries;
  for (const auto& [entryDay, i] : DaysInYear(index, HebrewFromAbsolute(day).year))
    if (entryDay == day) entries.push_back(index.list[static_cast<size_t>(i)]);
  return entries;
}
