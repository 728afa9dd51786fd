#include "storage/ics_export.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "storage/settings.h"
#include "storage/translate.h"
#include "suntimes/sunrise.h"
#include "suntimes_env.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// ------------------------------------------------------------ helpers

// True when `text` is valid UTF-8, judged by the C library's converter.
bool IsValidUtf8(const std::string& text) {
  iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string in = text;
  std::vector<char> out(text.size() * 4 + 4);
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  return r != static_cast<size_t>(-1) && inLeft == 0;
}

std::vector<std::string> PhysicalLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// Content lines with the folding undone.
std::vector<std::string> Unfold(const std::string& text) {
  std::vector<std::string> lines;
  for (const std::string& line : PhysicalLines(text)) {
    if (!line.empty() && line[0] == ' ' && !lines.empty()) {
      lines.back() += line.substr(1);
    } else {
      lines.push_back(line);
    }
  }
  return lines;
}

// A TEXT value read back: "\n" is a line break, a backslash keeps the next character.
std::string Unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      ++i;
      out += value[i] == 'n' || value[i] == 'N' ? '\n' : value[i];
    } else {
      out += value[i];
    }
  }
  return out;
}

// One event: property name (with parameters) -> values.
using Event = std::multimap<std::string, std::string>;

std::vector<Event> Events(const std::string& calendar) {
  std::vector<Event> events;
  bool inside = false;
  for (const std::string& line : Unfold(calendar)) {
    if (line == "BEGIN:VEVENT") {
      EXPECT_FALSE(inside) << "nested event";
      inside = true;
      events.emplace_back();
    } else if (line == "END:VEVENT") {
      EXPECT_TRUE(inside);
      inside = false;
    } else if (inside) {
      const size_t colon = line.find(':');
      EXPECT_NE(colon, std::string::npos) << line;
      events.back().emplace(line.substr(0, colon), line.substr(colon + 1));
    }
  }
  EXPECT_FALSE(inside) << "an event is not closed";
  return events;
}

std::string One(const Event& e, const std::string& name) {
  EXPECT_EQ(e.count(name), 1u) << name << " in event " << (e.count("UID") ? e.find("UID")->second : "?");
  const auto it = e.find(name);
  return it == e.end() ? std::string() : it->second;
}

// The events of a calendar by UID.
std::map<std::string, Event> ByUid(const std::string& calendar) {
  std::map<std::string, Event> byUid;
  for (const Event& e : Events(calendar)) EXPECT_TRUE(byUid.emplace(One(e, "UID"), e).second) << One(e, "UID");
  return byUid;
}

// The event of `uidKind` on a date ("20240423"), or null.
const Event* Find(const std::map<std::string, Event>& events, const std::string& date, const std::string& uidKind) {
  const auto it = events.find(date + "-" + uidKind + "@lumaro.example.org");
  return it == events.end() ? nullptr : &it->second;
}
// The same, failing the test (and giving an empty event) when there is none.
const Event& Get(const std::map<std::string, Event>& events, const std::string& date, const std::string& uidKind) {
  static const Event kNone;
  const Event* e = Find(events, date, uidKind);
  if (!e) ADD_FAILURE() << "no " << uidKind << " on " << date;
  return e ? *e : kNone;
}

AbsoluteDay Day(int day, int month, int year) { return AbsoluteFromGregorian(day, month, year); }

// The day of "YYYYMMDD..." text.
AbsoluteDay DayOf(const std::string& text) {
  int v[3] = {0, 0, 0};
  const size_t at[3] = {0, 4, 6}, len[3] = {4, 2, 2};
  for (int i = 0; i < 3; ++i) {
    const char* first = text.data() + std::min(text.size(), at[i]);
    const char* last = text.data() + std::min(text.size(), at[i] + len[i]);
    EXPECT_EQ(std::from_chars(first, last, v[i]).ptr, last) << text;
  }
  return Day(v[2], v[1], v[0]);
}

// ------------------------------------------------------------ text

