// dump FROM TO: one tab-separated line per day.
#include <array>
#include <string>

#include "calendar/calendar.h"
#include "compose/current_options.h"
#include "calendar/daf_yomi.h"
#include "calendar/festivals.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "calendar/torah_sections.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"
#include "suntimes/cities.h"
#include "suntimes/shabbat_times.h"

namespace cli {

namespace {

constexpr const char* kHeader =
    "date\tabs\twd\thebrew\tholidays\tspecial_day\trosh_khodesh\tomer\tsections\tdaf_yomi\tyizkor\tshabbat_time\n";

void AppendTwoDigits(OutBuffer& o, int v) {
  o << static_cast<char>('0' + v / 10) << static_cast<char>('0' + v % 10);
}

// A translated text could hold a tab or a line break; either would break
// the line into wrong columns, so they become blanks.
void AppendField(OutBuffer& o, std::string_view text) {
  o.AppendReplacing(text, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
}

// The ids of the holidays on the day, ascending.
void AppendHolidays(OutBuffer& o, AbsoluteDay d, const HebrewDate& h, const CalendarRules& rules) {
  bool first = true;
  for (Festival f : FestivalsOn(d, h, rules)) {
    if (!first) o << ',';
    o << IdOf(f);
    first = false;
  }
}

void AppendSections(OutBuffer& o, AbsoluteDay d, const CalendarRules& rules) {
  ShabbatSections s;
  if (!GetTorahSectionShabbat(d, rules, &s)) return;
  o << s.c1 << ',' << s.c2 << ',' << s.c3;
}

// "C <time>" for candle lighting, "H <time>" for havdalah, else nothing.
void WriteShabbatTime(OutBuffer& o, AbsoluteDay d, const EveningTimes& evenings) {
  std::string text;
  int candles = 0, havdalah = 0;
  evenings.Text(d, &text, &candles, &havdalah);
  if (candles) o << "C " << text;
  if (havdalah) o << "H " << text;
}

// What every day of the dump shares: the settings do not change during it.
struct DumpRun {
  CalendarRules rules;
  EveningTimes evenings;
};

void WriteDay(OutBuffer& o, const DumpRun& run, AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  const HebrewDate h = HebrewFromAbsolute(d);
  o << g.year << '-';
  AppendTwoDigits(o, g.month);
  o << '-';
  AppendTwoDigits(o, g.day);
  o << '\t' << static_cast<long long>(d) << '\t' << WeekdayOf(d) << '\t';
  o << h.day << '.' << h.month << '.' << h.year << '\t';
  AppendHolidays(o, d, h, run.rules);
  o << '\t';
  AppendField(o, GetSpecialDay(d, h, run.rules));
  o << '\t';
  o << GetRoshKhodeshType(h) << '\t' << GetOmerCount(d, h) << '\t';
  AppendSections(o, d, run.rules);
  o << '\t';
  if (const DafYomiPage daf = DafYomiPageOf(d); daf.page != 0) {
    AppendField(o, daf.tractate);
    o << ' ' << daf.page;
  }
  o << '\t';
  o << IsYizkor(d, run.rules) << '\t';
  WriteShabbatTime(o, d, run.evenings);
  o << '\n';
}

}  // namespace

int CmdDump(const Args& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: dump FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto range = ParseDateRange(args[0], args[1], error);
  if (!range) return UsageFail(err, error);
  const AbsoluteDay first = range->first;
  const AbsoluteDay last = range->last;

  OutBuffer o(out);
  const CityFileSnapshot cityFile;  // one look at the city file for the whole run
  o << kHeader;
  const DumpRun run{CurrentCalendarRules(), EveningTimesFromSettings()};
  for (AbsoluteDay d = first; d <= last; ++d) WriteDay(o, run, d);
  return kCliOk;
}

}  // namespace cli
