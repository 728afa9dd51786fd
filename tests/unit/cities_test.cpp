// The city file: its lines (tests/data/city_lines.tsv, worked by hand from the documented format), the messages of bad
// lines, edits, encodings, and the shipped file against the system's time-zone database.
#include "suntimes/cities.h"

#include <gtest/gtest.h>

#include "suntimes/timezone.h"
#include "suntimes_env.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(Cities, LinesOfACityFile) {
  const auto rows = testenv::CaseRows("city_lines.tsv");
  ASSERT_GT(rows.size(), 40u);
  for (const auto& row : rows) {
    CityRec c;
    std::string message;
    const int ok = CityProcessLine(row[0], &c, &message);
    const std::string fields = c.zoneName + "|" + (c.candleMinutes ? std::to_string(*c.candleMinutes) : "-") + "|" +
                               (c.elevationMetres ? testing::PrintToString(*c.elevationMetres) : "-") + "|" + message;
    const std::string place = row[1][0] == '@'
                                  ? "@"
                                  : c.name + "|" + std::to_string(c.latitude) + "|" + std::to_string(c.longitude) +
                                        "|" + std::to_string(c.gmtOffset) + "|";
    EXPECT_EQ(ok != 1 ? "error: " + message : place + fields, row[1]) << row[0];
  }
}

class CityFile : public ::testing::Test {
 protected:
  void Write(const std::string& content) { testenv::WriteFile(path_, content); }
  int Zone(std::string_view name) {  // -99 when the city is not found
    int lat = 0, lon = 0, zone = -99;
    CityGet(path_, name, &lat, &lon, &zone);
    return zone;
  }
  testenv::TempHome home_;
  std::string path_ = home_.lumaro("cities");
};

// Line numbers in the messages (CR LF counts once, a lone CR not at all, a NUL byte or an overlong line spoils only its
// line), comments, the first of two equal names, and each message once per version of the file.
TEST_F(CityFile, LineNumbersCommentsAndBadBytes) {
  Write(
      "# A city file\n\"Alpha\", 1,0 N, 1,0 E, GMT+1\n\"Bad\" 1,0 N, 1,0 E, GMT+1\n"
      "\n\"Gamma\", 2,0 S, 2,0 W, GMT-2  # \"Delta\"\r\n\"B" +
      std::string(1, '\0') +
      "\", 2,0 N, 2,0 E, GMT+2\n"
      "\"alpha\", 9,0 N, 9,0 E, GMT+9\n\t\n\"J\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=forty\n"
      "\"P\", 1,0 N, 1,0 E, GMT+1 " +
      std::string(600, ' ') + "\n\"C\", 3,0 N, 3,0 E, GMT+3 #" + std::string(5000, 'c') +
      "\n\"D\" x\r\"E\", 4,0 N, 4,0 E, GMT+4\r\n");
  int lat = -1, lon = -1, zone = -1;
  CaptureStdout();
  EXPECT_EQ(CityGet(path_, "ALPHA", &lat, &lon, &zone), 1);
  std::string messages;
  for (const auto& [line, reason] : {std::pair{3, "Comma (,) after city name expected"},
                                     {6, "NUL byte in line"},
                                     {8, "Begin of city name (\") expected"},
                                     {9, "candles= must be whole minutes from 0 to 99"},
                                     {10, "Line too long"},
                                     {12, "Comma (,) after city name expected"}})
    messages += "File " + path_ + ", line " + std::to_string(line) + ": " + reason + "\n";
  EXPECT_EQ(GetCapturedStdout(), messages);
  EXPECT_EQ(lat * 10000 + lon * 10 + zone, 100 * 10000 + 100 * 10 + 1);
  CaptureStdout();
  EXPECT_EQ(std::vector({Zone("gamma"), Zone("C"), Zone("E"), Zone("J"), Zone("Delta")}),
            std::vector({-2, 3, 4, 2, -99}));
  EXPECT_EQ(GetCapturedStdout(), "");
  lat = lon = zone = 42;
  EXPECT_EQ(CityGet(path_, "", &lat, &lon, &zone), 0);
  EXPECT_EQ(lat + lon + zone, 3 * 42);  // untouched
}

