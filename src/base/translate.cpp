#include "base/translate.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <unordered_map>
#include <vector>

#include "base/diagnostics.h"
#include "base/file_util.h"
#include "base/hebrew_points.h"
#include "base/utf8.h"

namespace {

struct Entry {
  std::string key;
  std::string value;
};

// ------------------------------------------------------------------ table

struct Table {
  std::deque<Entry> entries;  // oldest first; references stay valid on push_back
  std::unordered_map<std::string_view, const Entry*> newest;
  std::vector<const Entry*> replaceOrder;  // longest key first, newest first
  size_t replaceOrderFor = static_cast<size_t>(-1);

  const Entry& Add(std::string key, std::string value) {
    entries.push_back({std::move(key), std::move(value)});
    const Entry& e = entries.back();
    newest[std::string_view(e.key)] = &e;
    return e;
  }
  void Clear() {
    newest.clear();
    entries.clear();
    replaceOrder.clear();
    replaceOrderFor = static_cast<size_t>(-1);
  }
  const std::vector<const Entry*>& ReplaceOrder() {
    if (replaceOrderFor != entries.size()) {
      replaceOrder.clear();
      for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (!it->key.empty()) replaceOrder.push_back(&*it);
      std::stable_sort(replaceOrder.begin(), replaceOrder.end(),
                       [](const Entry* a, const Entry* b) { return a->key.size() > b->key.size(); });
      replaceOrderFor = entries.size();
    }
    return replaceOrder;
  }
};

Table& TheTable() {
  static Table table;
  return table;
}

// ------------------------------------------------------------------ parsing

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsComment(std::string_view line, size_t i) {
  return i < line.size() && (line[i] == '#' || (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '*'));
}

size_t SkipBlanks(std::string_view line, size_t i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
  return i;
}

std::string StripNewlines(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

void AppendCapped(std::string& value, std::string_view more) {
  value.append(more);
  if (value.size() > kTranslateMaxValue) value = CutUtf8(value, kTranslateMaxValue);
}

class FileParser {
 public:
  FileParser(const std::string& path, std::vector<Entry>& out) : path_(path), out_(out) {}

  void Run(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
      const int lineNo = static_cast<int>(i) + 1;
      const std::string& line = lines[i];
      const size_t first = SkipBlanks(line, 0);
      if (first == line.size() || IsComment(line, first)) continue;
      if (std::count(line.begin(), line.end(), '"') == 1) {
        if (line[0] == '"') {
          // A key split over two lines: join it with the next one.
          if (i + 1 < lines.size()) {
            std::string joined = line;
            if (!IsBlank(joined.back())) joined += ' ';
            joined += lines[++i];
            ParseEntry(joined, lineNo);
          } else {
            ParseEntry(line, lineNo);
          }
        } else {
          ParseContinuation(line, lineNo);
        }
        continue;
      }
      ParseEntry(line, lineNo);
    }
  }

 private:
  void Error(int lineNo, const char* reason) {
    DiagWarning("File " + std::string(path_.c_str()) + ", line " + std::to_string(lineNo) + ": " + reason + "\n");
  }

  void ParseEntry(std::string_view line, int lineNo) {
    size_t i = SkipBlanks(line, 0);
    if (i >= line.size() || line[i] != '"') return Error(lineNo, "\" (key start) expected");
    ++i;
    std::string key;
    while (i < line.size() && line[i] != '"') {
      if (line[i] == '\\') {
        ++i;
        if (i >= line.size()) break;
      }
      key += line[i++];
    }
    if (i >= line.size()) return Error(lineNo, "\" (key end) expected");
    i = SkipBlanks(line, i + 1);
    if (i >= line.size() || line[i] != '=') return Error(lineNo, "= (separator between key and value) expected");
    i = SkipBlanks(line, i + 1);
    if (i >= line.size() || line[i] != '"') return Error(lineNo, "\" (value start) expected");
    ++i;
    if (i < line.size() && line[i] == '"') ++i;
    const size_t valueStart = i;
    bool closed = false;
    while (i < line.size()) {
      if (line[i] == '"') {
        closed = true;
        break;
      }
      if (line[i] == '\\' && i + 1 < line.size()) ++i;  // the escaped character never ends the value
      i += Utf8LeadLength(static_cast<unsigned char>(line[i]));
    }
    const size_t valueEnd = std::min(i, line.size());
    if (closed) {
      i = SkipBlanks(line, i + 1);
      if (i < line.size() && !IsComment(line, i))
        return Error(lineNo, "Invalid characters after key-value-pair encountered");
    }
    std::string value;
    AppendCapped(value, line.substr(valueStart, valueEnd - valueStart));
    out_.push_back({std::move(key), std::move(value)});
  }

  void ParseContinuation(std::string_view line, int lineNo) {
    const size_t quote = line.find('"');
    if (quote > 0 && line[quote - 1] == '\\') return Error(lineNo, "Internal error: \" expected");
    const size_t after = SkipBlanks(line, quote + 1);
    if (after < line.size() && !IsComment(line, after))
      return Error(lineNo, "Invalid characters after key-value-pair encountered");
    if (out_.empty()) return Error(lineNo, "continuation line without an entry to continue");
    std::string& value = out_.back().value;
    if (!value.empty() && value.back() != ' ') AppendCapped(value, " ");
    AppendCapped(value, line.substr(0, quote));
  }

  const std::string& path_;
  std::vector<Entry>& out_;
};

std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    lines.push_back(StripNewlines(content.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

std::vector<Entry> ParseFile(const std::string& path, const std::string& content) {
  std::vector<Entry> entries;
  FileParser(path, entries).Run(SplitLines(content));
  return entries;
}

// ------------------------------------------------------------------ file cache

// Parsed files, reused while the file on disk is unchanged.
struct CachedFile {
  FileStamp stamp;
  std::vector<Entry> entries;
};

std::map<std::string, CachedFile>& FileCache() {
  static std::map<std::string, CachedFile> cache;
  return cache;
}

void AddEntries(const std::vector<Entry>& entries) {
  Table& t = TheTable();
  for (const Entry& e : entries) t.Add(e.key, e.value);
}

std::string TranslationPath(std::string_view prefix, std::string_view name) {
  const char* home = std::getenv("HOME");
  std::string path = home ? home : "";
  path += "/.lumaro/translations/";
  path += prefix;
  path += '.';
  path += name;
  return path;
}

// One replacement pass: every non-overlapping occurrence of key, left to right.
std::string ReplacePass(std::string_view text, std::string_view key, std::string_view value, size_t maxBytes) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t hit = text.find(key, i);
    if (hit == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, hit - i));
    out.append(value);
    i = hit + key.size();
    if (out.size() > maxBytes) break;
  }
  if (out.size() > maxBytes) out = CutUtf8(out, maxBytes);
  return out;
}

}  // namespace

