// The iCalendar format pieces and the properties of a whole export that the
// end-to-end test (an independent parser over a full year, with long and
// repeated names and the times against the zone database) does not see.
#include "compose/ics_export.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

AbsoluteDay Day(int day, int month, int year) { return AbsoluteFromGregorian(day, month, year); }

TEST(IcsText, Escaping) {
  for (const auto& f : testenv::CaseRows("ics_escape.tsv"))
    EXPECT_EQ(IcsEscapeText(f.at(0) == "-" ? "" : f[0]), f.at(1) == "-" ? "" : f[1]) << f[0];
}

TEST(IcsText, Folding) {
  const std::string a75(75, 'a');
  EXPECT_EQ(IcsFoldLine("") + IcsFoldLine(a75), "\r\n" + a75 + "\r\n");
  // A two-byte character across octets 75 and 76 moves whole to the next line.
  EXPECT_EQ(IcsFoldLine(std::string(74, 'a') + "\xD7\x90"), std::string(74, 'a') + "\r\n \xD7\x90\r\n");

  // Mixtures of one- to four-byte characters, up to 400 octets: short, full
  // lines of whole characters, and the original back after unfolding.
  const std::vector<std::string> chars = {"a", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x95\x8E", ","};
  std::mt19937 rng(75);
  for (int round = 0; round < 400; ++round) {
    std::string line = "SUMMARY:";
    for (const size_t target = rng() % 400; line.size() < target;) line += chars[rng() % chars.size()];
    const std::string folded = IcsFoldLine(line);
    std::vector<std::string> physical = testenv::Lines(folded);
    std::string unfolded;
    for (size_t i = 0; i < physical.size(); ++i) {
      std::string& p = physical[i];
      ASSERT_EQ(p.back(), '\r');
      p.pop_back();
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
  for (const auto& f : testenv::CaseRows("ics_uid_utc.tsv")) {
    const AbsoluteDay day = *testdata::IsoDay(f.at(1));
    EXPECT_EQ(f[0] == "uid" ? IcsUid(day, f.at(2), f.at(3) == "-" ? "" : f[3])
                            : IcsUtcDateTime(day, std::stoi(f.at(2)), std::stoi(f.at(3))),
              f.at(4))
        << f[1];
  }
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
  EXPECT_EQ(empty.events, 0);  // a range ending before it starts
}

}  // namespace