TEST(IcsText, EscapingTable) {
  struct Case {
    const char* what;
    std::string in, out;
  } cases[] = {
      {"plain", "Pesakh I", "Pesakh I"},
      {"empty", "", ""},
      {"the three escaped characters", "a,b;c\\d", "a\\,b\\;c\\\\d"},
      {"line feed", "one\ntwo", "one\\ntwo"},
      {"CR LF is one break", "one\r\ntwo", "one\\ntwo"},
      {"lone CR", "one\rtwo", "one\\ntwo"},
      {"tab kept", "a\tb", "a\tb"},
      {"other controls", std::string("a\x01" "b\x1f" "c\x7f", 6), "a b c "},
      {"NUL", std::string("a\0b", 3), "a b"},
      {"colon and quote need nothing", "Birthday: \"x\"", "Birthday: \"x\""},
      {"Hebrew", "\xD7\xA4\xD7\xA1\xD7\x97", "\xD7\xA4\xD7\xA1\xD7\x97"},
      {"four-byte character", "\xF0\x9F\x95\x8E", "\xF0\x9F\x95\x8E"},
      {"Latin-1 byte", "Z\xFCrich", "Z\xEF\xBF\xBDrich"},
      {"overlong NUL", "\xC0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"cut-off character at the end", "a\xE2\x82", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) EXPECT_EQ(IcsEscapeText(c.in), c.out) << c.what;
}

TEST(IcsText, EscapingRoundTripsAndIsAlwaysUtf8) {
  // Valid text without CR or controls comes back unchanged after unescaping.
  const std::vector<std::string> pieces = {"a", ",", ";", "\\", "\n", "\\n", "\xC3\xA4", "\xD7\x90", "\xF0\x9F\x95\x8E", " "};
  std::mt19937 rng(14);
  for (int round = 0; round < 500; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
    const std::string escaped = IcsEscapeText(text);
    EXPECT_EQ(Unescape(escaped), text) << text;
    EXPECT_EQ(escaped.find('\n'), std::string::npos);
  }
  // Any bytes at all give valid UTF-8.
  for (int round = 0; round < 500; ++round) {
    std::string bytes;
    const int n = static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) bytes += static_cast<char>(rng() % 256);
    EXPECT_TRUE(IsValidUtf8(IcsEscapeText(bytes)));
  }
}

TEST(IcsText, FoldingExactLimits) {
  const std::string a75(75, 'a');
  EXPECT_EQ(IcsFoldLine(a75), a75 + "\r\n");
  EXPECT_EQ(IcsFoldLine(a75 + "b"), a75 + "\r\n b\r\n");
  // The continuation line holds 74 octets after its space.
  EXPECT_EQ(IcsFoldLine(a75 + std::string(75, 'b')), a75 + "\r\n " + std::string(74, 'b') + "\r\n b\r\n");
  EXPECT_EQ(IcsFoldLine(""), "\r\n");
  // A two-byte character across octets 75 and 76 moves whole to the next line.
  const std::string alef = "\xD7\x90";
  EXPECT_EQ(IcsFoldLine(std::string(74, 'a') + alef), std::string(74, 'a') + "\r\n " + alef + "\r\n");
}

TEST(IcsText, FoldingPropertiesOverManyLines) {
  // Mixtures of one- to four-byte characters, of every length up to 400 octets.
  const std::vector<std::string> chars = {"a", "\xC3\xA4", "\xD7\xA9", "\xE2\x82\xAC", "\xF0\x9F\x95\x8E", ","};
  std::mt19937 rng(75);
  for (int round = 0; round < 400; ++round) {
    std::string line = "SUMMARY:";
    const size_t target = rng() % 400;
    while (line.size() < target) line += chars[rng() % chars.size()];
    const std::string folded = IcsFoldLine(line);
    ASSERT_GE(folded.size(), 2u);
    EXPECT_EQ(folded.substr(folded.size() - 2), "\r\n");
    const std::vector<std::string> physical = PhysicalLines(folded);
    std::string unfolded;
    for (size_t i = 0; i < physical.size(); ++i) {
      const std::string& p = physical[i];
      EXPECT_LE(p.size(), 75u) << line;
      EXPECT_EQ(p.find_first_of("\r\n"), std::string::npos);
      const std::string content = i == 0 ? p : p.substr(1);
      if (i > 0) {
        EXPECT_EQ(p[0], ' ');
      }
      // Whole characters only on every line, and lines as full as they can be.
      EXPECT_TRUE(IsValidUtf8(content)) << "line " << i << " of " << line;
      if (i + 1 < physical.size()) {
        EXPECT_GE(p.size(), 72u);
      }
      unfolded += content;
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(physical.size() == 1, line.size() <= 75) << line.size();
  }
}

TEST(IcsText, Uids) {
  // Hashes: published FNV-1a 64-bit test vectors.
  EXPECT_EQ(IcsUid(Day(29, 2, 2024), "holiday", ""), "20240229-holiday@lumaro.example.org");
  EXPECT_EQ(IcsUid(Day(1, 1, 1583), "anniversary", "a"), "15830101-anniversary-af63dc4c8601ec8c@lumaro.example.org");
  EXPECT_EQ(IcsUid(Day(31, 12, 3000), "x", "foobar"), "30001231-x-85944171f73967e8@lumaro.example.org");
}

TEST(IcsText, UtcFromStandardTime) {
  struct Case {
    const char* what;
    GregorianDate date;
    int minutes, zone;
    const char* utc;
  } cases[] = {
      {"an hour east", {28, 6, 2024}, 20 * 60 + 50, 1, "20240628T195000Z"},
      {"Greenwich", {28, 6, 2024}, 0, 0, "20240628T000000Z"},
      {"before midnight UTC: the day before", {5, 7, 2024}, 5 * 60, 10, "20240704T190000Z"},
      {"west, into the next day", {5, 7, 2024}, 20 * 60, -5, "20240706T010000Z"},
      {"west, into the next year", {31, 12, 2024}, 20 * 60 + 1, -8, "20250101T040100Z"},
      {"east, back to a leap day", {1, 3, 2024}, 60, 2, "20240229T230000Z"},
      {"a time past midnight of its day", {28, 2, 2023}, 24 * 60 + 10, 0, "20230301T001000Z"},
      {"zone 14 east at dawn", {1, 1, 2000}, 6 * 60, 14, "19991231T160000Z"},
  };
  for (const Case& c : cases) EXPECT_EQ(IcsUtcDateTime(AbsoluteFromGregorian(c.date), c.minutes, c.zone), c.utc) << c.what;
}

// ------------------------------------------------------------ whole calendars

class IcsCalendar : public testenv::SunTimesTest {
 protected:
  void SetUp() override {
    testenv::SunTimesTest::SetUp();
    // 15 Nisan 5700 and 10 Tishri 5700 come back on Pesakh I 5784 (23 April
    // 2024) and Yom Kippur 5785 (12 October 2024); the same entry twice, and
    // names with every character that needs escaping.
    testenv::WriteFile(home_.lumaro("kivraanni"),
                       "\"Moshe, son of Avraham; \\\"the elder\\\" \\\\ 2\" B H 15.1.5700 0\n"
                       "\"Rivka\" Y H 10.7.5700 0\n"
                       "\"Rivka\" Y H 10.7.5700 0\n"
                       "\"" + Long() + "\" A H 15.1.5700 0\n");
  }
  // A Yiddish name of more than 75 octets.
  static std::string Long() {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "\xD7\xA9\xD7\xA8";  // שר
    return name;
  }
  static std::string Build(GregorianDate from, GregorianDate to, unsigned kinds) {
    return IcsBuildCalendar(AbsoluteFromGregorian(from), AbsoluteFromGregorian(to), kinds, stderr);
  }
};

TEST_F(IcsCalendar, WellFormedOverALeapYearAndStable) {
  // June 2023 to June 2025: 29 February 2024 and the Hebrew leap year 5784.
  const std::string ics = Build({1, 6, 2023}, {30, 6, 2025}, kIcsAllKinds);
  ASSERT_EQ(ics.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:", 0), 0u);
  ASSERT_GE(ics.size(), 15u);
  EXPECT_EQ(ics.substr(ics.size() - 15), "END:VCALENDAR\r\n");
  for (size_t i = ics.find('\n'); i != std::string::npos; i = ics.find('\n', i + 1)) ASSERT_EQ(ics[i - 1], '\r');
  for (const std::string& p : PhysicalLines(ics)) ASSERT_LE(p.size(), 75u) << p;
  EXPECT_TRUE(IsValidUtf8(ics));

  const std::vector<Event> events = Events(ics);
  std::set<std::string> uids;
  std::set<std::string> days;
  for (const Event& e : events) {
    EXPECT_TRUE(uids.insert(One(e, "UID")).second) << One(e, "UID");
    EXPECT_EQ(One(e, "DTSTAMP"), "20000101T000000Z");
    EXPECT_FALSE(One(e, "SUMMARY").empty());
    if (e.count("DTSTART;VALUE=DATE")) {
      const std::string start = One(e, "DTSTART;VALUE=DATE");
      const GregorianDate next = GregorianFromAbsolute(DayOf(start) + 1);
      char end[9];
      std::snprintf(end, sizeof end, "%04d%02d%02d", next.year, next.month, next.day);
      EXPECT_EQ(One(e, "DTEND;VALUE=DATE"), end);
      EXPECT_EQ(One(e, "UID").substr(0, 8), start);  // the UID begins with the event's date
      days.insert(start);
    } else {
      EXPECT_EQ(One(e, "DTSTART").size(), 16u);
      EXPECT_EQ(e.count("DTEND"), 0u);
    }
  }
  // Every day has its Daf Yomi page; 29 February 2024 is one of them.
  EXPECT_EQ(days.size(), static_cast<size_t>(Day(30, 6, 2025) - Day(1, 6, 2023) + 1));
  EXPECT_EQ(days.count("20240229"), 1u);
  // A second run writes the same bytes.
  EXPECT_EQ(Build({1, 6, 2023}, {30, 6, 2025}, kIcsAllKinds), ics);
}

TEST_F(IcsCalendar, KindsPartitionTheEvents) {
  const std::map<std::string, Event> all = ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsAllKinds));
  std::set<std::string> seen;
  for (const IcsKindRow& row : kIcsKindRows) {
    const std::map<std::string, Event> part = ByUid(Build({1, 1, 2024}, {31, 12, 2024}, row.kind));
    EXPECT_FALSE(part.empty()) << row.option;
    for (const auto& [uid, e] : part) {
      EXPECT_TRUE(seen.insert(uid).second) << uid << " also in another kind";
      ASSERT_EQ(all.count(uid), 1u) << uid;
      EXPECT_EQ(all.at(uid), e);
    }
  }
  EXPECT_EQ(seen.size(), all.size());
  // Two kinds together are the two alone.
  EXPECT_EQ(ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsOmer | kIcsDafYomi)).size(),
            ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsOmer)).size() +
                ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsDafYomi)).size());
}

