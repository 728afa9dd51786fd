// First run: the per-user directory ~/.lumaro and the data files the
// program ships (the city file and the translations) copied into it, so a
// new user sees times at once and can switch to Yiddish. Files the user
// already has are never replaced.
#pragma once

#include <string>
#include <string_view>

// The shipped files copied into ~/.lumaro when missing.
inline constexpr std::string_view kDefaultUserFiles[] = {"cities"};
// The shipped folder of translation files, copied whole into ~/.lumaro when
// the user has no folder of that name (a user's folder is never touched,
// not even to add a file to it).
inline constexpr std::string_view kDefaultUserTranslations = "translations";

// The directory that holds the shipped data files: $LUMARO_DATADIR, else the
// installed data directory, else the source tree's data/ (each only when it
// holds the city file). Empty when none does.
std::string FindDataDir();

// Creates ~/.lumaro (mode 0700) when missing and copies each shipped file
// that is missing there, and the translations folder when there is none.
// Each copy (the folder with all its files) appears whole or not at all and
// never replaces a file or folder that exists (also one created meanwhile). Returns false,
// with the reason in `error`, when something could not be done; HOME unset
// or empty does nothing and returns false.
bool InstallDefaultUserFiles(std::string* error = nullptr);

// The translations shipped with the program (FindDataDir()/translations),
// or "" when the data directory is not found.
std::string ShippedTranslationsFolder();
