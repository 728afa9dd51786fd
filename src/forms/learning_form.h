// The values of the daily learning dialog, apart from its widgets: a check
// box for Daf Yomi and one for each study cycle, what they show at opening,
// and the storing of what the user confirmed.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calendar/learning.h"

struct LearningFormRow {
  std::string_view id;  // kDafYomiId or the cycle's id
  std::string label;    // the learning's name, translated
  bool chosen = false;
};

// Daf Yomi first, then the cycles in their fixed order.
using LearningForm = std::array<LearningFormRow, 1 + kLearningCycleCount>;

// The rows as the settings have them.
LearningForm LearningFormFromSettings();
// Stores the rows in the settings; true when a choice changed (the month
// view then needs drawing again).
bool LearningFormApply(const LearningForm& form);
