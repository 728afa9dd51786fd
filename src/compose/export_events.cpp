#include "compose/export_events.h"

#include <vector>

#include "base/translate.h"
#include "base/utf8.h"
#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "compose/anniversary_lines.h"
#include "compose/day_info.h"
#include "compose/hebrew_date_text.h"
#include "compose/learning_lines.h"
#include "compose/minor_day_lines.h"
#include "storage/anniversaries.h"
#include "suntimes/cities.h"
#include "suntimes/day_times.h"
#include "suntimes/dst.h"
#include "suntimes/times_options.h"

namespace {

// The city of the options, when it is in the city file.
bool ConfiguredCity(const TimesOptions& times, CityRec* place) {
  return CityGet(times.cityFile, times.city, place) != 0;
}

// What every day of one export shares.
struct ExportRun {
  CalendarRules rules;
  DayTimes times;
  std::string location;
  ClockStyle clock;         // how a minor day's moment is written in its title
  LearningChoice learning;  // the cycles of kIcsLearning (Daf Yomi is a kind of its own)
  bool numerals = false;    // Hebrew dates in Hebrew numerals
  int language = kLanguageEnglish;
};

// Hands the events to the sink until it refuses one.
class EventList {
 public:
  explicit EventList(const ExportEventSink& sink) : sink_(sink) {}

  // An all-day event on `day`; none when the summary is empty.
  void AllDay(AbsoluteDay day, std::string_view kind, std::string identity, std::string summary,
              std::string description = {}) {
    if (summary.empty()) return;
    Add({day, kind, std::move(identity), std::move(summary), std::move(description), {}, std::nullopt});
  }

  // An event at a moment of `day`.
  void Timed(AbsoluteDay day, std::string_view kind, const ShabbatTimeValue& moment, std::string summary,
             const std::string& location) {
    Add({day, kind, {}, std::move(summary), {}, location, moment});
  }

  bool Stopped() const { return stopped_; }

 private:
  void Add(const ExportEvent& event) {
    if (!stopped_ && !sink_(event)) stopped_ = true;
  }

  const ExportEventSink& sink_;
  bool stopped_ = false;
};

// The times that are moments of a minor day rather than of a fast or a festival.
bool IsMoment(DayTimeKind kind) {
  return kind == DayTimeKind::kKiddushLevanaBegins || kind == DayTimeKind::kKiddushLevanaEnds ||
         kind == DayTimeKind::kTekufa || kind == DayTimeKind::kBirkatHaChama;
}

// The events of one day, in a fixed order.
void ListDay(EventList& list, AbsoluteDay day, unsigned kinds, const ExportRun& run) {
  if (kinds & (kIcsHolidays | kIcsParasha | kIcsOmer)) {
    const DayInformation info = PaintInternal_GetDayInformation(day, run.rules, run.language);
    if (kinds & kIcsHolidays) {
      std::string yizkor =
          !info.holiday.empty() && IsYizkor(day, run.rules) ? translate_perform("Yizkor") : std::string();
      list.AllDay(day, "holiday", {}, info.holiday, std::move(yizkor));
      list.AllDay(day, "rosh-khodesh", {}, info.roshKhodesh);
    }
    if (kinds & kIcsParasha) {
      list.AllDay(day, "parasha", {}, info.torahSection);
      list.AllDay(day, "special-shabbat", {}, info.specialShabbat);
    }
    if (kinds & kIcsOmer) list.AllDay(day, "omer", {}, info.omer);
  }
  const std::vector<DayTime> dayTimes =
      kinds & (kIcsTimes | kIcsMinorDays) ? run.times.Of(day) : std::vector<DayTime>();
  if (kinds & kIcsTimes) {
    // Candle lighting, havdalah, and the fast, Khanukka and khamets times.
    for (const DayTime& t : dayTimes) {
      // The moments of the moon and the sun are events of the minor days.
      if (!t.computed || (t.minorDay && IsMoment(t.kind))) continue;
      list.Timed(day, DayTimeKindOf(t.kind).icsKind, t.time, DayTimeLabel(t), run.location);
    }
  }
  if (kinds & kIcsAnniversaries) {
    // An entry is known by its type and name, not by the translated label.
    for (const AnniversaryRec& rec : AnniFileEntriesOnDay(day))
      list.AllDay(day, "anniversary", std::string(1, rec.type) + rec.name, AnniversaryLine(rec));
  }
  if (kinds & kIcsDafYomi) {
    const GregorianDate g = GregorianFromAbsolute(day);
    const std::string daf = DafYomiGetWithoutCycle(g.day, g.month, g.year);
    if (!daf.empty()) list.AllDay(day, "daf-yomi", {}, translate_replace(daf));
  }
  if (kinds & kIcsLearning) {
    // The cycle's id is the kind: one event per cycle and day.
    for (const LearningLine& line : LearningLinesOf(day, run.learning, run.rules))
      list.AllDay(day, line.id, {}, line.title + ": " + line.text);
  }
  if (kinds & kIcsHebrewDates)
    list.AllDay(day, "hebrew-date", {}, HebrewDateText(HebrewFromAbsolute(day), run.numerals));
  if (kinds & kIcsMinorDays) {
    for (const MinorDayLine& line : MinorDayLinesOf(day, run.rules, dayTimes, run.clock)) {
      const std::string_view kind = MinorDayOf(line.day).name;
      if (line.time.empty()) {
        list.AllDay(day, kind, {}, line.title);
      } else {
        list.Timed(day, kind, line.moment.time, line.title, run.location);
      }
    }
  }
}

}  // namespace

unsigned IcsDefaultKinds(const LearningChoice& learning) {
  // The Hebrew date of every day only when asked for: an event a day.
  unsigned kinds = kIcsAllKinds & ~static_cast<unsigned>(kIcsHebrewDates);
  if (!learning.dafYomi) kinds &= ~static_cast<unsigned>(kIcsDafYomi);
  if (!learning.AnyCycle()) kinds &= ~static_cast<unsigned>(kIcsLearning);
  return kinds;
}

IcsTimesCheck IcsCheckTimes(const TimesOptions& times) {
  CityRec place;
  if (!ConfiguredCity(times, &place)) return IcsTimesCheck::kCityNotFound;
  if (times.dstRule && !DstRuleIsValid(*times.dstRule)) return IcsTimesCheck::kInvalidDstRule;
  return IcsTimesCheck::kOk;
}

bool ExportEventsOf(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options,
                    const ExportEventSink& sink) {
  const CityFileSnapshot cityFile;  // one look at the city file for the whole export
  ExportRun run{options.rules,
                DayTimesFor(options.rules, options.times, options.style),
                {},
                options.times.clock,
                options.learning,
                options.text.hebrewNumerals,
                options.text.language};
  run.learning.dafYomi = false;
  if (kinds & (kIcsTimes | kIcsMinorDays)) {
    CityRec place;
    if (ConfiguredCity(options.times, &place)) run.location = Utf8FromLatin1(place.name);
  }
  EventList list(sink);
  for (AbsoluteDay day = first; day <= last && !list.Stopped(); ++day) ListDay(list, day, kinds, run);
  return !list.Stopped();
}
