// The city file: any content parses without crashing (its first line alone, as the reader sees each
// line, and the whole file); every listed city can be looked up, and its clock read by its zone.
#include <string>

#include "fuzz_support.h"
#include "suntimes/cities.h"
#include "suntimes/timezone.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::Home() + "/.lumaro/cities";
  fuzz::WriteFile(path, data, size);
  const std::string text(reinterpret_cast<const char*>(data), size);
  CityRec rec;
  std::string error;
  (void)CityProcessLine(text.substr(0, text.find('\n')), &rec, &error);
  for (const std::string& name : CityGetStringList(path)) {
    std::string latin1;
    CityRec found;
    if (name.empty() || !Latin1FromUtf8(name, &latin1)) continue;
    if (!CityGet(path, latin1, &found)) __builtin_trap();
    int hour = 0, minute = 0;
    (void)CityClock(found, GregorianDate{5, 1, 2024}, nullptr, true).Show(1000, &hour, &minute);
  }
  return 0;
}
