#include "render/time_marks.h"

static_assert(sizeof(kTimeMarks) / sizeof(kTimeMarks[0]) == 3, "one row per mark");

const TimeMarkRow& TimeMarkOf(TimeMark mark) { return kTimeMarks[static_cast<int>(mark)]; }

int TimeMarkIndexOf(char32_t codePoint) {
  for (const TimeMarkRow& row : kTimeMarks)
    if (row.codePoint == codePoint) return static_cast<int>(row.mark);
  return -1;
}

std::string TimeMarked(TimeMark mark, const std::string& time, bool rightToLeft) {
  const std::string symbol(TimeMarkOf(mark).utf8);
  // A time with Hebrew words ("08:19 אחה״צ") is laid out from the right, so
  // the mark written first stands rightmost; one of digits alone is laid
  // out from the left, so there it is written last.
  // (Hebrew letters begin with the UTF-8 lead byte 0xD7.)
  if (rightToLeft && time.find('\xD7') == std::string::npos) return time + " " + symbol;
  return symbol + " " + time;
}
