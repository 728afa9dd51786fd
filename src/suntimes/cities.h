// The city file: one city a line, in ISO-8859-1, as
//
//   "Pforzheim", 48,53 N, 8,42 E, GMT+1, Europe/Berlin      # comment
//
// name in double quotes; latitude degrees, comma, minutes and N or S;
// longitude degrees, comma, minutes and E or W; GMT and the standard-time
// zone in whole hours; optionally a comma and the name of the city's zone in
// the time-zone database, then optional `key=value` fields, each after a
// comma:
//
//   "Jerusalem", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=40
//
// candles=MINUTES (the city's candle-lighting minutes), elevation=METRES and
// population=N (by which a new user is offered the most populous city of the
// system's zone) are known; other keys are ignored. What follows the zone hours (as ":30")
// is ignored, and so is a zone name that cannot be one, so files for older
// readers and older readers of these files keep working. Everything from "#" on is a
// comment. Parse errors are printed on the message stream (standard output
// unless redirected, base/diagnostics.h) as "File <name>, line <n>: <reason>"
// and the line is skipped.
//
// The parsed file is kept between calls, keyed by its file stamp, so an
// edited file is seen at the next call; the messages of a file are printed
// when it is (re)read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Longest city name in bytes, and longest line (without its comment).
constexpr size_t kCityMaxName = 255;
constexpr size_t kCityMaxLine = 512;

// True when `name` has the form of a zone name: parts of letters, digits,
// "_", "-" and "+", joined by "/" ("America/Argentina/Buenos_Aires",
// "Etc/GMT+5"); at most kCityMaxName bytes. Says nothing about whether the
// database knows it.
bool TimeZoneNameIsWellFormed(std::string_view name);

// One parsed line.
struct CityRec {
  std::string name;   // ISO-8859-1, accents 0x60 and 0xB4 replaced by "'"
  int latitude = 0;   // degrees * 100 + minutes, negative for S
  int longitude = 0;  // degrees * 100 + minutes, negative for W
  int gmtOffset = 0;  // whole hours east of Greenwich
  std::string zoneName;  // time-zone database name ("Europe/Berlin"), or empty
  // candles=MINUTES: the city's own custom, candles lit this many minutes
  // before sunset (Jerusalem 40), when the line gives it.
  std::optional<int> candleMinutes;
  // elevation=METRES: height above sea level, negative below it (the Dead
  // Sea shore), when the line gives it.
  std::optional<double> elevationMetres;
  // population=N: the inhabitants, when the line gives them.
  std::optional<long long> population;
};


// The accepted ranges of the fields (a value outside is reported).
constexpr int kCityMaxCandleMinutes = 99;
constexpr double kCityMinElevation = -500;  // the Dead Sea shore is at -430
constexpr double kCityMaxElevation = 9000;

// While one of these lives, lookups trust the file as it was at the first
// lookup in its lifetime instead of checking it for changes on every call:
// for one operation over many days (a dump, one repaint). Nests.
class CityFileSnapshot {
 public:
  CityFileSnapshot();
  ~CityFileSnapshot();
  CityFileSnapshot(const CityFileSnapshot&) = delete;
  CityFileSnapshot& operator=(const CityFileSnapshot&) = delete;
};

// Parses one line (comment already removed). Returns 1, or 0 with the reason
// in `error`. A field after the zone with a bad value gives 1 with the
// reason in `error`: the city is kept without that field.
int CityProcessLine(std::string_view line, CityRec* city, std::string* error);

// Looks `cityName` up (ignoring ASCII letter case; the first matching line
// wins). Returns 1 with the three values, or 0 leaving them untouched.
int CityGet(const std::string& fileName, std::string_view cityName, int* latitude, int* longitude, int* gmtOffset);
// The same, yielding the whole record.
int CityGet(const std::string& fileName, std::string_view cityName, CityRec* city);

// All city names of the file in UTF-8, sorted byte-wise, duplicates kept,
// after one empty element (the "no choice" entry of the location list).
// A file that cannot be read gives just the empty element.
std::vector<std::string> CityGetStringList(const std::string& fileName);

// Every city of the file in file order (names in the file's encoding); empty
// when the file cannot be read.
std::vector<CityRec> CityGetAll(const std::string& fileName);

// 1 when the text holds nothing but spaces (a tab is not blank).
int IsBlank(std::string_view text);
// Replaces each grave accent (0x60) and acute accent (0xB4) by an apostrophe.
void EliminateSpecialChars(std::string& text);

// A city name between the file's encoding and UTF-8 (for display and for
// storing a choice made in UTF-8). Latin1FromUtf8 fails (false) for text
// that is not valid UTF-8 or has characters outside ISO-8859-1.
std::string Utf8FromLatin1(std::string_view latin1);
bool Latin1FromUtf8(std::string_view utf8, std::string* latin1);
