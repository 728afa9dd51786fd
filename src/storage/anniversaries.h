// The user's anniversaries, birthdays and yortsayt dates: the list kept in
// name order, the file ~/.lumaro/kivraanni, and the question "which entries
// fall on this day" (the date rules are in calendar/anniversary_dates.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings_file.h"
#include "calendar/anniversary_dates.h"
#include "calendar/types.h"

// Longest name the edit dialog accepts, in bytes.
constexpr size_t kAnniNameMaxBytes = 255;

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
  int skippedLines = 0;    // lines with content that were not valid entries (kept for writing back)
  // Fields of entries that could not be read ("line 3: ..."): the entry was
  // kept without the field, whose text stays in the entry's note.
  std::vector<std::string> problems;
};

// Empties the list, then inserts every valid line of the anniversaries file
// in name order. A missing file leaves the list empty.
AnniLoadResult AnniFileLoad(AnniversaryList& list);
// The same for the text of a file.
AnniLoadResult AnniFileParse(std::string_view content, AnniversaryList& list);

// The file's text for the list: the entries read from the file in the
// file's order, each unchanged one as it was written and with the lines that
// were around it (an unchanged list gives the file back byte for byte), then
// the new entries in list order.
std::string AnniFileContent(const AnniversaryList& list);
// Writes AnniFileContent(list). The new content goes to a temporary file in
// the same folder that is then renamed over the file, so the old list stays
// intact unless the new one was written completely. False, with the reason in
// `error`, when the file could not be written.
bool AnniFileStore(const AnniversaryList& list, std::string* error = nullptr);
// Replaces the file at `path` with `content` in the same safe way (used to
// keep a copy of a file before it is rewritten).
bool AnniFileWriteCopy(const std::string& path, std::string_view content, std::string* error = nullptr);

// One line of the file, without its line feed: `"name" T H d.m.y f` for a
// Hebrew date, `"name" T d.m.y f` for a Gregorian one; a backslash goes
// before every double quote and backslash of the name. The optional fields
// follow the flag as a comment, which older versions of the program pass
// over: `#burial=d.m.y adar=1|2|both mitzvah=bat` and then the entry's note.
std::string AnniFormatLine(const AnniversaryRec& rec);
// Parses one line (without its line feed). Everything from the first "#"
// on is a comment, holding the optional fields. False when
// the line is not a valid entry; a field that cannot be read is left in the
// note, with a message in `problems`.
bool AnniParseLine(std::string_view line, AnniversaryRec& rec, std::vector<std::string>* problems = nullptr);

// ------------------------------------------------------------ day query

// The entries of the anniversaries file that fall on `day`, in list order,
// never in the Hebrew year of the event itself or before. The parsed file
// is kept between calls and read again when it changes.
std::vector<AnniversaryRec> AnniFileEntriesOnDay(AbsoluteDay day);

// The entries of the anniversaries file marked as recent losses (a yortsayt
// with a burial date), in list order; kept between calls like the above.
std::vector<AnniversaryRec> AnniFileRecentLosses();
// The birthday entries of the anniversaries file whose bar or bat mitzvah is
// on `day`, in list order; their days are worked out once per reading of the file.
std::vector<AnniversaryRec> AnniFileMitzvahsOnDay(AbsoluteDay day);

namespace storage {
// Test hook: runs after the new anniversaries file is written and flushed,
// before it replaces the old one; returning false makes the store fail there.
void SetAnniBeforeReplaceHookForTesting(BeforeReplaceHook hook);
}  // namespace storage
