// The user's anniversaries, birthdays and yortsayt dates: the list kept in
// name order, the file ~/.lumaro/kivraanni, the rules that place an entry in
// a given Hebrew year, and the question "which entries fall on this day".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/types.h"
#include "base/settings_file.h"

// Entry types.
constexpr char kAnniAnniversary = 'A';
constexpr char kAnniBirthday = 'B';
constexpr char kAnniYortsayt = 'Y';

// Longest name the edit dialog accepts, in bytes.
constexpr size_t kAnniNameMaxBytes = 255;

// The date of an event as the user gave it: Hebrew (day, month 1..13, year)
// or Gregorian (day, month 1..12, year), depending on AnniversaryRec::isHebrew.
struct AnniDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
};

// One entry of the list.
struct AnniversaryRec {
  std::string name;
  char type = kAnniAnniversary;  // 'A', 'B' or 'Y'
  int isHebrew = 0;              // 1: date is Hebrew, 0: Gregorian
  AnniDate date;
  int afterSunset = 0;  // 1: the event was after sunset (Gregorian dates only)
};

bool operator==(const AnniversaryRec& a, const AnniversaryRec& b);
inline bool operator!=(const AnniversaryRec& a, const AnniversaryRec& b) { return !(a == b); }

// The list, ascending by name (byte-wise); equal names keep their insertion order.
using AnniversaryList = std::vector<AnniversaryRec>;

// ------------------------------------------------------------ list operations
// Indexes count from 0 in list order.

// Empties the list.
void AnniFileInit(AnniversaryList& list);
// Empties the list and releases its memory.
void AnniFileDone(AnniversaryList& list);
// Inserts `rec` after every entry whose name is less than or equal to its name.
void AnniFileInsertSorted(AnniversaryList& list, const AnniversaryRec& rec);
// Number of entries.
int AnniFileCount(const AnniversaryList& list);
// Copies entry `index` into `rec`; false (rec untouched) when there is none.
bool AnniFileGet(const AnniversaryList& list, int index, AnniversaryRec& rec);
// Overwrites entry `index` in place (it keeps its position even when the name
// changes); false when there is no such entry.
bool AnniFileModify(AnniversaryList& list, int index, const AnniversaryRec& rec);
// Removes entry `index`; false when there is none.
bool AnniFileRemove(AnniversaryList& list, int index);

// ------------------------------------------------------------ the file

// $HOME/.lumaro/kivraanni ("./.lumaro/kivraanni" when HOME is unset).
std::string AnniFileGetFilename();

// What loading found besides the entries.
struct AnniLoadResult {
  bool exists = false;     // the file was there
  bool readError = false;  // it was there but could not be read (list left empty)
  int skippedLines = 0;    // lines with content that were not valid entries
};

// Empties the list, then inserts every valid line of the anniversaries file
// in name order. A missing file leaves the list empty.
AnniLoadResult AnniFileLoad(AnniversaryList& list);
// The same for the text of a file.
AnniLoadResult AnniFileParse(std::string_view content, AnniversaryList& list);

// Writes the list in list order. The new content goes to a temporary file in
// the same folder that is then renamed over the file, so the old list stays
// intact unless the new one was written completely. False, with the reason in
// `error`, when the file could not be written.
bool AnniFileStore(const AnniversaryList& list, std::string* error = nullptr);
// Replaces the file at `path` with `content` in the same safe way (used to
// keep a copy of a file before it is rewritten).
bool AnniFileWriteCopy(const std::string& path, std::string_view content, std::string* error = nullptr);

// One line of the file, without its line feed: `"name" T H d.m.y f` for a
// Hebrew date, `"name" T d.m.y f` for a Gregorian one; a backslash goes
// before every double quote and backslash of the name.
std::string AnniFormatLine(const AnniversaryRec& rec);
// Parses one line (without its line feed). Everything from the first "#" on
// is a comment. False when the line is not a valid entry.
bool AnniParseLine(std::string_view line, AnniversaryRec& rec);

// ------------------------------------------------------------ date rules

// The record the date rules work on.
struct AnniversaryCalc {
  HebrewDate event;  // Hebrew date of the event
  char type = kAnniAnniversary;
  int year = 0;       // the Hebrew year wanted
  HebrewDate result;  // the day of the anniversary in that year
};

// 'A' and 'B' follow AnniBirth, 'Y' AnniDeath; another type leaves result alone.
void AnniGetAnniversary(AnniversaryCalc& calc);
// Birthdays and anniversaries: the same day and month; Adar of a common year
// and Adar II go to the last month of the wanted year; a 30th that the wanted
// month lacks becomes the 1st of the next month (30 Heshvan -> 1 Kislev).
void AnniBirth(AnniversaryCalc& calc);
// Yortsayt: as AnniBirth, except that 30 Heshvan and 30 Kislev follow the
// length of that month in the year after the death, Adar II goes to the last
// month of the wanted year, and 30 Adar I is 30 Shevat in a common year.
void AnniDeath(AnniversaryCalc& calc);

// True when the entry's date exists (Gregorian years 1..9999, Hebrew years
// 3762..9999), so the rules above can be applied to it.
bool AnniDateIsValid(int isHebrew, const AnniDate& date);
// Absolute day of the event: the Hebrew date, or the Gregorian date plus one
// day when it was after sunset. The date must be valid.
AbsoluteDay AnniEventDay(const AnniversaryRec& rec);
// The day of the entry's anniversary in Hebrew year `year`.
AbsoluteDay AnniDayInYear(const AnniversaryRec& rec, int year);

// ------------------------------------------------------------ day query

// The entries of the anniversaries file that fall on `day`, never in the
// Hebrew year of the event itself or before. `types` (when given) receives
// their type letters and `text` one line "<label>: <name>\n" each, in list
// order; the labels are the translations of "Anniversary", "Birthday" and
// "yortsayt". Returns 1 when at least one entry falls on the day, else 0.
// The parsed file is kept between calls and read again when it changes.
int AnnifileGetForDay(AbsoluteDay day, std::string* types, std::string* text);
// The English label of an entry type in those lines: "Birthday" for B,
// "yortsayt" for Y, "Anniversary" otherwise.
std::string_view AnniLabelKey(char type);

namespace storage {
// Test hook: runs after the new anniversaries file is written and flushed,
// before it replaces the old one; returning false makes the store fail there.
void SetAnniBeforeReplaceHookForTesting(BeforeReplaceHook hook);
}  // namespace storage
