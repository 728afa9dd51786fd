#include "suntimes/cities.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "base/diagnostics.h"
#include "base/file_util.h"
#include "base/iconv_handle.h"

namespace {

bool IsZoneNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '+';
}

constexpr std::string_view kErrBeginName = "Begin of city name (\") expected";
constexpr std::string_view kErrEndName = "End of city name (\") expected";
constexpr std::string_view kErrCommaName = "Comma (,) after city name expected";
constexpr std::string_view kErrCommaLatitude = "Comma (,) after latitude hour expected";
constexpr std::string_view kErrNorthSouth = "N or S in latitude expected";
constexpr std::string_view kErrCommaNorthSouth = "Comma (,) after N/S expected";
constexpr std::string_view kErrCommaLongitude = "Comma (,) after longitude hour expected";
constexpr std::string_view kErrEastWest = "W or E in latitude expected";
constexpr std::string_view kErrCommaEastWest = "Comma (,) after W/E expected";
constexpr std::string_view kErrGmt = "GMT expected";
constexpr std::string_view kErrZoneSign = "+ or - in GMT zone expected";
constexpr std::string_view kErrNameTooLong = "City name too long";
constexpr std::string_view kErrLineTooLong = "Line too long";
constexpr std::string_view kErrNumberTooLarge = "Number too large";
constexpr std::string_view kErrNulByte = "NUL byte in line";
constexpr std::string_view kErrCandles = "candles= must be whole minutes from 0 to 99";
constexpr std::string_view kErrElevation = "elevation= must be metres from -500 to 9000";
constexpr std::string_view kErrPopulation = "population= must be a whole number of inhabitants";

// Largest value of one digit field (degrees, minutes or zone hours). Real
// values have at most three digits; the cap keeps the packed values in range.
constexpr int kMaxField = 9999;

// ------------------------------------------------------------------ iconv

bool Convert(const char* to, const char* from, std::string_view in, size_t outMax, std::string* out) {
  return IconvHandle(to, from).Convert(in, outMax, *out);
}

// ------------------------------------------------------------------ line grammar

// A cursor over one line; at() gives 0 past the end.
class Cursor {
 public:
  explicit Cursor(std::string_view line) : line_(line) {}
  char at() const { return pos_ < line_.size() ? line_[pos_] : '\0'; }
  bool atEnd() const { return pos_ >= line_.size(); }
  void next() { ++pos_; }
  void skipSpaces() {
    while (at() == ' ') next();
  }
  // Accepts the character `c` and moves past it.
  bool take(char c) {
    if (at() != c) return false;
    next();
    return true;
  }
  // Decimal digits (none gives 0). False when the value exceeds kMaxField.
  bool digits(int* value) {
    int v = 0;
    bool ok = true;
    while (at() >= '0' && at() <= '9') {
      if (v <= kMaxField) v = v * 10 + (at() - '0');
      next();
    }
    if (v > kMaxField) ok = false;
    *value = v;
    return ok;
  }
  // Letters A..Z, a..z as one word.
  std::string_view word() {
    return word([](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
  }
  // The characters for which `in` holds, as one word.
  template <typename Pred>
  std::string_view word(Pred in) {
    const size_t start = pos_;
    while (!atEnd() && in(at())) next();
    return line_.substr(start, pos_ - start);
  }
  // The rest of the line.
  std::string_view remaining() const { return line_.substr(std::min(pos_, line_.size())); }
  // Everything up to the next `c`; false when the line ends first.
  bool until(char c, std::string_view* text) {
    const size_t end = line_.find(c, pos_);
    if (end == std::string_view::npos) return false;
    *text = line_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return true;
  }

 private:
  std::string_view line_;
  size_t pos_ = 0;
};

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = Upper(c);
  return s;
}

// "degrees,minutes L": the degrees directly followed by a comma, then
// optional spaces, minutes, optional spaces and one of the two letters.
// Returns the packed value, negated for `negative`.
bool ParseCoordinate(Cursor& c, std::string_view commaError, char positive, char negative, std::string_view letterError,
                     int* packed, std::string* error) {
  int degrees = 0, minutes = 0;
  if (!c.digits(&degrees)) {
    *error = kErrNumberTooLarge;
    return false;
  }
  if (!c.take(',')) {
    *error = commaError;
    return false;
  }
  c.skipSpaces();
  if (!c.digits(&minutes)) {
    *error = kErrNumberTooLarge;
    return false;
  }
  c.skipSpaces();
  const char letter = Upper(c.at());
  if (letter != positive && letter != negative) {
    *error = letterError;
    return false;
  }
  c.next();
  *packed = degrees * 100 + minutes;
  if (letter == negative) *packed = -*packed;
  return true;
}

// Optional spaces, a comma, optional spaces.
bool ParseSeparator(Cursor& c, std::string_view commaError, std::string* error) {
  c.skipSpaces();
  if (!c.take(',')) {
    *error = commaError;
    return false;
  }
  c.skipSpaces();
  return true;
}

// ------------------------------------------------------------------ fields after the zone

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole number in [low, high], nothing else.
bool ParseIntField(std::string_view text, int low, int high, int* value) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  *value = v;
  return true;
}

