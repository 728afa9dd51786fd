// A private HOME with a small city file, default settings and an empty translation table, for the tests of the day's
// times.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>

#include "base/settings.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "suntimes/timezone.h"
#include "suntimes/zmanim.h"
#include "test_env.h"

namespace testenv {

class SunTimesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(home_.lumaro("cities"),
              "\"Pforzheim\", 48,53 N, 8,42 E, GMT+1\n"
              "\"Frankfurt (Main)\", 50,7 N, 8,41 E, GMT+1\n"
              "\"Helsinki\", 60,10 N, 24,56 E, GMT+2\n"
              "\"Longyearbyen\", 78,13 N, 15,38 E, GMT+1\n"
              "\"Tromso\", 69,39 N, 18,57 E, GMT+1\n"
              "\"Jerusalem\", 31,46 N, 35,13 E, GMT+2\n"
              "\"Sydney\", 33,52 S, 151,12 E, GMT+10\n");
    settingsReset();
    translate_init("english");
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  TempHome home_;
};

// "HH:MM" of a time in minutes, as the 24-hour clock shows it.
inline std::string Clock(int minutes) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
  return text;
}

// Minutes east of Greenwich the program's clock of the zone shows at `utc` (seconds since 1970); nothing for a zone the
// database does not know.
inline std::optional<int> ShownOffsetMinutes(const std::string& zone, int64_t utc) {
  const int64_t days = utc / 86400 - (utc % 86400 < 0 ? 1 : 0);
  const GregorianDate date = GregorianFromAbsolute(AbsoluteFromGregorian({1, 1, 1970}) + days);
  const CityClock clock(CityRec{zone, 0, 0, 0, zone, {}, {}, {}}, date, nullptr, true);
  if (!clock.usesTimeZone()) return std::nullopt;
  const int64_t utcMinutes = (utc - days * 86400) / 60;
  int hour = 0, minute = 0;
  clock.Show(static_cast<int>(utcMinutes + (UtcSecondsOf(date, 0, 0) - clock.UtcSeconds(0)) / 60), &hour, &minute);
  int offset = static_cast<int>(hour * 60 + minute - utcMinutes);
  if (offset > 15 * 60) offset -= 1440;
  return offset;
}

// Chooses the option `value` for the row stored under `key`; false for a key of no row with a choice.
inline bool Choose(ZmanimOpinions& opinions, const std::string& key, const std::string& value) {
  for (size_t row = 0; row < ZmanimRecs.size(); ++row) {
    if (ZmanimRecs[row].kind != kZmanimChoice || ZmanimSettingsKey(ZmanimRecs[row]) != key) continue;
    opinions.index[row] = ZmanimOptionIndex(ZmanimRecs[row], value);
    return true;
  }
  return false;
}

}  // namespace testenv
