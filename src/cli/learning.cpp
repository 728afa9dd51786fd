// learning FROM TO [--chosen]: the daily study portions, one line per cycle
// and day, the text in the interface language; every cycle, or with
// --chosen those chosen in the settings.
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/learning.h"
#include "calendar/rules.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"
#include "compose/learning_lines.h"

namespace cli {

namespace {

constexpr std::string_view kUsage = "usage: learning FROM TO [--chosen] (dates as YYYY-MM-DD)";

void AppendDate(OutBuffer& o, AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  o << g.year << '-' << static_cast<char>('0' + g.month / 10) << static_cast<char>('0' + g.month % 10) << '-'
    << static_cast<char>('0' + g.day / 10) << static_cast<char>('0' + g.day % 10);
}

// Daf Yomi first, then the other cycles in their fixed order; "DATE<TAB>
// CYCLE<TAB>TEXT", nothing for a cycle without a portion that day.
void WriteDay(OutBuffer& o, AbsoluteDay d, const LearningChoice& choice, const CalendarRules& rules) {
  for (const LearningLine& line : LearningLinesOf(d, choice, rules)) {
    AppendDate(o, d);
    o << '\t' << line.id << '\t' << line.text << '\n';
  }
}

}  // namespace

int CmdLearning(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::vector<std::string> dates;
  bool chosenOnly = false;
  for (const std::string& a : args) {
    if (a == "--chosen") {
      chosenOnly = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'; " + std::string(kUsage));
    } else {
      dates.push_back(a);
    }
  }
  if (dates.size() != 2) return UsageFail(err, std::string(kUsage));
  std::string error;
  const auto range = ParseDateRange(dates[0], dates[1], error);
  if (!range) return UsageFail(err, error);
  // Read once: Pirkei Avot depends on the rules.
  const CalendarRules rules = options.rules;
  LearningChoice choice;
  if (chosenOnly) {
    choice = options.learning;
  } else {
    choice.dafYomi = true;
    choice.cycles.fill(true);
  }
  OutBuffer o(out);
  for (AbsoluteDay d = range->first; d <= range->last; ++d) WriteDay(o, d, choice, rules);
  return kCliOk;
}

}  // namespace cli
