// Export to other calendars as a comma-separated file with the events of
// compose/export_events.h, in the columns the common desktop and web
// calendars take in:
//
//   Subject,Start Date,Start Time,End Date,End Time,All Day Event,Description,Location
//
// Dates are MM/DD/YYYY, times the 12-hour clock ("4:11 PM"). A timed event
// is a moment (it ends when it starts) on the city's clock as the program
// shows it (daylight saving included), since the calendars read a time
// without a zone as one of their own zone. An all-day event starts and ends
// on its day, without times. Fields are quoted where they must be (RFC
// 4180), lines end with CR LF, and the text is UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "calendar/types.h"
#include "compose/export_events.h"
#include "compose/options.h"

// The first line of every file.
inline constexpr std::string_view kCsvHeader =
    "Subject,Start Date,Start Time,End Date,End Time,All Day Event,Description,Location\r\n";

// Writes the file of the days first..last (inclusive; only the header when
// first > last) with the events of `kinds` under the options, starting with
// a UTF-8 byte-order mark when `bom` is set (some spreadsheets need it to
// read the file as UTF-8).
ExportResult CsvWriteCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options, bool bom,
                              const ExportTextSink& sink);

// A field: in double quotes, with each quote doubled, when it holds a comma,
// a quote, a CR or an LF; other control characters but the tab become
// spaces and bytes that are not UTF-8 become U+FFFD.
std::string CsvField(std::string_view text);
// "MM/DD/YYYY".
std::string CsvDate(AbsoluteDay day);
// The 12-hour clock of minutes after midnight 0..1439: "12:05 AM", "4:11 PM".
std::string CsvClock(int minutes);
