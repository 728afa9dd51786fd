// The city file: any content parses without crashing; a lookup and the
// name list work on whatever survived.
#include <string>

#include "fuzz_support.h"
#include "suntimes/cities.h"
#include "suntimes/timezone.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::Home() + "/.lumaro/cities";
  fuzz::WriteFile(path, data, size);
  // Each line alone, as the reader sees it.
  const std::string text(reinterpret_cast<const char*>(data), size);
  CityRec rec;
  std::string error;
  (void)CityProcessLine(text.substr(0, text.find('\n')), &rec, &error);
  // The whole file; touch the modification time through the content change.
  for (const std::string& name : CityGetStringList(path)) {
    std::string latin1;
    if (!name.empty() && Latin1FromUtf8(name, &latin1)) {
      CityRec found;
      if (!CityGet(path, latin1, &found)) __builtin_trap();  // every listed city can be looked up
      // Its clock, by its zone name where it has one.
      int hour = 0, minute = 0;
      (void)CityClock(found, GregorianDate{5, 1, 2024}, nullptr, true).Show(1000, &hour, &minute);
    }
  }
  return 0;
}
