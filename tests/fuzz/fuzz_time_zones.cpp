// Zone names as city files carry them and rule texts as zone files end with: any input is looked up
// or read without crashing, and an offset found is one a zone can have.
#include <cstring>
#include <string>

#include "calendar/calendar.h"
#include "fuzz_support.h"
#include "suntimes/posix_tz.h"
#include "suntimes/timezone.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)fuzz::Home();
  int64_t utc = 0;  // the first 8 bytes choose an instant; the rest is the text
  if (size >= sizeof utc) {
    std::memcpy(&utc, data, sizeof utc);
    data += sizeof utc;
    size -= sizeof utc;
  }
  const std::string text(reinterpret_cast<const char*>(data), size);
  PosixTz tz;
  if (PosixTzParse(text, &tz)) {
    const int32_t offset = PosixTzPeriodAt(tz, utc).offset;
    if (offset != tz.standardOffset && offset != tz.summerOffset) __builtin_trap();
    (void)PosixTzStartUtc(tz, static_cast<int>(utc % 20000));
  }
  // Zone names: only well-formed ones reach the database; the instant stays within the calendar's years.
  const int64_t days = utc % (int64_t{1500} * 366);
  const CityClock clock(CityRec{text, 0, 0, 0, text, {}, {}, {}},
                        GregorianFromAbsolute(AbsoluteFromGregorian({1, 1, 1970}) + days), nullptr, true);
  int hour = 0, minute = 0;
  if (clock.usesTimeZone() && (!clock.Show(720, &hour, &minute) || hour < 0 || hour > 12 + 26 + 26)) __builtin_trap();
  return 0;
}
