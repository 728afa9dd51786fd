// The iCalendar format pieces and the properties of a whole export that the
// end-to-end test (an independent parser over a full year, with long and
// repeated names and the times against the zone database) does not see.
#include "compose/ics_export.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "base/diagnostics.h"
#include "base/settings.h"
#include "base/utf8.h"
#include "suntimes_env.h"

namespace {

std::vector<std::string> PhysicalLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t pos = 0; pos < text.size();) {
    const size_t end = text.find("\r\n", pos);
    lines.push_back(text.substr(pos, end - pos));
    if (end == std::string::npos) break;
    pos = end + 2;
  }
  return lines;
}

AbsoluteDay Day(int day, int month, int year) { return AbsoluteFromGregorian(day, month, year); }

TEST(IcsText, Escaping) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"a,b;c\\d", "a\\,b\\;c\\\\d"},
      {"one\ntwo", "one\\ntwo"},
      {"one\r\ntwo", "one\\ntwo"},  // CR LF is one break
      {"one\rtwo", "one\\ntwo"},
      {"a\tb", "a\tb"},
      {std::string("a\x01" "b\x7f" "c\0", 6), "a b c "},
      {"Birthday: \"x\"", "Birthday: \"x\""},
      {"\xF0\x9F\x95\x8E", "\xF0\x9F\x95\x8E"},
      {"Z\xFCrich", "Z\xEF\xBF\xBDrich"},                               // Latin-1 byte
      {"\xC0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD"},                         // overlong NUL
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},         // surrogate
      {"a\xE2\x82", "a\xEF\xBF\xBD\xEF\xBF\xBD"},                       // cut off at the end
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(IcsEscapeText(in), out) << in;

}

TEST(IcsText, Folding) {
  const std::string a75(75, 'a');
  EXPECT_EQ(IcsFoldLine(""), "\r\n");
  EXPECT_EQ(IcsFoldLine(a75), a75 + "\r\n");
  // A continuation line holds 74 octets after its space.
  EXPECT_EQ(IcsFoldLine(a75 + std::string(75, 'b')), a75 + "\r\n " + std::string(74, 'b') + "\r\n b\r\n");
  // A two-byte character across octets 75 and 76 moves whole to the next line.
  EXPECT_EQ(IcsFoldLine(std::string(74, 'a') + "\xD7\x90"), std::string(74, 'a') + "\r\n \xD7\x90\r\n");

  // Mixtures of one- to four-byte characters, up to 400 octets: short, full,
  // whole characters on each line, and the original back after unfolding.
  const std::vector<std::string> chars = {"a", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x95\x8E", ","};
  std::mt19937 rng(75);
  for (int round = 0; round < 400; ++round) {
    std::string line = "SUMMARY:";
    for (const size_t target = rng() % 400; line.size() < target;) line += chars[rng() % chars.size()];
    const std::string folded = IcsFoldLine(line);
    ASSERT_EQ(folded.substr(folded.size() - 2), "\r\n");
    const std::vector<std::string> physical = PhysicalLines(folded);
    std::string unfolded;
    for (size_t i = 0; i < physical.size(); ++i) {
      const std::string& p = physical[i];
      const std::string content = i == 0 ? p : p.substr(1);
      EXPECT_LE(p.size(), 75u);
      EXPECT_TRUE(i == 0 || p[0] == ' ');
      EXPECT_TRUE(i + 1 == physical.size() || p.size() >= 72u) << "a line not full: " << p;
      EXPECT_TRUE(IsValidUtf8(content)) << line;
      unfolded += content;
    }
    EXPECT_EQ(unfolded, line);
  }
}

TEST(IcsText, UidsAndUtcTimes) {
  // Hashes: published FNV-1a 64-bit test vectors.
  EXPECT_EQ(IcsUid(Day(29, 2, 2024), "holiday", ""), "20240229-holiday@lumaro.example.org");
  EXPECT_EQ(IcsUid(Day(1, 1, 1583), "anniversary", "a"), "15830101-anniversary-af63dc4c8601ec8c@lumaro.example.org");
  EXPECT_EQ(IcsUid(Day(31, 12, 3000), "x", "foobar"), "30001231-x-85944171f73967e8@lumaro.example.org");
  EXPECT_EQ(IcsUtcDateTime(Day(28, 6, 2024), 20 * 60 + 50, 1), "20240628T195000Z");
  EXPECT_EQ(IcsUtcDateTime(Day(5, 7, 2024), 5 * 60, 10), "20240704T190000Z");        // east, the day before in UTC
  EXPECT_EQ(IcsUtcDateTime(Day(31, 12, 2024), 20 * 60 + 1, -8), "20250101T040100Z");  // west, into the next year
  EXPECT_EQ(IcsUtcDateTime(Day(1, 3, 2024), 60, 2), "20240229T230000Z");              // back to a leap day
  EXPECT_EQ(IcsUtcDateTime(Day(28, 2, 2023), 24 * 60 + 10, 0), "20230301T001000Z");   // past midnight of its day
}

TEST(IcsCalendar, StopsAtAWriteError) {
  int calls = 0;
  const IcsResult r = IcsWriteCalendar(Day(1, 1, 2024), Day(31, 12, 2024), kIcsAllKinds, CurrentOptions(), [&](std::string_view) {
    return ++calls < 10;
  });
  EXPECT_FALSE(r.written);
  EXPECT_EQ(calls, 10);
  EXPECT_EQ(r.events, 8);  // header, then eight events, the ninth refused
  const IcsResult empty = IcsWriteCalendar(Day(2, 1, 2024), Day(1, 1, 2024), kIcsAllKinds, CurrentOptions(),
                                            [](std::string_view) { return true; });
  EXPECT_TRUE(empty.written);
  EXPECT_EQ(empty.events, 0);
}

}  // namespace