TEST_F(IcsCalendar, AnniversariesWithLabelAndName) {
  const std::string ics = Build({1, 1, 2024}, {31, 12, 2024}, kIcsAnniversaries);
  const std::vector<Event> events = Events(ics);
  std::map<std::string, std::vector<std::string>> byDate;  // date -> summaries
  std::set<std::string> uids;
  for (const Event& e : events) {
    byDate[One(e, "DTSTART;VALUE=DATE")].push_back(Unescape(One(e, "SUMMARY")));
    uids.insert(One(e, "UID"));
  }
  EXPECT_EQ(events.size(), 4u);
  EXPECT_EQ(uids.size(), 4u);
  EXPECT_EQ(byDate["20240423"], (std::vector<std::string>{"Birthday: Moshe, son of Avraham; \"the elder\" \\ 2",
                                                           "Anniversary: " + Long()}));
  EXPECT_EQ(byDate["20241012"], (std::vector<std::string>{"yortsayt: Rivka", "yortsayt: Rivka"}));
  // The escaped form in the file, and the second Rivka's UID.
  EXPECT_NE(ics.find("SUMMARY:Birthday: Moshe\\, son of Avraham\\; \"the elder\" \\\\ 2\r\n"), std::string::npos);
  const std::string rivka = IcsUid(Day(12, 10, 2024), "anniversary", "YRivka");
  EXPECT_EQ(uids.count(rivka), 1u);
  EXPECT_EQ(uids.count(rivka.substr(0, rivka.find('@')) + "-2@lumaro.example.org"), 1u);
}

