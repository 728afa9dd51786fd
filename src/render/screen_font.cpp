#include "render/screen_font.h"

#include <strings.h>

namespace {

bool SameFamily(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

std::string PickScreenFont(std::string_view configured, const std::function<bool(std::string_view)>& installed) {
  if (!SameFamily(configured, kDefaultScreenFont) || installed(configured)) return std::string(configured);
  for (std::string_view family : kHebrewScreenFonts)
    if (installed(family)) return std::string(family);
  return std::string(configured);
}
