// The daily learning of a day as the program shows it: Daf Yomi and the
// study cycles the user chose, translated into the interface language, for
// the day report's "Learning" list, the export, lumaro-cli and the day
// cells of the month view.
//
// Names are translated whole, book by book (some names are parts of others,
// "Berachos" of "Hilchos Berachos"), never by replacing phrases in a line;
// the numbers stay as they are. A law of the Rambam is looked up as
// "Hilchos <name>" first, so that a translation can say "the laws of"
// where English leaves it out; without such an entry the name alone is
// looked up.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/learning.h"
#include "calendar/rules.h"
#include "calendar/types.h"

// Which learning is shown: Daf Yomi, and each cycle of calendar/learning.h.
struct LearningChoice {
  bool dafYomi = true;
  std::array<bool, kLearningCycleCount> cycles{};

  bool Shows(LearningCycle cycle) const { return cycles[static_cast<size_t>(cycle)]; }
  void Set(LearningCycle cycle, bool shown) { cycles[static_cast<size_t>(cycle)] = shown; }
  // Any cycle besides Daf Yomi.
  bool AnyCycle() const;
};

// One learning of one day.
struct LearningLine {
  std::string_view id;  // kDafYomiId or the cycle's id
  std::string title;    // the learning's name, translated: "Daf Yomi", "Mishna Yomit"
  std::string text;     // the day's portion, translated: "Berachos 1:5-2:1"
};

// The translated title of a cycle.
std::string TranslatedLearningTitle(LearningCycle cycle);
// Daf Yomi's page of day d with the tractate translated ("Berachos 2"), or
// empty before the first cycle.
std::string TranslatedDafYomi(AbsoluteDay d);
// A cycle's portion of day d with its books translated, or empty on a day
// without one.
std::string TranslatedLearningText(LearningCycle cycle, AbsoluteDay d, const CalendarRules& rules);

// The chosen learning of day d: Daf Yomi first, then the cycles in their
// fixed order; a cycle without a portion that day has no line.
std::vector<LearningLine> LearningLinesOf(AbsoluteDay d, const LearningChoice& choice, const CalendarRules& rules);

// The day report's list: the heading "Learning for D.M.Y:" (Gregorian date)
// and a line "<title>: <portion>" for each learning of LearningLinesOf, but
// only when a cycle besides Daf Yomi is chosen (Daf Yomi alone stands in
// the day cell, and the report leaves it out as it always has) and the day
// has a line; otherwise empty. Ends in a line break unless empty.
std::string BuildLearningList(AbsoluteDay d, const LearningChoice& choice, const CalendarRules& rules);

// A line of a day cell: the short text shown, and the hint shown over it.
struct LearningCellLine {
  std::string_view id;  // the cycle's id
  std::string text;     // "Mishna Berachos 1:5-2:1", "Joshua 1", "Psalms 1-9"
  std::string hint;     // the cycle's title: "Mishna Yomit"
};
// The lines a day cell shows below Daf Yomi (whose own line the cell draws
// when choice.dafYomi is set): one per chosen cycle with a portion that day,
// in the fixed order. A portion whose book names do not tell the cycle
// (the tractates of the Mishna and of the Yerushalmi, the laws of the
// Rambam) starts with a short name of it ("Mishna", "Yerushalmi",
// "Rambam"), translated.
std::vector<LearningCellLine> LearningCellLines(AbsoluteDay d, const LearningChoice& choice,
                                                const CalendarRules& rules);
