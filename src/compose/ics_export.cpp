#include "compose/ics_export.h"

#include <cstdint>
#include <map>

#include "base/utf8.h"
#include "calendar/calendar.h"

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

// Each event into the file.
class EventWriter {
 public:
  EventWriter(const IcsSink& sink, IcsResult& result) : sink_(sink), result_(result) {}

  // Writes one event; false when the sink refused it.
  bool Write(const ExportEvent& e) {
    Begin(e.day, e.kind, e.identity);
    if (e.moment) {
      // A moment: no duration.
      Line("DTSTART:" + IcsUtcDateTime(e.day, e.moment->standardMinutes, e.moment->gmtOffset));
    } else {
      Line("DTSTART;VALUE=DATE:" + DateText(e.day));
      Line("DTEND;VALUE=DATE:" + DateText(e.day + 1));
    }
    return End(e.summary, e.description, e.location);
  }

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

  bool End(std::string_view summary, std::string_view description, std::string_view location) {
    Line("SUMMARY:" + IcsEscapeText(summary));
    if (!description.empty()) Line("DESCRIPTION:" + IcsEscapeText(description));
    if (!location.empty()) Line("LOCATION:" + IcsEscapeText(location));
    // Information only: the events do not make the user busy.
    Line("TRANSP:TRANSPARENT");
    event_ += "END:VEVENT\r\n";
    if (!sink_(event_)) {
      result_.written = false;
      return false;
    }
    ++result_.events;
    return true;
  }

  void Line(const std::string& line) { event_ += IcsFoldLine(line); }

  const IcsSink& sink_;
  IcsResult& result_;
  std::string event_;
  AbsoluteDay uidDay_ = 0;
  std::map<std::string, int> uidCounts_;
};

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
    i += AppendCleanCharacter(out, text, i);
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

IcsResult IcsWriteCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options,
                           const IcsSink& sink) {
  IcsResult result;
  if (!sink(kHeader)) {
    result.written = false;
    return result;
  }
  EventWriter writer(sink, result);
  ExportEventsOf(first, last, kinds, options, [&writer](const ExportEvent& e) { return writer.Write(e); });
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
