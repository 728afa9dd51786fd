#include "base/diagnostics.h"

namespace {

std::FILE*& CurrentStream() {
  static std::FILE* stream = stdout;
  return stream;
}

void Write(std::FILE* stream, std::string_view text) {
  if (stream && !text.empty()) std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

std::FILE* DiagMessageStream() { return CurrentStream(); }

void DiagMessage(std::string_view text) { Write(CurrentStream(), text); }

void DiagWarning(std::string_view text) { Write(stderr, text); }

DiagnosticsTo::DiagnosticsTo(std::FILE* stream) : previous_(CurrentStream()) { CurrentStream() = stream; }

DiagnosticsTo::~DiagnosticsTo() { CurrentStream() = previous_; }
