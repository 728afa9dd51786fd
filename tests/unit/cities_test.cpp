#include "suntimes/cities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "suntimes/timezone.h"
#include "test_env.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

struct Parsed {
  int ok;
  CityRec city;
  std::string error;
};

Parsed Parse(const std::string& line) {
  Parsed p{0, {}, ""};
  p.ok = CityProcessLine(line, &p.city, &p.error);
  return p;
}

TEST(Cities, LinesThatParse) {
  struct Case {
    const char* line;
    const char* name;
    int latitude, longitude, zone;
  } cases[] = {
      {"\"Pforzheim\", 48,53 N, 8,42 E, GMT+1", "Pforzheim", 4853, 842, 1},
      {"  \"Buenos Aires\",34,37 s,58,23 w,gmt-3", "Buenos Aires", -3437, -5823, -3},
      {"\"New York\" , 40, 43 N , 74, 0 W , GMT-5 ", "New York", 4043, -7400, -5},
      {"\"Reykjavik\", 64,8 N, 21,54 W, GMT", "Reykjavik", 6408, -2154, 0},  // GMT at the end: zone 0
      {"\"Accra\", 5,33 N, 0,12 W, GMT anything", "Accra", 533, -12, 0},     // GMT and a space: zone 0
      {"\"Mumbai\", 19,4 N, 72,53 E, GMT+5:30", "Mumbai", 1904, 7253, 5},    // what follows is ignored
      {"\"Nowhere\", ,5 N, ,0 E, GMT+", "Nowhere", 5, 0, 0},                 // empty digit fields are 0
      {"\"Odd\", 48,75 N, 8,42 E, GMT+1", "Odd", 4875, 842, 1},              // minutes are not checked
      {"\"Washington, D.C.\", 38,54 N, 77,2 W, GMT-5", "Washington, D.C.", 3854, -7702, -5},
      {"\"L`Aquila\", 42,21 N, 13,24 E, GMT+1", "L'Aquila", 4221, 1324, 1},
      {"\"Caf\xB4\", 1,0 N, 1,0 E, GMT+1", "Caf'", 100, 100, 1},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.line);
    ASSERT_EQ(p.ok, 1) << c.line << ": " << p.error;
    EXPECT_EQ(p.city.name, c.name);
    EXPECT_EQ(p.city.latitude, c.latitude) << c.line;
    EXPECT_EQ(p.city.longitude, c.longitude) << c.line;
    EXPECT_EQ(p.city.gmtOffset, c.zone) << c.line;
  }
}

// The zone name: the first word after a comma behind the zone hours, taken
// only when it can be a zone name; anything else there is ignored as before.
TEST(Cities, ZoneNames) {
  struct Case {
    const char* line;
    int zone;
    const char* zoneName;
  } cases[] = {
      {"\"New York\", 40,43 N, 74,0 W, GMT-5, America/New_York", -5, "America/New_York"},
      {"\"Kolkata\", 22,34 N, 88,22 E, GMT+5:30, Asia/Kolkata", 5, "Asia/Kolkata"},
      {"\"St. John's\", 47,34 N, 52,43 W, GMT-3:30, America/St_Johns", -3, "America/St_Johns"},
      {"\"Tight\", 1,0 N, 1,0 E, GMT+1,Europe/Berlin", 1, "Europe/Berlin"},
      {"\"London\", 51,30 N, 0,8 W, GMT , Europe/London", 0, "Europe/London"},
      {"\"Spaces\", 1,0 N, 1,0 E, GMT+1  ,   Etc/GMT-1   ", 1, "Etc/GMT-1"},
      {"\"Words\", 1,0 N, 1,0 E, GMT+1 winter, Europe/Berlin more", 1, "Europe/Berlin"},
      {"\"Plain\", 1,0 N, 1,0 E, GMT+1", 1, ""},
      {"\"Empty\", 1,0 N, 1,0 E, GMT+1, ", 1, ""},
      {"\"Path\", 1,0 N, 1,0 E, GMT+1, ../../etc/passwd", 1, ""},
      {"\"Note\", 1,0 N, 1,0 E, GMT+1, (summer time by hand)", 1, ""},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.line);
    ASSERT_EQ(p.ok, 1) << c.line << ": " << p.error;
    EXPECT_EQ(p.city.gmtOffset, c.zone) << c.line;
    EXPECT_EQ(p.city.zoneName, c.zoneName) << c.line;
  }
}

