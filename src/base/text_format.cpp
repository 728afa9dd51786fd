#include "base/text_format.h"

#include <cstdio>

namespace {

// One conversion of a format: flags and width are kept, the rest checked.
struct Conversion {
  size_t end = 0;     // index after the conversion character
  char kind = 0;      // 'd', 's' or '%'
  std::string pattern;   // "%02d" etc. without the length modifier
};

// Which conversions a format may use.
enum class Conversions {
  kWithWidths,  // flags, a width of up to 3 digits and "l" before d or s
  kPlain,       // %d, %s and %% only
};

bool ParseConversion(std::string_view f, size_t start, Conversions allowed, Conversion* out) {
  size_t i = start + 1;
  std::string pattern = "%";
  if (allowed == Conversions::kWithWidths) {
    while (i < f.size() && (f[i] == '-' || f[i] == '0' || f[i] == ' ' || f[i] == '+')) pattern += f[i++];
    size_t widthDigits = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9' && widthDigits < 3) {
      pattern += f[i++];
      ++widthDigits;
    }
    if (i < f.size() && f[i] == 'l') ++i;  // %ld is read as %d
  }
  if (i >= f.size()) return false;
  const char c = f[i];
  if (c != 'd' && c != 's' && c != '%') return false;
  out->end = i + 1;
  out->kind = c;
  out->pattern = pattern + c;
  return true;
}

// `format` filled with `args` into `out`; false when the conversions do not
// match the arguments in number and kind.
bool Fill(std::string_view format, std::initializer_list<FormatArg> args, Conversions allowed, std::string& out) {
  out.clear();
  auto arg = args.begin();
  for (size_t i = 0; i < format.size();) {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    Conversion conv;
    if (!ParseConversion(format, i, allowed, &conv)) return false;
    i = conv.end;
    if (conv.kind == '%') {
      out += '%';
      continue;
    }
    if (arg == args.end() || arg->isText != (conv.kind == 's')) return false;
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
  return arg == args.end();
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  if (!Fill(format, args, Conversions::kWithWidths, out)) return std::string(format);
  return out;
}

std::string FormatPlainOr(std::string_view format, std::string_view fallback, std::initializer_list<FormatArg> args) {
  std::string out;
  if (Fill(format, args, Conversions::kPlain, out)) return out;
  if (Fill(fallback, args, Conversions::kPlain, out)) return out;
  return std::string(fallback);
}

std::string DayMonthYearText(int day, int month, int year) {
  return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

