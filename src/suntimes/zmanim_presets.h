// Community presets: one choice that sets every zmanim opinion, the candle
// lighting, the havdalah, the special days' times and the sun calculation
// to a community's published practice. The settings keep the preset's name
// ("ZmanimPreset"); whether the options still follow it is found by
// comparing them with it, never stored.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "suntimes/sun_options.h"
#include "suntimes/times_options.h"
#include "suntimes/zmanim.h"

struct ZmanimPreset {
  std::string_view name;   // the settings' and lumaro-cli's word: "chabad"
  std::string_view label;  // shown (translated): "Chabad (Baal HaTanya)"
  int candleMinutes;
  std::string_view havdalahValue;  // minutes after sunset or degrees below the horizon
  bool havdalahInMinutes;
  SunCalculation calculation;
  bool elevation;
  // The option key of each row of ZmanimRecs, empty for a fixed time.
  const std::array<std::string_view, ZmanimRecs.size()>* opinions;
  // The special days' expressions; an empty one follows the opinions.
  std::string_view fastBegins, tishaBeAvBegins, fastEnds, khanukka, khametsEat, khametsBurn;
};

// The presets, the first the program's defaults.
const std::array<ZmanimPreset, 5>& ZmanimPresets();

// The preset of that name, or null.
const ZmanimPreset* ZmanimPresetByName(std::string_view name);
// "ashkenazi, chabad, ...": the names, for a message.
std::string ZmanimPresetNames();
// Sets everything the preset covers, and the preset's name, in `options`.
void ApplyZmanimPreset(const ZmanimPreset& preset, TimesOptions* options);
// True when every choice the preset covers is the preset's (a special
// expression left empty equals its default written out).
bool ZmanimPresetMatches(const ZmanimPreset& preset, const TimesOptions& options);
// The preset the options name (the first one for an unknown name), and
// whether they still follow it.
struct ZmanimPresetState {
  const ZmanimPreset* preset;
  bool custom;
};
ZmanimPresetState ZmanimPresetStateOf(const TimesOptions& options);
// Translated: "Chabad (Baal HaTanya)" or "Custom (from Chabad (Baal HaTanya))".
std::string ZmanimPresetStateText(const ZmanimPresetState& state);
std::string ZmanimPresetText(const TimesOptions& options);
