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

CityRec Parse(const std::string& line, int ok = 1, std::string* error = nullptr) {
  CityRec city;
  std::string message;
  EXPECT_EQ(CityProcessLine(line, &city, &message), ok) << line << ": " << message;
  if (error) *error = message;
  return city;
}

// Each line and its record: name|latitude|longitude|zone hours|zone name.
TEST(Cities, LinesThatParse) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"Pforzheim\", 48,53 N, 8,42 E, GMT+1", "Pforzheim|4853|842|1|"},
      {"  \"Buenos Aires\",34,37 s,58,23 w,gmt-3", "Buenos Aires|-3437|-5823|-3|"},
      {"\"New York\" , 40, 43 N , 74, 0 W , GMT-5 ", "New York|4043|-7400|-5|"},
      {"\"Reykjavik\", 64,8 N, 21,54 W, GMT", "Reykjavik|6408|-2154|0|"},  // GMT alone: zone 0
      {"\"Accra\", 5,33 N, 0,12 W, GMT anything", "Accra|533|-12|0|"},
      {"\"Nowhere\", ,5 N, ,0 E, GMT+", "Nowhere|5|0|0|"},     // empty digit fields are 0
      {"\"Odd\", 48,75 N, 8,42 E, GMT+1", "Odd|4875|842|1|"},  // minutes are not checked
      {"\"Washington, D.C.\", 38,54 N, 77,2 W, GMT-5", "Washington, D.C.|3854|-7702|-5|"},
      {"\"L`Aquila\", 42,21 N, 13,24 E, GMT+1", "L'Aquila|4221|1324|1|"},  // both accents become '
      {"\"Caf\xB4\", 1,0 N, 1,0 E, GMT+1", "Caf'|100|100|1|"},
      // The zone name: the first word after a comma behind the zone hours,
      // taken only when it can be one; whatever else is there is ignored.
      {"\"Kolkata\", 22,34 N, 88,22 E, GMT+5:30, Asia/Kolkata", "Kolkata|2234|8822|5|Asia/Kolkata"},
      {"\"L\", 51,30 N, 0,8 W, GMT , Europe/London", "L|5130|-8|0|Europe/London"},
      {"\"S\", 1,0 N, 1,0 E, GMT+1  ,   Etc/GMT-1   ", "S|100|100|1|Etc/GMT-1"},
      {"\"W\", 1,0 N, 1,0 E, GMT+1 winter, Europe/Berlin more", "W|100|100|1|Europe/Berlin"},
      {"\"P\", 1,0 N, 1,0 E, GMT+1, ../../etc/passwd", "P|100|100|1|"},
      {"\"N\", 1,0 N, 1,0 E, GMT+1, (summer time by hand)", "N|100|100|1|"},
  };
  for (const auto& [line, expected] : cases) {
    const CityRec c = Parse(line);
    EXPECT_EQ(c.name + "|" + std::to_string(c.latitude) + "|" + std::to_string(c.longitude) + "|" +
                  std::to_string(c.gmtOffset) + "|" + c.zoneName,
              expected);
  }
}

