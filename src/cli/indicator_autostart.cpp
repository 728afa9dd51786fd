// indicator-autostart on|off|status: whether the panel indicator starts
// when the user logs in ("Show in the panel"), through the user's autostart
// entry. status prints "on" or "off".
#include <string>

#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "storage/autostart.h"

namespace cli {

int CmdIndicatorAutostart(const Args& args, const Options&, std::FILE* out, std::FILE* err) {
  constexpr const char* kUsage = "usage: indicator-autostart on|off|status";
  if (args.size() != 1) return UsageFail(err, kUsage);
  const std::string& what = args[0];
  if (what == "status") {
    std::fprintf(out, "%s\n", IndicatorAutostartEnabled() ? "on" : "off");
    return std::fflush(out) == 0 ? kCliOk : 1;
  }
  if (what != "on" && what != "off") return UsageFail(err, "unknown choice '" + what.substr(0, 40) + "'; " + kUsage);
  std::string error;
  if (!SetIndicatorAutostart(what == "on", &error)) {
    std::fprintf(err, "lumaro-cli: %s\n", error.c_str());
    return 1;
  }
  return kCliOk;
}

}  // namespace cli
