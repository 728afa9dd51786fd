// The place dialog apart from its widgets: a place of the user's own, as
// typed, checked field by field and turned into a line of the city file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "suntimes/cities.h"

// What the dialog's fields hold, in UTF-8 as typed.
struct PlaceForm {
  std::string name;
  // Decimal degrees ("31.7767", "-73.9857") or degrees and minutes, and
  // optionally seconds, with N/S or E/W ("31 46 N", "31°46'N", "73,59 W").
  std::string latitude;
  std::string longitude;
  std::string zone;       // a zone name of the time-zone database
  std::string elevation;  // metres above sea level, or blank
  std::string candles;    // candle-lighting minutes before sunset, or blank
};

// A checked place: its line of the city file in ISO-8859-1 (no comment, no
// line end), and what the line stands for.
struct PlaceLine {
  std::string line;
  CityRec city;
};

// Reads a latitude (`latitude` true) or longitude as the form takes it into
// degrees * 100 + minutes, rounded to the nearest minute, negative for S or
// W: "31.7767" gives 3147, "73,59 W" -7359. "" when it is one, else the
// message (translated).
std::string ReadCoordinate(std::string_view text, bool latitude, int* packed);

// The zone's standard time in the Gregorian year `year`, in minutes east of
// Greenwich, from the time-zone database as the program's clocks read it:
// the lowest offset of the year at noon UTC of each day, unless it holds on
// fewer than 90 days (a zone that moves its clocks back only for a month),
// then the offset of the most days. Asia/Jerusalem 120, Asia/Kolkata 330.
// Nothing for a zone the database does not know.
std::optional<int> ZoneStandardMinutes(const std::string& zone, int year);

// Checks the form against the zones of the database (`zones`) and the
// cities of the file (`cities`; the place being edited, named `editing` in
// ISO-8859-1, does not count as a duplicate), with the GMT field of the
// standard time in `year`. Fills `out` and returns "" when the place is
// good, else the message of the first failing check (translated).
std::string ReadPlaceForm(const PlaceForm& form, const std::vector<std::string>& zones,
                          const std::vector<CityRec>& cities, std::string_view editing, int year, PlaceLine* out);

// An example of what is typed ("31 46 N"), as messages and hints show it:
// in a language written right to left it is kept left to right within the
// text (between the marks U+202A and U+202C, and a right-to-left mark
// after it), else as it is.
std::string PlaceExample(std::string_view typed);

// The form showing a place of the file, for editing it.
PlaceForm PlaceFormOf(const CityRec& city);
