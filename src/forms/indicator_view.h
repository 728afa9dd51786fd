// What the panel indicator shows at a moment, apart from its widgets: the
// label (the Hebrew date in force, turning at the date turn and not at
// midnight), the facts of the day as insensitive menu lines, the moment any
// of that changes next, and which reminders to send. The indicator wakes
// only at the moment IndicatorNextWake gives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compose/options.h"
#include "compose/reminders.h"
#include "storage/anniversaries.h"

struct IndicatorView {
  std::string label;               // "24 Kislev", with Hebrew numerals "כ״ד כסלו"
  std::string title;               // the full dates: "Friday, 4 December 2026 - 24 Kislev 5787"
  std::vector<std::string> facts;  // "Holiday: Khanukka", ..., "Candle Lighting: Friday 16:11"
  int64_t nextChange = 0;          // the next date turn, civil midnight or evening time after the moment
};

// The view at `now` (seconds since 1970-01-01 UTC) at the configured city.
// Without the city (not in the city file) the label follows the civil date
// of the system's zone and there are no times.
IndicatorView IndicatorViewAt(int64_t now, const Options& options);

// The moment after `now` at which the indicator looks again: the view's next
// change or the next reminder's moment, whichever comes first.
int64_t IndicatorNextWake(int64_t now, const IndicatorView& view, const Options& options,
                          const AnniversaryList& anniversaries);

// The reminders to send at `now` when the last look was at `lastLook`: those
// whose moment lies after `lastLook` and not more than kReminderGraceSeconds
// before `now`; a reminder slept through (a suspended computer) is left out.
std::vector<Reminder> IndicatorRemindersToSend(int64_t lastLook, int64_t now, const Options& options,
                                               const AnniversaryList& anniversaries);
