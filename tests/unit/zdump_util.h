// Expected offsets from the system's own zdump, run at test time: an
// independent reader of the same zoneinfo files the program reads.
#pragma once

#include <gtest/gtest.h>
#include <stdio.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace zdump {

// One line of "zdump -v": an instant, and the local time and offset then.
struct Line {
  int64_t utc = 0;  // seconds since 1970
  struct tm local {};  // tm_year + 1900, tm_mon + 1, tm_mday, tm_hour, tm_min, tm_sec
  int offset = 0;   // gmtoff, seconds east
  bool summer = false;
};

inline int MonthNumber(const std::string& name) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int i = 0; i < 12; ++i)
    if (name == kMonths[i]) return i;
  return -1;
}

// "Sun Mar 10 07:00:00 2024" read from the stream into *t; false if malformed.
inline bool ReadTime(std::istringstream& in, struct tm* t) {
  std::string weekday, month, clock;
  int day = 0, year = 0;
  if (!(in >> weekday >> month >> day >> clock >> year)) return false;
  int h = 0, m = 0, s = 0;
  if (std::sscanf(clock.c_str(), "%d:%d:%d", &h, &m, &s) != 3 || MonthNumber(month) < 0) return false;
  *t = {};
  t->tm_year = year - 1900;
  t->tm_mon = MonthNumber(month);
  t->tm_mday = day;
  t->tm_hour = h;
  t->tm_min = m;
  t->tm_sec = s;
  return true;
}

struct PipeCloser {
  void operator()(FILE* f) const {
    if (f) pclose(f);
  }
};

// "zdump -v -c FROM,TO ZONE": each transition in years FROM..TO-1 as two
// lines, one second before it and at it. Fails the test when zdump cannot
// be run or (when `required`) lists nothing.
inline std::vector<Line> Transitions(const std::string& zone, int fromYear, int toYear, bool required = true) {
  std::vector<Line> lines;
  const std::string command =
      "zdump -v -c " + std::to_string(fromYear) + "," + std::to_string(toYear) + " '" + zone + "' 2>/dev/null";
  std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
  if (!pipe) {
    ADD_FAILURE() << "cannot run: " << command;
    return lines;
  }
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe.get())) {
    std::istringstream in(buffer);
    std::string name, ut, equals, abbreviation, isdst, gmtoff;
    struct tm utc {};
    Line line;
    if (!(in >> name) || !ReadTime(in, &utc) || !(in >> ut >> equals) || ut != "UT") continue;  // "= NULL" lines
    if (!ReadTime(in, &line.local) || !(in >> abbreviation >> isdst >> gmtoff)) continue;
    if (isdst.rfind("isdst=", 0) != 0 || gmtoff.rfind("gmtoff=", 0) != 0) continue;
    line.utc = static_cast<int64_t>(timegm(&utc));
    line.summer = isdst == "isdst=1";
    line.offset = std::atoi(gmtoff.c_str() + 7);
    lines.push_back(line);
  }
  if (lines.empty() && required) ADD_FAILURE() << "no transitions from: " << command;
  return lines;
}

// The offset in force at `utc` (years 1500..3000): that of the last zdump
// line not after it, or else the offset that held until the first change
// after it (the line a second before that change). The years around the
// instant are asked first, then ever more of them.
inline int OffsetAt(const std::string& zone, int64_t utc) {
  struct tm t {};
  const time_t seconds = static_cast<time_t>(utc);
  gmtime_r(&seconds, &t);
  const int year = t.tm_year + 1900;
  std::vector<Line> lines = Transitions(zone, year - 1, year + 2, false);
  if (lines.empty()) lines = Transitions(zone, 1500, year + 2, false);
  if (lines.empty()) lines = Transitions(zone, 1500, 3001);
  if (lines.empty()) return 0;
  int offset = lines.front().offset;
  for (const Line& line : lines) {
    if (line.utc > utc) break;
    offset = line.offset;
  }
  return offset;
}

// Seconds since 1970 of a UTC date and time.
inline int64_t Utc(int year, int month, int day, int hour = 0, int minute = 0) {
  struct tm t {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  return static_cast<int64_t>(timegm(&t));
}

}  // namespace zdump
