#include "cli/args.h"

#include <charconv>

#include "calendar/calendar.h"
#include "cli/commands.h"

namespace cli {

std::optional<int64_t> ParseInteger(std::string_view text) {
  int64_t value = 0;
  if (text.empty()) return std::nullopt;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (*first == '+') return std::nullopt;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

std::optional<GregorianDate> ParseDate(std::string_view text, std::string& error) {
  auto isDigits = [](std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
      if (c < '0' || c > '9') return false;
    return true;
  };
  const std::string shown(text.substr(0, 40));
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !isDigits(text.substr(0, 4)) ||
      !isDigits(text.substr(5, 2)) || !isDigits(text.substr(8, 2))) {
    error = "invalid date '" + shown + "' (expected YYYY-MM-DD)";
    return std::nullopt;
  }
  const int year = static_cast<int>(*ParseInteger(text.substr(0, 4)));
  const int month = static_cast<int>(*ParseInteger(text.substr(5, 2)));
  const int day = static_cast<int>(*ParseInteger(text.substr(8, 2)));
  if (year < kFirstYear || year > kLastYear) {
    error = "year of '" + shown + "' is outside " + std::to_string(kFirstYear) + ".." + std::to_string(kLastYear);
    return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > LastDayOfGregorianMonth(month, year)) {
    error = "no such date: '" + shown + "'";
    return std::nullopt;
  }
  return GregorianDate{day, month, year};
}

std::optional<DayRange> ParseDateRange(const std::string& from, const std::string& to, std::string& error) {
  const auto fromDate = ParseDate(from, error);
  if (!fromDate) return std::nullopt;
  const auto toDate = ParseDate(to, error);
  if (!toDate) return std::nullopt;
  const DayRange range{AbsoluteFromGregorian(*fromDate), AbsoluteFromGregorian(*toDate)};
  if (range.first > range.last) {
    error = "FROM " + from + " is after TO " + to;
    return std::nullopt;
  }
  if (RangeTooLong(range.last - range.first + 1)) {
    error = "range too long for this run";
    return std::nullopt;
  }
  return range;
}

}  // namespace cli
