// month YYYY-MM|--hebrew-month DATE [--out FILE] [--paper Letter|Legal|A4]
//       [--landscape] [--bw] [--margins L,T,R,B]: the month printed as
// PostScript, as the print dialog would print it, to FILE or to standard
// output; with --hebrew-month the Hebrew month holding DATE, as the month
// view by Hebrew months shows it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/diagnostics.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "render/pdf.h"
#include "render/print.h"

namespace cli {

namespace {

constexpr const char* kMonthUsage =
    "usage: month YYYY-MM|--hebrew-month YYYY-MM-DD [--out FILE] [--pdf] [--paper Letter|Legal|A4] [--landscape] "
    "[--bw] [--margins L,T,R,B]";

// YYYY-MM with a year in the calendar's range.
std::optional<GregorianDate> ParseMonth(std::string_view text, std::string& error) {
  const std::string shown(text.substr(0, 40));
  auto digits = [](std::string_view s) {
    for (char c : s)
      if (c < '0' || c > '9') return false;
    return !s.empty();
  };
  if (text.size() != 7 || text[4] != '-' || !digits(text.substr(0, 4)) || !digits(text.substr(5, 2))) {
    error = "invalid month '" + shown + "' (expected YYYY-MM)";
    return std::nullopt;
  }
  const int year = static_cast<int>(*ParseInteger(text.substr(0, 4)));
  const int month = static_cast<int>(*ParseInteger(text.substr(5, 2)));
  if (year < kFirstYear || year > kLastYear) {
    error = "year of '" + shown + "' is outside " + std::to_string(kFirstYear) + ".." + std::to_string(kLastYear);
    return std::nullopt;
  }
  if (month < 1 || month > 12) {
    error = "no such month: '" + shown + "'";
    return std::nullopt;
  }
  return GregorianDate{1, month, year};
}

// "L,T,R,B" in millimetres, each as the print dialog reads a margin.
bool ParseMargins(std::string_view text, int mm[4]) {
  for (int i = 0; i < 4; ++i) {
    const size_t comma = text.find(',');
    if ((i < 3) != (comma != std::string_view::npos)) return false;
    const std::string_view part = text.substr(0, comma);
    if (part.empty()) return false;
    const std::optional<int> value = PrintParseMarginMillimeters(part);
    if (!value) return false;
    mm[i] = *value;
    if (i < 3) text.remove_prefix(comma + 1);
  }
  return true;
}

// The whole page in memory, written out only when it is complete.
bool PrintToOut(std::FILE* out, const PrintJob& job, const GregorianDate& month, const Options& options, bool pdf,
                std::string* error, MonthKind kind) {
  std::string data;
  bool ok;
  {
    // While the month is painted for standard output, the engine's messages
    // (about the city file, for example) go to standard error so that they
    // cannot end up inside the printout.
    std::optional<DiagnosticsTo> redirect;
    if (::fileno(out) == STDOUT_FILENO) redirect.emplace(stderr);
    ok = PrintoutBytes(
        [&](std::FILE* stream, std::string* why) {
          return PrintToStream(stream, PrintArea(job), job.paperWidth, job.paperHeight, job.color, month, options, why,
                               kind);
        },
        pdf, &data, error);
  }
  if (ok) ok = std::fwrite(data.data(), 1, data.size(), out) == data.size() && std::fflush(out) == 0;
  if (!ok && error->empty()) *error = "cannot write the printout to standard output";
  return ok;
}

}  // namespace

int CmdMonth(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  std::optional<GregorianDate> month;
  MonthKind kind = MonthKind::kGregorian;
  std::optional<std::string> outFile;
  const PrintPaperFormat* paper = nullptr;
  bool landscape = false, bw = false, marginsGiven = false, pdf = false;
  int margins[4] = {10, 10, 10, 10};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--out" || a == "--paper" || a == "--margins" || a == "--hebrew-month") {
      if (!hasValue) return UsageFail(err, a + " needs a value; " + kMonthUsage);
      const std::string& v = args[++i];
      if (a == "--hebrew-month") {
        if (month)
          return UsageFail(err, "give a month YYYY-MM or --hebrew-month DATE, once; " + std::string(kMonthUsage));
        std::string error;
        month = ParseDate(v, error);
        if (!month) return UsageFail(err, error);
        kind = MonthKind::kHebrew;
      } else if (a == "--out" || a == "--paper") {
        if (const std::string error = TakePrintOption(a, v, outFile, paper); !error.empty())
          return UsageFail(err, error);
      } else {
        if (marginsGiven) return UsageFail(err, "--margins given twice");
        if (!ParseMargins(v, margins)) {
          return UsageFail(err, "invalid margins '" + v.substr(0, 40) +
                                    "' (expected four numbers of millimetres, L,T,R,B, e.g. 10,10,10,12.5)");
        }
        marginsGiven = true;
      }
    } else if (a == "--landscape") {
      landscape = true;
    } else if (a == "--bw") {
      bw = true;
    } else if (a == "--pdf") {
      pdf = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return UsageFail(err, "unknown option '" + a.substr(0, 40) + "'; " + kMonthUsage);
    } else if (month) {
      if (kind == MonthKind::kHebrew)
        return UsageFail(err, "give a month YYYY-MM or --hebrew-month DATE, once; " + std::string(kMonthUsage));
      return UsageFail(err, "unexpected argument '" + a.substr(0, 40) + "'; " + kMonthUsage);
    } else {
      std::string error;
      month = ParseMonth(a, error);
      if (!month) return UsageFail(err, error);
    }
  }
  if (!month) return UsageFail(err, kMonthUsage);
  if (pdf && !outFile) {
    const std::string terminal = TerminalOutputError(out, "a PDF", true);
    if (!terminal.empty()) return UsageFail(err, terminal);
  }

  PrintJob job;
  job.color = bw ? 0 : 1;
  PrintSetPaper(job, paper ? *paper : PrintPaperFormats[0], landscape);
  PrintSetMargins(job, margins[0], margins[1], margins[2], margins[3]);
  if (!PrintAreaIsUsable(job))
    return UsageFail(
        err, "the margins must leave at least half the width and half the height of the " + job.paperName + " paper");

  std::string error;
  const bool ok = outFile ? (pdf ? PrintJobToPdfFile(job, *outFile, *month, options, &error, kind)
                                 : PrintJobToFile(job, *outFile, *month, options, &error, kind))
                          : PrintToOut(out, job, *month, options, pdf, &error, kind);
  if (!ok) return UsageFail(err, error);
  return kCliOk;
}

}  // namespace cli
