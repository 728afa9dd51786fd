// The lumaro-cli commands. Each gets the arguments after its name and
// returns the exit status; a usage error prints one line through UsageFail.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "compose/options.h"
#include "render/print.h"

namespace cli {

using Args = std::vector<std::string>;

// Longest range of days a command may walk in this run, or 0 for no limit.
int MaxRangeDays();
// True when a range of `days` days is over that limit.
inline bool RangeTooLong(long long days) { return MaxRangeDays() > 0 && days > MaxRangeDays(); }

// Prints "lumaro-cli: <message>" on err and returns the usage exit status.
int UsageFail(std::FILE* err, const std::string& message);

// The value of --out FILE or --paper NAME, options of the printing
// commands, stored in `outFile` or `paper`: "" when taken, else the usage
// message (given twice, an empty file name, an unknown paper).
std::string TakePrintOption(const std::string& option, const std::string& value, std::optional<std::string>& outFile,
                            const PrintPaperFormat*& paper);

// A file meant to be saved (a PDF, an iCalendar file) is not written to a
// terminal, where it would only scramble the screen. The usage message when
// `out` is a terminal, empty otherwise: `what` names the file ("a PDF"),
// `outOption` says whether the command takes --out FILE.
std::string TerminalOutputError(std::FILE* out, const std::string& what, bool outOption);

// dump FROM TO: one TSV line per day.
int CmdDump(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// molad FROM_YEAR TO_YEAR: the molad of every month of Hebrew years 1..9999.
int CmdMolad(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// day DATE: the day report of one date.
int CmdDay(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// eval DATE LAT LON ZONE EXPRESSION, or eval --batch (lines on stdin).
int CmdEval(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// zmanim DATE: the zmanim block of the configured city.
int CmdZmanim(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// anniversary TYPE D.M.Y YEAR: the day of an entry in a Hebrew year.
int CmdAnniversary(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// ics FROM TO [KIND OPTIONS]: an iCalendar file of the range.
int CmdIcs(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// csv FROM TO [KIND OPTIONS] [--bom] [--out FILE]: the same events
// comma-separated.
int CmdCsv(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// month YYYY-MM [options]: the month printed as PostScript.
int CmdMonth(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// learning FROM TO [--chosen]: "DATE<TAB>CYCLE<TAB>TEXT" for the study
// cycles of each day (every cycle, or the ones chosen in the settings).
int CmdLearning(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// times FROM TO: "DATE<TAB>KIND<TAB>TIME<TAB>LABEL" for every time of each day.
int CmdTimes(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
int CmdMinorDays(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// year-sheet YEAR [--hebrew] [--out FILE] [--paper P] [--pdf]: the year's
// Shabbat and festival times printed as PostScript or PDF.
int CmdYearSheet(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// zmanim-sheet YYYY-MM [--hebrew-month] [--out FILE] [--pdf] [--csv] [--paper P]
// [--portrait]: a month of zmanim, a row per day, as PostScript, PDF or CSV.
int CmdZmanimSheet(const Args& args, const Options& options, std::FILE* out, std::FILE* err);

// today [--date DATE]: labelled lines of what a day is.
int CmdToday(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// now [--at YYYY-MM-DDTHH:MM]: DATE, Hebrew date, state and its next change
// of the present moment (or the local time given); exit 3 on Shabbat and
// festival days.
int CmdNow(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// reminders FROM TO: the reminders of the days, LOCAL-DATETIME, KIND, SUMMARY, BODY.
int CmdReminders(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// upcoming [--days N] [--from DATE] [--notify]: the anniversaries of the coming days.
int CmdUpcoming(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// mourning DEATH-DATE [--burial DATE] [--after-sunset]: the dates of a mourner.
int CmdMourning(const Args& args, const Options& options, std::FILE* out, std::FILE* err);
// indicator-autostart on|off|status: "Show in the panel" at login.
int CmdIndicatorAutostart(const Args& args, const Options& options, std::FILE* out, std::FILE* err);

}  // namespace cli
