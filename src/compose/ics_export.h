// Export to other calendars: an iCalendar file (RFC 5545) with the
// holidays, Torah sections, candle-lighting, havdalah, fast, Khanukka and
// khamets times, anniversaries, Daf Yomi, Omer and the chosen daily learning
// of a range of days, named as the month view names them (in the interface
// language), and when asked for, the Hebrew date of every day (in Hebrew
// numerals when they are on).
//
// Every event has a UID made of its date, its kind and, where a day can
// have several of a kind, a hash of what tells them apart; the UID does not
// depend on the language or on the time computed, so importing a new export
// replaces the events of an older one instead of adding copies. The file is
// the same byte for byte when nothing it shows has changed (DTSTAMP is a
// constant), which suits users who keep the file in sync.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "calendar/types.h"
#include "compose/options.h"

// The kinds of events, combinable as bits.
enum IcsKind : unsigned {
  kIcsHolidays = 1u << 0,       // holidays (with Yizkor noted) and Rosh Khodesh
  kIcsParasha = 1u << 1,        // the weekly section and the special Shabbat name
  kIcsTimes = 1u << 2,          // candle lighting, havdalah, fasts, Khanukka and khamets, timed in UTC
  kIcsAnniversaries = 1u << 3,  // the anniversaries file's entries: "<label>: <name>"
  kIcsDafYomi = 1u << 4,
  kIcsOmer = 1u << 5,
  kIcsLearning = 1u << 6,  // the cycles besides Daf Yomi chosen in the settings: "<cycle>: <portion>"
  kIcsHebrewDates = 1u << 7,  // the Hebrew date of each day ("25 Kislev 5787" or "כ״ה כסלו תשפ״ז")
  kIcsMinorDays = 1u << 8,    // Yom Kippur Katan, BeHaB, ...; Kiddush Levana and the tekufot timed (with a city)
};
constexpr unsigned kIcsAllKinds = (1u << 9) - 1;

// Each kind with its lumaro-cli option (without "--") and the English text
// of its check button in the export dialog.
struct IcsKindRow {
  IcsKind kind;
  std::string_view option;
  std::string_view label;
};
inline constexpr IcsKindRow kIcsKindRows[] = {
    {kIcsHolidays, "holidays", "Holidays and Rosh Khodesh"},
    {kIcsParasha, "parasha", "Weekly Torah section"},
    {kIcsTimes, "times", "Candle lighting, havdalah, fasts, Khanukka, khamets"},
    {kIcsAnniversaries, "anniversaries", "Anniversaries/Birthdays/yortsayt"},
    {kIcsDafYomi, "daf-yomi", "Daf Yomi"},
    {kIcsOmer, "omer", "Omer"},
    {kIcsLearning, "learning", "Daily learning"},
    {kIcsHebrewDates, "hebrew-dates", "Hebrew date of every day"},
    {kIcsMinorDays, "minor-days", "Minor days and the moon"},
};

// The kinds an export has when the user names none: every kind, but Daf
// Yomi only when it is chosen in the daily learning settings, and the
// daily learning only when a cycle besides it is chosen.
unsigned IcsDefaultKinds(const LearningChoice& learning);

// The domain part of every UID.
inline constexpr std::string_view kIcsUidDomain = "lumaro.example.org";

// Whether the times can be computed with the options.
enum class IcsTimesCheck {
  kOk,
  kCityNotFound,    // the city is not in the city file (or the file cannot be read)
  kInvalidDstRule,  // daylight saving is on and its rule is invalid
};
// Looks the configured city up (the city file's messages go to the message
// stream, base/diagnostics.h).
IcsTimesCheck IcsCheckTimes(const TimesOptions& times);

// What an export wrote.
struct IcsResult {
  long long events = 0;
  bool written = true;  // false when the sink refused a piece (the export stopped there)
};

// Receives the file piece by piece, in order; returns false on a write error.
using IcsSink = std::function<bool(std::string_view)>;

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
