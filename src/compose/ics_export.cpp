#include "compose/ics_export.h"

#include <cstdint>
#include <map>

#include "calendar/calendar.h"
#include "calendar/daf_yomi.h"
#include "compose/anniversary_lines.h"
#include "compose/day_info.h"
#include "compose/learning_lines.h"
#include "compose/minor_day_lines.h"
#include "compose/hebrew_date_text.h"
#include "storage/anniversaries.h"
#include "base/translate.h"
#include "base/utf8.h"
#include "suntimes/cities.h"
#include "suntimes/dst.h"
#include "suntimes/day_times.h"
#include "suntimes/times_options.h"

namespace {

// Longest content line in octets, line break not counted.
constexpr size_t kIcsLineOctets = 75;
// Every event carries the same DTSTAMP so that an unchanged export is
// byte-identical to the previous one.
constexpr std::string_view kDtStamp = "20000101T000000Z";
constexpr std::string_view kCrLf = "\r\n";

constexpr std::string_view kHeader =
    "BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\n"
    "PRODID:-//Lumaro//Lumaro Jewish calendar//EN\r\n"
    "CALSCALE:GREGORIAN\r\n"
    "X-WR-CALNAME:Lumaro\r\n";
constexpr std::string_view kFooter = "END:VCALENDAR\r\n";

constexpr char kHexDigits[] = "0123456789abcdef";

// ------------------------------------------------------------ text

uint64_t Fnv1a64(std::string_view text) {
  uint64_t hash = 0xcbf29ce484222325ULL;  // FNV offset basis
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;  // FNV prime
  }
  return hash;
}

void AppendDigits(std::string& out, long long value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(static_cast<size_t>(width) - digits.size(), '0');
  out += digits;
}

// "YYYYMMDD" of a day.
std::string DateText(AbsoluteDay day) {
  const GregorianDate g = GregorianFromAbsolute(day);
  std::string text;
  AppendDigits(text, g.year, 4);
  AppendDigits(text, g.month, 2);
  AppendDigits(text, g.day, 2);
  return text;
}

// ------------------------------------------------------------ events

// One event on its way into the file.
class EventWriter {
 public:
  EventWriter(const IcsSink& sink, IcsResult& result) : sink_(sink), result_(result) {}

  // An all-day event on `day`.
  void AllDay(AbsoluteDay day, std::string_view kind, std::string_view identity, std::string_view summary,
              std::string_view description = {}) {
    if (summary.empty()) return;
    Begin(day, kind, identity);
    Line("DTSTART;VALUE=DATE:" + DateText(day));
    Line("DTEND;VALUE=DATE:" + DateText(day + 1));
    End(summary, description, {});
  }

  // An event at a moment (no duration) on `day`.
  void Timed(AbsoluteDay day, std::string_view kind, const std::string& utc, std::string_view summary,
             std::string_view location) {
    Begin(day, kind, {});
    Line("DTSTART:" + utc);
    End(summary, {}, location);
  }

  bool Failed() const { return !result_.written; }

 private:
  void Begin(AbsoluteDay day, std::string_view kind, std::string_view identity) {
    std::string uid = IcsUid(day, kind, identity);
    // Two entries of a day that nothing tells apart (an anniversary listed
    // twice) get "-2", "-3"... in list order, so every UID stays unique.
    if (day != uidDay_) {
      uidDay_ = day;
      uidCounts_.clear();
    }
    const int n = ++uidCounts_[uid];
    if (n > 1) uid.insert(uid.find('@'), "-" + std::to_string(n));
    event_ = "BEGIN:VEVENT\r\n";
    Line("UID:" + uid);
    Line("DTSTAMP:" + std::string(kDtStamp));
  }

