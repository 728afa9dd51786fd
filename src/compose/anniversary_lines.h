// The anniversaries of a day as the month view and the exports show them:
// "<label>: <name>", the label translated.
#pragma once

#include <string>
#include <string_view>

#include "calendar/anniversary_dates.h"
#include "calendar/types.h"

// The English label of an entry type: "Birthday" for B, "yortsayt" for Y,
// "Anniversary" otherwise.
std::string_view AnniLabelKey(char type);
// "<translated label>: <name>".
std::string AnniversaryLine(const AnniversaryRec& rec);

// The entries of the anniversaries file that fall on `day`, never in the
// Hebrew year of the event itself or before. `types` (when given) receives
// their type letters and `text` one line "<label>: <name>\n" each, in list
// order. Returns 1 when at least one entry falls on the day, else 0.
int AnnifileGetForDay(AbsoluteDay day, std::string* types, std::string* text);
