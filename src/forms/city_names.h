// A city named on a command line or typed in a field, found in the city
// list without regard to letter case and accents ("zurich" is "Zürich"),
// and, when none has that name, the names that come closest.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/shabbat_form.h"

// The city of the list named `typed` (UTF-8): the one whose name is `typed`
// exactly, else the first whose search key is `typed`'s. Nothing when none
// is; then `closest` (when given) gets up to three names, the nearest first:
// those whose search keys hold `typed`'s or are held by it, else those a few
// letters away.
std::optional<std::string> FindCityByName(const std::vector<CityChoice>& cities, std::string_view typed,
                                          std::vector<std::string>* closest = nullptr);
// `"A"`, `"A" or "B"`, `"A", "B" or "C"`: names for a message.
std::string QuotedNames(const std::vector<std::string>& names);

// The line under a city list that says how the festivals are kept when they
// follow the city (UTF-8, as listed), translated: "Festivals: as in the Land
// of Israel (Jerusalem)" or "Festivals: as in the Diaspora (New York City)";
// empty for a city the file does not have.
std::string FestivalRulesText(const std::string& cityFile, const std::string& city);
// The same line for the rules chosen: by the city as above, else "Festivals:
// as in the Land of Israel (your choice)" or "... the Diaspora (your choice)".
std::string FestivalRulesText(IsraelRulesChoice choice, const std::string& cityFile, const std::string& city);
