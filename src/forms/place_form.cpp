#include "forms/place_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "suntimes/timezone.h"

namespace {

// The messages name the ranges of cities.h.
static_assert(kCityMinElevation == -500 && kCityMaxElevation == 9000 && kCityMaxCandleMinutes == 99);

constexpr int kMinutesPerDegree = 60;
constexpr int kMinutesPerHour = 60;

// The messages of a latitude (`lat`) or longitude.
std::string MissingText(bool lat) { return translate_perform(lat ? "Enter the latitude" : "Enter the longitude"); }
std::string FormText(bool lat) {
  // The examples are what is typed, in every language.
  const std::string form =
      lat ? translate_perform("The latitude must be degrees (%s) or degrees and minutes with %s or %s (%s)")
          : translate_perform("The longitude must be degrees (%s) or degrees and minutes with %s or %s (%s)");
  const auto x = PlaceExample;
  return lat ? FormatText(form, {x("31.7767"), x("N"), x("S"), x("31 46 N")})
             : FormatText(form, {x("-73.9857"), x("E"), x("W"), x("73 59 W")});
}
std::string MinutesText(bool lat) {
  return translate_perform(lat ? "The minutes and seconds of the latitude must be less than 60"
                               : "The minutes and seconds of the longitude must be less than 60");
}
std::string RangeText(bool lat) {
  return translate_perform(lat ? "The latitude must be from -90 to 90 degrees"
                               : "The longitude must be from -180 to 180 degrees");
}

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The marks written between degrees, minutes and seconds, as UTF-8: degree
// sign, masculine ordinal (typed for it), prime and double prime.
constexpr std::string_view kMarks[] = {"\xC2\xB0", "\xC2\xBA", "\xE2\x80\xB2", "\xE2\x80\xB3"};

// The pieces of a coordinate: numbers (up to three), an optional sign
// before them and an optional letter before or after them.
struct CoordinatePieces {
  std::vector<std::string_view> numbers;
  char sign = 0;
  char letter = 0;
};

// Splits a coordinate at blanks, commas, apostrophes, quotes and the marks;
// false for anything else or pieces in the wrong place.
bool SplitCoordinate(std::string_view text, CoordinatePieces* pieces) {
  bool letterLast = false;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto mark = std::find_if(std::begin(kMarks), std::end(kMarks),
                                   [&](std::string_view m) { return text.substr(i, m.size()) == m; });
    if (mark != std::end(kMarks)) {
      i += mark->size();
    } else if (c == ' ' || c == '\t' || c == ',' || c == '\'' || c == '"') {
      ++i;
    } else if ((c >= '0' && c <= '9') || c == '.') {
      if (letterLast || pieces->numbers.size() == 3) return false;
      const size_t end = std::min(text.find_first_not_of("0123456789.", i), text.size());
      pieces->numbers.push_back(text.substr(i, end - i));
      i = end;
    } else if ((c == '+' || c == '-') && pieces->numbers.empty() && !pieces->sign && !pieces->letter) {
      pieces->sign = c;
      ++i;
    } else if (((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && !pieces->letter) {
      pieces->letter = static_cast<char>(c & ~0x20);  // upper case
      letterLast = !pieces->numbers.empty();
      ++i;
    } else {
      return false;
    }
  }
  return !pieces->numbers.empty() && !(pieces->sign && pieces->letter);
}

// A number of digits with an optional fraction ("31", "31.7767", ".5").
bool ReadNumber(std::string_view text, double* value) {
  if (text == "." || std::count(text.begin(), text.end(), '.') > 1) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value, std::chars_format::fixed);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

std::string ReadCoordinateAs(std::string_view text, bool lat, int* packed) {
  const char positive = lat ? 'N' : 'E';
  const char negative = lat ? 'S' : 'W';
  const int maxDegrees = lat ? 90 : 180;
  text = Trim(text);
  if (text.empty()) return MissingText(lat);
  CoordinatePieces pieces;
  if (!SplitCoordinate(text, &pieces) || (pieces.letter && pieces.letter != positive && pieces.letter != negative))
    return FormText(lat);
  // Degrees, minutes, seconds; only the last may have a fraction.
  double parts[3] = {0, 0, 0};
  for (size_t i = 0; i < pieces.numbers.size(); ++i) {
    const bool fractionAllowed = i + 1 == pieces.numbers.size();
    if (!ReadNumber(pieces.numbers[i], &parts[i]) || (!fractionAllowed && parts[i] != std::floor(parts[i])))
      return FormText(lat);
  }
  if (parts[1] >= 60 || parts[2] >= 60) return MinutesText(lat);
  const double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
  if (degrees > maxDegrees + 1) return RangeText(lat);
  const long minutes = std::lround(degrees * kMinutesPerDegree);
  if (minutes > maxDegrees * kMinutesPerDegree) return RangeText(lat);
  const int value = static_cast<int>(minutes / kMinutesPerDegree * 100 + minutes % kMinutesPerDegree);
  *packed = pieces.sign == '-' || pieces.letter == negative ? -value : value;
  return "";
}

// Latin-1 letters folded to lower case (A..Z, À..Þ but ×).
std::string FoldCase(std::string_view latin1) {
  std::string out(latin1);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = static_cast<char>(c + 0x20);
  }
  return out;
}

// The name in the file's encoding, or the message.
std::string ReadName(std::string_view typed, const std::vector<CityRec>& cities, std::string_view editing,
                     std::string* latin1) {
  const std::string_view name = Trim(typed);
  if (name.empty()) return translate_perform("Enter the name of the place");
  if (name.find_first_of(",\"#") != std::string_view::npos)
    return translate_perform("The name must not contain a comma, a double quote or #");
  const auto isControl = [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
  };
  if (!Latin1FromUtf8(name, latin1) || std::any_of(latin1->begin(), latin1->end(), isControl))
    return FormatText(translate_perform("The name may only have letters and signs of %s (Western European)"),
                      {"ISO-8859-1"});
  if (latin1->size() > kCityMaxName) return translate_perform("The name is too long");
  EliminateSpecialChars(*latin1);  // as the file's reader does
  const std::string folded = FoldCase(*latin1);
  for (const CityRec& city : cities) {
    if (city.name != editing && FoldCase(city.name) == folded)
      return FormatText(translate_perform("The city file already has a place named %s"), {Utf8FromLatin1(city.name)});
  }
  return "";
}

// An optional whole number in [0, high].
bool ReadWhole(std::string_view text, int high, std::optional<int>* value) {
  text = Trim(text);
  if (text.empty()) return true;
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < 0 || v > high) return false;
  *value = v;
  return true;
}