TEST(Cities, EveryParseMessage) {
  struct Case {
    std::string line;
    const char* error;
  } cases[] = {
      {"\t\"X\", 1,0 N, 1,0 E, GMT", "Begin of city name (\") expected"},
      {"X, 1,0 N, 1,0 E, GMT", "Begin of city name (\") expected"},
      {"\"Unclosed, 1,0 N, 1,0 E, GMT", "End of city name (\") expected"},
      {"\"X\" 1,0 N, 1,0 E, GMT", "Comma (,) after city name expected"},
      {"\"X\", 32 ,5 N, 1,0 E, GMT", "Comma (,) after latitude hour expected"},
      {"\"X\", 32,5 Q, 1,0 E, GMT", "N or S in latitude expected"},
      {"\"X\", 32,5 N 1,0 E, GMT", "Comma (,) after N/S expected"},
      {"\"X\", 32,5 N, 8 ,42 E, GMT", "Comma (,) after longitude hour expected"},
      {"\"X\", 32,5 N, 8,42 Q, GMT", "W or E in latitude expected"},
      {"\"X\", 32,5 N, 8,42 E GMT", "Comma (,) after W/E expected"},
      {"\"X\", 32,5 N, 8,42 E, UTC+1", "GMT expected"},
      {"\"X\", 32,5 N, 8,42 E, GMTX+1", "GMT expected"},
      {"\"X\", 32,5 N, 8,42 E, GMT5", "+ or - in GMT zone expected"},
      {"\"X\", 32,5 N, 8,42 E, GMT:1", "+ or - in GMT zone expected"},
      {"\"X\", 99999,5 N, 8,42 E, GMT+1", "Number too large"},
      {"\"X\", 32,5 N, 8,42 E, GMT+123456789012", "Number too large"},
      {"\"" + std::string(256, 'n') + "\", 1,0 N, 1,0 E, GMT", "City name too long"},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.line);
    EXPECT_EQ(p.ok, 0) << c.line;
    EXPECT_EQ(p.error, c.error) << c.line;
  }
  EXPECT_EQ(Parse("\"" + std::string(255, 'n') + "\", 1,0 N, 1,0 E, GMT").ok, 1);
}

TEST(Cities, BlankAndAccents) {
  EXPECT_EQ(IsBlank(""), 1);
  EXPECT_EQ(IsBlank("   "), 1);
  EXPECT_EQ(IsBlank(" \t "), 0);
  std::string s =
      "a`b\xB4"
      "c'";
  EliminateSpecialChars(s);
  EXPECT_EQ(s, "a'b'c'");
}

class CityFile : public ::testing::Test {
 protected:
  void SetUp() override { path_ = home_.lumaro("cities"); }
  void Write(const std::string& content) { testenv::WriteFile(path_, content); }
  testenv::TempHome home_;
  std::string path_;
};

TEST_F(CityFile, LineNumbersCommentsAndFirstMatch) {
  Write(
      "# A city file\n"                                  // 1
      "\"Alpha\", 1,0 N, 1,0 E, GMT+1\n"                 // 2
      "\"Bad\" 1,0 N, 1,0 E, GMT+1\n"                    // 3: error
      "\n"                                               // 4
      "\n"                                               // 5
      "\"Gamma\", 2,0 S, 2,0 W, GMT-2  # \"Delta\"\r\n"  // 6 (CR LF counts once)
      "\"Eps\", x\r\n"                                   // 7: error
      "    \n"                                           // 8
      "\"alpha\", 9,0 N, 9,0 E, GMT+9\n"                 // 9: same name, second
      "\t\n"                                             // 10: a tab is not blank
      "\n\n");
  int lat = -1, lon = -1, zone = -1;
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "ALPHA", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(), "File " + path_ + ", line 3: Comma (,) after city name expected\n" + "File " + path_ +
                                     ", line 7: Comma (,) after latitude hour expected\n" + "File " + path_ +
                                     ", line 10: Begin of city name (\") expected\n");
  EXPECT_EQ(lat, 100);
  EXPECT_EQ(lon, 100);
  EXPECT_EQ(zone, 1);

  // The parsed file is kept: the messages are not repeated.
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "gamma", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(lat, -200);
  EXPECT_EQ(lon, -200);
  EXPECT_EQ(zone, -2);

  // A name that only appears in a comment is not a city; outputs untouched.
  lat = lon = zone = 42;
  EXPECT_EQ(CityGet(path_, "Delta", &lat, &lon, &zone), 0);
  EXPECT_EQ(CityGet(path_, "", &lat, &lon, &zone), 0);
  EXPECT_EQ(lat, 42);
  EXPECT_EQ(lon, 42);
  EXPECT_EQ(zone, 42);
}

