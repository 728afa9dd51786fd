// The reminders of the coming times of the configured city, for the panel
// to show: candle lighting (with the festival's name on a festival's eve),
// the count of the Omer at nightfall, the evening before a yortsayt, a
// fast's beginning, the last night of Kiddush Levana and, with the yortsayt
// reminders, the evening before each milestone of a recent loss (the end of
// shiva, of shloshim ...). Each is given at
// its moment with a summary and a body in the interface language.
//
// When: candle lighting and a fast's beginning the lead time of their
// options before the time; the Omer at nightfall of its evening; a
// yortsayt at sunset of the evening before, or at the candle reminder's
// moment when that evening is a Friday or a festival's eve; Kiddush Levana
// at nightfall of the last evening on which it is said. A lead time is taken
// as 0..1440 minutes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/anniversary_dates.h"
#include "compose/options.h"

enum class ReminderKind : uint8_t { kCandles, kOmer, kYortsayt, kFast, kKiddushLevana, kMourning };

// "candles", "omer", "yortsayt", "fast", "kiddush-levana", "mourning".
std::string_view ReminderKindName(ReminderKind kind);

struct Reminder {
  int64_t moment = 0;  // seconds since 1970-01-01 UTC
  ReminderKind kind = ReminderKind::kCandles;
  std::string summary;
  std::string body;
};

// How long after its moment a reminder is still shown: one that the
// computer slept through is not shown late.
inline constexpr int64_t kReminderGraceSeconds = 120;

// The reminders whose moment lies in [from, to), in order of their moment,
// by `options.reminders`; `anniversaries` the user's list. Empty when the
// city is not in the city file.
std::vector<Reminder> RemindersBetween(int64_t from, int64_t to, const Options& options,
                                       const std::vector<AnniversaryRec>& anniversaries);
// The reminders to show at `now`: those whose moment lies in
// [now - kReminderGraceSeconds, now]. A caller that asks every minute shows
// each once by keeping the moments it has shown.
std::vector<Reminder> RemindersDue(int64_t now, const Options& options,
                                   const std::vector<AnniversaryRec>& anniversaries);
