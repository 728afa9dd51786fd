// The export dialog apart from its widgets: the check of what was entered,
// in the order the dialog makes it.
#pragma once

#include <string>
#include <string_view>

#include "calendar/types.h"

// The check of a year text (the export dialog's and the Select Year
// dialog's): the year 1583..3000, or 0 with `error` set to the message.
int ParseYearText(const char* text, std::string* error);

// Most years one export may span: a longer one would hold the window still
// for long and make a file few calendars can take in.
constexpr int kExportMaxYears = 100;

// The dates the dialog proposes: from `today` to the same date a year
// later (28 February for 29 February), as day.month.year ("7.12.2026",
// "7.12.2027"); the last date no later than the calendar's last day.
struct ExportDates {
  std::string from;
  std::string to;
};
ExportDates ExportProposedDates(const GregorianDate& today);

// The file formats of an export, in the order the dialog offers them.
enum class ExportFormat { kICalendar, kCsv };
struct ExportFormatRow {
  ExportFormat format;
  std::string_view label;      // English text of the dialog's choice
  std::string_view extension;  // of the file name, with its dot
};
inline constexpr ExportFormatRow kExportFormatRows[] = {
    {ExportFormat::kICalendar, "iCalendar (.ics)", ".ics"},
    {ExportFormat::kCsv, "CSV, comma-separated (.csv)", ".csv"},
};

// The file name made to follow a change of format: the extension of another
// format becomes that of `format`, a name without any extension gets it, and
// any other extension (the user's own) is kept. Blank stays blank.
std::string ExportFileForFormat(const std::string& file, ExportFormat format);

struct ExportForm {
  std::string from;  // day.month.year, as typed
  std::string to;
  unsigned kinds = 0;  // kIcs* flags of the boxes checked
  std::string file;    // as typed ("~/" allowed)
  ExportFormat format = ExportFormat::kICalendar;
};

struct ExportRequest {
  AbsoluteDay first = 0;
  AbsoluteDay last = 0;
  unsigned kinds = 0;
  ExportFormat format = ExportFormat::kICalendar;
  std::string path;     // the file with "~" expanded
  bool exists = false;  // a file of that name is there (ask before replacing it)
};

// Checks the form; the translated message of the first failing check is put
// into `error` and false returned. The checks: both dates (day.month.year,
// a day that exists, the year 1583..3000), their order, the span (at most
// kExportMaxYears years), at least one kind, a learning cycle for the daily learning alone, a
// file name, no folder of that name, and for the times a city and a valid
// daylight-saving rule.
bool ReadExportForm(const ExportForm& form, ExportRequest* request, std::string* error);
