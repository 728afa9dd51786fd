#include "forms/city_names.h"

#include <algorithm>
#include <cstdlib>

#include "base/text_format.h"
#include "base/translate.h"
#include "suntimes/cities.h"
#include "suntimes/timezone.h"

namespace {

constexpr size_t kMaxClosest = 3;
// Letters a name may be away and still be offered.
constexpr size_t kMaxDistance = 3;

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// How far a city's key is from the typed key: a key that holds the other,
// or is held by it, by the letters between them; else by the edit distance,
// after every such key. Nothing for one too far.
std::optional<size_t> Nearness(std::string_view key, std::string_view typed) {
  const size_t apart = key.size() > typed.size() ? key.size() - typed.size() : typed.size() - key.size();
  if (key.find(typed) != std::string_view::npos || typed.find(key) != std::string_view::npos) return apart;
  const size_t distance = EditDistance(key, typed);
  if (distance > kMaxDistance) return std::nullopt;
  return 1000 + distance;
}

}  // namespace

std::optional<std::string> FindCityByName(const std::vector<CityChoice>& cities, std::string_view typed,
                                          std::vector<std::string>* closest) {
  for (const CityChoice& city : cities)
    if (city.name == typed) return city.name;
  const std::string key = CitySearchKey(typed);
  for (const CityChoice& city : cities)
    if (!key.empty() && city.searchKey == key) return city.name;
  if (!closest || key.find_first_not_of(' ') == std::string::npos) return std::nullopt;
  std::vector<std::pair<size_t, const CityChoice*>> near;
  for (const CityChoice& city : cities)
    if (const std::optional<size_t> n = Nearness(city.searchKey, key)) near.emplace_back(*n, &city);
  std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  closest->clear();
  for (size_t i = 0; i < near.size() && i < kMaxClosest; ++i) closest->push_back(near[i].second->name);
  return std::nullopt;
}

std::string FestivalRulesText(const std::string& cityFile, const std::string& city) {
  std::string latin1;
  CityRec place;
  if (!Latin1FromUtf8(city, &latin1) || !CityGet(cityFile, latin1, &place)) return {};
  const std::string& format = CityKeepsIsraelRules(place)
                                  ? translate_perform("Festivals: as in the Land of Israel (%s)")
                                  : translate_perform("Festivals: as in the Diaspora (%s)");
  return FormatText(format, {city});
}

std::string FestivalRulesText(IsraelRulesChoice choice, const std::string& cityFile, const std::string& city) {
  if (choice == IsraelRulesChoice::kCity) return FestivalRulesText(cityFile, city);
  const std::string& format = choice == IsraelRulesChoice::kIsrael
                                  ? translate_perform("Festivals: as in the Land of Israel (%s)")
                                  : translate_perform("Festivals: as in the Diaspora (%s)");
  return FormatText(format, {translate_perform("your choice")});
}

std::string QuotedNames(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
    text += "\"" + names[i] + "\"";
  }
  return text;
}
