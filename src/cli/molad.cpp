// molad FROM_YEAR TO_YEAR: the molad of every month of a range of Hebrew years.
#include <optional>
#include <string>

#include "calendar/calendar.h"
#include "calendar/molad.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/out_buffer.h"

namespace cli {

namespace {

// Hebrew years the command accepts.
constexpr int kMoladFirstYear = 1;
constexpr int kMoladLastYear = 9999;

std::optional<int> ParseHebrewYear(const std::string& text, const char* what, std::string& error) {
  const auto value = ParseInteger(text);
  const std::string shown = text.substr(0, 40);
  if (!value) {
    error = std::string(what) + " '" + shown + "' is not a whole number";
    return std::nullopt;
  }
  if (*value < kMoladFirstYear || *value > kMoladLastYear) {
    error = std::string(what) + " " + shown + " is outside the Hebrew years " + std::to_string(kMoladFirstYear) +
            ".." + std::to_string(kMoladLastYear);
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

}  // namespace

int CmdMolad(const Args& args, const Options&, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) return UsageFail(err, "usage: molad FROM_YEAR TO_YEAR (Hebrew years 1..9999)");
  std::string error;
  const auto from = ParseHebrewYear(args[0], "FROM_YEAR", error);
  if (!from) return UsageFail(err, error);
  const auto to = ParseHebrewYear(args[1], "TO_YEAR", error);
  if (!to) return UsageFail(err, error);
  if (*from > *to) return UsageFail(err, "FROM_YEAR " + args[0] + " is after TO_YEAR " + args[1]);
  if (RangeTooLong((static_cast<long long>(*to) - *from + 1) * 354)) return UsageFail(err, "range too long for this run");

  OutBuffer o(out);
  for (int year = *from; year <= *to; ++year) {
    // The months in the order of the year: Tishri .. Adar (Adar II), Nisan .. Elul.
    const int last = Last_Month_Of_Hebrew_Year(year);
    for (int month = kTishri;; month = (month == last) ? kNisan : month + 1) {
      MoladTime m;
      if (MoladGet(month, year, &m)) {
        o << year << '\t' << month << '\t' << m.weekday << '\t' << m.hour << '\t' << m.minute << '\t' << m.parts
          << '\n';
      }
      if (month == kElul) break;
    }
  }
  return kCliOk;
}

}  // namespace cli