// key=value fields after the zone: zone name|candles|elevation|message.
// Unknown keys and fields without "=" are ignored; a bad value is reported
// and the city kept without it.
TEST(Cities, FieldsAfterTheZone) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"J\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=40", "Asia/Jerusalem|40|-|"},
      {"\"J\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem , candles = 40 ,elevation=754", "Asia/Jerusalem|40|754|"},
      {"\"D\", 31,30 N, 35,23 E, GMT+2, Asia/Jerusalem, elevation=-430", "Asia/Jerusalem|-|-430|"},
      {"\"E\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, elevation=12.5, candles=0", "Europe/Berlin|0|12.5|"},
      // No zone: the first field is a field when it holds "=".
      {"\"N\", 1,0 N, 1,0 E, GMT+1, candles=18", "|18|-|"},
      {"\"N\", 1,0 N, 1,0 E, GMT+1, , candles=18", "|18|-|"},
      // Unknown keys, empty fields and words without "=" are ignored; a
      // later field wins over an earlier one of the same key.
      {"\"U\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, minhag=ashkenaz, ,note, candles=20, candles=22",
       "Europe/Berlin|22|-|"},
      {"\"U\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, Candles=20", "Europe/Berlin|-|-|"},  // keys are case-sensitive
      {"\"U\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin candles=20", "Europe/Berlin|-|-|"},  // not a field of its own
      // Bad values: reported, the rest of the line still counts.
      {"\"B\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, candles=-5, elevation=3",
       "Europe/Berlin|-|3|candles= must be whole minutes from 0 to 99"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, candles=100", "Europe/Berlin|-|-|candles= must be whole minutes from 0 to 99"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, candles=18.5", "Europe/Berlin|-|-|candles= must be whole minutes from 0 to 99"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, candles=", "Europe/Berlin|-|-|candles= must be whole minutes from 0 to 99"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, Europe/Berlin, candles=40 min", "Europe/Berlin|-|-|candles= must be whole minutes from 0 to 99"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, candles=x, elevation=high",
       "|-|-|candles= must be whole minutes from 0 to 99; elevation= must be metres from -500 to 9000"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, elevation=9001", "|-|-|elevation= must be metres from -500 to 9000"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, elevation=-600", "|-|-|elevation= must be metres from -500 to 9000"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, elevation=1e3", "|-|-|elevation= must be metres from -500 to 9000"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, elevation=+5", "|-|-|elevation= must be metres from -500 to 9000"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, elevation=--5", "|-|-|elevation= must be metres from -500 to 9000"},
      {"\"B\", 1,0 N, 1,0 E, GMT+1, elevation=nan", "|-|-|elevation= must be metres from -500 to 9000"},
  };
  for (const auto& [line, expected] : cases) {
    std::string error;
    const CityRec c = Parse(line, 1, &error);
    const std::string elevation = c.elevationMetres ? testing::PrintToString(*c.elevationMetres) : "-";
    EXPECT_EQ(c.zoneName + "|" + (c.candleMinutes ? std::to_string(*c.candleMinutes) : "-") + "|" + elevation +
                  "|" + error,
              expected);
  }
}

TEST(Cities, EveryParseMessage) {
  const std::pair<std::string, const char*> cases[] = {
      {"\t\"X\", 1,0 N, 1,0 E, GMT", "Begin of city name (\") expected"},
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
      {"\"X\", 99999,5 N, 8,42 E, GMT+1", "Number too large"},
      {"\"X\", 32,5 N, 8,42 E, GMT+123456789012", "Number too large"},
      {"\"" + std::string(256, 'n') + "\", 1,0 N, 1,0 E, GMT", "City name too long"},
  };
  for (const auto& [line, message] : cases) {
    std::string error;
    Parse(line, 0, &error);
    EXPECT_EQ(error, message) << line;
  }
  Parse("\"" + std::string(255, 'n') + "\", 1,0 N, 1,0 E, GMT");
}

class CityFile : public ::testing::Test {
 protected:
  void SetUp() override { path_ = home_.lumaro("cities"); }
  void Write(const std::string& content) { testenv::WriteFile(path_, content); }
  // The zone hours of the city, or -99 when it is not found.
  int Zone(std::string_view name) {
    int lat = 0, lon = 0, zone = -99;
    CityGet(path_, name, &lat, &lon, &zone);
    return zone;
  }
  std::string Message(int line, const std::string& reason) {
    return "File " + path_ + ", line " + std::to_string(line) + ": " + reason + "\n";
  }
  testenv::TempHome home_;
  std::string path_;
};

TEST_F(CityFile, LineNumbersCommentsAndFirstMatch) {
  Write(
      "# A city file\n"                                  // 1
      "\"Alpha\", 1,0 N, 1,0 E, GMT+1\n"                 // 2
      "\"Bad\" 1,0 N, 1,0 E, GMT+1\n"                    // 3: error
      "\n\n"                                             // 4, 5
      "\"Gamma\", 2,0 S, 2,0 W, GMT-2  # \"Delta\"\r\n"  // 6 (CR LF counts once)
      "\"Eps\", x\r\n"                                   // 7: error
      "    \n"                                           // 8
      "\"alpha\", 9,0 N, 9,0 E, GMT+9\n"                 // 9: same name, second
      "\t\n"                                             // 10: a tab is not blank
      "\n\n");
  int lat = -1, lon = -1, zone = -1;
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "ALPHA", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(), Message(3, "Comma (,) after city name expected") +
                                     Message(7, "Comma (,) after latitude hour expected") +
                                     Message(10, "Begin of city name (\") expected"));
  EXPECT_EQ(lat * 10000 + lon * 10 + zone, 100 * 10000 + 100 * 10 + 1);
  // The parsed file is kept: the messages are not repeated.
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "gamma", &lat, &lon, &zone), 1);
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(lat * 10000 + lon * 10 + zone, -200 * 10000 - 200 * 10 - 2);
  // A name only in a comment is not a city; the outputs stay untouched.
  lat = lon = zone = 42;
  EXPECT_EQ(CityGet(path_, "Delta", &lat, &lon, &zone), 0);
  EXPECT_EQ(CityGet(path_, "", &lat, &lon, &zone), 0);
  EXPECT_EQ(lat + lon + zone, 3 * 42);
}

