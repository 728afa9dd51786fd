// What the anniversaries dialog shows and checks, without the widgets: the
// rows of its two lists, the years of the Calculate row and the checks of the
// edit form, in the order the user meets them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/types.h"
#include "storage/anniversaries.h"

// Hebrew years the edit form accepts.
constexpr int kAnniFirstHebrewYear = 5360;
constexpr int kAnniLastHebrewYear = 5860;

// Row of the entries list. An event before `today` shows its next
// anniversary (today's or a later one), "name (type): 5 March 2025 (5 Adar
// 5785)"; right to left "type: 5 March 2025 (5 Adar 5785) - name". An event
// today or later shows "name (T)". The type letter and the month names are
// translated.
std::string AnniListRowText(const AnniversaryRec& rec, AbsoluteDay today, bool rightToLeft);

// The days of `rec` in the Hebrew years after the event's year whose
// Gregorian year lies in fromYear..toYear (fromYear <= toYear), in order.
std::vector<AbsoluteDay> AnniOccurrences(const AnniversaryRec& rec, int fromYear, int toYear);
// Row of the occurrences list: "5 March 2025 (5 Adar 5785)".
std::string AnniOccurrenceText(AbsoluteDay day);

// The Calculate row: the selected entry (or -1) and the texts of the two year
// fields. `error` is the first problem as an untranslated message, else
// empty and `rows` holds the occurrences.
struct AnniCalculation {
  std::string error;
  std::vector<std::string> rows;
};
AnniCalculation AnniCalculate(const AnniversaryList& list, int selected, std::string_view fromText,
                              std::string_view toText);

// The fields of the edit dialog as text.
struct AnniEditForm {
  std::string name;
  char type = kAnniAnniversary;
  bool gregorian = true;  // which of the two date radio buttons is active
  std::string gregorianText;
  bool afterSunset = false;
  std::string hebrewDayText;
  int hebrewMonth = 0;  // 1..13, 0 when no month is selected
  std::string hebrewYearText;
  bool recentLoss = false;  // a yortsayt marked as a recent loss
  std::string burialText;   // its burial date, "d.m.y"; empty for the day of death
  AdarChoice adar = AdarChoice::kUsual;
  bool batMitzvah = false;  // a birthday's mitzvah at twelve years
};

// The form for an entry: "d.m.y" for a Gregorian date, the day, month and
// year fields for a Hebrew one; the other date's fields stay empty.
AnniEditForm AnniEditFormFor(const AnniversaryRec& rec);
// Checks the form; the first failure's message (untranslated) is returned and
// `rec` is left alone. When all is valid the fields are written into `rec`
// (afterSunset from the check box for a Gregorian date; kept for a Hebrew
// one) and "" is returned. A recent loss is a yortsayt's only; its burial
// date (the day of death when empty) is not before the death. A bat mitzvah
// is kept for a birthday only.
std::string AnniCheckEditForm(const AnniEditForm& form, AnniversaryRec& rec);

// Text of month 1..13 in the month drop-down (translated): "Nisan" ..
// "Shevat", "Adar/Adar I" for 12, "Adar II" for 13; "" for other numbers.
std::string getComboMonth(int month);
