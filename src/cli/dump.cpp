// dump FROM TO: one tab-separated line per day.
#include <string>

#include "calendar/calendar.h"
#include "calendar/names.h"
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

// "C <time>" for candle lighting, "H <time>" for havdalah, else nothing.
void WriteShabbatTime(OutBuffer& o, AbsoluteDay d) {
  std::string text;
  int candles = 0, havdalah = 0;
  GetShabbatTime(d, &text, &candles, &havdalah);
  if (candles) o << "C " << text;
  if (havdalah) o << "H " << text;
}

void WriteDay(OutBuffer& o, AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  const HebrewDate h = HebrewFromAbsolute(d);
  o << g.year << '-';
  AppendTwoDigits(o, g.month);
  o << '-';
  AppendTwoDigits(o, g.day);
  o << '\t' << static_cast<long long>(d) << '\t' << WeekdayOf(d) << '\t';
  o << h.day << '.' << h.month << '.' << h.year << '\t';
  o << '\t';  // holidays
  o << '\t';  // special_day
  o << GetRoshHodeshType(d) << '\t' << GetOmerCount(d) << '\t';
  o << '\t';  // sections
  o << '\t';  // daf_yomi
  o << '\t';  // yizkor
  WriteShabbatTime(o, d);
  o << '\n';
}

}  // namespace

int CmdDump(const Args& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: dump FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto from = ParseDate(args[0], error);
  if (!from) return UsageFail(err, error);
  const auto to = ParseDate(args[1], error);
  if (!to) return UsageFail(err, error);
  const AbsoluteDay first = AbsoluteFromGregorian(*from);
  const AbsoluteDay last = AbsoluteFromGregorian(*to);
  if (first > last) return UsageFail(err, "FROM " + args[0] + " is after TO " + args[1]);

  OutBuffer o(out);
  const CityFileSnapshot cityFile;  // one look at the city file for the whole run
  o << kHeader;
  for (AbsoluteDay d = first; d <= last; ++d) WriteDay(o, d);
  return kCliOk;
}

}  // namespace cli