void translate_internal_process_file(const std::string& path) {
  std::string content;
  if (!ReadWholeFile(path, content)) return;
  AddEntries(ParseFile(path, content));
}

namespace {

// The entries of a file, parsed once while it is unchanged; null when it
// is not a readable file.
const std::vector<Entry>* CachedEntries(const std::string& path) {
  const FileStamp stamp = FileStampOf(path);
  if (!stamp.regular) return nullptr;
  auto& cache = FileCache();
  auto it = cache.find(path);
  if (it == cache.end() || it->second.stamp != stamp) {
    std::string content;
    if (!ReadWholeFile(path, content)) return nullptr;
    CachedFile parsed{stamp, ParseFile(path, content)};
    it = cache.insert_or_assign(path, std::move(parsed)).first;
  }
  return &it->second.entries;
}

}  // namespace

void translate_init(std::string_view prefix, std::string_view shippedFolder) {
  Table& t = TheTable();
  t.Clear();
  if (prefix.empty() || !std::getenv("HOME")) return;
  for (std::string_view name : kTranslateFiles)
    if (const std::vector<Entry>* entries = CachedEntries(TranslationPath(prefix, name))) AddEntries(*entries);
  // The user's files are copies of an earlier version's, or the user's own:
  // they keep their entries, and the texts they lack come from the shipped files.
  if (shippedFolder.empty()) return;
  for (std::string_view name : kTranslateFiles) {
    const std::string path = std::string(shippedFolder) + "/" + std::string(prefix) + "." + std::string(name);
    const std::vector<Entry>* entries = CachedEntries(path);
    if (!entries) continue;
    for (const Entry& e : *entries)
      if (t.newest.find(e.key) == t.newest.end()) t.Add(e.key, e.value);
  }
}

void translate_done() { TheTable().Clear(); }

const std::string& translate_perform(std::string_view key) {
  Table& t = TheTable();
  auto it = t.newest.find(key);
  if (it != t.newest.end()) return it->second->value;
  return t.Add(std::string(key), std::string(key)).value;
}

size_t translate_internal_entry_count() { return TheTable().entries.size(); }

std::string translate_replace(std::string_view source, size_t maxBytes) {
  std::string text = CutUtf8(source, maxBytes);
  for (const Entry* e : TheTable().ReplaceOrder()) {
    for (int pass = 0; pass < 11; ++pass) {
      if (text.find(e->key) == std::string::npos) break;
      text = ReplacePass(text, e->key, e->value, maxBytes);
    }
  }
  return text;
}

std::string translate_internal_composite(std::string_view name, size_t dstSize, std::string_view source) {
  std::string out;
  const HebrewPointsResult result = ComposeHebrewPoints(source, dstSize > 0 ? dstSize - 1 : 0, out);
  if (result == HebrewPointsResult::kSourceInvalid) {
    // As printf's %s would show them: up to the first NUL.
    const std::string_view shownName = name.substr(0, name.find('\0'));
    const std::string_view shownSource = source.substr(0, source.find('\0'));
    DiagMessage("Error in " + std::string(shownName) + " -> " + std::string(shownSource) +
                " (length: " + std::to_string(static_cast<int>(source.size())) + ")\n");
  }
  if (result != HebrewPointsResult::kOk) return std::string();
  return out;
}
