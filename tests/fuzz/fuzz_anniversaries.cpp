// The anniversaries file: any content parses without crashing, and what it
// yields survives a store and a load unchanged.
#include <string>

#include "fuzz_support.h"
#include "compose/anniversary_lines.h"
#include "storage/anniversaries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Home();
  AnniversaryList list;
  AnniFileParse(std::string_view(reinterpret_cast<const char*>(data), size), list);
  std::string stored;
  for (const AnniversaryRec& rec : list) stored += AnniFormatLine(rec) + "\n";
  AnniversaryList again;
  AnniFileParse(stored, again);
  if (again != list) __builtin_trap();
  // The day query over the parsed file.
  fuzz::WriteFile(AnniFileGetFilename(), data, size);
  std::string types, text;
  for (AbsoluteDay d = 739000; d < 739400; d += 37) (void)AnnifileGetForDay(d, &types, &text);
  return 0;
}
