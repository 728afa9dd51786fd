// The zmanim of a day: eleven halakhic times, each an expression of the
// zmanim language; for nine of them the user picks one of several customary
// opinions (kept in the settings file under "Zmanim" + keySuffix, and given
// to the engine as a ZmanimOpinions value).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "calendar/types.h"

// One opinion of a time with choices.
struct ZmanimOption {
  std::string_view key;         // value stored under the settings key
  std::string_view label;       // short description for the selection dialog
  std::string_view expression;  // zmanim-language expression
};

// Kinds of a ZmanimRec.
constexpr int kZmanimFixed = 1;   // one fixed expression
constexpr int kZmanimChoice = 2;  // a choice among options, the first the default

struct ZmanimRec {
  std::string_view name;        // first part of the display name (translated)
  std::string_view nameSuffix;  // second part, or empty
  std::string_view keySuffix;   // settings key is "Zmanim" + keySuffix
  int kind;
  std::string_view expression;  // kind kZmanimFixed
  const ZmanimOption* options;  // kind kZmanimChoice
  size_t optionCount;
};

// The opinions. In each table the second row is the first computed as if
// the day ran from 72 minutes before sunrise to 72 minutes after sunset: 12
// minutes per proportional hour, less 72 (3 hours: -36, 6.5 hours: +6).
// Where a third row counts the same 72 in proportional minutes (1.2 hours
// of the day), an hour of that day is 1.2 hours of sunrise to sunset, so
// hour h falls 1.2 * h - 1.2 hours after sunrise (the 3rd: 2.4). The Baal
// HaTanya's day runs from the sun's centre 1.583° below the horizon in the
// morning to the same depression in the evening.
inline constexpr std::array<ZmanimOption, 4> ZmanimAlotHashachar = {{
    {"AlotHashachar72", "72 minutes before sunrise", "sunrise - 72"},
    {"AlotHashachar16", "Sun 16.1° below the horizon", "sunrise - degrees_below_horizon(16.1)"},
    {"AlotHashachar72Zmaniyot", "72 proportional minutes before sunrise", "sunrise - proportional_hour(1.2)"},
    {"AlotHashachar169", "Sun 16.9° below the horizon", "sunrise - degrees_below_horizon(16.9)"},
}};
inline constexpr std::array<ZmanimOption, 2> ZmanimEarliestTallit = {{
    {"EarliestTallit11", "Sun 11° below the horizon", "sunrise - degrees_below_horizon(11)"},
    {"EarliestTallit10", "Sun 10.2° below the horizon", "sunrise - degrees_below_horizon(10.2)"},
}};
inline constexpr std::array<ZmanimOption, 4> ZmanimKriatShema = {{
    {"KriatShemaGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(3)"},
    {"KriatShemaMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(3) - 36"},
    {"KriatShemaMA72Zmaniyot",
     "M\"A in proportional minutes (72 of them before sunrise and after sunset)",
     "sunrise + proportional_hour(2.4)"},
    {"KriatShemaBaalHatanya", "Baal HaTanya (the day from the sun 1.583° below the horizon, morning to evening)",
     "proportional_time(3, sunrise - degrees_below_horizon(1.583), sunset + degrees_below_horizon(1.583))"},
}};
inline constexpr std::array<ZmanimOption, 4> ZmanimTefila = {{
    {"TefilaGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(4)"},
    {"TefilaMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(4) - 24"},
    {"TefilaMA72Zmaniyot",
     "M\"A in proportional minutes (72 of them before sunrise and after sunset)",
     "sunrise + proportional_hour(3.6)"},
    {"TefilaBaalHatanya", "Baal HaTanya (the day from the sun 1.583° below the horizon, morning to evening)",
     "proportional_time(4, sunrise - degrees_below_horizon(1.583), sunset + degrees_below_horizon(1.583))"},
}};
inline constexpr std::array<ZmanimOption, 2> ZmanimChatzot = {{
    {"ChatzotGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(6)"},
    {"ChatzotMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(6)"},
}};
inline constexpr std::array<ZmanimOption, 3> ZmanimMinchaGedola = {{
    {"MinchaGedolaGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(6.5)"},
    {"MinchaGedolaMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(6.5) + 6"},
    {"MinchaGedolaBaalHatanya", "Baal HaTanya (the day from the sun 1.583° below the horizon, morning to evening)",
     "proportional_time(6.5, sunrise - degrees_below_horizon(1.583), sunset + degrees_below_horizon(1.583))"},
}};
inline constexpr std::array<ZmanimOption, 3> ZmanimMinchaKtana = {{
    {"MinchaKtanaGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(9.5)"},
    {"MinchaKtanaMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(9.5) + 42"},
    {"MinchaKtanaBaalHatanya", "Baal HaTanya (the day from the sun 1.583° below the horizon, morning to evening)",
     "proportional_time(9.5, sunrise - degrees_below_horizon(1.583), sunset + degrees_below_horizon(1.583))"},
}};
inline constexpr std::array<ZmanimOption, 3> ZmanimPlagHaMincha = {{
    {"PlagHaMinchaGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(10.75)"},
    {"PlagHaMinchaMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(10.75) + 57"},
    {"PlagHaMinchaBaalHatanya", "Baal HaTanya (the day from the sun 1.583° below the horizon, morning to evening)",
     "proportional_time(10.75, sunrise - degrees_below_horizon(1.583), sunset + degrees_below_horizon(1.583))"},
}};
inline constexpr std::array<ZmanimOption, 7> ZmanimTzaitHaChochavim = {{
    {"Sunset72", "72 minutes after sunset", "sunset + 72"},
    {"Deg595", "Sun 5.95° below the horizon", "sunset + degrees_below_horizon(5.95)"},
    {"Deg708", "Sun 7.08° below the horizon", "sunset + degrees_below_horizon(7.08)"},
    {"Deg75", "Sun 7.5° below the horizon", "sunset + degrees_below_horizon(7.5)"},
    {"Deg875", "Sun 8.75° below the horizon", "sunset + degrees_below_horizon(8.75)"},
    {"Deg6", "Sun 6° below the horizon", "sunset + degrees_below_horizon(6)"},
    {"Sunset13Zmaniyot", "13.5 proportional minutes after sunset", "sunset + proportional_hour(0.225)"},
}};