TEST_F(CityFile, EditsAreSeenAtOnceExceptWithinASnapshot) {
  Write("\"Here\", 1,0 N, 1,0 E, GMT+1\n");
  EXPECT_EQ(Zone("Here"), 1);
  Write("\"Here\", 1,0 N, 1,0 E, GMT+10\n");
  EXPECT_EQ(Zone("Here"), 10);
  std::remove(path_.c_str());
  CaptureStdout();
  EXPECT_EQ(Zone("Here") + Zone("Here"), -198);
  EXPECT_EQ(GetCapturedStdout(), "File " + path_ + " could not be opened\n");
  EXPECT_EQ(CityGetStringList(path_), std::vector<std::string>{""});
  Write("\"Here\", 1,0 N, 1,0 E, GMT+2\n");
  {
    const CityFileSnapshot outer;
    EXPECT_EQ(Zone("Here"), 2);
    Write("\"Here\", 1,0 N, 1,0 E, GMT+10\n");
    const CityFileSnapshot inner;
    EXPECT_EQ(Zone("Here"), 2);
  }
  EXPECT_EQ(Zone("Here"), 10);
}

// Names are in the file's encoding (ISO-8859-1); the list shows them in UTF-8, sorted; only ASCII letters fold in a
// lookup; an acute accent is stored as an apostrophe.
TEST_F(CityFile, AccentedNamesAndTheDropDownList) {
  Write("\"Z\xFCrich\", 47,22 N, 8,33 E, GMT+1\n\"Berlin\", 52,31 N, 13,25 E, GMT+1\n"
        "\"Caf\xB4 Town\", 1,0 N, 1,0 E, GMT+2\n\"Aachen\", 50,47 N, 6,5 E, GMT+1\n");
  EXPECT_EQ(std::vector({Zone("z\xFCrich"), Zone("Z\xDCRICH"), Zone("Caf' Town")}), std::vector({1, -99, 2}));
  EXPECT_EQ(CityGetStringList(path_), (std::vector<std::string>{"", "Aachen", "Berlin", "Caf' Town", "Z\xC3\xBCrich"}));
}

// The shipped file: every line parses, names are unique ignoring case, every city names a zone the database knows, and
// its GMT hours are that zone's standard offset truncated toward zero (the smaller of January's and July's; zones that
// move their clocks back in winter aside).
TEST(Cities, ShippedFile) {
  const std::string path = std::string(LUMARO_SOURCE_DATADIR) + "/cities";
  CaptureStdout();
  const std::vector<std::string> names = CityGetStringList(path);
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_GE(names.size(), 301u);
  std::set<std::string> upper;
  int odd = 0;
  for (size_t i = 1; i < names.size(); ++i) {
    std::string latin1, u = names[i];
    CityRec city;
    ASSERT_TRUE(Latin1FromUtf8(names[i], &latin1) && CityGet(path, latin1, &city) == 1) << names[i];
    const auto january = testenv::ShownOffsetMinutes(city.zoneName, 1704456000);  // 2024-01-05 12:00 UTC
    const auto july = testenv::ShownOffsetMinutes(city.zoneName, 1719835200);     // 2024-07-01 12:00 UTC
    ASSERT_TRUE(january && july) << names[i];
    const bool winterBack = city.zoneName == "Europe/Dublin" || city.zoneName == "Africa/Casablanca";
    EXPECT_TRUE(winterBack || city.gmtOffset == std::min(*january, *july) / 60) << names[i];
    odd += std::min(*january, *july) % 60 != 0;
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(upper.insert(u).second) << names[i];
  }
  EXPECT_GE(odd, 40);
}

}  // namespace
