// ics FROM TO [KIND OPTIONS]: an iCalendar file of the days FROM..TO on
// standard output; csv FROM TO [KIND OPTIONS] [--bom] [--out FILE]: the same
// events as a comma-separated file. Every kind of event but the Hebrew dates
// when no kind is named (Daf Yomi and the daily learning as chosen in the
// settings).
#include <optional>
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "base/file_util.h"
#include "calendar/calendar.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"
#include "compose/csv_export.h"
#include "compose/ics_export.h"
#include "compose/learning_lines.h"

namespace cli {

namespace {

// Exit status when the calendar could not be written out (a full disk).
constexpr int kCliWriteFailed = 1;

enum class Format { kIcs, kCsv };

std::string KindOptions() {
  std::string options;
  for (const IcsKindRow& row : kIcsKindRows) options += (options.empty() ? "--" : " --") + std::string(row.option);
  return options;
}

// The kind an option names, or 0.
unsigned KindOfOption(const std::string& arg) {
  for (const IcsKindRow& row : kIcsKindRows)
    if (arg.size() == row.option.size() + 2 && arg.compare(0, 2, "--") == 0 &&
        arg.compare(2, std::string::npos, row.option) == 0)
      return row.kind;
  return 0;
}

// What the arguments of an export ask for.
struct ExportArgs {
  AbsoluteDay first = 0;
  AbsoluteDay last = 0;
  unsigned kinds = 0;
  bool bom = false;
  std::optional<std::string> outFile;
};

// Reads and checks the arguments; the message of the first failing check
// (in `error`) and nullopt when one fails.
std::optional<ExportArgs> ReadExportArgs(const Args& args, const Options& options, Format format, std::FILE* out,
                                         std::string& error) {
  const bool csv = format == Format::kCsv;
  const std::string usage = std::string("usage: ") + (csv ? "csv" : "ics") + " FROM TO [" + KindOptions() +
                            (csv ? "] [--bom] [--out FILE]" : "]") + " (dates as YYYY-MM-DD)";
  ExportArgs e;
  std::vector<std::string> dates;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (csv && a == "--bom") {
      e.bom = true;
    } else if (csv && a == "--out") {
      if (e.outFile) {
        error = "--out given twice";
        return std::nullopt;
      }
      if (i + 1 == args.size() || args[i + 1].empty()) {
        error = "--out needs a file name";
        return std::nullopt;
      }
      e.outFile = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      const unsigned kind = KindOfOption(a);
      if (kind == 0) {
        error = "unknown option '" + a.substr(0, 40) + "'; " + usage;
        return std::nullopt;
      }
      e.kinds |= kind;
    } else {
      dates.push_back(a);
    }
  }
  if (dates.size() != 2) {
    error = usage;
    return std::nullopt;
  }
  // Comma-separated text is fine on a terminal.
  if (!csv) {
    error = TerminalOutputError(out, "an iCalendar file", false);
    if (!error.empty()) return std::nullopt;
  }
  const bool named = e.kinds != 0;
  if (!named) e.kinds = IcsDefaultKinds(options.learning);
  const auto range = ParseDateRange(dates[0], dates[1], error);
  if (!range) return std::nullopt;
  e.first = range->first;
  e.last = range->last;

  // Times that cannot be computed would silently be missing from the file.
  if (e.kinds & kIcsTimes) {
    switch (IcsCheckTimes(options.times)) {
      case IcsTimesCheck::kOk:
        break;
      case IcsTimesCheck::kCityNotFound:
        error = "the city '" + options.times.city.substr(0, 80) + "' was not found in the city file " +
                options.times.cityFile + ", so there are no candle-lighting times";
        return std::nullopt;
      case IcsTimesCheck::kInvalidDstRule:
        error = "the daylight saving rule in the settings is invalid, so there are no candle-lighting times";
        return std::nullopt;
    }
  }

  // Asked for by name, the daily learning without a chosen cycle would be an
  // empty calendar that looks like a successful export.
  if (named && e.kinds == kIcsLearning && !options.learning.AnyCycle()) {
    error =
        "no daily learning cycle is chosen in the settings (Settings, Configure Daily Learning; "
        "keys LearningMishnaYomit, LearningNachYomi, ...), so --learning has nothing to export";
    return std::nullopt;
  }
  return e;
}

ExportResult WriteExport(const ExportArgs& e, const Options& options, Format format, const ExportTextSink& sink) {
  return format == Format::kCsv ? CsvWriteCalendar(e.first, e.last, e.kinds, options, e.bom, sink)
                                : IcsWriteCalendar(e.first, e.last, e.kinds, options, sink);
}

int RunExport(const Args& args, const Options& options, Format format, std::FILE* out, std::FILE* err) {
  // Messages about the city file or the time expressions go to stderr: on
  // stdout they would spoil the calendar.
  const DiagnosticsTo redirect(err);
  std::string error;
  const std::optional<ExportArgs> e = ReadExportArgs(args, options, format, out, error);
  if (!e) return UsageFail(err, error);

  if (e->outFile) {
    // The file is replaced only once the whole calendar is written.
    const bool written = ReplaceFileAtomically(
        *e->outFile,
        [&](std::FILE* f) {
          return WriteExport(*e, options, format,
                             [f](std::string_view piece) {
                               return std::fwrite(piece.data(), 1, piece.size(), f) == piece.size();
                             })
              .written;
        },
        &error);
    if (!written) {
      std::fprintf(err, "lumaro-cli: %s could not be written: %s\n", e->outFile->c_str(), error.c_str());
      return kCliWriteFailed;
    }
    return kCliOk;
  }
  OutBuffer o(out);
  const ExportResult result = WriteExport(*e, options, format, [&o](std::string_view piece) {
    o << piece;
    return true;
  });
  o.Flush();
  if (!result.written || std::fflush(out) != 0 || std::ferror(out)) {
    std::fprintf(err, "lumaro-cli: the calendar could not be written completely\n");
    return kCliWriteFailed;
  }
  return kCliOk;
}

}  // namespace

int CmdIcs(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  return RunExport(args, options, Format::kIcs, out, err);
}

int CmdCsv(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  return RunExport(args, options, Format::kCsv, out, err);
}

}  // namespace cli
