// What printing reads from the user: a Yiddish print font file (text or binary .pfb) that is embedded
// and whose name is read, and texts converted for the re-encoded font and written as PostScript
// strings. A string literal must never end early, whatever the text holds.
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "render/drawing_ps.h"
#include "render/ps_text_encoding.h"

namespace {

// Undoes drawing_ps_escape; traps on an unescaped parenthesis or backslash, or a raw control character.
std::string Unescape(const std::string& literal) {
  std::string out;
  for (size_t i = 0; i < literal.size(); ++i) {
    const auto c = static_cast<unsigned char>(literal[i]);
    if (c == '(' || c == ')' || c < 32 || c == 127 || (c == '\\' && i + 1 >= literal.size())) __builtin_trap();
    if (c != '\\') {
      out += static_cast<char>(c);
    } else if (const char next = literal[++i]; next == '(' || next == ')' || next == '\\') {
      out += next;
    } else {
      if (i + 2 >= literal.size()) __builtin_trap();
      int v = 0;
      for (const char d : literal.substr(i, 3)) v = d >= '0' && d <= '7' ? v * 8 + (d - '0') : (__builtin_trap(), 0);
      out += static_cast<char>(v);
      i += 2;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string font = fuzz::Home() + "/.lumaro/font.pfa";
  static std::FILE* sink = std::fopen("/dev/null", "w");
  fuzz::WriteFile(font, data, size);
  ps_unicode_embed_font(sink, "RTLFontA", font);
  // The name is written after a slash: it must be one PostScript name.
  if (ps_unicode_get_font_name_from_file(font).find_first_of(" \t\r\n\f()<>[]{}/%") != std::string::npos)
    __builtin_trap();
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const std::string& shown : {text, ps_unicode_convert(text)}) {
    if (Unescape(drawing_ps_escape(shown)) != shown) __builtin_trap();
  }
  return 0;
}