TEST_F(IcsCalendar, UidsDoNotDependOnTheLanguage) {
  std::filesystem::create_directory(home_.lumaro("translations"));
  testenv::WriteFile(home_.lumaro("translations/yiddish.calendar"),
                     "\"Pesakh I\" = \"\xD7\xA4\xD7\xA1\xD7\x97 \xD7\x90\"\n"
                     "\"Candle Lighting\" = \"\xD7\x9C\xD7\x99\xD7\x9B\xD7\x98 \xD7\x91\xD7\xA2\xD7\xA0\xD7\x98\xD7\xA9\xD7\x9F\"\n"
                     "\"Birthday\" = \"\xD7\x92\xD7\xA2\xD7\x91\xD7\x95\xD7\xA8\xD7\x98\xD7\xA1\xD7\x98\xD7\x90\xD7\x92\"\n"
                     "\"%d L'Omer\" = \"%d \xD7\xA2\xD7\x95\xD7\x9E\xD7\xA8\"\n");
  const std::map<std::string, Event> english = ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsAllKinds));
  setLanguage(kLanguageYiddish);
  translate_done();
  translate_init("yiddish");
  const std::map<std::string, Event> yiddish = ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsAllKinds));
  ASSERT_EQ(yiddish.size(), english.size());
  for (const auto& [uid, e] : english) EXPECT_EQ(yiddish.count(uid), 1u) << uid;
  EXPECT_EQ(One(Get(yiddish, "20240423", "holiday"), "SUMMARY"), "\xD7\xA4\xD7\xA1\xD7\x97 \xD7\x90");
  EXPECT_EQ(One(Get(yiddish, "20240424", "omer"), "SUMMARY"), "1 \xD7\xA2\xD7\x95\xD7\x9E\xD7\xA8");
  EXPECT_EQ(One(Get(yiddish, "20240628", "candle-lighting"), "SUMMARY"),
            "\xD7\x9C\xD7\x99\xD7\x9B\xD7\x98 \xD7\x91\xD7\xA2\xD7\xA0\xD7\x98\xD7\xA9\xD7\x9F");
  // The same entry under the translated label keeps its UID.
  const std::string moshe = IcsUid(Day(23, 4, 2024), "anniversary", "BMoshe, son of Avraham; \"the elder\" \\ 2");
  ASSERT_EQ(yiddish.count(moshe), 1u);
  EXPECT_EQ(Unescape(One(yiddish.at(moshe), "SUMMARY")).rfind("\xD7\x92\xD7\xA2", 0), 0u);
  // Untranslated names stay English.
  EXPECT_EQ(One(Get(yiddish, "20241012", "holiday"), "SUMMARY"), "Yom Kippur");
}

