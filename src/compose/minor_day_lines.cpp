#include "compose/minor_day_lines.h"

#include <algorithm>

#include "base/translate.h"
#include "halakha/minor_days.h"

namespace {

// The minor day a time of DayTimes stands for, if it is a moment of one.
bool MomentOf(DayTimeKind kind, MinorDay* day) {
  switch (kind) {
    case DayTimeKind::kKiddushLevanaBegins:
      *day = MinorDay::kKiddushLevanaBegins;
      return true;
    case DayTimeKind::kKiddushLevanaEnds:
      *day = MinorDay::kKiddushLevanaEnds;
      return true;
    case DayTimeKind::kTekufa:
      *day = MinorDay::kTekufa;
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<MinorDayLine> MinorDayLinesOf(AbsoluteDay d, const CalendarRules& rules,
                                          const std::vector<DayTime>& times, const ClockStyle& clock) {
  std::vector<MinorDayLine> lines;
  for (MinorDay day : halakha::MinorDatesOn(d, rules))
    lines.push_back({day, translate_perform(MinorDayOf(day).title), {}, {}});
  for (const DayTime& t : times) {
    MinorDay day;
    if (!t.computed || !MomentOf(t.kind, &day)) continue;
    lines.push_back({day, DayTimeLabel(t), TimeformatFormatTime(t.time.hour, t.time.minute, clock), t});
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const MinorDayLine& a, const MinorDayLine& b) { return a.day < b.day; });
  return lines;
}
