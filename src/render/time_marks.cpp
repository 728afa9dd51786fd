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
  return rightToLeft ? time + " " + symbol : symbol + " " + time;
}
