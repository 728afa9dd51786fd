#include "compose/mourning_lines.h"

#include <algorithm>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/names.h"
#include "compose/hebrew_date_text.h"
#include "storage/anniversaries.h"

namespace {

// "Sunday, 13 April 2025 (15 Nisan 5785)".
std::string DayText(AbsoluteDay d, bool numerals) {
  const GregorianDate g = GregorianFromAbsolute(d);
  return GetWeekdayName(WeekdayOf(d)) + ", " + std::to_string(g.day) + " " + GetGregorianMonthName(g.month) + " " +
         std::to_string(g.year) + " (" + HebrewDateText(HebrewFromAbsolute(d), numerals) + ")";
}

// A text with its values put in, translated (the English when the
// translation's placeholders do not fit the values).
std::string Said(std::string_view key, std::initializer_list<FormatArg> args) {
  return FormatPlainOr(translate_perform(key), key, args);
}

std::string FestivalName(const std::optional<Festival>& festival, const CalendarRules& rules) {
  if (!festival) return {};
  const Festival f = *festival;
  return translate_perform(FestivalFactsOf(f, rules).name);
}

std::string ShivaReason(const halakha::MourningDates& m, const CalendarRules& rules, bool numerals) {
  using halakha::ShivaEnd;
  const std::string festival = FestivalName(m.shivaFestival, rules);
  switch (m.shivaWhy) {
    case ShivaEnd::kSeventhDay:
      return translate_perform("Shiva ends on the morning of the seventh day counted from the burial");
    case ShivaEnd::kFestivalCancels: {
      return Said("Shiva ends on the eve of the festival: %s on %s cancels the rest of shiva",
                  {festival, DayText(m.shivaFestivalStart, numerals)});
    }
    case ShivaEnd::kAfterFestival: {
      return Said(
          "The burial was during %s: shiva is counted from the day after the festival and ends on the "
          "morning of its seventh day",
          {festival});
    }
    case ShivaEnd::kAfterFestivalLast: {
      return Said(
          "The burial was during %s: shiva is counted from the festival's last day, a second day of the "
          "Diaspora, and ends on the morning of its seventh day",
          {festival});
    }
  }
  return {};
}

std::string ShloshimReason(const halakha::MourningDates& m, const CalendarRules& rules, bool numerals) {
  using halakha::ShloshimEnd;
  const std::string festival = FestivalName(m.shloshimFestival, rules);
  switch (m.shloshimWhy) {
    case ShloshimEnd::kThirtiethDay:
      return translate_perform("Shloshim end on the morning of the thirtieth day counted from the burial");
    case ShloshimEnd::kFestivalCancels: {
      return Said("Shloshim end on the eve of the festival: %s on %s cancels the rest of shloshim",
                  {festival, DayText(m.shloshimFestivalStart, numerals)});
    }
    case ShloshimEnd::kFestivalCounts: {
      return Said(
          "Shloshim end on the morning of the thirtieth day: %s cancelled shiva, which counts as seven "
          "days, and the festival counts as %d",
          {festival, FormatArg(m.festivalDaysCounted)});
    }
  }
  return {};
}

}  // namespace

std::vector<MourningMilestone> MourningMilestones(const halakha::MourningLoss& loss, const CalendarRules& rules,
                                                  bool numerals) {
  const halakha::MourningDates m = halakha::MourningDatesOf(loss, rules);
  std::vector<MourningMilestone> out;
  out.push_back({"shiva", translate_perform("End of shiva"), m.shivaEnd, ShivaReason(m, rules, numerals)});
  out.push_back({"shloshim", translate_perform("End of shloshim"), m.shloshimEnd, ShloshimReason(m, rules, numerals)});
  out.push_back({"kaddish", translate_perform("Last day of Kaddish"), m.kaddishLast,
                 translate_perform("Eleven months counted from the day of death, less a day, as Ashkenazim count")});
  out.push_back(
      {"twelve-months", translate_perform("End of the twelve months"), m.twelveMonthsEnd,
       translate_perform("The last day of twelve Hebrew months counted from the day of death (for a parent)")});
  if (m.firstYortsaytByBurial) {
    out.push_back({"first-yortsayt", translate_perform("First yortsayt"), *m.firstYortsaytByBurial,
                   Said("The burial was %d days after the death: in the first year the yortsayt is kept on the day of "
                        "burial, later on the day of death (Rema, Yoreh De'ah 402:12)",
                        {FormatArg(static_cast<int>(loss.burial - loss.death))})});
  }
  out.push_back({"yortsayt", translate_perform("Yortsayt"), m.yortsayt,
                 translate_perform("The first anniversary of the day of death")});
  std::stable_sort(out.begin(), out.end(),
                   [](const MourningMilestone& a, const MourningMilestone& b) { return a.day < b.day; });
  return out;
}

halakha::MourningLoss MourningLossOf(const AnniversaryRec& rec) {
  halakha::MourningLoss loss;
  loss.death = AnniEventDay(rec);
  loss.burial = loss.death;
  if (rec.burial) {
    const AbsoluteDay burial =
        AbsoluteFromGregorian(GregorianDate{rec.burial->day, rec.burial->month, rec.burial->year});
    if (burial > loss.death) loss.burial = burial;
  }
  return loss;
}

std::vector<MourningDayLine> MourningLinesOnDay(const std::vector<AnniversaryRec>& entries, AbsoluteDay day,
                                                const CalendarRules& rules, bool numerals) {
  // Every milestone lies within this many days of the burial (the first
  // yortsayt of a burial, at most 385 days and one on).
  constexpr AbsoluteDay kMilestoneDays = 400;
  std::vector<MourningDayLine> lines;
  for (const AnniversaryRec& rec : entries) {
    if (rec.type != kAnniYortsayt || !rec.burial || !AnniDateIsValid(rec.isHebrew, rec.date)) continue;
    const halakha::MourningLoss loss = MourningLossOf(rec);
    if (day < loss.burial || day > loss.burial + kMilestoneDays) continue;
    for (const MourningMilestone& m : MourningMilestones(loss, rules, numerals))
      if (m.day == day && m.key != "yortsayt") lines.push_back({rec, m.label + ": " + rec.name, m.reason});
  }
  return lines;
}

std::vector<MourningDayLine> MourningFileLinesOnDay(AbsoluteDay day, const CalendarRules& rules, bool numerals) {
  return MourningLinesOnDay(AnniFileRecentLosses(), day, rules, numerals);
}
