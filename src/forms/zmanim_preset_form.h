// The choice of a community preset in the Preferences window, apart from
// the widgets: the fields a preset fills on the pages of times and zmanim,
// and the text the choice shows for what the fields hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "suntimes/zmanim_presets.h"

// The fields a preset covers, as the window shows them.
struct PresetFormFields {
  std::string candles;  // minutes before sunset, as typed
  std::string havdalah;
  bool havdalahIsMin = true;
  bool preciseSun = false;
  bool sunElevation = false;
  std::vector<std::string> opinions;  // the shown label of each row of ZmanimChoiceRows
  std::vector<std::string> special;   // the expression of each row of kSpecialTimeRows
};

// The translated labels of the presets, in table order.
std::vector<std::string> PresetFormLabels();
// What the fields show once the preset is chosen.
PresetFormFields PresetFormFieldsOf(const ZmanimPreset& preset);
// The state of the fields against the preset named `presetName` (the last
// one chosen): its label, or "Custom (from <label>)" once a field differs;
// a field that cannot be read (candles not a number) differs.
ZmanimPresetState PresetFormStateOf(std::string_view presetName, const PresetFormFields& fields);
