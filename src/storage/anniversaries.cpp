#include "storage/anniversaries.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>

#include "base/file_util.h"
#include "base/settings_file.h"
#include "base/text_format.h"
#include "base/utf8.h"
#include "calendar/calendar.h"

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
  // The lines around a removed entry (comments, lines that are not entries)
  // stay in the file: they go to the entry after it in the file, or after
  // the one before it.
  AnniSource gone = std::move(list[static_cast<size_t>(index)].source);
  list.erase(list.begin() + index);
  if (gone.order <= 0) return true;
  AnniversaryRec* next = nullptr;
  AnniversaryRec* previous = nullptr;
  for (AnniversaryRec& rec : list) {
    const int order = rec.source.order;
    if (order > gone.order && (!next || order < next->source.order)) next = &rec;
    if (order > 0 && order < gone.order && (!previous || order > previous->source.order)) previous = &rec;
  }
  if (next) {
    next->source.linesBefore.insert(next->source.linesBefore.begin(), gone.linesBefore.begin(), gone.linesBefore.end());
  } else if (previous) {
    std::vector<std::string>& after = previous->source.linesAfter;
    after.insert(after.end(), gone.linesBefore.begin(), gone.linesBefore.end());
    after.insert(after.end(), gone.linesAfter.begin(), gone.linesAfter.end());
    previous->source.endsWithLineFeed = gone.endsWithLineFeed;
  }
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

namespace {

constexpr std::string_view kBurialKey = "burial=";
constexpr std::string_view kAdarKey = "adar=";
constexpr std::string_view kMitzvahKey = "mitzvah=";

std::string_view AdarValue(AdarChoice c) {
  switch (c) {
    case AdarChoice::kAdarII:
      return "2";
    case AdarChoice::kAdarI:
      return "1";
    case AdarChoice::kBoth:
      return "both";
    case AdarChoice::kUsual:
      break;
  }
  return "";
}

// D.M.Y of an existing Gregorian day.
std::optional<AnniDate> GregorianValue(std::string_view text) {
  LineReader r(text);
  AnniDate d;
  if (!r.Number(d.day) || !r.Take('.') || !r.Number(d.month) || !r.Take('.') || !r.Number(d.year) || !r.AtEnd() ||
      !AnniDateIsValid(0, d))
    return std::nullopt;
  return d;
}

// One word of the comment: a field of the entry, or "" when it is none of
// them (it stays in the note); the message when it is a field whose value is
// wrong (it stays in the note too).
std::string TakeField(std::string_view word, AnniversaryRec& rec, bool& taken) {
  taken = false;
  const auto starts = [&](std::string_view key) { return word.substr(0, key.size()) == key; };
  const std::string shown(word.substr(0, 40));
  if (starts(kBurialKey)) {
    const auto day = GregorianValue(word.substr(kBurialKey.size()));
    if (!day) return "the burial date '" + shown + "' is not a date D.M.Y";
    if (rec.type != kAnniYortsayt) return "a burial date belongs to a yortsayt only";
    if (AbsoluteFromGregorian(GregorianDate{day->day, day->month, day->year}) < AnniEventDay(rec))
      return "the burial date '" + shown + "' is before the death";
    rec.burial = day;
  } else if (starts(kAdarKey)) {
    const std::string_view v = word.substr(kAdarKey.size());
    AdarChoice choice = AdarChoice::kUsual;
    for (AdarChoice c : {AdarChoice::kAdarII, AdarChoice::kAdarI, AdarChoice::kBoth})
      if (v == AdarValue(c)) choice = c;
    if (choice == AdarChoice::kUsual) return "'" + shown + "' is not adar=1, adar=2 or adar=both";
    rec.adar = choice;
  } else if (starts(kMitzvahKey)) {
    const std::string_view v = word.substr(kMitzvahKey.size());
    if (v != "bar" && v != "bat") return "'" + shown + "' is not mitzvah=bar or mitzvah=bat";
    if (rec.type != kAnniBirthday) return "a bar or bat mitzvah belongs to a birthday only";
    rec.batMitzvah = v == "bat";
  } else {
    return "";
  }
  taken = true;
  return "";
}

// The fields of an entry's comment; the other words stay in its note.
void ReadComment(std::string_view comment, AnniversaryRec& rec, std::vector<std::string>* problems) {
  std::string note;
  size_t start = 0;
  while (start < comment.size()) {
    size_t end = comment.find(' ', start);
    if (end == std::string_view::npos) end = comment.size();
    const std::string_view word = comment.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    bool taken = false;
    const std::string problem = TakeField(word, rec, taken);
    if (!problem.empty() && problems) problems->push_back(problem + "; it was left out");
    if (!taken) note += (note.empty() ? "" : " ") + std::string(word);
  }
  rec.note = note;
}

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
  // The fields a program without them reads as a comment.
  std::string fields;
  if (rec.burial)
    fields += " " + std::string(kBurialKey) + DayMonthYearText(rec.burial->day, rec.burial->month, rec.burial->year);
  if (rec.adar != AdarChoice::kUsual) fields += " " + std::string(kAdarKey) + std::string(AdarValue(rec.adar));
  if (rec.batMitzvah) fields += " " + std::string(kMitzvahKey) + "bat";
  if (!rec.note.empty()) fields += " " + rec.note;
  if (!fields.empty()) line += "#" + fields.substr(1);
  return line;
}

