// Expected offsets from the system's own zdump, run at test time: an
// independent reader of the same zoneinfo files the program reads.
#pragma once

#include <gtest/gtest.h>
#include <stdio.h>
#include <time.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace zdump {

// One line of "zdump -v": an instant, and the local time and offset then.
struct Line {
  int64_t utc = 0;  // seconds since 1970
  struct tm local {};
  int offset = 0;  // gmtoff, seconds east
};

// "Sun Mar 10 07:00:00 2024" (month name and numbers) into *t.
inline bool ToTm(const char* month, int day, int h, int m, int s, int year, struct tm* t) {
  const char* p = std::strstr("JanFebMarAprMayJunJulAugSepOctNovDec", month);
  if (!p || std::strlen(month) != 3) return false;
  *t = {};
  t->tm_year = year - 1900, t->tm_mon = static_cast<int>(p - "JanFebMarAprMayJunJulAugSepOctNovDec") / 3;
  t->tm_mday = day, t->tm_hour = h, t->tm_min = m, t->tm_sec = s;
  return true;
}

// "zdump -v -c FROM,TO ZONE": each transition in years FROM..TO-1 as two
// lines, one second before it and at it. Fails the test when (`required`)
// it lists nothing.
inline std::vector<Line> Transitions(const std::string& zone, int fromYear, int toYear, bool required = true) {
  std::vector<Line> lines;
  const std::string command =
      "zdump -v -c " + std::to_string(fromYear) + "," + std::to_string(toYear) + " '" + zone + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
    char um[8], lm[8];
    int ud, uh, umi, us, uy, ld, lh, lmi, ls, ly, dst;
    Line line;
    struct tm utc {};
    if (std::sscanf(buffer, "%*s %*s %3s %d %d:%d:%d %d UT = %*s %3s %d %d:%d:%d %d %*s isdst=%d gmtoff=%d", um, &ud,
                    &uh, &umi, &us, &uy, lm, &ld, &lh, &lmi, &ls, &ly, &dst, &line.offset) != 14 ||
        !ToTm(um, ud, uh, umi, us, uy, &utc) || !ToTm(lm, ld, lh, lmi, ls, ly, &line.local))
      continue;  // "= NULL" lines
    line.utc = static_cast<int64_t>(timegm(&utc));
    lines.push_back(line);
  }
  if (pipe) pclose(pipe);
  if (lines.empty() && required) ADD_FAILURE() << "no transitions from: " << command;
  return lines;
}

// The offset in force at `utc`: that of the last zdump line not after it,
// or else that of the line a second before the first change after it (the
// years around the instant first, then ever more of them).
inline int OffsetAt(const std::string& zone, int64_t utc) {
  const time_t seconds = static_cast<time_t>(utc);
  struct tm t {};
  gmtime_r(&seconds, &t);
  const int year = t.tm_year + 1900;
  std::vector<Line> lines = Transitions(zone, year - 1, year + 2, false);
  if (lines.empty()) lines = Transitions(zone, 1500, year + 2, false);
  if (lines.empty()) lines = Transitions(zone, 1500, 3001);
  int offset = lines.empty() ? 0 : lines.front().offset;
  for (const Line& line : lines)
    if (line.utc <= utc) offset = line.offset;
  return offset;
}

// Seconds since 1970 of a UTC date and time.
inline int64_t Utc(int year, int month, int day, int hour = 0, int minute = 0) {
  struct tm t {};
  t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = day, t.tm_hour = hour, t.tm_min = minute;
  return static_cast<int64_t>(timegm(&t));
}

}  // namespace zdump
