// reminders FROM TO: the reminders the settings ask for whose moment falls
// in the days FROM..TO at the configured city, in order of their moment,
// one line each: LOCAL-DATETIME<TAB>KIND<TAB>SUMMARY<TAB>BODY.
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"
#include "compose/city_time.h"
#include "compose/reminders.h"
#include "storage/anniversaries.h"

namespace cli {

namespace {
void AppendField(OutBuffer& o, std::string_view text) {
  o.AppendReplacing(text, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
}
}  // namespace

int CmdReminders(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: reminders FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto range = ParseDateRange(args[0], args[1], error);
  if (!range) return UsageFail(err, error);
  const std::optional<CityTime> city = CityTime::For(options.times);
  if (!city)
    return UsageFail(err, "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                              options.times.cityFile);
  AnniversaryList anniversaries;
  if (options.reminders.yortsayt && AnniFileLoad(anniversaries).readError)
    std::fprintf(err, "lumaro-cli: the anniversaries file could not be read; no yortsayt reminders\n");
  OutBuffer o(out);
  for (const Reminder& r :
       RemindersBetween(city->Midnight(range->first), city->Midnight(range->last + 1), options, anniversaries)) {
    o << LocalDateTimeText(city->Local(r.moment)) << '\t' << ReminderKindName(r.kind) << '\t';
    AppendField(o, r.summary);
    o << '\t';
    AppendField(o, r.body);
    o << '\n';
  }
  return FinishOutput(o, out, err, "list");
}

}  // namespace cli
