#include "forms/export_form.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "base/file_util.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "calendar/calendar.h"
#include "calendar/types.h"
#include "compose/current_options.h"
#include "compose/ics_export.h"
#include "compose/learning_lines.h"
#include "suntimes/cities.h"

int ParseYearText(const char* text, std::string* error) {
  char* end = nullptr;
  errno = 0;
  const long year = std::strtol(text, &end, 10);
  if (*end != '\0') {
    *error = translate_perform("Year must be a number");
    return 0;
  }
  if (errno == ERANGE || year < kFirstYear || year > kLastYear) {
    *error = FormatText(translate_perform("Year must be in range %d-%d"), {kFirstYear, kLastYear});
    return 0;
  }
  return static_cast<int>(year);
}

namespace {

// A date typed as day.month.year ("7.12.2026"), or 0 with `error` set.
AbsoluteDay ParseExportDate(const std::string& text, std::string* error) {
  auto notADate = [&] {
    *error =
        FormatText(translate_perform("\"%s\" is not a date: write day.month.year, for example 31.12.2026"), {text});
    return 0;
  };
  int parts[3] = {};
  size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t end = i < 2 ? text.find('.', at) : text.size();
    const std::string part = end == std::string::npos ? std::string() : text.substr(at, end - at);
    const bool digits = !part.empty() && part.size() <= 4 && part.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) return notADate();
    parts[i] = std::atoi(part.c_str());
    at = end + 1;
  }
  const int day = parts[0];
  const int month = parts[1];
  const int year = parts[2];
  if (year < kFirstYear || year > kLastYear) {
    *error = FormatText(translate_perform("Year must be in range %d-%d"), {kFirstYear, kLastYear});
    return 0;
  }
  if (month < 1 || month > 12 || day < 1 || day > LastDayOfGregorianMonth(month, year)) return notADate();
  return AbsoluteFromGregorian(day, month, year);
}

std::string DateText(const GregorianDate& g) {
  return std::to_string(g.day) + "." + std::to_string(g.month) + "." + std::to_string(g.year);
}

// The same date `years` later; 28 February for 29 February in a common year.
GregorianDate YearsLater(const GregorianDate& g, int years) {
  const int year = g.year + years;
  return {std::min(g.day, LastDayOfGregorianMonth(g.month, year)), g.month, year};
}

std::string TimesProblem(IcsTimesCheck check) {
  switch (check) {
    case IcsTimesCheck::kOk:
      break;
    case IcsTimesCheck::kCityNotFound:
      return FormatText(translate_perform("The city %s was not found in the city file %s, so there are no "
                                          "candle-lighting times"),
                        {Utf8FromLatin1(getCity()), getCityFileName()});
    case IcsTimesCheck::kInvalidDstRule:
      return translate_perform("The daylight saving rule is invalid, so there are no candle-lighting times");
  }
  return {};
}

}  // namespace

std::string ExportFileForFormat(const std::string& file, ExportFormat format) {
  const size_t nameStart = file.find_last_of('/') + 1;  // 0 without a slash
  const size_t dot = file.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > nameStart;
  std::string_view wanted;
  for (const ExportFormatRow& row : kExportFormatRows)
    if (row.format == format) wanted = row.extension;
  if (file.find_first_not_of(' ') == std::string::npos || file.size() == nameStart) return file;
  if (!hasExtension) return file + std::string(wanted);
  std::string extension = file.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const ExportFormatRow& row : kExportFormatRows)
    if (extension == row.extension) return file.substr(0, dot) + std::string(wanted);
  return file;
}

ExportDates ExportProposedDates(const GregorianDate& today) {
  const GregorianDate last{31, 12, kLastYear};
  const GregorianDate later = today.year < kLastYear ? YearsLater(today, 1) : last;
  return {DateText(today), DateText(later)};
}

bool ReadExportForm(const ExportForm& form, ExportRequest* request, std::string* error) {
  ExportRequest r;
  r.first = ParseExportDate(form.from, error);
  if (r.first == 0) return false;
  r.last = ParseExportDate(form.to, error);
  if (r.last == 0) return false;
  if (r.first > r.last) {
    *error = translate_perform("The first date must not be after the last date");
    return false;
  }
  if (r.last >= AbsoluteFromGregorian(YearsLater(GregorianFromAbsolute(r.first), kExportMaxYears))) {
    *error = FormatText(translate_perform("At most %d years can be exported at once"), {kExportMaxYears});
    return false;
  }
  r.kinds = form.kinds;
  r.format = form.format;
  if (r.kinds == 0) {
    *error = translate_perform("Choose at least one kind of event");
    return false;
  }
  if (r.kinds == kIcsLearning && !LearningChoiceFromSettings().AnyCycle()) {
    *error = translate_perform("No daily learning is chosen: choose it under Settings, Configure Daily Learning");
    return false;
  }
  if (form.file.find_first_not_of(' ') == std::string::npos) {
    *error = translate_perform("Enter the name of the calendar file");
    return false;
  }
  r.path = ExpandHome(form.file);
  struct stat st {};
  r.exists = ::stat(r.path.c_str(), &st) == 0;
  if (r.exists && S_ISDIR(st.st_mode)) {
    *error = FormatText(translate_perform("%s is a folder, not a file"), {r.path});
    return false;
  }
  if (r.kinds & kIcsTimes) {
    *error = TimesProblem(IcsCheckTimes(CurrentOptions().times));
    if (!error->empty()) return false;
  }
  *request = r;
  return true;
}
