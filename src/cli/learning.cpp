// learning FROM TO: the daily study portions, one line per cycle and day.
#include <string>
#include <string_view>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/learning.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"
#include "calendar/rules.h"

namespace cli {

namespace {

constexpr std::string_view kDafYomiId = "daf-yomi";

void AppendDate(OutBuffer& o, AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  o << g.year << '-' << static_cast<char>('0' + g.month / 10) << static_cast<char>('0' + g.month % 10) << '-'
    << static_cast<char>('0' + g.day / 10) << static_cast<char>('0' + g.day % 10);
}

// "DATE<TAB>CYCLE<TAB>TEXT"; nothing on a day without a portion.
void WriteLine(OutBuffer& o, AbsoluteDay d, std::string_view cycle, const std::string& text) {
  if (text.empty()) return;
  AppendDate(o, d);
  o << '\t' << cycle << '\t' << text << '\n';
}

// Daf Yomi first, then the other cycles in their fixed order.
void WriteDay(OutBuffer& o, AbsoluteDay d, const CalendarRules& rules) {
  const GregorianDate g = GregorianFromAbsolute(d);
  WriteLine(o, d, kDafYomiId, DafYomiGetWithoutCycle(g.day, g.month, g.year));
  for (LearningCycle cycle : kLearningCycles) WriteLine(o, d, LearningCycleId(cycle), GetLearningText(cycle, d, rules));
}

}  // namespace

int CmdLearning(const Args& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: learning FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto range = ParseDateRange(args[0], args[1], error);
  if (!range) return UsageFail(err, error);
  const CalendarRules rules = CurrentCalendarRules();  // read once: Pirkei Avot depends on them
  OutBuffer o(out);
  for (AbsoluteDay d = range->first; d <= range->last; ++d) WriteDay(o, d, rules);
  return kCliOk;
}

}  // namespace cli
