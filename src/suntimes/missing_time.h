// Why a time of day does not exist on a date: the sun does not rise or set
// (a polar night or day), or does not reach the depression of the time
// (white nights), or the expression has no value for another reason.
#pragma once

#include <cstdint>
#include <string>

enum class NoTimeReason : uint8_t {
  kNoValue,         // another weekday, a division by zero, -1, an invalid daylight-saving rule
  kSunDoesNotRise,  // a polar night: neither sunrise nor sunset
  kSunDoesNotSet,   // a polar day: neither sunrise nor sunset
  kSunStaysAbove,   // the sun does not sink `degrees` below the horizon that day
  kSunStaysBelow,   // the sun stays more than `degrees` below the horizon all day
};

struct MissingTime {
  NoTimeReason reason = NoTimeReason::kNoValue;
  double degrees = 0;  // kSunStaysAbove, kSunStaysBelow: the depression

  // True when the sun is the reason (the lists then say so in words).
  bool bySun() const { return reason != NoTimeReason::kNoValue; }
};

// The reason in words, translated: "the sun does not set", "the sun does
// not sink to 8.5 degrees"; "no time" for kNoValue.
std::string MissingTimeText(const MissingTime& missing);
