// The community presets: every time of each preset at ten cities, day by day
// for two years, against tests/data/preset_reference.tsv (another zmanim
// library's values), and which options still count as the preset.
#include "suntimes/zmanim_presets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "calendar/calendar.h"
#include "forms/zmanim_preset_form.h"
#include "reference_data.h"
#include "suntimes/calc.h"
#include "suntimes/noaa_sun.h"

namespace {

// The expressions of the reference's columns under a preset's options.
std::vector<ZmanimProgram> ProgramsOf(const TimesOptions& t) {
  std::vector<ZmanimProgram> programs;
  for (const ZmanimRec& rec : ZmanimRecs) programs.push_back(ZmanimProgram::Parse(t.opinions.Expression(rec)));
  const SpecialTimeExpressions special = t.special.WithDefaults(t.opinions);
  for (const std::string& e :
       {t.CandleExpression(), t.HavdalahExpression(), special.fastEnds, special.khametsEat, special.khametsBurn})
    programs.push_back(ZmanimProgram::Parse(e));
  return programs;
}

// The whole-hour standard zone is the frame of our minutes; the
// reference counts from 0h UTC of the same date. The program of the
// defaults, whose own calculation is classic, is compared in the precise one.
TEST(ZmanimPresets, EveryTimeWithinAMinuteOfTheReference) {
  std::map<std::string, ZmanimPlace> places;
  TimesOptions options;
  std::vector<ZmanimProgram> programs;
  ZmanimPlace place;
  std::string block;
  AbsoluteDay day = 0;
  int compared = 0, oneOff = 0, wrong = 0;
  for (const testdata::Row& f : testdata::ReadRows("preset_reference.tsv", '\t')) {
    if (f[0] == "city") {
      places[f[1]] = {*testdata::ToInt(f[2]), *testdata::ToInt(f[3]), *testdata::ToInt(f[4]), std::stod(f[5])};
    } else if (f[0] == "preset") {
      const ZmanimPreset* preset = ZmanimPresetByName(f[1]);
      ASSERT_TRUE(preset && places.count(f[2])) << f[1] << " " << f[2];
      ApplyZmanimPreset(*preset, &options);
      options.sun.calculation = SunCalculation::kPrecise;
      programs = ProgramsOf(options);
      place = places[f[2]];
      block = f[1] + " " + f[2];
      day = testdata::Greg(1, 1, 2025);
    } else if (f[0] != "columns" && f[0] != "method") {
      const std::vector<std::string> want = testdata::SplitRow(f[0], ' ');
      ASSERT_EQ(want.size(), programs.size()) << block;
      const GregorianDate g = GregorianFromAbsolute(day);
      for (size_t c = 0; c < want.size(); ++c) {
        const std::optional<double> v = programs[c].EvaluateMinutes(place, g.day, g.month, g.year, options.sun);
        const std::string ours =
            v ? std::to_string(suntimes::noaa::RoundSecondsToMinute(*v * 60.0) - 60 * place.zone) : "-";
        ++compared;
        // "~": the sun barely reaches that depression, a moment two calculations place minutes apart.
        const bool barely = want[c][0] == '~';
        const std::string w = barely ? want[c].substr(1) : want[c];
        const bool near = v && w != "-" && std::abs(std::stoi(ours) - std::stoi(w)) <= (barely ? 5 : 1);
        oneOff += near && ours != w;
        if (ours != w && !near && ++wrong <= 20)
          ADD_FAILURE() << block << " " << g.year << "-" << g.month << "-" << g.day << " column " << c << ": " << ours
                        << ", reference " << want[c];
      }
      ++day;
    }
  }
  EXPECT_EQ(compared, 5 * 10 * 730 * 16);
  EXPECT_EQ(wrong, 0);
  std::printf("%d times compared, %d one minute off\n", compared, oneOff);
}

// A preset is in force while every choice it covers is its own; one change
// makes it "custom". The defaults are the first preset's.
TEST(ZmanimPresets, CustomOnceAChoiceDiffers) {
  EXPECT_FALSE(ZmanimPresetStateOf(TimesOptions{}).custom);
  for (const ZmanimPreset& preset : ZmanimPresets()) {
    TimesOptions t;
    ApplyZmanimPreset(preset, &t);
    EXPECT_EQ(ZmanimPresetStateOf(t).preset, &preset);
    EXPECT_FALSE(ZmanimPresetStateOf(t).custom) << preset.name;
    int othersMatching = 0;
    for (const ZmanimPreset& other : ZmanimPresets()) othersMatching += ZmanimPresetMatches(other, t);
    EXPECT_EQ(othersMatching, 1) << preset.name;
    const std::vector<void (*)(TimesOptions&)> changes = {
        [](TimesOptions& o) { ++o.candleMinutes; },
        [](TimesOptions& o) { o.havdalahValue = "50"; },
        [](TimesOptions& o) { o.sun.elevation = !o.sun.elevation; },
        [](TimesOptions& o) { o.opinions.index[ZmanimRecIndex("TzaitHakochavim")] ^= 1; },
        [](TimesOptions& o) { o.special.khanukka = "sunset"; },
    };
    for (auto change : changes) {
      TimesOptions changed = t;
      change(changed);
      EXPECT_TRUE(ZmanimPresetStateOf(changed).custom) << preset.name;
    }
    // The same through the Preferences' fields: as the preset fills them, and with one changed.
    const PresetFormFields fields = PresetFormFieldsOf(preset);
    EXPECT_FALSE(PresetFormStateOf(preset.name, fields).custom) << preset.name;
    for (size_t field = 0; field < 4; ++field) {
      PresetFormFields changed = fields;
      std::string& text = field == 0   ? changed.candles
                          : field == 1 ? changed.havdalah
                          : field == 2 ? changed.opinions.back()
                                       : changed.special[2];
      text = field == 0 ? "17" : "x";
      EXPECT_TRUE(PresetFormStateOf(preset.name, changed).custom) << preset.name << " " << field;
    }
  }
  TimesOptions unknown;
  unknown.preset = "no-such-preset";
  EXPECT_EQ(ZmanimPresetStateOf(unknown).preset, &ZmanimPresets()[0]);
}

}  // namespace