TEST_F(CityFile, ANulByteSpoilsOnlyItsLine) {
  Write(std::string("\"A\", 1,0 N, 1,0 E, GMT+1\n\"B\0\", 2,0 N, 2,0 E, GMT+2 # \0\n\"C\", 3,0 N, 3,0 E, GMT+3\n", 80));
  int lat = 0, lon = 0, zone = 0;
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "C", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(), "File " + path_ + ", line 2: NUL byte in line\n");
  EXPECT_EQ(zone, 3);
}

TEST_F(CityFile, CarriageReturnsAloneDoNotCountLines) {
  Write("\"A\", 1,0 N, 1,0 E, GMT+1\r\"B\" x\r\"C\", 3,0 N, 3,0 E, GMT+3\r");
  int lat = 0, lon = 0, zone = 0;
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "C", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(), "File " + path_ + ", line 1: Comma (,) after city name expected\n");
  EXPECT_EQ(zone, 3);
}

TEST_F(CityFile, AnEditedFileIsSeenAtOnce) {
  Write("\"Here\", 1,0 N, 1,0 E, GMT+1\n");
  int lat = 0, lon = 0, zone = 0;
  ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
  EXPECT_EQ(zone, 1);
  Write("\"Here\", 1,0 N, 1,0 E, GMT+10\n");
  ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
  EXPECT_EQ(zone, 10);
  // Removed: reported once, not found.
  std::remove(path_.c_str());
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 0);
  EXPECT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 0);
  EXPECT_EQ(GetCapturedStdout(), "File " + path_ + " could not be opened\n");
  EXPECT_EQ(CityGetStringList(path_), std::vector<std::string>{""});
  // Back again.
  Write("\"Here\", 1,0 N, 1,0 E, GMT+2\n");
  ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
  EXPECT_EQ(zone, 2);
}

TEST_F(CityFile, ASnapshotLooksOnceForItsWholeLifetime) {
  Write("\"Here\", 1,0 N, 1,0 E, GMT+1\n");
  int lat = 0, lon = 0, zone = 0;
  {
    const CityFileSnapshot outer;
    ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
    Write("\"Here\", 1,0 N, 1,0 E, GMT+10\n");
    {
      const CityFileSnapshot inner;
      ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
      EXPECT_EQ(zone, 1);
    }
    ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
    EXPECT_EQ(zone, 1);
  }
  ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
  EXPECT_EQ(zone, 10);
  // The next snapshot looks again.
  Write("\"Here\", 1,0 N, 1,0 E, GMT+7\n");
  const CityFileSnapshot next;
  ASSERT_EQ(CityGet(path_, "Here", &lat, &lon, &zone), 1);
  EXPECT_EQ(zone, 7);
}

TEST_F(CityFile, OverlongLinesAreRejectedWithAMessage) {
  const std::string longName(300, 'x');
  Write("\"" + longName + "\", 1,0 N, 1,0 E, GMT+1\n" +                    // 1: name too long
        "\"Pad\", 1,0 N, 1,0 E, GMT+1 " + std::string(600, ' ') + "\n" +   // 2: line too long
        "\"Ok\", 1,0 N, 1,0 E, GMT+1 #" + std::string(5000, 'c') + "\n");  // 3: a long comment is fine
  int lat = 0, lon = 0, zone = 0;
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "Ok", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(),
            "File " + path_ + ", line 1: City name too long\n" + "File " + path_ + ", line 2: Line too long\n");
  EXPECT_EQ(CityGet(path_, longName, &lat, &lon, &zone), 0);
}

TEST_F(CityFile, AccentedNamesAndTheDropDownList) {
  Write(
      "\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1\n"
      "\"Berlin\", 52,31 N, 13,25 E, GMT+1\n"
      "\"Caf\xB4 Town\", 1,0 N, 1,0 E, GMT+1\n"
      "\"Berlin\", 52,31 N, 13,25 E, GMT+1\n"
      "\"Aachen\", 50,47 N, 6,5 E, GMT+1\n");
  int lat = 0, lon = 0, zone = 0;
  // The lookup name is in the file's encoding.
  EXPECT_EQ(CityGet(path_, "z\xFCrich", &lat, &lon, &zone), 1);
  EXPECT_EQ(lat, 4722);
  EXPECT_EQ(CityGet(path_, "Z\xDCRICH", &lat, &lon, &zone), 0);  // only ASCII letters fold
  // An acute accent is stored as an apostrophe; the setting must use it.
  EXPECT_EQ(CityGet(path_, "Caf' Town", &lat, &lon, &zone), 1);
  EXPECT_EQ(CityGet(path_, "Caf\xB4 Town", &lat, &lon, &zone), 0);

  const std::vector<std::string> expected = {"", "Aachen", "Berlin", "Berlin", "Caf' Town", "Z\xC3\xBCrich"};
  EXPECT_EQ(CityGetStringList(path_), expected);
}

