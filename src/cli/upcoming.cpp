// upcoming [--days N] [--from DATE] [--notify]: the anniversaries, birthdays
// and yortsayt dates of the N days from today (or DATE) on, in date order
// (a day's entries in list order), one line each with the Gregorian and
// Hebrew date and the number of years. --notify also sends the list as one
// desktop notification; without a notification service that is said on
// stderr and the run still succeeds. With nothing coming it says so ("No
// anniversaries in the next 7 days.") and sends no notification.
#include <string>
#include <vector>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/date_text.h"
#include "forms/desktop_notify.h"
#include "compose/anniversary_lines.h"
#include "compose/mourning_lines.h"
#include "storage/anniversaries.h"

namespace cli {

namespace {

constexpr const char* kUpcomingUsage = "usage: upcoming [--days N] [--from DATE] [--notify] (N 1..3660)";
constexpr int kDefaultDays = 7;
constexpr int kMaxDays = 3660;

// "6 years" (the years since the event, counted in Hebrew years).
std::string YearsText(int years) {
  if (years == 1) return translate_perform("1 year");
  return FormatPlainOr(translate_perform("%d years"), "%d years", {FormatArg(years)});
}

}  // namespace

int CmdUpcoming(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  int days = kDefaultDays;
  bool daysGiven = false, notify = false;
  std::optional<AbsoluteDay> from;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--notify") {
      notify = true;
    } else if (a == "--days" || a == "--from") {
      if (i + 1 >= args.size()) return UsageFail(err, a + " needs a value; " + kUpcomingUsage);
      const std::string& v = args[++i];
      if (a == "--days") {
        if (daysGiven) return UsageFail(err, "--days given twice");
        const auto n = ParseInteger(v);
        if (!n || *n < 1 || *n > kMaxDays)
          return UsageFail(err, "invalid number of days '" + v.substr(0, 40) + "' (1.." + std::to_string(kMaxDays) + ")");
        days = static_cast<int>(*n);
        daysGiven = true;
      } else {
        if (from) return UsageFail(err, "--from given twice");
        std::string error;
        const auto date = ParseDate(v, error);
        if (!date) return UsageFail(err, error);
        from = AbsoluteFromGregorian(*date);
      }
    } else {
      return UsageFail(err, "unexpected argument '" + a.substr(0, 40) + "'; " + kUpcomingUsage);
    }
  }
  if (RangeTooLong(days)) return UsageFail(err, "range too long for this run");
  const AbsoluteDay first = from ? *from : LocalDay(Now());
  const AbsoluteDay lastOfCalendar = AbsoluteFromGregorian(31, 12, kLastYear);
  if (first < AbsoluteFromGregorian(1, 1, kFirstYear) || first > lastOfCalendar)
    return UsageFail(err, "today's date is outside the calendar");
  const AbsoluteDay last = std::min<AbsoluteDay>(first + days - 1, lastOfCalendar);

  std::vector<std::string> lines;
  for (AbsoluteDay d = first; d <= last; ++d) {
    const int year = HebrewFromAbsolute(d).year;
    for (const AnniversaryRec& rec : AnniFileEntriesOnDay(d)) {
      const int years = year - HebrewFromAbsolute(AnniEventDay(rec)).year;
      lines.push_back(GregorianDateText(d) + " (" + HebrewDateText(d, options.text.hebrewNumerals) + "): " + AnniversaryLine(rec) + ", " +
                      YearsText(years));
    }
    for (const auto& [rec, mitzvah] : AnniMitzvahsOnDay(AnniFileMitzvahsOnDay(d), d, options.rules))
      lines.push_back(GregorianDateText(d) + " (" + HebrewDateText(d, options.text.hebrewNumerals) + "): " +
                      AnniMitzvahLine(rec) + "; " + AnniMitzvahShabbatText(mitzvah, options.text.hebrewNumerals));
    for (const MourningDayLine& line : MourningFileLinesOnDay(d, options.rules, options.text.hebrewNumerals))
      lines.push_back(GregorianDateText(d) + " (" + HebrewDateText(d, options.text.hebrewNumerals) + "): " + line.text);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  // Nothing coming: said, so that an empty list is not taken for a failure.
  if (lines.empty())
    text = (days == 1 ? translate_perform("No anniversaries in the next day.")
                      : FormatPlainOr(translate_perform("No anniversaries in the next %d days."),
                                      "No anniversaries in the next %d days.", {FormatArg(days)})) +
           "\n";
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
    std::fprintf(err, "lumaro-cli: the list could not be written completely\n");
    return 1;
  }
  // Nothing coming: no notification to interrupt the user with.
  if (notify && !lines.empty()) {
    const std::string summary =
        translate_perform("Lumaro") + ": " +
        (days == 1 ? translate_perform("anniversaries of the day")
                   : FormatPlainOr(translate_perform("anniversaries of the next %d days"),
                                   "anniversaries of the next %d days", {FormatArg(days)}));
    text.pop_back();  // the last line feed
    std::string message;
    switch (forms::SendDesktopNotification(summary, text, &message)) {
      case forms::NotifyResult::kSent:
        break;
      case forms::NotifyResult::kNoService:
        std::fprintf(err, "lumaro-cli: %s; the list was not shown as a notification\n", message.c_str());
        break;
      case forms::NotifyResult::kFailed:
        std::fprintf(err, "lumaro-cli: %s\n", message.c_str());
        return 1;
    }
  }
  return kCliOk;
}

}  // namespace cli
