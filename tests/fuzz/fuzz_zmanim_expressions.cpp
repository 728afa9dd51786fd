// The zmanim expression language: any text evaluates to a minute value or -1 without crashing or
// undefined behaviour, at any place and date, in the classic and in the precise sun calculation
// (with an elevation).
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/diagnostics.h"
#include "fuzz_support.h"
#include "suntimes/calc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Home();
  if (size < 8) return 0;
  // The first bytes choose the place (degrees and minutes packed as DDDMM) and the day.
  const int lat = (data[0] << 8 | data[1]) % 18000 - 9000, lon = (data[2] << 8 | data[3]) % 36000 - 18000;
  const int packedLat = lat / 100 * 100 + (lat % 100) * 60 / 100, packedLon = lon / 100 * 100 + (lon % 100) * 60 / 100;
  const int zone = data[4] % 27 - 13, day = 1 + data[5] % 28, month = 1 + data[6] % 12,
            year = 1583 + (data[7] * 7) % 1418;
  const std::string expression(reinterpret_cast<const char*>(data + 8), size - 8);
  const DiagnosticsTo messages(nullptr);  // parsing messages are dropped
  (void)CalculateZmanim(packedLat, packedLon, zone, day, month, year, expression, SunOptions{});
  const ZmanimPlace place{packedLat, packedLon, zone, data[5] * 35.0};
  const std::optional<double> precise =
      CalculateZmanimMinutes(place, day, month, year, expression, SunOptions{SunCalculation::kPrecise, true});
  if (precise && !(std::fabs(*precise) < 2147483647.0)) std::abort();  // finite, within the minutes' int range
  return 0;
}
