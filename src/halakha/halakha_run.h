// Shared by the two halves of the halakha report (morning, and afternoon and
// evening): the state of one run and the service functions.
#pragma once

#include <string>
#include <string_view>

#include "calendar/festival_table.h"
#include "calendar/minor_days.h"
#include "calendar/rules.h"
#include "calendar/types.h"

namespace halakha::detail {

using F = Festival;

struct Run {
  AbsoluteDay d;      // the day
  AbsoluteDay t;      // the day that begins in the evening, d + 1
  CalendarRules rules;  // Israel or the Diaspora, and the Shushan Purim custom
  int style;            // 1 Sephardic, 2 Ashkenazi
  PlaceMoments place;   // Kiddush Levana and the tekufa at the place of the report
  std::string* text;  // the report being built

  void Emit(std::string_view line) const;
  // h(f): the holiday in the Hebrew year of d.
  AbsoluteDay H(Festival f) const;
  bool Sephardic() const { return style == 1; }
  bool Ashkenazi() const { return style == 2; }
  // Dew is mentioned in the summer by the Sephardic rite, and by every rite in Israel.
  bool SaysDew() const { return style == 1 || !rules.diaspora; }
};

// The morning: notes on the day, Shakharit, Torah reading, Musaf, closing notes.
void DayNotes(const Run& run);
void Shakharit(const Run& run);
void TorahReading(const Run& run);
void AfterTorahReading(const Run& run);
void Musaf(const Run& run);
void MorningClosingNotes(const Run& run);
// The afternoon and the evening that follows d.
void Minkha(const Run& run);
void Neila(const Run& run);
void Maariv(const Run& run);
void Havdalah(const Run& run);
void EveningPsalmAndSelikhot(const Run& run);

// "Zokhreynu leKhayim" and the Ten Days' endings of the Amida; the weekday
// Amida also says "HaMelekh haMishpat".
void TenDaysAmida(const Run& run, bool weekdayAmida);

// Shared day tests of both halves.
// The keyed holiday days of Sukkot: 15 .. 21 Tishri.
bool InSukkot(const Run& run);
// 1 Tishri through Yom Kippur.
bool TenDaysOfRepentance(AbsoluteDay x);
// 1 Tishri through 8 Tishri: the days of Repentance before the eve of Yom
// Kippur, with Avinu Malkeynu on weekdays.
bool RepentanceBeforeTheEve(AbsoluteDay x);
// Any day of Elul.
bool InElul(AbsoluteDay x);
// The days of Psalm 27: Elul, and 1 Tishri through Hoshana Rabba.
bool Psalm27Season(AbsoluteDay x);
// The day of Hakafot: Shemini Atseret in Israel, 23 Tishri in the Diaspora.
bool SimkhatTora(AbsoluteDay x, const CalendarRules& r);

}  // namespace halakha::detail
