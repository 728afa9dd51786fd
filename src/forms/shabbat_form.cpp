#include "forms/shabbat_form.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "base/settings.h"
#include "suntimes/cities.h"
#include "suntimes/timezone.h"

namespace {

// The value of a text that passed NumberIsInteger (digits between blanks);
// false when it does not fit an int.
bool IntegerValue(std::string_view text, int* value) {
  const size_t first = text.find_first_not_of(' ');
  const char* begin = text.data() + first;
  const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), *value);
  return ec == std::errc() && end != begin;
}

}  // namespace

ShabbatTimesForm ShabbatTimesFormFromSettings() {
  ShabbatTimesForm form;
  form.location = Utf8FromLatin1(getCity());
  form.candleLighting = std::to_string(getCandleLightingMin());
  form.havdalah = getHavdalahValue();
  form.havdalahIsMin = getHavdalahIsMin() == 1;
  form.preciseSun = getSunCalculation() == kSunCalculationPrecise;
  form.sunElevation = getSunElevation() != 0;
  form.rules = getIsraelRules();
  return form;
}

ShabbatCityChoice ShabbatTimesCityChosen(const std::string& location) {
  ShabbatCityChoice choice;
  std::string latin1;
  CityRec city;
  if (location.empty() || !Latin1FromUtf8(location, &latin1) || !CityGet(getCityFileName(), latin1, &city))
    return choice;
  choice.candleMinutes = city.candleMinutes;
  choice.offerCityZone = getDSTAutomatic() == 0 && !city.zoneName.empty() && TimeZoneIsKnown(city.zoneName);
  return choice;
}

std::string ShabbatTimesFormCheck(const ShabbatTimesForm& form) {
  // The city file is ISO-8859-1: the name is stored in that encoding so the
  // lookup finds it. Names come from the list, which holds only names of
  // that file, so the conversion fails only for a name that is not there.
  std::string city;
  if (form.location.empty() || !Latin1FromUtf8(form.location, &city) || city.size() > kCityMaxName)
    return "A location must be selected";
  int candleLighting = 0;
  // A number too large for the clock is refused like any other bad number.
  if (!NumberIsInteger(form.candleLighting) || !IntegerValue(form.candleLighting, &candleLighting))
    return "Candle Lighting must be an integer number";
  // Minutes must be whole; degrees may have a decimal point. An empty text
  // is refused: it would leave the end of Shabbat without any time.
  const bool havdalahValid = form.havdalahIsMin ? NumberIsInteger(form.havdalah) : NumberIsFloat(form.havdalah);
  return havdalahValid ? "" : "Havdalah must be a number";
}

std::string ShabbatTimesFormApply(const ShabbatTimesForm& form) {
  if (std::string error = ShabbatTimesFormCheck(form); !error.empty()) return error;
  std::string city;
  int candleLighting = 0;
  Latin1FromUtf8(form.location, &city);
  IntegerValue(form.candleLighting, &candleLighting);
  setCity(city);
  setCandleLightingMin(candleLighting);
  setHavdalahIsMin(form.havdalahIsMin ? 1 : 0);
  setHavdalahValue(form.havdalah);
  setSunCalculation(form.preciseSun ? kSunCalculationPrecise : kSunCalculationClassic);
  setSunElevation(form.sunElevation ? 1 : 0);
  if (form.useCityZone) setDSTAutomatic(1);
  setIsraelRules(form.rules);
  return "";
}

namespace {

// The unaccented lower-case letters of ISO-8859-1's codes 0xC0..0xFF ("" for
// the two signs among them, which stay as they are).
constexpr std::array<std::string_view, 64> kLatin1Folded = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  // 0xC0 À .. 0xCF Ï
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",  // 0xD0 Ð .. 0xDF ß
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  // 0xE0 à .. 0xEF ï
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",  // 0xF0 ð .. 0xFF ÿ
};

bool IsAsciiAlnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string FoldLatin1(std::string_view latin1) {
  std::string out;
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\'') continue;
    if (IsAsciiAlnum(c)) {
      out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    } else if (c >= 0xC0 && !kLatin1Folded[c - 0xC0].empty()) {
      out += kLatin1Folded[c - 0xC0];
    } else {
      out += ' ';
    }
  }
  return out;
}

// The words of a key, blanks collapsed, so "Tel  Aviv" and "tel-aviv" meet.
std::string Words(std::string_view key) {
  std::string out;
  for (const char c : key) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string ZoneText(const CityRec& city) {
  if (!city.zoneName.empty()) return city.zoneName;
  if (city.gmtOffset == 0) return "GMT";
  return (city.gmtOffset > 0 ? "GMT+" : "GMT") + std::to_string(city.gmtOffset);
}

}  // namespace

std::string CitySearchKey(std::string_view utf8) {
  std::string latin1;
  if (Latin1FromUtf8(utf8, &latin1)) return Words(FoldLatin1(latin1));
  // Not all of it is ISO-8859-1: fold the ASCII letters and keep the rest.
  std::string out;
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return Words(out);
}

std::vector<CityChoice> ShabbatFormCities(const std::string& cityFile) {
  std::vector<CityChoice> cities;
  for (const CityRec& rec : CityGetAll(cityFile)) {
    CityChoice c;
    c.name = Utf8FromLatin1(rec.name);
    c.zone = ZoneText(rec);
    c.searchKey = Words(FoldLatin1(rec.name));
    cities.push_back(std::move(c));
  }
  std::sort(cities.begin(), cities.end(), [](const CityChoice& a, const CityChoice& b) {
    return a.searchKey != b.searchKey ? a.searchKey < b.searchKey : a.name < b.name;
  });
  return cities;
}

std::vector<bool> CitiesMatchingSearch(const std::vector<CityChoice>& cities, std::string_view typed) {
  const std::string key = CitySearchKey(typed);
  std::vector<bool> match;
  match.reserve(cities.size());
  for (const CityChoice& c : cities) match.push_back(c.searchKey.find(key) != std::string::npos);
  return match;
}
