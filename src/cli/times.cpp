// times FROM TO: every candle-lighting, havdalah, fast, Khanukka, khamets
// and minor-day time of the days, one line each: DATE<TAB>KIND<TAB>TIME<TAB>LABEL.
// minor-days FROM TO: the minor days and moments, DATE<TAB>KIND<TAB>TEXT.
#include <string>

#include "base/translate.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"
#include "compose/minor_day_lines.h"
#include "suntimes/cities.h"
#include "suntimes/day_times.h"
#include "suntimes/missing_time.h"
#include "suntimes/timeformat.h"

namespace cli {

namespace {

void AppendDate(OutBuffer& o, AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  o << g.year << '-' << static_cast<char>('0' + g.month / 10) << static_cast<char>('0' + g.month % 10) << '-'
    << static_cast<char>('0' + g.day / 10) << static_cast<char>('0' + g.day % 10);
}

// A translated label could hold a tab or a line break; either would break
// the line into wrong columns, so they become blanks.
void AppendField(OutBuffer& o, std::string_view text) {
  o.AppendReplacing(text, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
}

}  // namespace

int CmdTimes(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: times FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto range = ParseDateRange(args[0], args[1], error);
  if (!range) return UsageFail(err, error);
  const CityFileSnapshot cityFile;  // one look at the city file for the whole run
  CityRec place;
  if (!CityGet(options.times.cityFile, options.times.city, &place))
    return UsageFail(err, "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                              options.times.cityFile);
  const DayTimes times = DayTimesFor(options.rules, options.times, options.style);
  OutBuffer o(out);
  for (AbsoluteDay d = range->first; d <= range->last; ++d) {
    // A time after midnight says so in its label; one that does not exist
    // that day (the sun does not set or does not sink so far, an invalid
    // daylight-saving rule) has the time "-" and says why.
    for (const DayTime& t : times.Of(d)) {
      AppendDate(o, d);
      o << '\t' << DayTimeKindOf(t.kind).name << '\t';
      AppendField(o, t.computed ? TimeformatFormatTime(t.time.hour, t.time.minute, options.times.clock) : "-");
      o << '\t';
      std::string label = DayTimeLabel(t);
      if (!t.computed) {
        label += " (" + MissingTimeText(t.time.missing) + ")";
      } else if (IsAfterMidnight(t.time.hour)) {
        label += " " + translate_perform("(after midnight)");
      }
      AppendField(o, label);
      o << '\n';
    }
  }
  return kCliOk;
}

int CmdMinorDays(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: minor-days FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto range = ParseDateRange(args[0], args[1], error);
  if (!range) return UsageFail(err, error);
  const CityFileSnapshot cityFile;
  CityRec place;
  if (!CityGet(options.times.cityFile, options.times.city, &place)) {
    std::fprintf(err,
                 "lumaro-cli: the city '%s' was not found in the city file %s: the moments of the moon and "
                 "the sun are left out\n",
                 options.times.city.substr(0, 80).c_str(), options.times.cityFile.c_str());
  }
  const DayTimes times = DayTimesFor(options.rules, options.times, options.style);
  OutBuffer o(out);
  for (AbsoluteDay d = range->first; d <= range->last; ++d) {
    for (const MinorDayLine& line : MinorDayLinesOf(d, options.rules, times.Of(d), options.times.clock)) {
      AppendDate(o, d);
      o << '\t' << MinorDayOf(line.day).name << '\t';
      AppendField(o, line.Text());
      o << '\n';
    }
  }
  return kCliOk;
}

}  // namespace cli
