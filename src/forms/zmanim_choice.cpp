#include "forms/zmanim_choice.h"

#include <utility>

#include "base/settings_file.h"
#include "base/text_format.h"
#include "base/translate.h"

std::vector<const ZmanimRec*> ZmanimChoiceRows() {
  std::vector<const ZmanimRec*> rows;
  for (const ZmanimRec& rec : ZmanimRecs)
    if (rec.kind == kZmanimChoice) rows.push_back(&rec);
  return rows;
}

std::vector<std::string> ZmanimOptionLabels(const ZmanimRec& rec) {
  std::vector<std::string> labels;
  for (size_t i = 0; i < rec.optionCount; ++i) labels.push_back(translate_perform(rec.options[i].label));
  return labels;
}

std::string ZmanimCurrentLabel(const ZmanimRec& rec) {
  const std::string stored = SettingsGet(ZmanimSettingsKey(rec), "");
  for (size_t i = 0; i < rec.optionCount; ++i)
    if (rec.options[i].key == stored) return translate_perform(rec.options[i].label);
  return translate_perform(rec.options[0].label);
}

int ZmanimOptionFromLabel(const ZmanimRec& rec, std::string_view text) {
  for (size_t i = 0; i < rec.optionCount; ++i)
    if (translate_perform(rec.options[i].label) == text) return static_cast<int>(i);
  return -1;
}

std::string ZmanimStoreChoices(const std::vector<std::string>& texts) {
  const std::vector<const ZmanimRec*> rows = ZmanimChoiceRows();
  std::vector<std::pair<std::string, std::string>> choices;
  std::string message;
  for (size_t r = 0; r < rows.size(); ++r) {
    const int option = r < texts.size() ? ZmanimOptionFromLabel(*rows[r], texts[r]) : -1;
    if (option < 0) {
      message = FormatText("An entry under %s\n%s must be selected", {rows[r]->name, rows[r]->nameSuffix});
      break;
    }
    choices.emplace_back(ZmanimSettingsKey(*rows[r]), std::string(rows[r]->options[option].key));
  }
  // The rows chosen so far are kept even when a later one is missing.
  if (!choices.empty() && !SettingsSetMany(choices))
    return FormatText(translate_perform("The zmanim choices could not be saved in %s"), {SettingsGetFileName()});
  return message;
}
