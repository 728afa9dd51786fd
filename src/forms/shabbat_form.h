// The values of the location and Shabbat-times dialog, apart from its
// widgets: what the dialog shows at opening, and the check and storing of
// what the user confirmed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"

struct ShabbatTimesForm {
  std::string location;        // city name in UTF-8, as listed
  std::string candleLighting;  // whole minutes before sunset, as typed
  std::string havdalah;        // minutes after sunset, or degrees below the horizon
  bool havdalahIsMin = true;   // false: havdalah is a depression angle
  // The sun calculation: false classic, true precise; and whether the
  // precise sunrise and sunset are seen from the city's elevation.
  bool preciseSun = false;
  bool sunElevation = false;
  // The check box under the list: times by the city's own time zone
  // (DSTAutomatic) from now on. Unchecked leaves that setting alone.
  bool useCityZone = false;
  // How the festivals are kept: as the city's zone says, or by choice.
  IsraelRulesChoice rules = IsraelRulesChoice::kCity;
};

// What choosing a city in the list brings into the dialog.
struct ShabbatCityChoice {
  // The city's own candle-lighting minutes (candles= of its line), for the
  // candle-lighting field; the user can still change them.
  std::optional<int> candleMinutes;
  // The city's line names a zone the time-zone database knows while times
  // follow the manual daylight-saving rule: the dialog offers the zone.
  bool offerCityZone = false;
};
// Looks the city (UTF-8, as listed) up in the city file; nothing for a name
// that is not there.
ShabbatCityChoice ShabbatTimesCityChosen(const std::string& location);

// The form filled from the settings (the stored city converted to UTF-8).
ShabbatTimesForm ShabbatTimesFormFromSettings();

// Checks the form; when it is valid the settings are set from it (city in
// the city file's encoding, the sun calculation and the elevation choice as
// they are; DSTAutomatic on when useCityZone) and "" is returned. Otherwise nothing changes
// and the message of the first failing check is returned:
//   "A location must be selected", "Candle Lighting must be an integer number",
//   "Havdalah must be a number".
std::string ShabbatTimesFormApply(const ShabbatTimesForm& form);
// The checks of ShabbatTimesFormApply alone: its message, or "".
std::string ShabbatTimesFormCheck(const ShabbatTimesForm& form);

// ------------------------------------------------------------ the city list

// A city as the location list shows it.
struct CityChoice {
  std::string name;       // UTF-8, the value the form's location takes
  std::string zone;       // the time-zone name of the file, else "GMT+2", "GMT-5", "GMT"
  std::string searchKey;  // CitySearchKey of the name
};

// The cities of the city file, ordered by their search keys (then by name).
std::vector<CityChoice> ShabbatFormCities(const std::string& cityFile);

// A text as the city search compares it: the letters of ISO-8859-1 without
// their accents and in lower case ("Zürich" and "ZURICH" both "zurich", "ß"
// "ss", "Æ" "ae"), apostrophes left out and every other character that is
// not a letter or digit a blank. Characters outside ISO-8859-1 stay as they
// are (they match no city).
std::string CitySearchKey(std::string_view utf8);

// Which cities' search keys hold the search key of what is typed (an empty
// or blank text matches every city): one flag per city.
std::vector<bool> CitiesMatchingSearch(const std::vector<CityChoice>& cities, std::string_view typed);
