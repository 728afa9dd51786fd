#include "compose/reminders.h"

#include <algorithm>
#include <utility>

#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/minor_days.h"
#include "calendar/names.h"
#include "compose/anniversary_lines.h"
#include "compose/city_time.h"
#include "compose/date_turn.h"
#include "compose/mourning_lines.h"
#include "suntimes/day_times.h"
#include "suntimes/timeformat.h"

namespace {

constexpr std::string_view kKindNames[] = {"candles", "omer", "yortsayt", "fast", "kiddush-levana", "mourning"};
constexpr int kMaxLeadMinutes = 24 * 60;

int LeadSeconds(int minutes) { return std::clamp(minutes, 0, kMaxLeadMinutes) * 60; }

// The reminders of the evenings and days of one city.
class Collector {
 public:
  Collector(const Options& options, CityTime city, const std::vector<AnniversaryRec>& anniversaries)
      : options_(options),
        rules_(options.rules),
        city_(std::move(city)),
        times_(DayTimesFor(options.rules, options.times, options.style)),
        nightfall_(ZmanimProgram::Compile(options.times.special.WithDefaults(options.times.opinions).fastEnds)),
        sunset_(ZmanimProgram::Compile("sunset")),
        anniversaries_(anniversaries) {}

  // Everything of day d (its evening included), whatever its moment.
  void Day(AbsoluteDay d) {
    const ReminderOptions& r = options_.reminders;
    if (r.candles) Candles(d);
    if (r.omer) Omer(d);
    if (r.yortsayt) Yortsayt(d);
    if (r.fast) Fasts(d);
    if (r.kiddushLevana) KiddushLevana(d);
  }
  std::vector<Reminder> Take() { return std::move(found_); }

 private:
  void Add(int64_t moment, ReminderKind kind, std::string summary, std::string body) {
    found_.push_back({moment, kind, std::move(summary), std::move(body)});
  }
  std::string TimeText(const ShabbatTimeValue& v) const {
    return TimeformatFormatTime(v.hour, v.minute, options_.times.clock);
  }
  static int64_t MomentOf(AbsoluteDay d, const ShabbatTimeValue& v) {
    return UtcMidnight(d) + (int64_t{v.standardMinutes} - 60 * int64_t{v.gmtOffset}) * 60;
  }
  // An expression's moment on day d, or the civil midnight ending d where the sun gives none.
  int64_t Evening(AbsoluteDay d, const ZmanimProgram& program) const {
    ShabbatTimeValue v;
    return times_.evenings().Evaluate(d, program, &v) ? MomentOf(d, v) : city_.Midnight(d + 1);
  }
  // The candle lighting before sunset of evening d, when it has one.
  bool CandleLighting(AbsoluteDay d, ShabbatTimeValue* v) const {
    return times_.evenings().Value(d, v) && v->kind == EveningTime::kCandleLighting;
  }
  // The festival that begins after evening d, translated; empty for none.
  std::string FestivalAfter(AbsoluteDay d) const {
    for (Festival f : FestivalsOn(d + 1, rules_)) {
      const FestivalFacts& facts = FestivalFactsOf(f, rules_);
      if (WorkForbidden(facts.kind)) return translate_perform(facts.name);
    }
    return {};
  }

  void Candles(AbsoluteDay d) {
    ShabbatTimeValue v;
    if (!times_.evenings().Value(d, &v) || !v.isCandleLighting) return;
    const std::string festival = FestivalAfter(d);
    const std::string label = EveningTimeLabel(v.kind);
    Add(MomentOf(d, v) - LeadSeconds(options_.reminders.candlesMinutes), ReminderKind::kCandles,
        festival.empty() ? label : label + ": " + festival, TimeText(v));
  }

  void Omer(AbsoluteDay d) {
    const int count = GetOmerCount(d + 1);
    if (count == 0) return;
    Add(Evening(d, nightfall_), ReminderKind::kOmer, translate_perform("Omer"),
        FormatInt(translate_perform("%d L'Omer"), count));
  }

