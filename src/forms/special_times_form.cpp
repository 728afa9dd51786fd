#include "forms/special_times_form.h"

#include <iterator>

#include "base/diagnostics.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "suntimes/calc.h"
#include "suntimes/zmanim.h"

namespace {

constexpr size_t kRowCount = sizeof(kSpecialTimeRows) / sizeof(kSpecialTimeRows[0]);

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Nightfall, by the height of the sun or by the time three medium stars
// show (13.5 proportional minutes after sunset).
constexpr SpecialTimeChoice kNightfallChoices[] = {
    {"Sun 7.083\u00B0 below the horizon", kDefaultNightfall},
    {"Sun 8.5\u00B0 below the horizon", "sunset + degrees_below_horizon(8.5)"},
    {"Sun 6.45\u00B0 below the horizon", "sunset + degrees_below_horizon(6.45)"},
    {"3 medium stars (13.5 proportional minutes)", "sunset + proportional_hour(0.225)"},
    {"Sun 6\u00B0 below the horizon", "sunset + degrees_below_horizon(6)"},
};
constexpr SpecialTimeChoice kSunsetChoice = {"Sunset", "sunset"};

std::vector<SpecialTimeChoice> OpinionChoices(const ZmanimOption* options, size_t count) {
  std::vector<SpecialTimeChoice> choices;
  for (size_t i = 0; i < count; ++i) choices.push_back({options[i].label, options[i].expression});
  return choices;
}

}  // namespace

std::vector<SpecialTimeChoice> SpecialTimeChoices(size_t row) {
  const auto field = row < kRowCount ? kSpecialTimeRows[row].expression : nullptr;
  const std::vector<SpecialTimeChoice> nightfall(std::begin(kNightfallChoices), std::end(kNightfallChoices));
  if (field == &SpecialTimeExpressions::fastBegins) {
    const ZmanimRec& dawn = ZmanimRecs[ZmanimRecIndex("AlotHaShachar")];
    return OpinionChoices(dawn.options, dawn.optionCount);
  }
  if (field == &SpecialTimeExpressions::tishaBeAvBegins) return {kSunsetChoice};
  if (field == &SpecialTimeExpressions::fastEnds) return nightfall;
  if (field == &SpecialTimeExpressions::khanukka) {
    std::vector<SpecialTimeChoice> choices = {kSunsetChoice};
    choices.insert(choices.end(), nightfall.begin(), nightfall.end());
    return choices;
  }
  if (field == &SpecialTimeExpressions::khametsEat) {
    const ZmanimRec& fourthHour = ZmanimRecs[ZmanimRecIndex("Tefila")];
    return OpinionChoices(fourthHour.options, fourthHour.optionCount);
  }
  if (field == &SpecialTimeExpressions::khametsBurn)
    return OpinionChoices(ZmanimFifthHour.data(), ZmanimFifthHour.size());
  return {};
}

int SpecialTimeChoiceOf(size_t row, std::string_view text) {
  const std::string trimmed = Trimmed(text);
  const std::vector<SpecialTimeChoice> choices = SpecialTimeChoices(row);
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i].expression == trimmed) return static_cast<int>(i);
  return -1;
}

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