  void End(std::string_view summary, std::string_view description, std::string_view location) {
    Line("SUMMARY:" + IcsEscapeText(summary));
    if (!description.empty()) Line("DESCRIPTION:" + IcsEscapeText(description));
    if (!location.empty()) Line("LOCATION:" + IcsEscapeText(location));
    // Information only: the events do not make the user busy.
    Line("TRANSP:TRANSPARENT");
    event_ += "END:VEVENT\r\n";
    if (result_.written && !sink_(event_)) result_.written = false;
    if (result_.written) ++result_.events;
  }

  void Line(const std::string& line) { event_ += IcsFoldLine(line); }

  const IcsSink& sink_;
  IcsResult& result_;
  std::string event_;
  AbsoluteDay uidDay_ = 0;
  std::map<std::string, int> uidCounts_;
};

// The city of the options, when it is in the city file.
bool ConfiguredCity(const TimesOptions& times, CityRec* place) { return CityGet(times.cityFile, times.city, place) != 0; }

// What every day of one export shares.
struct ExportRun {
  CalendarRules rules;
  DayTimes times;
  std::string location;
  ClockStyle clock;         // how a minor day's moment is written in its title
  LearningChoice learning;  // the cycles of kIcsLearning (Daf Yomi is a kind of its own)
  bool numerals = false;  // Hebrew dates in Hebrew numerals
  int language = kLanguageEnglish;
};

// The times that are moments of a minor day rather than of a fast or a festival.
bool IsMoment(DayTimeKind kind) {
  return kind == DayTimeKind::kKiddushLevanaBegins || kind == DayTimeKind::kKiddushLevanaEnds ||
         kind == DayTimeKind::kTekufa || kind == DayTimeKind::kBirkatHaChama;
}

// The events of one day, in a fixed order.
void WriteDay(EventWriter& w, AbsoluteDay day, unsigned kinds, const ExportRun& run) {
  if (kinds & (kIcsHolidays | kIcsParasha | kIcsOmer)) {
    const DayInformation info = PaintInternal_GetDayInformation(day, run.rules, run.language);
    if (kinds & kIcsHolidays) {
      const std::string yizkor =
          !info.holiday.empty() && IsYizkor(day, run.rules) ? translate_perform("Yizkor") : std::string();
      w.AllDay(day, "holiday", {}, info.holiday, yizkor);
      w.AllDay(day, "rosh-khodesh", {}, info.roshKhodesh);
    }
    if (kinds & kIcsParasha) {
      w.AllDay(day, "parasha", {}, info.torahSection);
      w.AllDay(day, "special-shabbat", {}, info.specialShabbat);
    }
    if (kinds & kIcsOmer) w.AllDay(day, "omer", {}, info.omer);
  }
  const std::vector<DayTime> dayTimes =
      kinds & (kIcsTimes | kIcsMinorDays) ? run.times.Of(day) : std::vector<DayTime>();
  if (kinds & kIcsTimes) {
    // Candle lighting, havdalah, and the fast, Khanukka and khamets times.
    for (const DayTime& t : dayTimes) {
      // The moments of the moon and the sun are events of the minor days.
      if (!t.computed || (t.minorDay && IsMoment(t.kind))) continue;
      const std::string utc = IcsUtcDateTime(day, t.time.standardMinutes, t.time.gmtOffset);
      w.Timed(day, DayTimeKindOf(t.kind).icsKind, utc, DayTimeLabel(t), run.location);
    }
  }
  if (kinds & kIcsAnniversaries) {
    // An entry is known by its type and name, not by the translated label.
    for (const AnniversaryRec& rec : AnniFileEntriesOnDay(day))
      w.AllDay(day, "anniversary", std::string(1, rec.type) + rec.name, AnniversaryLine(rec));
  }
  if (kinds & kIcsDafYomi) {
    const GregorianDate g = GregorianFromAbsolute(day);
    const std::string daf = DafYomiGetWithoutCycle(g.day, g.month, g.year);
    if (!daf.empty()) w.AllDay(day, "daf-yomi", {}, translate_replace(daf));
  }
  if (kinds & kIcsLearning) {
    // The cycle's id is the kind: one event per cycle and day.
    for (const LearningLine& line : LearningLinesOf(day, run.learning, run.rules))
      w.AllDay(day, line.id, {}, line.title + ": " + line.text);
  }
  if (kinds & kIcsHebrewDates) w.AllDay(day, "hebrew-date", {}, HebrewDateText(HebrewFromAbsolute(day), run.numerals));
  if (kinds & kIcsMinorDays) {
    for (const MinorDayLine& line : MinorDayLinesOf(day, run.rules, dayTimes, run.clock)) {
      const std::string_view kind = MinorDayOf(line.day).name;
      if (line.time.empty()) {
        w.AllDay(day, kind, {}, line.title);
      } else {
        const DayTime& t = line.moment;
        w.Timed(day, kind, IcsUtcDateTime(day, t.time.standardMinutes, t.time.gmtOffset), line.title, run.location);
      }
    }
  }
}

}  // namespace