TEST_F(IcsCalendar, TimesInUtcAtTheCity) {
  // Sunset from the sun module; candle lighting is 18 minutes before it and
  // havdalah 45 after, and Pforzheim keeps standard time one hour east.
  auto sunset = [](int day, int month, int year, int lat, int lon, int zone) {
    int h = 0, m = 0;
    EXPECT_EQ(GetSunsetSunrise(day, month, year, 0, lat, lon, zone, &h, &m), 1);
    return h * 60 + m;
  };
  const std::map<std::string, Event> ev = ByUid(Build({1, 1, 2024}, {31, 12, 2024}, kIcsTimes));
  const Event* friday = Find(ev, "20240628", "candle-lighting");
  ASSERT_NE(friday, nullptr);
  EXPECT_EQ(One(*friday, "DTSTART"), IcsUtcDateTime(Day(28, 6, 2024), sunset(28, 6, 2024, 4853, 842, 1) - 18, 1));
  EXPECT_EQ(One(*friday, "LOCATION"), "Pforzheim");
  EXPECT_EQ(One(*friday, "SUMMARY"), "Candle Lighting");
  const Event* saturday = Find(ev, "20241228", "havdalah");
  ASSERT_NE(saturday, nullptr);
  EXPECT_EQ(One(*saturday, "DTSTART"), IcsUtcDateTime(Day(28, 12, 2024), sunset(28, 12, 2024, 4853, 842, 1) + 45, 1));
  // Summer time changes the clock the month view shows, not the moment.
  setIsDST(0);
  const std::map<std::string, Event> noDst = ByUid(Build({28, 6, 2024}, {28, 6, 2024}, kIcsTimes));
  ASSERT_EQ(noDst.size(), 1u);
  EXPECT_EQ(One(noDst.begin()->second, "DTSTART"), One(*friday, "DTSTART"));
  // Only Fridays, Saturdays and festival evenings: 52 or 53 of each a year.
  int fridays = 0, saturdays = 0;
  for (const auto& [uid, e] : ev) {
    const int wd = WeekdayOf(DayOf(One(e, "DTSTART")));
    if (uid.find("candle-lighting") != std::string::npos && wd == kFriday) ++fridays;
    if (uid.find("havdalah") != std::string::npos && wd == kShabbat) ++saturdays;
  }
  EXPECT_EQ(fridays, 52);
  EXPECT_EQ(saturdays, 52);
  // South and far east: Sydney's Friday candles fall in the UTC morning.
  setCity("Sydney");
  const std::map<std::string, Event> south = ByUid(Build({28, 6, 2024}, {28, 6, 2024}, kIcsTimes));
  ASSERT_EQ(south.size(), 1u);
  const Event& sydney = south.begin()->second;
  EXPECT_EQ(One(sydney, "DTSTART"), IcsUtcDateTime(Day(28, 6, 2024), sunset(28, 6, 2024, -3352, 15112, 10) - 18, 10));
  EXPECT_EQ(One(sydney, "DTSTART").substr(0, 10), "20240628T0");
}

