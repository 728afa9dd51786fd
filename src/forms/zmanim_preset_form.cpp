#include "forms/zmanim_preset_form.h"

#include <charconv>

#include "base/translate.h"
#include "forms/special_times_form.h"
#include "forms/zmanim_choice.h"

namespace {

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace

std::vector<std::string> PresetFormLabels() {
  std::vector<std::string> labels;
  for (const ZmanimPreset& p : ZmanimPresets()) labels.push_back(translate_perform(p.label));
  return labels;
}

PresetFormFields PresetFormFieldsOf(const ZmanimPreset& preset) {
  TimesOptions t;
  ApplyZmanimPreset(preset, &t);
  PresetFormFields f;
  f.candles = std::to_string(t.candleMinutes);
  f.havdalah = t.havdalahValue;
  f.havdalahIsMin = t.havdalahInMinutes;
  f.preciseSun = t.sun.precise();
  f.sunElevation = t.sun.elevation;
  for (const ZmanimRec* rec : ZmanimChoiceRows())
    f.opinions.push_back(translate_perform(rec->options[t.opinions.Of(*rec)].label));
  const SpecialTimeExpressions special = t.special.WithDefaults(t.opinions);
  for (const SpecialTimeRow& row : kSpecialTimeRows) f.special.push_back(special.*row.expression);
  return f;
}

ZmanimPresetState PresetFormStateOf(std::string_view presetName, const PresetFormFields& fields) {
  TimesOptions t;
  t.preset = std::string(presetName);
  const ZmanimPresetState named = ZmanimPresetStateOf(t);
  const std::string candles = Trim(fields.candles);
  const auto [end, error] = std::from_chars(candles.data(), candles.data() + candles.size(), t.candleMinutes);
  if (error != std::errc() || end != candles.data() + candles.size()) return {named.preset, true};
  t.havdalahValue = Trim(fields.havdalah);
  t.havdalahInMinutes = fields.havdalahIsMin;
  t.sun.calculation = fields.preciseSun ? SunCalculation::kPrecise : SunCalculation::kClassic;
  t.sun.elevation = fields.sunElevation;
  const std::vector<const ZmanimRec*> rows = ZmanimChoiceRows();
  for (size_t r = 0; r < rows.size(); ++r) {
    const int option = r < fields.opinions.size() ? ZmanimOptionFromLabel(*rows[r], fields.opinions[r]) : -1;
    if (option < 0) return {named.preset, true};
    t.opinions.index[ZmanimRecIndex(rows[r]->keySuffix)] = static_cast<size_t>(option);
  }
  size_t i = 0;
  for (const SpecialTimeRow& row : kSpecialTimeRows) {
    if (i >= fields.special.size()) return {named.preset, true};
    t.special.*row.expression = Trim(fields.special[i++]);
  }
  return ZmanimPresetStateOf(t);
}
