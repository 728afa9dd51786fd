// mourning DEATH-DATE [--burial DATE] [--after-sunset]: the dates of a
// mourner, one line each: KEY<TAB>YYYY-MM-DD<TAB>LABEL: DATE<TAB>WHY.
#include <string>

#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/date_text.h"
#include "cli/out_buffer.h"
#include "compose/mourning_lines.h"

namespace cli {

namespace {
constexpr const char* kMourningUsage = "usage: mourning DEATH-DATE [--burial DATE] [--after-sunset]";

std::string IsoText(AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", g.year, g.month, g.day);
  return text;
}
}  // namespace

int CmdMourning(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::optional<GregorianDate> death, burial;
  bool afterSunset = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string error;
    if (a == "--after-sunset") {
      if (afterSunset) return UsageFail(err, "--after-sunset given twice");
      afterSunset = true;
    } else if (a == "--burial") {
      if (i + 1 >= args.size()) return UsageFail(err, std::string("--burial needs a date; ") + kMourningUsage);
      if (burial) return UsageFail(err, "--burial given twice");
      burial = ParseDate(args[++i], error);
      if (!burial) return UsageFail(err, "burial: " + error);
    } else if (!death && (a.empty() || a[0] != '-')) {
      death = ParseDate(a, error);
      if (!death) return UsageFail(err, "death: " + error);
    } else {
      return UsageFail(err, "unexpected argument '" + a.substr(0, 40) + "'; " + kMourningUsage);
    }
  }
  if (!death) return UsageFail(err, std::string("the date of death is missing; ") + kMourningUsage);
  halakha::MourningLoss loss;
  // A death after sunset belongs to the next Hebrew day; so does the burial
  // the next morning, the default.
  loss.death = AbsoluteFromGregorian(*death) + (afterSunset ? 1 : 0);
  loss.burial = burial ? AbsoluteFromGregorian(*burial) : loss.death;
  if (loss.burial < loss.death)
    return UsageFail(err, afterSunset ? "the burial date is before the day after the death (it was after sunset)"
                                      : "the burial date is before the date of death");
  const bool numerals = options.text.hebrewNumerals;
  OutBuffer o(out);
  for (const MourningMilestone& m : MourningMilestones(loss, options.rules, numerals))
    o << m.key << '\t' << IsoText(m.day) << '\t' << m.label << ": " << GregorianDateText(m.day) << " ("
      << HebrewDateText(m.day, numerals) << ")\t" << m.reason << '\n';
  return FinishOutput(o, out, err, "list");
}

}  // namespace cli
