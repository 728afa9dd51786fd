#include "cli/cli.h"

#include <string_view>

#include "cli/commands.h"
#include "base/settings.h"
#include "base/translate.h"
#include "storage/user_files.h"

namespace cli {

namespace {
int gMaxRangeDays = 0;
}  // namespace

void SetMaxRangeDaysForTesting(int days) { gMaxRangeDays = days; }
int MaxRangeDays() { return gMaxRangeDays; }

int UsageFail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "lumaro-cli: %s\n", message.c_str());
  return kCliUsage;
}

namespace {

struct Command {
  std::string_view name;
  int (*run)(const Args&, std::FILE*, std::FILE*);
};

constexpr Command kCommands[] = {
    {"dump", CmdDump},
    {"molad", CmdMolad},
    {"day", CmdDay},
    {"eval", CmdEval},
    {"zmanim", CmdZmanim},
    {"anniversary", CmdAnniversary},
    {"ics", CmdIcs},
    {"month", CmdMonth},
    {"learning", CmdLearning},
    {"times", CmdTimes},
};

std::string Usage() {
  std::string usage = "usage: lumaro-cli [--israel|--diaspora] [--style 1|2] COMMAND ARGS... (commands:";
  for (const Command& c : kCommands) usage += " " + std::string(c.name);
  return usage + ")";
}

// Loads the user's settings and translations for one run; never writes them.
class Session {
 public:
  Session() {
    settingsInit();
  }
  void Start() {
    // A first run gets ~/.lumaro and the shipped city file; a failure only
    // means that times cannot be shown, which the commands report.
    InstallDefaultUserFiles();
    translate_init(getLanguagePrefix(getLanguage()));
  }
  ~Session() { translate_done(); }
};

}  // namespace
}  // namespace cli

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  using namespace cli;
  Session session;
  size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--israel") {
      diasporaSetFlag(0);
    } else if (a == "--diaspora") {
      diasporaSetFlag(1);
    } else if (a == "--style") {
      if (i + 1 >= args.size()) return UsageFail(err, "--style needs a value (1 Sephardic, 2 Ashkenazi)");
      const std::string& v = args[++i];
      if (v != "1" && v != "2") return UsageFail(err, "invalid style '" + v.substr(0, 40) + "' (1 Sephardic, 2 Ashkenazi)");
      setStyle(v == "1" ? 1 : 2);
    } else if (a == "--help" || a == "-h") {
      std::fprintf(out, "%s\n", Usage().c_str());
      return kCliOk;
    } else if (a.size() > 1 && a[0] == '-') {
      return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'");
    } else {
      break;
    }
  }
  if (i >= args.size()) return UsageFail(err, "no command given; " + Usage().substr(7));
  const std::string& name = args[i];
  const Args rest(args.begin() + static_cast<long>(i) + 1, args.end());
  for (const Command& c : kCommands) {
    if (name == c.name) {
      session.Start();
      return c.run(rest, out, err);
    }
  }
  return UsageFail(err, "unknown command '" + name.substr(0, 40) + "'");
}