TEST(Cities, Latin1Conversions) {
  EXPECT_EQ(Utf8FromLatin1("Z\xFCrich \xE9t\xE9"), "Z\xC3\xBCrich \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(Utf8FromLatin1(""), "");
  std::string latin1;
  ASSERT_TRUE(Latin1FromUtf8("Z\xC3\xBCrich", &latin1));
  EXPECT_EQ(latin1, "Z\xFCrich");
  EXPECT_FALSE(Latin1FromUtf8("\xD7\x90", &latin1));  // alef: not in ISO-8859-1
  EXPECT_FALSE(Latin1FromUtf8("\xC3", &latin1));      // truncated sequence
}

// The city file that ships with the program.
TEST(Cities, ShippedFile) {
  const std::string path = std::string(LUMARO_SOURCE_DATADIR) + "/cities";
  std::string content = testenv::ReadFile(path);
  ASSERT_FALSE(content.empty());
  CaptureStdout();
  const std::vector<std::string> names = CityGetStringList(path);
  EXPECT_EQ(GetCapturedStdout(), "");  // every line parses
  EXPECT_GE(names.size(), 301u);

  // The default city, as documented.
  int lat = 0, lon = 0, zone = 0;
  ASSERT_EQ(CityGet(path, "Pforzheim", &lat, &lon, &zone), 1);
  EXPECT_EQ(lat, 4853);
  EXPECT_EQ(lon, 842);
  EXPECT_EQ(zone, 1);

  // A few places whose position and standard time are common knowledge.
  struct Known {
    const char* name;
    int latitude, longitude, zone;
  } known[] = {{"Jerusalem", 3146, 3513, 2},
               {"New York City", 4043, -7400, -5},
               {"London", 5130, -8, 0},
               {"Buenos Aires", -3437, -5823, -3},
               {"Sydney", -3352, 15112, 10}};
  for (const Known& k : known) {
    SCOPED_TRACE(k.name);
    ASSERT_EQ(CityGet(path, k.name, &lat, &lon, &zone), 1);
    EXPECT_NEAR(lat, k.latitude, 5);
    EXPECT_NEAR(lon, k.longitude, 15);
    EXPECT_EQ(zone, k.zone);
  }
  // Every city names a zone the database knows, and its GMT hours are the
  // zone's standard offset truncated toward zero: the smaller of the offsets
  // in January and July 2024 (zones that move their clocks back in winter
  // or for Ramadan aside).
  const std::set<std::string> winterBack = {"Europe/Dublin", "Africa/Casablanca"};
  int odd = 0;
  for (size_t i = 1; i < names.size(); ++i) {
    std::string latin1;
    ASSERT_TRUE(Latin1FromUtf8(names[i], &latin1));
    CityRec city;
    ASSERT_EQ(CityGet(path, latin1, &city), 1) << names[i];
    ASSERT_TRUE(TimeZoneIsKnown(city.zoneName)) << names[i] << ": " << city.zoneName;
    int january = 0, july = 0;
    ASSERT_TRUE(TimeZoneOffsetAt(city.zoneName, 1704456000, &january));  // 2024-01-05 12:00 UTC
    ASSERT_TRUE(TimeZoneOffsetAt(city.zoneName, 1719835200, &july));     // 2024-07-01 12:00 UTC
    const int standard = std::min(january, july);
    if (!winterBack.count(city.zoneName)) {
      EXPECT_EQ(city.gmtOffset, standard / 3600) << names[i];
    }
    if (standard % 3600 != 0) ++odd;
  }
  // The cities of half- and quarter-hour zones are there.
  EXPECT_GE(odd, 40);
  const std::pair<const char*, const char*> oddZones[] = {{"Kolkata", "Asia/Kolkata"},
                                                          {"Tehran", "Asia/Tehran"},
                                                          {"Adelaide", "Australia/Adelaide"},
                                                          {"St. John's", "America/St_Johns"},
                                                          {"Kathmandu", "Asia/Kathmandu"}};
  for (const auto& [name, zoneName] : oddZones) {
    CityRec city;
    ASSERT_EQ(CityGet(path, name, &city), 1) << name;
    EXPECT_EQ(city.zoneName, zoneName);
  }

  // Accented names are stored in ISO-8859-1 and listed in UTF-8.
  EXPECT_EQ(CityGet(path, "Z\xFCrich", &lat, &lon, &zone), 1);
  EXPECT_NE(std::find(names.begin(), names.end(), "Z\xC3\xBCrich"), names.end());

  // Names are unique (ignoring case), so every city can be chosen.
  std::set<std::string> upper;
  for (const std::string& n : names) {
    std::string u = n;
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(upper.insert(u).second) << n;
  }
}

}  // namespace
