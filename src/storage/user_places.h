// The places the user added to the city file (~/.lumaro/cities, or the file
// the settings name). Each is one line of the file in its own format, marked
// by an end-of-line comment that the file's reader ignores:
//
//   "My Village", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=30  # added by you
//
// Adding appends such a line; editing and removing replace or remove that
// line alone. Every other byte of the file stays as it was (comments, line
// ends, lines the reader rejects), and the file is replaced in one step
// (ReplaceFileAtomically), so a failed write leaves it untouched.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "suntimes/cities.h"

// The comment that marks the user's own lines.
constexpr std::string_view kUserPlaceMark = "# added by you";

// The place of the marked line whose name is `name` (ISO-8859-1, as the
// file writes it), or nothing when no marked line has that name.
std::optional<CityRec> UserPlaceFind(const std::string& cityFile, std::string_view name);

// Appends `line` (a city line in ISO-8859-1 without comment or line end)
// with the mark, ending it as the file's first line ends (CRLF or LF). A
// missing file is created. False, with the reason in `error`, when the file
// could not be read or written; it is then as it was.
bool UserPlaceAdd(const std::string& cityFile, std::string_view line, std::string* error);
// Replaces the marked line of the place `name` by `line` with the mark.
// False (the file as it was) when there is no such line or the file could
// not be read or written.
bool UserPlaceReplace(const std::string& cityFile, std::string_view name, std::string_view line, std::string* error);
// Removes the marked line of the place `name` with its line end.
bool UserPlaceRemove(const std::string& cityFile, std::string_view name, std::string* error);
