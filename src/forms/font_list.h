// Discovery of the TrueType fonts installed for the screen-font dialog: the
// family name of every file whose name contains ".ttf" or ".TTF" in the font
// folders and their subfolders, read with FreeType.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The folders searched: /usr/share/fonts, /usr/local/share/fonts, and, when
// HOME is set, ~/.fonts and ~/.local/share/fonts.
std::vector<std::string> FontFolders();

// The family names found in FontFolders(): one empty entry first, then each
// name once, in byte order. Problems (FreeType cannot start, a folder cannot
// be read, a file is not a font) are reported on standard error and skipped.
std::vector<std::string> GetFontList();
// The same over the given folders.
std::vector<std::string> GetFontList(const std::vector<std::string>& folders);

// Adds `name` to a sorted list unless it is there already (case-sensitive).
void GetFontList_Insert(std::vector<std::string>* list, std::string_view name);

// True when `list` holds `name` ignoring the case of ASCII letters.
bool FontListContainsIgnoringCase(const std::vector<std::string>& list, std::string_view name);
