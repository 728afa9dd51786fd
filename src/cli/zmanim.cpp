// zmanim DATE: the zmanim block of the configured city.
#include "suntimes/zmanim.h"

#include <string>

#include "compose/zmanim_text.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"

namespace cli {

int CmdZmanim(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() != 1) return UsageFail(err, "usage: zmanim DATE (as YYYY-MM-DD)");
  std::string error;
  const auto date = ParseDate(args[0], error);
  if (!date) return UsageFail(err, error);
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(*date), options, &text);
  if (text.empty()) {
    return UsageFail(err,
                     "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                         options.times.cityFile);
  }
  std::fputs(text.c_str(), out);
  return kCliOk;
}

}  // namespace cli