// An optional decimal number with an optional minus sign in [low, high].
bool ReadDecimal(std::string_view text, double low, double high, std::optional<double>* value) {
  text = Trim(text);
  if (text.empty()) return true;
  const std::string_view digits = text.substr(text[0] == '-' ? 1 : 0);
  double v = 0;
  if (digits.empty() || digits[0] == '.' || digits.back() == '.' || !ReadNumber(digits, &v)) return false;
  v = text[0] == '-' ? -v : v;
  if (v < low || v > high) return false;
  *value = v;
  return true;
}

std::string Coordinate(int packed, char positive, char negative) {
  const int value = std::abs(packed);
  return std::to_string(value / 100) + "," + std::to_string(value % 100) + " " + (packed < 0 ? negative : positive);
}

// "754", "12.5": the shortest text that reads back as the same number.
std::string Metres(double metres) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, metres, std::chars_format::fixed);
  return std::string(text, result.ptr);
}

// GMT+2, GMT-5, GMT+0; GMT+5:30 where the standard time has odd minutes
// (readers take the hours, truncated toward zero).
std::string GmtField(int minutesEast) {
  const int minutes = std::abs(minutesEast);
  std::string text = (minutesEast < 0 ? "GMT-" : "GMT+") + std::to_string(minutes / kMinutesPerHour);
  if (minutes % kMinutesPerHour) text += FormatText(":%02d", {minutes % kMinutesPerHour});
  return text;
}

std::string LineOf(const CityRec& city, int standardMinutes) {
  std::string line = "\"" + city.name + "\", " + Coordinate(city.latitude, 'N', 'S') + ", " +
                     Coordinate(city.longitude, 'E', 'W') + ", " + GmtField(standardMinutes) + ", " + city.zoneName;
  if (city.candleMinutes) line += ", candles=" + std::to_string(*city.candleMinutes);
  if (city.elevationMetres) line += ", elevation=" + Metres(*city.elevationMetres);
  return line;
}

