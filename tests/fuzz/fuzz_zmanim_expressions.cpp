// The zmanim expression language: any text evaluates to a minute value or
// -1 without crashing or undefined behaviour, at any place and date, in the
// classic and in the precise sun calculation (with an elevation).
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "base/diagnostics.h"
#include "fuzz_support.h"
#include "suntimes/calc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Home();
  if (size < 8) return 0;
  // The first bytes choose the place and the day, the rest is the expression.
  const int lat = (static_cast<int>(data[0]) << 8 | data[1]) % 18000 - 9000;
  const int lon = (static_cast<int>(data[2]) << 8 | data[3]) % 36000 - 18000;
  const int zone = static_cast<int>(data[4]) % 27 - 13;
  const int day = 1 + data[5] % 28;
  const int month = 1 + data[6] % 12;
  const int year = 1583 + (data[7] * 7) % 1418;
  const std::string expression(reinterpret_cast<const char*>(data + 8), size - 8);
  const DiagnosticsTo messages(nullptr);  // parsing messages are dropped
  const int packedLat = lat / 100 * 100 + (lat % 100) * 60 / 100;
  const int packedLon = lon / 100 * 100 + (lon % 100) * 60 / 100;
  const int t = CalculateZmanim(packedLat, packedLon, zone, day, month, year, expression, SunOptions{});
  (void)t;
  const ZmanimPlace place{packedLat, packedLon, zone, static_cast<double>(data[5]) * 35.0};
  const std::optional<double> precise = CalculateZmanimMinutes(place, day, month, year, expression,
                                                               SunOptions{SunCalculation::kPrecise, true});
  // A precise value is finite and within the int range of minutes.
  if (precise && !(std::fabs(*precise) < 2147483647.0)) std::abort();
  return 0;
}
