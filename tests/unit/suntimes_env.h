// A private HOME with a small city file, default settings and an empty
// translation table, for the tests of the day's times.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/translate.h"
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
  const int h = minutes / 60, m = minutes % 60;
  return std::string(1, static_cast<char>('0' + h / 10)) + static_cast<char>('0' + h % 10) + ":" +
         static_cast<char>('0' + m / 10) + static_cast<char>('0' + m % 10);
}

}  // namespace testenv
