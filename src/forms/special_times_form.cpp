#include "forms/special_times_form.h"

#include "base/diagnostics.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "suntimes/calc.h"

namespace {

constexpr size_t kRowCount = sizeof(kSpecialTimeRows) / sizeof(kSpecialTimeRows[0]);

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace

std::vector<std::string> SpecialTimesFormFromSettings() {
  const SpecialTimeExpressions inUse = SpecialTimeExpressionsInUse();
  std::vector<std::string> texts;
  for (const SpecialTimeRow& row : kSpecialTimeRows) texts.push_back(inUse.*row.expression);
  return texts;
}

std::string SpecialTimesFormCheck(const std::vector<std::string>& texts) {
  for (size_t i = 0; i < kRowCount; ++i) {
    const std::string text = i < texts.size() ? Trimmed(texts[i]) : std::string();
    bool valid = !text.empty() && text.size() <= kSettingMaxBytes;
    if (valid) {
      const DiagnosticsTo quiet(nullptr);
      valid = ZmanimProgram::Compile(text).valid();
    }
    if (!valid) {
      return FormatText(translate_perform("%s: not a valid time expression"),
                        {translate_perform(kSpecialTimeRows[i].label)});
    }
  }
  return "";
}

void SpecialTimesFormStore(const std::vector<std::string>& texts, const SpecialTimeExpressions& openingDefaults) {
  const SpecialTimeExpressions defaults = SpecialTimeExpressions::Defaults(CurrentZmanimOpinions());
  for (size_t i = 0; i < kRowCount && i < texts.size(); ++i) {
    const std::string text = Trimmed(texts[i]);
    const auto field = kSpecialTimeRows[i].expression;
    const bool isDefault = text == openingDefaults.*field || text == defaults.*field;
    kSpecialTimeRows[i].store(isDefault ? std::string_view() : std::string_view(text));
  }
}
