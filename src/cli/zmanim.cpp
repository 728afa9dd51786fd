// zmanim DATE: the zmanim block of the configured city.
#include "suntimes/zmanim.h"

#include <string>

#include "compose/current_options.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "base/settings.h"

namespace cli {

int CmdZmanim(const Args& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 1) return UsageFail(err, "usage: zmanim DATE (as YYYY-MM-DD)");
  std::string error;
  const auto date = ParseDate(args[0], error);
  if (!date) return UsageFail(err, error);
  std::string text;
  GetZmanimForDay(AbsoluteFromGregorian(*date), &text);
  if (text.empty()) {
    return UsageFail(err,
                     "the city '" + getCity().substr(0, 80) + "' was not found in the city file " + getCityFileName());
  }
  std::fputs(text.c_str(), out);
  return kCliOk;
}

}  // namespace cli
