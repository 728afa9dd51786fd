// year-sheet YEAR [--hebrew] [--out FILE] [--paper Letter|Legal|A4] [--pdf]:
// the year's Shabbat and festival times as PostScript (or PDF), to FILE or
// to standard output.
#include "compose/year_sheet.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/diagnostics.h"
#include "calendar/types.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "render/print.h"
#include "render/year_sheet.h"
#include "suntimes/cities.h"

namespace cli {

namespace {

constexpr const char* kYearSheetUsage =
    "usage: year-sheet YEAR [--hebrew] [--out FILE] [--paper Letter|Legal|A4] [--pdf]";
constexpr int kSheetMarginMm = 10;

}  // namespace

int CmdYearSheet(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::optional<std::string> yearText, outFile;
  const PrintPaperFormat* paper = nullptr;
  bool hebrew = false, pdf = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--out" || a == "--paper") {
      if (i + 1 >= args.size()) return UsageFail(err, a + " needs a value; " + kYearSheetUsage);
      const std::string& v = args[++i];
      if (const std::string error = TakePrintOption(a, v, outFile, paper); !error.empty()) return UsageFail(err, error);
    } else if (a == "--hebrew") {
      hebrew = true;
    } else if (a == "--pdf") {
      pdf = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'; " + kYearSheetUsage);
    } else if (yearText) {
      return UsageFail(err, "unexpected argument '" + a.substr(0, 40) + "'; " + kYearSheetUsage);
    } else {
      yearText = a;
    }
  }
  if (!yearText) return UsageFail(err, kYearSheetUsage);
  if (pdf && !outFile) {
    const std::string terminal = TerminalOutputError(out, "a PDF", true);
    if (!terminal.empty()) return UsageFail(err, terminal);
  }
  const int first = hebrew ? FirstHebrewSheetYear() : kFirstYear;
  const int last = hebrew ? LastHebrewSheetYear() : kLastYear;
  const std::optional<int64_t> year = ParseInteger(*yearText);
  if (!year || *year < first || *year > last) {
    return UsageFail(err, std::string(hebrew ? "invalid Hebrew year '" : "invalid year '") + yearText->substr(0, 40) +
                              "' (" + std::to_string(first) + ".." + std::to_string(last) + ")");
  }
  CityRec place;
  if (!CityGet(options.times.cityFile, options.times.city, &place))
    return UsageFail(err, "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                              options.times.cityFile);

  PrintJob job;
  PrintSetPaper(job, paper ? *paper : PrintPaperFormats[0], false);
  PrintSetMargins(job, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm);
  std::string error;
  bool ok;
  {
    // The engine's messages (about the city file, for example) go to
    // standard error, never into a printout on standard output.
    std::optional<DiagnosticsTo> redirect;
    if (!outFile && ::fileno(out) == STDOUT_FILENO) redirect.emplace(stderr);
    const YearSheetText text = YearSheetTextOf(static_cast<int>(*year), hebrew, options);
    if (outFile) {
      ok = YearSheetToFile(*outFile, pdf, PrintArea(job), job.paperWidth, job.paperHeight, job.color, text, options,
                           &error);
    } else {
      std::string data;
      ok =
          YearSheetBytes(PrintArea(job), job.paperWidth, job.paperHeight, job.color, text, pdf, options, &data, &error);
      // The whole printout is written only when it is complete.
      if (ok) ok = std::fwrite(data.data(), 1, data.size(), out) == data.size() && std::fflush(out) == 0;
      if (!ok && error.empty()) error = "cannot write the printout to standard output";
    }
  }
  if (!ok) return UsageFail(err, error);
  return kCliOk;
}

}  // namespace cli