  void Yortsayt(AbsoluteDay d) {
    const AbsoluteDay day = d + 1;
    const int year = HebrewFromAbsolute(day).year;
    ShabbatTimeValue candles;
    const bool candleEvening = CandleLighting(d, &candles);
    for (const AnniversaryRec& rec : anniversaries_) {
      if (rec.type != kAnniYortsayt || !AnniDateIsValid(rec.isHebrew, rec.date)) continue;
      if (HebrewFromAbsolute(AnniEventDay(rec)).year >= year) continue;
      const std::vector<AbsoluteDay> days = AnniDaysInYear(rec, year);
      if (std::find(days.begin(), days.end(), day) == days.end()) continue;
      std::string body = DateTurnLabel(day, options_.text.hebrewNumerals);
      // The yortsayt light is lit before the Shabbat or festival candles.
      int64_t moment = Evening(d, sunset_);
      if (candleEvening) {
        body += ", " + EveningTimeLabel(candles.kind) + " " + TimeText(candles);
        moment = MomentOf(d, candles) - LeadSeconds(options_.reminders.candlesMinutes);
      }
      Add(moment, ReminderKind::kYortsayt, AnniversaryLine(rec), body);
    }
    // The milestones of a recent loss, at sunset of the evening before.
    for (const MourningDayLine& line : MourningLinesOnDay(anniversaries_, day, rules_, options_.text.hebrewNumerals))
      Add(Evening(d, sunset_), ReminderKind::kMourning, line.text, line.reason);
  }

  void Fasts(AbsoluteDay d) {
    for (const DayTime& t : times_.Of(d)) {
      if (t.kind != DayTimeKind::kFastBegins || t.minorDay || !t.computed) continue;
      Add(MomentOf(d, t.time) - LeadSeconds(options_.reminders.fastMinutes), ReminderKind::kFast, FastName(d),
          DayTimeLabel(t) + ": " + TimeText(t.time));
    }
  }
  // The fast that begins on day d (a minor fast, at dawn) or on its evening.
  std::string FastName(AbsoluteDay d) const {
    for (AbsoluteDay day : {d, d + 1}) {
      for (Festival f : FestivalsOn(day, rules_)) {
        const FestivalFacts& facts = FestivalFactsOf(f, rules_);
        const bool evening = f == Festival::kTishaBeAv || facts.kind == DayKind::kYomKippur;
        if (FastKind(facts.kind) && evening == (day == d + 1)) return translate_perform(facts.name);
      }
    }
    return translate_perform("Fast begins");
  }

  // Kiddush Levana is not said on the evening that begins a Shabbat or a
  // festival day; the last evening moves back past those.
  void KiddushLevana(AbsoluteDay d) {
    const PlaceMoments place = times_.PlaceMomentsOf(d);
    if (place.moonFirst == 0) return;
    AbsoluteDay last = place.moonLast;
    while (last >= place.moonFirst && (WeekdayOf(last + 1) == kShabbat || IsFestivalDay(last + 1, rules_))) --last;
    if (last != d) return;
    const HebrewDate h = HebrewFromAbsolute(d + 1);
    const LocalDateTime ends = city_.Local(KiddushLevanaWindow(h.month, h.year, options_.style).ends);
    const std::string endsText = TimeformatFormatTime(ends.hour, ends.minute, options_.times.clock);
    Add(Evening(d, nightfall_), ReminderKind::kKiddushLevana, translate_perform("Last night for Kiddush Levana"),
        translate_perform("Kiddush Levana ends") + ": " + endsText);
  }

  const Options& options_;
  const CalendarRules rules_;
  CityTime city_;
  DayTimes times_;
  ZmanimProgram nightfall_;
  ZmanimProgram sunset_;
  const std::vector<AnniversaryRec>& anniversaries_;
  std::vector<Reminder> found_;
};

}  // namespace

std::string_view ReminderKindName(ReminderKind kind) { return kKindNames[static_cast<size_t>(kind)]; }

std::vector<Reminder> RemindersBetween(int64_t from, int64_t to, const Options& options,
                                       const std::vector<AnniversaryRec>& anniversaries) {
  std::optional<CityTime> city = CityTime::For(options.times);
  if (!city || to <= from) return {};
  const AbsoluteDay first = city->LocalDay(from);
  const AbsoluteDay last = city->LocalDay(to);
  Collector collector(options, std::move(*city), anniversaries);
  // A day before for a time after midnight, a day after for a lead time.
  for (AbsoluteDay d = first - 1; d <= last + 1; ++d) collector.Day(d);
  std::vector<Reminder> all = collector.Take();
  std::vector<Reminder> due;
  for (Reminder& r : all)
    if (r.moment >= from && r.moment < to) due.push_back(std::move(r));
  std::stable_sort(due.begin(), due.end(), [](const Reminder& a, const Reminder& b) { return a.moment < b.moment; });
  return due;
}

std::vector<Reminder> RemindersDue(int64_t now, const Options& options,
                                   const std::vector<AnniversaryRec>& anniversaries) {
  return RemindersBetween(now - kReminderGraceSeconds, now + 1, options, anniversaries);
}