// A bad field value is reported like a bad line, once per version of the
// file, and the city stays usable.
TEST_F(CityFile, BadFieldValueReportedOnce) {
  Write("\"A\", 1,0 N, 1,0 E, GMT+1\n\"J\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=forty\n");
  CaptureStdout();
  EXPECT_EQ(Zone("J"), 2);
  EXPECT_EQ(Zone("J"), 2);
  EXPECT_EQ(GetCapturedStdout(), Message(2, "candles= must be whole minutes from 0 to 99"));
  CityRec city;
  ASSERT_EQ(CityGet(path_, "J", &city), 1);
  EXPECT_FALSE(city.candleMinutes);
  Write("\"J\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=40\n");
  CaptureStdout();
  ASSERT_EQ(CityGet(path_, "J", &city), 1);
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(city.candleMinutes, 40);
}

// A NUL byte, carriage returns alone (which do not count lines) and lines
// longer than the buffers (a long comment is fine) spoil only their line.
TEST_F(CityFile, BadBytesAndOverlongLines) {
  const std::string longName(300, 'x');
  const struct {
    std::string content;
    std::string messages;
  } cases[] = {
      {std::string("\"A\", 1,0 N, 1,0 E, GMT+1\n\"B\0\", 2,0 N, 2,0 E, GMT+2 # \0\n\"C\", 3,0 N, 3,0 E, GMT+3\n", 80),
       Message(2, "NUL byte in line")},
      {"\"A\", 1,0 N, 1,0 E, GMT+1\r\"B\" x\r\"C\", 3,0 N, 3,0 E, GMT+3\r",
       Message(1, "Comma (,) after city name expected")},
      {"\"" + longName + "\", 1,0 N, 1,0 E, GMT+1\n\"P\", 1,0 N, 1,0 E, GMT+1 " + std::string(600, ' ') +
           "\n\"C\", 3,0 N, 3,0 E, GMT+3 #" + std::string(5000, 'c') + "\n",
       Message(1, "City name too long") + Message(2, "Line too long")},
  };
  for (const auto& c : cases) {
    Write(c.content);
    CaptureStdout();
    EXPECT_EQ(Zone("C"), 3);
    EXPECT_EQ(GetCapturedStdout(), c.messages);
  }
  EXPECT_EQ(Zone(longName), -99);
}

TEST_F(CityFile, EditsAreSeenAtOnceExceptWithinASnapshot) {
  Write("\"Here\", 1,0 N, 1,0 E, GMT+1\n");
  EXPECT_EQ(Zone("Here"), 1);
  Write("\"Here\", 1,0 N, 1,0 E, GMT+10\n");
  EXPECT_EQ(Zone("Here"), 10);
  // Removed: reported once, not found; then back again.
  std::remove(path_.c_str());
  CaptureStdout();
  EXPECT_EQ(Zone("Here"), -99);
  EXPECT_EQ(Zone("Here"), -99);
  EXPECT_EQ(GetCapturedStdout(), "File " + path_ + " could not be opened\n");
  EXPECT_EQ(CityGetStringList(path_), std::vector<std::string>{""});
  Write("\"Here\", 1,0 N, 1,0 E, GMT+2\n");
  EXPECT_EQ(Zone("Here"), 2);
  {
    const CityFileSnapshot outer;
    EXPECT_EQ(Zone("Here"), 2);
    Write("\"Here\", 1,0 N, 1,0 E, GMT+10\n");
    {
      const CityFileSnapshot inner;
      EXPECT_EQ(Zone("Here"), 2);
    }
    EXPECT_EQ(Zone("Here"), 2);
  }
  EXPECT_EQ(Zone("Here"), 10);
  Write("\"Here\", 1,0 N, 1,0 E, GMT+7\n");
  const CityFileSnapshot next;  // looks again
  EXPECT_EQ(Zone("Here"), 7);
}

