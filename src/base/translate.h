// Translation files: English key -> text of the interface language, read
// from ~/.lumaro/translations/<prefix>.<name>. A key without a translation
// translates to itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Largest text translate_replace produces (the day report's buffer less its NUL).
constexpr size_t kTranslateReplaceMax = 20480 - 1;
// Longest stored value in bytes.
constexpr size_t kTranslateMaxValue = 2047;

// Empties the table and loads the files of the language prefix ("english",
// "yiddish"). Files that do not exist are skipped. Loading the same unchanged
// files again reuses the parsed result, so switching tables is cheap.
// With `shippedFolder` (the translations shipped with the program) the
// shipped entries of the texts the user's files do not have are added after
// them, so a copy made by an earlier version gets the texts added since.
void translate_init(std::string_view prefix, std::string_view shippedFolder = {});
// Frees the table.
void translate_done();
// The text for `key`. An unknown key is added as its own translation. The
// reference stays valid until translate_done.
const std::string& translate_perform(std::string_view key);
// `source` with every key of the table replaced by its value, longest keys
// first, each key at most 11 passes; the result is cut at maxBytes.
std::string translate_replace(std::string_view source, size_t maxBytes = kTranslateReplaceMax);
// Composes Hebrew letters with their points into presentation forms. The
// result holds at most dstSize - 1 bytes; on a conversion failure it is empty
// (and a failure to read the source is reported on the message stream of
// base/diagnostics.h, naming `name`). The composition is base/hebrew_points.h.
std::string translate_internal_composite(std::string_view name, size_t dstSize, std::string_view source);

// The file names of a language, in reading order.
inline constexpr std::string_view kTranslateFiles[] = {"calendar", "gui", "gui2",  "halakha", "dafyomi",
                                                      "readings", "other", "molad", "learning"};

// Loads one file into the table (used by translate_init; exposed for tests).
// Syntax errors go to standard error as "File %s, line %d: <reason>".
void translate_internal_process_file(const std::string& path);
// Number of entries in the table (tests).
size_t translate_internal_entry_count();
