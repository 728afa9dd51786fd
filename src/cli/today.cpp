// today [--date DATE]: one labelled line each for what a day is: its
// Gregorian and Hebrew date, holidays, Rosh Khodesh, Omer, the section of
// the coming Shabbat, Daf Yomi, the minor days, the candle-lighting or
// havdalah time, the moments of the moon and the sun, the anniversaries of
// the day, and sunset. Without --date the day is today;
// after today's sunset the report says so and gives the Hebrew date that
// has begun.
#include <string>
#include <string_view>
#include <vector>

#include "base/diagnostics.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/rules.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/date_text.h"
#include "cli/out_buffer.h"
#include "compose/anniversary_lines.h"
#include "compose/day_info.h"
#include "compose/minor_day_lines.h"
#include "storage/anniversaries.h"
#include "suntimes/calc.h"
#include "suntimes/cities.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/timeformat.h"
#include "suntimes/timezone.h"

namespace cli {

namespace {

constexpr const char* kTodayUsage = "usage: today [--date DATE] (DATE as YYYY-MM-DD)";

// Sunset of the configured city on `day`: the clock text and the instant,
// or (with no instant) why the sun does not set that day.
struct Sunset {
  std::string shown;
  std::optional<std::time_t> utc;
};

std::optional<Sunset> SunsetOf(AbsoluteDay day, const TimesOptions& times) {
  CityRec place;
  if (!CityGet(times.cityFile, times.city, &place)) return std::nullopt;
  const GregorianDate g = GregorianFromAbsolute(day);
  const CityClock clock(place, g, times.DstRule(), times.automaticZone);
  SunOptions sun = times.sun;
  sun.elevation = false;  // sunset at sea level, as the day's line always gave it
  MissingTime missing;
  const std::optional<double> exact = CalculateZmanimMinutes({place.latitude, place.longitude, clock.zoneHours(), 0.0},
                                                             g.day, g.month, g.year, "sunset", sun, &missing);
  if (!exact) return missing.bySun() ? std::optional<Sunset>(Sunset{MissingTimeText(missing), {}}) : std::nullopt;
  const int t = CityClock::RoundedMinutes(*exact);
  int hour = 0, minute = 0;
  if (t < 0 || !clock.Show(t, &hour, &minute)) return std::nullopt;
  return Sunset{TimeformatListedTime(hour, minute, times.clock), static_cast<std::time_t>(clock.UtcSeconds(t))};
}

class Report {
 public:
  explicit Report(OutBuffer& out) : out_(out) {}
  // "<label>: <value>", nothing when the value is empty.
  void Line(const std::string& label, const std::string& value) {
    if (!value.empty()) out_ << label << ": " << value << "\n";
  }
  // A line that carries its own label.
  void Text(const std::string& text) { out_ << text << "\n"; }

 private:
  OutBuffer& out_;
};

}  // namespace

int CmdToday(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::optional<AbsoluteDay> day;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--date") return UsageFail(err, "unexpected argument '" + args[i].substr(0, 40) + "'; " + kTodayUsage);
    if (day) return UsageFail(err, "--date given twice");
    if (i + 1 >= args.size()) return UsageFail(err, std::string("--date needs a value; ") + kTodayUsage);
    std::string error;
    const auto date = ParseDate(args[++i], error);
    if (!date) return UsageFail(err, error);
    day = AbsoluteFromGregorian(*date);
  }
  const std::time_t now = Now();
  const AbsoluteDay today = LocalDay(now);
  if (!day) {
    const GregorianDate g = GregorianFromAbsolute(today);
    if (g.year < kFirstYear || g.year > kLastYear) return UsageFail(err, "today's date is outside the calendar");
    day = today;
  }
  const AbsoluteDay d = *day;

  // Messages about the city file go to stderr, never into the report.
  const DiagnosticsTo redirect(err);
  const CalendarRules rules = options.rules;
  OutBuffer o(out);
  Report r(o);
  r.Line(translate_perform("Date"), GregorianDateText(d));
  r.Line(translate_perform("Hebrew date"), HebrewDateText(d, options.text.hebrewNumerals));
  r.Line(translate_perform("Place"), Utf8FromLatin1(options.times.city));

  const DayInformation info = PaintInternal_GetDayInformation(d, rules, options.text.language);
  r.Line(translate_perform("Holiday"), info.holiday);
  r.Line(translate_perform("Rosh Khodesh"), info.roshKhodesh);
  r.Line(translate_perform("Omer"), info.omer);
  // The section of the week is the one read on the coming Shabbat (today,
  // when today is Shabbat).
  const AbsoluteDay shabbat = d + (6 - d % 7);
  const DayInformation shabbatInfo = shabbat == d ? info : PaintInternal_GetDayInformation(shabbat, rules, options.text.language);
  r.Line(translate_perform("Torah section"), shabbatInfo.torahSection);
  r.Line(translate_perform("Special Shabbat"), shabbatInfo.specialShabbat);
  const GregorianDate g = GregorianFromAbsolute(d);
  const std::string daf = DafYomiGetWithoutCycle(g.day, g.month, g.year);
  r.Line(translate_perform("Daf Yomi"), daf.empty() ? daf : translate_replace(daf));

  // The minor days by name, the moments with their time.
  const DayTimes times = DayTimesFor(options.rules, options.times, options.style);
  const std::vector<MinorDayLine> minor = MinorDayLinesOf(d, rules, times.Of(d), options.times.clock);
  for (const MinorDayLine& line : minor) {
    if (line.time.empty()) r.Line(translate_perform("Minor day"), line.title);
  }

  ShabbatTimeValue evening;
  const bool shown = EveningTimesFor(options.rules, options.times).Value(d, &evening);
  const std::string time = ListedTimeText(shown, evening, options.times.clock, "");
  if (evening.isCandleLighting) r.Line(translate_perform("Candle Lighting"), time);
  if (evening.isHavdalah) r.Line(translate_perform("Havdalah"), time);
  for (const MinorDayLine& line : minor) {
    if (!line.time.empty()) r.Line(line.title, line.time);
  }
  // The beginning and end of a fast day belong here, beside the evening
  // times, once the times of fast days are computed.

  for (const AnniversaryRec& rec : AnniFileEntriesOnDay(d)) r.Text(AnniversaryLine(rec));

  if (const std::optional<Sunset> sunset = SunsetOf(d, options.times)) {
    if (d == today && sunset->utc && now >= *sunset->utc) {
      r.Line(translate_perform("Sunset"), sunset->shown + " (" + translate_perform("it is after sunset") + ")");
      r.Line(translate_perform("From sunset"), HebrewDateText(d + 1, options.text.hebrewNumerals));
    } else {
      r.Line(translate_perform("Sunset"), sunset->shown);
    }
  }
  return FinishOutput(o, out, err, "report");
}

}  // namespace cli