bool SameCity(const CityRec& a, const CityRec& b) {
  return a.name == b.name && a.latitude == b.latitude && a.longitude == b.longitude && a.gmtOffset == b.gmtOffset &&
         a.zoneName == b.zoneName && a.candleMinutes == b.candleMinutes && a.elevationMetres == b.elevationMetres;
}

}  // namespace

std::string ReadCoordinate(std::string_view text, bool latitude, int* packed) {
  return ReadCoordinateAs(text, latitude, packed);
}

std::optional<int> ZoneStandardMinutes(const std::string& zone, int year) {
  CityRec city;
  city.zoneName = zone;
  std::map<int, int> days;  // offset in minutes -> days of the year
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= LastDayOfGregorianMonth(month, year); ++day) {
      const CityClock clock(city, GregorianDate{day, month, year}, nullptr, true);
      int hour = 0;
      int minute = 0;
      constexpr int kNoon = 12 * kMinutesPerHour;
      if (!clock.usesTimeZone() || !clock.Show(kNoon, &hour, &minute)) return std::nullopt;
      // Noon in the clock's whole hours east, shown as local time.
      ++days[hour * kMinutesPerHour + minute - kNoon + clock.zoneHours() * kMinutesPerHour];
    }
  }
  const auto lowest = days.begin();
  if (lowest->second >= 90) return lowest->first;
  return std::max_element(days.begin(), days.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

std::string ReadPlaceForm(const PlaceForm& form, const std::vector<std::string>& zones,
                          const std::vector<CityRec>& cities, std::string_view editing, int year, PlaceLine* out) {
  CityRec city;
  std::string error = ReadName(form.name, cities, editing, &city.name);
  if (error.empty()) error = ReadCoordinate(form.latitude, true, &city.latitude);
  if (error.empty()) error = ReadCoordinate(form.longitude, false, &city.longitude);
  if (!error.empty()) return error;
  city.zoneName = std::string(Trim(form.zone));
  if (city.zoneName.empty()) return translate_perform("Choose a time zone from the list");
  if (!std::binary_search(zones.begin(), zones.end(), city.zoneName))
    return FormatText(translate_perform("Unknown time zone %s: choose one from the list"), {city.zoneName});
  if (!ReadDecimal(form.elevation, kCityMinElevation, kCityMaxElevation, &city.elevationMetres))
    return translate_perform("The elevation must be metres from -500 to 9000, or left empty");
  if (!ReadWhole(form.candles, kCityMaxCandleMinutes, &city.candleMinutes))
    return translate_perform("The candle lighting must be whole minutes from 0 to 99, or left empty");
  const std::optional<int> standard = ZoneStandardMinutes(city.zoneName, year);
  if (!standard)
    return FormatText(translate_perform("The time zone %s cannot be read from the system's time-zone database"),
                      {city.zoneName});
  city.gmtOffset = *standard / kMinutesPerHour;  // truncated toward zero, as the file's reader takes it

  // The line must read back as the same place.
  PlaceLine place{LineOf(city, *standard), city};
  CityRec parsed;
  std::string parseError;
  if (!CityProcessLine(place.line, &parsed, &parseError) || !parseError.empty() || !SameCity(parsed, city))
    return translate_perform("The place cannot be written as a line of the city file");
  *out = std::move(place);
  return "";
}

std::string PlaceExample(std::string_view typed) {
  if (!isLanguageRightToLeft()) return std::string(typed);
  return "\u202A" + std::string(typed) + "\u202C\u200F";
}

PlaceForm PlaceFormOf(const CityRec& city) {
  PlaceForm form;
  form.name = Utf8FromLatin1(city.name);
  form.latitude = Coordinate(city.latitude, 'N', 'S');
  form.longitude = Coordinate(city.longitude, 'E', 'W');
  form.zone = city.zoneName;
  if (city.elevationMetres) form.elevation = Metres(*city.elevationMetres);
  if (city.candleMinutes) form.candles = std::to_string(*city.candleMinutes);
  return form;
}
