// ics FROM TO [--holidays] [--parasha] [--times] [--anniversaries]
// [--daf-yomi] [--omer] [--learning] [--hebrew-dates]: an iCalendar file of
// the days FROM..TO on standard output, with every kind of event but the
// Hebrew dates when no kind is named (Daf Yomi and the daily learning as
// chosen in the settings).
#include "compose/ics_export.h"

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "compose/learning_lines.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "base/diagnostics.h"
#include "cli/out_buffer.h"

namespace cli {

namespace {

// Exit status when the calendar could not be written out (a full disk).
constexpr int kCliWriteFailed = 1;

std::string KindOptions() {
  std::string options;
  for (const IcsKindRow& row : kIcsKindRows) options += (options.empty() ? "--" : " --") + std::string(row.option);
  return options;
}

// The kind an option names, or 0.
unsigned KindOfOption(const std::string& arg) {
  for (const IcsKindRow& row : kIcsKindRows)
    if (arg.size() == row.option.size() + 2 && arg.compare(0, 2, "--") == 0 && arg.compare(2, std::string::npos, row.option) == 0)
      return row.kind;
  return 0;
}

}  // namespace

int CmdIcs(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  const std::string usage = "usage: ics FROM TO [" + KindOptions() + "] (dates as YYYY-MM-DD)";
  std::vector<std::string> dates;
  unsigned kinds = 0;
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') {
      const unsigned kind = KindOfOption(a);
      if (kind == 0) return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'; " + usage);
      kinds |= kind;
    } else {
      dates.push_back(a);
    }
  }
  if (dates.size() != 2) return UsageFail(err, usage);
  const std::string terminal = TerminalOutputError(out, "an iCalendar file", false);
  if (!terminal.empty()) return UsageFail(err, terminal);
  const bool named = kinds != 0;
  if (!named) kinds = IcsDefaultKinds(options.learning);
  std::string error;
  const auto range = ParseDateRange(dates[0], dates[1], error);
  if (!range) return UsageFail(err, error);
  const AbsoluteDay first = range->first;
  const AbsoluteDay last = range->last;

  // Messages about the city file or the time expressions go to stderr: on
  // stdout they would spoil the calendar.
  const DiagnosticsTo redirect(err);

  // Times that cannot be computed would silently be missing from the file.
  if (kinds & kIcsTimes) {
    switch (IcsCheckTimes(options.times)) {
      case IcsTimesCheck::kOk:
        break;
      case IcsTimesCheck::kCityNotFound:
        return UsageFail(err, "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                                  options.times.cityFile + ", so there are no candle-lighting times");
      case IcsTimesCheck::kInvalidDstRule:
        return UsageFail(err, "the daylight saving rule in the settings is invalid, so there are no candle-lighting times");
    }
  }

  // Asked for by name, the daily learning without a chosen cycle would be an
  // empty calendar that looks like a successful export.
  if (named && kinds == kIcsLearning && !options.learning.AnyCycle())
    return UsageFail(err, "no daily learning cycle is chosen in the settings (Settings, Configure Daily Learning; "
                          "keys LearningMishnaYomit, LearningNachYomi, ...), so --learning has nothing to export");

  OutBuffer o(out);
  const IcsResult result = IcsWriteCalendar(first, last, kinds, options, [&o](std::string_view piece) {
    o << piece;
    return true;
  });
  o.Flush();
  if (!result.written || std::fflush(out) != 0 || std::ferror(out)) {
    std::fprintf(err, "lumaro-cli: the calendar could not be written completely\n");
    return kCliWriteFailed;
  }
  return kCliOk;
}

}  // namespace cli
