// zmanim-sheet YYYY-MM [--hebrew-month] [--out FILE] [--pdf] [--csv]
// [--paper Letter|Legal|A4] [--portrait]: a month of zmanim, a row per day,
// as PostScript (or PDF, or CSV), to FILE or to standard output. With
// --hebrew-month, YYYY-MM is a Hebrew year and month, Nisan being 1.
#include "compose/zmanim_sheet.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/diagnostics.h"
#include "base/file_util.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "compose/year_sheet.h"
#include "render/print.h"
#include "render/zmanim_sheet.h"
#include "suntimes/cities.h"

namespace cli {

namespace {

constexpr const char* kZmanimSheetUsage =
    "usage: zmanim-sheet YYYY-MM [--hebrew-month] [--out FILE] [--pdf] [--csv] [--paper Letter|Legal|A4] "
    "[--portrait]";
constexpr int kSheetMarginMm = 10;

// "YYYY-MM" (the year of 1 to 4 digits, the month of 1 or 2).
std::optional<ZmanimSheetMonth> ParseSheetMonth(const std::string& text, bool hebrew) {
  const size_t dash = text.find('-');
  if (dash == std::string::npos || dash == 0 || dash > 4 || text.size() - dash - 1 < 1 || text.size() - dash - 1 > 2)
    return std::nullopt;
  const std::optional<int64_t> year = ParseInteger(text.substr(0, dash));
  const std::optional<int64_t> month = ParseInteger(text.substr(dash + 1));
  if (!year || !month || *year < 0 || *month < 0 || text[dash + 1] == '-') return std::nullopt;
  const ZmanimSheetMonth m{static_cast<int>(*month), static_cast<int>(*year), hebrew};
  if (!ZmanimSheetMonthValid(m)) return std::nullopt;
  return m;
}

}  // namespace

int CmdZmanimSheet(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::optional<std::string> monthText, outFile;
  const PrintPaperFormat* paper = nullptr;
  bool hebrew = false, pdf = false, csv = false, portrait = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--out" || a == "--paper") {
      if (i + 1 >= args.size()) return UsageFail(err, a + " needs a value; " + kZmanimSheetUsage);
      const std::string& v = args[++i];
      if (const std::string error = TakePrintOption(a, v, outFile, paper); !error.empty()) return UsageFail(err, error);
    } else if (a == "--hebrew-month") {
      hebrew = true;
    } else if (a == "--pdf") {
      pdf = true;
    } else if (a == "--csv") {
      csv = true;
    } else if (a == "--portrait") {
      portrait = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'; " + kZmanimSheetUsage);
    } else if (monthText) {
      return UsageFail(err, "unexpected argument '" + a.substr(0, 40) + "'; " + kZmanimSheetUsage);
    } else {
      monthText = a;
    }
  }
  if (!monthText) return UsageFail(err, kZmanimSheetUsage);
  if (csv && (pdf || paper || portrait))
    return UsageFail(err, "--csv is a table of text: no --pdf, --paper or --portrait");
  const std::optional<ZmanimSheetMonth> month = ParseSheetMonth(*monthText, hebrew);
  if (!month) {
    const std::string shown = monthText->substr(0, 40);
    if (hebrew) {
      return UsageFail(err, "invalid Hebrew month '" + shown + "' (YYYY-MM: a year in " +
                                std::to_string(FirstHebrewSheetYear()) + ".." + std::to_string(LastHebrewSheetYear()) +
                                ", month 1 Nisan .. 12 Adar, 13 Adar II in a leap year)");
    }
    return UsageFail(err, "invalid month '" + shown + "' (YYYY-MM: a year in " + std::to_string(kFirstYear) + ".." +
                              std::to_string(kLastYear) + ", month 1..12)");
  }
  // A printout on a terminal would only scramble the screen.
  if (!csv && !outFile) {
    const std::string terminal = TerminalOutputError(out, pdf ? "a PDF" : "PostScript", true);
    if (!terminal.empty()) return UsageFail(err, terminal);
  }
  CityRec place;
  if (!CityGet(options.times.cityFile, options.times.city, &place))
    return UsageFail(err, "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                              options.times.cityFile);

  PrintJob job;
  PrintSetPaper(job, paper ? *paper : PrintPaperFormats[0], !portrait);
  PrintSetMargins(job, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm);
  std::string error, data;
  bool ok;
  {
    // The engine's messages (about the city file, for example) go to
    // standard error, never into a printout on standard output.
    std::optional<DiagnosticsTo> redirect;
    if (!outFile && ::fileno(out) == STDOUT_FILENO) redirect.emplace(stderr);
    const ZmanimSheetText text = ZmanimSheetTextOf(*month, options);
    if (csv) {
      data = ZmanimSheetCsv(text);
      ok = true;
    } else {
      ok = ZmanimSheetBytes(PrintArea(job), job.paperWidth, job.paperHeight, job.color, text, pdf, options, &data,
                            &error);
    }
  }
  // The whole file is written only when it is complete.
  if (ok && outFile) {
    ok = ReplaceFileAtomically(
        *outFile, [&data](std::FILE* f) { return std::fwrite(data.data(), 1, data.size(), f) == data.size(); }, &error);
  } else if (ok) {
    ok = std::fwrite(data.data(), 1, data.size(), out) == data.size() && std::fflush(out) == 0;
    if (!ok) error = "cannot write the sheet to standard output";
  }
  if (!ok) return UsageFail(err, error);
  return kCliOk;
}

}  // namespace cli
