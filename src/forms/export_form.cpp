#include "forms/export_form.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "base/file_util.h"
#include "base/settings.h"
#include "base/text_format.h"
#include "base/translate.h"
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

bool ReadExportForm(const ExportForm& form, ExportRequest* request, std::string* error) {
  ExportRequest r;
  r.fromYear = ParseYearText(form.fromYear.c_str(), error);
  if (r.fromYear == 0) return false;
  r.toYear = ParseYearText(form.toYear.c_str(), error);
  if (r.toYear == 0) return false;
  if (r.fromYear > r.toYear) {
    *error = translate_perform("The first year must not be after the last year");
    return false;
  }
  if (r.toYear - r.fromYear + 1 > kExportMaxYears) {
    *error = FormatText(translate_perform("At most %d years can be exported at once"), {kExportMaxYears});
    return false;
  }
  r.kinds = form.kinds;
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
