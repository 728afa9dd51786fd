// eval: one zmanim expression for a date and place, or many from stdin.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "base/diagnostics.h"
#include "cli/out_buffer.h"
#include "suntimes/calc.h"

namespace cli {

namespace {

// Largest packed latitude and longitude (degrees * 100 + minutes) and zone.
constexpr int64_t kMaxLatitude = 9099;
constexpr int64_t kMaxLongitude = 18099;
constexpr int64_t kMaxZone = 24;

struct EvalInput {
  GregorianDate date;
  int latitude = 0;
  int longitude = 0;
  int zone = 0;
  std::string expression;
};

std::optional<int> ParseBounded(std::string_view text, int64_t limit, std::string_view what, std::string& error) {
  const auto v = ParseInteger(text);
  if (!v || *v < -limit || *v > limit) {
    error = "invalid " + std::string(what) + " '" + std::string(text.substr(0, 40)) + "' (a whole number from " +
            std::to_string(-limit) + " to " + std::to_string(limit) + ")";
    return std::nullopt;
  }
  return static_cast<int>(*v);
}

// DATE LAT LON ZONE EXPRESSION; nullopt with `error` set when one is bad.
std::optional<EvalInput> ParseEvalInput(const std::vector<std::string_view>& fields, std::string& error) {
  EvalInput in;
  const auto date = ParseDate(fields[0], error);
  if (!date) return std::nullopt;
  const auto lat = ParseBounded(fields[1], kMaxLatitude, "latitude (degrees*100+minutes)", error);
  if (!lat) return std::nullopt;
  const auto lon = ParseBounded(fields[2], kMaxLongitude, "longitude (degrees*100+minutes)", error);
  if (!lon) return std::nullopt;
  const auto zone = ParseBounded(fields[3], kMaxZone, "zone (hours east of Greenwich)", error);
  if (!zone) return std::nullopt;
  in.date = *date;
  in.latitude = *lat;
  in.longitude = *lon;
  in.zone = *zone;
  in.expression = std::string(fields[4]);
  return in;
}

// A stream into memory (open_memstream) and its buffer, which is freed
// after the stream is closed.
class MemoryStream {
 public:
  MemoryStream() : file_(open_memstream(&text_, &size_)) {}
  ~MemoryStream() {
    if (file_) std::fclose(file_);
    std::free(text_);
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  std::FILE* file() const { return file_; }
  // Valid after a flush.
  const char* text() const { return text_; }

 private:
  char* text_ = nullptr;
  size_t size_ = 0;
  std::FILE* file_;
};

// The value of one input; the parser's messages go to `messages`.
int Evaluate(const EvalInput& in, const SunOptions& sun, std::FILE* messages) {
  const DiagnosticsTo redirect(messages);
  return CalculateZmanim(in.latitude, in.longitude, in.zone, in.date.day, in.date.month, in.date.year, in.expression, sun);
}

// Lines DATE<TAB>LAT<TAB>LON<TAB>ZONE<TAB>EXPRESSION; one value (or "error")
// per line, the parser's messages on err.
int RunBatch(const SunOptions& sun, std::FILE* out, std::FILE* err) {
  OutBuffer o(out);
  // The messages of one line are collected and written after the values
  // before them, so the two stay in order when they go to one place.
  MemoryStream messages;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string_view> fields;
    std::string_view rest = line;
    for (int i = 0; i < 4; ++i) {
      const size_t tab = rest.find('\t');
      if (tab == std::string_view::npos) break;
      fields.push_back(rest.substr(0, tab));
      rest.remove_prefix(tab + 1);
    }
    fields.push_back(rest);
    std::string error;
    const auto in = fields.size() == 5 ? ParseEvalInput(fields, error) : std::nullopt;
    if (!in) {
      o << "error\n";
      continue;
    }
    if (!messages.file()) {
      o << Evaluate(*in, sun, err) << '\n';
      continue;
    }
    const int value = Evaluate(*in, sun, messages.file());
    std::fflush(messages.file());
    const long written = std::ftell(messages.file());
    if (written > 0) {
      o.Flush();
      std::fflush(out);
      std::fwrite(messages.text(), 1, static_cast<size_t>(written), err);
      std::rewind(messages.file());
    }
    o << value << '\n';
  }
  return kCliOk;
}

}  // namespace

int CmdEval(const Args& args, const Options& options, std::FILE* out, std::FILE* err) {
  if (args.size() == 1 && args[0] == "--batch") return RunBatch(options.times.sun, out, err);
  if (args.size() != 5)
    return UsageFail(err, "usage: eval DATE LAT LON ZONE EXPRESSION, or eval --batch (lines on standard input)");
  std::string error;
  const auto in = ParseEvalInput({args[0], args[1], args[2], args[3], args[4]}, error);
  if (!in) return UsageFail(err, error);
  std::fflush(out);
  const int value = Evaluate(*in, options.times.sun, out);
  std::fprintf(out, "%d\n", value);
  return kCliOk;
}

}  // namespace cli
