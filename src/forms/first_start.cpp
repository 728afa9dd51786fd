#include "forms/first_start.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <vector>

#include "base/choices.h"
#include "base/file_util.h"
#include "base/settings.h"
#include "base/settings_file.h"
#include "suntimes/cities.h"
#include "suntimes/timezone.h"

namespace {

// The zone named by a path ending in ".../zoneinfo/Area/City".
std::string ZoneOfPath(std::string_view path) {
  constexpr std::string_view kMark = "zoneinfo/";
  const size_t at = path.rfind(kMark);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(at + kMark.size()));
}

std::string LinkTarget(const char* path) {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink(path, buffer.data(), buffer.size() - 1);
  return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
}

std::string Known(const std::string& name) {
  if (name.empty() || !TimeZoneNameIsWellFormed(name)) return {};
  return CanonicalTimeZoneName(name);
}

}  // namespace

std::string SystemTimeZone() {
  if (const char* tz = std::getenv("TZ"); tz && *tz) {
    std::string_view name(tz);
    if (name.front() == ':') name.remove_prefix(1);
    // A path to a zone file names its zone; other TZ texts are rules, not names.
    const std::string zone = Known(name.find('/') == 0 ? ZoneOfPath(name) : std::string(name));
    if (!zone.empty()) return zone;
  }
  if (const std::string zone = Known(ZoneOfPath(LinkTarget("/etc/localtime"))); !zone.empty()) return zone;
  std::string text;
  if (ReadWholeFile("/etc/timezone", text)) return Known(text.substr(0, text.find_first_of(" \t\r\n")));
  return {};
}

int LocaleLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    const std::string_view locale(value);
    if (locale.rfind("he", 0) == 0 || locale.rfind("iw", 0) == 0) return kLanguageHebrew;
    if (locale.rfind("yi", 0) == 0) return kLanguageYiddish;
    return kLanguageEnglish;
  }
  return kLanguageEnglish;
}

std::string MostPopulousCity(const std::string& cityFile, const std::string& zone) {
  if (zone.empty()) return {};
  const CityRec* best = nullptr;
  const std::vector<CityRec> cities = CityGetAll(cityFile);
  for (const CityRec& city : cities) {
    // The city file writes the database's own names, as SystemTimeZone gives them.
    if (city.zoneName != zone) continue;
    if (!best || city.population.value_or(0) > best->population.value_or(0)) best = &city;
  }
  return best ? best->name : std::string();
}

PlaceProposal ProposePlace() {
  PlaceProposal p;
  p.zone = SystemTimeZone();
  p.city = MostPopulousCity(getCityFileName(), p.zone);
  if (p.city.empty()) {
    p.city = getCity();  // the default city, as before
    p.zone.clear();
  }
  p.language = LocaleLanguage();
  return p;
}

void ApplyPlaceProposal(const PlaceProposal& place) {
  setCity(place.city);
  CityRec city;
  if (CityGet(getCityFileName(), place.city, &city) && city.candleMinutes) setCandleLightingMin(*city.candleMinutes);
  setLanguage(place.language);
  setIsraelRules(IsraelRulesChoice::kCity);
}

bool FirstStart() { return settingsFileWasMissing(); }
