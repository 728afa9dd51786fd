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

// Formats `format` when it has exactly the plain conversions (%s, %d, no
// flags, widths or length) that `args` need, in their order, and %% for a
// percent sign; otherwise formats `fallback`, the program's own text that
// `format` translates (returned unchanged if even it does not match).
std::string FormatPlainOr(std::string_view format, std::string_view fallback, std::initializer_list<FormatArg> args);

// A date as day.month.year without leading zeros: "5.3.2025".
std::string DayMonthYearText(int day, int month, int year);