bool AnniParseLine(std::string_view line, AnniversaryRec& rec, std::vector<std::string>* problems) {
  // A NUL byte ends the line's content, as it would end a C string.
  line = line.substr(0, line.find('\0'));
  const size_t hash = line.find('#');
  const std::string_view comment = hash == std::string_view::npos ? std::string_view() : line.substr(hash + 1);
  line = line.substr(0, hash);
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
  if (!r.Number(out.date.day) || !r.Take('.') || !r.Number(out.date.month) || !r.Take('.') || !r.Number(out.date.year))
    return false;
  r.SkipSpaces();
  if (!r.Number(flag) || !r.AtEnd()) return false;
  // Entries the program could not show or place are left out: a flag other
  // than 0 or 1, a date that does not exist, a name that is not UTF-8.
  if (flag > 1 || !AnniDateIsValid(out.isHebrew, out.date) || !IsValidUtf8(out.name)) return false;
  out.afterSunset = flag;
  // A field that cannot be read costs the field, never the entry.
  ReadComment(comment, out, problems);
  rec = std::move(out);
  return true;
}

AnniLoadResult AnniFileParse(std::string_view content, AnniversaryList& list) {
  AnniFileInit(list);
  AnniLoadResult result;
  result.exists = true;
  std::vector<AnniversaryRec> inFileOrder;
  std::vector<std::string> pending;  // the lines since the last entry
  size_t start = 0;
  int lineNumber = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = content.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    AnniversaryRec rec;
    std::vector<std::string> problems;
    if (AnniParseLine(line, rec, &problems)) {
      for (const std::string& p : problems) result.problems.push_back("line " + std::to_string(lineNumber) + ": " + p);
      rec.source.line = std::string(line);
      rec.source.order = static_cast<int>(inFileOrder.size()) + 1;
      rec.source.linesBefore.swap(pending);
      inFileOrder.push_back(std::move(rec));
    } else {
      // Empty lines and pure comments are not losses; either way the line
      // is kept for writing the file back.
      const std::string_view body = line.substr(0, line.find('#'));
      if (body.find_first_not_of(' ') != std::string_view::npos) ++result.skippedLines;
      pending.emplace_back(line);
    }
  }
  if (!inFileOrder.empty()) {
    inFileOrder.back().source.linesAfter.swap(pending);
    inFileOrder.back().source.endsWithLineFeed = !content.empty() && content.back() == '\n';
  }
  for (const AnniversaryRec& rec : inFileOrder) AnniFileInsertSorted(list, rec);
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
    if (error)
      *error = "cannot create the folder " + dir + ": " +
               (notFolder ? "a file of that name is in the way" : std::strerror(e));
    return false;
  }
  return ReplaceFileAtomically(
      path, [&](std::FILE* out) { return std::fwrite(content.data(), 1, content.size(), out) == content.size(); },
      error, [] { return gAnniBeforeReplaceHook ? gAnniBeforeReplaceHook() : true; });
}

