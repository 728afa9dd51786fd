// PostScript output caught in memory, and a decimal-comma locale.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace testenv {

// What `write` writes to the FILE* it is given.
template <class Write>
std::string Written(Write write) {
  char* data = nullptr;
  size_t size = 0;
  std::FILE* file = open_memstream(&data, &size);
  write(file);
  std::fclose(file);
  std::string text(data, size);
  std::free(data);
  return text;
}

// Switches LC_ALL to a locale with a decimal comma; false when none exists.
// The tests run in the "C" locale: set it back with std::setlocale(LC_ALL, "C").
inline bool UseCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
    if (std::setlocale(LC_ALL, name)) return true;
  return false;
}

}  // namespace testenv
