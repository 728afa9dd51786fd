#include "forms/indicator_view.h"

#include <algorithm>
#include <ctime>
#include <optional>

#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "calendar/names.h"
#include "compose/city_time.h"
#include "compose/date_turn.h"
#include "compose/day_info.h"
#include "compose/hebrew_date_text.h"
#include "suntimes/shabbat_times.h"
#include "suntimes/times_options.h"

namespace {

// Reminders are looked for this far ahead; an evening time this many days.
constexpr int64_t kReminderHorizonSeconds = 8 * 86400;
constexpr int kEveningHorizonDays = 8;

void AddFact(std::vector<std::string>& facts, const std::string& label, const std::string& value) {
  if (!value.empty()) facts.push_back(label + ": " + value);
}

// The facts of civil day d as `lumaro-cli today` gives them.
std::vector<std::string> DayFacts(AbsoluteDay d, const Options& options) {
  std::vector<std::string> facts;
  const DayInformation info = PaintInternal_GetDayInformation(d, options.rules, options.text.language);
  AddFact(facts, translate_perform("Holiday"), info.holiday);
  AddFact(facts, translate_perform("Rosh Khodesh"), info.roshKhodesh);
  AddFact(facts, translate_perform("Omer"), info.omer);
  // The section of the coming Shabbat (today's on Shabbat).
  const AbsoluteDay shabbat = d + (6 - d % 7);
  const DayInformation week =
      shabbat == d ? info : PaintInternal_GetDayInformation(shabbat, options.rules, options.text.language);
  AddFact(facts, translate_perform("Torah section"), week.torahSection);
  const GregorianDate g = GregorianFromAbsolute(d);
  const std::string daf = DafYomiGetWithoutCycle(g.day, g.month, g.year);
  if (!daf.empty()) AddFact(facts, translate_perform("Daf Yomi"), translate_replace(daf));
  return facts;
}

int64_t MomentOf(AbsoluteDay d, const ShabbatTimeValue& v) {
  return UtcMidnight(d) + (int64_t{v.standardMinutes} - 60 * int64_t{v.gmtOffset}) * 60;
}

// The first candle lighting or havdalah after `now` from the evening of the
// day before `today` on (a time past midnight belongs to the evening before):
// its fact line and its moment.
std::optional<std::pair<std::string, int64_t>> NextEveningTime(int64_t now, AbsoluteDay today, const Options& options) {
  const EveningTimes evenings = EveningTimesFor(options.rules, options.times);
  for (AbsoluteDay d = today - 1; d <= today + kEveningHorizonDays; ++d) {
    ShabbatTimeValue v;
    if (!evenings.Value(d, &v) || v.kind == EveningTime::kNone) continue;
    const int64_t moment = MomentOf(d, v);
    if (moment <= now) continue;
    const std::string time = ListedTimeText(true, v, options.times.clock, "");
    const std::string when = d == today ? time : GetWeekdayName(static_cast<int>(d % 7)) + " " + time;
    return std::make_pair(EveningTimeLabel(v.kind) + ": " + when, moment);
  }
  return std::nullopt;
}

std::string Title(AbsoluteDay civil, AbsoluteDay hebrew, bool numerals) {
  const GregorianDate g = GregorianFromAbsolute(civil);
  return GetWeekdayName(static_cast<int>(civil % 7)) + ", " + std::to_string(g.day) + " " +
         GetGregorianMonthName(g.month) + " " + std::to_string(g.year) + " - " +
         HebrewDateText(HebrewFromAbsolute(hebrew), numerals);
}

// The civil day and the next midnight by the system's zone.
std::pair<AbsoluteDay, int64_t> SystemDay(int64_t now) {
  const std::time_t t = static_cast<std::time_t>(now);
  std::tm local{};
  localtime_r(&t, &local);
  const AbsoluteDay day = AbsoluteFromGregorian(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  local.tm_mday += 1;
  local.tm_hour = 0;
  local.tm_min = 0;
  local.tm_sec = 0;
  local.tm_isdst = -1;
  return {day, static_cast<int64_t>(std::mktime(&local))};
}

}  // namespace

IndicatorView IndicatorViewAt(int64_t now, const Options& options) {
  IndicatorView view;
  const bool numerals = options.text.hebrewNumerals;
  const std::optional<DateTurns> turns = DateTurns::For(options);
  if (!turns) {
    const auto [day, midnight] = SystemDay(now);
    view.label = DateTurnLabel(day, numerals);
    view.title = Title(day, day, numerals);
    view.facts = DayFacts(day, options);
    view.nextChange = midnight;
    return view;
  }
  const DateNow date = turns->At(now);
  view.label = DateTurnLabel(date.hebrewDay, numerals);
  view.title = Title(date.civilDay, date.hebrewDay, numerals);
  view.facts = DayFacts(date.civilDay, options);
  view.nextChange = std::min(date.nextTurn, turns->city().Midnight(date.civilDay + 1));
  if (const auto evening = NextEveningTime(now, date.civilDay, options)) {
    view.facts.push_back(evening->first);
    view.nextChange = std::min(view.nextChange, evening->second);
  }
  return view;
}

int64_t IndicatorNextWake(int64_t now, const IndicatorView& view, const Options& options,
                          const AnniversaryList& anniversaries) {
  const std::vector<Reminder> coming = RemindersBetween(now + 1, now + kReminderHorizonSeconds, options, anniversaries);
  return coming.empty() ? view.nextChange : std::min(view.nextChange, coming.front().moment);
}

std::vector<Reminder> IndicatorRemindersToSend(int64_t lastLook, int64_t now, const Options& options,
                                               const AnniversaryList& anniversaries) {
  const int64_t from = std::max(lastLook + 1, now - kReminderGraceSeconds);
  return from > now ? std::vector<Reminder>{} : RemindersBetween(from, now + 1, options, anniversaries);
}
