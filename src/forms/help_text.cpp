#include "forms/help_text.h"

#include "base/translate.h"
#include "render/time_marks.h"

namespace {

std::string TranslatedLines(std::string_view text) {
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

}  // namespace

std::string DialogsHelpText(std::string_view text) {
  if (text.find_first_not_of("\n") == std::string_view::npos) return TranslatedLines(text);
  std::string out = TranslatedLines(text);
  out += "\n\n" + translate_perform("In a narrow day cell a mark stands before the time") + ":";
  for (const TimeMarkRow& row : kTimeMarks)
    out += "\n" + std::string(row.utf8) + " " + translate_perform(row.meaning) + ".";
  return out;
}