// The end of the fifth proportional hour, by the same opinions as the fourth
// and in the same order (the last time to burn khamets on Erev Pesakh): M"A
// 5 * 12 - 72.
inline constexpr std::array<ZmanimOption, 4> ZmanimFifthHour = {{
    {"FifthHourGRO", "GR\"A (the day from sunrise to sunset)", "sunrise + proportional_hour(5)"},
    {"FifthHourMA", "M\"A (the day from 72 minutes before sunrise to 72 minutes after sunset)",
     "sunrise + proportional_hour(5) - 12"},
    {"FifthHourMA72Zmaniyot",
     "M\"A in proportional minutes (72 of them before sunrise and after sunset)",
     "sunrise + proportional_hour(4.8)"},
    {"FifthHourBaalHatanya", "Baal HaTanya (the day from the sun 1.583° below the horizon, morning to evening)",
     "proportional_time(5, sunrise - degrees_below_horizon(1.583), sunset + degrees_below_horizon(1.583))"},
}};

// The times in display order, from dawn to nightfall.
inline constexpr std::array<ZmanimRec, 11> ZmanimRecs = {{
    {"alot haShakhar", "", "AlotHaShachar", kZmanimChoice, "", ZmanimAlotHashachar.data(), ZmanimAlotHashachar.size()},
    {"earliest tallit", "", "EarliestTallit", kZmanimChoice, "", ZmanimEarliestTallit.data(),
     ZmanimEarliestTallit.size()},
    {"netz haKhama", "", "HaNetzHaChama", kZmanimFixed, "sunrise", nullptr, 0},
    {"sof zman", "kriat shema", "KriatShema", kZmanimChoice, "", ZmanimKriatShema.data(), ZmanimKriatShema.size()},
    {"sof zman", "tfilat shakharit", "Tefila", kZmanimChoice, "", ZmanimTefila.data(), ZmanimTefila.size()},
    {"khatzot", "", "Chatzot", kZmanimChoice, "", ZmanimChatzot.data(), ZmanimChatzot.size()},
    {"mincha gedola", "", "MinchaGedola", kZmanimChoice, "", ZmanimMinchaGedola.data(), ZmanimMinchaGedola.size()},
    {"mincha k'tana", "", "MinchaKtana", kZmanimChoice, "", ZmanimMinchaKtana.data(), ZmanimMinchaKtana.size()},
    {"plag haMinkha", "", "PlagHaMincha", kZmanimChoice, "", ZmanimPlagHaMincha.data(), ZmanimPlagHaMincha.size()},
    {"shkiat haKhama", "", "ShkiaHaChama", kZmanimFixed, "sunset", nullptr, 0},
    {"tset haKokhavim", "", "TzaitHakochavim", kZmanimChoice, "", ZmanimTzaitHaChochavim.data(),
     ZmanimTzaitHaChochavim.size()},
}};

// The index in ZmanimRecs of the row of a keySuffix ("AlotHaShachar"), or
// the table's size when there is none (checked where it is used, at compile
// time).
constexpr size_t ZmanimRecIndex(std::string_view keySuffix) {
  for (size_t i = 0; i < ZmanimRecs.size(); ++i)
    if (ZmanimRecs[i].keySuffix == keySuffix) return i;
  return ZmanimRecs.size();
}

// "name" or "name nameSuffix" (untranslated).
std::string ZmanimDisplayName(const ZmanimRec& rec);
// The settings key of a choice: "Zmanim" + keySuffix.
std::string ZmanimSettingsKey(const ZmanimRec& rec);
// The opinion chosen for each time, by the index of its row in ZmanimRecs:
// the index of the option (0, the first, for a fixed time and by default).
struct ZmanimOpinions {
  std::array<size_t, ZmanimRecs.size()> index{};

  // The index of that option for the row `rec` (0 for a fixed expression).
  size_t Of(const ZmanimRec& rec) const;
  // The expression in use: the fixed one, or the chosen option's.
  std::string_view Expression(const ZmanimRec& rec) const;
};
// The option of `rec` whose key equals `stored` exactly (case-sensitive);
// 0, the first, when none does or the time is fixed.
size_t ZmanimOptionIndex(const ZmanimRec& rec, std::string_view stored);
