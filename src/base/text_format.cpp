#include "base/text_format.h"

#include <cstdint>
#include <cstdio>

namespace {

// One conversion of a format: flags and width are kept, the rest checked.
struct Conversion {
  size_t end = 0;     // index after the conversion character
  char kind = 0;      // 'd', 's' or '%'
  std::string pattern;   // "%02d" etc. without the length modifier
};

bool ParseConversion(std::string_view f, size_t start, Conversion* out) {
  size_t i = start + 1;
  std::string pattern = "%";
  while (i < f.size() && (f[i] == '-' || f[i] == '0' || f[i] == ' ' || f[i] == '+')) pattern += f[i++];
  size_t widthDigits = 0;
  while (i < f.size() && f[i] >= '0' && f[i] <= '9' && widthDigits < 3) {
    pattern += f[i++];
    ++widthDigits;
  }
  if (i < f.size() && f[i] == 'l') ++i;  // %ld is read as %d
  if (i >= f.size()) return false;
  const char c = f[i];
  if (c != 'd' && c != 's' && c != '%') return false;
  out->end = i + 1;
  out->kind = c;
  out->pattern = pattern + c;
  return true;
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  auto arg = args.begin();
  for (size_t i = 0; i < format.size();) {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    Conversion conv;
    if (!ParseConversion(format, i, &conv)) return std::string(format);
    i = conv.end;
    if (conv.kind == '%') {
      out += '%';
      continue;
    }
    if (arg == args.end() || arg->isText != (conv.kind == 's')) return std::string(format);
    char buf[64];
    if (conv.kind == 'd') {
      std::string pattern = conv.pattern;
      pattern.insert(pattern.size() - 1, "ll");
      std::snprintf(buf, sizeof buf, pattern.c_str(), arg->number);
      out += buf;
    } else {
      // Width for texts: pad on the left (or right with '-') to the width.
      const std::string_view t = arg->text;
      size_t width = 0;
      bool left = false;
      for (char c : conv.pattern) {
        if (c == '-') left = true;
        if (c >= '0' && c <= '9') width = width * 10 + static_cast<size_t>(c - '0');
      }
      const size_t pad = width > t.size() ? width - t.size() : 0;
      if (!left) out.append(pad, ' ');
      out.append(t);
      if (left) out.append(pad, ' ');
    }
    ++arg;
  }
  if (arg != args.end()) return std::string(format);
  return out;
}

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len;
    uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    static constexpr uint32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}
