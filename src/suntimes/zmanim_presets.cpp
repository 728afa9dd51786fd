#include "suntimes/zmanim_presets.h"

#include "base/text_format.h"
#include "base/translate.h"

namespace {

// The option keys of a preset's opinions, in the order of ZmanimRecs (the
// fixed sunrise and sunset empty).
using Opinions = std::array<std::string_view, ZmanimRecs.size()>;

constexpr std::string_view kBaalHaTanyaNightfall = "sunset + degrees_below_horizon(6)";
constexpr std::string_view kThirteenAndAHalfProportional = "sunset + proportional_hour(0.225)";

constexpr Opinions kAshkenaziOpinions = {
    "AlotHashachar72", "EarliestTallit11", "", "KriatShemaGRO", "TefilaGRO", "ChatzotGRO", "MinchaGedolaGRO",
    "MinchaKtanaGRO",  "PlagHaMinchaGRO",  "", "Sunset72"};
constexpr Opinions kChabadOpinions = {"AlotHashachar169",
                                      "EarliestTallit10",
                                      "",
                                      "KriatShemaBaalHatanya",
                                      "TefilaBaalHatanya",
                                      "ChatzotGRO",
                                      "MinchaGedolaBaalHatanya",
                                      "MinchaKtanaBaalHatanya",
                                      "PlagHaMinchaBaalHatanya",
                                      "",
                                      "Deg6"};
constexpr Opinions kSephardicOpinions = {"AlotHashachar72Zmaniyot",
                                         "EarliestTallit11",
                                         "",
                                         "KriatShemaMA72Zmaniyot",
                                         "TefilaGRO",
                                         "ChatzotGRO",
                                         "MinchaGedolaGRO",
                                         "MinchaKtanaGRO",
                                         "PlagHaMinchaGRO",
                                         "",
                                         "Sunset13Zmaniyot"};
constexpr Opinions kJerusalemOpinions = {
    "AlotHashachar16", "EarliestTallit11", "", "KriatShemaGRO", "TefilaGRO", "ChatzotGRO", "MinchaGedolaGRO",
    "MinchaKtanaGRO",  "PlagHaMinchaGRO",  "", "Deg708"};

constexpr std::array<ZmanimPreset, 5> kPresets = {{
    // The program's defaults: dawn 72 minutes before sunrise, the hours of
    // the day from sunrise to sunset, nightfall 72 minutes after sunset.
    {"ashkenazi", "Ashkenazi, GR\"A and M\"A", 18, "45", true, SunCalculation::kClassic, false, &kAshkenaziOpinions, "",
     "", "", "", "", ""},
    // The Baal HaTanya's Siddur: dawn at 16.9°, the day from the sun 1.583°
    // below the horizon in the morning to the same in the evening, nightfall
    // at 6°; Shabbat ends at 8.5°.
    {"chabad", "Chabad (Baal HaTanya)", 18, "8.5", false, SunCalculation::kPrecise, false, &kChabadOpinions, "", "",
     kBaalHaTanyaNightfall, "", "", ""},
    // Rav Ovadia Yosef (Yalkut Yosef): dawn 72 proportional minutes before
    // sunrise, kriat shema by the M"A in proportional minutes, prayer and
    // the afternoon by the GR"A, nightfall and the end of a fast 13.5
    // proportional minutes after sunset; candles 20 minutes before sunset.
    {"sephardic", "Sephardic (Rav Ovadia Yosef)", 20, "7.083", false, SunCalculation::kPrecise, false,
     &kSephardicOpinions, "", "", kThirteenAndAHalfProportional, "", "", ""},
    // The Jerusalem luach: candles 40 minutes before sunset, sunrise and
    // sunset seen from the city's height, dawn at 16.1°, nightfall and the
    // end of Shabbat at three medium stars (7.083°).
    {"jerusalem", "Jerusalem (40 minutes, elevation)", 40, "7.083", false, SunCalculation::kPrecise, true,
     &kJerusalemOpinions, "", "", "", "", "", ""},
    // The defaults with Shabbat ending 72 minutes after sunset.
    {"rabbeinu-tam", "Rabbeinu Tam for the end of Shabbat (72 minutes)", 18, "72", true, SunCalculation::kPrecise,
     false, &kAshkenaziOpinions, "", "", "", "", "", ""},
}};

// Every opinion of every preset is an option of its row, and fixed rows have none.
constexpr bool OpinionsExist(const Opinions& keys) {
  for (size_t row = 0; row < ZmanimRecs.size(); ++row) {
    const ZmanimRec& rec = ZmanimRecs[row];
    if (rec.kind != kZmanimChoice) {
      if (!keys[row].empty()) return false;
      continue;
    }
    bool found = false;
    for (size_t i = 0; i < rec.optionCount; ++i) found = found || rec.options[i].key == keys[row];
    if (!found) return false;
  }
  return true;
}

constexpr bool EveryOpinionExists() {
  for (const ZmanimPreset& p : kPresets)
    if (!OpinionsExist(*p.opinions)) return false;
  return true;
}
static_assert(EveryOpinionExists());
static_assert(kPresets[0].name == "ashkenazi" && kPresets[0].calculation == SunCalculation::kClassic);

ZmanimOpinions OpinionsOf(const ZmanimPreset& preset) {
  ZmanimOpinions opinions;
  for (size_t row = 0; row < ZmanimRecs.size(); ++row)
    opinions.index[row] = ZmanimOptionIndex(ZmanimRecs[row], (*preset.opinions)[row]);
  return opinions;
}

SpecialTimeExpressions SpecialOf(const ZmanimPreset& p) {
  SpecialTimeExpressions e;
  e.fastBegins = std::string(p.fastBegins);
  e.tishaBeAvBegins = std::string(p.tishaBeAvBegins);
  e.fastEnds = std::string(p.fastEnds);
  e.khanukka = std::string(p.khanukka);
  e.khametsEat = std::string(p.khametsEat);
  e.khametsBurn = std::string(p.khametsBurn);
  return e;
}

bool SameExpressions(const SpecialTimeExpressions& a, const SpecialTimeExpressions& b) {
  return a.fastBegins == b.fastBegins && a.tishaBeAvBegins == b.tishaBeAvBegins && a.fastEnds == b.fastEnds &&
         a.khanukka == b.khanukka && a.khametsEat == b.khametsEat && a.khametsBurn == b.khametsBurn &&
         a.birkatHaChama == b.birkatHaChama;
}

}  // namespace

