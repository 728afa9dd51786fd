// The values of the location and Shabbat-times dialog, apart from its
// widgets: what the dialog shows at opening, and the check and storing of
// what the user confirmed.
#pragma once

#include <string>

struct ShabbatTimesForm {
  std::string location;        // city name in UTF-8, as listed
  std::string candleLighting;  // whole minutes before sunset, as typed
  std::string havdalah;        // minutes after sunset, or degrees below the horizon
  bool havdalahIsMin = true;   // false: havdalah is a depression angle
  // The sun calculation: false classic, true precise; and whether the
  // precise sunrise and sunset are seen from the city's elevation.
  bool preciseSun = false;
  bool sunElevation = false;
};

// The form filled from the settings (the stored city converted to UTF-8).
ShabbatTimesForm ShabbatTimesFormFromSettings();

// Checks the form; when it is valid the settings are set from it (city in
// the city file's encoding, the sun calculation and the elevation choice as
// they are) and "" is returned. Otherwise nothing changes
// and the message of the first failing check is returned:
//   "A location must be selected", "Candle Lighting must be an integer number",
//   "Havdalah must be a number".
std::string ShabbatTimesFormApply(const ShabbatTimesForm& form);
