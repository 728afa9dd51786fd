// The dates of a mourner after a loss: the end of shiva and of shloshim, the
// last day of Kaddish, the end of the twelve months for a parent and the
// first yortsayt, with the festivals that shorten shiva and shloshim. The
// festivals come from the festival table under the rules given (Israel or
// the Diaspora); nothing here reads the settings.
#pragma once

#include <optional>

#include "calendar/festival_table.h"
#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha {

// The loss: the Hebrew day of the death (a death after sunset already moved
// to the next day) and the day of the burial, not before it.
struct MourningLoss {
  AbsoluteDay death = 0;
  AbsoluteDay burial = 0;
};

// Why shiva ends when it does.
enum class ShivaEnd {
  kSeventhDay,         // the morning of the seventh day counted from the burial
  kFestivalCancels,    // a festival began during shiva: it ends on the festival's eve
  kAfterFestival,      // buried during a festival: counted from the day after it
  kAfterFestivalLast,  // buried during a festival: counted from its last day, a Diaspora second day
};

// Why shloshim end when they do.
enum class ShloshimEnd {
  kThirtiethDay,     // the morning of the thirtieth day counted from the burial
  kFestivalCancels,  // a festival began after shiva was over: they end on its eve
  kFestivalCounts,   // a festival cancelled shiva: shiva counts seven days and the festival its own
};

struct MourningDates {
  AbsoluteDay shivaEnd = 0;  // the last day of shiva (its morning, or the festival's eve)
  ShivaEnd shivaWhy = ShivaEnd::kSeventhDay;
  std::optional<Festival> shivaFestival;  // the festival that cancelled or delayed shiva
  AbsoluteDay shivaFestivalStart = 0;     // its first day
  AbsoluteDay shloshimEnd = 0;            // the last day of shloshim
  ShloshimEnd shloshimWhy = ShloshimEnd::kThirtiethDay;
  std::optional<Festival> shloshimFestival;  // the festival that cancelled shloshim, or that counted
  AbsoluteDay shloshimFestivalStart = 0;
  int festivalDaysCounted = 0;      // kFestivalCounts: the days the festival counted towards the thirty
  AbsoluteDay kaddishLast = 0;      // the last day of Kaddish: eleven months from the death, less a day
  AbsoluteDay twelveMonthsEnd = 0;  // the last day of the twelve months from the death
  AbsoluteDay yortsayt = 0;         // the first anniversary of the day of death
  // The first yortsayt when the burial was three or more days after the
  // death: the anniversary of the day of burial (kept in the first year only).
  std::optional<AbsoluteDay> firstYortsaytByBurial;
};

// The dates of a loss under Israel's or the Diaspora's festival days.
MourningDates MourningDatesOf(const MourningLoss& loss, const CalendarRules& rules);

// `date` plus `months` Hebrew months (Adar I and Adar II both counted in a
// leap year), as a day: a day the month lacks runs on into the next.
AbsoluteDay AddHebrewMonths(const HebrewDate& date, int months);

}  // namespace halakha
