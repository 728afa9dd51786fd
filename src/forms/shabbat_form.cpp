#include "forms/shabbat_form.h"

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

std::string ShabbatTimesFormApply(const ShabbatTimesForm& form) {
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
  if (!havdalahValid) return "Havdalah must be a number";

  setCity(city);
  setCandleLightingMin(candleLighting);
  setHavdalahIsMin(form.havdalahIsMin ? 1 : 0);
  setHavdalahValue(form.havdalah);
  setSunCalculation(form.preciseSun ? kSunCalculationPrecise : kSunCalculationClassic);
  setSunElevation(form.sunElevation ? 1 : 0);
  if (form.useCityZone) setDSTAutomatic(1);
  return "";
}
