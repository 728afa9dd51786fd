// day DATE: the day report as the report window shows it. For now it holds
// the readings list; the zmanim and halakha lists join it when they exist.
#include <string>

#include "calendar/calendar.h"
#include "calendar/readings.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"

namespace cli {

int CmdDay(const Args& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 1) return UsageFail(err, "usage: day DATE (as YYYY-MM-DD)");
  std::string error;
  const auto date = ParseDate(args[0], error);
  if (!date) return UsageFail(err, error);
  const std::string readings = BuildReadingsList(AbsoluteFromGregorian(*date));
  std::fwrite(readings.data(), 1, readings.size(), out);
  return kCliOk;
}

}  // namespace cli