// A decimal number with an optional minus sign ("-430", "12.5") in [low,
// high], nothing else.
bool ParseNumberField(std::string_view text, double low, double high, double* value) {
  const bool validChars = !text.empty() && text.find_first_not_of("-.0123456789") == std::string_view::npos;
  double v = 0;
  if (!validChars) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !(v >= low && v <= high)) return false;
  *value = v;
  return true;
}

struct FieldRule {
  std::string_view key;
  std::string_view badValue;  // the message for a value that is not one
  bool (*apply)(std::string_view value, CityRec* rec);
};

constexpr FieldRule kFieldRules[] = {
    {"candles", kErrCandles,
     [](std::string_view value, CityRec* rec) {
       int minutes = 0;
       if (!ParseIntField(value, 0, kCityMaxCandleMinutes, &minutes)) return false;
       rec->candleMinutes = minutes;
       return true;
     }},
    {"elevation", kErrElevation,
     [](std::string_view value, CityRec* rec) {
       double metres = 0;
       if (!ParseNumberField(value, kCityMinElevation, kCityMaxElevation, &metres)) return false;
       rec->elevationMetres = metres;
       return true;
     }},
    {"population", kErrPopulation,
     [](std::string_view value, CityRec* rec) {
       long long people = 0;
       const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), people);
       if (value.empty() || ec != std::errc() || end != value.data() + value.size() || people < 0) return false;
       rec->population = people;
       return true;
     }},
};

// "zone, key=value, key=value ...": the first field is the zone name unless
// its first word holds "="; a zone that cannot be one is ignored, so are
// unknown keys and fields without "=". Bad values are collected in `error`.
void ParseFields(std::string_view text, CityRec* rec, std::string* error) {
  bool first = true;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view field = TrimBlanks(text.substr(0, comma));
    const size_t eq = field.find('=');
    // The zone is the first word ("Europe/Berlin more" names Europe/Berlin).
    const std::string_view firstWord = field.substr(0, field.find_first_of(" \t"));
    if (first && firstWord.find('=') == std::string_view::npos) {
      if (TimeZoneNameIsWellFormed(firstWord)) rec->zoneName = std::string(firstWord);
    } else if (eq != std::string_view::npos) {
      const std::string_view key = TrimBlanks(field.substr(0, eq));
      const std::string_view value = TrimBlanks(field.substr(eq + 1));
      for (const FieldRule& rule : kFieldRules) {
        if (key != rule.key || rule.apply(value, rec)) continue;
        if (!error->empty()) *error += "; ";
        *error += rule.badValue;
      }
    }
    first = false;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
}

// ------------------------------------------------------------------ the parsed file

struct ParsedFile {
  std::vector<CityRec> cities;  // in file order
  std::unordered_map<std::string, size_t> firstByUpperName;
};

