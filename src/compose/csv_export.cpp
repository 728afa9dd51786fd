#include "compose/csv_export.h"

#include "base/utf8.h"
#include "calendar/calendar.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr int kMinutesPerDay = 24 * 60;

void AppendTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

// One line of the file.
std::string EventLine(const ExportEvent& e) {
  std::string startDate = CsvDate(e.day);
  std::string startTime;
  std::string endDate = startDate;
  std::string endTime;
  if (e.moment) {
    // The clock shown counts on past midnight (24:10): the next day's.
    const int clock = e.moment->hour * 60 + e.moment->minute;
    const int days = clock >= 0 ? clock / kMinutesPerDay : -((kMinutesPerDay - 1 - clock) / kMinutesPerDay);
    startDate = CsvDate(e.day + days);
    startTime = CsvClock(clock - days * kMinutesPerDay);
    endDate = startDate;
    endTime = startTime;
  }
  std::string line = CsvField(e.summary);
  for (const std::string_view field : {std::string_view(startDate), std::string_view(startTime),
                                       std::string_view(endDate), std::string_view(endTime)}) {
    line += ',';
    line += field;
  }
  line += e.moment ? ",False," : ",True,";
  line += CsvField(e.description);
  line += ',';
  line += CsvField(e.location);
  line += "\r\n";
  return line;
}

}  // namespace

std::string CsvField(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  bool quote = false;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"' || c == ',' || c == '\r' || c == '\n') {
      quote = true;
      if (c == '"') out += '"';
      out += c;
      ++i;
      continue;
    }
    i += AppendCleanCharacter(out, text, i);
  }
  return quote ? '"' + out + '"' : out;
}

std::string CsvDate(AbsoluteDay day) {
  const GregorianDate g = GregorianFromAbsolute(day);
  std::string text;
  AppendTwoDigits(text, g.month);
  text += '/';
  AppendTwoDigits(text, g.day);
  text += '/';
  text += std::to_string(g.year);
  return text;
}

std::string CsvClock(int minutes) {
  const int hour = minutes / 60;
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;  // 12 AM is midnight, 12 PM noon
  std::string text = std::to_string(hour12);
  text += ':';
  AppendTwoDigits(text, minutes % 60);
  text += hour < 12 ? " AM" : " PM";
  return text;
}

ExportResult CsvWriteCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options, bool bom,
                              const ExportTextSink& sink) {
  ExportResult result;
  if ((bom && !sink(kBom)) || !sink(kCsvHeader)) {
    result.written = false;
    return result;
  }
  ExportEventsOf(first, last, kinds, options, [&](const ExportEvent& e) {
    if (!sink(EventLine(e))) {
      result.written = false;
      return false;
    }
    ++result.events;
    return true;
  });
  return result;
}
