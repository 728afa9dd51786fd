// anniversary TYPE D.M.Y YEAR [--adar 1|2|both]: the day of an anniversary,
// birthday or yortsayt in a given Hebrew year (an event in Adar of a common
// year placed in a leap year as chosen); with --mitzvah bar|bat, the bar or
// bat mitzvah of a birth: its day, the Shabbat on or after it and its section.
#include <cstdio>
#include <optional>
#include <string>

#include "base/text_format.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "compose/anniversary_lines.h"
#include "storage/anniversaries.h"

namespace cli {

namespace {

// Hebrew years the command accepts: those of the days the calendar counts.
constexpr int kFirstHebrewYear = 3762;
constexpr int kLastHebrewYear = 9999;

std::optional<int> SmallNumber(std::string_view text) {
  if (text.empty() || text[0] == '-') return std::nullopt;
  const auto v = ParseInteger(text);
  if (!v || *v > 99999) return std::nullopt;
  return static_cast<int>(*v);
}

// D.M.Y with months Nisan = 1 .. Adar II = 13.
std::optional<HebrewDate> ParseHebrewDate(std::string_view text, std::string& error) {
  const std::string shown(text.substr(0, 40));
  const size_t dot1 = text.find('.');
  const size_t dot2 = dot1 == std::string_view::npos ? dot1 : text.find('.', dot1 + 1);
  std::optional<int> d, m, y;
  if (dot2 != std::string_view::npos) {
    d = SmallNumber(text.substr(0, dot1));
    m = SmallNumber(text.substr(dot1 + 1, dot2 - dot1 - 1));
    y = SmallNumber(text.substr(dot2 + 1));
  }
  if (!d || !m || !y) {
    error = "invalid Hebrew date '" + shown + "' (expected D.M.Y, months Nisan=1 .. Adar II=13)";
    return std::nullopt;
  }
  if (*y < kFirstHebrewYear || *y > kLastHebrewYear) {
    error = "year of '" + shown + "' is outside " + std::to_string(kFirstHebrewYear) + ".." +
            std::to_string(kLastHebrewYear);
    return std::nullopt;
  }
  if (*m < 1 || *m > Last_Month_Of_Hebrew_Year(*y)) {
    error = "no month " + std::to_string(*m) + " in Hebrew year " + std::to_string(*y) +
            (*m == kAdarII ? " (not a leap year)" : "");
    return std::nullopt;
  }
  if (*d < 1 || *d > Last_Day_Of_Hebrew_Month(*m, *y)) {
    error = "no such day: '" + shown + "'";
    return std::nullopt;
  }
  return HebrewDate{*d, *m, *y};
}

}  // namespace

int CmdAnniversary(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  constexpr const char* kUsage =
      "usage: anniversary TYPE D.M.Y YEAR [--adar 1|2|both] | anniversary B D.M.Y --mitzvah bar|bat [--adar 1|2|both] "
      "(TYPE A, B or Y; Hebrew date and year)";
  Args positional;
  std::optional<AdarChoice> adar;
  std::optional<bool> bat;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--mitzvah") {
      if (i + 1 >= args.size()) return UsageFail(err, std::string("--mitzvah needs bar or bat; ") + kUsage);
      if (bat) return UsageFail(err, "--mitzvah given twice");
      const std::string& v = args[++i];
      if (v != "bar" && v != "bat") return UsageFail(err, "invalid --mitzvah '" + v.substr(0, 40) + "' (bar or bat)");
      bat = v == "bat";
      continue;
    }
    if (args[i] != "--adar") {
      positional.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size()) return UsageFail(err, std::string("--adar needs 1, 2 or both; ") + kUsage);
    if (adar) return UsageFail(err, "--adar given twice");
    const std::string& v = args[++i];
    if (v != "1" && v != "2" && v != "both")
      return UsageFail(err, "invalid --adar '" + v.substr(0, 40) + "' (1 Adar I, 2 Adar II, both)");
    adar = v == "1" ? AdarChoice::kAdarI : v == "2" ? AdarChoice::kAdarII : AdarChoice::kBoth;
  }
  if (positional.size() != (bat ? 2u : 3u)) return UsageFail(err, kUsage);
  const std::string& type = positional[0];
  if (type != "A" && type != "B" && type != "Y")
    return UsageFail(err, "invalid type '" + type.substr(0, 40) + "' (A anniversary, B birthday, Y yortsayt)");
  if (bat && type != "B") return UsageFail(err, "--mitzvah is for a birthday (B)");
  std::string error;
  const auto event = ParseHebrewDate(positional[1], error);
  if (!event) return UsageFail(err, error);
  if (bat) {
    // The day, the Shabbat on or after it and that Shabbat's section.
    AnniversaryRec rec;
    rec.type = kAnniBirthday;
    rec.isHebrew = 1;
    rec.date = {event->day, event->month, event->year};
    rec.batMitzvah = *bat;
    rec.adar = adar.value_or(AdarChoice::kUsual);
    const auto m = AnniMitzvahOf(rec, options.rules);
    if (!m || HebrewFromAbsolute(m->shabbat).year > kLastHebrewYear)
      return UsageFail(err, "the mitzvah of '" + positional[1].substr(0, 40) + "' is past the calendar's end");
    const HebrewDate day = HebrewFromAbsolute(m->day), shabbat = HebrewFromAbsolute(m->shabbat);
    std::fprintf(out, "%s\t%s\t%s\n", DayMonthYearText(day.day, day.month, day.year).c_str(),
                 DayMonthYearText(shabbat.day, shabbat.month, shabbat.year).c_str(), m->section.c_str());
    return kCliOk;
  }
  const auto year = SmallNumber(positional[2]);
  if (!year || *year < kFirstHebrewYear || *year > kLastHebrewYear)
    return UsageFail(err, "invalid year '" + positional[2].substr(0, 40) + "' (a Hebrew year " +
                              std::to_string(kFirstHebrewYear) + ".." + std::to_string(kLastHebrewYear) + ")");
  // One line a day: two when an event in Adar of a common year falls in both Adars.
  for (AbsoluteDay day : AnniDaysInYear(*event, type[0], adar.value_or(AdarChoice::kUsual), *year)) {
    const HebrewDate h = HebrewFromAbsolute(day);
    std::fprintf(out, "%s\n", DayMonthYearText(h.day, h.month, h.year).c_str());
  }
  return kCliOk;
}

}  // namespace cli
