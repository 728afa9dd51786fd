// now [--at YYYY-MM-DDTHH:MM]: one line of what the present moment is at the
// configured city, DATE<TAB>HEBREW_DATE<TAB>STATE<TAB>NEXT_CHANGE: the civil
// date, the Hebrew date in force (since the last sunset, or havdalah by the
// "DateTurn" setting) without its year, weekday/shabbat/festival/fast, and
// the local date and time the state next changes. The exit status is 3
// while Shabbat or a festival day is in force, 0 otherwise.
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/date_text.h"
#include "cli/out_buffer.h"
#include "compose/city_time.h"
#include "compose/date_turn.h"
#include "compose/day_state.h"

namespace cli {

namespace {
constexpr const char* kNowUsage = "usage: now [--at YYYY-MM-DDTHH:MM] (the city's local time)";

// A translated label could hold a tab or a line break.
void AppendField(OutBuffer& o, std::string_view text) {
  o.AppendReplacing(text, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
}
}  // namespace

int CmdNow(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::optional<LocalDateTime> at;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--at") return UsageFail(err, "unexpected argument '" + args[i].substr(0, 40) + "'; " + kNowUsage);
    if (at) return UsageFail(err, "--at given twice");
    if (i + 1 >= args.size()) return UsageFail(err, std::string("--at needs a value; ") + kNowUsage);
    at = ParseLocalDateTime(args[++i]);
    if (!at) return UsageFail(err, "invalid time '" + args[i].substr(0, 40) + "'; " + kNowUsage);
  }
  const std::optional<DateTurns> turns = DateTurns::For(options);
  const std::optional<DayStates> states = DayStates::For(options);
  if (!turns || !states)
    return UsageFail(err, "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                              options.times.cityFile);
  const CityTime& city = turns->city();
  const int64_t moment = at ? city.Utc(*at) : static_cast<int64_t>(Now());
  const LocalDateTime local = city.Local(moment);
  if (local.date.year < kFirstYear || local.date.year > kLastYear)
    return UsageFail(err, "the date is outside the calendar");
  const DateNow date = turns->At(moment);
  const StateNow state = states->At(moment);
  OutBuffer o(out);
  o << LocalDateTimeText(local).substr(0, 10) << '\t';
  AppendField(o, DateTurnLabel(date.hebrewDay, options.text.hebrewNumerals));
  o << '\t' << DayStateName(state.state) << '\t';
  o << (state.nextChange != 0 ? LocalDateTimeText(city.Local(state.nextChange)) : std::string("-")) << '\n';
  o.Flush();
  if (std::fflush(out) != 0 || std::ferror(out)) {
    std::fprintf(err, "lumaro-cli: the line could not be written\n");
    return 1;
  }
  return WorkAllowed(state.state) ? kCliOk : kCliRestDay;
}

}  // namespace cli
