#include "suntimes/missing_time.h"

#include <charconv>

#include "base/text_format.h"
#include "base/translate.h"

namespace {

// The degrees as their shortest decimal text: 8.5, 16.1, 7.083.
std::string DegreesText(double degrees) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, degrees);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

}  // namespace

std::string MissingTimeText(const MissingTime& missing) {
  switch (missing.reason) {
    case NoTimeReason::kSunDoesNotRise:
      return translate_perform("the sun does not rise");
    case NoTimeReason::kSunDoesNotSet:
      return translate_perform("the sun does not set");
    case NoTimeReason::kSunStaysAbove:
      return FormatText(translate_perform("the sun does not sink to %s degrees"), {DegreesText(missing.degrees)});
    case NoTimeReason::kSunStaysBelow:
      return FormatText(translate_perform("the sun stays deeper than %s degrees"), {DegreesText(missing.degrees)});
    case NoTimeReason::kNoValue:
      break;
  }
  return translate_perform("no time");
}
