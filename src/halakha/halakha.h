// The halakha of one day: what is added to or left out of each service, the
// Torah reading with its scrolls and aliyot, Hallel, Havdalah, candle
// lighting, Selikhot and the molad announcement.
#pragma once

#include <string>
#include <string_view>

#include "calendar/minor_days.h"
#include "calendar/rules.h"
#include "calendar/types.h"

// Appends one report line and a line break to `text`.
void HalakhaOutput(std::string* text, std::string_view line);

// The halakha lines of day d, each made by HalakhaOutput: the day notes,
// Shakharit, the Torah reading, Musaf, Minkha, Neila, and Maariv, Havdalah
// and Selikhot of the evening that follows d. The lines are English; their
// exact wording, leading blanks included, is the key by which the report is
// translated. style: 1 Sephardic, 2 Ashkenazi (rules naming a style test
// for exactly that value). `place`: the evenings of the month's Kiddush
// Levana and the tekufa where the report is read (none without a place).
std::string HalakhaDo(AbsoluteDay d, const CalendarRules& rules, int style, const PlaceMoments& place = {});
