// The anniversaries of a day as the month view and the exports show them:
// "<label>: <name>", the label translated.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calendar/anniversary_dates.h"
#include "calendar/rules.h"
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

// The bar or bat mitzvah of a birthday entry: its day and the Shabbat on or
// after it with that Shabbat's Torah section (or festival) in the interface
// language.
struct MitzvahDay {
  AbsoluteDay day = 0;
  AbsoluteDay shabbat = 0;
  std::string section;
};
// Nothing for an entry that is not a birthday.
std::optional<MitzvahDay> AnniMitzvahOf(const AnniversaryRec& rec, const CalendarRules& rules);
// "Shabbat 13 Adar II 5798: Tsav", the Hebrew date as `numerals` asks.
std::string AnniMitzvahShabbatText(const MitzvahDay& m, bool numerals);
// "Bar mitzvah: 10 Adar II 5798; Shabbat 13 Adar II 5798: Tsav" (Bat mitzvah
// for a girl).
std::string AnniMitzvahText(const AnniversaryRec& rec, const MitzvahDay& m, bool numerals);
// The birthday entries among `entries` whose bar or bat mitzvah is `day`.
std::vector<std::pair<AnniversaryRec, MitzvahDay>> AnniMitzvahsOnDay(const std::vector<AnniversaryRec>& entries,
                                                                     AbsoluteDay day, const CalendarRules& rules);
// "Bar mitzvah: <name>" / "Bat mitzvah: <name>".
std::string AnniMitzvahLine(const AnniversaryRec& rec);
