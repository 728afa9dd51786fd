#include "suntimes/timeformat.h"

#include "base/settings.h"
#include "base/translate.h"

namespace {

// printf's "%02d".
std::string TwoDigits(int value) {
  std::string s = std::to_string(value);
  if (value >= 0 && value < 10) s.insert(0, 1, '0');
  return s;
}

}  // namespace

void TimeformatFormatTime(int hour, int minute, std::string* text) {
  const int format = getTimeFormat();
  if (format == kTimeFormat24) {
    *text = TwoDigits(hour) + ":" + TwoDigits(minute);
  } else if (format == kTimeFormat12) {
    int h = hour % 12;
    if (h == 0) h = 12;
    *text = TwoDigits(h) + ":" + TwoDigits(minute);
    if (isLanguageRightToLeft()) *text += ' ';
    *text += translate_perform(hour <= 11 ? "AM" : "PM");
  }
}

std::string TimeformatFormatTime(int hour, int minute) {
  std::string text;
  TimeformatFormatTime(hour, minute, &text);
  return text;
}
