// Export to other calendars: an iCalendar file (RFC 5545) with the events
// of compose/export_events.h.
//
// Every event has a UID made of its date, its kind and, where a day can
// have several of a kind, a hash of what tells them apart; the UID does not
// depend on the language or on the time computed, so importing a new export
// replaces the events of an older one instead of adding copies. The file is
// the same byte for byte when nothing it shows has changed (DTSTAMP is a
// constant), which suits users who keep the file in sync. Times are in UTC.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "calendar/types.h"
#include "compose/export_events.h"
#include "compose/options.h"

// The domain part of every UID.
inline constexpr std::string_view kIcsUidDomain = "lumaro.example.org";

// What an export wrote, and where it sends the file: export_events.h.
using IcsResult = ExportResult;
using IcsSink = ExportTextSink;

// Writes the calendar of the days first..last (inclusive; an empty calendar
// when first > last) with the events of `kinds` under the options, reading
// the translations, the city file and the anniversaries file. Messages of
// the city file and of the time expressions go to the message stream.
IcsResult IcsWriteCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options,
                           const IcsSink& sink);
// The same into a string.
std::string IcsBuildCalendar(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options);

// ------------------------------------------------------------ the format

// A TEXT value: backslash, semicolon and comma escaped with a backslash, a
// line break (LF, CR LF or CR) written as "\n"; other control characters
// but the tab become spaces and bytes that are not UTF-8 become U+FFFD, so
// the result is always valid UTF-8.
std::string IcsEscapeText(std::string_view text);
// A content line folded to lines of at most 75 octets (a continuation line
// starts with one space), never inside a UTF-8 character, each ended by
// CR LF.
std::string IcsFoldLine(std::string_view line);
// "<YYYYMMDD>-<kind>[-<16 hex digits>]@lumaro.example.org"; the hash (64-bit
// FNV-1a of `identity`) is left out when `identity` is empty.
std::string IcsUid(AbsoluteDay day, std::string_view kind, std::string_view identity);
// The UTC date and time "YYYYMMDDTHHMMSSZ" of `standardMinutes` after local
// standard-time midnight of `day` in the zone `zoneHours` east of Greenwich.
// Daylight saving moves only the clock shown, not the moment, so it plays no
// part. The one place where local times become UTC.
std::string IcsUtcDateTime(AbsoluteDay day, int standardMinutes, int zoneHours);
