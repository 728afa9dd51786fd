// The names of the zones of the system's time-zone database, to choose a
// place's zone from.
#pragma once

#include <string>
#include <vector>

// Where the system keeps its time-zone database (Debian package tzdata); the
// folder the zone look-ups of timezone.h read.
constexpr const char* kTimeZoneDatabaseDir = "/usr/share/zoneinfo";

// The zones the database in `dir` defines, sorted byte-wise without
// duplicates: the "Z" lines of its tzdata.zi ("Z Europe/Berlin 0:53:28 -
// LMT 1893 Ap"), or where that file is missing the third column of
// zone1970.tab, then of zone.tab. Names that cannot be zone names are left
// out. Empty when none of the files can be read.
std::vector<std::string> TimeZoneNames(const std::string& dir = kTimeZoneDatabaseDir);
