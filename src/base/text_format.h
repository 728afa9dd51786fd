// Filling translated printf-style formats safely. A translation may carry a
// format that does not match its arguments; these helpers accept only the
// conversions the program's own format uses, and otherwise return the
// format text unchanged instead of reading arguments that are not there.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// An argument: an integer for %d, a text for %s.
struct FormatArg {
  FormatArg(long long v) : isText(false), number(v) {}
  FormatArg(int v) : isText(false), number(v) {}
  FormatArg(std::string_view t) : isText(true), text(t) {}
  FormatArg(const std::string& t) : isText(true), text(t) {}
  FormatArg(const char* t) : isText(true), text(t) {}
  bool isText;
  long long number = 0;
  std::string_view text;
};

// Formats `format` with %d, %s and %% (optionally with a width such as %02d)
// taken in order from `args`. When the conversions do not match the
// arguments in number and kind, the format text itself is returned.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);
inline std::string FormatInt(std::string_view format, long long v) { return FormatText(format, {FormatArg(v)}); }

// True when `s` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view s);