const std::array<ZmanimPreset, 5>& ZmanimPresets() { return kPresets; }

const ZmanimPreset* ZmanimPresetByName(std::string_view name) {
  for (const ZmanimPreset& p : kPresets)
    if (p.name == name) return &p;
  return nullptr;
}

std::string ZmanimPresetNames() {
  std::string names;
  for (const ZmanimPreset& p : kPresets) names += (names.empty() ? "" : ", ") + std::string(p.name);
  return names;
}

void ApplyZmanimPreset(const ZmanimPreset& preset, TimesOptions* options) {
  options->preset = std::string(preset.name);
  options->candleMinutes = preset.candleMinutes;
  options->havdalahValue = std::string(preset.havdalahValue);
  options->havdalahInMinutes = preset.havdalahInMinutes;
  options->sun.calculation = preset.calculation;
  options->sun.elevation = preset.elevation;
  options->opinions = OpinionsOf(preset);
  options->special = SpecialOf(preset);
}

bool ZmanimPresetMatches(const ZmanimPreset& preset, const TimesOptions& options) {
  TimesOptions wanted = options;
  ApplyZmanimPreset(preset, &wanted);
  for (const ZmanimRec& rec : ZmanimRecs)
    if (options.opinions.Of(rec) != wanted.opinions.Of(rec)) return false;
  return options.candleMinutes == wanted.candleMinutes && options.HavdalahExpression() == wanted.HavdalahExpression() &&
         options.sun.calculation == wanted.sun.calculation && options.sun.elevation == wanted.sun.elevation &&
         SameExpressions(options.special.WithDefaults(options.opinions), wanted.special.WithDefaults(wanted.opinions));
}

ZmanimPresetState ZmanimPresetStateOf(const TimesOptions& options) {
  const ZmanimPreset* named = ZmanimPresetByName(options.preset);
  const ZmanimPreset& preset = named ? *named : kPresets[0];
  return {&preset, !ZmanimPresetMatches(preset, options)};
}

std::string ZmanimPresetText(const TimesOptions& options) {
  return ZmanimPresetStateText(ZmanimPresetStateOf(options));
}

std::string ZmanimPresetStateText(const ZmanimPresetState& state) {
  const std::string& label = translate_perform(state.preset->label);
  if (!state.custom) return label;
  return FormatText(translate_perform("Custom (from %s)"), {label});
}
