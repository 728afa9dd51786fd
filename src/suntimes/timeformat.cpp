#include "suntimes/timeformat.h"

#include "base/translate.h"

namespace {

// printf's "%02d".
void AppendTwoDigits(std::string* text, int value) {
  if (value >= 0 && value < 100) {
    text->push_back(static_cast<char>('0' + value / 10));
    text->push_back(static_cast<char>('0' + value % 10));
    return;
  }
  *text += std::to_string(value);  // "-5" and "123" have two characters or more already
}

// "HH:MM" as printf's "%02d:%02d".
void SetClock(std::string* text, int hour, int minute) {
  text->clear();
  AppendTwoDigits(text, hour);
  text->push_back(':');
  AppendTwoDigits(text, minute);
}

}  // namespace

void TimeformatFormatTime(int hour, int minute, const ClockStyle& clock, std::string* text) {
  const int format = clock.format;
  if (hour >= 24) hour %= 24;  // the next day's clock
  if (format == kTimeFormat24) {
    SetClock(text, hour, minute);
  } else if (format == kTimeFormat12) {
    int h = hour % 12;
    if (h == 0) h = 12;
    SetClock(text, h, minute);
    if (clock.rightToLeft) *text += ' ';
    *text += translate_perform(hour <= 11 ? "AM" : "PM");
  }
}

std::string TimeformatFormatTime(int hour, int minute, const ClockStyle& clock) {
  std::string text;
  TimeformatFormatTime(hour, minute, clock, &text);
  return text;
}

std::string TimeformatListedTime(int hour, int minute, const ClockStyle& clock) {
  std::string text = TimeformatFormatTime(hour, minute, clock);
  if (IsAfterMidnight(hour)) text += " " + translate_perform("(after midnight)");
  return text;
}
