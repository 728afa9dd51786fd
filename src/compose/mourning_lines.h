// The dates of a recent loss as lines a person reads: each milestone with
// its day and one line saying why it falls there, in the interface language.
#pragma once

#include <string>
#include <vector>

#include "calendar/anniversary_dates.h"
#include "calendar/rules.h"
#include "halakha/mourning.h"

struct MourningMilestone {
  std::string key;    // "shiva", "shloshim", "kaddish", "twelve-months", "first-yortsayt", "yortsayt"
  std::string label;  // "End of shiva", translated
  AbsoluteDay day = 0;
  std::string reason;  // one line, translated
};

// The milestones of a loss in date order, with
// dates inside the reasons written as `numerals` asks.
std::vector<MourningMilestone> MourningMilestones(const halakha::MourningLoss& loss, const CalendarRules& rules,
                                                  bool numerals);

// The loss of a yortsayt entry marked as recent (it has a burial date): the
// Hebrew day of the death and the burial, never before it.
halakha::MourningLoss MourningLossOf(const AnniversaryRec& rec);

// A milestone of a recent loss on a day, as the month cells, their hints,
// `upcoming` and the reminders show it.
struct MourningDayLine {
  AnniversaryRec entry;
  std::string text;    // "End of shiva: Moshe Cohen"
  std::string reason;  // why it falls that day
};
// The milestones of the entries in `entries` marked as recent losses that
// fall on `day`, in list order; not the yortsayt of the day of death, which
// shows as the entry's own anniversary.
std::vector<MourningDayLine> MourningLinesOnDay(const std::vector<AnniversaryRec>& entries, AbsoluteDay day,
                                                const CalendarRules& rules, bool numerals);
// The same for the anniversaries file.
std::vector<MourningDayLine> MourningFileLinesOnDay(AbsoluteDay day, const CalendarRules& rules, bool numerals);
