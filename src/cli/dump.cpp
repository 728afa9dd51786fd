// dump FROM TO: one tab-separated line per day.
#include <array>
#include <string>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
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
void AppendField(OutBuffer& o, std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  o << text;
}

// The holiday dates of one Hebrew year, fetched once per year of the range
// (the settings do not change during a dump).
class HolidayYear {
 public:
  const std::array<HebrewDate, kJewishHolidayCount>& DatesOf(int year) {
    if (year != year_) {
      for (int id = 0; id < kJewishHolidayCount; ++id) dates_[static_cast<size_t>(id)] = GetJewishHolidayDate(id, year);
      year_ = year;
    }
    return dates_;
  }

 private:
  int year_ = 0;
  std::array<HebrewDate, kJewishHolidayCount> dates_{};
};

// The ids of the holidays on the day with Hebrew date h, ascending.
void AppendHolidays(OutBuffer& o, HolidayYear& holidays, const HebrewDate& h, int gregorianYear) {
  const auto& dates = holidays.DatesOf(h.year);
  bool first = true;
  for (int id = 0; id < kJewishHolidayCount; ++id) {
    const HebrewDate& date = dates[static_cast<size_t>(id)];
    if (date.day == 0 || date != h) continue;
    const int firstYear = GetJewishHolidayFirstYear(id);
    if (firstYear != 0 && firstYear > gregorianYear) continue;
    if (!first) o << ',';
    o << id;
    first = false;
  }
}

void AppendSections(OutBuffer& o, AbsoluteDay d) {
  ShabbatSections s;
  if (!GetTorahSectionShabbat(d, &s)) return;
  o << s.c1 << ',' << s.c2 << ',' << s.c3;
}

// "C <time>" for candle lighting, "H <time>" for havdalah, else nothing.
void WriteShabbatTime(OutBuffer& o, AbsoluteDay d) {
  std::string text;
  int candles = 0, havdalah = 0;
  GetShabbatTime(d, &text, &candles, &havdalah);
  if (candles) o << "C " << text;
  if (havdalah) o << "H " << text;
}

void WriteDay(OutBuffer& o, HolidayYear& holidays, AbsoluteDay d) {
  const GregorianDate g = GregorianFromAbsolute(d);
  const HebrewDate h = HebrewFromAbsolute(d);
  o << g.year << '-';
  AppendTwoDigits(o, g.month);
  o << '-';
  AppendTwoDigits(o, g.day);
  o << '\t' << static_cast<long long>(d) << '\t' << WeekdayOf(d) << '\t';
  o << h.day << '.' << h.month << '.' << h.year << '\t';
  AppendHolidays(o, holidays, h, g.year);
  o << '\t';
  AppendField(o, GetSpecialDay(d));
  o << '\t';
  o << GetRoshHodeshType(d) << '\t' << GetOmerCount(d) << '\t';
  AppendSections(o, d);
  o << '\t';
  AppendField(o, DafYomiGetWithoutCycle(g.day, g.month, g.year));
  o << '\t';
  o << IsYizkor(d) << '\t';
  WriteShabbatTime(o, d);
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
  HolidayYear holidays;
  for (AbsoluteDay d = first; d <= last; ++d) WriteDay(o, holidays, d);
  return kCliOk;
}

}  // namespace cli
