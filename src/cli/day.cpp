// day DATE: the day report as the report window shows it: the zmanim list,
// the readings list when the day has readings, the halakha list, and the
// learning list when cycles besides Daf Yomi are chosen, separated by one
// empty line.
#include <string>

#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "compose/day_report.h"

namespace cli {

int CmdDay(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() != 1) return UsageFail(err, "usage: day DATE (as YYYY-MM-DD)");
  std::string error;
  const auto date = ParseDate(args[0], error);
  if (!date) return UsageFail(err, error);
  const std::string text = FormatDayReport(BuildDayReport(AbsoluteFromGregorian(*date), options));
  std::fwrite(text.data(), 1, text.size(), out);
  return kCliOk;
}

}  // namespace cli
