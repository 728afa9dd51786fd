// Argument parsing shared by the lumaro-cli commands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/types.h"

namespace cli {

// A usage error: the one line printed on stderr, exit status 2.
struct UsageError {
  std::string message;
};

// YYYY-MM-DD with a year in 1583..3000 and a real day of that month.
// On failure `error` says what is wrong with `text`.
std::optional<GregorianDate> ParseDate(std::string_view text, std::string& error);
// The days FROM..TO, both given as YYYY-MM-DD, FROM not after TO and the
// range within the run's limit. On failure `error` is the usage message.
struct DayRange {
  AbsoluteDay first;
  AbsoluteDay last;
};
std::optional<DayRange> ParseDateRange(const std::string& from, const std::string& to, std::string& error);
// A decimal integer (optional minus sign) that fits in 64 bits, nothing else.
std::optional<int64_t> ParseInteger(std::string_view text);

}  // namespace cli
