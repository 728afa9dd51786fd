// The events an export to other calendars holds, whatever its file format:
// the holidays, Torah sections, candle-lighting, havdalah, fast, Khanukka
// and khamets times, anniversaries, Daf Yomi, Omer and the chosen daily
// learning of a range of days, named as the month view names them (in the
// interface language), and when asked for, the Hebrew date of every day (in
// Hebrew numerals when they are on). The formats (compose/ics_export.h,
// compose/csv_export.h) write this one list.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/types.h"
#include "compose/options.h"
#include "suntimes/shabbat_times.h"

// The kinds of events, combinable as bits.
enum IcsKind : unsigned {
  kIcsHolidays = 1u << 0,       // holidays (with Yizkor noted) and Rosh Khodesh
  kIcsParasha = 1u << 1,        // the weekly section and the special Shabbat name
  kIcsTimes = 1u << 2,          // candle lighting, havdalah, fasts, Khanukka and khamets, timed
  kIcsAnniversaries = 1u << 3,  // the anniversaries file's entries: "<label>: <name>"
  kIcsDafYomi = 1u << 4,
  kIcsOmer = 1u << 5,
  kIcsLearning = 1u << 6,     // the cycles besides Daf Yomi chosen in the settings: "<cycle>: <portion>"
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

// Whether the times can be computed with the options.
enum class IcsTimesCheck {
  kOk,
  kCityNotFound,    // the city is not in the city file (or the file cannot be read)
  kInvalidDstRule,  // daylight saving is on and its rule is invalid
};
// Looks the configured city up (the city file's messages go to the message
// stream, base/diagnostics.h).
IcsTimesCheck IcsCheckTimes(const TimesOptions& times);

// One event of an export: all day on `day`, or at `moment` when it has one.
struct ExportEvent {
  AbsoluteDay day = 0;
  std::string_view kind;  // "holiday", "candle-lighting", a cycle's id...: never translated
  std::string identity;   // what tells apart the events of a kind on a day (empty: nothing needs to)
  std::string summary;    // never empty for an all-day event
  std::string description;
  std::string location;                    // the city, for the timed events
  std::optional<ShabbatTimeValue> moment;  // the moment of a timed event
};

// Takes the events one by one, in order; returns false to stop the export.
using ExportEventSink = std::function<bool(const ExportEvent&)>;

// Hands the events of `kinds` of the days first..last (inclusive; none when
// first > last) under the options to `sink`, day by day in a fixed order,
// reading the translations, the city file and the anniversaries file.
// Messages of the city file and of the time expressions go to the message
// stream. Returns false when the sink stopped the export.
bool ExportEventsOf(AbsoluteDay first, AbsoluteDay last, unsigned kinds, const Options& options,
                    const ExportEventSink& sink);

// What an export to a file format wrote.
struct ExportResult {
  long long events = 0;
  bool written = true;  // false when the sink refused a piece (the export stopped there)
};

// Receives a file piece by piece, in order; returns false on a write error.
using ExportTextSink = std::function<bool(std::string_view)>;
