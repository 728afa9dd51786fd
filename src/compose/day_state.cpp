#include "compose/day_state.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/festivals.h"
#include "calendar/minor_days.h"

namespace {

constexpr std::string_view kStateNames[] = {"weekday", "shabbat", "festival", "fast"};

// The days looked at around a moment: a stretch of Shabbat and festival
// days is at most three days long, and a Shabbat comes every seven.
constexpr int kDaysBefore = 5;
constexpr int kDaysAfter = 10;

// A stretch of Shabbat and festival days, or a fast.
struct Span {
  int64_t begins = 0;
  int64_t ends = 0;
  bool Holds(int64_t t) const { return begins <= t && t < ends; }
};

// One edge of a span.
struct Edge {
  int64_t moment;
  bool begins;
};

// The spans the edges make: each from a beginning to the next end (a
// beginning inside a span, such as the second day's candles, adds nothing).
std::vector<Span> SpansOf(std::vector<Edge> edges) {
  std::stable_sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.moment < b.moment; });
  std::vector<Span> spans;
  bool open = false;
  for (const Edge& e : edges) {
    if (e.begins && !open) {
      spans.push_back({e.moment, e.moment});
      open = true;
    } else if (!e.begins && open) {
      spans.back().ends = e.moment;
      open = false;
    }
  }
  if (open) spans.pop_back();  // it ends beyond the days looked at
  return spans;
}

bool AnyHolds(const std::vector<Span>& spans, int64_t t) {
  return std::any_of(spans.begin(), spans.end(), [t](const Span& s) { return s.Holds(t); });
}

// Shabbat, or a festival day on which work is forbidden.
bool RestDay(AbsoluteDay d, const CalendarRules& rules) { return WeekdayOf(d) == kShabbat || IsFestivalDay(d, rules); }

// The moment of a time of day d, or where it has none the civil midnight of
// that evening (the one that begins d for a fast's dawn).
int64_t MomentOf(bool computed, const ShabbatTimeValue& value, AbsoluteDay d, bool dawn, const CityTime& city) {
  if (computed) return UtcMidnight(d) + (int64_t{value.standardMinutes} - 60 * int64_t{value.gmtOffset}) * 60;
  return city.Midnight(dawn ? d : d + 1);
}

}  // namespace

std::string_view DayStateName(DayState state) { return kStateNames[static_cast<size_t>(state)]; }

// The stretches of rest and the fasts of the days around one, and the
// moments from which each day is the one in force (sunset, or the candle
// lighting before it).
struct DayStates::Around {
  std::vector<Span> rest;
  std::vector<Span> fasts;
  std::vector<std::pair<int64_t, AbsoluteDay>> days;  // in order of the moment
  CalendarRules rules;

  AbsoluteDay DayAt(int64_t t) const {
    AbsoluteDay day = days.front().second - 1;
    for (const auto& [moment, d] : days)
      if (moment <= t) day = d;
    return day;
  }
  DayState StateAt(int64_t t) const {
    if (AnyHolds(rest, t)) {
      // The evening after the last day of rest, until havdalah, still is that day's.
      AbsoluteDay d = DayAt(t);
      if (!RestDay(d, rules)) --d;
      return IsFestivalDay(d, rules) ? DayState::kFestival : DayState::kShabbat;
    }
    return AnyHolds(fasts, t) ? DayState::kFast : DayState::kWeekday;
  }
};

std::optional<DayStates> DayStates::For(const Options& options) {
  std::optional<CityTime> city = CityTime::For(options.times);
  if (!city) return std::nullopt;
  return DayStates(std::move(*city), DayTimesFor(options.rules, options.times, options.style), options);
}

DayStates::DayStates(CityTime city, DayTimes times, const Options& options)
    : city_(std::move(city)),
      times_(std::move(times)),
      rules_(options.rules),
      sunset_(ZmanimProgram::Compile("sunset")) {}

DayStates::Around DayStates::AroundDay(AbsoluteDay today) const {
  Around around;
  around.rules = rules_;
  std::vector<Edge> rest;
  std::vector<Edge> fasts;
  for (AbsoluteDay d = today - kDaysBefore; d <= today + kDaysAfter; ++d) {
    ShabbatTimeValue sunset;
    const bool sunsetComputed = times_.evenings().Evaluate(d, sunset_, &sunset);
    around.days.emplace_back(MomentOf(sunsetComputed, sunset, d, false, city_), d + 1);
    const DayFestivals festivals = FestivalsOn(d, rules_);
    const bool isFastDay = std::any_of(festivals.begin(), festivals.end(),
                                       [&](Festival f) { return FestivalFactsOf(f, rules_).kind == DayKind::kFast; });
    for (const DayTime& t : times_.Of(d)) {
      const int64_t moment = MomentOf(t.computed, t.time, d, t.kind == DayTimeKind::kFastBegins && isFastDay, city_);
      switch (t.kind) {
        case DayTimeKind::kCandles:
          rest.push_back({moment, true});
          around.days.emplace_back(moment, d + 1);
          break;
        case DayTimeKind::kHavdalah: rest.push_back({moment, false}); break;
        case DayTimeKind::kFastBegins:
        case DayTimeKind::kFastEnds:
          if (!t.minorDay) fasts.push_back({moment, t.kind == DayTimeKind::kFastBegins});
          break;
        default: break;
      }
    }
  }
  std::stable_sort(around.days.begin(), around.days.end());
  around.rest = SpansOf(std::move(rest));
  around.fasts = SpansOf(std::move(fasts));
  return around;
}

StateNow DayStates::At(int64_t moment) const {
  const Around around = AroundDay(city_.LocalDay(moment));
  StateNow now;
  now.state = around.StateAt(moment);
  std::vector<int64_t> edges;
  for (const Span& s : around.rest) edges.insert(edges.end(), {s.begins, s.ends});
  for (const Span& s : around.fasts) edges.insert(edges.end(), {s.begins, s.ends});
  for (const auto& day : around.days) edges.push_back(day.first);
  std::sort(edges.begin(), edges.end());
  for (int64_t e : edges) {
    if (e > moment && around.StateAt(e) != now.state) {
      now.nextChange = e;
      break;
    }
  }
  return now;
}