// Walks the lines of `data`: each line up to the first CR or LF, the line
// number counting line feeds, comments cut and blank lines skipped. Lines
// that do not parse are reported and skipped.
ParsedFile ParseCityFile(const std::string& fileName, std::string_view data) {
  ParsedFile parsed;
  size_t pos = 0;
  int lineNo = 1;
  while (pos < data.size()) {
    size_t end = data.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = data.size();
    std::string_view line = data.substr(pos, end - pos);
    line = line.substr(0, line.find('#'));
    if (!IsBlank(line)) {
      CityRec city;
      std::string error;
      if (line.size() > kCityMaxLine) {
        error = kErrLineTooLong;
      } else if (line.find('\0') != std::string_view::npos) {
        error = kErrNulByte;
      } else if (CityProcessLine(line, &city, &error)) {
        parsed.firstByUpperName.emplace(UpperAscii(city.name), parsed.cities.size());
        parsed.cities.push_back(std::move(city));
      }
      if (!error.empty()) {
        DiagMessage("File " + std::string(fileName.c_str()) + ", line " + std::to_string(lineNo) + ": " +
                    std::string(error.c_str()) + "\n");
      }
    }
    pos = end;
    while (pos < data.size() && (data[pos] == '\r' || data[pos] == '\n')) {
      if (data[pos] == '\n') ++lineNo;
      ++pos;
    }
  }
  return parsed;
}

// The last file read, and what the file system said about it then.
struct CityFileCache {
  std::string path;
  bool valid = false;
  bool readable = false;
  FileStamp stamp;
  unsigned snapshot = 0;  // the snapshot in which the file was last checked
  ParsedFile parsed;
};

CityFileCache gCache;

// Snapshot nesting depth, and a number for each outermost snapshot.
int gSnapshotDepth = 0;
unsigned gSnapshotNumber = 0;

// The parsed content of `fileName`, or null when it cannot be read (the
// message is printed when that state is first seen).
const ParsedFile* LoadCityFile(const std::string& fileName) {
  CityFileCache& c = gCache;
  if (gSnapshotDepth > 0 && c.valid && c.path == fileName && c.snapshot == gSnapshotNumber)
    return c.readable ? &c.parsed : nullptr;
  const FileStamp stamp = FileStampOf(fileName);
  const bool exists = stamp.exists;
  if (c.valid && c.path == fileName) {
    c.snapshot = gSnapshotNumber;
    if (!exists && !c.readable) return nullptr;
    if (exists && c.readable && c.stamp == stamp) return &c.parsed;
  }
  c = CityFileCache{};
  c.path = fileName;
  c.valid = true;
  c.snapshot = gSnapshotNumber;
  std::string data;
  if (!exists || !ReadWholeFile(fileName, data)) {
    DiagMessage("File " + std::string(fileName.c_str()) + " could not be opened\n");
    return nullptr;
  }
  c.readable = true;
  c.stamp = stamp;
  c.parsed = ParseCityFile(fileName, data);
  return &c.parsed;
}

const CityRec* FindCity(const std::string& fileName, std::string_view cityName) {
  const ParsedFile* parsed = LoadCityFile(fileName);
  if (!parsed) return nullptr;
  const auto it = parsed->firstByUpperName.find(UpperAscii(cityName));
  return it == parsed->firstByUpperName.end() ? nullptr : &parsed->cities[it->second];
}

}  // namespace

bool TimeZoneNameIsWellFormed(std::string_view name) {
  if (name.empty() || name.size() > kCityMaxName) return false;
  bool partStart = true;
  for (const char c : name) {
    if (c == '/') {
      if (partStart) return false;  // an empty part, or a leading "/"
      partStart = true;
    } else if (IsZoneNameChar(c)) {
      partStart = false;
    } else {
      return false;
    }
  }
  return !partStart;
}

CityFileSnapshot::CityFileSnapshot() {
  if (gSnapshotDepth++ == 0) ++gSnapshotNumber;
}