TEST_F(CityFile, AccentedNamesAndTheDropDownList) {
  Write(
      "\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1\n"
      "\"Berlin\", 52,31 N, 13,25 E, GMT+1\n"
      "\"Caf\xB4 Town\", 1,0 N, 1,0 E, GMT+2\n"
      "\"Berlin\", 52,31 N, 13,25 E, GMT+1\n"
      "\"Aachen\", 50,47 N, 6,5 E, GMT+1\n");
  // The lookup name is in the file's encoding; only ASCII letters fold.
  EXPECT_EQ(Zone("z\xFCrich"), 1);
  EXPECT_EQ(Zone("Z\xDCRICH"), -99);
  // An acute accent is stored as an apostrophe; the setting must use it.
  EXPECT_EQ(Zone("Caf' Town"), 2);
  EXPECT_EQ(Zone("Caf\xB4 Town"), -99);
  EXPECT_EQ(CityGetStringList(path_),
            (std::vector<std::string>{"", "Aachen", "Berlin", "Berlin", "Caf' Town", "Z\xC3\xBCrich"}));
}

// The city file that ships with the program.
TEST(Cities, ShippedFile) {
  const std::string path = std::string(LUMARO_SOURCE_DATADIR) + "/cities";
  CaptureStdout();
  const std::vector<std::string> names = CityGetStringList(path);
  EXPECT_EQ(GetCapturedStdout(), "");  // every line parses
  EXPECT_GE(names.size(), 301u);

  // The default city, and places whose position and time are common knowledge.
  const struct {
    const char* name;
    int latitude, longitude, zone;
    const char* zoneName;
  } known[] = {{"Pforzheim", 4853, 842, 1, "Europe/Berlin"},
               {"Jerusalem", 3146, 3513, 2, "Asia/Jerusalem"},
               {"New York City", 4043, -7400, -5, "America/New_York"},
               {"London", 5130, -8, 0, "Europe/London"},
               {"Buenos Aires", -3437, -5823, -3, "America/Argentina/Buenos_Aires"},
               {"Sydney", -3352, 15112, 10, "Australia/Sydney"},
               {"Kolkata", 2234, 8822, 5, "Asia/Kolkata"},
               {"Adelaide", -3456, 13836, 9, "Australia/Adelaide"},
               {"St. John's", 4734, -5243, -3, "America/St_Johns"},
               {"Z\xFCrich", 4722, 833, 1, "Europe/Zurich"}};
  for (const auto& k : known) {
    SCOPED_TRACE(k.name);
    CityRec city;
    ASSERT_EQ(CityGet(path, k.name, &city), 1);
    EXPECT_NEAR(city.latitude, k.latitude, 5);
    EXPECT_NEAR(city.longitude, k.longitude, 15);
    EXPECT_EQ(city.gmtOffset, k.zone);
    EXPECT_EQ(city.zoneName, k.zoneName);
  }
  EXPECT_NE(std::find(names.begin(), names.end(), "Z\xC3\xBCrich"), names.end());

  // The customary candle-lighting minutes of Jerusalem and Haifa.
  for (const auto& [name, minutes] : {std::pair{"Jerusalem", 40}, {"Haifa", 30}}) {
    CityRec city;
    ASSERT_EQ(CityGet(path, name, &city), 1);
    EXPECT_EQ(city.candleMinutes, minutes) << name;
  }
  CityRec telAviv;
  ASSERT_EQ(CityGet(path, "Tel Aviv", &telAviv), 1);
  EXPECT_FALSE(telAviv.candleMinutes);

  // Every city names a zone the database knows, and its GMT hours are the
  // zone's standard offset truncated toward zero: the smaller of the offsets
  // in January and July 2024 (zones that move their clocks back in winter
  // or for Ramadan aside). Names are unique ignoring case.
  const std::set<std::string> winterBack = {"Europe/Dublin", "Africa/Casablanca"};
  std::set<std::string> upper;
  int odd = 0;
  for (size_t i = 1; i < names.size(); ++i) {
    std::string latin1, u = names[i];
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
    odd += standard % 3600 != 0;
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(upper.insert(u).second) << names[i];
  }
  EXPECT_GE(odd, 40);  // the cities of half- and quarter-hour zones are there
}

}  // namespace