namespace {

// The entry's line: as it was read when the entry is unchanged, else written anew.
std::string LineOf(const AnniversaryRec& rec) {
  AnniversaryRec read;
  if (rec.source.order > 0 && AnniParseLine(rec.source.line, read) && read == rec) return rec.source.line;
  return AnniFormatLine(rec);
}

}  // namespace

std::string AnniFileContent(const AnniversaryList& list) {
  // The entries read from the file in its order, with the lines around them;
  // new ones after them in list order.
  std::vector<const AnniversaryRec*> order;
  for (const AnniversaryRec& rec : list)
    if (rec.source.order > 0) order.push_back(&rec);
  std::stable_sort(order.begin(), order.end(),
                   [](const AnniversaryRec* a, const AnniversaryRec* b) { return a->source.order < b->source.order; });
  const size_t fromFile = order.size();
  for (const AnniversaryRec& rec : list)
    if (rec.source.order <= 0) order.push_back(&rec);
  std::string content;
  for (size_t i = 0; i < order.size(); ++i) {
    const AnniSource& source = order[i]->source;
    for (const std::string& line : source.linesBefore) content += line + "\n";
    content += LineOf(*order[i]) + "\n";
    for (const std::string& line : source.linesAfter) content += line + "\n";
    const bool last = i + 1 == order.size();
    if (i + 1 == fromFile && last && !source.endsWithLineFeed && !content.empty()) content.pop_back();
  }
  return content;
}

bool AnniFileStore(const AnniversaryList& list, std::string* error) {
  return AnniFileWriteCopy(AnniFileGetFilename(), AnniFileContent(list), error);
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
  // (bar or bat mitzvah day, entry index) of every birthday, in list order.
  std::vector<std::pair<AbsoluteDay, int>> mitzvahDays;
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
  index.mitzvahDays.clear();
  for (size_t i = 0; i < index.list.size(); ++i) {
    const AnniversaryRec& rec = index.list[i];
    const HebrewDate event = HebrewFromAbsolute(AnniEventDay(rec));
    index.eventYears.push_back(event.year);
    if (rec.type == kAnniBirthday)
      index.mitzvahDays.emplace_back(AnniMitzvahDay(event, rec.batMitzvah, rec.adar), static_cast<int>(i));
  }
}

const std::vector<std::pair<AbsoluteDay, int>>& DaysInYear(DayIndex& index, int year) {
  auto it = index.byYear.find(year);
  if (it != index.byYear.end()) return it->second;
  if (index.byYear.size() >= kMaxCachedYears) index.byYear.clear();
  std::vector<std::pair<AbsoluteDay, int>> days;
  for (size_t i = 0; i < index.list.size(); ++i) {
    // No anniversary in the year of the event itself or before.
    if (year <= index.eventYears[i]) continue;
    for (AbsoluteDay day : AnniDaysInYear(index.list[i], year)) days.emplace_back(day, static_cast<int>(i));
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

std::vector<AnniversaryRec> AnniFileRecentLosses() {
  DayIndex& index = TheDayIndex();
  Refresh(index);
  std::vector<AnniversaryRec> losses;
  for (const AnniversaryRec& rec : index.list)
    if (rec.type == kAnniYortsayt && rec.burial) losses.push_back(rec);
  return losses;
}

std::vector<AnniversaryRec> AnniFileMitzvahsOnDay(AbsoluteDay day) {
  DayIndex& index = TheDayIndex();
  Refresh(index);
  std::vector<AnniversaryRec> birthdays;
  for (const auto& [mitzvahDay, i] : index.mitzvahDays)
    if (mitzvahDay == day) birthdays.push_back(index.list[static_cast<size_t>(i)]);
  return birthdays;
}