CityFileSnapshot::~CityFileSnapshot() { --gSnapshotDepth; }

int IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; }) ? 1 : 0;
}

void EliminateSpecialChars(std::string& text) {
  for (char& c : text) {
    if (c == '\x60' || c == '\xB4') c = '\'';
  }
}

int CityProcessLine(std::string_view line, CityRec* city, std::string* error) {
  Cursor c(line);
  c.skipSpaces();
  if (!c.take('"')) {
    *error = kErrBeginName;
    return 0;
  }
  std::string_view name;
  if (!c.until('"', &name)) {
    *error = kErrEndName;
    return 0;
  }
  if (name.size() > kCityMaxName) {
    *error = kErrNameTooLong;
    return 0;
  }
  CityRec rec;
  rec.name = std::string(name);
  EliminateSpecialChars(rec.name);
  if (!ParseSeparator(c, kErrCommaName, error)) return 0;
  if (!ParseCoordinate(c, kErrCommaLatitude, 'N', 'S', kErrNorthSouth, &rec.latitude, error)) return 0;
  if (!ParseSeparator(c, kErrCommaNorthSouth, error)) return 0;
  if (!ParseCoordinate(c, kErrCommaLongitude, 'E', 'W', kErrEastWest, &rec.longitude, error)) return 0;
  if (!ParseSeparator(c, kErrCommaEastWest, error)) return 0;
  if (UpperAscii(c.word()) != "GMT") {
    *error = kErrGmt;
    return 0;
  }
  // GMT alone (at the end or before a space) is zone 0; otherwise a sign and
  // whole hours, and whatever follows (as ":30") is ignored.
  if (!c.atEnd() && c.at() != ' ') {
    const bool east = c.at() == '+';
    if (!east && c.at() != '-') {
      *error = kErrZoneSign;
      return 0;
    }
    c.next();
    int hours = 0;
    if (!c.digits(&hours)) {
      *error = kErrNumberTooLarge;
      return 0;
    }
    rec.gmtOffset = east ? hours : -hours;
  }
  // After the next comma: the zone name, then key=value fields, separated
  // by commas. A bad field value is reported; the city is kept without it.
  std::string_view rest;
  if (c.until(',', &rest)) ParseFields(c.remaining(), &rec, error);
  *city = std::move(rec);
  return 1;
}

int CityGet(const std::string& fileName, std::string_view cityName, CityRec* city) {
  const CityRec* found = FindCity(fileName, cityName);
  if (!found) return 0;
  *city = *found;
  return 1;
}

int CityGet(const std::string& fileName, std::string_view cityName, int* latitude, int* longitude, int* gmtOffset) {
  const CityRec* found = FindCity(fileName, cityName);
  if (!found) return 0;
  *latitude = found->latitude;
  *longitude = found->longitude;
  *gmtOffset = found->gmtOffset;
  return 1;
}

std::vector<std::string> CityGetStringList(const std::string& fileName) {
  std::vector<std::string> names(1);
  const ParsedFile* parsed = LoadCityFile(fileName);
  if (!parsed) return names;
  names.reserve(parsed->cities.size() + 1);
  for (const CityRec& city : parsed->cities) names.push_back(Utf8FromLatin1(city.name));
  // The empty element sorts first.
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<CityRec> CityGetAll(const std::string& fileName) {
  const ParsedFile* parsed = LoadCityFile(fileName);
  return parsed ? parsed->cities : std::vector<CityRec>();
}

std::string Utf8FromLatin1(std::string_view latin1) {
  std::string out;
  // Every ISO-8859-1 byte is one character of at most two UTF-8 bytes.
  if (!Convert("UTF-8", "ISO-8859-1", latin1, latin1.size() * 2, &out)) return {};
  return out;
}

bool Latin1FromUtf8(std::string_view utf8, std::string* latin1) {
  std::string out;
  if (!Convert("ISO-8859-1", "UTF-8", utf8, utf8.size(), &out)) return false;
  *latin1 = std::move(out);
  return true;
}