TEST_F(IcsCalendar, TimesThatCannotBeComputed) {
  EXPECT_EQ(IcsCheckTimes(stderr), IcsTimesCheck::kOk);
  DstSetting rule = getDSTstruct();
  rule.startMonth = 13;
  setDSTstruct(rule);
  EXPECT_EQ(IcsCheckTimes(stderr), IcsTimesCheck::kInvalidDstRule);
  setIsDST(0);  // a rule that is not used does not matter
  EXPECT_EQ(IcsCheckTimes(stderr), IcsTimesCheck::kOk);
  setCity("Atlantis");
  EXPECT_EQ(IcsCheckTimes(stderr), IcsTimesCheck::kCityNotFound);
  EXPECT_EQ(Events(Build({1, 1, 2024}, {31, 1, 2024}, kIcsTimes)).size(), 0u);
  // A city file with a broken line: its message goes to the stream given,
  // never into standard output where the calendar may be going.
  setCity("Pforzheim");
  testenv::WriteFile(home_.lumaro("cities"), "\"Broken\", 99\n\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n");
  std::FILE* messages = std::tmpfile();
  ASSERT_NE(messages, nullptr);
  CaptureStdout();
  EXPECT_EQ(IcsCheckTimes(messages), IcsTimesCheck::kOk);
  setCandleLightingMin(-5);  // "sunset - -5" does not parse
  const size_t events = Events(IcsBuildCalendar(Day(5, 1, 2024), Day(6, 1, 2024), kIcsTimes, messages)).size();
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(events, 1u);  // havdalah only
  std::rewind(messages);
  std::string text(4096, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), messages));
  std::fclose(messages);
  EXPECT_NE(text.find("line 1"), std::string::npos) << text;
  EXPECT_NE(text.find("Parsing error"), std::string::npos) << text;
}

TEST_F(IcsCalendar, StopsAtAWriteError) {
  int calls = 0;
  const IcsResult r = IcsWriteCalendar(Day(1, 1, 2024), Day(31, 12, 2024), kIcsAllKinds, [&](std::string_view) {
    return ++calls < 10;
  });
  EXPECT_FALSE(r.written);
  EXPECT_EQ(calls, 10);
  EXPECT_EQ(r.events, 8);  // header, then eight events, the ninth refused
  // An empty range is an empty calendar.
  const IcsResult empty = IcsWriteCalendar(Day(2, 1, 2024), Day(1, 1, 2024), kIcsAllKinds, [](std::string_view) { return true; });
  EXPECT_TRUE(empty.written);
  EXPECT_EQ(empty.events, 0);
}

}  // namespace
