#include "forms/help_text.h"

#include "base/translate.h"

std::string DialogsHelpText(std::string_view text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool hasLineFeed = end != std::string_view::npos;
    if (!hasLineFeed) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (!line.empty()) {
      const std::string& translated = translate_perform(line);
      out += translated;
      if (!translated.empty() && translated.back() != '.') out += '.';
    }
    if (hasLineFeed) out += '\n';
    start = end + 1;
  }
  return out;
}
