// The one formatter of displayed times of day.
#pragma once

#include <string>

// Clock forms of the "TimeFormat" setting.
constexpr int kTimeFormat12 = 0;
constexpr int kTimeFormat24 = 1;

// How times are written: the TimeFormat choice (kTimeFormat12, kTimeFormat24)
// and the language's direction.
struct ClockStyle {
  int format = kTimeFormat12;
  bool rightToLeft = false;
};

// Writes hour:minute in the form of `clock`: "07:05PM" on the 12-hour clock
// (midnight 12:00AM, noon 12:00PM; the suffix translated and, in a
// right-to-left language, preceded by a space), "19:05" on the 24-hour
// clock. An hour of 24 or more (a time of the evening after midnight, as
// CityClock::Show gives it) is shown on the clock of the day it falls on:
// 24:02 as "00:02" or "12:02AM". For any other format the text is left as
// it was.
void TimeformatFormatTime(int hour, int minute, const ClockStyle& clock, std::string* text);
std::string TimeformatFormatTime(int hour, int minute, const ClockStyle& clock);

// True for a shown hour of a time after midnight that belongs to the
// evening before.
constexpr bool IsAfterMidnight(int hour) { return hour >= 24; }
// The time as the lists write it: TimeformatFormatTime, followed by
// " (after midnight)" (translated) for such a time.
std::string TimeformatListedTime(int hour, int minute, const ClockStyle& clock);
