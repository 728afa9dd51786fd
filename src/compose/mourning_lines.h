// The dates of a recent loss as lines a person reads: each milestone with
// its day and one line saying why it falls there, in the interface language.
#pragma once

#include <string>
#include <vector>

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
