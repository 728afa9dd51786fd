// dump FROM TO: one tab-separated line per day.
#include <array>
#include <string>

#include "calendar/calendar.h"
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

char* PutTwoDigits(char* p, long long v) {
  p[0] = static_cast<char>('0' + v / 10);
  p[1] = static_cast<char>('0' + v % 10);
  return p + 2;
}

// Writes v in decimal at p and returns the end: the dump writes some ten
// numbers a line, half a million lines, nearly all of them days and months
// (one or two digits), years (four) and day numbers (six).
char* PutNumber(char* p, long long v) {
  if (v < 0) {
    *p++ = '-';
    v = -v;
  }
  if (v < 10) {
    *p = static_cast<char>('0' + v);
    return p + 1;
  }
  if (v < 100) return PutTwoDigits(p, v);
  if (v >= 1000 && v < 10000) return PutTwoDigits(PutTwoDigits(p, v / 100), v % 100);
  if (v >= 100000 && v < 1000000) return PutTwoDigits(PutTwoDigits(PutTwoDigits(p, v / 10000), v / 100 % 100), v % 100);
  int length = 1;
  for (long long rest = v / 10; rest != 0; rest /= 10) ++length;
  char* end = p + length;
  for (char* q = end; q != p; v /= 10) *--q = static_cast<char>('0' + v % 10);
  return end;
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

// The civil and Hebrew dates of consecutive days: one day on is a step
// within the month, and only a new month is worked out from the day number.
class DateWalk {
 public:
  explicit DateWalk(AbsoluteDay d) { Reset(d); }
  const GregorianDate& civil() const { return g_; }
  const HebrewDate& hebrew() const { return h_; }
  void Next(AbsoluteDay next) {
    if (g_.day < civilLength_ && h_.day < hebrewLength_) {
      ++g_.day;
      ++h_.day;
    } else {
      Reset(next);
    }
  }

 private:
  void Reset(AbsoluteDay d) {
    g_ = GregorianFromAbsolute(d);
    h_ = HebrewFromAbsolute(d);
    civilLength_ = LastDayOfGregorianMonth(g_.month, g_.year);
    hebrewLength_ = Last_Day_Of_Hebrew_Month(h_.month, h_.year);
  }
  GregorianDate g_;
  HebrewDate h_;
  int civilLength_ = 0;
  int hebrewLength_ = 0;
};

void WriteDay(OutBuffer& o, const DumpRun& run, AbsoluteDay d, const GregorianDate& g, const HebrewDate& h) {
  // The numbers of the line are written straight into the buffer: the dump
  // writes half a million lines.
  char* p = o.Claim(128);
  p = PutNumber(p, g.year);
  *p++ = '-';
  p = PutTwoDigits(p, g.month);
  *p++ = '-';
  p = PutTwoDigits(p, g.day);
  *p++ = '\t';
  p = PutNumber(p, static_cast<long long>(d));
  *p++ = '\t';
  *p++ = static_cast<char>('0' + WeekdayOf(d));
  *p++ = '\t';
  p = PutNumber(p, h.day);
  *p++ = '.';
  p = PutNumber(p, h.month);
  *p++ = '.';
  p = PutNumber(p, h.year);
  *p++ = '\t';
  o.Commit(p);
  AppendHolidays(o, d, h, run.rules);
  o << '\t';
  AppendField(o, GetSpecialDay(d, h, run.rules));
  p = o.Claim(64);
  *p++ = '\t';
  p = PutNumber(p, GetRoshKhodeshType(h));
  *p++ = '\t';
  p = PutNumber(p, GetOmerCount(d, h));
  *p++ = '\t';
  o.Commit(p);
  AppendSections(o, d, run.rules);
  o << '\t';
  if (const DafYomiPage daf = DafYomiPageOf(d); daf.page != 0) {
    AppendField(o, daf.tractate);
    o << ' ' << daf.page;
  }
  o << '\t';
  o << (IsYizkor(d, run.rules) ? '1' : '0') << '\t';
  WriteShabbatTime(o, d, run.evenings);
  o << '\n';
}

}  // namespace

int CmdDump(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: dump FROM TO (dates as YYYY-MM-DD)");
  std::string error;
  const auto range = ParseDateRange(args[0], args[1], error);
  if (!range) return UsageFail(err, error);
  const AbsoluteDay first = range->first;
  const AbsoluteDay last = range->last;

  OutBuffer o(out);
  const CityFileSnapshot cityFile;  // one look at the city file for the whole run
  o << kHeader;
  const DumpRun run{options.rules, EveningTimesFor(options.rules, options.times)};
  DateWalk dates(first);
  for (AbsoluteDay d = first; d <= last; ++d) {
    WriteDay(o, run, d, dates.civil(), dates.hebrew());
    if (d < last) dates.Next(d + 1);
  }
  return kCliOk;
}

}  // namespace cli
