// Where the program's diagnostic messages go.
//
// Messages about the data a computation reads (a time expression that does
// not parse, a bad line of the city file, a file that cannot be opened, a
// text that cannot be printed) go to the message stream: standard output,
// unless a caller whose standard output is a file format (PostScript, an
// iCalendar file) or that keeps values and messages apart sends them
// elsewhere for a while with a DiagnosticsTo scope.
//
// Warnings for whoever runs the program (a translation file with a syntax
// error, settings that cannot be saved, a missing feature of a drawing
// backend) always go to standard error.
#pragma once

#include <cstdio>
#include <string_view>

// Writes `text` as it is to the message stream (nothing while it is null).
void DiagMessage(std::string_view text);
// Writes `text` as it is to standard error.
void DiagWarning(std::string_view text);

// The stream messages go to now (null: they are dropped).
std::FILE* DiagMessageStream();

// While one of these lives, messages go to `stream` (null drops them).
// Scopes nest; the innermost one wins.
class DiagnosticsTo {
 public:
  explicit DiagnosticsTo(std::FILE* stream);
  ~DiagnosticsTo();
  DiagnosticsTo(const DiagnosticsTo&) = delete;
  DiagnosticsTo& operator=(const DiagnosticsTo&) = delete;

 private:
  std::FILE* previous_;
};