// ------------------------------------------------------------ the format

std::string IcsEscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    switch (c) {
      case '\\':
        out += "\\\\";
        ++i;
        continue;
      case ';':
        out += "\\;";
        ++i;
        continue;
      case ',':
        out += "\\,";
        ++i;
        continue;
      case '\r':
        out += "\\n";
        i += i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        continue;
      case '\n':
        out += "\\n";
        ++i;
        continue;
      default:
        break;
    }
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u == 0x7F) {
      out += ' ';
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no character
      ++i;
      continue;
    }
    out.append(text, i, length);
    i += length;
  }
  return out;
}

std::string IcsFoldLine(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 64 * 3 + 2);
  size_t pos = 0;
  size_t room = kIcsLineOctets;
  while (line.size() - pos > room) {
    // Back to the first byte of the character the limit falls into.
    size_t cut = pos + Utf8CutLength(line.substr(pos), room);
    if (cut == pos) cut = pos + room;  // not UTF-8 at all: cut at the limit
    out.append(line, pos, cut - pos);
    out += kCrLf;
    out += ' ';
    pos = cut;
    room = kIcsLineOctets - 1;  // the space counts
  }
  out.append(line, pos, std::string_view::npos);
  out += kCrLf;
  return out;
}

std::string IcsUid(AbsoluteDay day, std::string_view kind, std::string_view identity) {
  std::string uid = DateText(day);
  uid += '-';
  uid += kind;
  if (!identity.empty()) {
    uid += '-';
    const uint64_t hash = Fnv1a64(identity);
    for (int shift = 60; shift >= 0; shift -= 4) uid += kHexDigits[(hash >> shift) & 0xF];
  }
  uid += '@';
  uid += kIcsUidDomain;
  return uid;
}

std::string IcsUtcDateTime(AbsoluteDay day, int standardMinutes, int zoneHours) {
  constexpr int kMinutesPerDay = 24 * 60;
  const long long minutes = static_cast<long long>(standardMinutes) - 60LL * zoneHours;
  // Floor division: a moment before UTC midnight belongs to the day before.
  long long dayShift = minutes / kMinutesPerDay;
  long long minuteOfDay = minutes % kMinutesPerDay;
  if (minuteOfDay < 0) {
    minuteOfDay += kMinutesPerDay;
    --dayShift;
  }
  std::string text = DateText(day + dayShift);
  text += 'T';
  AppendDigits(text, minuteOfDay / 60, 2);
  AppendDigits(text, minuteOfDay % 60, 2);
  text += "00Z";
  return text;
}

// ------------------------------------------------------------ export

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

IcsResult IcsWriteCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options,
                           const IcsSink& sink) {
  IcsResult result;
  if (!sink(kHeader)) {
    result.written = false;
    return result;
  }
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
  EventWriter writer(sink, result);
  for (AbsoluteDay day = first; day <= last && !writer.Failed(); ++day) WriteDay(writer, day, kinds, run);
  if (result.written && !sink(kFooter)) result.written = false;
  return result;
}

std::string IcsBuildCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options) {
  std::string text;
  IcsWriteCalendar(first, last, kinds, options, [&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}
