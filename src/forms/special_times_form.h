// The expressions of the special days' times (fast begins and ends,
// Khanukka, khamets) as the zmanim dialog edits them, apart from its
// widgets. A field holds the expression in use; one left at its default is
// stored as empty, so it keeps following the zmanim choices it comes from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"
#include "suntimes/day_times.h"

// The rows in display order: the English label (a translation key), the
// expression of SpecialTimeExpressions it edits and the setter of the
// setting that stores it.
struct SpecialTimeRow {
  std::string_view label;
  std::string SpecialTimeExpressions::*expression;
  void (*store)(std::string_view);
};
inline constexpr SpecialTimeRow kSpecialTimeRows[] = {
    {"Fast begins (minor fasts)", &SpecialTimeExpressions::fastBegins, setTimeFastBegins},
    {"Fast begins (Tisha BeAv, the evening before)", &SpecialTimeExpressions::tishaBeAvBegins, setTimeTishaBeAvBegins},
    {"Fast ends", &SpecialTimeExpressions::fastEnds, setTimeFastEnds},
    {"Khanukka candles (Sunday to Thursday)", &SpecialTimeExpressions::khanukka, setTimeKhanukka},
    {"Last time to eat khamets", &SpecialTimeExpressions::khametsEat, setTimeKhametsEat},
    {"Burn khamets", &SpecialTimeExpressions::khametsBurn, setTimeKhametsBurn},
};

// A named choice of a special day's time: its label (a translation key)
// and its expression.
struct SpecialTimeChoice {
  std::string_view label;
  std::string_view expression;
};
// The named choices of row `row` of kSpecialTimeRows: for dawn and the
// hours of khamets the zmanim opinions' own, for the end of a fast and
// Khanukka the customary heights of the sun and the three stars.
std::vector<SpecialTimeChoice> SpecialTimeChoices(size_t row);
// The index among those of the choice whose expression is `text` (blanks
// aside), or -1 for an expression of the user's own.
int SpecialTimeChoiceOf(size_t row, std::string_view text);

// The expressions in use, one a row.
std::vector<std::string> SpecialTimesFormFromSettings();

// "" when every text is an expression of the zmanim language (at most 255
// bytes, no syntax error), else the translated message naming the first row
// that is not. Nothing is printed for the syntax errors.
std::string SpecialTimesFormCheck(const std::vector<std::string>& texts);

// Stores the texts (checked first): a text equal to its default, as it was
// when the dialog opened (`openingDefaults`) or as the zmanim choices give
// it now, is stored as empty; any other as typed. Blanks around a text are
// dropped.
void SpecialTimesFormStore(const std::vector<std::string>& texts, const SpecialTimeExpressions& openingDefaults);
